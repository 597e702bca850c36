// The hit counts of a picture, fed through its Line and Circle calls as the chain draws.
#include "form/form_tests.h"
#include "form/picture_box.h"

namespace linklab {
namespace {

constexpr uint32_t kSignal = 0xC000;

// A 150 x 120 twip picture (10 x 8 pixels at 100 %) that counts kSignal; lines in 100 % pixels.
struct Counted {
  PictureBox picture;
  explicit Counted(double ratio = 1) {
    picture.Width = 150;
    picture.Height = 120;
    picture.density().countColours({kSignal});
    picture.density().setPixelRatio(ratio);
    picture.setForeColor(kSignal);
    picture.Cls();
  }
  const DensityGrid& grid() const { return picture.density(); }
  void line(double x1, double y1, double x2, double y2) { picture.Line(15 * x1, 15 * y1, 15 * x2, 15 * y2); }
  std::vector<uint32_t> counts() const { return {grid().counts().begin(), grid().counts().end()}; }
  uint64_t total() const {
    uint64_t sum = 0;
    for (uint32_t n : grid().counts()) sum += n;
    return sum;
  }
};

// Random polylines drawn again and again, at the pixel ratios of a window at 100 %, 150 %, 200 %
// and 300 %: each pixel counts the steps that covered it, stepping from pixel to pixel between the
// floors of the ends (Bresenham) with the pen's run across the line at each step (down from a flat
// line's step, right of a steep one's), a joint's step once, as the segment ending there covered
// it. Strokes past the picture or in other colours count nothing; the largest count is kept up.
TEST(DensityGrid, CountsEachStepOfEveryPassOnceJointsIncluded) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> across(0, 9.99), down(0, 7.99);
  for (const double ratio : {1.0, 1.5, 2.0, 3.0}) {
    Counted pic(ratio);
    const int pen = static_cast<int>(std::ceil(ratio)), columns = pic.grid().columns();
    std::vector<uint32_t> expected(pic.counts().size(), 0);
    auto mark = [&](int x, int y) {
      if (x < columns && y < pic.grid().rows()) ++expected[static_cast<std::size_t>(y) * columns + x];
    };
    std::vector<double> xs(9), ys(9);
    for (int trace = 0; trace < 6; ++trace) {
      for (std::size_t k = 0; k < xs.size(); ++k) xs[k] = across(random), ys[k] = down(random);
      for (int pass = 0; pass < 3; ++pass) {
        for (std::size_t k = 0; k + 1 < xs.size(); ++k) {
          pic.line(xs[k], ys[k], xs[k + 1], ys[k + 1]);
          walkLine(xs[k] * ratio, ys[k] * ratio, xs[k + 1] * ratio, ys[k + 1] * ratio, pen, k > 0, mark);
        }
        pic.line(12, 1, 14, 9);  // wholly past the right edge
        pic.picture.setForeColor(0xFF);  // a guide between passes: not counted, and no joint
        pic.line(xs[0], ys[0], xs[1], ys[1]);
        pic.picture.setForeColor(kSignal);
      }
    }
    ASSERT_EQ(pic.counts(), expected) << "ratio " << ratio;
    EXPECT_EQ(pic.grid().maximum(), *std::max_element(expected.begin(), expected.end()));
    EXPECT_GE(pic.grid().maximum(), 6u);
  }
}

// A polyline's pass is one hit on every pixel, joints included; the five rings of a scatter point
// fill its dot once, up to the picture's edge; strokes in other colours add nothing; Cls zeroes all.
TEST(DensityGrid, PassesAndPointsAddUpOnceEach) {
  Counted pic;
  for (int pass = 1; pass <= 3; ++pass) {
    pic.line(0.5, 3.5, 4.5, 3.5);
    pic.line(4.5, 3.5, 9.5, 3.5);
    pic.picture.Circle(75, 60, 40, 0xC0);
    for (int x = 0; x < 10; ++x) ASSERT_EQ(pic.grid().at(x, 3), static_cast<uint32_t>(pass)) << x;
    EXPECT_EQ(pic.total(), 10u * pass);
  }
  pic.picture.Cls();
  EXPECT_EQ(pic.total(), 0u);
  for (const double x : {75.0, 75.0, 150.0})  // the same point twice, then one the right edge cuts
    for (int r = 10; r <= 50; r += 10) pic.picture.Circle(x, 60, r, kSignal);
  const double outer = 50 / 15.0 + 0.5;  // the largest ring's radius and half the pen
  auto inDot = [outer](int x, int y, double cx) { return std::hypot(x + 0.5 - cx, y + 0.5 - 4) <= outer ? 1u : 0u; };
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(pic.grid().at(x, y), 2 * inDot(x, y, 5) + inDot(x, y, 10)) << x << "," << y;
}

// While the grid holds counts, a counted stroke goes to the counts alone (a density display
// colours it from them) and guides still reach the raster; a picture too large to count sends
// the raster everything.
TEST(DensityGrid, CountedStrokesSkipTheRasterOnlyWhileCountsAreHeld) {
  struct Colours : Raster {
    std::vector<uint32_t> drawn;
    uint32_t colour = 0;
    void fitTo(int, int) override {}
    void Cls() override {}
    double ScaleWidth() const override { return 0; }
    double ScaleHeight() const override { return 0; }
    uint32_t ForeColor() const override { return colour; }
    void setForeColor(uint32_t c) override { colour = c; }
    void Line(double, double, double, double) override { drawn.push_back(colour); }
    void Circle(double, double, double, uint32_t c) override { drawn.push_back(c); }
  };
  for (const int width : {150, 60'000'000}) {  // 10 x 8 pixels, and past the grid's limit
    Counted pic;
    Colours raster;
    pic.picture.attachRaster(&raster);
    pic.picture.Width = width;
    pic.picture.Cls();
    pic.line(0, 0, 5, 5);
    pic.picture.Circle(75, 60, 20, kSignal);
    pic.picture.Circle(75, 60, 20, 0xFF);
    const bool counted = width == 150;
    EXPECT_EQ(raster.drawn, (counted ? std::vector<uint32_t>{0xFF} : std::vector<uint32_t>{kSignal, kSignal, 0xFF}));
    EXPECT_EQ(pic.total() > 0, counted);
  }
}

// A picture that shrinks and grows back has nothing left where it was cut off; a new pixel ratio
// carries the counts to the pixels that cover the same place, and back. Naming the counted colour
// again keeps what was counted; naming none stops counting and drops it.
TEST(DensityGrid, ResizeKeepsNoStaleCountsAndNamingNoColourDropsThem) {
  Counted pic;
  pic.line(0.5, 3.5, 9.5, 3.5);
  pic.line(8.5, 0.5, 8.5, 7.5);
  pic.picture.Width = 90;
  pic.line(0.5, 0.5, 0.5, 0.5);  // a drawing fits the counts to the picture's size
  pic.picture.Width = 150;
  pic.line(1.5, 0.5, 1.5, 0.5);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(pic.grid().at(x, 3), x < 6 ? 1u : 0u) << x;
  EXPECT_EQ(pic.total(), 6u + 2u);
  EXPECT_EQ(pic.grid().maximum(), 1u);  // the crossing, hit twice, was cut off
  const std::vector<uint32_t> before = pic.counts();
  pic.picture.density().setPixelRatio(2);
  ASSERT_EQ(pic.grid().columns(), 20);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(pic.grid().at(x, y), before[(y / 2) * 10 + x / 2]) << x << "," << y;
  pic.picture.density().setPixelRatio(1);
  EXPECT_EQ(pic.counts(), before);
  pic.picture.density().countColours({kSignal});
  EXPECT_EQ(pic.counts(), before);
  pic.picture.density().countColours({});
  EXPECT_TRUE(pic.grid().counts().empty());
  EXPECT_EQ(pic.grid().maximum(), 0u);
}

}  // namespace
}  // namespace linklab
