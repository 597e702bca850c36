#pragma once
// Gives every widget of the window, and every shape it paints, the sentence the core keeps for
// its control.
class QWidget;

namespace linklab {

class Form1;

// canvas: the widget that holds the controls and paints the shapes.
void applyTooltips(QWidget& canvas, const Form1& form);

}  // namespace linklab
