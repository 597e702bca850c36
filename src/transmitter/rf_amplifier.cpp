#include "transmitter/rf_amplifier.h"

#include <algorithm>
#include <cmath>

#include "transmitter/signal_block.h"

namespace linklab {

double amplifierAmplitude(double r) {
  if (r < 0.4) return 0.16 * r * r + r - 0.16;
  if (r < 1.0) return r;
  return r - r * r / 5.0 + r * r * r / 5.0;
}

double amplifierPhase(double phi, double r, double a) {
  const double denominator = a + 0.001;
  if (denominator == 0.0) return phi;
  const double term = 1.0 - r / denominator;
  return phi - term * term;
}

void amplify(std::span<double> signal, int symbolOffset) {
  const int offset = std::clamp(symbolOffset, -kSamplesPerSymbol, kSamplesPerSymbol);
  for (int i = kSamplesPerSymbol; i < kBlockSamples - kSamplesPerSymbol; ++i) {
    const int q = i + offset;
    const double re = signal[2 * i];
    const double im = signal[2 * q + 1];
    const double r = std::sqrt(im * im + re * re);
    const double a = amplifierAmplitude(r);
    double phi;
    if (re == 0.0) {
      phi = im > 0.0 ? kPi / 2.0 : (im < 0.0 ? -kPi / 2.0 : 0.0);
    } else {
      phi = std::atan(im / re);
      if (re < 0.0) phi += kPi;
    }
    const double theta = amplifierPhase(phi, r, a);
    signal[2 * i] = std::cos(theta) * a;
    signal[2 * q + 1] = std::sin(theta) * a;
  }
}

}  // namespace linklab
