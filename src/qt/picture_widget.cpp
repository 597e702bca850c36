#include "qt/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>

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

void PictureWidget::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage& image = surface.finished();
  // One image pixel on one device pixel: a plain copy, never a stretch.
  const double ratio = devicePixelRatioF();
  const QRectF placed(0, 0, image.width() / ratio, image.height() / ratio);
  p.drawImage(placed, image, QRectF(image.rect()));
  // Edge rounding may leave the widget a pixel larger than the raster.
  const QRegion uncovered = QRegion(event->rect()) - QRegion(placed.toAlignedRect());
  for (const QRect& r : uncovered) p.fillRect(r, toQColor(picture.BackColor));
  p.setPen(QColor(128, 128, 128));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && picture.onClick) {
    picture.onClick();
    afterEvent();
  }
}

}  // namespace linklab
