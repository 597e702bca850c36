#include "qt/slider_value_tip.h"

#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>

namespace linklab {

void showSliderValue(QScrollBar& bar, const QString& text) {
  if (text.isEmpty() || !bar.isVisible()) return;
  QStyleOptionSlider option;
  option.initFrom(&bar);
  option.subControls = QStyle::SC_All;
  option.orientation = bar.orientation();
  option.minimum = bar.minimum();
  option.maximum = bar.maximum();
  option.sliderPosition = bar.sliderPosition();
  option.sliderValue = bar.value();
  option.singleStep = bar.singleStep();
  option.pageStep = bar.pageStep();
  option.upsideDown = bar.invertedAppearance();
  const QRect handle = bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
  // Beside the handle, off the bar: below a horizontal one, right of a vertical one.
  const QPoint at = bar.orientation() == Qt::Horizontal ? QPoint(handle.center().x(), handle.bottom() + 4)
                                                        : QPoint(handle.right() + 4, handle.center().y());
  QToolTip::showText(bar.mapToGlobal(at), text, &bar);
}

QString sliderTooltip(std::string_view about, const std::string& value) {
  QString text = QString::fromUtf8(about.data(), static_cast<int>(about.size()));
  if (value.empty()) return text;
  if (!text.isEmpty()) text += "\n";
  return text + "Now: " + QString::fromStdString(value);
}

}  // namespace linklab
