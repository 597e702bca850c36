// The headless sweep: its points sit on the AWGN curve within their confidence bands, it works on
// its own copy of the settings, and a cancel stops it; the legend text of a run names the settings
// that move a measured curve; the readouts and the sweep through the batch protocol.

#include "batch/script_run.h"
#include "main_window/run_label.h"
#include "measurements/awgn_theory.h"
#include "measurements/error_rate_sweep.h"
#include "measurements/sweep_run_label.h"

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
TEST(SweepPoint4dB, LiesOnTheTheoryAfterTheReceiversLoss) {
  for (const auto& [scene, tx, rx, phase, lossdB] :
       {std::tuple{"Full", "Root RC", "Matched", 0.0, 0.0}, {"Full", "None", "Matched", 0.0, 0.0},
        {"Full", "Root RC", "Matched", std::numbers::pi / 3, 6.0206}, {"Full", "None", "None", 0.0, 15.0515},
        {"Modulation", "None", "None", 0.0, 15.0515}}) {
    SCOPED_TRACE(std::string(scene) + " " + tx + " " + rx);
    auto form = window({{"cmbScene", scene}, {"cmbFilter(0)", tx}, {"cmbFilter(1)", rx}});
    form->dCarrierPhase = phase;
    const BitArray before = form->iData;
    const SweepPoint p = sweepOnce(*form, 4);  // no tick: the sweep designs filters a change left stale
    EXPECT_EQ(form->iData, before);           // the window's model is left alone
    ASSERT_TRUE(p.done);
    EXPECT_GE(p.symbolErrors, kSweepErrorTarget);
    EXPECT_EQ(p.bits, p.symbols);
    EXPECT_NEAR(p.serTheory, awgnErrorRates(Modulation::BPSK, std::pow(10.0, 0.4)).ser, 1e-15);
    const double n = p.symbols, q = awgnErrorRates(Modulation::BPSK, std::pow(10.0, (4 - lossdB) / 10)).ser;
    EXPECT_NEAR(p.symbolErrors, n * q, 2.576 * std::sqrt(n * q * (1 - q)) + 1);
  }
}

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
  EXPECT_LT(std::ranges::count(sweep.points(), true, &SweepPoint::done), 15);
}

TEST(ErrorRateSweep, ValuesFromToStep) {
  EXPECT_EQ(sweepValues(2, 3, 0.5), (std::vector<double>{2, 2.5, 3}));
  EXPECT_TRUE(sweepValues(0, 1, 0).empty());
  EXPECT_TRUE(sweepValues(3, 1, 1).empty());
  // A typo's billion points is counted, not made.
  EXPECT_DOUBLE_EQ(sweepValueCount(0, 1e6, 1e-3), 1e9 + 1);
  EXPECT_TRUE(sweepValues(0, 1e6, 1e-3).empty());
}

// Distinct parameter texts on each side, so a label that reads the wrong one shows it.
TEST(RunLabels, NameTheKeyingFiltersWithTheirParameterAndAmplifier) {
  for (const auto& [mod, demod, tx, rx, expected] :
       {std::tuple{"BPSK", "BPSK", "Root RC", "Matched", "BPSK, Tx Root RC 30 %, Rx Matched, Linear amp"},
        {"BPSK", "BPSK", "None", "None", "BPSK, Tx None, Rx None, Linear amp"},
        {"QPSK", "QPSK", "OFDM", "None", "QPSK, Tx OFDM 16 SCs, Rx None, Linear amp"},
        {"QPSK", "BPSK", "Steep Cutoff", "Matched",
         "QPSK (demod BPSK), Tx Steep Cutoff 0.75 kHz, Rx Matched, Linear amp"}})
    EXPECT_EQ(runLabel({mod, demod, tx, "30", "0.75", "16", rx, "80", "0.35", "Linear"}), expected);
}

// The window's lists make the label: each side's filter with its own parameter, typed on each
// side after the transmitter's has been copied to the receiver.
TEST(WindowRunLabel, ReadsTheListsSideBySide) {
  for (const auto& [mod, tx, rx, list, txText, rxText, amp, expected] :
       {std::tuple{"QPSK", "Raised Cosine", "Raised Cosine", "cmbTxEB", "30", "80", "Non-Linear",
                   "QPSK, Tx Raised Cosine 30 %, Rx Raised Cosine 80 %, Non-Linear amp"},
        {"16-QAM", "Gaussian", "Steep Cutoff", "cmbTxBW", "0.75", "0.35", "Linear",
         "16-QAM, Tx Gaussian 0.75 kHz, Rx Steep Cutoff 0.35 kHz, Linear amp"}}) {
    const std::string txList = std::string(list) + "(0)", rxList = std::string(list) + "(1)";
    auto form = window({{"cmbScene", "Full"}, {"cmbMod(0)", mod}, {"cmbFilter(0)", tx}, {"cmbFilter(1)", rx},
                        {"cmbNonlinear", amp}, {txList.c_str(), txText}, {rxList.c_str(), rxText}});
    EXPECT_EQ(runLabelOf(*form), expected);
  }
}

// Counts print as whole numbers; readouts that do not apply (MSK decides nothing) as nan.
TEST(MeasureBatch, CountsPrintWholeAndReadoutsNanWhereTheyDoNotApply) {
  const ScriptRun r = runScript("set cmbScene Scatter\ntick 3\nprint lSymbols\nprint lBits\nprint lSymbolErrors\n"
                       "call restartCounts\nprint lSymbols\nset cmbMod(0) MSK\ntick 3\nprint dSER\n"
                       "print lSymbols\nprint dEVMPercent\nprint dEyeOpeningPercent\nprint dEbN0EffectivedB\n");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "lSymbols = 256\nlBits = 256\nlSymbolErrors = 0\nlSymbols = 0\ndSER = nan\nlSymbols = 0\n"
                   "dEVMPercent = nan\ndEyeOpeningPercent = nan\ndEbN0EffectivedB = nan\n");
}

TEST(MeasureBatch, ErrorRateSweepPrintsOneLineAPoint) {
  const ScriptRun r = runScript("set cmbScene Full\ntick 2\ncall measureErrorRate 0 2 1\n");
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream lines(r.out);
  int count = 0;
  for (std::string line; std::getline(lines, line); ++count) {
    std::istringstream fields(line);
    double ebN0, symbols, symbolErrors, bits, bitErrors, ser, ber, serTheory, berTheory;
    ASSERT_TRUE(fields >> ebN0 >> symbols >> symbolErrors >> bits >> bitErrors >> ser >> ber >> serTheory >> berTheory)
        << line;
    EXPECT_EQ(ebN0, count);
    EXPECT_GE(symbolErrors, 100);
    EXPECT_DOUBLE_EQ(ser, symbolErrors / symbols);
  }
  EXPECT_EQ(count, 3);
}

TEST(MeasureBatch, SweepArgumentsAreChecked) {
  for (const auto& [script, why] : {std::pair{"call measureErrorRate 0 14\n", "FROM TO STEP"},
                                    {"call measureErrorRate 0 14 0\n", "step"}, {"call measureErrorRate 5 1 1\n", "FROM"},
                                    {"set cmbMod(0) FSK\ncall measureErrorRate 0 1 1\n", "no symbol decisions"}})
    EXPECT_NE(runScript(script).err.find(why), std::string::npos) << script;
}

}  // namespace
}  // namespace linklab
