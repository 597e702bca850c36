// The handlers of the remaining controls: each records its setting, clears the displays that the
// change makes stale, and shows the change at once or with the next tick.
#include "form/numbers.h"
#include "main_window/form1.h"

namespace linklab {

void Form1::cmbData_Change() {
  RestartPics(0);
  RestartPics(1);
  bFiltersValid = 0;
  tickOnce();
}

void Form1::cmbNoise_Change() {
  if (refusedTyped(cmbNoise, TypedField::NoiseLevel)) return;
  // The transmit spectrum does not depend on the noise, so its average survives.
  RestartPics(1);
  bFiltersValid = 0;
  tickOnce();
}

void Form1::cmbMultipathDelay_Change() {
  RestartPics(1);
  tickOnce();
}

void Form1::cmbMultipathMag_Change() {
  RestartPics(1);
  tickOnce();
}

void Form1::cmbNonlinear_Change() {
  RestartPics(0);
  tickOnce();
}

void Form1::vscFSK_Change() {
  txtFSK.setText(Str((30 - vscFSK.Value()) / 6.0));
  RestartPics(0);
  bFiltersValid = 0;
  tickOnce();
}

// The modulator reads the index at every run; a typed index only has to be one it can use.
void Form1::txtFSK_Change() { refusedTyped(txtFSK, TypedField::FskIndex); }

void Form1::hscSample_Change() {
  picScatter[2].Cls();
  picEye[0].Cls();
  picEye[1].Cls();
  picEye[2].Cls();
}

void Form1::hscSpectrum_Change() { dSpectrumZoom = hscSpectrum.Value(); }

void Form1::vscTxEyeScale_Change() {
  dTxEyeScale = (110 - vscTxEyeScale.Value()) / 50.0;
  for (int j = 0; j <= 2; ++j) {
    picEye[j].Cls();
    picScatter[j].Cls();
  }
}

void Form1::vscYThreshold_Change() {
  dYThreshold = (110 - vscYThreshold.Value()) / 50.0;
  picScatter[2].Cls();
}

void Form1::vscSync_Change() {
  if (vscSync.Value() == 1) dCarrierPhase += pi / 50;
  if (vscSync.Value() == -1) dCarrierPhase -= pi / 50;
  // A spin button: it rests at 0, and the reset comes back here once with no phase change.
  vscSync.setValue(0);
  picEye[0].Cls();
  picEye[1].Cls();
  picEye[2].Cls();
  picScatter[0].Cls();
  picScatter[1].Cls();
  picScatter[2].Cls();
}

void Form1::chkPassband_Click() {
  if (chkPassband.Value() == 1)
    arrangeComponentPics(2520, 1200, 360, 1440);
  else
    arrangeComponentPics(2520, 1500, 420, 720);
  picSpectrum[1].Cls();
  runOnScreen();
}

void Form1::chkLinear_Click() {
  chkLinear.Caption = chkLinear.Value() == 1 ? "Linear Plot" : "Log Plot";
}

void Form1::chkMemory_Click() { chkMemory.ForeColor = chkMemory.Value() == 1 ? 0x8000 : 0x0; }

void Form1::picScatter_Click(int16_t Index) {
  if (Index == 0) picScatter[0].Cls();
}

void Form1::picSpectrum_Click(int16_t Index) {
  if (Index == 0) dSpectrums = 0;
}

}  // namespace linklab
