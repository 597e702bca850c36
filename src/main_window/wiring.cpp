// Every control event goes to its handler. The list rules run with their element's index.
#include "main_window/form1.h"

namespace linklab {

void Form1::wireEvents() {
  cmbScene.onChange = [this] { cmbScene_Change(); };
  cmbData.onChange = [this] { cmbData_Change(); };
  cmbNoise.onChange = [this] { cmbNoise_Change(); };
  cmbMultipathDelay.onChange = [this] { cmbMultipathDelay_Change(); };
  cmbMultipathMag.onChange = [this] { cmbMultipathMag_Change(); };
  cmbNonlinear.onChange = [this] { cmbNonlinear_Change(); };
  for (int16_t i = 0; i < 2; ++i) {
    cmbMod[i].onChange = [this, i] { cmbMod_Change(i); };
    cmbFilter[i].onChange = [this, i] { cmbFilter_Change(i); };
    cmbTxEB[i].onChange = [this, i] { cmbTxEB_Change(i); };
    cmbTxBW[i].onChange = [this, i] { cmbTxBW_Change(i); };
    cmbTxSC[i].onChange = [this, i] { cmbTxSC_Change(i); };
  }

  vscFSK.onChange = [this] { vscFSK_Change(); };
  txtFSK.onChange = [this] { txtFSK_Change(); };
  hscCarrier.onChange = [this] { hscCarrier_Change(); };
  hscDataScroll.onChange = [this] { hscDataScroll_Change(); };
  hscDataZoom.onChange = [this] { hscDataZoom_Change(); };
  hscSample.onChange = [this] { hscSample_Change(); };
  hscSpectrum.onChange = [this] { hscSpectrum_Change(); };
  vscTxEyeScale.onChange = [this] { vscTxEyeScale_Change(); };
  vscYThreshold.onChange = [this] { vscYThreshold_Change(); };
  vscSync.onChange = [this] { vscSync_Change(); };

  chkPassband.onClick = [this] { chkPassband_Click(); };
  chkLinear.onClick = [this] { chkLinear_Click(); };
  chkMemory.onClick = [this] { chkMemory_Click(); };
  for (int16_t i = 0; i < 3; ++i) {
    picScatter[i].onClick = [this, i] { picScatter_Click(i); };
    picSpectrum[i].onClick = [this, i] { picSpectrum_Click(i); };
  }

  cmdPause.onClick = [this] { cmdPause_Click(); };
  Timer1.onTimer = [this] { Timer1_Timer(); };
}

}  // namespace linklab
