#include "pixel_raster.h"

#include <algorithm>
#include <cmath>

#include "form/pixel_kernel.h"

namespace linklab::web {

namespace {

uint32_t rgbaOf(uint32_t bgr) { return 0xFF000000u | (bgr & 0xFFFFFFu); }


}  // namespace

void PixelRaster::setScale(double devicePixelsPerTwip) {
  if (!(devicePixelsPerTwip > 0) || devicePixelsPerTwip == scale) return;
  scale = devicePixelsPerTwip;
  // A trace is drawn twice 15 twips apart; the pen must be at least that wide so the two
  // strokes close into one solid line at any zoom.
  pen = penWidth(scale * 15);
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
  rings.forget();
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
  rings.forget();
}

void PixelRaster::Cls() {
  std::fill(image.begin(), image.end(), rgbaOf(background));
  rings.forget();
}

void PixelRaster::Line(double x1, double y1, double x2, double y2) {
  const double ax = x1 * scale, ay = y1 * scale, bx = x2 * scale, by = y2 * scale;
  rings.lineOver(ax, ay, bx, by, pen);
  fillLine({cols, rowCount}, ax, ay, bx, by, pen, FillSpans{image.data(), cols, rgbaOf(foreColor)});
}

void PixelRaster::Circle(double x, double y, double r, uint32_t colour) {
  rings.ring({cols, rowCount}, x * scale, y * scale, r * scale, pen, FillSpans{image.data(), cols, rgbaOf(colour)});
}

}  // namespace linklab::web
