// The window model as it starts and at the edges of its counters and lists; the names of the
// files it saves; the order Tab walks its controls in.

#include "main_window/file_names.h"
#include "main_window/focus_order.h"
#include "main_window/window_setup.h"
#include "transmitter/option_catalogue.h"

namespace linklab {
namespace {

// Start-up leaves the filters to the first tick and the sliders at their design range, value and
// steps (min, max, value, small, large; the data-zoom rule sets the scroll's maximum to
// 128 - 24 * zoom and its steps to 1 and 4 bits per symbol); the carrier table holds v/64 cycles a
// sample: two symbols (64 samples) hold exactly v cycles, at both ends of the slider.
TEST(Startup, FirstValuesSlidersAndTheCarrierTable) {
  auto form = window();
  EXPECT_EQ((std::array<int, 2>{form->lTick, form->bFiltersValid}), (std::array{0, 0}));
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
  for (int v : {2, 8}) {
    form->hscCarrier.setValue(v);
    form->hscCarrier_Change();
    for (int i = 0; i < 4096; ++i) {
      ASSERT_NEAR(form->dCarrier[2 * i], std::cos(2 * M_PI * v * i / 64.0), 1e-9) << "sample " << i;
      ASSERT_NEAR(form->dCarrier[2 * i + 1], std::sin(2 * M_PI * v * i / 64.0), 1e-9) << "sample " << i;
    }
  }
}

// The block diagram as the window description places it before any code runs: left, top, width,
// height (a line's two end points), and the border colour of the shapes and lines.
TEST(Startup, TheDescriptionPlacesTheBlockDiagram) {
  auto form = std::make_unique<Form1>();
  // Only the receiver's lists take typed text: an unknown filter can only come from there.
  EXPECT_TRUE(form->cmbFilter[1].Editable && form->cmbMod[1].Editable && form->cmbNoise.Editable);
  EXPECT_FALSE(form->cmbFilter[0].Editable || form->cmbMod[0].Editable || form->cmbData.Editable);
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
      "shpRxBox 240 4080 5535 2415  shpOutputBox 2880 8160 1455 495  Line1 3600 1080 3600 6060  "
      "lblLinear(0) 480 * * *  lblLinear(1) 2040 * * *  lblLinear(2) 3900 * * *  lblLinear(3) 4800 * * *");
  for (const auto& [shape, colour] : {std::pair{&form->shpDataBox, 0x8000u}, {&form->shpTxBox, 0x800000u},
                                      {&form->shpChannelBox, 0x80u}, {&form->shpRxBox, 0x8080u},
                                      {&form->shpOutputBox, 0x8000u}})
    EXPECT_EQ(shape->BorderColor, colour);
  EXPECT_EQ(form->Line1.BorderColor, 0x800080u);
  EXPECT_EQ(form->lneScan.BorderColor, 0xC00000u);
}

// Which pictures a restart clears: draw on every one, restart, see which logs are empty. Index 0
// clears all and restarts the transmit spectrum's average, 1 all but that spectrum, others none.
TEST(Restart, ClearsWhatTheIndexSays) {
  for (const auto& [index, transmitSpectrum, others] : {std::tuple{0, true, true}, {1, false, true},
                                                        {5, false, false}, {-1, false, false}}) {
    auto form = window();
    const auto pictures = scribbled(*form);
    form->dSpectrums = 7;
    form->RestartPics(index);
    EXPECT_EQ(form->dSpectrums, transmitSpectrum ? 0.0 : 7.0) << index;
    for (const PictureBox* p : pictures)
      EXPECT_EQ(p->log().empty(), p == &form->picSpectrum[0] ? transmitSpectrum : others) << p->name << " " << index;
  }
}

// After the largest count the next tick still runs the chain, and in the Baseband Demo still
// draws the trail line: the counter goes on at 2, past both first-tick values.
TEST(TickCount, GoesOnPastThe32BitLimitKeepingTheFirstTickRules) {
  auto form = window({}, 1);
  form->lTick = INT32_MAX;
  form->picData.setRecording(true);
  form->Timer1_Timer();
  EXPECT_EQ(form->lTick, 2);
  EXPECT_FALSE(form->picData.log().empty());  // the chain ran
  form->cmbScene.setText("Baseband Demo");
  form->lTick = INT32_MAX;
  form->Timer1_Timer();
  EXPECT_EQ(form->lTick, 2);
  form->picScatter[0].setRecording(true);
  form->Timer1_Timer();
  const auto& ops = form->picScatter[0].log();
  ASSERT_EQ(ops.size(), 6u);  // the trail line, then the five circles
  EXPECT_EQ(ops.front().kind, DrawOp::Kind::Line);
}

// Filling the lists again gives the same lists, not every entry twice.
TEST(FillLists, ASecondFillGivesTheSameEntries) {
  auto form = window();
  form->fillLists();
  form->fillLists();
  namespace c = catalogue;
  for (const auto& [list, entries] : {std::pair{&form->cmbNoise, c::kNoise.size()},
                                      {&form->cmbMultipathDelay, c::kMultipathDelay.size()},
                                      {&form->cmbMultipathMag, c::kMultipathMag.size()},
                                      {&form->cmbData, c::kData.size()}, {&form->cmbTxSC[1], c::kSubcarriers.size()}})
    EXPECT_EQ(list->ListCount(), static_cast<int>(entries)) << list->name;
  EXPECT_EQ(form->cmbNoise.Text(), c::kNoiseDefault);
}

// Saved files are named by what they hold: the picture's role in the scene shown and the
// settings that made it, with characters file systems refuse turned into hyphens.
// Scene, modulation, receive filter, picture, then its name (the transmit filter is Root RC). The
// transmitter's pictures do not depend on the receive filter.
TEST(FileNames, SayWhatThePictureHolds) {
  for (const auto& [scene, mod, rx, picture, stem] :
       {std::tuple{"Full", "16-QAM", "Matched", "picEye(0)", "LinkLab eye 16-QAM Root RC Matched"},
        {"Full", "16-QAM", "Matched", "picSpectrum(0)", "LinkLab spectrum 16-QAM Root RC"},
        {"Modulation", "QPSK", "None", "picEye(2)", "LinkLab Q component QPSK Root RC"},
        {"Modulation", "QPSK", "None", "picEye(1)", "LinkLab I component QPSK Root RC"},
        {"Scatter", "pi/4-SQPSK", "Matched", "picScatter(2)", "LinkLab scatter pi-4-SQPSK Root RC Matched"}}) {
    auto form = window({{"cmbScene", scene}, {"cmbMod(0)", mod}, {"cmbFilter(0)", "Root RC"}, {"cmbFilter(1)", rx}});
    EXPECT_EQ(pictureFileStem(*form, picture), stem);
  }
}

TEST(FileNames, TheDemoNamesItsPicturesWithoutTheLink) {
  auto form = window({{"cmbScene", "Baseband Demo"}});
  EXPECT_EQ(pictureFileStem(*form, "picScatter(0)"), "LinkLab phasor");
  EXPECT_EQ(windowFileStem(*form), "LinkLab Baseband Demo");
  // Whatever a name holds, no character a file system refuses reaches the file.
  EXPECT_EQ(pictureFileStem(*form, "a/b\\c:d*e?f\"g<h>i|j\tk"),
            "LinkLab a-b-c-d-e-f-g-h-i-j-k " + form->cmbMod[0].Text() + " " + form->cmbFilter[0].Text());
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText("BPSK");
  EXPECT_EQ(errorRateFileStem(*form), "LinkLab error rates BPSK " + form->cmbFilter[0].Text() + " " +
                                          form->cmbFilter[1].Text());
}

// Tab walks the block diagram as the signal flows, then the displays' controls.
TEST(FocusOrder, FollowsTheSignalThroughTheDiagramThenTheDisplays) {
  auto form = window({{"cmbScene", "Full"}});
  std::vector<std::string> names;
  for (const Control* c : tabOrder(*form))
    if (c->Visible) names.push_back(c->name);
  auto at = [&](const char* name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
  const char* flow[] = {"cmbScene", "cmbData", "cmbMod(0)", "cmbFilter(0)", "cmbNonlinear", "cmbNoise",
                        "cmbFilter(1)", "vscSync", "cmdPause"};
  for (std::size_t i = 1; i < std::size(flow); ++i) {
    ASSERT_LT(at(flow[i]), static_cast<long>(names.size())) << flow[i];
    EXPECT_LT(at(flow[i - 1]), at(flow[i])) << flow[i - 1] << " before " << flow[i];
  }
  // Captions and markers are not stops; a picture's marker with a command is.
  for (const char* none : {"Label1", "lblNoise", "chkEye(1)", "cmdSpectrum", "picEye(0)"})
    EXPECT_EQ(at(none), static_cast<long>(names.size())) << none;
}

}  // namespace
}  // namespace linklab
