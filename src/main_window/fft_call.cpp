#include "nrFFT/fft.h"

#include "main_window/form1.h"

namespace linklab {

void Form1::FFT(std::span<double> dSamples, int32_t lPoints, bool bInverse) {
  if (!linklab::FFT(dSamples, lPoints, bInverse)) message(kFftSizeMessage);
}

}  // namespace linklab
