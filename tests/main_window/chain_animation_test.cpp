

#include "main_window/window_setup.h"

namespace linklab {
namespace {

// A loaded window in a scene, both filters "None" and no noise unless a test says otherwise, after
// the first tick, which only counts.
std::unique_ptr<Form1> loaded(const char* scene) {
  return window({{"cmbScene", scene}, {"cmbFilter(0)", "None"}, {"cmbFilter(1)", "None"}}, 1);
}

// The first tick designs the filters and only counts; the second runs the chain on new data.
TEST(Tick, TheFirstOnlyCountsTheSecondRunsTheChainOnNewData) {
  auto form = window();
  form->picData.setRecording(true);
  const BitArray before = form->iData;
  form->Timer1_Timer();
  EXPECT_EQ((std::array<int, 2>{form->lTick, form->bFiltersValid}), (std::array{1, -1}));
  EXPECT_TRUE(form->iData == before && form->picData.log().empty());
  form->Timer1_Timer();
  EXPECT_EQ(form->lTick, 2);
  EXPECT_TRUE(form->iData != before && !form->picData.log().empty());
}

// A scene chosen while paused shows its pictures and readouts at once, from the same data.
TEST(Tick, WhilePausedANewSceneDrawsFromTheSameData) {
  auto form = loaded("Modulation");
  form->Timer1_Timer();
  form->cmdPause.click();
  const BitArray data = form->iData;
  const double bandwidth = form->dOccupiedBandwidthkHz;
  form->cmbScene.setText("Full");
  EXPECT_TRUE(form->iData == data && form->lSymbols == 128);
  EXPECT_FALSE(form->picEye[0].history().empty() || form->picScatter[2].history().empty());
  form->cmbScene.setText("Modulation");
  EXPECT_FALSE(form->picModData.history().empty());
  EXPECT_EQ(form->dOccupiedBandwidthkHz, bandwidth);
}

TEST(Pause, InModulationShowsTheScanMarkerAtTheTraceStart) {
  auto form = loaded("Modulation");
  form->cmdPause.click();
  EXPECT_TRUE(form->lneScan.Visible && form->cmdTrace.Visible && form->shpDragger.Visible);
  // 6000 - 255/2, the half to even (the batch script reads them too)
  EXPECT_EQ((std::array{form->lneScan.X1, form->lneScan.X2, form->shpDragger.Left}), (std::array{6000, 6000, 5872}));
  form->cmdPause.click();
  EXPECT_EQ(form->cmdPause.Caption, "Pause");
  EXPECT_TRUE(form->Timer1.Enabled && form->Timer1.Interval == 100);
  EXPECT_FALSE(form->lneScan.Visible || form->cmdTrace.Visible || form->shpDragger.Visible);
}

TEST(Chain, AFrequencyOffsetTurnsTheReceivedSignalFurtherOnEveryRun) {
  auto form = loaded("Full");
  form->vscFreq.setValue(5);
  // Each such run clears the six receive pictures, those this scene never draws on included.
  const std::array undrawn{&form->picScatter[1], &form->picEye[1], &form->picEye[2]};
  for (PictureBox* p : undrawn) p->setRecording(true), p->Line(0, 0, 1, 1);
  for (int run = 1; run <= 3; ++run) {
    form->runSimulation();
    const double angle = 5.0 * run * M_PI / 180;
    EXPECT_NEAR(form->dCarrierPhase, angle, 1e-12);
    for (int k : {40, 1000, 4000}) {  // noiseless and unfiltered: the transmit signal, rotated
      const double re = form->dTxSignal[2 * k], im = form->dTxSignal[2 * k + 1];
      EXPECT_NEAR(form->dRxSignal[2 * k], std::cos(angle) * re - std::sin(angle) * im, 1e-9);
      EXPECT_NEAR(form->dRxSignal[2 * k + 1], std::sin(angle) * re + std::cos(angle) * im, 1e-9);
    }
  }
  for (const PictureBox* p : undrawn) EXPECT_TRUE(p->log().empty());
  // Back at 0 the angle stays and the scatter is no longer cleared: the points pile up.
  form->vscFreq.setValue(0);
  form->picScatter[2].setRecording(true);
  auto circles = [&] { return std::ranges::count(form->picScatter[2].log(), DrawOp::Kind::Circle, &DrawOp::kind); };
  form->runSimulation();
  const auto once = circles();
  form->runSimulation();
  EXPECT_GT(once, 0);
  EXPECT_EQ(circles(), 2 * once);
  EXPECT_NEAR(form->dCarrierPhase, 15 * M_PI / 180, 1e-12);
}

// Where the offset slider is hidden nothing turns the signal; only "Modulation" draws the
// component traces, and the passband only when checked.
TEST(Chain, NoRotationWhereTheOffsetSliderIsHiddenComponentTracesAndPassbandOnlyInModulation) {
  auto scatter = loaded("Scatter");
  scatter->dCarrierPhase = 1.0;
  scatter->picEye[1].setRecording(true);
  scatter->runSimulation();
  for (int i = 0; i < 8192; ++i) ASSERT_EQ(scatter->dRxSignal[i], scatter->dTxSignal[i]) << i;
  EXPECT_TRUE(scatter->picEye[1].log().empty());
  auto form = loaded("Modulation");
  form->dPassband[0] = 123;
  form->runSimulation();
  EXPECT_EQ(form->dPassband[0], 123);  // unchecked: left alone
  form->picSpectrum[1].setRecording(true);
  form->chkPassband.setValue(1);
  ASSERT_FALSE(form->picSpectrum[1].log().empty());  // the passband trace, on its own picture
  EXPECT_EQ(form->picSpectrum[1].log()[0].colour, 0xC00000u);
  for (int i : {0, 17, 4095})
    EXPECT_DOUBLE_EQ(form->dPassband[2 * i],
                     form->dTxSignal[2 * i] * form->dCarrier[2 * i] - form->dCarrier[2 * i + 1] * form->dTxSignal[2 * i + 1]);
}

// A click that runs the chain before the first tick of a new scene still shapes with the filters
// on screen: root raised cosine with roll-off 0.5 keeps QPSK within (1 + 0.5) x 500 Bd.
TEST(Chain, ARunBeforeTheScenesFirstTickUsesTheFiltersOnScreen) {
  auto form = loaded("Baseband Demo");
  for (int i = 0; i < 5; ++i) form->Timer1_Timer();
  form->cmbScene.setText("Modulation");
  form->cmbMod[0].setText("QPSK");
  form->cmbFilter[0].setText("Root RC");
  form->chkPassband.setValue(1);
  for (int i = 0; i < 10; ++i) form->Timer1_Timer();
  EXPECT_LT(form->dOccupiedBandwidthkHz, 0.75);
}

// Also after "Full" with noise: the demo shows no noise list, so no noise of it jitters the trail.
TEST(BasebandDemo, TheTrailSitsOnTheScaledPhasorWithoutNoise) {
  for (const bool afterNoise : {false, true}) {
    auto form = afterNoise ? window({{"cmbScene", "Full"}, {"cmbNoise", "1.0"}}, 3) : window();
    form->cmbScene.setText("Baseband Demo");
    form->picScatter[0].setRecording(true);
    for (int i = 0; i < 3; ++i) form->Timer1_Timer();
    // The phasor starts at 0.5 + 0j: the point lies at (0.45 * 0.5 + 0.5) of the width, mid height.
    const auto& ops = form->picScatter[0].log();
    ASSERT_FALSE(ops.empty());
    const DrawOp& last = ops.back();
    EXPECT_DOUBLE_EQ(last.x1, 0.725 * form->picScatter[0].ScaleWidth());
    EXPECT_DOUBLE_EQ(last.y1, 0.5 * form->picScatter[0].ScaleHeight());
    int trail = 0;
    for (const DrawOp& op : ops) trail += op.kind == DrawOp::Kind::Line && op.colour == 0xFF8080u;
    EXPECT_EQ(trail, 1);  // only the third tick joins two points
  }
}

}  // namespace
}  // namespace linklab
