#include "measurements/symbol_measures.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "transmitter/signal_block.h"

namespace linklab {

namespace {

int wrap(int n, int period) { return ((n % period) + period) % period; }

// The value v a symbol's bits make, first bit in the highest place.
int sentValue(std::span<const int16_t> bits, int symbol, int bitsPerSymbol) {
  int v = 0;
  for (int j = 0; j < bitsPerSymbol; ++j) v = (v << 1) | (bits[bitsPerSymbol * symbol + j] & 1);
  return v;
}

}  // namespace

int decisionSample(int s, const DecisionInstant& at) {
  return wrap(kSamplesPerSymbol * s + at.iSample, kBlockSamples);
}

int sentSymbol(int s, const DecisionInstant& at) {
  const int n = kSamplesPerSymbol * s + at.iSample + kSamplesPerSymbol / 2;
  const int floorDiv = (n >= 0 ? n : n - (kSamplesPerSymbol - 1)) / kSamplesPerSymbol;
  return wrap(floorDiv, kBlockSymbols);
}

SymbolFit fitSymbols(std::span<const double> rx, std::span<const double> symbols, Modulation mod,
                     const DecisionInstant& at, int count) {
  const double rms = constellationRms(mod);
  if (rms == 0 || count <= 0) return {NAN, NAN, NAN, 0, 0};
  double errorSum = 0, peak = 0, crossSum = 0, sentSum = 0;
  for (int s = 0; s < count; ++s) {
    const int k = sentSymbol(s, at);
    const int n = decisionSample(s, at);
    const int nq = wrap(n + at.qDelay, kBlockSamples);
    const double i = rx[2 * n], q = rx[2 * nq + 1];
    const double si = symbols[2 * k], sq = symbols[2 * k + 1];
    const double error = (i - si) * (i - si) + (q - sq) * (q - sq);
    errorSum += error;
    peak = std::max(peak, error);
    crossSum += i * si + q * sq;
    sentSum += si * si + sq * sq;
  }
  const double evm = std::sqrt(errorSum / count) / rms * 100;
  return {evm, std::sqrt(peak) / rms * 100, sentSum > 0 ? crossSum / sentSum : NAN, crossSum, sentSum};
}

RunErrors countErrors(std::span<const double> rx, std::span<const int16_t> bits, Modulation mod,
                      const DecisionInstant& at, int count) {
  RunErrors errors;
  if (!makesDecisions(mod, false)) return errors;
  for (int s = 0; s < count; ++s) {
    const int k = sentSymbol(s, at);
    const PointSet set = pointSet(mod, k);
    const int n = decisionSample(s, at);
    const int nq = wrap(n + at.qDelay, kBlockSamples);
    const int decided = set.bits[nearestPoint(set, rx[2 * n], rx[2 * nq + 1])];
    const int wrong = decided ^ sentValue(bits, k, set.bitsPerSymbol);
    errors.symbols += 1;
    errors.bits += set.bitsPerSymbol;
    errors.symbolErrors += wrong != 0;
    errors.bitErrors += std::popcount(static_cast<unsigned>(wrong));
  }
  return errors;
}

}  // namespace linklab
