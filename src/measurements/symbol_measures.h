#pragma once
// What the receiver's sampled symbols say about one run: where each decision is taken, the error
// vector and gain against the points sent, the decided bits against the bits sent, and the
// levels each rail takes. Blocks: 4096 complex samples interleaved (re 2k, im 2k+1).
#include <cstdint>
#include <span>

#include "measurements/constellations.h"

namespace linklab {

// Where the decisions of a run are taken. The in-phase rail of sampled point s is read at sample
// 32 s + iSample, the quadrature rail qDelay samples later, both modulo the block: the link
// filters circularly, so a point past the end is the block's own wrapped-round symbol.
struct DecisionInstant {
  int iSample;  // the in-phase rail's sampling point, samples from the block start
  int qDelay;   // samples by which the quadrature rail is read later (0 when both rails share
                // one symbol grid, as the link's transmit signal does even for OQPSK)
};

// Sample index (0 .. 4095) of the in-phase decision of sampled point s.
int decisionSample(int s, const DecisionInstant& at);
// The symbol (0 .. 127) whose centre lies nearest to that sample: the one the point was sent as.
int sentSymbol(int s, const DecisionInstant& at);

struct SymbolFit {
  double evmPercent = 0;  // RMS error vector over the constellation's RMS, in %
  double peakPercent = 0; // the largest single error vector over the same RMS, in %
  double gain = 0;        // least-squares gain from the points sent to the points received
  double cross = 0;       // sum of received times sent (real part), the gain's numerator
  double sent = 0;        // sum of |sent|^2, its denominator; sums of several runs pool
};

// rx:      received block; symbols: 256 doubles, the points sent (I at 2k, Q at 2k+1)
// count:   sampled points 0 .. count-1 (1 .. 128)
// The percentages and the gain NaN for a keying without decisions.
SymbolFit fitSymbols(std::span<const double> rx, std::span<const double> symbols, Modulation mod,
                     const DecisionInstant& at, int count);

struct RunErrors {
  int symbols = 0, symbolErrors = 0, bits = 0, bitErrors = 0;
};

// Nearest-point decisions of points 0 .. count-1, their bits compared with the bits sent
// (symbol k carries bits b k .. b k + b - 1, first bit in the highest place). All zero for a
// keying without decisions.
// bits: at least 512 entries, 0 or 1
RunErrors countErrors(std::span<const double> rx, std::span<const int16_t> bits, Modulation mod,
                      const DecisionInstant& at, int count);

}  // namespace linklab
