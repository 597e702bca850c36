// The filter design procedure of the main window: tidies the parameter texts it shows, then builds
// the transmit and receive responses.
#include "filters/filter_design.h"
#include "filters/filter_parameters.h"
#include "form/numbers.h"
#include "main_window/form1.h"
#include "measurements/noise_measures.h"
#include "transmitter/tx_shaping.h"

namespace linklab {

void Form1::designFilters() {
  if (iCodeRate == 0) iCodeRate = 1;
  const int codeRate = iCodeRate;
  const double bitsPerSymbol = dBitsPerSymbol;

  // The lists always show the value in use; each write runs the list's change rule.
  for (int i = 0; i <= 1; ++i) {
    if (usesExcessBandwidth(filterTypeFromText(cmbFilter[i].Text())))
      cmbTxEB[i].setText(excessBandwidthText(tidyExcessBandwidth(cmbTxEB[i].Text())));
    else
      cmbTxBW[i].setText(bandwidthText(tidyBandwidth(cmbTxBW[i].Text())));
  }

  for (int i = 0; i <= 1; ++i) {
    const FilterType type = filterTypeFromText(cmbFilter[i].Text());
    const double parameter =
        usesExcessBandwidth(type) ? Val(cmbTxEB[i].Text()) : Val(cmbTxBW[i].Text());
    if (!designResponse(type, parameter, codeRate, bitsPerSymbol, i == 0 ? dTxFilter : dRxFilter,
                        i == 1))
      message(kUnknownFilterMessage);
  }

  pulseSpectrum(pulseShapeFor(cmbFilter[0].Text()), txPulseSpectrum);
  if (cmbFilter[1].Text() == "Matched") matchedResponse(dTxFilter, txPulseSpectrum, dRxFilter);
  txPowerGain = shapedPowerGain(txPulseSpectrum, dTxFilter);
  rxNoiseGain = noisePowerGain(dRxFilter);
  bFiltersValid = -1;
}

}  // namespace linklab
