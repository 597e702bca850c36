#pragma once
// The eye's opening as a statistic: the samples at the decision instant, gathered per rail and per
// level sent over every run since the eye was last cleared, summed up by their means and spreads.
// Blocks: 4096 complex samples interleaved (re 2k, im 2k+1).
#include <array>
#include <cmath>
#include <span>

#include "measurements/symbol_measures.h"

namespace linklab {

struct EyeFigures {
  double openingPercent = NAN;  // (upper mean - 3 sigma) - (lower mean + 3 sigma) over the means'
                                // spacing, in %, never below 0; worst level pair, worse rail
  double qFactor = NAN;         // (upper mean - lower mean) / (upper sigma + lower sigma), same pair
};

class EyeStatistics {
 public:
  void clear();
  // Adds points 0 .. count-1 of a run, each to the level its symbol was sent at.
  // symbols: 256 doubles, the points sent (I at 2k, Q at 2k+1)
  void add(std::span<const double> rx, std::span<const double> symbols, Modulation mod,
           const DecisionInstant& at, int count);
  // NaN for a keying whose rails take no levels, or before both levels of a pair were seen.
  EyeFigures figures(Modulation mod) const;

 private:
  // Running mean and sum of squared deviations (Welford): identical samples keep a spread of
  // exactly 0, where sums of squares would leave rounding.
  struct Level {
    double count = 0, mean = 0, deviations = 0;
  };
  std::array<std::array<Level, 4>, 2> rails{};  // in-phase, quadrature
};

}  // namespace linklab
