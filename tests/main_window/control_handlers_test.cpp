// The handlers of the other controls: what each clears, what survives, what it records.

#include "main_window/window_setup.h"
#include "transmitter/test_blocks.h"

namespace linklab {
namespace {

// Bits of the pictures scribbled() gives that a handler clears; Unchecked where the chain redraws some.
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
  auto form = window();
  const auto pictures = scribbled(*form);
  form->dSpectrums = 9;
  form->bFiltersValid = -1;
  c.change(*form);
  EXPECT_EQ(form->lTick, 0);
  for (int i = 0; i < 9 && c.cleared != Unchecked; ++i)
    EXPECT_EQ(pictures[i]->log().empty(), (c.cleared >> i & 1u) != 0) << "picture " << i;
  EXPECT_EQ(form->dSpectrums, c.averageRestarts ? 0.0 : 9.0);
  EXPECT_EQ(form->bFiltersValid, c.filtersInvalid ? 0 : -1);
  auto animated = window({}, 1);
  c.change(*animated);
  EXPECT_EQ(animated->lTick, 1 + c.ticks);  // the first tick, then the change's own
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Every, ControlHandlers, ::testing::Values(
    HandlerCase{"Data", [](Form1& f) { f.cmbData.setText("All Ones"); }, All, 1, 1, 1},
    HandlerCase{"Noise", [](Form1& f) { f.cmbNoise.setText("0.4"); }, AllButSpectrum, 0, 1, 1},
    HandlerCase{"MultipathDelay", [](Form1& f) { f.cmbMultipathDelay.setText("0.4"); }, AllButSpectrum, 0, 0, 1},
    HandlerCase{"MultipathMag", [](Form1& f) { f.cmbMultipathMag.setText("40"); }, AllButSpectrum, 0, 0, 1},
    HandlerCase{"Nonlinear", [](Form1& f) { f.cmbNonlinear.setText("Non-Linear"); }, All, 1, 0, 1},
    HandlerCase{"Sync", [](Form1& f) { f.vscSync.setValue(1); }, Eyes | Scatters, 0, 0, 0},
    HandlerCase{"ScatterClick", [](Form1& f) { f.picScatter[0].onClick(); }, Scat0, 0, 0, 0},
    HandlerCase{"Sample", [](Form1& f) { f.hscSample.setValue(10); }, Eyes | 32, 0, 0, 0},
    HandlerCase{"EyeScale", [](Form1& f) { f.vscTxEyeScale.setValue(30); }, Eyes | Scatters, 0, 0, 0},
    HandlerCase{"Threshold", [](Form1& f) { f.vscYThreshold.setValue(30); }, 32, 0, 0, 0},
    HandlerCase{"SpectrumClick", [](Form1& f) { f.picSpectrum[0].onClick(); }, 0, 1, 0, 0},
    HandlerCase{"TxEB", [](Form1& f) { f.cmbTxEB[0].setText("30"); }, All, 1, 1, 2},
    HandlerCase{"TxBW", [](Form1& f) { f.cmbTxBW[0].setText("0.5"); }, All, 1, 1, 0},
    HandlerCase{"TxMod", [](Form1& f) { f.cmbMod[0].setText("QPSK"); }, Unchecked, 1, 1, 2}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// While paused a change still shows at once, on the same data: the handler clears first, marks the
// filters stale, and its tick designs them before it runs the chain. A redraw with the old
// filters, or a clear after the tick, shows in what the chain left.
double binPower(const SignalBlock& b, int k) { return std::norm(testing::directBin(b, k)); }

struct PausedCase {
  const char* name;
  std::function<void(Form1&)> change, check;
  bool ticks;
};
class PausedChanges : public ::testing::TestWithParam<PausedCase> {};
TEST_P(PausedChanges, ShowAtOnceOnTheSameDataWithFreshFilters) {
  auto form = window({{"cmbScene", "Full"}}, 2);
  form->cmdPause.click();
  const auto data = form->iData;
  form->picEye[0].setRecording(true);
  form->picSpectrum[0].setRecording(true);
  GetParam().change(*form);
  EXPECT_EQ(form->iData, data);
  EXPECT_EQ(form->bFiltersValid, GetParam().ticks ? -1 : 0);
  EXPECT_EQ(form->picEye[0].log().empty(), !GetParam().ticks);  // cleared, then redrawn by the tick
  GetParam().check(*form);
}
// clang-format off
INSTANTIATE_TEST_SUITE_P(Every, PausedChanges, ::testing::Values(
    PausedCase{"TxFilter", [](Form1& f) { f.cmbFilter[0].setText("Raised Cosine"); },
               [](Form1& f) {  // 50 %: nothing above bin 96 (the old 2 kHz cut-off passed 255)
                 EXPECT_LT(binPower(f.dTxSignal, 100), 1e-12);
                 EXPECT_EQ(f.cmbFilter[1].Text(), "Raised Cosine");
               }, true},
    PausedCase{"ExcessBandwidth", [](Form1& f) { f.cmbFilter[0].setText("Raised Cosine"); f.cmbTxEB[0].setText("100"); },
               [](Form1& f) { EXPECT_GT(binPower(f.dTxSignal, 100), 1e-6); EXPECT_LT(binPower(f.dTxSignal, 130), 1e-12); },
               true},
    PausedCase{"Modulation", [](Form1& f) { f.cmbMod[0].setText("QPSK"); },
               [](Form1& f) {  // two bits per symbol double the 2 kHz cut-off to bin 511
                 EXPECT_EQ(f.dBitsPerSymbol, 2.0);
                 EXPECT_EQ(f.dTxFilter[2 * 300], 1.0);
                 EXPECT_EQ(f.dModData[0], f.iData[0] ? 1 / 1.41421562 : -1 / 1.41421562);
               }, true},
    PausedCase{"Noise", [](Form1& f) { f.cmbNoise.setText("0.4"); },
               [](Form1& f) { EXPECT_NE(f.dRxSignal, f.dTxSignal); }, true},
    PausedCase{"Data", [](Form1& f) { f.cmbData.setText("All Ones"); },  // new bits only when running
               [](Form1& f) { EXPECT_EQ(f.dSpectrums, 1.0); }, true},
    PausedCase{"Amplifier", [](Form1& f) { f.cmbNonlinear.setText("Non-Linear"); },
               [](Form1& f) { EXPECT_EQ(f.dSpectrums, 1.0); EXPECT_FALSE(f.picSpectrum[0].log().empty()); }, true},
    PausedCase{"FskIndex", [](Form1& f) { f.cmbMod[0].setText("FSK"); f.vscFSK.setValue(27); },
               [](Form1& f) { EXPECT_EQ(f.dFSKIndex, 0.5); }, true},
    PausedCase{"Bandwidth", [](Form1& f) { f.cmbTxBW[0].setText("0.50"); },  // no tick of its own
               [](Form1& f) { EXPECT_EQ(f.dTxFilter[2 * 100], 1.0); EXPECT_EQ(f.cmbTxBW[1].Text(), "0.50"); }, false},
    PausedCase{"RxBandwidth", [](Form1& f) { f.cmbTxBW[1].setText("0.50"); },  // the receiver's alone
               [](Form1& f) { EXPECT_EQ(f.cmbTxBW[0].Text(), "2.00"); }, false}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

// The sync slider turns the carrier by a step each click and rests at 0; the FSK index box shows
// (30 - value) / 6.
TEST(ControlHandlers, SyncClicksTurnTheCarrierAndTheFskIndexTextIsThirtyMinusValueOverSix) {
  auto form = window();
  for (int click : {1, 1, -1}) form->vscSync.setValue(click);
  EXPECT_NEAR(form->dCarrierPhase, 3.14159265358979 / 50, 1e-12);  // up twice, down once: one step
  EXPECT_EQ(form->vscSync.Value(), 0);
  for (const auto& [value, text] : {std::pair{0, "5"}, {24, "1"}, {27, "0.5"},
                                    {25, "0.833333333333333"}, {29, "0.166666666666667"},
                                    {12, "3"}, {40, "0.166666666666667"}}) {  // held at 29
    form->vscFSK.setValue(value);
    EXPECT_EQ(form->txtFSK.Text(), text) << value;
  }
}

}  // namespace
}  // namespace linklab
