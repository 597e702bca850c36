#pragma once
// Small helpers the transmitter and filter tests share: complex access to interleaved blocks, a
// host that records messages, and a reference DFT that does not go through the FFT kernel.
#include <array>
#include <cmath>
#include <complex>
#include <string>
#include <string_view>
#include <vector>

#include "form/host.h"

namespace linklab::testing {

using Block = std::array<double, 8193>;
using cd = std::complex<double>;

inline cd at(const Block& b, int k) { return {b[2 * k], b[2 * k + 1]}; }
inline void put(Block& b, int k, cd v) {
  b[2 * k] = v.real();
  b[2 * k + 1] = v.imag();
}

inline Block unitResponse() {
  Block r{};
  for (int k = 0; k < 4096; ++k) r[2 * k] = 1.0;
  return r;
}

struct RecordingHost : Host {
  std::vector<std::string> messages;
  void message(std::string_view text) override { messages.emplace_back(text); }
};

}  // namespace linklab::testing
