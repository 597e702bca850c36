#include "measurements/spectrum_measures.h"

#include <algorithm>
#include <cmath>

#include "transmitter/signal_block.h"

namespace linklab {

namespace {
constexpr double kStopGain = 1e-3;  // -60 dB
// Bin of the i-th frequency from the lowest (-2048) upwards.
int binAt(int i) { return (i + kBlockSamples / 2) % kBlockSamples; }

// Frequency, in bins from the lowest edge, where the running sum reaches `target`.
double crossing(std::span<const double> power, double target) {
  double sum = 0;
  for (int i = 0; i < kBlockSamples; ++i) {
    const double p = power[binAt(i)];
    if (p > 0 && sum + p >= target) return i + (target - sum) / p;
    sum += p;
  }
  return kBlockSamples;
}
}  // namespace

double occupiedBandwidthBins(std::span<const double> power, double share) {
  double total = 0;
  for (int k = 0; k < kBlockSamples; ++k) total += power[k];
  if (!(total > 0)) return NAN;
  return crossing(power, total * (1 + share) / 2) - crossing(power, total * (1 - share) / 2);
}

double binsPerKilohertz(double bitsPerSymbol) {
  return bitsPerSymbol * kBlockSamples / kSamplesPerSymbol;
}

double outOfBandPowerdBc(std::span<const double> power, std::span<const double> response) {
  double total = 0, outside = 0;
  bool anyOutside = false;
  for (int k = 0; k < kBlockSamples; ++k) {
    total += power[k];
    if (std::abs(response[2 * k]) < kStopGain) {
      anyOutside = true;
      outside += power[k];
    }
  }
  if (!anyOutside || !(total > 0)) return NAN;
  return outside > 0 ? 10 * std::log10(outside / total) : -INFINITY;
}

double envelopeMinimumPercent(std::span<const double> signal, int qDelay) {
  double lowest = INFINITY, sum = 0;
  for (int k = 0; k < kBlockSamples; ++k) {
    const double re = signal[2 * k], im = signal[2 * ((k + qDelay) % kBlockSamples) + 1];
    const double power = re * re + im * im;
    lowest = std::min(lowest, power);
    sum += power;
  }
  if (!(sum > 0)) return NAN;
  return 100 * std::sqrt(lowest / (sum / kBlockSamples));
}

}  // namespace linklab
