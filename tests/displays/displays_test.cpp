// The displays, drawn on a recording surface: expected coordinates are worked by hand.
#include "displays/constellation.h"
#include "displays/eye_diagram.h"
#include "displays/plot_cycles.h"
#include "displays/scale_reading.h"
#include "displays/spectrum_display.h"
#include "displays/trace_plots.h"
#include "displays/trajectory.h"

namespace linklab {
namespace {

using Xy = std::array<double, 4>;
Xy xy(const DrawOp& op) { return {op.x1, op.y1, op.x2, op.y2}; }

// ---- Time-domain traces: data lines, signal components, the carrier picture

TEST(PlotData, LevelsEdgesAndMismatches) {
  std::array<int16_t, 513> bits{}, reference{};
  bits[21] = bits[22] = 1;  // cells 1 and 2 of the window from 20
  reference = bits;
  reference[23] = 1;  // cell 3 differs
  RecordingSurface pic(8895, 1000);
  plotData(pic, 32, bits, reference, 0xFF0000, 0, 1, true, 0, 20, 32);  // 12 cells
  ASSERT_EQ(pic.ops.size(), 26u);
  EXPECT_EQ(xy(pic.ops[0]), (Xy{0, 800, 741, 800}));      // 0 at 4/5 of the height
  EXPECT_EQ(xy(pic.ops[2]), (Xy{741, 200, 1482, 200}));   // 1 at 1/5
  EXPECT_EQ(xy(pic.ops[4]), (Xy{741, 800, 741, 200}));    // rising edge, drawn once
  EXPECT_EQ(xy(pic.ops[5]), (Xy{1482, 200, 2223, 200}));  // equal neighbour: no edge
  EXPECT_EQ(xy(pic.ops[9]), (Xy{2223, 200, 2223, 800}));  // falling edge
  EXPECT_EQ(pic.ops[9].colour, 0xFFu);  // of the mismatched cell, in red
  EXPECT_EQ(pic.ops[10].colour, 0xFF0000u);
  EXPECT_EQ(xy(pic.ops[25]), (Xy{8151, 815, 8892, 815}));  // 12 cells of Int(8895 / 12) = 741
}

// The I value of symbol 1 in rounded hundredths: y = CInt((CInt(100 v) + 100) * -3 + 800).
TEST(PlotModData, RoundedIAndQShiftedHalfACellUnlessIOnly) {
  for (const auto& [value, y] : {std::pair{0.125, 464.0}, {0.375, 386.0}, {-1.0 / 3, 599.0}, {-1.0, 800.0}}) {
    SCOPED_TRACE(value);
    std::array<double, 257> sym{};
    sym.fill(-1);
    sym[2] = value;
    RecordingSurface pic(8895, 1000);  // 6 cells of 1482, half-covered, Q shifted 741
    plotModData(pic, 16, sym, 0xC000, 0xC0, -1, 1, 0.5, 0, 6);
    ASSERT_EQ(pic.ops.size(), 24u);
    EXPECT_EQ(xy(pic.ops[2]), (Xy{1482, y, 2223, y}));
    EXPECT_EQ(xy(pic.ops[12]), (Xy{0, 800, 1482, 800}));  // Q starts at the left edge
    EXPECT_EQ(xy(pic.ops[14]), (Xy{2223, 800, 2964, 800}));
    EXPECT_EQ(pic.ops[14].colour, 0xC0u);
    plotModData(pic, 16, sym, 0xC000, NoQuadratureColour, -1, 1, 0.5, 0, 6);  // FSK, MSK
    EXPECT_EQ(pic.ops.size(), 12u);
  }
}

// N = CInt(W / dx) samples of dx = Int(W / (baud zoom)) / 32 from
// p0 = CInt(baud scroll / 12 * 32 - 16 + 12 / b * 32); bounds p0 + 1 and p0 + N.
struct ComponentCase { int16_t baud; int zoom, scroll; double bits, dx; int points, first; };

TEST(PlotComponent, FirstSampleWidthBoundsAndQuadrature) {
  for (const ComponentCase& c : std::vector<ComponentCase>{
           {12, 1, 0, 1, 741 / 32.0, 384, 368}, {4, 3, 5, 3, 741 / 32.0, 384, 165}, {3, 1, 8, 4, 2965 / 32.0, 96, 144}}) {
    SCOPED_TRACE(c.baud);
    std::vector<double> signal(8192, 0.0);
    signal[2 * c.first] = 1;
    signal[2 * (c.first + 1)] = -1;
    RecordingSurface pic(8895, 1000);
    const auto bounds = plotComponent(pic, c.baud, signal, 0, 0xC000, c.zoom, c.scroll, c.bits);
    ASSERT_TRUE(bounds);
    EXPECT_EQ(bounds->first, c.first + 1);
    EXPECT_EQ(bounds->last - bounds->first, c.points - 1);
    ASSERT_EQ(pic.ops.size(), 2u * c.points);
    EXPECT_EQ(xy(pic.ops[0]), (Xy{0, 200, c.dx, 800}));  // -1..1 over 3/5 of the height
    EXPECT_EQ(xy(pic.ops.back()), (Xy{(c.points - 1) * c.dx, 515, c.points * c.dx, 515}));
  }
  // Offset 33 reads the quadrature sixteen samples on.
  std::vector<double> signal(8192, 0.0);
  signal[2 * 384 + 1] = 1;  // Q of sample 368 + 16
  RecordingSurface pic(8895, 1000);
  plotComponent(pic, 12, signal, 33, 0xC0, 1, 0, 1);
  EXPECT_EQ(pic.ops[0].y1, 200);
  signal[1] = 1;  // Q of sample 0: the last one the window ending at 4080 shows, wrapped
  EXPECT_EQ(plotComponent(pic, 12, signal, 33, 0xC0, 1, 104, 1)->last, 4080);
  EXPECT_EQ(pic.ops[766].y2, 200);
}

// z and the carrier it must give, amplitude 2|z| and phase arg z, at tick 5: t = (15 + i)/4.
struct CycleCase { double re, im, amplitude, phase; };
constexpr double Pi = std::numbers::pi;

TEST(PlotCycles, ShiftsThreeOnAppendsBothCarriersAndDrawsThem) {
  for (const CycleCase& c : std::vector<CycleCase>{
           {0, 0, 0, 0}, {-1, 0, 2, Pi}, {0, 1, 2, Pi / 2}, {-0.5, -0.5, std::sqrt(2.0), 1.25 * Pi}}) {
    SCOPED_TRACE(c.phase);
    std::array<double, 257> signal{}, carrier{};
    for (int i = 0; i < 257; ++i) signal[i] = carrier[i] = i;
    RecordingSurface pic(2560, 1000);
    plotCycles(pic, signal, carrier, c.re, c.im, 5);
    for (int i = 0; i <= 252; ++i) ASSERT_EQ(carrier[i], i + 3);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(carrier[253 + i], std::cos((15 + i) / 4.0), 1e-12);
      EXPECT_NEAR(signal[253 + i], c.amplitude * std::cos((15 + i) / 4.0 - c.phase), 1e-9);
    }
    EXPECT_EQ(signal[256], 256);  // never written
    EXPECT_EQ(carrier[256], 256);
  }
  // Drawn: the carrier, then the signal, across the width.
  std::array<double, 257> signal{}, carrier{};
  RecordingSurface pic(2560, 1000);
  plotCycles(pic, signal, carrier, 0, 0, 0);  // z = 0: the signal lies flat on the middle
  ASSERT_EQ(pic.ops.size(), 510u);
  EXPECT_EQ(xy(pic.ops[506]), (Xy{2530, 300, 2540, 306}));  // newest carrier: 500 - 200 cos t
  EXPECT_EQ(xy(pic.ops[507]), (Xy{2530, 500, 2540, 500}));
  EXPECT_EQ(pic.ops[506].colour, 0xC000u);
  EXPECT_EQ(pic.ops[507].colour, 0xC00000u);
}

// ---- Receive pictures: eye diagram, trajectory and trace button, reference constellation

// Sampling point: the slider's centre is a symbol centre (a multiple of 32, for OQPSK's
// quadrature eye 16 earlier), the ends reach 64/b samples either side, and every step moves by
// at most one sample, so every sample in between can be chosen; at any picture width.
struct SampleCase { double bits; int16_t symbolOffset, atCentre, atLeft, atRight; };

TEST(Eye, SamplePointStartsOnTheSymbolCentreReachesEverySampleAndIsMarked) {
  const std::vector<double> signal(8192, 0.0);
  for (const SampleCase& c : std::vector<SampleCase>{
           {1, 0, 128, 64, 192}, {2, 0, 96, 64, 128}, {2, 16, 80, 48, 112}, {3, 0, 64, 43, 85}, {4, 0, 64, 48, 80}}) {
    SCOPED_TRACE(c.bits + c.symbolOffset / 100.0);
    // Every step on a narrow picture; the centre and the ends on a wide one too.
    for (double width : {129.0, 8895.0}) {
      std::array<int, 129> at{};  // at[v + 64]: the sample the slider at v chooses
      for (int v = -64; v <= 64; v += width > 129 ? 64 : 1) {
        RecordingSurface pic(width, 3855);
        at[v + 64] = plotComplexEye(pic, signal, 0xC000, 0xC0, true, c.symbolOffset, {c.bits, 1.0, v});
      }
      EXPECT_EQ((std::array{at[64], at[0], at[128]}), (std::array{int(c.atCentre), int(c.atLeft), int(c.atRight)}));
      EXPECT_EQ((at[64] + c.symbolOffset) % 32, 0) << width;
      for (int v = 1; v <= 128 && width == 129; ++v) ASSERT_TRUE(at[v] - at[v - 1] == 0 || at[v] - at[v - 1] == 1) << v;
    }
    RecordingSurface pic(129, 3855);
    EXPECT_EQ(plotComplexEye(pic, signal, 0xC000, 0xC0, false, c.symbolOffset, {c.bits, 1.0, 30}),
              16 - c.symbolOffset + (c.bits == 3 ? 10 : c.bits == 4 ? 15 : 31) + 16) << "no marker: left edge";
  }
  // The marker's lines, and the quadrature rail delayed half a symbol.
  std::vector<double> iq(8192, 0.0);
  for (int k = 0; k < 4096; ++k) iq[2 * k] = -(iq[2 * k + 1] = k / 4096.0);
  RecordingSurface pic(129, 700);
  plotComplexEye(pic, iq, 0xC000, 0xC0, true, 16, {2, 1.0, 32});  // marker at 3/4 W
  EXPECT_EQ(xy(pic.ops.at(0)), (Xy{91.75, 0, 91.75, 700}));
  EXPECT_EQ(xy(pic.ops[1]), (Xy{101.75, 0, 101.75, 700}));
  EXPECT_EQ(pic.ops[1].colour, 0xFF0000u);
  EXPECT_NEAR(pic.ops[2].y1, 350 + (1071 + 47) / 4096.0 * 245, 1e-9);  // offset 16 + 31
  const auto imag = std::ranges::find(pic.ops, 0xC0u, &DrawOp::colour);
  ASSERT_NE(imag, pic.ops.end());
  EXPECT_NEAR(imag->y1, 350 - (1071 + 31) / 4096.0 * 245, 1e-9);  // 16 - 16 + 31
}

// On a ramp k/4096 the first drawn segment (j = 15 of stretch 33, sample 1071 + offset) shows
// what was read, 0.35 H * eyeScale / scaleFactor picture units per signal unit above the middle.
struct AlignCase { double bits; int16_t given, aligned; double eyeScale, scaleFactor = 1; };

TEST(Eye, ShiftsTheCallersOffsetAndReadsFromItUntilTheSamplesEnd) {
  std::vector<double> ramp(4097);
  for (int k = 0; k < 4097; ++k) ramp[k] = k / 4096.0;
  for (const AlignCase& c : std::vector<AlignCase>{{1, 16, 47, 1}, {2, 16, 47, 2, 4}, {2, 0, 31, 1}, {3, 16, 26, 1}, {4, 16, 31, 0.5}}) {
    SCOPED_TRACE(c.bits + c.given / 100.0);
    RecordingSurface pic(129, 700);
    int16_t offset = c.given;
    EXPECT_EQ(plotEye(pic, ramp, c.scaleFactor, false, 0xC000, offset, {c.bits, c.eyeScale, 40}),
              c.aligned + 16);  // no marker: the slider is ignored
    EXPECT_EQ(offset, c.aligned);
    EXPECT_NEAR(pic.ops.at(0).y1, 350 - (1071 + c.aligned) / 4096.0 * 245 * c.eyeScale / c.scaleFactor, 1e-9);
  }
  // A segment needs both its samples: on 1120 samples the aligned offset 47 leaves one segment
  // (samples 1118 and 1119 of stretch 33, j = 15); the next would start on the last sample.
  RecordingSurface pic(129, 700);
  int16_t offset = 16;
  plotEye(pic, std::span<const double>(ramp.data(), 1120), 1.0, false, 0xC000, offset, {2, 1.0, 40});
  EXPECT_EQ(pic.ops.size(), 1u);
}

// x = CLng(W/3 * eyeScale * I + CLng(W/2)), y = CLng(-H/3 * eyeScale * Q + CLng(H/2)).
TEST(Trajectory, MappingOqpskDelayPathAndTraceButtonCentre) {
  std::vector<double> signal(8192, 0.0);
  signal[2 * 32] = 0.5;      // I of sample 32: x = CLng(922.5 + 2768) = 3690
  signal[2 * 48 + 1] = 0.5;  // Q of sample 48: y = CLng(2048 - 682.5) = 1366
  const TrajectoryMapping map = trajectoryMapping(5535, 4095, 1);
  EXPECT_EQ(trajectoryPoint(map, signal, 32, 0).y, 2048);
  const PicturePoint zoomed = trajectoryPoint(trajectoryMapping(4720, 3000, 2), signal, 32, 16);
  EXPECT_EQ((std::array{zoomed.x, zoomed.y}), (std::array{3933, 500}));  // 2360 + 1573.3
  const ButtonPlace place = traceButtonPlace(240, 4920, 5535, 4095, 255, 255, signal, 32, 1, 0);
  EXPECT_EQ((std::array{place.left, place.top}), (std::array{3802, 6840}));  // centre - 127.5
  RecordingSurface pic(5535, 4095);
  plotTrajectory(pic, signal, 1, 16);
  ASSERT_EQ(pic.ops.size(), 4000u);  // samples 32 .. 4032
  EXPECT_EQ(xy(pic.ops[0]), (Xy{3690, 1366, 2768, 2048}));
  // A signal far beyond the picture clamps the point to the 32-bit limit; the button's corner is
  // then that limit too, not an overflowed sum with the picture's edge.
  for (const int sign : {1, -1}) {  // sx = 1845: about 7.4e9 twips right and as far down, or left and up
    signal[2 * 32] = sign * 4e6, signal[2 * 32 + 1] = -sign * 4e6;
    const ButtonPlace at = traceButtonPlace(sign * 1500, sign * 5580, 5535, 4095, 255, 255, signal, 32, 1, 0);
    EXPECT_EQ((std::array{at.left, at.top}), sign > 0 ? (std::array{INT32_MAX, INT32_MAX}) : (std::array{INT32_MIN, INT32_MIN}));
  }
}

// A circle in multiples of T (r = 1/sqrt 2, h = 1/3) and its colour.
struct Ref { double i, q; uint32_t colour = 0xC0; };
struct ConstellationCase { std::string modulation; std::vector<Ref> circles; };
constexpr double r = 0.70710678118654752, h = 1.0 / 3;
constexpr uint32_t G = 0xC000;

TEST(Constellation, CirclesAtTheIdealPointsAndStackedAtZeroThreshold) {
  for (const ConstellationCase& c : std::vector<ConstellationCase>{
           {"MSK", {}}, {"FSK", {}}, {"bpsk", {}}, {"OOK", {{0, 0}, {1, 0}}}, {"50% AM", {{0.5, 0}, {1, 0}}},
           {"BPSK", {{1, 0}, {-1, 0}}}, {"QPSK", {{r, r}, {-r, r}, {r, -r}, {-r, -r}}},
           {"OQPSK", {{r, r}, {-r, r}, {r, -r}, {-r, -r}}},
           {"8-PSK", {{r, r}, {-r, r}, {r, -r}, {-r, -r}, {1, 0}, {-1, 0}, {0, -1}, {0, 1}}},
           {"pi/4-SQPSK", {{r, r, G}, {-r, r, G}, {r, -r, G}, {-r, -r, G}, {1, 0}, {-1, 0}, {0, -1}, {0, 1}}},
           {"16-QAM", {{h, h}, {-h, h}, {h, -h}, {-h, -h}, {1, 1}, {-1, 1}, {1, -1}, {-1, -1}, {1, h}, {-1, h}, {1, -h},
                       {-1, -h}, {h, 1}, {-h, 1}, {h, -1}, {-h, -1}}}}) {
    SCOPED_TRACE(c.modulation);
    RecordingSurface pic(4335, 3855), zero;
    drawConstellation(pic, c.modulation, 1.5, 2168, 1445, 1928, -1285);
    drawConstellation(zero, c.modulation, 0, 500, 333, 400, -333);
    ASSERT_EQ(pic.ops.size(), c.circles.size());
    for (size_t n = 0; n < c.circles.size(); ++n) {
      EXPECT_NEAR(pic.ops[n].x1, 2168 + c.circles[n].i * 1.5 * 1445, 1e-9) << n;
      EXPECT_NEAR(pic.ops[n].y1, 1928 - c.circles[n].q * 1.5 * 1285, 1e-9) << n;
      EXPECT_EQ(pic.ops[n].colour, c.circles[n].colour) << n;
      EXPECT_EQ(xy(zero.ops.at(n)), (Xy{500, 400, 100, 0}));  // radius 100
    }
  }
}

// ---- Transmit spectrum

// The display with its state, as the main window keeps it.
struct Display {
  std::vector<double> spectrum{std::vector<double>(8192)}, average{spectrum}, memoryTrace{spectrum};
  double spectrums = 0, zoom = 1, memoryBits = 0;
  bool held = false;
  RecordingSurface pic{8192, 1000};

  void run(bool memory, double bits = 1, bool linear = false, int range = 150, bool memoryShown = true) {
    plotSpectrum(pic, spectrum, average, spectrums, zoom, {linear, range, memoryShown, memory, bits},
                 {held, memoryBits, memoryTrace});
  }
  void bin(int k, double re, double im) { spectrum[2 * k] = re, spectrum[2 * k + 1] = im; }
  long count(uint32_t c) const { return std::ranges::count(pic.ops, c, &DrawOp::colour); }
};

// Points 0..M, M = CInt(1024 b / zoom - 1), 8 zoom / b apart; bin 0 at C = CLng(512 b / zoom).
// Its height: y = H - dB * H (201 - R) / 3125, or H - power * H (201 - R) / 1024000 if linear.
// 20 dB, 10 dB, no log of 0, -20 dB (below the picture); linear powers 512 and 2048.
struct AxisCase { bool linear; int range; double bits, zoom, re, im; int last, centre; double y; };

TEST(Spectrum, BinsSpreadAroundZeroAtTheirPowers) {
  for (const AxisCase& c : std::vector<AxisCase>{
           {false, 150, 1, 1, 10, 0, 1023, 512, 673.6}, {false, 1, 4, 1, 3, 1, 4095, 2048, 360},
           {false, 150, 3, 4, 0, 0, 767, 384, 1000}, {false, 150, 1, 1, 0.1, 0, 1023, 512, 1326.4},
           {true, 1, 3, 1, 16, 16, 3071, 1536, 900}, {true, 150, 1, 5, 32, 32, 204, 102, 898}}) {
    SCOPED_TRACE(c.y);
    Display d;
    d.zoom = c.zoom;
    d.bin(0, c.re, c.im);
    d.bin(4095, 1000, 0);  // bin -1, 60 dB
    d.run(false, c.bits, c.linear, c.range);
    ASSERT_EQ(d.pic.ops.size(), 2u * (c.last + 1));  // each segment twice
    EXPECT_EQ(xy(d.pic.ops[0]), (Xy{0, 1000, 0, 1000}));  // rises from the bottom-left corner
    EXPECT_NEAR(d.pic.ops[2 * c.centre].x2, c.centre * 8 * c.zoom / c.bits, 1e-9);
    EXPECT_NEAR(d.pic.ops[2 * c.centre].y2, c.y, 1e-9);
    EXPECT_NEAR(d.pic.ops[2 * c.centre + 1].y2, c.y + 15, 1e-9);
    EXPECT_LT(d.pic.ops[2 * c.centre - 2].y2, 1000);
    EXPECT_EQ(d.pic.ops[2 * c.centre + 2].y2, 1000);  // bin 1 is empty
  }
}

TEST(Spectrum, AveragesAndMemoryKeepsItsCopyAndWidthBasis) {
  Display d;
  for (auto [re, im, m] : {std::tuple{3.0, 4.0, 25.0}, {0.0, 1.0, 13.0}, {1.0, 1.0, 28 / 3.0}}) {
    d.bin(5, re, im);
    d.run(d.spectrums >= 1);  // the memory is taken at the second run, before it adds in
    EXPECT_NEAR(d.average[5], m, 1e-12);
  }
  EXPECT_EQ(d.memoryTrace[5], 25);
  d.zoom = 0;      // taken as 1 by both traces
  d.run(true, 2);  // two bits per symbol now
  EXPECT_EQ(d.pic.ops[0].colour, 0x8000u);  // drawn under the live trace
  EXPECT_EQ(d.count(0x8000), 2048);  // 1024 points of b = 1
  EXPECT_EQ(d.count(0x0), 4096);     // 2048 points of b = 2
  d.run(false, 2);  // unchecked: dropped at once
  EXPECT_EQ(d.count(0x8000), 0);
  d.run(true, 2);   // checked again: a fresh copy of (28 + 2 + 2) / 5
  EXPECT_NEAR(d.memoryTrace[5], 32 / 5.0, 1e-12);
  EXPECT_EQ(d.memoryBits, 2);
  d.run(true, 2, false, 150, false);  // its check box hidden in another scene: the memory goes
  EXPECT_EQ(d.count(0x8000), 0);
}

// A power too large for a double never enters the average; and whatever the average held, a
// restart begins again from this run's powers alone.
TEST(Spectrum, NonFinitePowersStayOutAndARestartForgetsTheOldAverage) {
  Display d;
  d.bin(5, 3, 4);
  d.bin(6, 1e200, 0);  // power overflows to infinity
  d.run(false);
  EXPECT_EQ(d.average[5], 25);
  EXPECT_EQ(d.average[6], 0);
  d.bin(6, 2, 0);
  d.run(false);
  EXPECT_EQ(d.average[6], 2);  // (0 + 4) / 2: the infinity was left out
  d.average[5] = std::numeric_limits<double>::quiet_NaN();  // kept from anywhere
  d.average[7] = std::numeric_limits<double>::infinity();
  d.spectrums = 0;
  d.run(false);
  EXPECT_EQ(d.average[5], 25);
  EXPECT_EQ(d.average[7], 0);
  for (const DrawOp& op : d.pic.ops) ASSERT_TRUE(std::isfinite(op.y1) && std::isfinite(op.y2));
}

}  // namespace
}  // namespace linklab
