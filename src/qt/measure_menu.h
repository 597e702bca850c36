#pragma once
// The Measure menu: the error-rate curve window.
class QMenuBar;

namespace linklab {

class Form1;
class MainWindowView;

void addMeasureMenu(QMenuBar& bar, Form1& form, MainWindowView& view);

}  // namespace linklab
