#include "measurements/noise_measures.h"

#include <cmath>

#include "transmitter/signal_block.h"

namespace linklab {

namespace {
double toDb(double ratio) { return ratio > 0 ? 10 * std::log10(ratio) : -INFINITY; }
}  // namespace

double energyPerSymbol(std::span<const double> tx) {
  double sum = 0;
  for (int i = 0; i < kBlockDoubles; ++i) sum += tx[i] * tx[i];
  return kSamplesPerSymbol * sum / kBlockSamples;
}

double noiseDensity(std::span<const double> noiseSpectrum) {
  double sum = 0;
  for (int i = 0; i < kBlockDoubles; ++i) sum += noiseSpectrum[i] * noiseSpectrum[i];
  return sum / (double(kBlockSamples) * kBlockSamples);
}

double decisionNoiseVariance(std::span<const double> noiseSpectrum,
                             std::span<const double> response, int passes) {
  double sum = 0;
  for (int k = 0; k < kBlockSamples; ++k) {
    const double power = noiseSpectrum[2 * k] * noiseSpectrum[2 * k] +
                         noiseSpectrum[2 * k + 1] * noiseSpectrum[2 * k + 1];
    const double gain = response[2 * k] * response[2 * k] + response[2 * k + 1] * response[2 * k + 1];
    double shaped = power;
    for (int p = 0; p < passes; ++p) shaped *= gain;
    sum += shaped;
  }
  return 0.5 * sum / (double(kBlockSamples) * kBlockSamples);
}

double ebN0dB(double energyPerSymbol, double bitsPerSymbol, double density) {
  if (density <= 0) return INFINITY;
  return toDb(energyPerSymbol / bitsPerSymbol / density);
}

double effectiveEbN0dB(double gain, double constellationRms, double bitsPerSymbol,
                       double variancePerComponent) {
  if (std::isnan(gain)) return NAN;
  if (variancePerComponent <= 0) return INFINITY;
  return toDb(gain * gain * constellationRms * constellationRms / (2 * variancePerComponent) /
              bitsPerSymbol);
}

}  // namespace linklab
