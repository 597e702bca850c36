#pragma once
// What the transmitter and filter tests share: the standard headers, complex access to
// interleaved blocks, a bin by its sum and a unit response.
#include "test_headers.h"

namespace linklab::testing {

using Block = std::array<double, 8193>;
using cd = std::complex<double>;

// Sample, bin or symbol k of an interleaved array.
template <class Array>
cd at(const Array& b, int k) { return {b[2 * k], b[2 * k + 1]}; }

// Bin k of an interleaved block, from its sum (with the positive exponent, as the FFT kernel).
inline cd directBin(const Block& b, int k) {
  cd x = 0;
  for (int n = 0; n < 4096; ++n) x += at(b, n) * std::polar(1.0, 2 * M_PI * ((n * k) % 4096) / 4096.0);
  return x;
}

inline Block unitResponse() {  // 1 in every bin
  Block r{};
  for (int k = 0; k < 4096; ++k) r[2 * k] = 1.0;
  return r;
}

}  // namespace linklab::testing
