#include "form/density_grid.h"

#include <algorithm>
#include <cmath>

#include "form/pixel_kernel.h"

namespace linklab {

namespace {

// The pixel size of a picture at a scale, as a raster of it has: at least one pixel a side.
double pixelsFor(double twips, double scale) { return std::max(1.0, std::round(twips * scale)); }

// Adds one to each cell of a span, keeping the largest count so far. The largest is of another
// type than the cells, so the compiler knows no count written aliases it and keeps it in a register.
struct CountSpans {
  uint32_t* cells;
  int columns;
  uint64_t& most;
  void operator()(int row, int from, int to) const {
    uint32_t* const line = cells + static_cast<std::size_t>(row) * columns;
    for (int col = from; col < to; ++col) most = std::max<uint64_t>(most, ++line[col]);
  }
};

}  // namespace

void DensityGrid::countColours(std::initializer_list<uint32_t> colours) {
  colourCount = 0;
  for (uint32_t c : colours)
    if (colourCount < MaxColours) counted[colourCount++] = c;
  if (colourCount == 0) {
    hits = {};
    cols = rowCount = 0;
    most = 0;
  }
  last = Last::None;
}

bool DensityGrid::counts(uint32_t colour) const {
  for (int i = 0; i < colourCount; ++i)
    if (counted[i] == colour) return true;
  return false;
}

void DensityGrid::setPixelRatio(double newRatio) {
  if (!(newRatio > 0) || newRatio == ratio) return;
  const double oldScale = scale;
  ratio = newRatio;
  scale = ratio / 15.0;
  pen = penWidth(ratio);
  if (active() && widthTwips >= 0)
    resample(static_cast<int>(std::min(pixelsFor(widthTwips, scale), 1e9)),
             static_cast<int>(std::min(pixelsFor(heightTwips, scale), 1e9)), oldScale);
}

void DensityGrid::fit(double w, double h) {
  if (w == widthTwips && h == heightTwips && (cols > 0 || !active())) return;
  widthTwips = w;
  heightTwips = h;
  if (!active()) return;
  const double c = pixelsFor(w, scale), r = pixelsFor(h, scale);
  if (!(c * r <= kMaxPixels)) {
    hits = {};
    cols = rowCount = 0;
    most = 0;
    return;
  }
  if (static_cast<int>(c) != cols || static_cast<int>(r) != rowCount) resample(static_cast<int>(c), static_cast<int>(r), scale);
}

void DensityGrid::resample(int newCols, int newRows, double oldScale) {
  if (!(double(newCols) * newRows <= kMaxPixels)) {
    hits = {};
    cols = rowCount = 0;
    most = 0;
    return;
  }
  std::vector<uint32_t> fresh(static_cast<std::size_t>(newCols) * newRows, 0);
  most = 0;
  // Each new pixel takes the count of the old pixel under its centre; at the same scale that is
  // the same pixel, and pixels outside the old picture start at zero.
  const double step = oldScale / scale;
  for (int y = 0; y < newRows && cols > 0; ++y) {
    const int oy = static_cast<int>(std::floor((y + 0.5) * step));
    if (oy >= rowCount) break;
    for (int x = 0; x < newCols; ++x) {
      const int ox = static_cast<int>(std::floor((x + 0.5) * step));
      if (ox >= cols) break;
      const uint32_t n = hits[static_cast<std::size_t>(oy) * cols + ox];
      fresh[static_cast<std::size_t>(y) * newCols + x] = n;
      most = std::max(most, n);
    }
  }
  hits = std::move(fresh);
  cols = newCols;
  rowCount = newRows;
  last = Last::None;
}

void DensityGrid::clear() {
  std::fill(hits.begin(), hits.end(), 0u);
  most = 0;
  last = Last::None;
}

void DensityGrid::line(double x1, double y1, double x2, double y2, uint32_t colour) {
  if (!counts(colour)) {
    last = Last::None;
    return;
  }
  const bool continues = last == Last::Line && x1 == lastX && y1 == lastY;
  last = Last::Line;
  lastX = x2;
  lastY = y2;
  if (cols == 0) return;
  const double ax = x1 * scale, ay = y1 * scale, bx = x2 * scale, by = y2 * scale;
  // Most of an eye's segments lie wholly past one edge: dropped before the clip's divisions.
  const double lo = -pen, hiX = cols + 1.0, hiY = rowCount + 1.0;
  if ((ax < lo && bx < lo) || (ax > hiX && bx > hiX) || (ay < lo && by < lo) || (ay > hiY && by > hiY)) return;
  uint64_t highest = most;
  lineSpans({cols, rowCount}, ax, ay, bx, by, pen, CountSpans{hits.data(), cols, highest}, continues);
  most = static_cast<uint32_t>(highest);
}

void DensityGrid::circle(double x, double y, double r, uint32_t colour) {
  if (!counts(colour)) {
    last = Last::None;
    return;
  }
  r = std::fabs(r);
  const bool continues = last == Last::Circle && x == lastX && y == lastY && r > lastR;
  const double before = lastR;
  last = Last::Circle;
  lastX = x;
  lastY = y;
  lastR = r;
  if (cols == 0) return;
  const double cx = x * scale, cy = y * scale, rd = r * scale;
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rd) || rd > 1e5) return;
  // The ring the raster sets: one pen wide around the radius, a hole narrower than half the pen
  // closed up. A continued ring starts just outside the previous one's outer edge.
  const double half = pen / 2.0;
  const double outer = rd + half;
  double inner = rd - half > std::max(0.5, half) ? rd - half : 0.0;
  if (continues) inner = std::max(inner, before * scale + half);
  const double outer2 = outer * outer, inner2 = inner * inner;
  const int top = std::max(0, static_cast<int>(std::floor(cy - outer)));
  const int bottom = std::min(rowCount - 1, static_cast<int>(std::ceil(cy + outer)));
  const int left = std::max(0, static_cast<int>(std::floor(cx - outer)));
  const int right = std::min(cols - 1, static_cast<int>(std::ceil(cx + outer)));
  uint32_t* const data = hits.data();
  const int columns = cols;
  uint32_t highest = most;
  for (int row = top; row <= bottom; ++row) {
    const double dy = row + 0.5 - cy;
    uint32_t* line = data + static_cast<std::size_t>(row) * columns;
    for (int col = left; col <= right; ++col) {
      const double dx = col + 0.5 - cx, d2 = dx * dx + dy * dy;
      if (d2 <= outer2 && (continues ? d2 > inner2 : d2 >= inner2)) highest = std::max(highest, ++line[col]);
    }
  }
  most = highest;
}

}  // namespace linklab
