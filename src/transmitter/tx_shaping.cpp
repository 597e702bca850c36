#include "transmitter/tx_shaping.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "form/numbers.h"
#include "nrFFT/fft.h"
#include "transmitter/modulator.h"
#include "transmitter/signal_block.h"

namespace linklab {

void placeSymbols(std::span<const double> symbols, PulseShape shape, std::span<double> signal) {
  std::fill_n(signal.begin(), kBlockDoubles, 0.0);
  for (int s = 0; s < kBlockSymbols; ++s) {
    const double i = symbols[2 * s];
    const double q = symbols[2 * s + 1];
    if (shape == PulseShape::Rectangular) {
      for (int j = -16; j <= 15; ++j) {
        const int n = (kSamplesPerSymbol * s + j + kBlockSamples) % kBlockSamples;
        signal[2 * n] = i;
        signal[2 * n + 1] = q;
      }
    } else {
      // Weight 32 gives the impulse the area of a rectangular pulse, so a unit-gain filter keeps
      // the symbol amplitude.
      const int n = kSamplesPerSymbol * s;
      signal[2 * n] = kSamplesPerSymbol * i;
      signal[2 * n + 1] = kSamplesPerSymbol * q;
    }
  }
}

PulseShape pulseShapeFor(std::string_view transmitFilter) {
  const bool smoothsEdges =
      transmitFilter == "Gaussian" || transmitFilter == "Steep Cutoff" || transmitFilter == "None";
  return smoothsEdges ? PulseShape::Rectangular : PulseShape::Impulse;
}

void pulseSpectrum(PulseShape shape, std::span<double> spectrum) {
  std::array<double, 2 * kBlockSymbols + 1> one{};
  one[0] = 1.0;
  placeSymbols(one, shape, spectrum);
  FFT(spectrum, kBlockSamples, false);
}

void filterThroughResponse(std::span<double> signal, std::span<double> spectrum,
                           std::span<const double> response) {
  std::copy_n(signal.begin(), kBlockDoubles, spectrum.begin());
  FFT(spectrum, kBlockSamples, false);
  for (int k = 0; k < kBlockSamples; ++k) {
    spectrum[2 * k] *= response[2 * k];
    spectrum[2 * k + 1] *= response[2 * k];
  }
  std::copy_n(spectrum.begin(), kBlockDoubles, signal.begin());
  FFT(signal, kBlockSamples, true);
}

int ofdmSubcarrierCount(double typedCount) {
  const int n = std::clamp<int>(CInt(typedCount), 1, kBlockSymbols);
  int lower = 1;
  while (lower * 2 <= n) lower *= 2;
  const int upper = lower == n ? n : lower * 2;
  return (n - lower <= upper - n) ? lower : upper;
}

void ofdmModulate(std::span<const double> symbols, int subcarriers, std::span<double> signal,
                  std::span<double> spectrum, std::span<double> work) {
  const int nsc = ofdmSubcarrierCount(subcarriers);  // any other count would overrun the block
  const int lastBlock = CInt(static_cast<double>(kBlockSymbols) / nsc - 1);
  const double scale = kSamplesPerSymbol * std::sqrt(nsc / 2.0);  // unit-power symbols -> power 1/2
  std::fill_n(work.begin(), kBlockDoubles, 0.0);
  for (int b = 0; b <= lastBlock; ++b) {
    for (int c = 0; c < 2 * nsc; ++c) work[c] = symbols[2 * b * nsc + c];
    FFT(work, kSamplesPerSymbol * nsc, true);
    const int blockDoubles = 2 * kSamplesPerSymbol * nsc;
    for (int t = 0; t < blockDoubles; ++t) {
      signal[blockDoubles * b + t] = work[t] * scale;
      work[t] = 0.0;
    }
  }
  std::copy_n(signal.begin(), kBlockDoubles, spectrum.begin());
  FFT(spectrum, kBlockSamples, false);

  // The subcarriers sit on bins 0 .. 128 - 128/nsc; turn the bins down by n to centre them on 0.
  const int n = CInt(64.0 - 64.0 / nsc);
  std::copy_n(spectrum.begin(), 2 * n, work.begin());
  std::copy(spectrum.begin() + 2 * n, spectrum.begin() + kBlockDoubles, spectrum.begin());
  std::copy_n(work.begin(), 2 * n, spectrum.begin() + (kBlockDoubles - 2 * n));

  std::copy_n(spectrum.begin(), kBlockDoubles, signal.begin());
  FFT(signal, kBlockSamples, true);
}

void angleModulate(std::span<double> signal, double fskIndex, AngleMapping mapping,
                   std::span<double> spectrum) {
  // The first sample starts the sum at 15 (32/2 - 1) instead of its own value.
  signal[0] = 15.0;
  signal[1] = 0.0;
  for (int k = 1; k < kBlockSamples; ++k) {
    signal[2 * k] += signal[2 * k - 2];
    signal[2 * k + 1] = 0.0;
  }
  // An index assigned from outside the modulator is held as the modulator holds it.
  const double h = std::isfinite(fskIndex) ? std::clamp(fskIndex, -kMaxFskIndex, kMaxFskIndex) : 0.0;
  for (int k = 0; k < kBlockSamples; ++k) {
    const double phase = signal[2 * k] * kPi / kSamplesPerSymbol;
    const double theta = phase * h;
    switch (mapping) {
      case AngleMapping::FSK:
        signal[2 * k] = -std::cos(theta);
        signal[2 * k + 1] = -std::sin(theta);
        break;
      case AngleMapping::MSK:
        signal[2 * k] = std::sin(theta);
        signal[2 * k + 1] = -std::cos(theta);
        break;
      case AngleMapping::PhaseOnly:
        signal[2 * k] = phase;
        break;
    }
  }
  // The spectrum of the frame's middle only, so the phase jump at the wrap does not show.
  std::copy_n(signal.begin(), kBlockDoubles, spectrum.begin());
  std::fill_n(spectrum.begin(), 512, 0.0);
  std::fill_n(spectrum.begin() + 7680, 512, 0.0);
  FFT(spectrum, kBlockSamples, false);
}

}  // namespace linklab
