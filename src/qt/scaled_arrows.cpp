#include "qt/scaled_arrows.h"

#include <QApplication>
#include <QPainter>
#include <QPolygonF>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionComplex>
#include <algorithm>

#include "qt/app_scale.h"

namespace linklab {

namespace {

// Below this scale the style's own arrows read well.
constexpr double kFromScale = 1.3;

void drawArrow(QPainter* p, const QStyleOption* option, const QRect& r, Qt::ArrowType type) {
  if (r.isEmpty()) return;
  const double s = 0.22 * std::min(r.width(), r.height());  // half the arrow's base
  const QPointF c = QRectF(r).center();
  QPolygonF arrow;
  switch (type) {
    case Qt::UpArrow: arrow << c + QPointF(-s, s / 2) << c + QPointF(s, s / 2) << c + QPointF(0, -s / 2); break;
    case Qt::DownArrow: arrow << c + QPointF(-s, -s / 2) << c + QPointF(s, -s / 2) << c + QPointF(0, s / 2); break;
    case Qt::LeftArrow: arrow << c + QPointF(s / 2, -s) << c + QPointF(s / 2, s) << c + QPointF(-s / 2, 0); break;
    default: arrow << c + QPointF(-s / 2, -s) << c + QPointF(-s / 2, s) << c + QPointF(s / 2, 0); break;
  }
  p->save();
  p->setRenderHint(QPainter::Antialiasing);
  p->setPen(Qt::NoPen);
  p->setBrush(option->palette.color(option->state & QStyle::State_Enabled ? QPalette::Active : QPalette::Disabled,
                                    QPalette::ButtonText));
  p->drawPolygon(arrow);
  p->restore();
}

double scaleOf(const QWidget* widget) {
  return widget ? widget->font().pointSizeF() / desktopFont().pointSizeF() : 1.0;
}

class ScaledArrowStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  // A slider's arrow buttons are as long as the slider is thick, as they are at 100 %.
  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (metric != PM_ScrollBarExtent || !option || scaleOf(widget) < kFromScale) return base;
    return std::max(base, std::min(option->rect.width(), option->rect.height()));
  }

  // A list's arrow button widens with the list's height, at the cost of its text field.
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                       const QWidget* widget) const override {
    QRect r = QProxyStyle::subControlRect(control, option, part, widget);
    if (control != CC_ComboBox || scaleOf(widget) < kFromScale) return r;
    const int arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget).width();
    const int extra = static_cast<int>(0.6 * option->rect.height()) - arrow;
    if (extra <= 0) return r;
    if (part == SC_ComboBoxArrow) r.setLeft(r.left() - extra);
    if (part == SC_ComboBoxEditField) r.setRight(r.right() - extra);
    return r;
  }

  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* p,
                          const QWidget* widget) const override {
    QProxyStyle::drawComplexControl(control, option, p, widget);
    // Drawn over the style's small arrow, which sits at the same centre and stays inside.
    if (control == CC_ComboBox && scaleOf(widget) >= kFromScale) {
      drawArrow(p, option, subControlRect(control, option, SC_ComboBoxArrow, widget), Qt::DownArrow);
    } else if (control == CC_ScrollBar && scaleOf(widget) >= kFromScale) {
      const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option);
      const bool across = bar && bar->orientation == Qt::Horizontal;
      drawArrow(p, option, subControlRect(control, option, SC_ScrollBarSubLine, widget),
                across ? Qt::LeftArrow : Qt::UpArrow);
      drawArrow(p, option, subControlRect(control, option, SC_ScrollBarAddLine, widget),
                across ? Qt::RightArrow : Qt::DownArrow);
    }
  }
};

}  // namespace

QStyle* scaledArrowStyle(QObject* owner) {
  auto* style = new ScaledArrowStyle(QStyleFactory::create(QApplication::style()->name()));
  style->setParent(owner);
  return style;
}

}  // namespace linklab
