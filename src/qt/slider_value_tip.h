#pragma once
// A slider's value in real units: in a small tip beside its handle while it moves, and at the
// end of its tooltip at all times.
#include <QString>
#include <string>
#include <string_view>

class QScrollBar;

namespace linklab {

// Shows text beside the bar's handle (nothing for an empty text or a hidden bar).
void showSliderValue(QScrollBar& bar, const QString& text);

// The control's own sentence followed by "Now: " and its value.
QString sliderTooltip(std::string_view about, const std::string& value);

}  // namespace linklab
