// The handlers of the other controls: what each clears, what survives, what it records.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "main_window/form1.h"

namespace linklab {
namespace {

constexpr double kPi = 3.14159265358979;

std::unique_ptr<Form1> loaded() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  return form;
}

// The nine pictures that the clearing handlers touch, in a fixed order.
std::array<PictureBox*, 9> pictures(Form1& f) {
  return {&f.picEye[0],      &f.picEye[1],      &f.picEye[2],
          &f.picScatter[0],  &f.picScatter[1],  &f.picScatter[2],
          &f.picSpectrum[0], &f.picSpectrum[1], &f.picSpectrum[2]};
}

// Bits of the pictures above that a handler clears.
constexpr unsigned Eye0 = 1, Eye1 = 2, Eye2 = 4, Scat0 = 8, Scat1 = 16, Scat2 = 32, Spec0 = 64,
                   Spec1 = 128, Spec2 = 256;
constexpr unsigned AllButSpectrum = 511 & ~Spec0;  // RestartPics(1)
constexpr unsigned All = 511;                      // RestartPics(0)
constexpr unsigned Eyes = Eye0 | Eye1 | Eye2;
constexpr unsigned Scatters = Scat0 | Scat1 | Scat2;

struct ClearCase {
  const char* name;
  std::function<void(Form1&)> change;
  unsigned cleared;
  bool averageRestarts;  // dSpectrums back to 0
  bool filtersInvalid;   // bFiltersValid set False
};

class ControlHandlersClearing : public ::testing::TestWithParam<ClearCase> {};

TEST_P(ControlHandlersClearing, ClearsWhatTheChangeInvalidates) {
  const ClearCase& c = GetParam();
  auto form = loaded();
  ASSERT_EQ(form->lTick, 0);  // no tick runs: nothing is redrawn after the clearing
  for (PictureBox* p : pictures(*form)) {
    p->setRecording(true);
    p->Line(0, 0, 10, 10);
  }
  form->dSpectrums = 9;
  form->bFiltersValid = -1;

  c.change(*form);

  const auto pics = pictures(*form);
  for (int i = 0; i < 9; ++i)
    EXPECT_EQ(pics[i]->log().empty(), (c.cleared >> i & 1u) != 0) << pics[i]->name;
  EXPECT_EQ(form->dSpectrums, c.averageRestarts ? 0.0 : 9.0);
  EXPECT_EQ(form->bFiltersValid, c.filtersInvalid ? 0 : -1);
  EXPECT_EQ(form->lTick, 0);
}

INSTANTIATE_TEST_SUITE_P(
    EveryHandler, ControlHandlersClearing,
    ::testing::Values(
        ClearCase{"Data", [](Form1& f) { f.cmbData.setText("All Ones"); }, All, true, true},
        ClearCase{"Noise", [](Form1& f) { f.cmbNoise.setText("0.4"); }, AllButSpectrum, false,
                  true},
        ClearCase{"MultipathDelay", [](Form1& f) { f.cmbMultipathDelay.setText("0.4"); },
                  AllButSpectrum, false, false},
        ClearCase{"MultipathMag", [](Form1& f) { f.cmbMultipathMag.setText("40"); }, AllButSpectrum,
                  false, false},
        ClearCase{"Nonlinear", [](Form1& f) { f.cmbNonlinear.setText("Non-Linear"); }, All, true,
                  false},
        ClearCase{"FSK", [](Form1& f) { f.vscFSK.setValue(27); }, All, true, true},
        ClearCase{"Sample", [](Form1& f) { f.hscSample.setValue(10); }, Scat2 | Eyes, false, false},
        ClearCase{"EyeScale", [](Form1& f) { f.vscTxEyeScale.setValue(80); }, Eyes | Scatters,
                  false, false},
        ClearCase{"YThreshold", [](Form1& f) { f.vscYThreshold.setValue(80); }, Scat2, false,
                  false},
        ClearCase{"Sync", [](Form1& f) { f.vscSync.setValue(1); }, Eyes | Scatters, false, false},
        ClearCase{"ScatterClick0", [](Form1& f) { f.picScatter[0].onClick(); }, Scat0, false,
                  false},
        ClearCase{"ScatterClick2", [](Form1& f) { f.picScatter[2].onClick(); }, 0, false, false},
        ClearCase{"SpectrumClick0", [](Form1& f) { f.picSpectrum[0].onClick(); }, 0, true, false},
        ClearCase{"SpectrumClick1", [](Form1& f) { f.picSpectrum[1].onClick(); }, 0, false, false},
        ClearCase{"Spectrum", [](Form1& f) { f.hscSpectrum.setValue(3); }, 0, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ControlHandlers, ChangesRunOneTickOnceAnimated) {
  auto form = loaded();
  form->Timer1_Timer();
  int32_t tick = form->lTick;
  form->cmbNoise.setText("0.2");
  EXPECT_EQ(form->lTick, tick + 1);
  tick = form->lTick;
  form->cmbNonlinear.setText("Non-Linear");
  EXPECT_EQ(form->lTick, tick + 1);
  tick = form->lTick;
  form->hscSample.setValue(20);  // only clears; shows with the next tick
  EXPECT_EQ(form->lTick, tick);
}

TEST(ControlHandlers, SyncUpTwiceDownOnceLeavesOneStep) {
  auto form = loaded();
  form->vscSync.setValue(1);
  EXPECT_EQ(form->vscSync.Value(), 0);  // a spin button rests at 0
  form->vscSync.setValue(1);
  form->vscSync.setValue(-1);
  EXPECT_NEAR(form->dCarrierPhase, kPi / 50, 1e-12);
  EXPECT_EQ(form->vscSync.Value(), 0);
  form->vscSync.setValue(-1);
  form->vscSync.setValue(-1);
  EXPECT_NEAR(form->dCarrierPhase, -kPi / 50, 1e-12);
}

struct FskCase {
  int value;
  const char* text;
};

class ControlHandlersFsk : public ::testing::TestWithParam<FskCase> {};

TEST_P(ControlHandlersFsk, IndexTextIsThirtyMinusValueOverSix) {
  auto form = loaded();
  form->vscFSK.setValue(GetParam().value == 12 ? 13 : 12);
  form->vscFSK.setValue(GetParam().value);
  EXPECT_EQ(form->txtFSK.Text(), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    WholeRange, ControlHandlersFsk,
    ::testing::Values(FskCase{0, "5"}, FskCase{6, "4"}, FskCase{12, "3"}, FskCase{21, "1.5"},
                      FskCase{24, "1"}, FskCase{25, "0.833333333333333"}, FskCase{27, "0.5"},
                      FskCase{28, "0.333333333333333"}, FskCase{29, "0.166666666666667"},
                      FskCase{-5, "5"},                    // held at the bottom, 0
                      FskCase{40, "0.166666666666667"}));  // held at the top, 29

struct ScaleCase {
  int value;
  double scale;
};

class ControlHandlersScales : public ::testing::TestWithParam<ScaleCase> {};

TEST_P(ControlHandlersScales, EyeScaleAndThresholdAre110MinusValueOver50) {
  auto form = loaded();
  form->cmbScene.setText("Scatter");  // slider ranges 10..100
  form->vscTxEyeScale.setValue(GetParam().value);
  form->vscYThreshold.setValue(GetParam().value);
  EXPECT_DOUBLE_EQ(form->dTxEyeScale, GetParam().scale);
  EXPECT_DOUBLE_EQ(form->dYThreshold, GetParam().scale);
}

INSTANTIATE_TEST_SUITE_P(SliderEnds, ControlHandlersScales,
                         ::testing::Values(ScaleCase{10, 2.0}, ScaleCase{35, 1.5},
                                           ScaleCase{85, 0.5}, ScaleCase{100, 0.2},
                                           ScaleCase{5, 2.0},      // held at 10
                                           ScaleCase{200, 0.2}));  // held at 100

TEST(ControlHandlers, SpectrumZoomFollowsTheSlider) {
  auto form = loaded();
  form->hscSpectrum.setValue(4);
  EXPECT_EQ(form->dSpectrumZoom, 4.0);
}

TEST(ControlHandlers, CheckBoxCaptionsAndColours) {
  auto form = loaded();
  form->chkLinear.setValue(1);
  EXPECT_EQ(form->chkLinear.Caption, "Linear Plot");
  form->chkLinear.setValue(0);
  EXPECT_EQ(form->chkLinear.Caption, "Log Plot");
  form->chkMemory.setValue(1);
  EXPECT_EQ(form->chkMemory.ForeColor, 0x8000u);
  form->chkMemory.setValue(0);
  EXPECT_EQ(form->chkMemory.ForeColor, 0u);
}

TEST(ControlHandlers, PassbandClickClearsAndRedrawsThePassbandPicture) {
  auto form = loaded();
  form->picSpectrum[1].setRecording(true);
  form->picSpectrum[1].Line(-5, -5, -6, -6);
  form->chkPassband.setValue(1);
  // The old drawing went with the clearing; the chain drew the passband afresh.
  for (const DrawOp& op : form->picSpectrum[1].log()) EXPECT_NE(op.x1, -5);
  EXPECT_FALSE(form->picSpectrum[1].log().empty());
}

}  // namespace
}  // namespace linklab
