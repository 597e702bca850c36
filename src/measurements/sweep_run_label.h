#pragma once
// The short text that names a run of the error-rate curve in its legend: the settings that move
// a measured curve, read from the texts of the main window's lists.
#include <string>

namespace linklab {

// Each field the current text of the list named beside it.
struct RunSettingsTexts {
  std::string keying;                                // cmbMod(0)
  std::string demodulation;                          // cmbMod(1)
  std::string txFilter, txExcessBandwidth, txBandwidth, txSubcarriers;  // cmbFilter(0), cmbTxEB/BW/SC(0)
  std::string rxFilter, rxExcessBandwidth, rxBandwidth;                 // cmbFilter(1), cmbTxEB/BW(1)
  std::string amplifier;                             // cmbNonlinear
};

// "BPSK, Tx Root RC 50 %, Rx Matched, Linear amp": a filter carries the parameter its type reads
// (excess bandwidth in %, bandwidth in kHz, OFDM subcarriers); a receiver keying that differs
// from the transmitter's is added as "demod ...".
std::string runLabel(const RunSettingsTexts& texts);

}  // namespace linklab
