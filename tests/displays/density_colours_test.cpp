// The colour map of a density display and the counts its colour bar labels.
#include <gtest/gtest.h>

#include <cmath>

#include "displays/density_colours.h"

namespace linklab {
namespace {

double luminance(uint32_t bgr) {
  return 0.2126 * (bgr & 0xFF) + 0.7152 * ((bgr >> 8) & 0xFF) + 0.0722 * ((bgr >> 16) & 0xFF);
}

class DensityMap : public ::testing::TestWithParam<uint32_t> {};

// One hit is the low colour, the maximum the high colour, every count darker than a smaller
// one, and the step of a count is where ln(count) / ln(maximum) puts it.
TEST_P(DensityMap, RunsFromOneHitToTheMaximumOnALogScale) {
  const uint32_t most = GetParam();
  const DensityScale scale(most);
  EXPECT_EQ(scale.colour(most), DensityHighColour);
  if (most > 1) EXPECT_EQ(scale.colour(1), DensityLowColour);
  double previous = 1e9;
  for (uint64_t count = 1; count <= most; count = count < 64 ? count + 1 : count + count / 3 + 1) {
    const double position = std::log(double(count)) / std::log(double(std::max(most, 2u)));
    const int step = scale.step(static_cast<uint32_t>(count));
    if (most > 1) EXPECT_NEAR(step, 255 * position, 1.0) << count;
    const double l = luminance(scale.colour(static_cast<uint32_t>(count)));
    EXPECT_LE(l, previous) << count;
    previous = l;
  }
}

INSTANTIATE_TEST_SUITE_P(Maxima, DensityMap, ::testing::Values(1u, 2u, 7u, 100u, 36000u, 4000000000u));

TEST(DensityColour, EndsAtTheDocumentedColoursAndDarkensAllTheWay) {
  EXPECT_EQ(densityColour(0), DensityLowColour);
  EXPECT_EQ(densityColour(1), DensityHighColour);
  EXPECT_EQ(densityColour(-3), DensityLowColour);
  EXPECT_EQ(densityColour(NAN), DensityLowColour);
  for (int i = 1; i <= 100; ++i) EXPECT_LT(luminance(densityColour(i / 100.0)), luminance(densityColour((i - 1) / 100.0))) << i;
}

// The bar is labelled at 1, at powers of ten clear of both ends, and at the maximum.
TEST(DensityBar, LabelsOneThePowersOfTenAndTheMaximum) {
  std::array<uint32_t, 12> ticks{};
  ASSERT_EQ(densityBarTicks(1, ticks), 1);
  EXPECT_EQ(ticks[0], 1u);
  const int n = densityBarTicks(36000, ticks);
  ASSERT_EQ(n, 5);
  EXPECT_EQ((std::array<uint32_t, 5>{ticks[0], ticks[1], ticks[2], ticks[3], ticks[4]}),
            (std::array<uint32_t, 5>{1, 10, 100, 1000, 36000}));
  // 10 of 12 would stand at 93 % of the bar, crowding the maximum's label.
  EXPECT_EQ(densityBarTicks(12, ticks), 2);
  EXPECT_EQ(ticks[1], 12u);
}

}  // namespace
}  // namespace linklab
