// The legend text of a run names the settings that move a measured curve.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "main_window/run_label.h"
#include "main_window/window_setup.h"
#include "measurements/sweep_run_label.h"

namespace linklab {
namespace {

struct LabelCase {
  RunSettingsTexts texts;
  const char* expected;
};
class RunLabels : public ::testing::TestWithParam<LabelCase> {};

TEST_P(RunLabels, NameTheKeyingFiltersWithTheirParameterAndAmplifier) {
  EXPECT_EQ(runLabel(GetParam().texts), GetParam().expected);
}

RunSettingsTexts texts(const char* mod, const char* demod, const char* tx, const char* rx, const char* amp) {
  // Distinct parameter texts on each side, so a label that reads the wrong one shows it.
  return {mod, demod, tx, "30", "0.75", "16", rx, "80", "0.35", amp};
}

INSTANTIATE_TEST_SUITE_P(
    Settings, RunLabels,
    ::testing::Values(
        LabelCase{texts("BPSK", "BPSK", "Root RC", "Matched", "Linear"), "BPSK, Tx Root RC 30 %, Rx Matched, Linear amp"},
        LabelCase{texts("BPSK", "BPSK", "None", "None", "Linear"), "BPSK, Tx None, Rx None, Linear amp"},
        LabelCase{texts("QPSK", "QPSK", "Raised Cosine", "Raised Cosine", "Non-Linear"),
                  "QPSK, Tx Raised Cosine 30 %, Rx Raised Cosine 80 %, Non-Linear amp"},
        LabelCase{texts("16-QAM", "16-QAM", "Gaussian", "Steep Cutoff", "Linear"),
                  "16-QAM, Tx Gaussian 0.75 kHz, Rx Steep Cutoff 0.35 kHz, Linear amp"},
        LabelCase{texts("QPSK", "QPSK", "OFDM", "None", "Linear"), "QPSK, Tx OFDM 16 SCs, Rx None, Linear amp"},
        LabelCase{texts("QPSK", "BPSK", "Steep Cutoff", "Matched", "Linear"),
                  "QPSK (demod BPSK), Tx Steep Cutoff 0.75 kHz, Rx Matched, Linear amp"}));

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

}  // namespace
}  // namespace linklab
