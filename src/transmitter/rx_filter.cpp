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
    spectrum[2 * k] *= response[2 * k];
    spectrum[2 * k + 1] *= response[2 * k];
  }
  std::copy_n(spectrum.begin(), kBlockDoubles, rx.begin());
  FFT(rx, kBlockSamples, true);
}

}  // namespace linklab
