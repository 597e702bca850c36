#include "qt/picture_widget.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "form/picture_box.h"
#include "qt/colours.h"

namespace linklab {

PictureWidget::PictureWidget(PictureBox& picture, QWidget* parent, std::function<void()> afterEvent)
    : QWidget(parent), picture(picture), afterEvent(std::move(afterEvent)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  syncGeometry(LayoutScale{});
  picture.attachRaster(&surface);
}

void PictureWidget::syncGeometry(const LayoutScale& scale) {
  const QRect wanted = scale.rect(picture.Left, picture.Top, picture.Width, picture.Height);
  if (geometry() != wanted) setGeometry(wanted);
  const double ratio = scale.factor * devicePixelRatioF();
  if (surface.ScaleWidth() != picture.Width || surface.ScaleHeight() != picture.Height)
    surface.resize(picture.Width, picture.Height, surface.pixelRatio(), picture.BackColor);
  if (surface.pixelRatio() != ratio) {
    surface.setPixelRatio(ratio);
    update();
  }
}

void PictureWidget::setCovers(const std::vector<QRect>& rects) {
  if (rects == covered && size() == coveredSize) return;
  covered = rects;
  coveredSize = size();
  exposed = QRegion(rect());
  for (const QRect& r : covered) exposed -= r;
  update();  // what a control that moved away uncovered shows again
}

void PictureWidget::refresh() {
  if (covered.empty())
    update();
  else
    update(exposed);
}

void PictureWidget::paintEvent(QPaintEvent*) {
  // Painted every tick: no region arithmetic and no pen built here, so the paint makes no
  // allocation of its own beyond the painter.
  static const QPen border(QColor(128, 128, 128));
  QPainter p(this);
  const QImage& image = surface.finished();
  // One image pixel on one device pixel: a plain copy, never a stretch.
  const double ratio = devicePixelRatioF();
  const QRectF placed(0, 0, image.width() / ratio, image.height() / ratio);
  p.drawImage(placed, image, QRectF(image.rect()));
  // Edge rounding may leave the widget a pixel larger than the raster.
  const QRect drawn = placed.toAlignedRect();
  if (drawn.right() < width() - 1)
    p.fillRect(QRect(drawn.right() + 1, 0, width(), height()), toQColor(picture.BackColor));
  if (drawn.bottom() < height() - 1)
    p.fillRect(QRect(0, drawn.bottom() + 1, width(), height()), toQColor(picture.BackColor));
  if (shown.lineCount > 0 || shown.labelCount > 0) {
    if (overlayStale || overlay.size() != QSize(std::max(1, int(std::ceil(width() * ratio))),
                                                std::max(1, int(std::ceil(height() * ratio)))))
      drawOverlay();
    // Darken keeps every trace pixel that is darker than the grid: the grid lies under the traces.
    p.setCompositionMode(QPainter::CompositionMode_Darken);
    p.drawImage(QPointF(0, 0), overlay);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
  }
  p.setPen(border);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

QFont PictureWidget::scaleFont() const {
  QFont f = font();
  f.setPointSizeF(f.pointSizeF() * 0.9);
  return f;
}

ScaleStyle PictureWidget::scaleStyle() const {
  // Worked out again only when the font or the size changed: a sync at every tick asks for it.
  const double points = font().pointSizeF();
  if (styleFor.size == size() && styleFor.points == points && styleFor.twips == picture.Width) return styleFor.style;
  // Twips per logical pixel of this widget at the layout's current scale.
  const double perPixel = picture.Width > 0 && width() > 0 ? double(picture.Width) / width() : 15.0;
  const QFontMetricsF metrics(scaleFont());
  styleFor = {size(), points, picture.Width,
              {metrics.height() * perPixel, metrics.horizontalAdvance(QLatin1Char('0')) * perPixel, 2 * perPixel}};
  return styleFor.style;
}

void PictureWidget::setScales(const PictureScales& description) {
  if (description == shown) return;
  shown = description;
  overlayStale = true;
  update();
}

void PictureWidget::drawOverlay() {
  overlayStale = false;
  const double ratio = devicePixelRatioF();
  const QSize pixels(std::max(1, int(std::ceil(width() * ratio))), std::max(1, int(std::ceil(height() * ratio))));
  if (overlay.size() != pixels) overlay = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
  overlay.setDevicePixelRatio(ratio);
  overlay.fill(Qt::transparent);
  if (shown.lineCount == 0 && shown.labelCount == 0) return;
  QPainter p(&overlay);
  const double sx = picture.Width > 0 ? width() / double(picture.Width) : 1 / 15.0;
  const double sy = picture.Height > 0 ? height() / double(picture.Height) : 1 / 15.0;
  // Hairlines on whole pixels, so the grid stays one crisp pixel at any size.
  const QPen grid(QColor(208, 208, 208), 0), zero(QColor(160, 160, 160), 0);
  for (int i = 0; i < shown.lineCount; ++i) {
    const ScaleLine& l = shown.lines[i];
    p.setPen(l.zero ? zero : grid);
    auto snap = [](double v) { return std::floor(v) + 0.5; };
    p.drawLine(QPointF(snap(l.x1 * sx), snap(l.y1 * sy)), QPointF(snap(l.x2 * sx), snap(l.y2 * sy)));
  }
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setFont(scaleFont());
  p.setPen(QColor(70, 70, 70));
  const QFontMetricsF metrics(p.font());
  for (int i = 0; i < shown.labelCount; ++i) {
    const ScaleLabel& l = shown.labels[i];
    const QString text = QString::fromUtf8(l.text.data());
    const double w = metrics.horizontalAdvance(text);
    double x = l.x * sx;
    if (l.align == LabelAlign::Centre) x -= w / 2;
    if (l.align == LabelAlign::Right) x -= w;
    const double y = l.edge == LabelEdge::Top ? l.y * sy + metrics.ascent() : l.y * sy - metrics.descent();
    p.drawText(QPointF(x, y), text);
  }
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && picture.onClick) {
    picture.onClick();
    afterEvent();
  }
}

}  // namespace linklab
