// The headless sweep: its points sit on the AWGN curve within their confidence bands, it works on
// its own copy of the settings, and a cancel stops it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "main_window/form1.h"
#include "measurements/error_rate_sweep.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> bpskLink() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Full");
  form->cmbFilter[0].setText("Root RC");
  form->cmbFilter[1].setText("Matched");
  form->Timer1_Timer();
  form->Timer1_Timer();
  return form;
}

TEST(ErrorRateSweep, BpskPointsLieOnTheTheory) {
  auto form = bpskLink();
  const BitArray before = form->iData;
  ErrorRateSweep sweep(form->linkSettings(), sweepValues(0, 6, 2));
  sweep.start();
  sweep.wait();
  EXPECT_EQ(form->iData, before);  // the window's model is left alone
  const auto points = sweep.points();
  ASSERT_EQ(points.size(), 4u);
  for (const SweepPoint& p : points) {
    ASSERT_TRUE(p.done);
    EXPECT_GE(p.symbolErrors, kSweepErrorTarget);
    const double n = p.symbols, q = p.serTheory;
    // Stopping at 100 errors biases the count a little upwards; one error of slack covers it.
    EXPECT_NEAR(p.symbolErrors, n * q, 2.576 * std::sqrt(n * q * (1 - q)) + 1) << p.ebN0dB;
    EXPECT_EQ(p.bits, p.symbols);
  }
  EXPECT_DOUBLE_EQ(sweep.progress(), 1.0);
}

// The symbol errors of a 4 dB point lie within the 99 % band of the AWGN theory.
void expectOnTheTheoryAt4dB(const LinkSettings& settings) {
  ErrorRateSweep sweep(settings, sweepValues(4, 4, 1));
  sweep.start();
  sweep.wait();
  const SweepPoint p = sweep.points().at(0);
  ASSERT_TRUE(p.done);
  const double n = p.symbols, q = p.serTheory;
  EXPECT_NEAR(p.symbolErrors, n * q, 2.576 * std::sqrt(n * q * (1 - q)) + 1);
}

// A receive phase of 60 degrees leaves the in-phase decisions half the amplitude: the calibration
// must find that gain and set the noise against it, or the point falls 6 dB off the curve.
TEST(ErrorRateSweep, SetsTheNoiseAgainstTheGainTheDecisionsSee) {
  auto form = bpskLink();
  form->dCarrierPhase = std::numbers::pi / 3;
  expectOnTheTheoryAt4dB(form->linkSettings());
}

// Right after a change, before any tick has designed the new filters, and in a scene that does
// not show the receiver: the sweep still measures the link as chosen, receive filter included.
TEST(ErrorRateSweep, RunsTheChosenFiltersBeforeAnyTickInAnyScene) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbFilter[0].setText("Root RC");
  form->cmbFilter[1].setText("Matched");
  expectOnTheTheoryAt4dB(form->linkSettings());
}

TEST(ErrorRateSweep, CancelStopsBeforeTheCleanPointsFinish) {
  auto form = bpskLink();
  ErrorRateSweep sweep(form->linkSettings(), sweepValues(0, 14, 1));
  sweep.start();
  sweep.cancel();
  sweep.wait();
  EXPECT_TRUE(sweep.finished());
  int done = 0;
  for (const SweepPoint& p : sweep.points()) done += p.done;
  EXPECT_LT(done, 15);
}

TEST(ErrorRateSweep, ValuesFromToStep) {
  EXPECT_EQ(sweepValues(0, 14, 1).size(), 15u);
  EXPECT_EQ(sweepValues(2, 3, 0.5), (std::vector<double>{2, 2.5, 3}));
  EXPECT_TRUE(sweepValues(0, 1, 0).empty());
  EXPECT_TRUE(sweepValues(3, 1, 1).empty());
}

}  // namespace
}  // namespace linklab
