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

double railMeasure(std::span<const double> rx, std::span<const double> symbols,
                   const RailLevels& levels, bool quadrature, const DecisionInstant& at, int count) {
  if (levels.count == 0) return NAN;
  std::array<double, 4> lowest, highest;
  lowest.fill(INFINITY);
  highest.fill(-INFINITY);
  for (int s = 0; s < count; ++s) {
    const int k = sentSymbol(s, at);
    const double sent = symbols[2 * k + (quadrature ? 1 : 0)];
    int level = 0;
    for (int l = 1; l < levels.count; ++l)
      if (std::abs(sent - levels.level[l]) < std::abs(sent - levels.level[level])) level = l;
    const int n = quadrature ? wrap(decisionSample(s, at) + at.qDelay, kBlockSamples) : decisionSample(s, at);
    const double y = rx[2 * n + (quadrature ? 1 : 0)];
    lowest[level] = std::min(lowest[level], y);
    highest[level] = std::max(highest[level], y);
  }
  double opening = NAN;
  for (int l = 0; l + 1 < levels.count; ++l) {
    if (highest[l] == -INFINITY || lowest[l + 1] == INFINITY) continue;
    const double share = (lowest[l + 1] - highest[l]) / (levels.level[l + 1] - levels.level[l]);
    opening = std::isnan(opening) ? share : std::min(opening, share);
  }
  return opening * 100;
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
  if (rms == 0 || count <= 0) return {NAN, NAN, 0, 0};
  double errorSum = 0, crossSum = 0, sentSum = 0;
  for (int s = 0; s < count; ++s) {
    const int k = sentSymbol(s, at);
    const int n = decisionSample(s, at);
    const int nq = wrap(n + at.qDelay, kBlockSamples);
    const double i = rx[2 * n], q = rx[2 * nq + 1];
    const double si = symbols[2 * k], sq = symbols[2 * k + 1];
    errorSum += (i - si) * (i - si) + (q - sq) * (q - sq);
    crossSum += i * si + q * sq;
    sentSum += si * si + sq * sq;
  }
  const double evm = std::sqrt(errorSum / count) / rms * 100;
  return {evm, sentSum > 0 ? crossSum / sentSum : NAN, crossSum, sentSum};
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

double EyeOpening::worst() const {
  if (std::isnan(inPhase)) return quadrature;
  if (std::isnan(quadrature)) return inPhase;
  return std::min(inPhase, quadrature);
}

EyeOpening eyeOpening(std::span<const double> rx, std::span<const double> symbols, Modulation mod,
                      const DecisionInstant& at, int count) {
  return {railMeasure(rx, symbols, railLevels(mod, false), false, at, count),
          railMeasure(rx, symbols, railLevels(mod, true), true, at, count)};
}

}  // namespace linklab
