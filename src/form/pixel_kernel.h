#pragma once
// The pixel loops under every raster (the desktop's images, the page's buffers): lines and rings
// in device pixels, handed out as row spans clipped to a grid of columns x rows. What a span does
// is the caller's: FillSpans sets a colour; a picture that counts hits can add one to each cell
// instead. Within one line or one ring no cell is handed out twice.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "form/segment_clip.h"

namespace linklab {

struct PixelGrid {
  int columns = 0, rows = 0;
};

// A pen reaching across one 15-twip step at `pixelsPer15Twips` device pixels per 15 twips (the
// layout scale times the screen's ratio), rounded up, so a trace drawn twice 15 twips apart is one
// solid stroke at any ratio. At most 64.
inline int penWidth(double pixelsPer15Twips) {
  if (!(pixelsPer15Twips > 1)) return 1;
  return std::max(1, static_cast<int>(std::ceil(std::min(pixelsPer15Twips, 64.0) - 1e-6)));
}

// Sets one colour on each span of a buffer of `stride` pixels a row.
struct FillSpans {
  uint32_t* pixels;
  std::ptrdiff_t stride;
  uint32_t colour;
  void operator()(int row, int from, int to) const {
    // Locals: a store through the pixels must not make the compiler reload the colour.
    uint32_t* const p = pixels + row * stride;
    const uint32_t c = colour;
    // Spans are mostly a few cells (a ring's sides, a pen's width): set in overlapping stores of
    // four, with no loop whose count changes from one span to the next for the branch predictor
    // to miss. Under four cells, the first, middle and last cover them all.
    if (to - from < 4) {
      p[from] = c;
      p[(from + to - 1) / 2] = c;
      p[to - 1] = c;
      return;
    }
    const uint32_t four[4] = {c, c, c, c};
    uint32_t* const last = p + to - 4;
    for (uint32_t* q = p + from; q < last; q += 4) std::memcpy(q, four, sizeof four);
    std::memcpy(last, four, sizeof four);
  }
};

// A segment from (ax, ay) to (bx, by) in device pixels, stepped from the floors of its clipped
// ends. Each step covers `pen` pixels across the line: down from the step on a flat line, to the
// right of it on a steep one. The steps of a flat line at one height make one block `pen` rows
// deep, handed out as `pen` spans rather than a column per step.
// span(row, from, to): cells from .. to-1 of `row`, all inside the grid, from < to. Taken by
// value, so its fields live in registers while the pixels are written.
// skipFirst leaves out the first step's cells: a segment continuing a polyline from where the
// previous one ended, whose last step covered them. A start the clip moved is no such joint.
template <class Span>
void lineSpans(PixelGrid grid, double ax, double ay, double bx, double by, int pen, Span span,
               bool skipFirst = false) {
  if (grid.columns <= 0 || grid.rows <= 0) return;
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  const double fromX = ax, fromY = ay;
  if (!clipSegment(ax, ay, bx, by, -pen, -pen, grid.columns + 1.0, grid.rows + 1.0)) return;
  skipFirst = skipFirst && ax == fromX && ay == fromY;
  int x = static_cast<int>(std::floor(ax)), y = static_cast<int>(std::floor(ay));
  const int xEnd = static_cast<int>(std::floor(bx)), yEnd = static_cast<int>(std::floor(by));
  const int dx = std::abs(xEnd - x), sx = x < xEnd ? 1 : -1;
  const int dy = -std::abs(yEnd - y), sy = y < yEnd ? 1 : -1;
  int err = dx + dy;
  const bool steep = -dy > dx;
  // The walk itself, once per line shape, so each loop carries only what its shape needs.
  auto walk = [&](auto&& step) {
    for (bool skip = skipFirst;; skip = false) {
      if (!skip) step(x, y);
      if (x == xEnd && y == yEnd) break;
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
      }
    }
  };
  const auto rowsU = static_cast<unsigned>(grid.rows), columnsU = static_cast<unsigned>(grid.columns);
  if (pen == 1) {
    walk([&](int px, int py) {
      if (static_cast<unsigned>(px) < columnsU && static_cast<unsigned>(py) < rowsU) span(py, px, px + 1);
    });
    return;
  }
  if (steep) {
    walk([&](int px, int py) {
      if (static_cast<unsigned>(py) >= rowsU) return;
      const int from = std::max(0, px), to = std::min(grid.columns, px + pen);
      if (from < to) span(py, from, to);
    });
    return;
  }
  // The flat line's current block: columns runLo .. runHi at height runY (empty when skipped).
  int runLo = x, runHi = skipFirst ? x - 1 : x, runY = y;
  auto block = [&] {
    const int from = std::max(0, runLo), to = std::min(grid.columns, runHi + 1);
    if (from >= to) return;
    for (int row = std::max(0, runY), end = std::min(grid.rows, runY + pen); row < end; ++row) span(row, from, to);
  };
  walk([&](int px, int py) {
    if (py == runY && (px == runLo - 1 || px == runHi + 1)) {
      runLo = std::min(runLo, px);
      runHi = std::max(runHi, px);
    } else if (py != runY || px < runLo || px > runHi) {
      block();
      runLo = runHi = px;
      runY = py;
    }
  });
  block();
}

// Cells from .. to-1 of rows top .. top+depth-1, clipped to the grid: the few steps of a line at
// its edges, kept out of the walks' loops so their state stays in registers.
[[gnu::noinline]] inline void fillClipped(FillSpans fill, PixelGrid grid, int top, int depth, int from, int to) {
  from = std::max(0, from);
  to = std::min(grid.columns, to);
  for (int r = std::max(0, top), end = std::min(grid.rows, top + depth); r < end; ++r)
    for (int col = from; col < to; ++col) fill.pixels[r * fill.stride + col] = fill.colour;
}

// The filling walks count in fixed point, exact while a line has under 2^15 steps: a grid up to
// this side, with a pen of up to 64 beyond each edge. Larger grids (never a window's) walk.
inline constexpr int kFixedPointSide = 32768 - 2 * 64 - 2;

// The steps k = 0 .. last at which start + dir * ((base + k * slope) >> 32) lies within lo .. hi:
// one run first .. end-1 (empty when first >= end), as the coordinate only moves one way.
struct StepRun {
  int first, end;
};
inline StepRun stepsWithin(int start, int dir, uint64_t base, uint64_t slope, int last, int lo, int hi) {
  const int64_t fLo = dir > 0 ? int64_t{lo} - start : int64_t{start} - hi;
  const int64_t fHi = dir > 0 ? int64_t{hi} - start : int64_t{start} - lo;
  const auto at = [&](int k) { return static_cast<int64_t>((base + static_cast<uint64_t>(k) * slope) >> 32); };
  if (fHi < at(0) || fLo > at(last)) return {0, 0};
  // Both ends by division: the first step at or past fLo, the last at or before fHi.
  const int first = fLo <= at(0) ? 0 : static_cast<int>(((static_cast<uint64_t>(fLo) << 32) - base + slope - 1) / slope);
  const int end = fHi >= at(last) ? last + 1
                                  : static_cast<int>(((static_cast<uint64_t>(fHi + 1) << 32) - base - 1) / slope) + 1;
  return {first, end};
}

// The walk of lineSpans from (x, y) to (xEnd, yEnd) with its cells filled, `Pen` wide (0: `pen`).
// A steep line steps one row at a time, a flat one a column. The steps whose cells all lie inside
// the grid (nearly all of them) form one run, stored without a check; the few before and after it
// are clipped one by one.
template <int Pen>
void fillWalk(FillSpans fill, PixelGrid grid, int x, int y, int xEnd, int yEnd, int pen) {
  const int width = Pen > 0 ? Pen : pen;
  const int dx = std::abs(xEnd - x), dy = -std::abs(yEnd - y);
  const int sx = x < xEnd ? 1 : -1, sy = y < yEnd ? 1 : -1;
  const std::ptrdiff_t stride = fill.stride, step = sy * stride;
  const uint32_t c = fill.colour;
  auto clipped = [fill, grid](int top, int depth, int from, int to) { fillClipped(fill, grid, top, depth, from, to); };
  // Cells from .. to-1 of `width` rows from `p`.
  auto rect = [&](uint32_t* p, int from, int to) {
    for (int k = 0; k < width; ++k, p += stride)
      for (int col = from; col < to; ++col) p[col] = c;
  };
  constexpr uint64_t kOne = uint64_t{1} << 32, kHalf = uint64_t{1} << 31;
  // Steps first .. end-1 of a walk moving `along` one cell a step (rows of a steep line, columns of
  // a flat one) and `across` by the fixed-point slope; `inner(p, offset)` sets the cells of a step.
  auto walkRun = [&](int steps, StepRun run, uint64_t slope, std::ptrdiff_t along, std::ptrdiff_t across,
                     auto&& outer, auto&& inner) {
    const int first = std::min(run.first, steps + 1), end = std::max(run.end, first);
    for (int k = 0; k < first; ++k) outer(k);
    std::ptrdiff_t at = y * stride + x + first * along;
    uint64_t a = kHalf + static_cast<uint64_t>(first) * slope;
    for (int n = end - first; n > 0; --n, a += slope, at += along)
      inner(fill.pixels + at + static_cast<std::ptrdiff_t>(a >> 32) * across);
    for (int k = end; k <= steps; ++k) outer(k);
  };
  if (-dy > dx) {
    // The walk moves across after k steps floor((2 k dx + |dy|) / (2 |dy|)) times. Counted in
    // 32.32 fixed point from a slope rounded up, the count runs ahead of that fraction by less
    // than k / 2^32, under the 1 / (2 |dy|) by which it can fall short of a whole number for
    // any line under 2^15 rows: the same cells, without the walk's chain from step to step.
    const int steps = -dy;
    const uint64_t slope = ((static_cast<uint64_t>(dx) << 32) + steps - 1) / static_cast<uint64_t>(steps);
    const StepRun rowsIn = stepsWithin(y, sy, 0, kOne, steps, 0, grid.rows - 1);
    const StepRun columnsIn = stepsWithin(x, sx, kHalf, slope, steps, 0, grid.columns - width);
    const auto columnAt = [&](int k) { return x + sx * static_cast<int>((kHalf + static_cast<uint64_t>(k) * slope) >> 32); };
    walkRun(steps, {std::max(rowsIn.first, columnsIn.first), std::min(rowsIn.end, columnsIn.end)}, slope, step, sx,
            [&](int k) { clipped(y + sy * k, 1, columnAt(k), columnAt(k) + width); },
            [&](uint32_t* p) {
              for (int k = 0; k < width; ++k) p[k] = c;
            });
    return;
  }
  // A flat line steps a column at a time and up or down after k steps floor((2 k |dy| + dx) /
  // (2 dx)) times, in the same fixed point. Where it climbs at most every other step, it is set
  // in blocks `width` rows deep, one per height: the n-th climb comes at step
  // ceil((2 n + 1) dx / (2 |dy|)), counted from a slope rounded down, which stays within the
  // 1 / (2 |dy|) that keeps the ceiling exact.
  const int rise = -dy, yLast = grid.rows - width;
  auto block = [&](int top, int from, int to) {
    if (top < 0 || top > yLast || from < 0 || to > grid.columns) return clipped(top, width, from, to);
    rect(fill.pixels + top * stride, from, to);
  };
  if (rise == 0) return block(y, std::min(x, xEnd), std::max(x, xEnd) + 1);
  if (dx >= 2 * rise) {
    const uint64_t perClimb = (static_cast<uint64_t>(dx) << 32) / static_cast<uint64_t>(rise);
    uint64_t climb = (static_cast<uint64_t>(dx) << 31) / static_cast<uint64_t>(rise);
    for (int n = 0, from = 0;; ++n, climb += perClimb) {
      const int to = n == rise ? dx + 1 : static_cast<int>((climb + 0xFFFFFFFFu) >> 32);
      if (sx > 0) {
        block(y + sy * n, x + from, x + to);
      } else {
        block(y + sy * n, x - to + 1, x - from + 1);
      }
      if (n == rise) return;
      from = to;
    }
  }
  const uint64_t slope = ((static_cast<uint64_t>(rise) << 32) + dx - 1) / static_cast<uint64_t>(dx);
  const StepRun columnsIn = stepsWithin(x, sx, 0, kOne, dx, 0, grid.columns - 1);
  const StepRun rowsIn = stepsWithin(y, sy, kHalf, slope, dx, 0, yLast);
  walkRun(dx, {std::max(rowsIn.first, columnsIn.first), std::min(rowsIn.end, columnsIn.end)}, slope, sx, step,
          [&](int k) {
            const int py = y + sy * static_cast<int>((kHalf + static_cast<uint64_t>(k) * slope) >> 32);
            clipped(py, width, x + sx * k, x + sx * k + 1);
          },
          [&](uint32_t* p) { rect(p, 0, 1); });
}

// lineSpans with the spans filled: the same cells, with less work per step.
inline void fillLine(PixelGrid grid, double ax, double ay, double bx, double by, int pen, FillSpans fill) {
  if (grid.columns <= 0 || grid.rows <= 0) return;
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  if (grid.columns > kFixedPointSide || grid.rows > kFixedPointSide) return lineSpans(grid, ax, ay, bx, by, pen, fill);
  if (!clipSegment(ax, ay, bx, by, -pen, -pen, grid.columns + 1.0, grid.rows + 1.0)) return;
  const int x = static_cast<int>(std::floor(ax)), y = static_cast<int>(std::floor(ay));
  const int xEnd = static_cast<int>(std::floor(bx)), yEnd = static_cast<int>(std::floor(by));
  switch (pen) {
    case 1: return fillWalk<1>(fill, grid, x, y, xEnd, yEnd, pen);
    case 2: return fillWalk<2>(fill, grid, x, y, xEnd, yEnd, pen);
    case 3: return fillWalk<3>(fill, grid, x, y, xEnd, yEnd, pen);
    case 4: return fillWalk<4>(fill, grid, x, y, xEnd, yEnd, pen);
    default: return fillWalk<0>(fill, grid, x, y, xEnd, yEnd, pen);
  }
}

// A ring one pen wide around radius r about (cx, cy), device pixels, row by row: the cells whose
// centres lie within r + pen/2 of the centre and not within r - pen/2. A hole narrower than half
// the pen (at least half a pixel) closes up, so small rings make a solid dot.
template <class Span>
void ringSpans(PixelGrid grid, double cx, double cy, double r, int pen, Span span) {
  if (grid.columns <= 0 || grid.rows <= 0) return;
  const double rd = std::fabs(r);
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rd)) return;
  if (cx + rd < -pen || cy + rd < -pen || cx - rd > grid.columns + pen || cy - rd > grid.rows + pen) return;
  if (rd > 1e5) return;  // larger than any picture: nothing of it would show
  const double half = pen / 2.0;
  const double outer = rd + half;
  const double inner = rd - half > std::max(0.5, half) ? rd - half : 0.0;
  const int top = std::max(0, static_cast<int>(std::floor(cy - outer)));
  const int bottom = std::min(grid.rows - 1, static_cast<int>(std::ceil(cy + outer)));
  // Ceiling and floor by truncation, exact within ints (the ends stay within a few 1e5 of the
  // picture) and cheaper per row than std::ceil and std::floor on a plain x86-64 build.
  auto part = [&](int row, double from, double to) {
    const double left = from - 0.5, right = to - 0.5;
    const int leftCut = static_cast<int>(left), rightCut = static_cast<int>(right);
    const int a = std::max(0, leftCut + (left > leftCut));
    const int b = std::min(grid.columns - 1, rightCut - (right < rightCut));
    if (a <= b) span(row, a, b + 1);
  };
  for (int row = top; row <= bottom; ++row) {
    const double dy = row + 0.5 - cy;
    if (std::fabs(dy) > outer) continue;
    const double reach = std::sqrt(outer * outer - dy * dy);
    const double hole = std::fabs(dy) < inner ? std::sqrt(inner * inner - dy * dy) : 0.0;
    if (hole == 0.0) {
      part(row, cx - reach, cx + reach);
    } else {
      part(row, cx - reach, cx - hole);
      part(row, cx + hole, cx + reach);
    }
  }
}

}  // namespace linklab
