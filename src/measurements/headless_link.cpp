#include "measurements/headless_link.h"

#include <algorithm>
#include <cmath>

#include "measurements/constellations.h"
#include "measurements/noise_measures.h"
#include "transmitter/noise.h"
#include "transmitter/rf_amplifier.h"
#include "transmitter/rx_filter.h"
#include "transmitter/signal_block.h"
#include "transmitter/tx_shaping.h"

namespace linklab {

struct HeadlessLink::Arrays {
  std::array<int16_t, 513> bits{};
  std::array<double, 257> symbols{};
  ResponseBlock tx{}, txSpectrum{}, work{}, noise{}, filteredNoise{}, rx{}, rxSpectrum{};
};

HeadlessLink::HeadlessLink(const LinkSettings& s) : settings(s), arrays(std::make_unique<Arrays>()) {
  restart(UniformRandom::kSeed);
}

HeadlessLink::~HeadlessLink() = default;

void HeadlessLink::restart(uint64_t seed) {
  rnd.reseed(seed);
  phase = settings.phase;
}

RunErrors HeadlessLink::run(double noiseAmplitude) {
  Arrays& a = *arrays;
  makeDataBits(settings.pattern, a.bits, rnd);
  modulate(settings.mod, a.bits, settings.fskTextValue, a.symbols);
  placeSymbols(a.symbols, settings.rectangularPulses ? PulseShape::Rectangular : PulseShape::Impulse, a.tx);
  if (settings.ofdm)
    ofdmModulate(a.symbols, settings.subcarriers, a.tx, a.txSpectrum, a.work);
  else
    filterThroughResponse(a.tx, a.txSpectrum, settings.txFilter);
  if (settings.nonlinear) amplify(a.tx, settings.symbolOffset);
  if (noiseAmplitude > 0) {
    gaussianNoise(a.noise, noiseAmplitude, rnd);
    if (settings.receiveFilterRuns)
      addWhiteNoise(a.noise, a.tx, a.rx);
    else
      addShapedNoise(a.noise, settings.rxFilter, a.filteredNoise, a.tx, a.rx);
  } else {
    std::copy_n(a.tx.begin(), kBlockDoubles, a.rx.begin());
  }
  receiveFilter(a.rx, a.rxSpectrum, settings.rxFilter, settings.receiveFilterRuns);
  if (settings.rotates) {
    phase += settings.phaseStep;
    const double c = std::cos(phase), s = std::sin(phase);
    for (int k = 0; k < kBlockSamples; ++k) {
      const double re = a.rx[2 * k], im = a.rx[2 * k + 1];
      a.rx[2 * k] = c * re - s * im;
      a.rx[2 * k + 1] = s * re + c * im;
    }
  }
  return countErrors(a.rx, a.bits, settings.mod, settings.at, kBlockSymbols);
}

double HeadlessLink::lastTxPower() const { return energyPerSymbol(arrays->tx) / kSamplesPerSymbol; }

double HeadlessLink::amplitudeFor(double ebN0, double meanPower) const {
  return amplitudeForEbN0(ebN0, meanPower, pointSet(settings.mod, 0).bitsPerSymbol);
}

}  // namespace linklab
