// The shared pixel kernel against a plain reference worked out cell by cell: a line sets, at each
// step of its Bresenham walk, `pen` cells down from the step (flat) or to its right (steep); a ring
// sets the cells whose centres lie in the band one pen wide around its radius. Thousands of random
// lines and rings, partly off the grid, at the pixel ratios of a window at 100 %, 200 %, 300 %
// and fractional ones (a pen of 5 takes the fill's general width); filled, a line or ring sets the
// same cells; and counting instead of filling, no cell of one shape comes twice. A line that
// continues a polyline leaves out its first step, which the previous line's last step set.
#include "form/form_tests.h"
#include "form/pixel_kernel.h"

namespace linklab {
namespace {

constexpr int kColumns = 83, kRows = 57;
using Cells = std::array<int, kColumns * kRows>;  // on the stack: no allocation per shape

void mark(Cells& cells, int x, int y) {
  if (x >= 0 && x < kColumns && y >= 0 && y < kRows) ++cells[y * kColumns + x];
}

// skipFirst: the first step is left out unless the clip moved the start (then no joint is there).
Cells referenceLine(double ax, double ay, double bx, double by, int pen, bool skipFirst = false) {
  Cells cells{};
  const bool inside = ax >= -pen && ax <= kColumns + 1.0 && ay >= -pen && ay <= kRows + 1.0;
  if (clipSegment(ax, ay, bx, by, -pen, -pen, kColumns + 1.0, kRows + 1.0))
    walkLine(ax, ay, bx, by, pen, skipFirst && inside, [&cells](int x, int y) { mark(cells, x, y); });
  return cells;
}

// Only the cells of the ring's bounding square can lie in it.
Cells referenceRing(double cx, double cy, double r, int pen) {
  Cells cells{};
  const double outer = r + pen / 2.0;
  const double inner = r - pen / 2.0 > std::max(0.5, pen / 2.0) ? r - pen / 2.0 : 0.0;
  for (int y = std::max(0, int(cy - outer) - 1); y < std::min(kRows, int(cy + outer) + 2); ++y)
    for (int x = std::max(0, int(cx - outer) - 1); x < std::min(kColumns, int(cx + outer) + 2); ++x) {
      const double d2 = (x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy);
      if (d2 <= outer * outer && !(d2 < inner * inner)) mark(cells, x, y);
    }
  return cells;
}

// Adds one to each cell handed out, as a picture that counts hits would.
struct CountSpans {
  Cells& cells;
  void operator()(int row, int from, int to) const {
    for (int col = from; col < to; ++col) ++cells[row * kColumns + col];
  }
};

// Pixels per 15 twips, and the smallest whole pen that spans 15 twips.
struct Ratio { double pixelsPer15Twips; int pen; };
class PixelKernel : public ::testing::TestWithParam<Ratio> {};

TEST_P(PixelKernel, SetsTheReferenceCellsOnceEach) {
  const auto [ratio, pen] = GetParam();
  ASSERT_EQ(penWidth(ratio), pen);
  std::mt19937 random(1234);
  std::uniform_real_distribution<double> across(-0.3 * kColumns, 1.3 * kColumns), down(-0.3 * kRows, 1.3 * kRows);
  std::uniform_real_distribution<double> radius(0, 30), unit(0, 1);
  const PixelGrid grid{kColumns, kRows};
  int lineMismatches = 0, ringMismatches = 0, fillMismatches = 0, doubles = 0, inked = 0;
  std::array<uint32_t, kColumns * kRows> filled{};
  for (int i = 0; i < 2000; ++i) {
    double ax = across(random), ay = down(random), bx = across(random), by = down(random);
    // Every fifth line is short, every seventh flat or upright, as traces mostly are.
    if (i % 5 == 0) bx = ax + 4 * (unit(random) - 0.5), by = ay + 4 * (unit(random) - 0.5);
    if (i % 7 == 0) (i % 14 == 0 ? by : bx) = (i % 14 == 0 ? ay : ax);
    // Every other line continues a polyline: its first step is left out.
    Cells counted{};
    lineSpans(grid, ax, ay, bx, by, pen, CountSpans{counted}, i % 2 == 1);
    const Cells expected = referenceLine(ax, ay, bx, by, pen, i % 2 == 1);
    // The filling path, with its own walks for lines inside the grid, sets the whole line's cells.
    filled.fill(0);
    fillLine(grid, ax, ay, bx, by, pen, FillSpans{filled.data(), kColumns, 1});
    const Cells expectedFill = referenceLine(ax, ay, bx, by, pen);
    for (int c = 0; c < kColumns * kRows; ++c) fillMismatches += filled[c] != static_cast<uint32_t>(expectedFill[c] > 0);
    // r up to 30, centres partly off the grid; every third ring under a pixel.
    const double r = i % 3 == 0 ? unit(random) : radius(random);
    const double cx = across(random), cy = down(random);
    Cells ring{};
    ringSpans(grid, cx, cy, i % 2 ? r : -r, pen, CountSpans{ring});
    const Cells expectedRing = referenceRing(cx, cy, r, pen);
    filled.fill(0);  // and filled, in spans of every width
    ringSpans(grid, cx, cy, r, pen, FillSpans{filled.data(), kColumns, 1});
    for (int c = 0; c < kColumns * kRows; ++c) fillMismatches += filled[c] != static_cast<uint32_t>(expectedRing[c] > 0);
    // Through plain pointers: an unoptimised build would call operator[] for each of the cells.
    const int *line = counted.data(), *lineRef = expected.data(), *circle = ring.data(), *ringRef = expectedRing.data();
    for (int c = 0; c < kColumns * kRows; ++c) {
      doubles += (line[c] > 1) + (circle[c] > 1);
      inked += line[c] > 0;
      lineMismatches += (line[c] > 0) != (lineRef[c] > 0);
      ringMismatches += (circle[c] > 0) != (ringRef[c] > 0);
    }
  }
  EXPECT_EQ((std::array{lineMismatches, fillMismatches, ringMismatches, doubles}), (std::array{0, 0, 0, 0}))
      << "line, fill, ring mismatches; cells set twice";
  EXPECT_GT(inked, 2000 * 5) << "the lines must mostly land on the grid";
}
INSTANTIATE_TEST_SUITE_P(Ratios, PixelKernel,
                         ::testing::Values(Ratio{1, 1}, Ratio{2, 2}, Ratio{3, 3}, Ratio{1.5, 2}, Ratio{4.5, 5}));

// Filling writes the colour into exactly the cells handed out, at the buffer's stride, and
// nothing that is not finite draws.
TEST(PixelKernel, FillsAtTheStrideAndSkipsWhatIsNotFinite) {
  const int stride = kColumns + 5;
  std::vector<uint32_t> pixels(stride * kRows, 0);
  const PixelGrid grid{kColumns, kRows};
  lineSpans(grid, 2.5, 3.5, 70.5, 40.5, 2, FillSpans{pixels.data(), stride, 7});
  lineSpans(grid, NAN, 3, 10, 10, 2, FillSpans{pixels.data(), stride, 9});
  ringSpans(grid, 20, 20, INFINITY, 2, FillSpans{pixels.data(), stride, 9});
  const Cells expected = referenceLine(2.5, 3.5, 70.5, 40.5, 2);
  for (int y = 0; y < kRows; ++y)
    for (int x = 0; x < stride; ++x)
      EXPECT_EQ(pixels[y * stride + x], x < kColumns && expected[y * kColumns + x] ? 7u : 0u) << x << "," << y;
}

// The filling walks count in fixed point; the walk they must match counts in whole numbers.
// Lines up to the longest they take, steep ones on a tall grid and flat ones on a wide one, with
// every pen and slopes from nearly flat to nearly steep, set the walk's cells.
TEST(PixelKernel, LongLinesSetTheWalksCells) {
  const int side = kFixedPointSide, narrow = 40;
  std::vector<uint32_t> filled(side * narrow), walked(side * narrow);
  std::mt19937 random(77);
  std::uniform_real_distribution<double> along(0, side), across(0, narrow);
  int mismatches = 0;
  for (int i = 0; i < 40; ++i) {
    const bool tall = i % 2 == 0;
    const PixelGrid grid = tall ? PixelGrid{narrow, side} : PixelGrid{side, narrow};
    double a = along(random), b = along(random);
    if (i % 4 < 2) a = 0.5, b = side - 0.5;  // the whole length
    const double p = across(random), q = across(random);
    const int pen = 1 + i % 5;
    std::ranges::fill(filled, 0);
    std::ranges::fill(walked, 0);
    if (tall) {
      fillLine(grid, p, a, q, b, pen, FillSpans{filled.data(), narrow, 1});
      lineSpans(grid, p, a, q, b, pen, FillSpans{walked.data(), narrow, 1});
    } else {
      fillLine(grid, a, p, b, q, pen, FillSpans{filled.data(), side, 1});
      lineSpans(grid, a, p, b, q, pen, FillSpans{walked.data(), side, 1});
    }
    mismatches += filled != walked;
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace linklab
