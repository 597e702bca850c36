// Rings drawn through the memo show what rings drawn straight show, whatever comes between them:
// the same rings again (which the memo may leave standing), one-off rings, lines across them and
// clears. Checked after every drawing, on a picture wider than a ring's reach in every direction.
#include "form/form_tests.h"
#include "form/ring_memo.h"

namespace linklab {
namespace {

TEST(RingMemo, ShowsWhatDrawingStraightShows) {
  constexpr int columns = 120, rows = 90;
  const PixelGrid grid{columns, rows};
  std::vector<uint32_t> memoised(columns * rows, 0), straight(columns * rows, 0);
  RingMemo memo;
  std::mt19937 random(5);
  std::uniform_int_distribution<int> action(0, 39), pick(0, 5), pens(2, 3);
  std::uniform_real_distribution<double> across(-10, columns + 10), down(-10, rows + 10), radius(0, 25);
  // Six rings that come back (one partly off the picture), as a reference constellation does.
  const std::array<std::array<double, 3>, 6> again{{{30, 30, 12}, {90, 30, 12}, {30, 70, 6},
                                                    {90, 70, 20}, {60, 45, 3}, {118, 88, 9}}};
  int mismatches = 0;
  for (int i = 0; i < 4000; ++i) {
    const int a = action(random);
    const uint32_t colour = 1 + pick(random) % 2;
    const int pen = pens(random);
    if (a == 0) {
      std::ranges::fill(memoised, 7);
      std::ranges::fill(straight, 7);
      memo.forget();
    } else if (a < 8) {
      const double ax = across(random), ay = down(random), bx = across(random), by = down(random);
      memo.lineOver(ax, ay, bx, by, pen);
      fillLine(grid, ax, ay, bx, by, pen, FillSpans{memoised.data(), columns, 3});
      fillLine(grid, ax, ay, bx, by, pen, FillSpans{straight.data(), columns, 3});
    } else {
      const auto [cx, cy, r] = a < 14 ? std::array{across(random), down(random), radius(random)} : again[pick(random)];
      memo.ring(grid, cx, cy, r, pen, FillSpans{memoised.data(), columns, colour});
      ringSpans(grid, cx, cy, r, pen, FillSpans{straight.data(), columns, colour});
    }
    mismatches += memoised != straight;
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace linklab
