// The colour map of a density display and the counts its colour bar labels.
#include "displays/density_colours.h"
#include "displays/scale_reading.h"

namespace linklab {
namespace {

double luminance(uint32_t bgr) {
  return 0.2126 * (bgr & 0xFF) + 0.7152 * ((bgr >> 8) & 0xFF) + 0.0722 * ((bgr >> 16) & 0xFF);
}

// One hit is the low colour, the maximum the high colour, each count darker than a smaller one,
// on the step (count - 1) / (maximum - 1) puts it; the bar labels 1, the maximum and, between
// them, rising counts clear of both ends.
TEST(DensityMap, RunsFromOneHitToTheMaximumInProportionAndLabelsRoundCounts) {
  for (const uint32_t most : {1u, 2u, 7u, 100u, 36000u, 4000000000u}) {
    SCOPED_TRACE(most);
    const DensityScale scale(most);
    EXPECT_EQ(scale.colour(most), DensityHighColour);
    EXPECT_EQ(scale.colour(1), most > 1 ? DensityLowColour : DensityHighColour);
    double previous = 1e9;
    for (uint64_t count = 1; count <= most; count = count < 64 ? count + 1 : count + count / 3 + 1) {
      // The step is floor(255 (count - 1) / (maximum - 1)), exactly, also just below and at a step's start.
      const uint64_t step = most > 1 ? 255 * (count - 1) / (most - 1) : 255;
      EXPECT_EQ(scale.step(static_cast<uint32_t>(count)), static_cast<int>(step)) << count;
      if (most > 256 && step > 0 && step < 255) {  // a step a count wide or wider
        const uint64_t start = ((most - 1) * step + 254) / 255 + 1;  // the smallest count on this step
        EXPECT_EQ(scale.step(static_cast<uint32_t>(start)), static_cast<int>(step)) << start;
        EXPECT_EQ(scale.step(static_cast<uint32_t>(start - 1)), static_cast<int>(step) - 1) << start;
      }
      EXPECT_LE(luminance(scale.colour(static_cast<uint32_t>(count))), previous) << count;
      previous = luminance(scale.colour(static_cast<uint32_t>(count)));
    }
    std::array<uint32_t, 12> ticks{};
    const int n = densityBarTicks(most, ticks);
    EXPECT_TRUE(ticks[0] == 1 && ticks[n - 1] == most);
    for (int i = 1; i < n; ++i) {
      EXPECT_GT(ticks[i], ticks[i - 1]);  // the maximum too: a maximum of 1 is labelled once
      if (i + 1 < n) {
        EXPECT_TRUE(densityPosition(ticks[i], most) > 1 / 6.0 && densityPosition(ticks[i], most) < 5 / 6.0);
      }
    }
  }
  // Every multiple of the 1-2-5 step for three ticks over 15 counts (5) that lies clear of both
  // ends by a sixth of the bar is labelled: 5 at 4/15, 10 at 9/15; 15, at 14/15, is too near the end.
  std::array<uint32_t, 12> ticks{};
  ASSERT_EQ(densityBarTicks(16, ticks), 4);
  EXPECT_EQ((std::array{ticks[0], ticks[1], ticks[2], ticks[3]}), (std::array<uint32_t, 4>{1, 5, 10, 16}));
}

}  // namespace
}  // namespace linklab
