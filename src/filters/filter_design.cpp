#include "filters/filter_design.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "form/numbers.h"
#include "transmitter/signal_block.h"

namespace linklab {

namespace {

constexpr int kHalf = kBlockSamples / 2;

using Working = std::array<double, kBlockSamples + 1>;

// Sets H over bins first..last, both clipped to the array, so no parameter can index outside it.
template <typename F>
void fillBins(Working& h, double first, double last, F value) {
  const int lo = static_cast<int>(std::max(first, 0.0));
  const int hi = static_cast<int>(std::min(last, static_cast<double>(kBlockSamples - 1)));
  for (int k = lo; k <= hi; ++k) h[k] = value(k);
}

void cosineTaper(Working& h, double alpha, double m, bool root) {
  fillBins(h, 0, CInt((1 - alpha) * 128 / m), [](int) { return 1.0; });
  fillBins(h, CInt((1 - alpha) * 64 / m), CInt((1 + alpha) * 64 / m - 1), [&](int k) {
    const double c = 0.5 + 0.5 * std::cos(kPi * (k - (1 - alpha) * 64 / m) / (128 * alpha / m));
    return root ? std::sqrt(c) : c;
  });
  fillBins(h, CInt((1 + alpha) * 64 / m), 127, [](int) { return 0.0; });
}

}  // namespace

FilterType filterTypeFromText(std::string_view text) {
  if (text == "None") return FilterType::None;
  if (text == "OFDM") return FilterType::OFDM;
  if (text == "Steep Cutoff") return FilterType::SteepCutoff;
  if (text == "Raised Cosine") return FilterType::RaisedCosine;
  if (text == "Root RC") return FilterType::RootRC;
  if (text == "Gaussian") return FilterType::Gaussian;
  if (text == "Matched") return FilterType::Matched;
  return FilterType::Unknown;
}

bool usesExcessBandwidth(FilterType type) {
  return type == FilterType::RaisedCosine || type == FilterType::RootRC;
}

bool designResponse(FilterType type, double parameter, int codeRate, double bitsPerSymbol,
                    std::span<double> response, bool conjugate) {
  Working h{};
  Working q{};
  // Held to the values the data source and modulator produce; other values can only come from
  // assigning the state directly, and must not reach an index or a division.
  const double m = std::clamp(codeRate, 1, 4);
  const double b = std::isfinite(bitsPerSymbol) ? std::clamp(bitsPerSymbol, 1.0, 4.0) : 1.0;
  bool known = true;
  switch (type) {
    case FilterType::None:
    case FilterType::OFDM:
    case FilterType::SteepCutoff: {
      const double e = type == FilterType::SteepCutoff ? std::clamp(parameter, 0.1, 6.0) * b : 32.0;
      fillBins(h, 0, Int(e * 128 - 1), [](int) { return 1.0; });  // the edge is not divided by M
      break;
    }
    case FilterType::RaisedCosine:
    case FilterType::RootRC:
      cosineTaper(h, std::clamp(parameter, 1.0, 100.0) / 100, m, type == FilterType::RootRC);
      break;
    case FilterType::Gaussian: {
      const double w = std::clamp(parameter, 0.1, 6.0) * b / m * 128;
      for (int k = 0; k < kBlockSamples; ++k) h[k] = std::exp(-0.5 * (k / w) * (k / w));
      break;
    }
    case FilterType::Matched:
      break;  // the receive side replaces it with the transmit response
    case FilterType::Unknown:
      known = false;
      break;
  }
  for (int k = 1; k <= kHalf; ++k) {
    h[kBlockSamples - k] = h[k];
    q[kBlockSamples - k] = -q[k];
  }
  for (int k = 0; k < kBlockSamples; ++k) {
    response[2 * k] = h[k];
    response[2 * k + 1] = conjugate ? -q[k] : q[k];
  }
  return known;
}

void matchedResponse(std::span<const double> tx, std::span<const double> pulse, std::span<double> rx) {
  // The pulse is taken relative to its own 0 Hz value, so a flat pulse multiplies by exactly 1.
  const double pulse0 = pulse[0];
  const double dc = pulse0 != 0 ? std::hypot(tx[0], tx[1]) : 0;
  for (int k = 0; k < kBlockSamples; ++k) {
    if (dc == 0) {
      rx[2 * k] = rx[2 * k + 1] = 0;
      continue;
    }
    const double gr = pulse[2 * k] / pulse0, gi = pulse[2 * k + 1] / pulse0;
    const double hr = tx[2 * k], hi = tx[2 * k + 1];
    // The product's terms in gi are left out where gi is 0, so that through a flat pulse the
    // result is the transmit response's conjugate to the bit, signed zeros included.
    double re = hr * gr, im = -hi * gr;
    if (gi != 0) {
      re -= hi * gi;
      im -= hr * gi;
    }
    rx[2 * k] = re / dc;
    rx[2 * k + 1] = im / dc;
  }
}

}  // namespace linklab
