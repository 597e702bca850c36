#pragma once
// The readout strip along the bottom of the window: the receiver's figures in "Scatter" and
// "Full", the transmitter's in "Modulation", each with a tooltip saying how it is measured, and a
// button that starts the error counts again. The texts come from the core; this only shows them.
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
  // Brings the figures up to date with the model (after every tick and event).
  void sync();

 private:
  enum Figure { EbN0, Evm, Ser, Ber, Eye, OccupiedBandwidth, OutOfBand, FigureCount };
  Form1& form;
  std::array<QLabel*, FigureCount> labels{};
  QPushButton* reset = nullptr;
};

}  // namespace linklab
