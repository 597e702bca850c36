#include "displays/plot_cycles.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "form/recording_surface.h"

namespace linklab {
namespace {

constexpr double Pi = 3.14159265358979;

// z and the modulated carrier it must give: amplitude 2|z|, phase arg z.
struct CycleCase {
  double re, im, amplitude, phase;
};

class PlotCyclesValue : public ::testing::TestWithParam<CycleCase> {};

TEST_P(PlotCyclesValue, AppendsThreeSamplesOfEachCarrier) {
  const CycleCase c = GetParam();
  std::array<double, 257> signal{}, carrier{};
  signal[256] = carrier[256] = 7;  // must survive
  for (int i = 0; i < 256; ++i) signal[i] = carrier[i] = i;
  RecordingSurface pic(2560, 1000);
  const int tick = 5;
  plotCycles(pic, signal, carrier, c.re, c.im, tick);
  for (int i = 0; i <= 252; ++i) ASSERT_EQ(carrier[i], i + 3);
  for (int i = 0; i < 3; ++i) {
    const double t = (3.0 * tick + i) / 4;
    EXPECT_NEAR(carrier[253 + i], std::cos(t), 1e-12);
    EXPECT_NEAR(signal[253 + i], c.amplitude * std::cos(t - c.phase), 1e-9);
  }
  EXPECT_EQ(signal[256], 7);
  EXPECT_EQ(carrier[256], 7);
}

INSTANTIATE_TEST_SUITE_P(Values, PlotCyclesValue,
                         ::testing::Values(CycleCase{0, 0, 0, 0},            // flat at the middle
                                           CycleCase{-1, 0, 2, Pi},          // inverted, twice as tall
                                           CycleCase{0, 1, 2, Pi / 2},       // a quarter period late
                                           CycleCase{0.5, 0.5, std::sqrt(2.0), Pi / 4},
                                           CycleCase{-0.5, -0.5, std::sqrt(2.0), 5 * Pi / 4}));

TEST(PlotCycles, DrawsBothHistoriesInAlternation) {
  std::array<double, 257> signal{}, carrier{};
  RecordingSurface pic(2560, 1000);
  plotCycles(pic, signal, carrier, 0, 0, 0);
  ASSERT_EQ(pic.clears, 1);
  ASSERT_EQ(pic.ops.size(), 510u);
  for (int j = 0; j <= 254; ++j) {
    const DrawOp& c = pic.ops[2 * j];
    const DrawOp& s = pic.ops[2 * j + 1];
    EXPECT_EQ(c.colour, 0xC000u);
    EXPECT_EQ(s.colour, 0xC00000u);
    EXPECT_EQ(c.x1, 10 * j);  // dx = 2560 / 256
    EXPECT_EQ(c.x2, 10 * j + 10);
    EXPECT_EQ(s.y1, 500);  // z = 0: the modulated carrier is flat on the middle
    EXPECT_EQ(s.y2, 500);
  }
  // Newest carrier samples at the right edge, tick 0: 500 - 200 cos(0.25), 500 - 200 cos(0.5).
  EXPECT_EQ(pic.ops[508].y1, 306);
  EXPECT_EQ(pic.ops[508].y2, 324);
  EXPECT_EQ(pic.ops[506].y1, 300);  // cos(0) = 1
}

TEST(PlotCycles, RoundsPositionsHalvesToEven) {
  std::array<double, 257> signal{}, carrier{};
  RecordingSurface pic(128, 1000);  // dx = 0.5
  plotCycles(pic, signal, carrier, 1, 0, 0);
  EXPECT_EQ(pic.ops[2 * 3].x1, 2);  // CLng(1.5)
  EXPECT_EQ(pic.ops[2 * 3].x2, 2);  // CLng(2.5)
  EXPECT_EQ(pic.ops[2 * 7].x1, 4);  // CLng(3.5)
  EXPECT_EQ(pic.ops[2 * 7].x2, 4);  // CLng(4.5)
}

TEST(PlotCycles, SameTickAppendsTheSameTimesAgain) {
  std::array<double, 257> signal{}, carrier{};
  RecordingSurface pic;
  plotCycles(pic, signal, carrier, 0.3, -0.2, 9);
  plotCycles(pic, signal, carrier, 0.3, -0.2, 9);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(signal[250 + i], signal[253 + i]);
    EXPECT_EQ(carrier[250 + i], carrier[253 + i]);
  }
}

}  // namespace
}  // namespace linklab
