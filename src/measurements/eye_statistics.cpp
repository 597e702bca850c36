#include "measurements/eye_statistics.h"

#include <algorithm>
#include <cmath>

#include "transmitter/signal_block.h"

namespace linklab {

namespace {

int nearestLevel(const RailLevels& levels, double value) {
  int best = 0;
  for (int l = 1; l < levels.count; ++l)
    if (std::abs(value - levels.level[l]) < std::abs(value - levels.level[best])) best = l;
  return best;
}

}  // namespace

void EyeStatistics::clear() { rails = {}; }

void EyeStatistics::add(std::span<const double> rx, std::span<const double> symbols, Modulation mod,
                        const DecisionInstant& at, int count) {
  for (int rail = 0; rail < 2; ++rail) {
    const RailLevels levels = railLevels(mod, rail == 1);
    if (levels.count == 0) continue;
    for (int s = 0; s < count; ++s) {
      const int k = sentSymbol(s, at);
      const int n = (decisionSample(s, at) + (rail == 1 ? at.qDelay : 0)) % kBlockSamples;
      const double y = rx[2 * n + rail];
      Level& level = rails[rail][nearestLevel(levels, symbols[2 * k + rail])];
      level.count += 1;
      level.sum += y;
      level.squares += y * y;
    }
  }
}

EyeFigures EyeStatistics::figures(Modulation mod) const {
  EyeFigures worst;
  for (int rail = 0; rail < 2; ++rail) {
    const RailLevels levels = railLevels(mod, rail == 1);
    for (int l = 0; l + 1 < levels.count; ++l) {
      const Level& lower = rails[rail][l];
      const Level& upper = rails[rail][l + 1];
      if (lower.count == 0 || upper.count == 0) continue;
      const double meanLow = lower.sum / lower.count, meanUp = upper.sum / upper.count;
      // Rounding can leave a spread of identical samples a hair below zero.
      const double sigmaLow = std::sqrt(std::max(0.0, lower.squares / lower.count - meanLow * meanLow));
      const double sigmaUp = std::sqrt(std::max(0.0, upper.squares / upper.count - meanUp * meanUp));
      const double spacing = meanUp - meanLow;
      const double opening =
          spacing > 0 ? std::max(0.0, (spacing - 3 * (sigmaLow + sigmaUp)) / spacing) * 100 : 0;
      const double q = spacing <= 0 ? 0 : sigmaLow + sigmaUp > 0 ? spacing / (sigmaLow + sigmaUp) : INFINITY;
      if (std::isnan(worst.openingPercent) || opening < worst.openingPercent) worst.openingPercent = opening;
      if (std::isnan(worst.qFactor) || q < worst.qFactor) worst.qFactor = q;
    }
  }
  return worst;
}

}  // namespace linklab
