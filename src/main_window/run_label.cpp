#include "main_window/run_label.h"

#include "main_window/form1.h"
#include "measurements/sweep_run_label.h"

namespace linklab {

std::string runLabelOf(Form1& form) {
  RunSettingsTexts t;
  t.keying = form.cmbMod[0].Text();
  t.demodulation = form.cmbMod[1].Text();
  t.txFilter = form.cmbFilter[0].Text();
  t.txExcessBandwidth = form.cmbTxEB[0].Text();
  t.txBandwidth = form.cmbTxBW[0].Text();
  t.txSubcarriers = form.cmbTxSC[0].Text();
  t.rxFilter = form.cmbFilter[1].Text();
  t.rxExcessBandwidth = form.cmbTxEB[1].Text();
  t.rxBandwidth = form.cmbTxBW[1].Text();
  t.amplifier = form.cmbNonlinear.Text();
  return runLabel(t);
}

}  // namespace linklab
