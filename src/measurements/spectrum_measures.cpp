#include "measurements/spectrum_measures.h"

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

}  // namespace linklab
