#include <gtest/gtest.h>

#include <cmath>
#include <array>
#include <memory>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "main_window/window_setup.h"

namespace linklab {
namespace {

// Start-up leaves the filters to the first tick and a carrier table of v/64 cycles a sample: two
// symbols (64 samples) hold exactly v cycles, at both ends of the slider.
TEST(Startup, FirstValuesAndTheCarrierTable) {
  auto form = window();
  EXPECT_EQ((std::array{form->dTxEyeScale, form->dYThreshold, form->dCarrierPhase}), (std::array{1.0, 0.0, 0.0}));
  EXPECT_EQ((std::array<int, 2>{form->lTick, form->bFiltersValid}), (std::array{0, 0}));
  for (int v : {2, 8}) {
    form->hscCarrier.setValue(v);
    form->hscCarrier_Change();
    for (int i = 0; i < 4096; ++i) {
      ASSERT_NEAR(form->dCarrier[2 * i], std::cos(2 * M_PI * v * i / 64.0), 1e-9) << "sample " << i;
      ASSERT_NEAR(form->dCarrier[2 * i + 1], std::sin(2 * M_PI * v * i / 64.0), 1e-9) << "sample " << i;
    }
  }
}

// The sliders start-up leaves at their design range, value and steps (min, max, value, small,
// large); the data-zoom rule sets the scroll's maximum to 128 - 24 * zoom and its steps to 1 and 4
// bits per symbol.
TEST(Startup, SlidersKeepTheirDesignRangesAndSteps) {
  auto form = window();
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
}

// The block diagram as the window description places it before any code runs: left, top, width,
// height (a line's two end points), and the border colour of the shapes and lines.
TEST(Startup, TheDescriptionPlacesTheBlockDiagram) {
  auto form = std::make_unique<Form1>();
  expectPlaced(*form,
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
  for (const auto& [shape, colour] : {std::pair{&form->shpDataBox, 0x8000u}, {&form->shpTxBox, 0x800000u},
                                      {&form->shpChannelBox, 0x80u}, {&form->shpRxBox, 0x8080u},
                                      {&form->shpOutputBox, 0x8000u}})
    EXPECT_EQ(shape->BorderColor, colour);
  EXPECT_EQ(form->Line1.BorderColor, 0x800080u);
  EXPECT_EQ(form->lneScan.BorderColor, 0xC00000u);
  EXPECT_EQ((std::array{form->lblLinear[0].Left, form->lblLinear[1].Left, form->lblLinear[2].Left, form->lblLinear[3].Left}),
            (std::array{480, 2040, 3900, 4800}));
}

// Which pictures a restart clears: draw on every one, restart, see which logs are empty. Index 0
// clears all and restarts the transmit spectrum's average, 1 all but that spectrum, others none.
TEST(Restart, ClearsWhatTheIndexSays) {
  for (const auto& [index, transmitSpectrum, others] : {std::tuple{0, true, true}, {1, false, true},
                                                        {5, false, false}, {-1, false, false}}) {
    auto form = window();
    for (int i = 0; i < 3; ++i)
      for (PictureBox* p : {&form->picEye[i], &form->picScatter[i], &form->picSpectrum[i]})
        p->setRecording(true), p->Line(0, 0, 10, 10);
    form->dSpectrums = 7;
    form->RestartPics(index);
    EXPECT_EQ(form->picSpectrum[0].log().empty(), transmitSpectrum) << index;
    EXPECT_EQ(form->dSpectrums, transmitSpectrum ? 0.0 : 7.0) << index;
    for (int i = 0; i < 3; ++i)
      for (const PictureBox* p : {&form->picEye[i], &form->picScatter[i], &form->picSpectrum[i]})
        if (p != &form->picSpectrum[0]) {
          EXPECT_EQ(p->log().empty(), others) << p->name << " " << index;
        }
  }
}

TEST(FftCall, ReportsABadSizeOnceAndLeavesTheDataAlone) {
  auto form = std::make_unique<Form1>();
  RecordingHost host;
  form->setHost(&host);
  form->dTxSpectrum[2] = 1.0;
  const SignalBlock before = form->dTxSpectrum;
  form->FFT(form->dTxSpectrum, 96, false);
  EXPECT_EQ(form->dTxSpectrum, before);
  form->FFT(form->dTxSpectrum, 4096, false);
  EXPECT_EQ(host.messages, std::vector<std::string>{"This FFT only does powers of two."});
  EXPECT_NEAR(form->dTxSpectrum[2 * 1024], 0.0, 1e-12);  // e^{+i pi/2} at bin 1024
  EXPECT_NEAR(form->dTxSpectrum[2 * 1024 + 1], 1.0, 1e-12);
  form->setHost(nullptr);
}

}  // namespace
}  // namespace linklab
