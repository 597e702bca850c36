#pragma once
// Gives every widget of the window, and every shape it paints, the sentence the core keeps for
// its control.
#include <QPointF>
#include <functional>

class QWidget;

namespace linklab {

class Form1;

// canvas: the widget that holds the controls and paints the shapes; toTwips maps a position on
// it to the form's twips, as its mouse events do.
void applyTooltips(QWidget& canvas, const Form1& form, std::function<QPointF(QPointF)> toTwips);

}  // namespace linklab
