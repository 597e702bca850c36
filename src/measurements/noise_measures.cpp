#include "measurements/noise_measures.h"

#include <cmath>

#include "measurements/constellations.h"
#include "transmitter/signal_block.h"

namespace linklab {

double energyPerSymbol(std::span<const double> tx) {
  double sum = 0;
  for (int i = 0; i < kBlockDoubles; ++i) sum += tx[i] * tx[i];
  return kSamplesPerSymbol * sum / kBlockSamples;
}

double shapedPowerGain(std::span<const double> pulse, std::span<const double> response) {
  double sum = 0;
  for (int k = 0; k < kBlockSamples; ++k) {
    const double p = pulse[2 * k] * pulse[2 * k] + pulse[2 * k + 1] * pulse[2 * k + 1];
    const double h = response[2 * k] * response[2 * k] + response[2 * k + 1] * response[2 * k + 1];
    sum += p * h;
  }
  return sum / (double(kBlockSamples) * kSamplesPerSymbol);
}

double noisePowerGain(std::span<const double> response) {
  double sum = 0;
  for (int k = 0; k < kBlockSamples; ++k)
    sum += response[2 * k] * response[2 * k] + response[2 * k + 1] * response[2 * k + 1];
  return sum / kBlockSamples;
}

double expectedMeanPower(Modulation mod, bool ofdm, double shapedGain) {
  if (mod == Modulation::FSK || mod == Modulation::MSK) return 1;
  const double rms = constellationRms(mod);
  if (rms == 0) return NAN;
  return ofdm ? rms * rms / 2 : rms * rms * shapedGain;
}

double decibels(double ratio) {
  if (std::isnan(ratio)) return NAN;
  return ratio > 0 ? 10 * std::log10(ratio) : -INFINITY;
}

double effectiveEbN0dB(double gain, double constellationRms, double bitsPerSymbol,
                       double variancePerComponent) {
  if (std::isnan(gain)) return NAN;
  if (variancePerComponent <= 0) return INFINITY;
  return decibels(gain * gain * constellationRms * constellationRms / (2 * variancePerComponent) /
                  bitsPerSymbol);
}

}  // namespace linklab
