#include "displays/eye_diagram.h"

#include <gtest/gtest.h>

#include <vector>

#include "form/recording_surface.h"

namespace linklab {
namespace {

struct SampleCase {
  double bits;
  int slider;
  int16_t symbolOffset;
  int16_t samplePoint;  // aligned offset + j* + 1, j* < (v/128 + 1/2)(128/b + 1) + 15.5
};

class EyeSamplePoint : public ::testing::TestWithParam<SampleCase> {};

TEST_P(EyeSamplePoint, FollowsTheSlider) {
  const SampleCase c = GetParam();
  const std::vector<double> signal(8193, 0.0);
  for (double width : {129.0, 4335.0, 8895.0}) {
    RecordingSurface pic(width, 3855);
    EXPECT_EQ(plotComplexEye(pic, signal, 0xC000, 0xC0, true, c.symbolOffset,
                             {c.bits, 1.0, c.slider}),
              c.samplePoint)
        << "width " << width;
    EXPECT_EQ(pic.clears, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Slider, EyeSamplePoint,
    ::testing::Values(SampleCase{1, 0, 0, 127}, SampleCase{2, 0, 0, 95}, SampleCase{2, 0, 16, 79},
                      SampleCase{3, 0, 0, 64}, SampleCase{4, 0, 0, 63},
                      SampleCase{1, -64, 0, 63}, SampleCase{1, 64, 0, 192},
                      SampleCase{4, -64, 0, 47}, SampleCase{4, 64, 0, 80},
                      SampleCase{3, -64, 0, 42}, SampleCase{3, 64, 0, 86},
                      SampleCase{2, 64, 0, 128}, SampleCase{2, 64, 16, 112},
                      SampleCase{1, 32, 0, 160}, SampleCase{4, -32, 0, 55}));

struct AlignCase {
  double bits;
  int16_t given, aligned;
};

class EyeAlignment : public ::testing::TestWithParam<AlignCase> {};

TEST_P(EyeAlignment, CallersOffsetKeepsTheAlignedValue) {
  const AlignCase c = GetParam();
  const std::vector<double> samples(4097, 0.0);
  RecordingSurface pic(129, 700);
  int16_t offset = c.given;
  // No marker: the sampling point is the aligned offset + 16.
  EXPECT_EQ(plotEye(pic, samples, 1.0, false, 0xC000, offset, {c.bits, 1.0, 40}), c.aligned + 16);
  EXPECT_EQ(offset, c.aligned);
  for (const DrawOp& op : pic.ops) ASSERT_EQ(op.colour, 0xC000u);
}

INSTANTIATE_TEST_SUITE_P(Bits, EyeAlignment,
                         ::testing::Values(AlignCase{1, 16, 47}, AlignCase{2, 16, 47},
                                           AlignCase{2, 0, 31}, AlignCase{3, 16, 26},
                                           AlignCase{4, 16, 31}, AlignCase{2.5, 16, 16}));

TEST(Eye, MarkerLinesStandFiveUnitsEitherSide) {
  const std::vector<double> samples(4097, 0.0);
  RecordingSurface pic(129, 700);
  int16_t offset = 16;
  EXPECT_EQ(plotEye(pic, samples, 1.0, true, 0xC000, offset, {1, 1.0, 0}), 127);
  EXPECT_EQ(pic.ops[0].x1, 59.5);
  EXPECT_EQ(pic.ops[0].x2, 59.5);
  EXPECT_EQ(pic.ops[0].y1, 0);
  EXPECT_EQ(pic.ops[0].y2, 700);
  EXPECT_EQ(pic.ops[1].x1, 69.5);
  EXPECT_EQ(pic.ops[0].colour, 0xFF0000u);
  EXPECT_EQ(pic.ops[1].colour, 0xFF0000u);
  EXPECT_EQ(pic.ops[2].colour, 0xC000u);
}

struct LevelCase {
  double eyeScale, scaleFactor, value, y;  // y = H/2 - value * 0.35 H * eyeScale / scaleFactor
};

class EyeLevels : public ::testing::TestWithParam<LevelCase> {};

TEST_P(EyeLevels, VerticalScale) {
  const LevelCase c = GetParam();
  const std::vector<double> samples(4097, c.value);
  RecordingSurface pic(129, 700);
  int16_t offset = 16;
  plotEye(pic, samples, c.scaleFactor, false, 0xC000, offset, {1, c.eyeScale, 0});
  ASSERT_FALSE(pic.ops.empty());
  for (const DrawOp& op : pic.ops) {
    ASSERT_NEAR(op.y1, c.y, 1e-9);
    ASSERT_NEAR(op.y2, c.y, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, EyeLevels,
                         ::testing::Values(LevelCase{1, 1, 1, 105}, LevelCase{1, 1, -1, 595},
                                           LevelCase{2, 1, 0.5, 105}, LevelCase{1, 2, 1, 227.5}));

TEST(Eye, QuadratureOfOqpskShowsTheSampleSixteenEarlier) {
  std::vector<double> signal(8193, 0.0);
  for (int k = 0; k < 4096; ++k) signal[2 * k] = signal[2 * k + 1] = k / 4096.0;
  RecordingSurface pic(129, 700);
  plotComplexEye(pic, signal, 0xC000, 0xC0, false, 16, {2, 1.0, 0});
  const DrawOp* real = nullptr;
  const DrawOp* imag = nullptr;
  for (const DrawOp& op : pic.ops) {
    if (!real && op.colour == 0xC000) real = &op;
    if (!imag && op.colour == 0xC0) imag = &op;
  }
  ASSERT_TRUE(real && imag);
  // First visible segment: j = 15 of stretch 33; offsets 47 and 31; 245 units per signal unit.
  EXPECT_NEAR(real->y1, 350 - (32 * 33 + 15 + 47) / 4096.0 * 245, 1e-9);
  EXPECT_NEAR(imag->y1, 350 - (32 * 33 + 15 + 31) / 4096.0 * 245, 1e-9);
  EXPECT_EQ(real->x1, imag->x1);
}

TEST(Eye, SixteenQamDrawsOnlyWhatTouchesThePicture) {
  const std::vector<double> signal(8193, 0.0);
  RecordingSurface pic(4335, 3855);
  EXPECT_EQ(plotComplexEye(pic, signal, 0xC000, 0xC0, true, 0, {4, 1.0, 64}), 80);
  size_t real = 0;
  for (const DrawOp& op : pic.ops) {
    if (op.colour == 0xFF0000) continue;
    ASSERT_GE(op.x2, 0);
    ASSERT_LE(op.x1, 4335);
    real += op.colour == 0xC000;
  }
  // 33 samples across: segments j = 16..48 lie inside, 15 and 49 touch the edges.
  EXPECT_GE(real, 32u * 34);
  EXPECT_LE(real, 32u * 35);
}

}  // namespace
}  // namespace linklab
