#include "displays/trace_plots.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "form/recording_surface.h"

namespace linklab {
namespace {

std::vector<DrawOp> opsIn(const RecordingSurface& pic, uint32_t colour) {
  std::vector<DrawOp> out;
  for (const DrawOp& op : pic.ops)
    if (op.colour == colour) out.push_back(op);
  return out;
}

void expectLine(const DrawOp& op, double x1, double y1, double x2, double y2) {
  EXPECT_EQ(op.x1, x1);
  EXPECT_EQ(op.y1, y1);
  EXPECT_EQ(op.x2, x2);
  EXPECT_EQ(op.y2, y2);
}

struct CellCase {
  double width;
  int16_t cells;
  int cellWidth;
};

class PlotDataCells : public ::testing::TestWithParam<CellCase> {};

TEST_P(PlotDataCells, CellWidthIsTheFlooredShare) {
  const CellCase c = GetParam();
  std::array<int16_t, 513> bits{};
  RecordingSurface pic(c.width, 1000);
  plotData(pic, 32, bits, bits, 0xFF0000, 0, 1, true, 0, 0, c.cells);
  ASSERT_EQ(pic.ops.size(), 2u * c.cells);  // all zero: no edges
  for (int i = 0; i < c.cells; ++i) {
    expectLine(pic.ops[2 * i], i * c.cellWidth, 800, (i + 1) * c.cellWidth, 800);
    expectLine(pic.ops[2 * i + 1], i * c.cellWidth, 815, (i + 1) * c.cellWidth, 815);
  }
}

INSTANTIATE_TEST_SUITE_P(Widths, PlotDataCells,
                         ::testing::Values(CellCase{8895, 12, 741},  // 3 units stay empty
                                           CellCase{8895, 24, 370}, CellCase{8895, 48, 185},
                                           CellCase{8895, 6, 1482}, CellCase{1000, 3, 333}));

TEST(PlotData, LevelsAndEdges) {
  std::array<int16_t, 513> bits{};
  bits[21] = bits[22] = 1;  // cells 1 and 2 of the window from 20
  RecordingSurface pic(8895, 1000);
  plotData(pic, 32, bits, bits, 0xFF0000, 0, 1, true, 0, 20, 32);
  ASSERT_EQ(pic.ops.size(), 26u);
  expectLine(pic.ops[0], 0, 800, 741, 800);           // 0 at 4/5 of the height
  expectLine(pic.ops[2], 741, 200, 1482, 200);        // 1 at 1/5
  expectLine(pic.ops[4], 741, 800, 741, 200);         // rising edge, drawn once
  expectLine(pic.ops[5], 1482, 200, 2223, 200);       // equal neighbour: no edge
  expectLine(pic.ops[9], 2223, 200, 2223, 800);       // falling edge
  expectLine(pic.ops[25], 8151, 815, 8892, 815);
  EXPECT_EQ(pic.clears, 1);
}

TEST(PlotData, ScaleAndBaseAreFlooredOnAnOddHeight) {
  std::array<int16_t, 513> bits{};
  bits[0] = 1;
  RecordingSurface pic(1000, 1234);  // base Int(987.2) = 987, scale CInt(-Int(740.4)) = -740
  plotData(pic, 32, bits, bits, 0xFF0000, 0, 1, true, 0, 0, 1);
  ASSERT_EQ(pic.ops.size(), 3u);
  expectLine(pic.ops[0], 0, 247, 1000, 247);
  expectLine(pic.ops[2], 0, 987, 0, 247);
  std::array<double, 257> sym{};
  plotModData(pic, 32, sym, 0xC000, NoQuadratureColour, -1, 1, 0, 0, 1);
  expectLine(pic.ops[0], 0, 587, 1000, 587);  // scale CInt(-740 / 200) = -4: 987 - 400
}

TEST(PlotData, MismatchedCellIsRedAndOverlayKeepsPicture) {
  std::array<int16_t, 513> bits{}, reference{};
  bits[1] = bits[2] = 1;
  reference = bits;
  reference[2] = 0;
  RecordingSurface pic(8895, 1000);
  pic.Line(0, 0, 1, 1);
  plotData(pic, 32, bits, reference, 0xFF0000, 0, 1, false, 0, 0, 12);
  EXPECT_EQ(pic.clears, 0);
  EXPECT_EQ(opsIn(pic, 0xFF).size(), 2u);  // both lines of cell 2 only
  EXPECT_EQ(pic.ops[6].colour, 0xFFu);
  EXPECT_EQ(pic.ops[5].colour, 0xFF0000u);  // the edge of cell 1
}

struct RoundCase {
  double value;
  int y;  // CInt((CInt(100 v) + 100) * -3 + 800)
};

class ModDataRounding : public ::testing::TestWithParam<RoundCase> {};

TEST_P(ModDataRounding, SymbolValuesAreDrawnInRoundedHundredths) {
  std::array<double, 257> sym{};
  sym[0] = GetParam().value;
  RecordingSurface pic(8895, 1000);
  plotModData(pic, 32, sym, 0xC000, NoQuadratureColour, -1, 1, 0, 0, 1);
  EXPECT_EQ(pic.ops[0].y1, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Values, ModDataRounding,
                         ::testing::Values(RoundCase{0.125, 464},        // 12.5 -> 12
                                           RoundCase{0.375, 386},        // 37.5 -> 38
                                           RoundCase{-1.0 / 3, 599},     // -33.3 -> -33
                                           RoundCase{1 / 1.41421562, 287},  // 70.7 -> 71
                                           RoundCase{1, 200}, RoundCase{-1, 800}));

TEST(PlotModData, OqpskQLineIsShiftedHalfACell) {
  std::array<double, 257> sym{};
  for (int s = 0; s < 128; ++s) sym[2 * s] = sym[2 * s + 1] = -1;
  RecordingSurface pic(8895, 1000);
  plotModData(pic, 32, sym, 0xC000, 0xC0, -1, 1, 0.5, 0, 6);  // cells of 1482, shift 741
  const auto i = opsIn(pic, 0xC000), q = opsIn(pic, 0xC0);
  ASSERT_EQ(i.size(), 12u);
  ASSERT_EQ(q.size(), 12u);
  expectLine(i[2], 1482, 800, 2964, 800);
  expectLine(q[0], 0, 800, 2223, 800);  // starts at the edge, ends half a cell late
  expectLine(q[2], 2223, 800, 3705, 800);
  expectLine(q[10], 8151, 800, 9633, 800);
  EXPECT_EQ(pic.clears, 1);
}

TEST(PlotModData, FskAndMskDrawTheILineOnly) {
  std::array<double, 257> sym{};
  for (int s = 0; s < 128; ++s) sym[2 * s + 1] = 1;
  RecordingSurface pic(8895, 1000);
  plotModData(pic, 32, sym, 0xC000C0, NoQuadratureColour, -1, 1, 0.5, 10, 22);
  EXPECT_EQ(opsIn(pic, 0xC000C0).size(), pic.ops.size());
  EXPECT_EQ(pic.ops.size(), 25u);  // 12 cells, one edge from the base up to 0
}

TEST(PlotModData, LastSymbolOfTheBlockShowsItsValue) {
  std::array<double, 257> sym{};
  sym[254] = 1;
  RecordingSurface pic(8895, 1000);
  plotModData(pic, 32, sym, 0xC000, NoQuadratureColour, -1, 1, 0, 116, 128);
  EXPECT_EQ(pic.ops[pic.ops.size() - 3].y1, 200);
}

struct ComponentCase {
  int16_t baud;
  int zoom, scroll;
  double bits, dx;
  int points, first;  // N and p0
};

class PlotComponentWindow : public ::testing::TestWithParam<ComponentCase> {};

TEST_P(PlotComponentWindow, FirstSampleWidthAndBounds) {
  const ComponentCase c = GetParam();
  std::vector<double> signal(8193, 0.0);
  signal[2 * c.first] = 1;
  signal[2 * (c.first + 1)] = -1;
  RecordingSurface pic(8895, 1000);
  const auto bounds = plotComponent(pic, c.baud, signal, 0, 0xC000, c.zoom, c.scroll, c.bits);
  ASSERT_TRUE(bounds);
  EXPECT_EQ(bounds->first, c.first + 1);
  EXPECT_EQ(bounds->last, c.first + c.points);
  EXPECT_EQ(bounds->last - bounds->first, c.points - 1);
  ASSERT_EQ(pic.ops.size(), 2u * c.points);
  expectLine(pic.ops[0], 0, 200, c.dx, 800);  // -1..1 over 3/5 of the height
  expectLine(pic.ops[1], 0, 215, c.dx, 815);
  expectLine(pic.ops.back(), (c.points - 1) * c.dx, 515, c.points * c.dx, 515);
}

INSTANTIATE_TEST_SUITE_P(Windows, PlotComponentWindow,
                         ::testing::Values(ComponentCase{12, 1, 0, 1, 741 / 32.0, 384, 368},
                                           ComponentCase{6, 2, 10, 2, 741 / 32.0, 384, 336},
                                           ComponentCase{4, 3, 5, 3, 741 / 32.0, 384, 165},
                                           ComponentCase{3, 1, 8, 4, 2965 / 32.0, 96, 144},
                                           ComponentCase{12, 4, 32, 1, 185 / 32.0, 1539, 1392}));

TEST(PlotComponent, OffsetThirtyThreeReadsSixteenSamplesOn) {
  std::vector<double> signal(8193, 0.0);
  for (int m = 0; m < 4096; ++m) signal[2 * m + 1] = (m % 50) / 50.0;
  RecordingSurface imag(8895, 1000), delayed(8895, 1000);
  plotComponent(imag, 12, signal, 1, 0xC0, 1, 0, 1);
  plotComponent(delayed, 12, signal, 33, 0xC0, 1, 0, 1);
  EXPECT_EQ(delayed.ops[0].y1, 296);  // sample 368 + 16 = 384: -300 * 34/50 + 500
  for (size_t i = 0; i + 32 < delayed.ops.size(); i += 2)
    ASSERT_EQ(delayed.ops[i].y1, imag.ops[i + 32].y1) << i;
}

TEST(PlotComponent, WindowAtTheBlockEndWrapsAround) {
  std::vector<double> signal(8193, 0.0);
  signal[1] = 1;  // Q of sample 0 is the 16-later Q of sample 4080
  RecordingSurface pic(8895, 1000);
  const auto bounds = plotComponent(pic, 12, signal, 33, 0xC0, 1, 104, 1);
  ASSERT_TRUE(bounds);
  EXPECT_EQ(bounds->first, 3697);
  EXPECT_EQ(bounds->last, 4080);
  EXPECT_EQ(pic.ops[766].y2, 200);
}

TEST(PlotComponent, PictureNarrowerThanTheWindowDrawsNothing) {
  std::vector<double> signal(8193, 0.0);
  RecordingSurface pic(10, 1000);
  EXPECT_FALSE(plotComponent(pic, 12, signal, 0, 0xC000, 1, 0, 1));
  EXPECT_EQ(pic.clears, 1);
  EXPECT_TRUE(pic.ops.empty());
}

}  // namespace
}  // namespace linklab
