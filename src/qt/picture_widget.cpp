#include "qt/picture_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "form/picture_box.h"
#include "qt/colours.h"

namespace linklab {

PictureWidget::PictureWidget(PictureBox& picture, QWidget* parent, std::function<void()> afterEvent)
    : QWidget(parent), picture(picture), afterEvent(std::move(afterEvent)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  syncGeometry();
  picture.attachRaster(&surface);
}

void PictureWidget::syncGeometry() {
  const QRect wanted(px(picture.Left), px(picture.Top), std::max(1, px(picture.Width)), std::max(1, px(picture.Height)));
  if (geometry() != wanted) setGeometry(wanted);
  surface.resize(picture.Width, picture.Height, devicePixelRatioF(), picture.BackColor);
}

void PictureWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(rect(), surface.finished());
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
