#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <memory>
#include <sstream>
#include <string>

#include "main_window/form1.h"

namespace linklab {
namespace {

class CarrierTable : public ::testing::TestWithParam<int> {};

TEST_P(CarrierTable, CompletesVCyclesEveryTwoSymbols) {
  auto form = std::make_unique<Form1>();
  const int v = GetParam();
  form->hscCarrier.setValue(v);
  form->hscCarrier_Change();
  for (int i = 0; i < 4096; ++i) {
    const double angle = 2 * M_PI * v * i / 64.0;  // v/64 cycles per sample
    ASSERT_NEAR(form->dCarrier[2 * i], std::cos(angle), 1e-9) << "sample " << i;
    ASSERT_NEAR(form->dCarrier[2 * i + 1], std::sin(angle), 1e-9) << "sample " << i;
  }
  // Two symbols (64 samples) hold exactly v cycles: the table starts over there.
  EXPECT_NEAR(form->dCarrier[2 * 64], 1.0, 1e-12);
  EXPECT_NEAR(form->dCarrier[2 * 64 + 1], 0.0, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(SliderEnds, CarrierTable, ::testing::Values(2, 8));

TEST(Startup, FirstValues) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  EXPECT_EQ(form->dTxEyeScale, 1.0);
  EXPECT_EQ(form->dYThreshold, 0.0);
  EXPECT_EQ(form->dCarrier[0], 1.0);
  EXPECT_EQ(form->dCarrier[1], 0.0);
  EXPECT_DOUBLE_EQ(form->dCarrier[2], std::cos(M_PI / 16));
  EXPECT_EQ(form->lTick, 0);
  EXPECT_EQ(form->dCarrierPhase, 0.0);
  EXPECT_EQ(form->bFiltersValid, 0);  // the first tick designs the filters
}

// The sliders start-up leaves at their design range, value and steps (min, max, value, small,
// large); the data-zoom rule sets the scroll's maximum to 128 - 24 * zoom and its steps to 1 and 4
// bits per symbol.
TEST(Startup, SlidersKeepTheirDesignRangesAndSteps) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  std::istringstream table(
      "hscCarrier 2 8 2 1 2  hscSpectrum 1 6 1 1 2  hscDataScroll 0 104 0 1 4  hscDataZoom 1 4 1 1 1  "
      "hscXThreshold 0 32767 0 1 1  vscSync -1 1 0 1 1  vscFreq -5 5 0 1 2  vscFSK 0 29 24 1 1  "
      "vscSpectrumRange 1 200 150 5 20");
  for (std::string name; table >> name;) {
    std::array<int, 5> want;
    for (int& v : want) table >> v;
    const auto* s = dynamic_cast<const Slider*>(form->findControl(name));
    ASSERT_NE(s, nullptr) << name;
    EXPECT_EQ((std::array{s->Min(), s->Max(), s->Value(), s->SmallChange, s->LargeChange}), want) << name;
  }
}

TEST(Startup, ListKindsOfTheDescription) {
  auto form = std::make_unique<Form1>();
  // Only the receiver's lists take typed text: an unknown filter can only come from there.
  EXPECT_TRUE(form->cmbFilter[1].Editable && form->cmbMod[1].Editable && form->cmbNoise.Editable);
  EXPECT_FALSE(form->cmbFilter[0].Editable || form->cmbMod[0].Editable || form->cmbData.Editable);
  EXPECT_EQ(form->findControl("cmbMod(1)"), &form->cmbMod[1]);
  EXPECT_EQ(form->findControl("lneHint(20)"), nullptr);
}

// The block diagram as the window description places it before any code runs: left, top, width,
// height (a line's two end points), and the border colour of the shapes and lines.
TEST(Startup, TheDescriptionPlacesTheBlockDiagram) {
  auto form = std::make_unique<Form1>();
  std::istringstream table(
      "cmbScene 240 480 2535 480  cmbData 3000 480 2655 480  cmbMod(0) 2400 1440 1995 480  "
      "cmbMod(1) 2280 7200 2895 480  cmbFilter(0) 1800 2040 2295 480  cmbFilter(1) 1800 5520 2295 480  "
      "cmbTxEB(0) 4080 2040 975 480  cmbTxBW(0) 4080 2040 975 480  cmbTxSC(0) 4080 2040 795 480  "
      "cmbTxEB(1) 4080 5520 975 480  cmbTxBW(1) 4080 5520 975 480  cmbTxSC(1) 4080 5520 795 480  "
      "cmbNonlinear 3240 3240 2295 480  cmbMultipathDelay 2160 4080 1095 480  cmbMultipathMag 4140 4080 975 480  "
      "cmbNoise 3240 4740 1095 480  cmbEqualiser 2280 6120 2355 480  cmdPause 60 9480 1215 495  "
      "txtFSK 4440 1440 795 495  vscFSK 5280 1440 375 495  Label1 600 120 1575 495  "
      "lblModulation(0) 360 1485 1935 495  lblModulation(1) 840 7200 1335 495  lblFilter(0) 300 2055 1395 495  "
      "lblFilter(1) 300 5520 1455 495  lblPCkHz(0) 4920 2040 735 495  lblPCkHz(1) 4920 5520 735 495  "
      "lblNonLinear 480 3240 2535 495  lblMultipath 480 4080 1575 495  lblMultipathDelay 3240 4080 855 435  "
      "lblMultipathPC 5160 4080 375 435  lblNoise 1920 4740 1275 495  lblNoiseW 4320 4740 1095 495  "
      "lblEqualiser 480 6120 1575 495  lblSync 120 6960 2295 375  vscSync 1020 6900 255 495  "
      "vscFreq 1260 5880 255 2535  lblOutput 2880 8160 1455 495  lblBER 480 8160 2295 375  "
      "shpDataBox 2880 360 2895 735  shpTxBox 240 1320 5535 2535  shpChannelBox 240 3360 5535 1335  "
      "shpRxBox 240 4080 5535 2415  shpOutputBox 2880 8160 1455 495  Line1 3600 1080 3600 6060");
  for (std::string name; table >> name;) {
    std::array<int, 4> want;
    for (int& v : want) table >> v;
    const Control* c = form->findControl(name);
    ASSERT_NE(c, nullptr) << name;
    const auto* l = dynamic_cast<const LineShape*>(c);
    const std::array got = l ? std::array{l->X1, l->Y1, l->X2, l->Y2} : std::array{c->Left, c->Top, c->Width, c->Height};
    EXPECT_EQ(got, want) << name;
  }
  for (const auto& [shape, colour] : {std::pair{&form->shpDataBox, 0x8000u}, {&form->shpTxBox, 0x800000u},
                                      {&form->shpChannelBox, 0x80u}, {&form->shpRxBox, 0x8080u},
                                      {&form->shpOutputBox, 0x8000u}})
    EXPECT_EQ(shape->BorderColor, colour);
  EXPECT_EQ(form->Line1.BorderColor, 0x800080u);
  EXPECT_EQ(form->lneScan.BorderColor, 0xC00000u);
  EXPECT_EQ((std::array{form->lblLinear[0].Left, form->lblLinear[1].Left, form->lblLinear[2].Left, form->lblLinear[3].Left}),
            (std::array{480, 2040, 3900, 4800}));
}

// Which pictures a restart clears: draw on every one, restart, see which logs are empty.
struct RestartCase {
  int16_t index;
  bool clearsTransmitSpectrum;
  bool clearsOthers;
};

class Restart : public ::testing::TestWithParam<RestartCase> {};

TEST_P(Restart, ClearsWhatTheIndexSays) {
  const auto c = GetParam();
  auto form = std::make_unique<Form1>();
  for (int i = 0; i < 3; ++i) {
    for (PictureBox* p : {&form->picEye[i], &form->picScatter[i], &form->picSpectrum[i]}) {
      p->setRecording(true);
      p->Line(0, 0, 10, 10);
    }
  }
  form->dSpectrums = 7;
  form->RestartPics(c.index);
  EXPECT_EQ(form->picSpectrum[0].log().empty(), c.clearsTransmitSpectrum);
  EXPECT_EQ(form->dSpectrums, c.clearsTransmitSpectrum ? 0.0 : 7.0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(form->picEye[i].log().empty(), c.clearsOthers) << "picEye " << i;
    EXPECT_EQ(form->picScatter[i].log().empty(), c.clearsOthers) << "picScatter " << i;
    if (i > 0) {
      EXPECT_EQ(form->picSpectrum[i].log().empty(), c.clearsOthers) << "picSpectrum " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Indices, Restart,
                         ::testing::Values(RestartCase{0, true, true}, RestartCase{1, false, true},
                                           RestartCase{5, false, false}, RestartCase{-1, false, false}));

class RecordingHost : public Host {
 public:
  void message(std::string_view text) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

TEST(FftCall, ReportsABadSizeOnceAndLeavesTheDataAlone) {
  auto form = std::make_unique<Form1>();
  RecordingHost host;
  form->setHost(&host);
  form->dTxSpectrum[2] = 1.0;
  const SignalBlock before = form->dTxSpectrum;
  form->FFT(form->dTxSpectrum, 96, false);
  EXPECT_EQ(form->dTxSpectrum, before);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "This FFT only does powers of two.");
  form->FFT(form->dTxSpectrum, 4096, false);
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_NEAR(form->dTxSpectrum[2 * 1024], 0.0, 1e-12);  // e^{+i pi/2} at bin 1024
  EXPECT_NEAR(form->dTxSpectrum[2 * 1024 + 1], 1.0, 1e-12);
  form->setHost(nullptr);
}

}  // namespace
}  // namespace linklab
