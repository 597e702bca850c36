// The transform against its sum and back, and the sizes it refuses.

#include "batch/script_run.h"
#include "nrFFT/fft.h"

namespace linklab {
namespace {

std::vector<double> pseudoRandomSignal(int points, unsigned seed) {
  std::vector<double> x(2 * points + 1, 0.0);
  unsigned s = seed;
  for (int i = 0; i < 2 * points; ++i) {
    s = s * 1103515245u + 12345u;
    x[i] = ((s >> 8) % 2001) / 1000.0 - 1.0;
  }
  return x;
}

// The transform with the positive exponent, straight from its sum.
std::vector<double> directDft(const std::vector<double>& x, int points) {
  std::vector<double> out(x.size(), 0.0);
  for (int k = 0; k < points; ++k) {
    std::complex<double> sum = 0;
    for (int n = 0; n < points; ++n) {
      const double a = 2 * M_PI * double(n) * k / points;
      sum += std::complex<double>(x[2 * n], x[2 * n + 1]) * std::polar(1.0, a);
    }
    out[2 * k] = sum.real();
    out[2 * k + 1] = sum.imag();
  }
  return out;
}

// Forward against the sum, and forward-inverse and inverse-forward back to the start; nothing
// beyond the transform's points is touched.
TEST(Fft, ForwardMatchesPositiveExponentSumAndRoundTrips) {
  for (const int n : {2, 4, 8, 64, 256, 4096}) {
    auto x = pseudoRandomSignal(n, 7u + n);
    const auto original = x, expected = directDft(x, n);
    x.resize(2 * n);
    x.resize(2 * n + 9, 5.0);
    ASSERT_TRUE(FFT(x, n, false));
    for (int i = 0; i < 2 * n; ++i) EXPECT_NEAR(x[i], expected[i], 1e-9 * n) << "element " << i;
    for (std::size_t i = 2 * n; i < x.size(); ++i) ASSERT_EQ(x[i], 5.0) << i;
    for (const bool inverseFirst : {false, true}) {
      x = original;
      ASSERT_TRUE(FFT(x, n, inverseFirst));
      ASSERT_TRUE(FFT(x, n, !inverseFirst));
      for (int i = 0; i < 2 * n; ++i) EXPECT_NEAR(x[i], original[i], 1e-12) << inverseFirst << " " << i;
    }
  }
}

TEST(Fft, RefusesSizesNotPowersOfTwoAndLeavesDataAlone) {
  auto x = pseudoRandomSignal(4096, 3u);
  const auto before = x;
  for (const int n : {1, 0, -4, 3, 96, 4095, 8192 * 4}) {
    EXPECT_FALSE(FFT(x, n, false)) << n;
    EXPECT_FALSE(FFT(x, n, true)) << n;
  }
  EXPECT_EQ(x, before);
}

}  // namespace
}  // namespace linklab
