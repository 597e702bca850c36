// The handlers of the other controls: what each clears, what survives, what it records.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "main_window/form1.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> loaded() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  return form;
}

std::array<PictureBox*, 9> pictures(Form1& f) {
  return {&f.picEye[0], &f.picEye[1], &f.picEye[2], &f.picScatter[0], &f.picScatter[1],
          &f.picScatter[2], &f.picSpectrum[0], &f.picSpectrum[1], &f.picSpectrum[2]};
}

// Bits of the pictures above that a handler clears; Unchecked where the chain redraws some.
constexpr unsigned Eyes = 7, Scat0 = 8, Scatters = 56, All = 511;
constexpr unsigned AllButSpectrum = All & ~64u, Unchecked = ~0u;

struct HandlerCase {
  const char* name;
  std::function<void(Form1&)> change;
  unsigned cleared;
  bool averageRestarts, filtersInvalid;
  int ticks;  // once animated; a rule run by another ticks too
};

class ControlHandlers : public ::testing::TestWithParam<HandlerCase> {};

TEST_P(ControlHandlers, ClearWithoutTickingBeforeTheFirstTickThenTickAsListed) {
  const HandlerCase& c = GetParam();
  auto form = loaded();
  for (PictureBox* p : pictures(*form)) p->setRecording(true), p->Line(0, 0, 10, 10);
  form->dSpectrums = 9;
  form->bFiltersValid = -1;
  c.change(*form);
  EXPECT_EQ(form->lTick, 0);
  for (int i = 0; i < 9 && c.cleared != Unchecked; ++i)
    EXPECT_EQ(pictures(*form)[i]->log().empty(), (c.cleared >> i & 1u) != 0) << "picture " << i;
  EXPECT_EQ(form->dSpectrums, c.averageRestarts ? 0.0 : 9.0);
  EXPECT_EQ(form->bFiltersValid, c.filtersInvalid ? 0 : -1);
  auto animated = loaded();
  animated->Timer1_Timer();
  c.change(*animated);
  EXPECT_EQ(animated->lTick, 1 + c.ticks);  // the first tick, then the change's own
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Every, ControlHandlers, ::testing::Values(
    HandlerCase{"Data", [](Form1& f) { f.cmbData.setText("All Ones"); }, All, 1, 1, 1},
    HandlerCase{"Noise", [](Form1& f) { f.cmbNoise.setText("0.4"); }, AllButSpectrum, 0, 1, 1},
    HandlerCase{"Nonlinear", [](Form1& f) { f.cmbNonlinear.setText("Non-Linear"); }, All, 1, 0, 1},
    HandlerCase{"Sync", [](Form1& f) { f.vscSync.setValue(1); }, Eyes | Scatters, 0, 0, 0},
    HandlerCase{"ScatterClick", [](Form1& f) { f.picScatter[0].onClick(); }, Scat0, 0, 0, 0},
    HandlerCase{"SpectrumClick", [](Form1& f) { f.picSpectrum[0].onClick(); }, 0, 1, 0, 0},
    HandlerCase{"TxEB", [](Form1& f) { f.cmbTxEB[0].setText("30"); }, All, 1, 1, 2},
    HandlerCase{"TxBW", [](Form1& f) { f.cmbTxBW[0].setText("0.5"); }, All, 1, 1, 0},
    HandlerCase{"TxMod", [](Form1& f) { f.cmbMod[0].setText("QPSK"); }, Unchecked, 1, 1, 2}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(ControlHandlers, SyncUpTwiceDownOnceLeavesOneStepAndRestsAtZero) {
  auto form = loaded();
  for (int click : {1, 1, -1}) form->vscSync.setValue(click);
  EXPECT_NEAR(form->dCarrierPhase, 3.14159265358979 / 50, 1e-12);
  EXPECT_EQ(form->vscSync.Value(), 0);
}

TEST(ControlHandlers, FskIndexTextIsThirtyMinusValueOverSix) {
  auto form = loaded();
  for (const auto& [value, text] : {std::pair{0, "5"}, {24, "1"}, {27, "0.5"},
                                    {25, "0.833333333333333"}, {29, "0.166666666666667"},
                                    {12, "3"}, {40, "0.166666666666667"}}) {  // held at 29
    form->vscFSK.setValue(value);
    EXPECT_EQ(form->txtFSK.Text(), text) << value;
  }
}

}  // namespace
}  // namespace linklab
