#include "form/density_grid.h"

#include <algorithm>
#include <cmath>

#include "form/segment_clip.h"

namespace linklab {

namespace {

// The pixel size of a picture at a scale, as a raster of it has: at least one pixel a side.
double pixelsFor(double twips, double scale) { return std::max(1.0, std::round(twips * scale)); }

// The pixels a segment covers, in device pixels, the way the raster sets them: clipped to just
// past the picture, stepped from pixel to pixel (Bresenham), and at each step a run of pen pixels
// across the line's direction. Calls dot(x, y, steep) for each step, leaving out the first when
// skipFirst.
template <class Dot>
void stepSegment(double ax, double ay, double bx, double by, int pen, int columns, int rows, bool skipFirst,
                 Dot&& dot) {
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  // Most of an eye's segments lie wholly past one edge: dropped before the clip's divisions.
  const double lo = -pen, hiX = columns + 1.0, hiY = rows + 1.0;
  if ((ax < lo && bx < lo) || (ax > hiX && bx > hiX) || (ay < lo && by < lo) || (ay > hiY && by > hiY)) return;
  const double fromX = ax, fromY = ay;
  if (!clipSegment(ax, ay, bx, by, -pen, -pen, columns + 1.0, rows + 1.0)) return;
  // A start moved by the clip is no longer the pixel the previous segment ended on.
  skipFirst = skipFirst && ax == fromX && ay == fromY;
  int x = static_cast<int>(std::floor(ax)), y = static_cast<int>(std::floor(ay));
  const int xEnd = static_cast<int>(std::floor(bx)), yEnd = static_cast<int>(std::floor(by));
  const int dx = std::abs(xEnd - x), sx = x < xEnd ? 1 : -1;
  const int dy = -std::abs(yEnd - y), sy = y < yEnd ? 1 : -1;
  int err = dx + dy;
  const bool steep = -dy > dx;
  while (true) {
    if (!skipFirst) dot(x, y, steep);
    skipFirst = false;
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
}

}  // namespace

void DensityGrid::countColours(std::initializer_list<uint32_t> colours) {
  colourCount = 0;
  for (uint32_t c : colours)
    if (colourCount < MaxColours) counted[colourCount++] = c;
  if (colourCount == 0) {
    hits = {};
    cols = rowCount = 0;
    most = 0;
    mostKnown = true;
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
  pen = std::max(1, static_cast<int>(std::ceil(std::min(ratio, 64.0) - 1e-6)));
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
    mostKnown = true;
    return;
  }
  if (static_cast<int>(c) != cols || static_cast<int>(r) != rowCount) resample(static_cast<int>(c), static_cast<int>(r), scale);
}

void DensityGrid::resample(int newCols, int newRows, double oldScale) {
  if (!(double(newCols) * newRows <= kMaxPixels)) {
    hits = {};
    cols = rowCount = 0;
    most = 0;
    mostKnown = true;
    return;
  }
  std::vector<uint32_t> fresh(static_cast<std::size_t>(newCols) * newRows, 0);
  most = 0;
  mostKnown = true;
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
  mostKnown = true;
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
  // Locals, not members, in the loop: a count written through a pointer could be any member.
  uint32_t* const data = hits.data();
  const int columns = cols, rows = rowCount, width = pen;
  mostKnown = false;
  stepSegment(x1 * scale, y1 * scale, x2 * scale, y2 * scale, width, columns, rows, continues,
              [&](int x, int y, bool steep) {
                if (width == 1) {  // at 100 % a step is one pixel: the usual case, kept short
                  if (static_cast<unsigned>(x) < static_cast<unsigned>(columns) &&
                      static_cast<unsigned>(y) < static_cast<unsigned>(rows))
                    ++data[static_cast<std::size_t>(y) * columns + x];
                  return;
                }
                // A run of pen pixels across the line's direction, as the raster's pen covers them.
                const int xEnd = steep ? x + width : x + 1, yEnd = steep ? y + 1 : y + width;
                for (int row = std::max(0, y), rowEnd = std::min(rows, yEnd); row < rowEnd; ++row) {
                  uint32_t* line = data + static_cast<std::size_t>(row) * columns;
                  for (int col = std::max(0, x), colEnd = std::min(columns, xEnd); col < colEnd; ++col)
                    ++line[col];
                }
              });
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
  mostKnown = false;
  for (int row = top; row <= bottom; ++row) {
    const double dy = row + 0.5 - cy;
    uint32_t* line = data + static_cast<std::size_t>(row) * columns;
    for (int col = left; col <= right; ++col) {
      const double dx = col + 0.5 - cx, d2 = dx * dx + dy * dy;
      if (d2 <= outer2 && (continues ? d2 > inner2 : d2 >= inner2)) ++line[col];
    }
  }
}

uint32_t DensityGrid::maximum() const {
  if (!mostKnown) {
    most = hits.empty() ? 0 : *std::max_element(hits.begin(), hits.end());
    mostKnown = true;
  }
  return most;
}

}  // namespace linklab
