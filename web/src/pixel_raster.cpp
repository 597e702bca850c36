#include "pixel_raster.h"

#include <algorithm>
#include <cmath>

#include "form/segment_clip.h"

namespace linklab::web {

namespace {

uint32_t rgbaOf(uint32_t bgr) { return 0xFF000000u | (bgr & 0xFFFFFFu); }


}  // namespace

void PixelRaster::setScale(double devicePixelsPerTwip) {
  if (!(devicePixelsPerTwip > 0) || devicePixelsPerTwip == scale) return;
  scale = devicePixelsPerTwip;
  // A trace is drawn twice 15 twips apart; the pen must be at least that wide so the two
  // strokes close into one solid line at any zoom.
  pen = std::max(1, static_cast<int>(std::ceil(scale * 15 - 1e-6)));
  // At a new zoom what was drawn is stretched to the new size, so the pictures that build up
  // over many ticks (eye, scatter) keep their history.
  const int newCols = std::max(1, static_cast<int>(std::lround(widthTwips * scale)));
  const int newRows = std::max(1, static_cast<int>(std::lround(heightTwips * scale)));
  if (image.empty() || (newCols == cols && newRows == rowCount)) return resize(newCols, newRows);
  std::vector<uint32_t> fresh(static_cast<std::size_t>(newCols) * newRows);
  for (int row = 0; row < newRows; ++row) {
    const int from = static_cast<int>(static_cast<long long>(row) * rowCount / newRows);
    for (int col = 0; col < newCols; ++col)
      fresh[static_cast<std::size_t>(row) * newCols + col] =
          image[static_cast<std::size_t>(from) * cols + static_cast<long long>(col) * cols / newCols];
  }
  image = std::move(fresh);
  cols = newCols;
  rowCount = newRows;
}

void PixelRaster::fitTo(int w, int h) {
  if (w == widthTwips && h == heightTwips) return;
  widthTwips = w;
  heightTwips = h;
  resize(std::max(1, static_cast<int>(std::lround(w * scale))), std::max(1, static_cast<int>(std::lround(h * scale))));
}

void PixelRaster::resize(int newCols, int newRows) {
  if (newCols == cols && newRows == rowCount) return;
  // Keeps what was drawn where it still fits.
  std::vector<uint32_t> fresh(static_cast<std::size_t>(newCols) * newRows, rgbaOf(background));
  for (int row = 0; row < std::min(rowCount, newRows); ++row)
    std::copy_n(image.begin() + static_cast<std::ptrdiff_t>(row) * cols, std::min(cols, newCols),
                fresh.begin() + static_cast<std::ptrdiff_t>(row) * newCols);
  image = std::move(fresh);
  cols = newCols;
  rowCount = newRows;
}

void PixelRaster::Cls() { std::fill(image.begin(), image.end(), rgbaOf(background)); }

inline void PixelRaster::dot(int x, int y, uint32_t rgba) {
  for (int row = std::max(0, y); row < std::min(rowCount, y + pen); ++row)
    for (int col = std::max(0, x); col < std::min(cols, x + pen); ++col)
      image[static_cast<std::size_t>(row) * cols + col] = rgba;
}

void PixelRaster::Line(double x1, double y1, double x2, double y2) {
  if (image.empty()) return;
  double ax = x1 * scale, ay = y1 * scale, bx = x2 * scale, by = y2 * scale;
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  if (!clipSegment(ax, ay, bx, by, -pen, -pen, cols + 1.0, rowCount + 1.0)) return;
  int x = static_cast<int>(std::floor(ax)), y = static_cast<int>(std::floor(ay));
  const int xEnd = static_cast<int>(std::floor(bx)), yEnd = static_cast<int>(std::floor(by));
  const uint32_t rgba = rgbaOf(foreColor);
  const int dx = std::abs(xEnd - x), sx = x < xEnd ? 1 : -1;
  const int dy = -std::abs(yEnd - y), sy = y < yEnd ? 1 : -1;
  int err = dx + dy;
  while (true) {
    dot(x, y, rgba);
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

void PixelRaster::Circle(double x, double y, double r, uint32_t colour) {
  if (image.empty()) return;
  const double cx = x * scale, cy = y * scale, rd = std::fabs(r * scale);
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(rd)) return;
  if (cx + rd < -pen || cy + rd < -pen || cx - rd > cols + 1 || cy - rd > rowCount + 1) return;
  if (rd > 1e5) return;  // larger than any picture: nothing of it would show
  const uint32_t rgba = rgbaOf(colour);
  // A ring one pen wide around the exact radius, row by row: small concentric rings close up
  // into a dot with no gaps, large ones stay thin.
  const double half = pen / 2.0;
  const double outer = rd + half;
  const double inner = rd - half > 0.5 ? rd - half : 0.0;
  const int top = std::max(0, static_cast<int>(std::floor(cy - outer)));
  const int bottom = std::min(rowCount - 1, static_cast<int>(std::ceil(cy + outer)));
  for (int row = top; row <= bottom; ++row) {
    const double dy = row + 0.5 - cy;
    if (std::fabs(dy) > outer) continue;
    const double reach = std::sqrt(outer * outer - dy * dy);
    const double hole = std::fabs(dy) < inner ? std::sqrt(inner * inner - dy * dy) : 0.0;
    auto span = [&](double from, double to) {
      const int a = std::max(0, static_cast<int>(std::ceil(from - 0.5)));
      const int b = std::min(cols - 1, static_cast<int>(std::floor(to - 0.5)));
      for (int col = a; col <= b; ++col) image[static_cast<std::size_t>(row) * cols + col] = rgba;
    };
    if (hole == 0.0) {
      span(cx - reach, cx + reach);
    } else {
      span(cx - reach, cx - hole);
      span(cx + hole, cx + reach);
    }
  }
}

}  // namespace linklab::web
