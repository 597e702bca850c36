// The transmitter and channel procedures of the main window: read the controls, run the kernel,
// keep the result in the state record.
#include <algorithm>
#include <array>
#include <string_view>

#include "form/numbers.h"
#include "main_window/form1.h"
#include "transmitter/data_source.h"
#include "transmitter/modulator.h"
#include "transmitter/noise.h"
#include "transmitter/option_catalogue.h"
#include "transmitter/rf_amplifier.h"
#include "transmitter/rx_filter.h"
#include "transmitter/tx_shaping.h"

namespace linklab {

namespace {

template <std::size_t N>
void addEntries(ComboBox& list, const std::array<std::string_view, N>& entries) {
  for (std::size_t i = 0; i < N; ++i) list.AddItem(entries[i], static_cast<int>(i));
}

template <std::size_t N>
void fillList(ComboBox& list, const std::array<std::string_view, N>& entries,
              std::string_view text) {
  list.Clear();
  addEntries(list, entries);
  list.setText(text);
}

}  // namespace

void Form1::fillLists() {
  namespace c = catalogue;
  for (int i = 0; i <= 1; ++i) {
    fillList(cmbData, c::kData, c::kDataDefault);
    fillList(cmbMod[i], c::kModulations, c::kModDefault);
    cmbFilter[i].Clear();
    addEntries(cmbFilter[i], c::kFilters);
    cmbFilter[i].AddItem(i == 0 ? c::kTxOnlyFilter : c::kRxOnlyFilter, 5);
    cmbFilter[i].setText(c::kFilterDefault);
    fillList(cmbTxBW[i], c::kBandwidths, c::kBandwidthDefault);
    fillList(cmbTxEB[i], c::kExcessBandwidths, c::kExcessBandwidthDefault);
    fillList(cmbTxSC[i], c::kSubcarriers, c::kSubcarriersDefault);
  }
  // Cleared like the others although they start empty, so that a second fill does not list
  // every entry twice.
  fillList(cmbNoise, c::kNoise, c::kNoiseDefault);
  fillList(cmbMultipathDelay, c::kMultipathDelay, c::kMultipathDelayDefault);
  fillList(cmbMultipathMag, c::kMultipathMag, c::kMultipathMagDefault);
  fillList(cmbScene, c::kScenes, c::kSceneDefault);
  fillList(cmbNonlinear, c::kNonlinear, c::kNonlinearDefault);
}

void Form1::makeData() { iCodeRate = makeDataBits(dataPatternFromText(cmbData.Text()), iData, rnd); }

void Form1::modulateData() {
  const Modulation mod = modulationFromText(cmbMod[0].Text());
  const double fskText = mod == Modulation::FSK ? Val(txtFSK.Text()) : 0.0;
  const ModulatorOutput out = modulate(mod, iData, fskText, dModData);
  dBitsPerSymbol = out.bitsPerSymbol;
  if (out.setsFskIndex) dFSKIndex = out.fskIndex;
}

void Form1::shapeTxSignal() {
  const std::string& filter = cmbFilter[0].Text();
  const std::string& mod = cmbMod[0].Text();
  placeSymbols(dModData, pulseShapeFor(filter), dTxSignal);
  iSymbolOffset = mod == "OQPSK" ? 16 : 0;
  if (filter == "OFDM") {
    ofdmModulate(dModData, ofdmSubcarrierCount(Val(cmbTxSC[0].Text())), dTxSignal, dTxSpectrum,
                 dOFDMWork);
  } else {
    filterThroughResponse(dTxSignal, dTxSpectrum, dTxFilter);
  }
  if (lblLinear[1].Caption != "Exponential") return;
  const AngleMapping mapping = mod == "FSK"   ? AngleMapping::FSK
                               : mod == "MSK" ? AngleMapping::MSK
                                              : AngleMapping::PhaseOnly;
  angleModulate(dTxSignal, dFSKIndex, mapping, dTxSpectrum);
}

void Form1::rfAmplifier() {
  amplify(dTxSignal, iSymbolOffset);
  std::copy_n(dTxSignal.begin(), 8192, dTxSpectrum.begin());
  FFT(dTxSpectrum, 4096, false);
}

void Form1::addNoise() {
  // A hidden list or a level of 0 or below gives a clean channel, never a stale received signal.
  if (!noiseAdded()) {
    std::copy_n(dTxSignal.begin(), 8192, dRxSignal.begin());
    return;
  }
  gaussianNoise(dNoise, noiseAmplitude(Val(cmbNoise.Text()), dBitsPerSymbol), rnd);
  if (receiveFilterRuns()) {
    // The receive filter shapes signal and noise together, once; the channel's noise is white.
    addWhiteNoise(dNoise, dTxSignal, dRxSignal);
    std::copy_n(dNoise.begin(), 8192, dFilteredNoise.begin());
  } else {
    addShapedNoise(dNoise, dRxFilter, dFilteredNoise, dTxSignal, dRxSignal);
  }
}

bool Form1::receiveFilterRuns() const { return lScene == 3 || lScene == 4; }

bool Form1::noiseAdded() const {
  return lblNoise.Visible && cmbNoise.Visible && Val(cmbNoise.Text()) > 0;
}

void Form1::rxFilter() {
  receiveFilter(dRxSignal, dRxSpectrum, dRxFilter, receiveFilterRuns());
}

}  // namespace linklab
