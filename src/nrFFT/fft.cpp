#include "nrFFT/fft.h"

#include <cmath>
#include <utility>

namespace linklab {

bool FFT(std::span<double> samples, int32_t points, bool inverse) {
  int64_t p = 2;
  while (points > p) p *= 2;
  if (p != points) return false;
  if (samples.size() < 2 * static_cast<std::size_t>(points)) return false;

  // 1-based odd positions as in the classic formulation: re(i) = data[i-1], im(i) = data[i].
  double* data = samples.data() - 1;
  const double sign = inverse ? -1.0 : 1.0;
  const int64_t n = 2 * static_cast<int64_t>(points);

  int64_t j = 1;
  for (int64_t i = 1; i < n; i += 2) {
    if (j > i) {
      std::swap(data[j], data[i]);
      std::swap(data[j + 1], data[i + 1]);
    }
    int64_t m = points;
    while (m >= 2 && j > m) {
      j -= m;
      m /= 2;
    }
    j += m;
  }

  int64_t mmax = 2;
  while (n > mmax) {
    const int64_t istep = 2 * mmax;
    const double theta = 6.28318530717959 / static_cast<double>(mmax);
    const double t = sign * std::sin(theta / 2);
    const double wpr = -2.0 * t * t;
    const double wpi = sign * std::sin(theta);
    double wr = 1.0;
    double wi = 0.0;
    for (int64_t m = 1; m < mmax; m += 2) {
      for (int64_t i = m; i <= n; i += istep) {
        const int64_t k = i + mmax;
        const double tempr = wr * data[k] - wi * data[k + 1];
        const double tempi = wi * data[k] + wr * data[k + 1];
        data[k] = data[i] - tempr;
        data[k + 1] = data[i + 1] - tempi;
        data[i] += tempr;
        data[i + 1] += tempi;
      }
      const double wtemp = wr;
      wr = wr * wpr - wi * wpi + wr;
      wi = wi * wpr + wtemp * wpi + wi;
    }
    mmax = istep;
  }

  if (inverse) {
    for (int64_t i = 0; i < n; ++i) samples[i] /= points;
  }
  return true;
}

}  // namespace linklab
