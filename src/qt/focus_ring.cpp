#include "qt/focus_ring.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

namespace linklab {

FocusRing::FocusRing(QWidget& window) : QWidget(&window), window(window) {
  setObjectName("FocusRing");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { follow(now); });
}

void FocusRing::setScale(double factor) {
  width = std::max(2, static_cast<int>(std::lround(2 * factor)));
  place();
}

void FocusRing::follow(QWidget* focused) {
  // A list's typing field has the focus inside the list; the ring goes round the whole list.
  if (focused && focused->parentWidget() &&
      (qobject_cast<QComboBox*>(focused->parentWidget()) || qobject_cast<QAbstractSpinBox*>(focused->parentWidget())))
    focused = focused->parentWidget();
  if (focused && focused->window() != &window) focused = nullptr;
  for (QWidget* w : {around.data(), aroundParent.data()})
    if (w) w->removeEventFilter(this);
  around = focused;
  aroundParent = focused ? focused->parentWidget() : nullptr;
  // The control moves with the layout; its parent (the canvas) moves when the bars change height.
  for (QWidget* w : {around.data(), aroundParent.data()})
    if (w && w != &window) w->installEventFilter(this);
  place();
}

bool FocusRing::eventFilter(QObject*, QEvent* event) {
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::EnabledChange:
      place();
      break;
    default:
      break;
  }
  return false;
}

void FocusRing::place() {
  if (!around || !around->isVisible() || !around->isEnabled()) {
    hide();
    return;
  }
  const QRect inner(around->mapTo(&window, QPoint(0, 0)), around->size());
  const QRect outer = inner.adjusted(-width, -width, width, width);
  setGeometry(outer);
  // Only the ring itself covers the window: the control inside repaints on its own.
  setMask(QRegion(rect()).subtracted(QRegion(rect().adjusted(width, width, -width, -width))));
  raise();
  show();
  update();
}

void FocusRing::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().color(QPalette::Active, QPalette::Highlight));
}

}  // namespace linklab
