#include <cmath>

#include "main_window/form1.h"

namespace linklab {

void Form1::Form_Load() {
  dSpectrums = 0;
  dBitsPerSymbol = 1.0;
  lTick = 0;
  dTxEyeScale = (110 - vscTxEyeScale.Value()) / 50.0;
  for (int i = 0; i <= 255; ++i) {
    dCycleSignal[i] = 0;
    dCycleCarrier[i] = 0;
  }
  dCarrierPhase = 0;
  fillLists();
  setScene(2);
  iBitsPerSymbol = 1;
  // The slider rests at 2 from the description, so assigning it raises no change: run it here.
  hscCarrier.setValue(2);
  hscCarrier_Change();
}

void Form1::hscCarrier_Change() {
  const int v = hscCarrier.Value();
  for (int i = 0; i <= 4095; ++i) {
    const int16_t n = static_cast<int16_t>(v * i);  // fits: the slider tops out at 8 * 4095
    const double a = n / 32.0 * pi;
    dCarrier[2 * i] = std::cos(a);
    dCarrier[2 * i + 1] = std::sin(a);
  }
  runSimulation();
}

}  // namespace linklab
