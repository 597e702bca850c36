// The hit counts of a picture, fed through its Line and Circle calls as the chain draws.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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

struct SegmentCase {
  double x1, y1, x2, y2, ratio;  // 100 % pixels; device pixels per 100 % pixel
};
class Segment : public ::testing::TestWithParam<SegmentCase> {};

// A segment hits one run of the pen, once, in each column it crosses (each row when steep), on
// the pixel nearest the straight line between its end pixels, and nothing else. Every case keeps
// its runs inside the picture across the line; two run past its edges along it.
TEST_P(Segment, HitsExactlyThePixelsItCrosses) {
  const auto [x1, y1, x2, y2, ratio] = GetParam();
  Counted pic(ratio);
  pic.line(x1, y1, x2, y2);
  const DensityGrid& g = pic.grid();
  const int pen = static_cast<int>(std::ceil(ratio));
  const double ax = std::floor(x1 * ratio), ay = std::floor(y1 * ratio), bx = std::floor(x2 * ratio),
               by = std::floor(y2 * ratio);
  const bool steep = std::abs(by - ay) > std::abs(bx - ax);
  const int along = steep ? g.rows() : g.columns(), across = steep ? g.columns() : g.rows();
  const double from = steep ? ay : ax, to = steep ? by : bx, base = steep ? ax : ay, end = steep ? bx : by;
  uint64_t seen = 0;
  for (int i = 0; i < along; ++i) {
    const double ideal = from == to ? base : base + (i - from) * (end - base) / (to - from);
    int hits = 0, first = -1;
    for (int j = 0; j < across; ++j) {
      const uint32_t n = steep ? g.at(j, i) : g.at(i, j);
      ASSERT_LE(n, 1u) << i << " " << j;
      if (n == 1 && first < 0) first = j;
      hits += static_cast<int>(n);
    }
    seen += static_cast<uint64_t>(hits);
    const bool crossed = i >= std::min(from, to) && i <= std::max(from, to);
    EXPECT_EQ(hits, crossed ? pen : 0) << "step " << i;
    if (crossed) {
      EXPECT_LE(std::abs(first - ideal), 0.5 + 1e-9) << "step " << i;
    }
  }
  EXPECT_EQ(pic.total(), seen);
  EXPECT_GT(seen, 0u);
}

INSTANTIATE_TEST_SUITE_P(Grid, Segment,
                         ::testing::Values(SegmentCase{1.5, 2.5, 8.5, 2.5, 1}, SegmentCase{0.5, 1.5, 5.5, 6.5, 1},
                                           SegmentCase{2.2, 1.3, 9.7, 5.9, 1}, SegmentCase{3.5, 0.5, 6.5, 7.5, 1},
                                           SegmentCase{9.5, 6.5, 0.5, 1.5, 1}, SegmentCase{-5, 3.5, 4.5, 3.5, 1},
                                           SegmentCase{4.5, -6, 4.5, 20, 1}, SegmentCase{1.2, 1.7, 8.9, 4.1, 2},
                                           SegmentCase{2.5, 0.5, 3.5, 7.5, 2}, SegmentCase{0.7, 1.2, 9.3, 6.1, 1.5}));

// A polyline's pass is one hit on every pixel, joints included; the five rings of a scatter point
// fill its dot once; strokes in other colours add nothing; Cls zeroes all.
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
  for (int point = 0; point < 2; ++point)
    for (int r = 10; r <= 50; r += 10) pic.picture.Circle(75, 60, r, kSignal);
  const double outer = 50 / 15.0 + 0.5;  // the largest ring's radius and half the pen
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x)
      EXPECT_EQ(pic.grid().at(x, y), std::hypot(x + 0.5 - 5, y + 0.5 - 4) <= outer ? 2u : 0u) << x << "," << y;
}

// A picture that shrinks and grows back has nothing left where it was cut off; a new pixel ratio
// carries the counts to the pixels that cover the same place, and back.
TEST(DensityGrid, ResizeKeepsNoStaleCounts) {
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
}

}  // namespace
}  // namespace linklab
