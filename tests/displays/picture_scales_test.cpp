// The scales over the pictures: a known signal is drawn by its kernel, and the tick labels read at
// the drawn point must give the signal's value (amplitude, time, frequency, power).
#include "displays/eye_diagram.h"
#include "displays/plot_cycles.h"
#include "displays/scale_reading.h"
#include "displays/spectrum_display.h"
#include "displays/trace_plots.h"
#include "displays/trajectory.h"

namespace linklab {
namespace {

const ScaleStyle style{};

// ---- Steps

// The last two: no span or an infinite one, a usable step all the same.
TEST(NiceStep, IsTheSmallestOneTwoFiveStepThatFits) {
  for (const auto& [span, ticks, step] : std::vector<std::tuple<double, int, double>>{
           {10, 5, 2}, {3.85, 4, 1}, {0.7, 7, 0.1}, {8, 3, 5}, {1, 1, 1}, {61.3, 6, 20}, {0.042, 4, 0.02},
           {3125, 5, 1000}, {8, 1, 10}, {0, 5, 1}, {INFINITY, 5, 1}})
    EXPECT_DOUBLE_EQ(niceStep(span, ticks), step) << span << " " << ticks;
}

// ---- The eye: a constant rail reads its value; a pulse on every symbol centre reads whole
// symbol periods, 0 at the centre the marker starts on.

struct EyeCase { double b, eyeScale, value, width, height; };

TEST(EyeScales, LabelsReadTheAmplitudeAndTheSymbolCentres) {
  for (const auto& [b, eyeScale, value, width, height] : std::vector<EyeCase>{
           {1, 1, 1, 4335, 3855}, {2, 1.4, -0.8, 4335, 3855}, {3, 0.4, 2.0, 4335, 3855}, {4, 2, 0.3, 4335, 3855},
           {1, 1, 0.5, 8895, 2000}, {2, 0.2, 3, 6000, 3000}}) {
    SCOPED_TRACE(b + value);
    std::vector<double> signal(8192, 0.0);
    // In-phase rail: `value` on every symbol centre (sample 32m), 0 between.
    for (int m = 0; m < 128; ++m) signal[2 * 32 * m] = value;
    RecordingSurface pic(width, height);
    plotComplexEye(pic, signal, 0xC000, 0xC0, false, 0, {b, eyeScale, 0});
    PictureScales s;
    eyeScales(s, width, height, b, eyeScale, style);

    // The drawn point nearest the picture's middle whose value is the pulse's.
    const double peakY = height / 2 - value * 0.35 * height * eyeScale;
    double best = 1e9;
    for (const DrawOp& op : pic.ops)
      if (op.colour == 0xC000 && std::abs(op.y1 - peakY) < 1e-6 && std::abs(op.x1 - width / 2) < std::abs(best - width / 2))
        best = op.x1;
    ASSERT_NE(best, 1e9) << "no point at the pulse's value";
    EXPECT_NEAR(readAt(s, true, peakY), value, 1e-9) << allText(s);
    EXPECT_NEAR(readAt(s, true, height / 2), 0, 1e-9);
    EXPECT_NEAR(readAt(s, false, best), 0, 1e-9) << allText(s);
    // The next centre, one symbol (32 samples) on.
    EXPECT_NEAR(readAt(s, false, best + 32 * b * width / (b + 128)), 1, 1e-9);
    // The last time label gives the time in ms: a symbol lasts b ms.
    const char* last = nullptr;
    for (int i = 0; i < s.labelCount; ++i)
      if (!s.labels[i].vertical) last = s.labels[i].text.data();
    ASSERT_NE(last, nullptr);
    const std::string text = last;
    ASSERT_NE(text.find(leadingNumber(last) == 1 ? " symbol = " : " symbols = "), std::string::npos) << text;
    EXPECT_NEAR(leadingNumber(text.substr(text.find("= ") + 2).c_str()), leadingNumber(last) * b, 1e-9) << text;
    // ... written with the fewest decimals: "2 ms", never "2.0 ms".
    const std::string ms = text.substr(text.find("= ") + 2, text.find(' ', text.find("= ") + 2) - text.find("= ") - 2);
    EXPECT_TRUE(ms.find('.') == std::string::npos || (ms.back() != '0' && ms.back() != '.')) << text;
  }
}

// ---- The I/Q plane: a standing point of the trajectory reads its I and Q.

struct PlaneCase { double eyeScale, i, q, width, height; };

TEST(PlaneScales, TrajectoryPointReadsItsIAndQ) {
  for (const auto& [eyeScale, i, q, width, height] : std::vector<PlaneCase>{
           {1, 0.6, -0.3, 5535, 4915}, {0.2, 3, 2, 3915, 3915}, {2, -0.25, 0.4, 4035, 3915}, {1.2, -1, -1, 5535, 4095}}) {
    SCOPED_TRACE(i + q);
    std::vector<double> signal(8192);
    for (int k = 0; k < 4096; ++k) {
      signal[2 * k] = i;
      signal[2 * k + 1] = q;
    }
    RecordingSurface pic(width, height);
    plotTrajectory(pic, signal, eyeScale, 0);
    ASSERT_FALSE(pic.ops.empty());
    PictureScales s;
    iqPlaneScales(s, width, height, eyeScale, style);
    const DrawOp& op = pic.ops.front();
    // Whole twips: half a twip of rounding.
    const double perI = width / 3 * eyeScale, perQ = height / 3 * eyeScale;
    EXPECT_NEAR(readAt(s, false, op.x1), i, 0.5 / perI + 1e-12) << allText(s);
    EXPECT_NEAR(readAt(s, true, op.y1), q, 0.5 / perQ + 1e-12) << allText(s);
    EXPECT_NE(allText(s).find(" I|"), std::string::npos);
    EXPECT_NE(allText(s).find(" Q|"), std::string::npos);
  }
}

// ---- The carrier: a quarter radian a sample, so 8 pi samples make a period; its level reads.

TEST(CarrierScales, TheCarrierReadsItsPeriodsAndLevel) {
  const double width = 8895, height = 1500, dx = width / 256;
  std::array<double, 257> signal{}, carrier{};
  RecordingSurface pic(width, height);
  for (int tick = 0; tick < 86; ++tick) plotCycles(pic, signal, carrier, 0.5, 0, tick);  // 86 ticks fill it
  PictureScales s;
  carrierScales(s, width, height, style);
  // Carrier and signal alternate: line 2 j is the carrier from sample j.
  const double start = readAt(s, false, pic.ops[0].x1);
  for (int j : {31, 100, 200, 254}) {
    SCOPED_TRACE(j);
    const DrawOp& op = pic.ops[2 * j];
    EXPECT_NEAR(readAt(s, false, op.x1) - start, j / (8 * std::numbers::pi), 1 / dx / (8 * std::numbers::pi)) << allText(s);
    EXPECT_NEAR(readAt(s, true, op.y1), carrier[j], 0.5 / (0.2 * height) + 1e-9) << allText(s);
  }
  EXPECT_NE(allText(s).find("periods|"), std::string::npos) << allText(s);
}

// ---- The spectrum: one bin of known power reads its frequency and its level.

// bin: signed, negative frequencies below zero.
struct SpectrumCase { double b, zoom; int bin; double power; int range; bool linear; };

TEST(SpectrumScales, APeakReadsItsFrequencyAndPowerAndNoSymbolLengthOrZoomNothing) {
  for (const auto& p : std::vector<SpectrumCase>{{1, 1, 128, 1e4, 150, false}, {2, 2, -64, 1e3, 150, false},
                                                 {4, 3, 300, 5e4, 100, false}, {3, 5, -40, 2e5, 200, false},
                                                 {1, 1, 200, 5000, 190, true}, {2, 4, -30, 3e4, 120, true}}) {
    SCOPED_TRACE(p.bin);
    const double width = 8895, height = 2775;
    std::vector<double> powers(4096, 0.0);
    powers[(p.bin + 4096) % 4096] = p.power;
    RecordingSurface pic(width, height);
    const double f = spectrumUnitsPerHeight(height, p.linear, p.range);
    drawSpectrumTrace(pic, powers, p.b, p.zoom, f, p.linear, 0);
    // The peak: the highest point drawn (the first of each pair of lines).
    const DrawOp* peak = &pic.ops.front();
    for (const DrawOp& op : pic.ops)
      if (op.y2 < peak->y2) peak = &op;
    PictureScales s;
    spectrumScales(s, width, height, p.b, p.zoom, p.range, p.linear, style);
    EXPECT_NEAR(readAt(s, false, peak->x2), p.bin / (128 * p.b), 1e-9) << allText(s);
    const double level = p.linear ? p.power : 10 * std::log10(p.power);
    EXPECT_NEAR(readAt(s, true, peak->y2), level, 1e-9 * std::abs(level)) << allText(s);
    EXPECT_NE(allText(s).find(" kHz|"), std::string::npos) << allText(s);
    EXPECT_EQ(allText(s).find(" dB|") != std::string::npos, !p.linear) << allText(s);
  }
  // Without a symbol length or a zoom the spectrum has no scale rather than half of one.
  for (const auto& [b, zoom] : {std::pair{0.0, 1.0}, {1.0, 0.0}}) {
    PictureScales s;
    spectrumScales(s, 8895, 2775, b, zoom, 150, false, style);
    EXPECT_EQ(s.labelCount, 0) << b << " " << zoom;
  }
}

// ---- The component traces: a pulse on one symbol centre reads its amplitude and its time.

struct ComponentCase { double b; int zoom, scroll, symbol; double value; };

TEST(ComponentScales, APulseReadsItsAmplitudeAndSymbolCentre) {
  for (const auto& p : std::vector<ComponentCase>{
           {1, 1, 0, 15, 1}, {2, 2, 4, 12, -0.75}, {4, 4, 16, 10, 1.3}, {3, 1, 6, 7, 0.5}, {1, 3, 40, 60, -1}}) {
    SCOPED_TRACE(p.symbol);
    const double width = 8895, height = 1500;
    std::vector<double> signal(8192, 0.0);
    signal[2 * 32 * p.symbol] = p.value;  // the centre of the symbol
    const int16_t baud = static_cast<int16_t>(std::lround(12 / p.b));
    RecordingSurface pic(width, height);
    ASSERT_TRUE(plotComponent(pic, baud, signal, 0, 0xC000, p.zoom, p.scroll, p.b));
    // Each segment comes twice, the copy 15 lower: only the first of each pair.
    const DrawOp* peak = &pic.ops.front();
    for (size_t k = 0; k < pic.ops.size(); k += 2)
      if (std::abs(pic.ops[k].y1 - height / 2) > std::abs(peak->y1 - height / 2)) peak = &pic.ops[k];
    PictureScales s;
    componentScales(s, width, height, baud, p.zoom, p.scroll, p.b, style);
    // Symbol s spans s .. s + 1 symbol periods from the block's start: its centre is s + 0.5.
    EXPECT_NEAR(readAt(s, false, peak->x1), p.symbol + 0.5, 1e-9) << allText(s);
    const double perUnit = std::floor(height * 3 / 5) / 2;
    EXPECT_NEAR(readAt(s, true, peak->y1), p.value, 0.5 / perUnit + 1 / perUnit) << allText(s);
  }
}

// ---- The stepped traces: a single high bit (or symbol) reads its level and where it starts.

// symbols: the symbol trace (values -1..1) instead of the bits (0..1).
struct SteppedCase { bool symbols; double b; int first, last, index; double value; };

TEST(SteppedScales, ACellReadsItsLevelAndItsStart) {
  for (const auto& p : std::vector<SteppedCase>{{false, 1, 12, 24, 17, 1}, {false, 2, 16, 40, 30, 1},
                                                {false, 4, 20, 68, 44, 1}, {true, 1, 12, 24, 18, 0.5},
                                                {true, 2, 8, 20, 13, -0.75}, {true, 4, 4, 16, 9, 1}}) {
    SCOPED_TRACE(p.index);
    const double width = 8895, height = p.symbols ? 1155 : 795;
    RecordingSurface pic(width, height);
    PictureScales s;
    if (p.symbols) {
      std::vector<double> sym(257, 0.0);
      sym[2 * p.index] = p.value;
      plotModData(pic, 32, sym, 0xC000, NoQuadratureColour, -1, 1, 0, int16_t(p.first), int16_t(p.last));
      symbolTraceScales(s, width, height, p.first, p.last, -1, 1, p.b, style);
    } else {
      std::vector<int16_t> bits(513, 0);
      bits[p.index] = 1;
      plotData(pic, 32, bits, bits, 0xFF0000, 0, 1, true, 0, int16_t(p.first), int16_t(p.last));
      dataTraceScales(s, width, height, p.first, p.last, p.b, style);
    }
    // The cell's leading edge: the first vertical line past the left edge (the symbol trace also
    // rises from dMin into its first cell there).
    const DrawOp* edge = nullptr;
    for (const DrawOp& op : pic.ops)
      if (op.x1 == op.x2 && op.y1 != op.y2 && op.x1 > 0 && !edge) edge = &op;
    ASSERT_NE(edge, nullptr);
    const double start = p.symbols ? p.index : p.index / p.b;  // in symbol periods
    EXPECT_NEAR(readAt(s, false, edge->x1), start, 1e-9) << allText(s);
    EXPECT_NEAR(readAt(s, true, edge->y2), p.symbols ? p.value : 1, p.symbols ? 0.01 : 1e-9) << allText(s);
    EXPECT_NEAR(readAt(s, true, edge->y1), 0, p.symbols ? 0.01 : 1e-9) << allText(s);
  }
}

// ---- Every description: labels inside the picture, clear of each other and of the controls on
// it, each on a grid line.

// kind: 0 eye, 1 plane, 2 spectrum, 3 component, 4 data, 5 symbols, 6 carrier.
struct LayoutCase { int kind; double width, height; };

TEST(ScaleLayout, LabelsFitTheirPictureAndStandOnTheirLines) {
  // The last two: the unit right-aligned 900 twips in.
  for (const auto& [kind, width, height] : std::vector<LayoutCase>{{0, 4335, 3855}, {1, 5535, 4915}, {2, 8895, 2775},
                                                                   {3, 8895, 1500}, {4, 8895, 795}, {5, 8895, 1155},
                                                                   {1, 3915, 3915}, {4, 3915, 795}, {6, 8895, 1500},
                                                                   {6, 2500, 900}}) {
    SCOPED_TRACE(kind + width / 1e4);
    PictureScales s;
    // A control in the top right corner, as the spectrum's check boxes sit.
    s.addKeepOut({width - 1500, 0, width, 400});
    switch (kind) {
      case 0: eyeScales(s, width, height, 2, 1, style); break;
      case 1: iqPlaneScales(s, width, height, 1, style); break;
      case 2: spectrumScales(s, width, height, 1, 1, 150, false, style); break;
      case 3: componentScales(s, width, height, 12, 1, 0, 1, style); break;
      case 4: dataTraceScales(s, width, height, 12, 48, 1, style); break;  // zoom 3
      case 6: carrierScales(s, width, height, style); break;
      default: symbolTraceScales(s, width, height, 12, 24, -1, 1, 1, style); break;
    }
    ASSERT_GT(s.labelCount, 2);
    std::vector<std::array<double, 4>> boxes;
    for (int i = 0; i < s.labelCount; ++i) {
      const ScaleLabel& l = s.labels[i];
      SCOPED_TRACE(l.text.data());
      // The text's rough extent, as the description estimates it.
      int chars = 0;
      for (const char* c = l.text.data(); *c; ++c) chars += (static_cast<unsigned char>(*c) & 0xC0) != 0x80;
      const double w = chars * style.charWidth;
      const double left = l.align == LabelAlign::Left ? l.x : l.align == LabelAlign::Centre ? l.x - w / 2 : l.x - w;
      const double top = l.edge == LabelEdge::Top ? l.y : l.y - style.labelHeight;
      const std::array<double, 4> box{left, top, left + w, top + style.labelHeight};
      // Clear of the edges by the gap, of the control, of its own line and of the other labels.
      EXPECT_TRUE(box[0] >= style.gap && box[2] <= width - style.gap && box[1] >= 0 && box[3] <= height);
      EXPECT_FALSE(box[2] > width - 1500 && box[1] < 400) << "under the control";
      if (l.vertical) {
        EXPECT_TRUE(box[3] <= l.at || box[1] >= l.at) << "across its own line";
      }
      for (const auto& o : boxes)
        EXPECT_FALSE(box[0] < o[2] + style.gap && o[0] < box[2] + style.gap && box[1] < o[3] && o[1] < box[3]);
      boxes.push_back(box);
      bool onLine = false;
      for (int j = 0; j < s.lineCount; ++j)
        onLine |= l.vertical ? (s.lines[j].y1 == l.at && s.lines[j].y2 == l.at) : (s.lines[j].x1 == l.at && s.lines[j].x2 == l.at);
      EXPECT_TRUE(onLine);
    }
    // The time, frequency or I axis ends in its unit, on its last tick (at the edge, right-aligned).
    double lastTick = -1;
    for (int j = 0; j < s.lineCount; ++j)
      if (s.lines[j].x1 == s.lines[j].x2) lastTick = std::max(lastTick, s.lines[j].x1);
    const ScaleLabel* last = nullptr;
    for (int i = 0; i < s.labelCount; ++i)
      if (!s.labels[i].vertical && (!last || s.labels[i].at > last->at)) last = &s.labels[i];
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->at, lastTick) << allText(s);
    EXPECT_NE(std::strchr(last->text.data(), ' '), nullptr) << allText(s);
  }
}

}  // namespace
}  // namespace linklab
