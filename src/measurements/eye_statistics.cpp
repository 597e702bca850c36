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
      const double delta = y - level.mean;
      level.mean += delta / level.count;
      level.deviations += delta * (y - level.mean);
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
      const double sigmaLow = std::sqrt(lower.deviations / lower.count);
      const double sigmaUp = std::sqrt(upper.deviations / upper.count);
      const double spacing = upper.mean - lower.mean;
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
