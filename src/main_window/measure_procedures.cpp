// The readouts of each run: what the receiver's decisions, the noise and the transmit spectrum
// measure, kept in the state record; and the copy of the settings an error-rate sweep runs on.
#include <cmath>
#include <limits>

#include "filters/filter_design.h"
#include "form/numbers.h"
#include "main_window/form1.h"
#include "measurements/awgn_theory.h"
#include "measurements/constellations.h"
#include "measurements/noise_measures.h"
#include "measurements/spectrum_measures.h"
#include "measurements/symbol_measures.h"
#include "transmitter/data_source.h"
#include "transmitter/modulator.h"
#include "transmitter/tx_shaping.h"

namespace linklab {

namespace {
// The scatter shows the points of symbols 0 .. 96; its error vector is measured on the same.
constexpr int kScatterPoints = 97;
}  // namespace

void Form1::restartCounts() {
  lSymbols = lSymbolErrors = lBits = lBitErrors = 0;
  dSER = dBER = NAN;
  decisionSums = {};
}

void Form1::measureRun() {
  const Modulation mod = modulationFromText(cmbMod[0].Text());
  const bool decides = makesDecisions(mod, cmbFilter[0].Text() == "OFDM");
  // The same test addNoise makes: only then does dNoise hold this run's noise spectrum.
  const bool noisy = lblNoise.Visible && cmbNoise.Visible && Val(cmbNoise.Text()) > 0;
  const bool receiverFilters = lScene == 3 || lScene == 4;

  dEbN0dB = ebN0dB(energyPerSymbol(dTxSignal), dBitsPerSymbol, noisy ? noiseDensity(dNoise) : 0);

  const double bins = binsPerKilohertz(dBitsPerSymbol);
  const bool averaged = dSpectrums > 0;
  dOccupiedBandwidthkHz = averaged ? occupiedBandwidthBins(dSpectrumSum, 0.99) / bins : NAN;
  dOutOfBandPowerdBc = averaged ? outOfBandPowerdBc(dSpectrumSum, dTxFilter) : NAN;

  if (!decides) {
    dEbN0EffectivedB = dEVMPercent = dSERTheory = dBERTheory = dEyeOpeningPercent = NAN;
    restartCounts();
    return;
  }
  // Both rails are read where the in-phase eye's marker stands (the quadrature eye's, which sets
  // iSamplePoint, is drawn iSymbolOffset samples earlier). The transmit signal carries OQPSK's
  // quadrature rail on the same symbol grid as the in-phase one; only the displays offset it.
  const DecisionInstant at{iSamplePoint + iSymbolOffset, 0};
  const SymbolFit fit = fitSymbols(dRxSignal, dModData, mod, at, kScatterPoints);
  dEVMPercent = fit.evmPercent;
  dEyeOpeningPercent = eyeOpening(dRxSignal, dModData, mod, at, SYMBOLS).worst();

  const RunErrors run = countErrors(dRxSignal, iData, mod, at, SYMBOLS);
  // A count that would pass the 32-bit range starts again rather than wrap round.
  if (lBits > std::numeric_limits<int32_t>::max() - run.bits) restartCounts();
  // One run's gain and noise wobble by tenths of a dB; pooled over the counted runs they settle.
  decisionSums.cross += fit.cross;
  decisionSums.sent += fit.sent;
  decisionSums.variance += noisy ? decisionNoiseVariance(dNoise, dRxFilter, receiverFilters ? 2 : 1) : 0;
  decisionSums.runs += 1;
  const double gain = decisionSums.sent > 0 ? decisionSums.cross / decisionSums.sent : NAN;
  dEbN0EffectivedB = effectiveEbN0dB(gain, constellationRms(mod), dBitsPerSymbol,
                                     decisionSums.variance / decisionSums.runs);
  const ErrorRates theory = awgnErrorRates(mod, std::pow(10.0, dEbN0EffectivedB / 10));
  dSERTheory = theory.ser;
  dBERTheory = theory.ber;
  lSymbols += run.symbols;
  lSymbolErrors += run.symbolErrors;
  lBits += run.bits;
  lBitErrors += run.bitErrors;
  dSER = lSymbols > 0 ? double(lSymbolErrors) / lSymbols : NAN;
  dBER = lBits > 0 ? double(lBitErrors) / lBits : NAN;
}

LinkSettings Form1::linkSettings() {
  // A change marks the filters stale and only the next tick designs them; a sweep started before
  // that tick would otherwise run on the old responses.
  if (bFiltersValid == 0) designFilters();
  LinkSettings s;
  s.pattern = dataPatternFromText(cmbData.Text());
  s.mod = modulationFromText(cmbMod[0].Text());
  s.fskTextValue = s.mod == Modulation::FSK ? Val(txtFSK.Text()) : 0.0;
  const std::string& filter = cmbFilter[0].Text();
  s.rectangularPulses = filter == "Gaussian" || filter == "Steep Cutoff" || filter == "None";
  s.ofdm = filter == "OFDM";
  s.subcarriers = ofdmSubcarrierCount(Val(cmbTxSC[0].Text()));
  s.nonlinear = cmbNonlinear.Text() == "Non-Linear";
  // The curve is the receiver's, whichever scene the window shows.
  s.receiveFilterRuns = true;
  s.txFilter = dTxFilter;
  s.rxFilter = dRxFilter;
  s.symbolOffset = cmbMod[0].Text() == "OQPSK" ? 16 : 0;
  s.at = {iSamplePoint + s.symbolOffset, 0};
  s.rotates = vscFreq.Visible && (vscFreq.Value() != 0 || dCarrierPhase != 0);
  s.phase = dCarrierPhase;
  s.phaseStep = vscFreq.Value() * pi / 180;
  return s;
}

}  // namespace linklab
