// The readouts of each run: what the receiver's decisions, the noise and the transmit spectrum
// measure, kept in the state record; and the copy of the settings an error-rate sweep runs on.
#include <cmath>
#include <limits>

#include "filters/filter_design.h"
#include "form/numbers.h"
#include "main_window/form1.h"
#include "measurements/awgn_theory.h"
#include "measurements/constellations.h"
#include "measurements/eye_statistics.h"
#include "measurements/noise_measures.h"
#include "measurements/spectrum_measures.h"
#include "measurements/symbol_measures.h"
#include "transmitter/data_source.h"
#include "transmitter/modulator.h"
#include "transmitter/noise.h"
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
  countedScatterClears = picScatter[2].clears;
}

void Form1::measureRun() {
  const Modulation mod = modulationFromText(cmbMod[0].Text());
  const bool ofdm = cmbFilter[0].Text() == "OFDM";
  const bool decides = makesDecisions(mod, ofdm);
  if (picScatter[2].clears != countedScatterClears) restartCounts();
  if (picEye[0].clears != countedEyeClears) {
    eyeStatistics.clear();
    countedEyeClears = picEye[0].clears;
  }

  // The channel's Eb/N0 follows from the setting: the noise density, and the power the
  // transmitter sends on average over all data. Through the non-linear amplifier that power is
  // measured, pooled over the counted runs.
  decisionSums.txEnergy += energyPerSymbol(dTxSignal);
  decisionSums.runs += 1;
  const bool nonlinear = cmbNonlinear.Text() == "Non-Linear";
  double power = expectedMeanPower(mod, ofdm, txPowerGain);
  if (nonlinear || std::isnan(power)) power = decisionSums.txEnergy / decisionSums.runs / SAMPLES_PER_SYMBOL;
  const double amplitude = noiseAdded() ? noiseAmplitude(Val(cmbNoise.Text()), dBitsPerSymbol) : 0;
  const double channel = channelEbN0(power, amplitude, dBitsPerSymbol);
  dEbN0dB = decibels(channel);

  const double bins = binsPerKilohertz(dBitsPerSymbol);
  const bool averaged = dSpectrums > 0;
  dOccupiedBandwidthkHz = averaged ? occupiedBandwidthBins(dSpectrumSum, 0.99) / bins : NAN;
  dOutOfBandPowerdBc = averaged ? outOfBandPowerdBc(dSpectrumSum, dTxFilter) : NAN;

  if (!decides) {
    dEbN0EffectivedB = dEVMPercent = dEVMPeakPercent = dSERTheory = dBERTheory = NAN;
    dEyeOpeningPercent = dQFactor = dSER = dBER = NAN;
    return;
  }
  // Both rails are read where the in-phase eye's marker stands (the quadrature eye, which sets
  // iSamplePoint, is drawn iSymbolOffset samples earlier): the transmit signal carries OQPSK's
  // quadrature rail on the same symbol grid as the in-phase one, and only the displays and the
  // amplifier offset it, so this is each rail's own centre.
  const DecisionInstant at{iSamplePoint + iSymbolOffset, 0};
  const SymbolFit fit = fitSymbols(dRxSignal, dModData, mod, at, kScatterPoints);
  dEVMPercent = fit.evmPercent;
  dEVMPeakPercent = fit.peakPercent;
  eyeStatistics.add(dRxSignal, dModData, mod, at, SYMBOLS);
  const EyeFigures eye = eyeStatistics.figures(mod);
  dEyeOpeningPercent = eye.openingPercent;
  dQFactor = eye.qFactor;

  const RunErrors run = countErrors(dRxSignal, iData, mod, at, SYMBOLS);
  // A count that would pass the 32-bit range starts again rather than wrap round.
  if (lBits > std::numeric_limits<int32_t>::max() - run.bits) restartCounts();
  // One run's gain wobbles by tenths of a dB; pooled over the counted runs it settles.
  decisionSums.cross += fit.cross;
  decisionSums.sent += fit.sent;
  const double gain = decisionSums.sent > 0 ? decisionSums.cross / decisionSums.sent : NAN;
  dEbN0EffectivedB = effectiveEbN0dB(gain, constellationRms(mod), dBitsPerSymbol,
                                     amplitude * amplitude * rxNoiseGain);
  // Theory at the channel's Eb/N0: whatever the receiver loses shows as rates above it.
  const ErrorRates theory = awgnErrorRates(mod, channel);
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
  s.rectangularPulses = pulseShapeFor(filter) == PulseShape::Rectangular;
  s.ofdm = filter == "OFDM";
  s.subcarriers = ofdmSubcarrierCount(Val(cmbTxSC[0].Text()));
  s.nonlinear = cmbNonlinear.Text() == "Non-Linear";
  // The curve measures the link the scene shows: its receive filter acts where the scene has one.
  s.receiveFilterRuns = receiveFilterRuns();
  s.txFilter = dTxFilter;
  s.rxFilter = dRxFilter;
  s.symbolOffset = cmbMod[0].Text() == "OQPSK" ? 16 : 0;
  s.at = {iSamplePoint + s.symbolOffset, 0};
  s.rotates = vscFreq.Visible && (vscFreq.Value() != 0 || dCarrierPhase != 0);
  s.phase = dCarrierPhase;
  s.phaseStep = vscFreq.Value() * pi / 180;
  if (!s.nonlinear) s.meanPower = expectedMeanPower(s.mod, s.ofdm, txPowerGain);
  return s;
}

}  // namespace linklab
