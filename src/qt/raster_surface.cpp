#include "qt/raster_surface.h"

#include <algorithm>
#include <cmath>

#include "qt/colours.h"

namespace linklab {

void RasterSurface::resize(int w, int h, double dpr, uint32_t back) {
  background = back;
  const QSize size(std::max(1, static_cast<int>(std::lround(w * dpr / kTwipsPerPixel))),
                   std::max(1, static_cast<int>(std::lround(h * dpr / kTwipsPerPixel))));
  widthTwips = w;
  heightTwips = h;
  scale = dpr / kTwipsPerPixel;
  if (!image.isNull() && image.size() == size) return;
  if (active.isActive()) active.end();
  QImage fresh(size, QImage::Format_RGB32);
  fresh.fill(toQColor(background));
  if (!image.isNull()) {
    QPainter copy(&fresh);
    copy.drawImage(0, 0, image);
  }
  image = std::move(fresh);
}

QPainter& RasterSurface::painter() {
  if (!active.isActive()) {
    active.begin(&image);
    active.setRenderHint(QPainter::Antialiasing, false);
  }
  return active;
}

void RasterSurface::Cls() {
  if (active.isActive()) active.end();
  image.fill(toQColor(background));
}

namespace {
// Clamps a coordinate so that absurd values neither overflow the rasteriser nor take it long.
double tame(double v) { return std::clamp(v, -1e5, 1e5); }
}  // namespace

void RasterSurface::Line(double x1, double y1, double x2, double y2) {
  if (image.isNull()) return;
  const double ax = x1 * scale, ay = y1 * scale, bx = x2 * scale, by = y2 * scale;
  if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(bx) || !std::isfinite(by)) return;
  const double w = image.width(), h = image.height();
  if ((ax < -2 && bx < -2) || (ay < -2 && by < -2) || (ax > w + 2 && bx > w + 2) || (ay > h + 2 && by > h + 2))
    return;  // wholly outside
  QPainter& p = painter();
  QPen pen(toQColor(foreColor));
  pen.setWidthF(std::max(1.0, scale * kTwipsPerPixel));
  pen.setCapStyle(Qt::SquareCap);
  p.setPen(pen);
  p.drawLine(QPointF(tame(ax), tame(ay)), QPointF(tame(bx), tame(by)));
}

void RasterSurface::Circle(double x, double y, double r, uint32_t colour) {
  if (image.isNull()) return;
  const double cx = x * scale, cy = y * scale, radius = std::fabs(r * scale);
  if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius)) return;
  if (cx + radius < -2 || cy + radius < -2 || cx - radius > image.width() + 2 || cy - radius > image.height() + 2)
    return;
  QPainter& p = painter();
  p.setPen(QPen(toQColor(colour), std::max(1.0, scale * kTwipsPerPixel)));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(cx, cy), radius, radius);
}

const QImage& RasterSurface::finished() {
  if (active.isActive()) active.end();
  return image;
}

}  // namespace linklab
