#include "displays/spectrum_display.h"

#include <gtest/gtest.h>

#include <vector>

#include "form/recording_surface.h"

namespace linklab {
namespace {

// The display with its state, as the main window keeps it.
struct Display {
  std::vector<double> spectrum = std::vector<double>(8193, 0.0);
  std::vector<double> average = std::vector<double>(8193, 0.0);
  std::vector<double> memoryTrace = std::vector<double>(8193, 0.0);
  double spectrums = 0, zoom = 1, memoryBits = 0;
  bool held = false;
  RecordingSurface pic{8192, 1000};

  void run(SpectrumSettings settings) {
    plotSpectrum(pic, spectrum, average, spectrums, zoom, settings,
                 {held, memoryBits, memoryTrace});
  }
  void bin(int k, double re, double im) {
    spectrum[2 * k] = re;
    spectrum[2 * k + 1] = im;
  }
  size_t count(uint32_t colour) const {
    size_t n = 0;
    for (const DrawOp& op : pic.ops) n += op.colour == colour;
    return n;
  }
};

SpectrumSettings logPlot(double bits = 1) { return {false, 150, true, false, bits}; }

struct AxisCase {
  bool linear;
  int range;
  double re, im, y;  // y = H - value * H * (201 - R) / 3125 (dB) or / 1024000 (power)
};

class SpectrumAxis : public ::testing::TestWithParam<AxisCase> {};

TEST_P(SpectrumAxis, ZeroFrequencyPointHeight) {
  const AxisCase c = GetParam();
  Display d;
  d.bin(0, c.re, c.im);
  d.run({c.linear, c.range, true, false, 1});
  ASSERT_EQ(d.pic.ops.size(), 2048u);
  EXPECT_EQ(d.pic.ops[1024].x2, 4096);  // bin 0 at W/2, i = 512
  EXPECT_NEAR(d.pic.ops[1024].y2, c.y, 1e-9);
  EXPECT_NEAR(d.pic.ops[1025].y2, c.y + 15, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Axes, SpectrumAxis,
    ::testing::Values(AxisCase{false, 150, 10, 0, 673.6},      // 20 dB
                      AxisCase{false, 1, 3, 1, 360},           // 10 dB
                      AxisCase{false, 200, 1e5, 0, 968},       // 100 dB
                      AxisCase{false, 150, 1, 0, 1000},        // 0 dB on the bottom edge
                      AxisCase{false, 150, 0, 0, 1000},        // no logarithm of 0
                      AxisCase{false, 150, 0.5, 0.5, 1000 + 10 * 0.30102999566398120 * 51 / 3.125},
                      AxisCase{true, 1, 16, 16, 900},          // 512 / 5.12
                      AxisCase{true, 150, 32, 32, 898}));      // 2048 / 20.078...

struct WidthCase {
  double bits, zoom;
  int last, centre;  // M = CInt(1024 b / zoom - 1), C = CLng(512 b / zoom) mod 4096
};

class SpectrumWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(SpectrumWidth, BinsSpreadOverTheWidthAroundZero) {
  const WidthCase c = GetParam();
  Display d;
  d.zoom = c.zoom;
  d.bin(0, 1000, 0);     // 60 dB
  d.bin(4095, 100, 0);   // bin -1, 40 dB
  d.run(logPlot(c.bits));
  ASSERT_EQ(d.pic.ops.size(), 2u * (c.last + 1));
  EXPECT_EQ(d.pic.ops[0].x1, 0);  // rises from the bottom-left corner
  EXPECT_EQ(d.pic.ops[0].y1, 1000);
  auto x = [&](int i) { return i * 8192.0 / (c.bits * 4096) * 4 * c.zoom; };
  EXPECT_NEAR(d.pic.ops[2 * c.last].x2, x(c.last), 1e-9);
  std::vector<int> raised;
  for (int i = 0; i <= c.last; ++i)
    if (d.pic.ops[2 * i].y2 < 1000) raised.push_back(i);
  EXPECT_EQ(raised, (std::vector<int>{c.centre - 1, c.centre}));
  EXPECT_NEAR(d.pic.ops[2 * c.centre].x2, x(c.centre), 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Bases, SpectrumWidth,
                         ::testing::Values(WidthCase{1, 1, 1023, 512}, WidthCase{4, 1, 4095, 2048},
                                           WidthCase{2, 1, 2047, 1024}, WidthCase{3, 1, 3071, 1536},
                                           WidthCase{2, 2, 1023, 512}, WidthCase{3, 6, 511, 256},
                                           WidthCase{3, 4, 767, 384}, WidthCase{1, 5, 204, 102}));

TEST(Spectrum, AveragesRunsAndRestarts) {
  Display d;
  d.average[5] = 99;  // left from before a restart: weighted by 0
  d.bin(5, 3, 4);
  d.run(logPlot());
  EXPECT_EQ(d.average[5], 25);
  d.bin(5, 0, 1);
  d.run(logPlot());
  EXPECT_EQ(d.average[5], 13);
  d.bin(5, 1, 1);
  d.run(logPlot());
  EXPECT_NEAR(d.average[5], 28.0 / 3, 1e-12);
  EXPECT_EQ(d.spectrums, 3);
  EXPECT_EQ(d.pic.clears, 3);
  d.spectrums = 0;
  d.bin(5, 2, 0);
  d.run(logPlot());
  EXPECT_EQ(d.average[5], 4);
  EXPECT_EQ(d.spectrums, 1);
}

TEST(Spectrum, MemoryKeepsItsCopyAndWidthBasis) {
  Display d;
  d.bin(5, 3, 4);
  d.run(logPlot());  // average 25
  d.bin(5, 0, 1);
  d.run({false, 150, true, true, 1});  // takes the average as it stood: 25
  EXPECT_TRUE(d.held);
  EXPECT_EQ(d.memoryTrace[5], 25);
  EXPECT_EQ(d.memoryBits, 1);
  EXPECT_EQ(d.count(0x8000), 2048u);
  EXPECT_EQ(d.pic.ops[0].colour, 0x8000u);  // drawn under the live trace
  EXPECT_EQ(d.pic.ops.back().colour, 0x0u);

  d.run({false, 150, true, true, 2});  // modulation now two bits per symbol
  EXPECT_EQ(d.memoryTrace[5], 25);
  EXPECT_EQ(d.memoryBits, 1);
  EXPECT_EQ(d.count(0x8000), 2048u);  // 1024 b points, b = 1
  EXPECT_EQ(d.count(0x0), 4096u);     // b = 2
  EXPECT_NEAR(d.pic.ops[2046].x2, 1023 * 8192.0 / 1024, 1e-9);
  EXPECT_NEAR(d.pic.ops.back().x2, 2047 * 8192.0 / 2048, 1e-9);

  d.run({false, 150, true, false, 2});  // unchecked: dropped at once
  EXPECT_FALSE(d.held);
  EXPECT_EQ(d.count(0x8000), 0u);
  d.run({false, 150, true, true, 2});  // checked again: a fresh copy
  EXPECT_NEAR(d.memoryTrace[5], (25 + 1 + 1 + 1) / 4.0, 1e-12);
  EXPECT_EQ(d.memoryBits, 2);

  d.run({false, 150, false, true, 2});  // hidden by a scene
  EXPECT_FALSE(d.held);
  EXPECT_EQ(d.count(0x8000), 0u);
}

TEST(Spectrum, ZeroZoomIsReplacedBeforeEitherTrace) {
  Display d;
  d.run({false, 150, true, true, 1});
  d.zoom = 0;
  d.run({false, 150, true, true, 1});
  EXPECT_EQ(d.zoom, 1);
  EXPECT_EQ(d.count(0x8000), 2048u);
  EXPECT_EQ(d.count(0x0), 2048u);
}

}  // namespace
}  // namespace linklab
