// Which scales the window's pictures get, and that they follow the settings the chain drew with:
// the reference constellation, the data window and the spectrum's range read true on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>
#include <memory>
#include <string>

#include "displays/scale_reading.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

const ScaleStyle style{};

std::unique_ptr<Form1> loaded(const char* scene) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText(scene);
  form->Timer1_Timer();  // the first tick after a scene change only counts
  return form;
}

PictureScales scalesOf(const Form1& form, const PictureBox& picture) {
  PictureScales s;
  form.describeScales(picture, style, s);
  return s;
}

// ---- The receive scatter: the reference circles of BPSK stand at I = +-T, Q = 0.

struct ScatterCase {
  int threshold;  // vscYThreshold: T = (110 - value) / 50
  int eyeScale;   // vscTxEyeScale: zoom = (110 - value) / 50
};
class ScatterScales : public testing::TestWithParam<ScatterCase> {};

TEST_P(ScatterScales, ReferenceCirclesReadTheirAmplitude) {
  auto form = loaded("Scatter");
  form->cmbMod[0].setText("BPSK");
  form->vscYThreshold.setValue(GetParam().threshold);
  form->vscTxEyeScale.setValue(GetParam().eyeScale);
  form->picScatter[2].Cls();
  form->picScatter[2].setRecording(true);
  form->runSimulation();
  const double t = (110 - GetParam().threshold) / 50.0;
  const PictureScales s = scalesOf(*form, form->picScatter[2]);
  int seen = 0;
  for (const DrawOp& op : form->picScatter[2].log()) {
    if (op.kind != DrawOp::Kind::Circle || op.colour != 0xC0) continue;
    ++seen;
    EXPECT_NEAR(std::abs(readAt(s, false, op.x1)), t, 1e-9) << allText(s);
    EXPECT_NEAR(readAt(s, true, op.y1), 0, 1e-9) << allText(s);
  }
  EXPECT_GT(seen, 0);
}
INSTANTIATE_TEST_SUITE_P(Scales, ScatterScales,
                         testing::Values(ScatterCase{60, 60}, ScatterCase{85, 60}, ScatterCase{40, 30},
                                         ScatterCase{100, 100}, ScatterCase{10, 85}));

// ---- The data trace follows the scroll and the zoom: the left edge reads the first bit's time.

struct WindowCase {
  const char* modulation;
  int zoom, scroll;
};
class DataWindowScales : public testing::TestWithParam<WindowCase> {};

TEST_P(DataWindowScales, LeftEdgeReadsTheFirstBitOfTheWindow) {
  auto form = loaded("Modulation");
  form->cmbMod[0].setText(GetParam().modulation);
  form->hscDataZoom.setValue(GetParam().zoom);
  form->hscDataScroll.setValue(GetParam().scroll);
  ASSERT_EQ(form->hscDataScroll.Value(), GetParam().scroll);
  const double b = form->dBitsPerSymbol;
  const PictureScales bits = scalesOf(*form, form->picData);
  EXPECT_NEAR(readAt(bits, false, 0), (GetParam().scroll + 12) / b, 1e-9) << allText(bits);
  // The window holds 12 * zoom bits over the cells drawn.
  const double cell = std::floor(form->picData.ScaleWidth() / (12 * GetParam().zoom));
  EXPECT_NEAR(readAt(bits, false, 12 * GetParam().zoom * cell) - readAt(bits, false, 0), 12 * GetParam().zoom / b,
              1e-9);
  const PictureScales symbols = scalesOf(*form, form->picModData);
  EXPECT_NEAR(readAt(symbols, false, 0), form->dataWindow().symbolFirst, 1e-9) << allText(symbols);
}
INSTANTIATE_TEST_SUITE_P(Scales, DataWindowScales,
                         testing::Values(WindowCase{"BPSK", 1, 0}, WindowCase{"BPSK", 2, 8}, WindowCase{"QPSK", 1, 6},
                                         WindowCase{"16-QAM", 3, 40}, WindowCase{"8-PSK", 4, 24}));

// ---- The spectrum's range: the top of the picture reads 3125 / (201 - R) dB.

class SpectrumRange : public testing::TestWithParam<int> {};

TEST_P(SpectrumRange, TopOfThePictureReadsTheRange) {
  auto form = loaded("Modulation");
  form->vscSpectrumRange.setValue(GetParam());
  const PictureScales s = scalesOf(*form, form->picSpectrum[0]);
  EXPECT_NEAR(readAt(s, true, 0), 3125.0 / (201 - GetParam()), 1e-9) << allText(s);
  EXPECT_NE(allText(s).find(" dB|"), std::string::npos);
}
INSTANTIATE_TEST_SUITE_P(Scales, SpectrumRange, testing::Values(1, 100, 150, 200));

// ---- Which picture gets which scale, scene by scene.

TEST(PictureScalesChoice, EachPictureItsOwnUnits) {
  auto form = loaded("Modulation");
  EXPECT_NE(allText(scalesOf(*form, form->picEye[1])).find(" ms|"), std::string::npos);
  EXPECT_NE(allText(scalesOf(*form, form->picEye[2])).find(" ms|"), std::string::npos);
  EXPECT_NE(allText(scalesOf(*form, form->picScatter[0])).find(" I|"), std::string::npos);
  EXPECT_NE(allText(scalesOf(*form, form->picSpectrum[0])).find(" kHz|"), std::string::npos);
  EXPECT_EQ(scalesOf(*form, form->picEye[0]).labelCount, 0);  // hidden in this scene
  ASSERT_TRUE(form->picSpectrum[1].Visible);
  EXPECT_EQ(scalesOf(*form, form->picSpectrum[1]).labelCount, 0);  // nothing drawn until it is ticked
  form->chkPassband.setValue(1);
  EXPECT_NE(allText(scalesOf(*form, form->picSpectrum[1])).find(" ms|"), std::string::npos);

  form->cmbScene.setText("Full");
  EXPECT_NE(allText(scalesOf(*form, form->picEye[0])).find(" ms|"), std::string::npos);
  EXPECT_NE(allText(scalesOf(*form, form->picScatter[2])).find(" Q|"), std::string::npos);

  form->cmbScene.setText("Baseband Demo");
  EXPECT_NE(allText(scalesOf(*form, form->picScatter[0])).find(" Q|"), std::string::npos);
  EXPECT_NE(allText(scalesOf(*form, form->picModData)).find(" periods|"), std::string::npos);
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

TEST(PictureScalesChoice, NoLabelUnderAControlOnThePicture) {
  auto form = loaded("Full");
  const PictureBox& pic = form->picSpectrum[0];
  const PictureScales s = scalesOf(*form, pic);
  ASSERT_GT(s.keepOutCount, 0);  // the spectrum's title button and check boxes sit on it
  const Control& box = form->chkLinear;
  for (int i = 0; i < s.labelCount; ++i) {
    const ScaleLabel& l = s.labels[i];
    // Label anchors are in the picture's twips; the check box in the window's.
    const bool inside = l.x + pic.Left > box.Left && l.x + pic.Left < box.Left + box.Width &&
                        l.y + pic.Top > box.Top && l.y + pic.Top < box.Top + box.Height;
    EXPECT_FALSE(inside) << l.text.data();
  }
}

// A label or slider that only overhangs a picture's edge is cut back to it by the front ends and
// keeps no label off it (the sync label and the offset slider at the trajectory's edge in "Full");
// any other control reaching into a picture does (the Q marker box in "Modulation").
TEST(PictureScalesChoice, OnlyWhatReachesIntoAPictureKeepsLabelsOff) {
  auto full = loaded("Full");
  EXPECT_EQ(scalesOf(*full, full->picScatter[0]).keepOutCount, 0);
  auto modulation = loaded("Modulation");
  const PictureBox& plane = modulation->picScatter[0];
  const PictureScales s = scalesOf(*modulation, plane);
  ASSERT_EQ(s.keepOutCount, 1);
  EXPECT_EQ(s.keepOuts[0].left, modulation->chkEye[2].Left - plane.Left);
  EXPECT_EQ(s.keepOuts[0].top, modulation->chkEye[2].Top - plane.Top);
}

}  // namespace
}  // namespace linklab
