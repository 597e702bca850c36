// The headless sweep: its points sit on the AWGN curve within their confidence bands, it works on
// its own copy of the settings, and a cancel stops it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>

#include "main_window/window_setup.h"
#include "measurements/awgn_theory.h"
#include "measurements/error_rate_sweep.h"

namespace linklab {
namespace {

SweepPoint sweepOnce(Form1& form, double ebN0dB) {
  ErrorRateSweep sweep(form.linkSettings(), sweepValues(ebN0dB, ebN0dB, 1));
  sweep.start();
  sweep.wait();
  EXPECT_DOUBLE_EQ(sweep.progress(), 1.0);
  return sweep.points().at(0);
}

// A 4 dB point of the channel against the AWGN theory at 4 dB less what the receiver loses: a
// matched filter nothing, a receive phase of 60 degrees half the in-phase amplitude (6.02 dB),
// rectangular pulses read at one sample without a filter all but 1/32 of their energy (15.05 dB),
// also in "Modulation", where no receive filter runs. Stopping at 100 errors biases the count a
// little upwards; one error of slack covers it.
struct LossCase {
  const char *scene, *tx, *rx;
  double phase, lossdB;
};
class SweepPoint4dB : public ::testing::TestWithParam<LossCase> {};
TEST_P(SweepPoint4dB, LiesOnTheTheoryAfterTheReceiversLoss) {
  const LossCase c = GetParam();
  auto form = window({{"cmbScene", c.scene}, {"cmbFilter(0)", c.tx}, {"cmbFilter(1)", c.rx}});
  form->dCarrierPhase = c.phase;
  const BitArray before = form->iData;
  const SweepPoint p = sweepOnce(*form, 4);  // no tick: the sweep designs filters a change left stale
  EXPECT_EQ(form->iData, before);           // the window's model is left alone
  ASSERT_TRUE(p.done);
  EXPECT_GE(p.symbolErrors, kSweepErrorTarget);
  EXPECT_EQ(p.bits, p.symbols);
  EXPECT_NEAR(p.serTheory, awgnErrorRates(Modulation::BPSK, std::pow(10.0, 0.4)).ser, 1e-15);
  const double n = p.symbols, q = awgnErrorRates(Modulation::BPSK, std::pow(10.0, (4 - c.lossdB) / 10)).ser;
  EXPECT_NEAR(p.symbolErrors, n * q, 2.576 * std::sqrt(n * q * (1 - q)) + 1);
}
INSTANTIATE_TEST_SUITE_P(Receivers, SweepPoint4dB,
                         ::testing::Values(LossCase{"Full", "Root RC", "Matched", 0, 0},
                                           LossCase{"Full", "None", "Matched", 0, 0},
                                           LossCase{"Full", "Root RC", "Matched", std::numbers::pi / 3, 6.0206},
                                           LossCase{"Full", "None", "None", 0, 15.0515},
                                           LossCase{"Modulation", "None", "None", 0, 15.0515}),
                         [](const ::testing::TestParamInfo<LossCase>& info) { return std::to_string(info.index); });

// A quarter turn carries every QPSK point onto its neighbour: at a clean 14 dB each symbol is
// decided wrong, so the sweep must turn both rails, each from its own sample.
TEST(ErrorRateSweep, AQuarterTurnMakesEveryQpskSymbolWrong) {
  auto form = window({{"cmbScene", "Full"}, {"cmbMod(0)", "QPSK"}, {"cmbFilter(0)", "Root RC"}, {"cmbFilter(1)", "Matched"}}, 2);
  form->dCarrierPhase = std::numbers::pi / 2;
  const SweepPoint p = sweepOnce(*form, 14);
  ASSERT_TRUE(p.done);
  EXPECT_EQ(p.symbolErrors, p.symbols);
}

TEST(ErrorRateSweep, CancelStopsBeforeTheCleanPointsFinish) {
  auto form = window({{"cmbScene", "Full"}}, 2);
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
  // A typo's billion points is counted, not made.
  EXPECT_DOUBLE_EQ(sweepValueCount(0, 1e6, 1e-3), 1e9 + 1);
  EXPECT_TRUE(sweepValues(0, 1e6, 1e-3).empty());
  EXPECT_EQ(sweepValueCount(2, 3, 0.5), 3);
}

}  // namespace
}  // namespace linklab
