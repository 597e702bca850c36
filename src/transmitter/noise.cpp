#include "transmitter/noise.h"

#include <algorithm>
#include <cmath>

#include "nrFFT/fft.h"
#include "transmitter/signal_block.h"

namespace linklab {

double noiseAmplitude(double level, double bitsPerSymbol) {
  const double n = std::clamp(level, 0.0, kMaxNoiseLevel);
  const double b = std::isfinite(bitsPerSymbol) ? std::max(bitsPerSymbol, 1.0) : 1.0;
  return std::sqrt(n * 32.0 / 10.0 / b) / std::sqrt(2.0);
}

double channelEbN0(double meanPower, double amplitude, double bitsPerSymbol) {
  if (!(amplitude > 0)) return INFINITY;
  return kSamplesPerSymbol * meanPower / (2 * amplitude * amplitude * bitsPerSymbol);
}

double amplitudeForEbN0(double ebN0, double meanPower, double bitsPerSymbol) {
  if (!(ebN0 > 0) || std::isinf(ebN0) || !(meanPower > 0) || !(bitsPerSymbol > 0)) return 0;
  return std::sqrt(kSamplesPerSymbol * meanPower / (2 * ebN0 * bitsPerSymbol));
}

void addWhiteNoise(std::span<const double> noise, std::span<const double> tx, std::span<double> rx) {
  for (int i = 0; i < kBlockDoubles; ++i) rx[i] = noise[i] + tx[i];
}

void gaussianNoise(std::span<double> noise, double amplitude, UniformRandom& rnd) {
  for (int k = 0; k < kBlockSamples; ++k) {
    double u1, u2, s;
    do {
      u1 = 2.0 * rnd.next() - 1.0;
      u2 = 2.0 * rnd.next() - 1.0;
      s = u1 * u1 + u2 * u2;
    } while (!(s > 0.0 && s < 1.0));  // s = 0 would make the logarithm infinite
    const double f = std::sqrt(-2.0 * std::log(s) / s);
    noise[2 * k] = u1 * f * amplitude;
    noise[2 * k + 1] = u2 * f * amplitude;
  }
}

void addShapedNoise(std::span<double> noise, std::span<const double> response,
                    std::span<double> filteredNoise, std::span<const double> tx,
                    std::span<double> rx) {
  FFT(noise, kBlockSamples, false);
  for (int k = 0; k < kBlockSamples; ++k) {
    const double a = response[2 * k], b = response[2 * k + 1];
    const double x = noise[2 * k], y = noise[2 * k + 1];
    filteredNoise[2 * k] = a * x - b * y;
    filteredNoise[2 * k + 1] = a * y + b * x;
  }
  FFT(filteredNoise, kBlockSamples, true);
  for (int i = 0; i < kBlockDoubles; ++i) rx[i] = filteredNoise[i] + tx[i];
}

}  // namespace linklab
