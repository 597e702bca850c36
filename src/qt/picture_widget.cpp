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
  p.setPen(border);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PictureWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && picture.onClick) {
    picture.onClick();
    afterEvent();
  }
}

}  // namespace linklab
