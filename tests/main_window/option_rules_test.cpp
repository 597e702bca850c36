// The option rules: their cascades, the lists they show, the legends they write.

#include "main_window/window_setup.h"

namespace linklab {
namespace {

TEST(OptionRules, MskWithOfdmThenQpskRestoresOfdmAsTheSixthEntry) {
  auto form = window({{"cmbScene", "Modulation"}, {"cmbFilter(0)", "OFDM"}, {"cmbMod(0)", "MSK"}});
  ComboBox& tx = form->cmbFilter[0];
  EXPECT_EQ(tx.Text() + form->cmbFilter[1].Text() + form->lblLinear[1].Caption, "NoneNoneExponential");
  EXPECT_EQ((std::array{tx.ListCount(), tx.indexOf("OFDM")}), (std::array{5, -1}));
  EXPECT_FALSE(form->vscFSK.Visible || form->txtFSK.Visible);
  form->cmbMod[1].setText("8-PSK");  // the receiver's keying alone sets the bits and its legend only
  EXPECT_EQ(form->iBitsPerSymbol, 3);
  EXPECT_EQ(form->cmbMod[0].Text() + form->lblLinear[1].Caption, "MSKLinear");
  form->cmbMod[0].setText("QPSK");
  EXPECT_EQ(tx.List(5) + form->lblLinear[2].Caption + form->lblLinear[3].Caption, "OFDMIQ");
  EXPECT_EQ(tx.Text() + form->cmbFilter[1].Text(), "NoneNone");
  EXPECT_EQ(form->iBitsPerSymbol, 2);
  form->cmbMod[0].setText("8-PSK");  // a second linear choice must not add OFDM twice
  EXPECT_EQ(tx.ListCount(), 6);
}

TEST(OptionRules, FskWithRaisedCosineClearsBothFiltersAndKeepsOfdm) {
  auto form = window({{"cmbScene", "Scatter"}, {"cmbFilter(0)", "Raised Cosine"}, {"cmbMod(0)", "FSK"}});
  EXPECT_EQ(form->cmbFilter[0].Text() + form->cmbFilter[1].Text() + form->cmbFilter[0].List(5), "NoneNoneOFDM");
  EXPECT_TRUE(form->vscFSK.Visible && form->txtFSK.Visible);
}

TEST(OptionRules, ModulationAndTransmitFilterSetBitsListsAndTheReceiveFilter) {
  // Scene, modulation, bits per symbol, then a transmit filter chosen once the receiver picked
  // "Matched": the unit of the transmit parameter list shown, and what the receiver shows after
  // (it follows only while shown and linear).
  for (const auto& [scene, modulation, bits, tx, unit, rx] :
       {std::tuple{"Full", "OQPSK", 2, "Root RC", "EB", "Root RC"},
        {"Full", "16-QAM", 4, "OFDM", "SCs", "None"}, {"Full", "qpsk", 1, "None", "-", "None"},
        {"Scatter", "MSK", 1, "Steep Cutoff", "kHz", "None"},
        {"Modulation", "pi/4-SQPSK", 2, "Gaussian", "kHz", "Matched"}}) {
    auto f = window({{"cmbScene", scene}});
    f->cmbFilter[0].setText(std::string(tx) == "OFDM" ? "Root RC" : "OFDM");
    f->cmbMod[0].setText(modulation);
    f->cmbFilter[1].setText("Matched");
    f->cmbFilter[0].setText(tx);
    EXPECT_EQ(f->iBitsPerSymbol, bits) << modulation;
    EXPECT_EQ(f->cmbMod[1].Text(), modulation);
    EXPECT_EQ(f->lblPCkHz[0].Visible ? f->lblPCkHz[0].Caption : "-", unit) << tx;
    const std::string u = unit;
    EXPECT_EQ((std::array{f->cmbTxEB[0].Visible, f->cmbTxBW[0].Visible, f->cmbTxSC[0].Visible}),
              (std::array{u == "EB", u == "kHz", u == "SCs"}));
    EXPECT_EQ(f->cmbFilter[1].Text(), rx) << scene << ", " << modulation << ", " << tx;
  }
}

TEST(OptionRules, ParametersFollowTheTransmitterAndOfdmCountsAreTidied) {
  // List (0 EB, 2 SC; they start at 50 and 4), element, text typed, both shown after; a count
  // below 1 or not a number is refused.
  for (const auto& [list, i, typed, tx, rx] :
       {std::tuple{0, 1, "30", "50", "30"}, {0, 0, "30", "30", "30"}, {2, 1, "5", "4", "5"},
        {2, 0, "64", "64", "64"}, {2, 0, "5", "4", "4"}, {2, 0, "100", "128", "128"},
        {2, 0, "-8", "4", "4"}, {2, 0, "lots", "4", "4"}, {2, 0, "0.4", "4", "4"}}) {
    auto form = window({{"cmbScene", "Modulation"}});
    auto& lists = *std::array{&form->cmbTxEB, &form->cmbTxBW, &form->cmbTxSC}[list];
    lists[i].setText(typed);
    EXPECT_EQ(lists[0].Text() + "/" + lists[1].Text(), std::string(tx) + "/" + rx) << typed;
  }
}

// Typed into the receive list alone, an angle modulation sends the Q legend behind every control
// at once; a linear modulation brings it in front of every control, an angle one sends it back. A
// suite of its own, so that under ctest the receive list's is its process's first send-to-back
// (the step a modulation change on the transmit side takes twice).
TEST(QLegendBehind, ATypedReceiveAngleModulationSendsItBehindEveryControl) {
  auto form = window({{"cmbMod(1)", "MSK"}});
  for (const auto& [mod, front] : {std::pair{"", false}, {"QPSK", true}, {"FSK", false}}) {
    if (*mod) form->cmbMod[0].setText(mod);
    const int z = form->lblLinear[3].zOrder;
    for (const Control* c : form->controls()) {
      if (c != &form->lblLinear[3]) {
        EXPECT_TRUE(front ? c->zOrder < z : c->zOrder > z) << c->name << " with " << mod;
      }
    }
  }
}

}  // namespace
}  // namespace linklab
