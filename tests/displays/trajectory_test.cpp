#include "displays/trajectory.h"

#include <gtest/gtest.h>

#include <vector>

#include "form/recording_surface.h"

namespace linklab {
namespace {

struct MappingCase {
  double width, height, eyeScale, re, im;
  int32_t x0, y0, x, y;  // x0 = CLng(W/2), x = CLng(W/3 * e * re + x0), y likewise with -H/3
};

class TrajectoryMap : public ::testing::TestWithParam<MappingCase> {};

TEST_P(TrajectoryMap, SampleToPicturePoint) {
  const MappingCase c = GetParam();
  std::vector<double> signal(8193, 0.0);
  signal[2 * 100] = c.re;
  signal[2 * 100 + 1] = c.im;
  const TrajectoryMapping map = trajectoryMapping(c.width, c.height, c.eyeScale);
  EXPECT_EQ(map.x0, c.x0);
  EXPECT_EQ(map.y0, c.y0);
  const PicturePoint p = trajectoryPoint(map, signal, 100, 0);
  EXPECT_EQ(p.x, c.x);
  EXPECT_EQ(p.y, c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Points, TrajectoryMap,
    ::testing::Values(MappingCase{5535, 4095, 1, 1, 0.5, 2768, 2048, 4613, 1366},  // 1365.5 -> 1366
                      MappingCase{5525, 4095, 1, 0, 0, 2762, 2048, 2762, 2048},    // 2762.5 -> 2762
                      MappingCase{4720, 4720, 1, -1, -1, 2360, 2360, 787, 3933},
                      MappingCase{4720, 4720, 0.5, 1, 1, 2360, 2360, 3147, 1573},
                      MappingCase{3000, 3000, 2, 0.25, -0.25, 1500, 1500, 2000, 2000}));

TEST(Trajectory, OqpskTakesQuadratureSixteenSamplesLater) {
  std::vector<double> signal(8193, 0.0);
  signal[2 * 116 + 1] = 1;
  const TrajectoryMapping map = trajectoryMapping(4720, 4720, 1);
  EXPECT_EQ(trajectoryPoint(map, signal, 100, 16).y, 2360 - 1573);
  EXPECT_EQ(trajectoryPoint(map, signal, 100, 0).y, 2360);
}

TEST(Trajectory, BpskRunsAlongTheCentreLine) {
  std::vector<double> signal(8193, 0.0);
  for (int k = 0; k < 4096; ++k) signal[2 * k] = (k / 32) % 3 == 0 ? 1 : -1;
  RecordingSurface pic(4720, 4720);
  plotTrajectory(pic, signal, 1, 0);
  ASSERT_EQ(pic.ops.size(), 4000u);  // samples 32 .. 4032
  EXPECT_EQ(pic.clears, 0);
  for (const DrawOp& op : pic.ops) {
    ASSERT_EQ(op.colour, 0xFF4040u);
    ASSERT_EQ(op.y1, 2360);
    ASSERT_EQ(op.y2, 2360);
    ASSERT_TRUE(op.x1 == 2360 - 1573 || op.x1 == 2360 + 1573);
  }
  EXPECT_EQ(pic.ops[0].x1, 787);    // sample 32: symbol 1, -1
  EXPECT_EQ(pic.ops[63].x2, 3933);  // sample 96: symbol 3, +1
}

TEST(TraceButton, CentreStandsOverTheSample) {
  std::vector<double> signal(8193, 0.0);
  signal[2 * 32] = 0.5;  // x = CLng(922.5 + 2768) = 3690
  const ButtonPlace place = traceButtonPlace(240, 4920, 5535, 4095, 255, 255, signal, 32, 1, 0);
  EXPECT_EQ(place.left, 3802);  // CLng(240 + 3690 - 127.5)
  EXPECT_EQ(place.top, 6840);   // CLng(4920 + 2048 - 127.5)
  RecordingSurface pic(5535, 4095);
  plotTrajectory(pic, signal, 1, 0);
  EXPECT_EQ(pic.ops[0].x1, 3690);  // the path's first point
  EXPECT_EQ(pic.ops[0].y1, 2048);
}

}  // namespace
}  // namespace linklab
