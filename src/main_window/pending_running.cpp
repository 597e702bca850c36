// Placeholders until the chain driver, animation, option rules, scenes, handlers and drag
// handles land; each is removed here when its real body is written.
#include "main_window/form1.h"

namespace linklab {
void Form1::cmbMod_Change(int16_t) {}
void Form1::cmbFilter_Change(int16_t) {}
void Form1::cmbTxEB_Change(int16_t) {}
void Form1::cmbTxBW_Change(int16_t) {}
void Form1::cmbTxSC_Change(int16_t) {}
void Form1::cmbScene_Change() {}
void Form1::setScene(int32_t) {}
void Form1::arrangeComponentPics(int16_t, int16_t, int16_t, double) {}
void Form1::cmbData_Change() {}
void Form1::cmbNoise_Change() {}
void Form1::cmbMultipathDelay_Change() {}
void Form1::cmbMultipathMag_Change() {}
void Form1::cmbNonlinear_Change() {}
void Form1::vscFSK_Change() {}
void Form1::hscSample_Change() {}
void Form1::hscSpectrum_Change() {}
void Form1::vscTxEyeScale_Change() {}
void Form1::vscYThreshold_Change() {}
void Form1::vscSync_Change() {}
void Form1::chkPassband_Click() {}
void Form1::chkLinear_Click() {}
void Form1::chkMemory_Click() {}
void Form1::picScatter_Click(int16_t) {}
void Form1::picSpectrum_Click(int16_t) {}
void Form1::Form_MouseDown(int, int, double, double) {}
void Form1::Form_MouseMove(int, int, double, double) {}
void Form1::dragMarker(double, double) {}
}  // namespace linklab
