#include "qt/raster_surface.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

#include "form/segment_clip.h"
#include "qt/colours.h"
#include "qt/vector_state.h"

namespace linklab {

namespace {

uint32_t argbOf(uint32_t bgr) { return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF); }


}  // namespace

void RasterSurface::resize(int w, int h, double ratio, uint32_t back) {
  background = back;
  dpr = ratio;
  widthTwips = w;
  heightTwips = h;
  scale = dpr / kTwipsPerPixel;
  // A bold trace is drawn twice, 15 twips apart: the pen must reach across that whole step
  // (ratio pixels, rounded up), or at fractional ratios the two strokes part with a gap.
  pen = std::max(1, static_cast<int>(std::ceil(std::min(dpr, 64.0) - 1e-6)));
  // Sizes are checked as doubles before they become pixels: a twip size from a script can be
  // anything, and an image of it could ask for gigabytes.
  const double columnsWanted = std::max(1.0, std::round(w * scale));
  const double rowsWanted = std::max(1.0, std::round(h * scale));
  tooLarge = !(columnsWanted <= kMaxSide && rowsWanted <= kMaxSide && columnsWanted * rowsWanted <= kMaxPixels);
  if (tooLarge) {
    image = QImage();
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
}

std::string RasterSurface::error() const {
  if (!tooLarge) return {};
  return "picture too large to draw (" + std::to_string(widthTwips) + " x " + std::to_string(heightTwips) +
         " twips at " + std::to_string(dpr) + " pixels per 15 twips)";
}

void RasterSurface::setPixelRatio(double ratio) {
  if (ratio == dpr) return;
  const QImage before = image;
  const double oldRatio = dpr;
  resize(widthTwips, heightTwips, ratio, background);
  if (image.isNull() || image.size() == before.size()) return;
  takePixels();
  std::fill(pixels, pixels + static_cast<std::size_t>(stride) * image.height(), argbOf(background));
  if (logOverflowed) {
    if (before.isNull()) return;
    QPainter stretch(&image);
    stretch.setRenderHint(QPainter::SmoothPixmapTransform);
    stretch.drawImage(QRectF(0, 0, before.width() * ratio / oldRatio, before.height() * ratio / oldRatio), before);
    clearUpperVectorState();
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
  if (image.isNull()) return;
  // Filled here rather than by QImage::fill, whose vector code would leave the AVX state dirty
  // for the rest of the tick.
  takePixels();
  std::fill(pixels, pixels + static_cast<std::size_t>(stride) * image.height(), argbOf(background));
}

void RasterSurface::fade(int keep256) {
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
  pixels = reinterpret_cast<uint32_t*>(image.bits());
  stride = static_cast<int>(image.bytesPerLine() / 4);
  columns = image.width();
  rows = image.height();
}

// One step of a line: a single pixel, or for a wider pen a run of pen pixels across the line's
// direction (down for a flat line, sideways for a steep one). That gives the trace the pen's
// width at a pen's cost per step rather than its square.
inline void RasterSurface::dot(int x, int y, uint32_t argb, bool steep) {
  if (pen == 1) {
    if (static_cast<unsigned>(x) < static_cast<unsigned>(columns) && static_cast<unsigned>(y) < static_cast<unsigned>(rows))
      pixels[y * stride + x] = argb;
    return;
  }
  if (steep) {
    if (static_cast<unsigned>(y) >= static_cast<unsigned>(rows)) return;
    uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * stride;
    for (int col = std::max(0, x), end = std::min(columns, x + pen); col < end; ++col) row[col] = argb;
    return;
  }
  if (static_cast<unsigned>(x) >= static_cast<unsigned>(columns)) return;
  for (int row = std::max(0, y), end = std::min(rows, y + pen); row < end; ++row) pixels[row * stride + x] = argb;
}

void RasterSurface::Line(double x1, double y1, double x2, double y2) {
  remember({DrawOp::Kind::Line, x1, y1, x2, y2, foreColor});
  drawLine(x1, y1, x2, y2, foreColor);
}

void RasterSurface::Circle(double x, double y, double r, uint32_t colour) {
  remember({DrawOp::Kind::Circle, x, y, r, 0, colour});
  drawCircle(x, y, r, colour);
}

void RasterSurface::drawLine(double x1, double y1, double x2, double y2, uint32_t colour) {
  if (image.isNull()) return;
  double ax = x1 * scale, ay = y1 * scale, bx = x2 * scale, by = y2 * scale;
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  if (!clipSegment(ax, ay, bx, by, -pen, -pen, image.width() + 1.0, image.height() + 1.0)) return;
  int x = static_cast<int>(std::floor(ax)), y = static_cast<int>(std::floor(ay));
  const int xEnd = static_cast<int>(std::floor(bx)), yEnd = static_cast<int>(std::floor(by));
  const uint32_t argb = argbOf(colour);
  takePixels();
  const int dx = std::abs(xEnd - x), sx = x < xEnd ? 1 : -1;
  const int dy = -std::abs(yEnd - y), sy = y < yEnd ? 1 : -1;
  int err = dx + dy;
  const bool steep = -dy > dx;
  while (true) {
    dot(x, y, argb, steep);
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

void RasterSurface::drawCircle(double x, double y, double r, uint32_t colour) {
  if (image.isNull()) return;
  const double cxd = x * scale, cyd = y * scale, rd = std::fabs(r * scale);
  if (!std::isfinite(cxd) || !std::isfinite(cyd) || !std::isfinite(rd)) return;
  if (cxd + rd < -pen || cyd + rd < -pen || cxd - rd > image.width() + 1 || cyd - rd > image.height() + 1) return;
  if (rd > 1e5) return;  // larger than any picture: nothing of it would show
  const uint32_t argb = argbOf(colour);
  takePixels();
  // A ring one pen wide around the exact radius, row by row: small concentric rings close up
  // into a dot with no gaps, large ones stay thin.
  const double half = pen / 2.0;
  const double outer = rd + half;
  // A hole narrower than half the pen closes up, so the scatter's small rings make a solid dot.
  const double inner = rd - half > std::max(0.5, half) ? rd - half : 0.0;
  const int w = image.width(), h = image.height();
  const int top = std::max(0, static_cast<int>(std::floor(cyd - outer)));
  const int bottom = std::min(h - 1, static_cast<int>(std::ceil(cyd + outer)));
  for (int row = top; row <= bottom; ++row) {
    const double dy = row + 0.5 - cyd;
    if (std::fabs(dy) > outer) continue;
    const double reach = std::sqrt(outer * outer - dy * dy);
    const double hole = std::fabs(dy) < inner ? std::sqrt(inner * inner - dy * dy) : 0.0;
    const bool solid = hole == 0.0;
    auto span = [&](double from, double to) {
      const int a = std::max(0, static_cast<int>(std::ceil(from - 0.5)));
      const int b = std::min(w - 1, static_cast<int>(std::floor(to - 0.5)));
      for (int col = a; col <= b; ++col) pixels[row * stride + col] = argb;
    };
    if (solid) {
      span(cxd - reach, cxd + reach);
    } else {
      span(cxd - reach, cxd - hole);
      span(cxd + hole, cxd + reach);
    }
  }
}

}  // namespace linklab
