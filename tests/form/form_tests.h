#pragma once
// The standard headers and gtest, and the reference walk of a line, for the form tests.
#include "test_headers.h"

namespace linklab {

// The reference walk of a line: each step of the Bresenham line between the floors of its ends,
// marking the pen's run across it (down from a flat line's step, right of a steep one's); skipFirst
// leaves out the first step, which the line before it in a polyline has set.
template <typename Mark>
void walkLine(double ax, double ay, double bx, double by, int pen, bool skipFirst, Mark mark) {
  int x = static_cast<int>(std::floor(ax)), y = static_cast<int>(std::floor(ay));
  const int x1 = static_cast<int>(std::floor(bx)), y1 = static_cast<int>(std::floor(by));
  const int dx = std::abs(x1 - x), dy = -std::abs(y1 - y);
  for (int err = dx + dy, step = 0;; ++step) {
    for (int k = 0; k < pen && (step > 0 || !skipFirst); ++k) mark(-dy > dx ? x + k : x, -dy > dx ? y : y + k);
    if (x == x1 && y == y1) break;
    const int e2 = 2 * err;
    if (e2 >= dy) err += dy, x += x < x1 ? 1 : -1;
    if (e2 <= dx) err += dx, y += y < y1 ? 1 : -1;
  }
}

}  // namespace linklab
