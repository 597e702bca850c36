// Which scales the window's pictures get, and that they follow the settings the chain drew with:
// the reference constellation, the data window and the spectrum's range read true on them.

#include "displays/scale_reading.h"
#include "main_window/window_setup.h"

namespace linklab {
namespace {

const ScaleStyle style{};

std::unique_ptr<Form1> loaded(const char* scene) { return window({{"cmbScene", scene}}, 1); }

PictureScales scalesOf(const Form1& form, const PictureBox& picture) {
  PictureScales s;
  form.describeScales(picture, style, s);
  return s;
}

bool reads(const Form1& form, const PictureBox& picture, const std::string& unit) {
  return allText(scalesOf(form, picture)).find(" " + unit + "|") != std::string::npos;
}

// The receive scatter: the reference circles of BPSK stand at I = +-T, Q = 0, with the threshold
// T = (110 - vscYThreshold) / 50 and the eye scale (110 - vscTxEyeScale) / 50 as zoom.
TEST(ScatterScales, ReferenceCirclesReadTheirAmplitude) {
  for (const auto& [threshold, eyeScale] : {std::pair{60, 60}, {85, 60}, {40, 30}, {100, 100}, {10, 85}}) {
    auto form = window({{"cmbScene", "Scatter"}, {"cmbMod(0)", "BPSK"}}, 1);
    form->vscYThreshold.setValue(threshold);
    form->vscTxEyeScale.setValue(eyeScale);
    form->picScatter[2].Cls();
    form->picScatter[2].setRecording(true);
    form->runSimulation();
    const PictureScales s = scalesOf(*form, form->picScatter[2]);
    int seen = 0;
    for (const DrawOp& op : form->picScatter[2].log()) {
      if (op.kind != DrawOp::Kind::Circle || op.colour != 0xC0) continue;
      ++seen;
      EXPECT_NEAR(std::abs(readAt(s, false, op.x1)), (110 - threshold) / 50.0, 1e-9) << allText(s);
      EXPECT_NEAR(readAt(s, true, op.y1), 0, 1e-9) << allText(s);
    }
    EXPECT_GT(seen, 0);
  }
}

// The zoom sets the scroll's range to 128 - 24 * zoom (a scroll past it comes back to it) and its
// steps to 1 and 4 symbols of bits. The data trace follows the scroll and the zoom: the left edge
// reads the first bit's time, and the window holds 12 * zoom bits over the cells drawn; the symbol
// trace starts at the window's first symbol.
TEST(DataWindowScales, LeftEdgeReadsTheFirstBitOfTheWindow) {
  for (const auto& [modulation, zoom, scroll] : {std::tuple{"BPSK", 1, 0}, {"BPSK", 2, 8}, {"QPSK", 1, 6},
                                                 {"16-QAM", 3, 40}, {"8-PSK", 4, 24}, {"8-PSK", 2, 72}}) {
    auto form = window({{"cmbScene", "Modulation"}, {"cmbMod(0)", modulation}}, 1);
    const Slider& s = form->hscDataScroll;
    const double b = form->dBitsPerSymbol;
    const int end = 128 - 24 * zoom, step = int(b);
    form->hscDataScroll.setValue(104);
    form->hscDataZoom.setValue(zoom);
    EXPECT_EQ((std::array{s.Max(), s.Value(), s.SmallChange, s.LargeChange}), (std::array{end, end, step, 4 * step}));
    form->hscDataScroll.setValue(scroll);
    ASSERT_EQ(form->hscDataScroll.Value(), scroll);
    const PictureScales bits = scalesOf(*form, form->picData);
    EXPECT_NEAR(readAt(bits, false, 0), (scroll + 12) / b, 1e-9) << allText(bits);
    const double cell = std::floor(form->picData.ScaleWidth() / (12 * zoom));
    EXPECT_NEAR(readAt(bits, false, 12 * zoom * cell) - readAt(bits, false, 0), 12 * zoom / b, 1e-9);
    const PictureScales symbols = scalesOf(*form, form->picModData);
    EXPECT_NEAR(readAt(symbols, false, 0), form->dataWindow().symbolFirst, 1e-9) << allText(symbols);
  }
}

// Which picture gets which scale, scene by scene; hidden pictures and the passband picture until
// it is ticked get none. The top of the spectrum reads its range, 3125 / (201 - R) dB.
TEST(PictureScalesChoice, EachPictureItsOwnUnits) {
  auto form = loaded("Modulation");
  EXPECT_TRUE(reads(*form, form->picEye[1], "ms") && reads(*form, form->picEye[2], "ms"));
  EXPECT_TRUE(reads(*form, form->picScatter[0], "I") && reads(*form, form->picSpectrum[0], "kHz"));
  EXPECT_TRUE(reads(*form, form->picSpectrum[0], "dB"));
  for (int range : {1, 100, 150, 200}) {
    form->vscSpectrumRange.setValue(range);
    const PictureScales s = scalesOf(*form, form->picSpectrum[0]);
    EXPECT_NEAR(readAt(s, true, 0), 3125.0 / (201 - range), 1e-9) << allText(s);
  }
  EXPECT_EQ(scalesOf(*form, form->picEye[0]).labelCount, 0);
  ASSERT_TRUE(form->picSpectrum[1].Visible);
  EXPECT_EQ(scalesOf(*form, form->picSpectrum[1]).labelCount, 0);
  form->chkPassband.setValue(1);
  EXPECT_TRUE(reads(*form, form->picSpectrum[1], "ms"));
  form->cmbScene.setText("Full");
  EXPECT_TRUE(reads(*form, form->picEye[0], "ms") && reads(*form, form->picScatter[2], "Q"));
  form->cmbScene.setText("Baseband Demo");
  EXPECT_TRUE(reads(*form, form->picScatter[0], "Q") && reads(*form, form->picModData, "periods"));
}

// ---- Baseband Demo: a phasor z gives a carrier of amplitude 2|z| (the unmodulated one reads 1),
// whose peaks stand one carrier period apart, and the trail's scale reads z itself.

class CarrierScales : public testing::TestWithParam<std::array<double, 2>> {};

TEST_P(CarrierScales, PeaksReadTheirAmplitudeAndPeriod) {
  const auto [re, im] = GetParam();  // im as drawn upwards
  auto form = loaded("Baseband Demo");
  form->Form_MouseMove(1, 0, 4200 + 2360 * re, 3000 - 2360 * im);
  for (int i = 0; i < 100; ++i) form->Timer1_Timer();  // 256 samples, three a tick
  PictureBox& pic = form->picModData;
  pic.setRecording(true);
  form->Timer1_Timer();
  const PictureScales s = scalesOf(*form, pic);
  for (const uint32_t colour : {0xC000u, 0xC00000u}) {
    std::vector<double> x, y;
    for (const DrawOp& op : pic.log())
      if (op.kind == DrawOp::Kind::Line && op.colour == colour) x.push_back(op.x1), y.push_back(op.y1);
    ASSERT_GT(y.size(), 200u);
    const double amplitude = colour == 0xC000u ? 1 : 2 * std::hypot(re, im);
    // Samples a quarter radian apart catch a peak within cos(1/8) of it.
    const double top = readAt(s, true, *std::min_element(y.begin(), y.end()));
    EXPECT_LE(top, amplitude + 0.01);
    EXPECT_GE(top, amplitude * std::cos(0.125) - 0.01);
    std::vector<double> peaks;
    for (std::size_t i = 1; i + 1 < y.size(); ++i)
      if (y[i] < y[i - 1] && y[i] <= y[i + 1]) peaks.push_back(readAt(s, false, x[i]));
    ASSERT_GE(peaks.size(), 8u);
    for (std::size_t i = 1; i < peaks.size(); ++i) EXPECT_NEAR(peaks[i] - peaks[i - 1], 1, 1.5 / (8 * M_PI));
  }
  const PictureScales trail = scalesOf(*form, form->picScatter[0]);
  double dotX = 0, dotY = 0;
  form->picScatter[0].setRecording(true);
  form->Timer1_Timer();
  for (const DrawOp& op : form->picScatter[0].log())
    if (op.kind == DrawOp::Kind::Circle) dotX = op.x1, dotY = op.y1;
  EXPECT_NEAR(readAt(trail, false, dotX), re, 1e-3);
  EXPECT_NEAR(readAt(trail, true, dotY), im, 1e-3);
}
INSTANTIATE_TEST_SUITE_P(Scales, CarrierScales,
                         testing::Values(std::array{0.5, 0.0}, std::array{0.3, 0.4}, std::array{-0.6, -0.8},
                                         std::array{0.0, 0.25}));

// A label or slider that only overhangs a picture's edge is cut back to it by the front ends and
// keeps no label off it (the sync label and the offset slider at the trajectory's edge in "Full");
// any other control reaching into a picture does (the Q marker box in "Modulation").
TEST(PictureScalesChoice, OnlyWhatReachesIntoAPictureKeepsLabelsOff) {
  auto full = loaded("Full");
  EXPECT_EQ(scalesOf(*full, full->picScatter[0]).keepOutCount, 0);
  EXPECT_GE(scalesOf(*full, full->picSpectrum[0]).keepOutCount, 3);  // its title button and check boxes
  auto modulation = loaded("Modulation");
  const PictureBox& plane = modulation->picScatter[0];
  const PictureScales s = scalesOf(*modulation, plane);
  ASSERT_EQ(s.keepOutCount, 1);
  EXPECT_EQ(s.keepOuts[0].left, modulation->chkEye[2].Left - plane.Left);
  EXPECT_EQ(s.keepOuts[0].top, modulation->chkEye[2].Top - plane.Top);
}

}  // namespace
}  // namespace linklab
