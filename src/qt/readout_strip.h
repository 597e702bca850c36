#pragma once
// The readout strip along the bottom of the window: the receiver's figures in "Scatter" and
// "Full", the transmitter's in "Modulation", each with a tooltip saying how it is measured, and a
// button that starts the error counts again. The texts come from the core; this only shows them.
#include <QSize>
#include <QStatusBar>
#include <array>

class QLabel;
class QPushButton;

namespace linklab {

class Form1;
class MainWindowView;

class ReadoutStrip : public QStatusBar {
 public:
  ReadoutStrip(Form1& form, MainWindowView& view);
  // Brings the figures up to date with the model: after every event at once, and while the link
  // runs twice a second, as a meter does, so the digits can be read rather than flicker.
  void sync(bool onTick);
  // The figures never widen the window: a long one ends in an ellipsis.
  QSize minimumSizeHint() const override;
  // Grows with the layout, so the class can read the figures on a projected window.
  void setScale(double factor);
  // The strip's height at 100 %.
  int baseHeight() const { return unscaledHeight; }

 private:
  enum Figure { EbN0, Evm, Ser, Ber, Eye, OccupiedBandwidth, OutOfBand, FigureCount };
  Form1& form;
  std::array<QLabel*, FigureCount> labels{};
  QPushButton* reset = nullptr;
  int ticksSinceRefresh = 0;
  int shownScene = -1;
  int unscaledHeight = 0;
};

}  // namespace linklab
