#pragma once
// Rings drawn lately, for a ring drawn again just the same. The scatter draws its reference
// constellation again after every point, sixteen rings a point; most of them still stand
// untouched where they were drawn, and those need no pixel at all. A ring that something has
// drawn over since is set again from its spans, without the square roots of every row.
#include <array>
#include <cstdint>
#include <vector>

#include "form/pixel_kernel.h"

namespace linklab {

class RingMemo {
 public:
  // ringSpans(grid, cx, cy, r, pen, fill), skipped when that ring in that colour stands untouched.
  void ring(PixelGrid grid, double cx, double cy, double r, int pen, FillSpans fill);
  // fillLine(grid, ax, ay, bx, by, pen, ...) is about to set pixels: the rings it may cross are
  // no longer known to stand.
  void lineOver(double ax, double ay, double bx, double by, int pen);
  // Any pixel may have changed.
  void forget();

 private:
  static constexpr int kSlots = 64, kSpans = 192;
  struct Span {
    int row, from, to;
  };
  struct Box {
    double left, top, right, bottom;
    bool meets(const Box& o) const { return left <= o.right && o.left <= right && top <= o.bottom && o.top <= bottom; }
  };
  struct Ring {
    double cx, cy, r;
    int pen, columns, rows;
    uint32_t colour;
    int count = -1;  // spans kept; -1: none, or too many to keep
    bool standing = false;
    Box box;
    std::array<Span, kSpans> spans;
  };
  void drawnOver(const Box& box);
  std::vector<Ring> recent;   // kSlots, made on the first ring
  std::vector<int> standing;  // the slots whose rings stand untouched
  std::array<uint64_t, 256> seen{};  // keys of rings drawn once
};

}  // namespace linklab
