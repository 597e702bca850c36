#include "transmitter/rx_filter.h"

#include <algorithm>

#include "nrFFT/fft.h"
#include "transmitter/signal_block.h"

namespace linklab {

void receiveFilter(std::span<double> rx, std::span<double> spectrum,
                   std::span<const double> response, bool apply) {
  std::copy_n(rx.begin(), kBlockDoubles, spectrum.begin());
  FFT(spectrum, kBlockSamples, false);
  if (!apply) return;
  for (int k = 0; k < kBlockSamples; ++k) {
    const double a = response[2 * k], b = response[2 * k + 1];
    const double x = spectrum[2 * k], y = spectrum[2 * k + 1];
    // A real gain (b zero, as every response but the matched filter through a rectangular pulse
    // has) scales both parts alone, so the result does not depend on the sign of b's zero.
    spectrum[2 * k] = b != 0 ? a * x - b * y : x * a;
    spectrum[2 * k + 1] = b != 0 ? a * y + b * x : y * a;
  }
  std::copy_n(spectrum.begin(), kBlockDoubles, rx.begin());
  FFT(rx, kBlockSamples, true);
}

}  // namespace linklab
