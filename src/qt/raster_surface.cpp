#include "qt/raster_surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "form/pixel_kernel.h"
#include "qt/colours.h"
#include "qt/vector_state.h"

namespace linklab {

namespace {

uint32_t argbOf(uint32_t bgr) { return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); }


}  // namespace

void RasterSurface::resize(int w, int h, double ratio, uint32_t back) {
  drawPending();
  background = back;
  dpr = ratio;
  widthTwips = w;
  heightTwips = h;
  scale = dpr / kTwipsPerPixel;
  // A bold trace is drawn twice, 15 twips apart: the pen must reach across that whole step
  // (ratio pixels, rounded up), or at fractional ratios the two strokes part with a gap.
  pen = penWidth(dpr);
  // Sizes are checked as doubles before they become pixels: a twip size from a script can be
  // anything, and an image of it could ask for gigabytes.
  const double columnsWanted = std::max(1.0, std::round(w * scale));
  const double rowsWanted = std::max(1.0, std::round(h * scale));
  tooLarge = !(columnsWanted <= kMaxSide && rowsWanted <= kMaxSide && columnsWanted * rowsWanted <= kMaxPixels);
  if (tooLarge) {
    image = QImage();
    takePixels();
    return;
  }
  const QSize size(static_cast<int>(columnsWanted), static_cast<int>(rowsWanted));
  if (!image.isNull() && image.size() == size) return;
  QImage fresh(size, QImage::Format_RGB32);
  fresh.fill(toQColor(background));
  if (!image.isNull()) {
    QPainter copy(&fresh);
    copy.drawImage(0, 0, image);
  }
  image = std::move(fresh);
  clearUpperVectorState();
  takePixels();
}

std::string RasterSurface::error() const {
  if (!tooLarge) return {};
  return "picture too large to draw (" + std::to_string(widthTwips) + " x " + std::to_string(heightTwips) +
         " twips at " + std::to_string(dpr) + " pixels per 15 twips)";
}

void RasterSurface::setPixelRatio(double ratio) {
  if (ratio == dpr) return;
  drawPending();
  const QImage before = image;
  const double oldRatio = dpr;
  resize(widthTwips, heightTwips, ratio, background);
  if (image.isNull() || image.size() == before.size()) return;
  fillBackground();
  if (logOverflowed) {
    if (before.isNull()) return;
    QPainter stretch(&image);
    stretch.setRenderHint(QPainter::SmoothPixmapTransform);
    stretch.drawImage(QRectF(0, 0, before.width() * ratio / oldRatio, before.height() * ratio / oldRatio), before);
    clearUpperVectorState();
    takePixels();
    return;
  }
  for (const DrawOp& op : log) {
    if (op.kind == DrawOp::Kind::Line)
      drawLine(op.x1, op.y1, op.x2, op.y2, op.colour);
    else
      drawCircle(op.x1, op.y1, op.x2, op.colour);
  }
}

void RasterSurface::remember(const DrawOp& op) {
  if (logOverflowed) return;
  if (log.size() >= kLogLimit) {
    logOverflowed = true;
    return;
  }
  log.push_back(op);
}

void RasterSurface::Cls() {
  log.clear();
  logOverflowed = false;
  pending.clear();
  clearPending = !image.isNull();
  work = clearPending ? rows * (columns / 8.0) : 0;
}

// Filled here rather than by QImage::fill, whose vector code would leave the AVX state dirty
// for the rest of the tick.
void RasterSurface::fillBackground() {
  takePixels();
  std::fill(pixels, pixels + static_cast<std::size_t>(stride) * image.height(), argbOf(background));
}

void RasterSurface::drawPending() {
  if (clearPending) fillBackground();
  clearPending = false;
  for (const DrawOp& op : pending) {
    if (op.kind == DrawOp::Kind::Line)
      drawLine(op.x1, op.y1, op.x2, op.y2, op.colour);
    else
      drawCircle(op.x1, op.y1, op.x2, op.colour);
  }
  pending.clear();
  work = 0;
}

void RasterSurface::fade(int keep256) {
  drawPending();
  if (image.isNull()) return;
  logOverflowed = true;
  takePixels();
  const uint32_t back = argbOf(background);
  const int br = (back >> 16) & 0xFF, bg = (back >> 8) & 0xFF, bb = back & 0xFF;
  // A difference d becomes d * keep / 256, truncated towards zero: it always reaches 0.
  auto toward = [keep256](uint32_t channel, int base) {
    const int d = static_cast<int>(channel) - base;
    return static_cast<uint32_t>(base + (d >= 0 ? (d * keep256) >> 8 : -((-d * keep256) >> 8)));
  };
  for (int y = 0; y < rows; ++y) {
    uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int x = 0; x < columns; ++x) {
      const uint32_t p = row[x];
      if (p == back) continue;
      row[x] = 0xFF000000u | (toward((p >> 16) & 0xFF, br) << 16) | (toward((p >> 8) & 0xFF, bg) << 8) |
               toward(p & 0xFF, bb);
    }
  }
}

void RasterSurface::takePixels() {
  rings.forget();  // the pixels are new or changed throughout
  if (image.isNull()) {
    pixels = nullptr;
    stride = columns = rows = 0;
    return;
  }
  pixels = reinterpret_cast<uint32_t*>(image.bits());
  stride = static_cast<int>(image.bytesPerLine() / 4);
  columns = image.width();
  rows = image.height();
}

void RasterSurface::Line(double x1, double y1, double x2, double y2) {
  const DrawOp op{DrawOp::Kind::Line, x1, y1, x2, y2, foreColor};
  remember(op);
  if (!pixels && !clearPending) return;
  if (pending.size() >= kLogLimit) drawPending();  // never drawn by a view: keep it bounded
  pending.push_back(op);
  work += (std::fabs(x2 - x1) + std::fabs(y2 - y1)) * scale * pen + 8;
}

void RasterSurface::Circle(double x, double y, double r, uint32_t colour) {
  const DrawOp op{DrawOp::Kind::Circle, x, y, r, 0, colour};
  remember(op);
  if (!pixels && !clearPending) return;
  if (pending.size() >= kLogLimit) drawPending();
  pending.push_back(op);
  work += std::fabs(r) * scale * 2 * pen + 8;
}

void RasterSurface::drawLine(double x1, double y1, double x2, double y2, uint32_t colour) {
  if (!pixels) return;
  const double ax = x1 * scale, ay = y1 * scale, bx = x2 * scale, by = y2 * scale;
  rings.lineOver(ax, ay, bx, by, pen);
  fillLine({columns, rows}, ax, ay, bx, by, pen, FillSpans{pixels, stride, argbOf(colour)});
}

void RasterSurface::drawCircle(double x, double y, double r, uint32_t colour) {
  if (!pixels) return;
  rings.ring({columns, rows}, x * scale, y * scale, r * scale, pen, FillSpans{pixels, stride, argbOf(colour)});
}

}  // namespace linklab
