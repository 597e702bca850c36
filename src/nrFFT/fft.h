#pragma once
// In-place radix-2 transform of interleaved complex samples.
#include <cstdint>
#include <span>

namespace linklab {

// samples: at least 2*points doubles, re of point k at 2k, im at 2k+1; only those are touched.
// points:  number of complex points, a power of two >= 2.
// inverse: false = forward, X[k] = sum x[n] e^{+2 pi i nk/N}, unscaled;
//          true  = inverse, x[n] = (1/N) sum X[k] e^{-2 pi i nk/N}.
// Returns false, leaving the data untouched, when points is not a power of two (or the array is
// too short for it); the caller reports that.
bool FFT(std::span<double> samples, int32_t points, bool inverse);

inline constexpr const char* kFftSizeMessage = "This FFT only does powers of two.";

}  // namespace linklab
