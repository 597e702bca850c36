// The option rules: their cascades, the lists they show, the legends they write.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "main_window/form1.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> loaded(const char* scene = "Modulation") {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText(scene);
  return form;
}

// Lowest stacking position among all controls but one.
int64_t lowestOtherZ(const Form1& form, const Control* except) {
  int64_t z = INT64_MAX;
  for (const Control* c : form.controls())
    if (c != except) z = std::min(z, c->zOrder);
  return z;
}

int64_t highestOtherZ(const Form1& form, const Control* except) {
  int64_t z = INT64_MIN;
  for (const Control* c : form.controls())
    if (c != except) z = std::max(z, c->zOrder);
  return z;
}

TEST(OptionRules, MskWithOfdmDropsOfdmFromTheTransmitList) {
  auto form = loaded();
  form->cmbFilter[0].setText("OFDM");
  ASSERT_TRUE(form->cmbTxSC[0].Visible);
  form->cmbMod[0].setText("MSK");

  EXPECT_EQ(form->cmbFilter[0].Text(), "None");
  EXPECT_EQ(form->cmbFilter[0].ListCount(), 5);
  EXPECT_EQ(form->cmbFilter[0].indexOf("OFDM"), -1);
  EXPECT_EQ(form->cmbFilter[1].Text(), "None");
  EXPECT_FALSE(form->vscFSK.Visible);
  EXPECT_FALSE(form->txtFSK.Visible);
  EXPECT_FALSE(form->cmbTxSC[0].Visible);
  EXPECT_FALSE(form->lblPCkHz[0].Visible);
  EXPECT_EQ(form->cmbMod[1].Text(), "MSK");
  EXPECT_EQ(form->lblLinear[1].Caption, "Exponential");
  EXPECT_EQ(form->lblLinear[2].Caption, "Frequency");
  EXPECT_EQ(form->lblLinear[2].ForeColor, 0xC000C0u);  // (192, 0, 192)
  EXPECT_EQ(form->lblLinear[3].Caption, "");
  EXPECT_EQ(form->lblLinear[3].ForeColor, 0xC0C000u);  // (0, 192, 192)
  EXPECT_LT(form->lblLinear[3].zOrder, lowestOtherZ(*form, &form->lblLinear[3]));
  EXPECT_EQ(form->chkModData.Caption, "F");
  EXPECT_EQ(form->chkModData.ForeColor, 0xC000C0u);
  EXPECT_EQ(form->iBitsPerSymbol, 1);

  // Then back to a linear modulation: OFDM returns as the sixth entry, the filters stay.
  form->cmbMod[0].setText("QPSK");
  EXPECT_EQ(form->cmbFilter[0].ListCount(), 6);
  EXPECT_EQ(form->cmbFilter[0].List(5), "OFDM");
  EXPECT_EQ(form->lblLinear[1].Caption, "Linear");
  EXPECT_EQ(form->lblLinear[2].Caption, "I");
  EXPECT_EQ(form->lblLinear[2].ForeColor, 0xC000u);
  EXPECT_EQ(form->lblLinear[3].Caption, "Q");
  EXPECT_EQ(form->lblLinear[3].ForeColor, 0xC0u);
  EXPECT_GT(form->lblLinear[3].zOrder, highestOtherZ(*form, &form->lblLinear[3]));
  EXPECT_EQ(form->chkModData.Caption, "");
  EXPECT_EQ(form->chkModData.ForeColor, 0u);
  EXPECT_EQ(form->iBitsPerSymbol, 2);
  EXPECT_EQ(form->cmbFilter[0].Text(), "None");
  EXPECT_EQ(form->cmbFilter[1].Text(), "None");

  // A second linear modulation must not add OFDM twice.
  form->cmbMod[0].setText("8-PSK");
  EXPECT_EQ(form->cmbFilter[0].ListCount(), 6);
}

TEST(OptionRules, FskWithRaisedCosineKeepsOfdmInTheList) {
  auto form = loaded("Scatter");
  form->cmbFilter[0].setText("Raised Cosine");
  ASSERT_EQ(form->cmbFilter[1].Text(), "Raised Cosine");  // the shown receiver followed
  form->cmbMod[0].setText("FSK");
  EXPECT_EQ(form->cmbFilter[0].Text(), "None");
  EXPECT_EQ(form->cmbFilter[1].Text(), "None");
  EXPECT_EQ(form->cmbFilter[0].ListCount(), 6);
  EXPECT_EQ(form->cmbFilter[0].List(5), "OFDM");
  EXPECT_TRUE(form->vscFSK.Visible);
  EXPECT_TRUE(form->txtFSK.Visible);
  EXPECT_FALSE(form->cmbTxEB[0].Visible);
}

TEST(OptionRules, ReceiverDemodulationAloneSetsBitsAndLinearLegends) {
  auto form = loaded();
  form->cmbMod[1].setText("8-PSK");
  EXPECT_EQ(form->iBitsPerSymbol, 3);
  EXPECT_EQ(form->cmbMod[0].Text(), "BPSK");
  EXPECT_EQ(form->lblLinear[1].Caption, "Linear");

  // Legends written by the receiver's rule even when the transmitter is an angle modulation.
  form->cmbMod[0].setText("MSK");
  ASSERT_EQ(form->lblLinear[1].Caption, "Exponential");
  form->cmbMod[1].setText("16-QAM");
  EXPECT_EQ(form->iBitsPerSymbol, 4);
  EXPECT_EQ(form->cmbMod[0].Text(), "MSK");
  EXPECT_EQ(form->lblLinear[1].Caption, "Linear");
  EXPECT_EQ(form->lblLinear[2].Caption, "I");
  EXPECT_EQ(form->lblLinear[3].Caption, "Q");
}

struct BitsCase {
  const char* modulation;
  int bits;
};

class OptionRulesBits : public ::testing::TestWithParam<BitsCase> {};

TEST_P(OptionRulesBits, BitsPerSymbolOfEveryModulation) {
  auto form = loaded();
  form->cmbMod[0].setText("OOK");
  form->cmbMod[0].setText(GetParam().modulation);
  EXPECT_EQ(form->iBitsPerSymbol, GetParam().bits);
  EXPECT_EQ(form->cmbMod[1].Text(), GetParam().modulation);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, OptionRulesBits,
                         ::testing::Values(BitsCase{"50% AM", 1}, BitsCase{"FSK", 1},
                                           BitsCase{"BPSK", 1}, BitsCase{"MSK", 1},
                                           BitsCase{"QPSK", 2}, BitsCase{"8-PSK", 3},
                                           BitsCase{"pi/4-SQPSK", 2}, BitsCase{"OQPSK", 2},
                                           BitsCase{"16-QAM", 4}, BitsCase{"qpsk", 1}));

struct ParameterListCase {
  int index;
  const char* filter;
  bool eb, bw, sc;
  const char* caption;  // nullptr: the unit label is hidden
};

class OptionRulesParameterList : public ::testing::TestWithParam<ParameterListCase> {};

TEST_P(OptionRulesParameterList, FilterTypeShowsItsParameterList) {
  const ParameterListCase& c = GetParam();
  auto form = loaded("Scatter");
  // Start from a filter whose list differs, so every visibility has to be written.
  form->cmbFilter[c.index].setText(std::string(c.filter) == "Gaussian" ? "Root RC" : "Gaussian");
  form->cmbFilter[c.index].setText(c.filter);
  EXPECT_EQ(form->cmbTxEB[c.index].Visible, c.eb);
  EXPECT_EQ(form->cmbTxBW[c.index].Visible, c.bw);
  EXPECT_EQ(form->cmbTxSC[c.index].Visible, c.sc);
  EXPECT_EQ(form->lblPCkHz[c.index].Visible, c.caption != nullptr);
  if (c.caption) {
    EXPECT_EQ(form->lblPCkHz[c.index].Caption, c.caption);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryType, OptionRulesParameterList,
    ::testing::Values(ParameterListCase{0, "Gaussian", false, true, false, "kHz"},
                      ParameterListCase{0, "Steep Cutoff", false, true, false, "kHz"},
                      ParameterListCase{0, "Raised Cosine", true, false, false, "EB"},
                      ParameterListCase{0, "Root RC", true, false, false, "EB"},
                      ParameterListCase{0, "OFDM", false, false, true, "SCs"},
                      ParameterListCase{0, "None", false, false, false, nullptr},
                      ParameterListCase{1, "Root RC", true, false, false, "EB"},
                      ParameterListCase{1, "Gaussian", false, true, false, "kHz"},
                      ParameterListCase{1, "Matched", false, false, false, nullptr},
                      ParameterListCase{1, "typed nonsense", false, false, false, nullptr}));

struct FollowCase {
  const char* scene;
  const char* modulation;
  const char* txFilter;
  const char* rxFilter;  // what the receiver shows afterwards
};

class OptionRulesReceiverFollows : public ::testing::TestWithParam<FollowCase> {};

TEST_P(OptionRulesReceiverFollows, OnlyWhileShownAndLinear) {
  const FollowCase& c = GetParam();
  auto form = loaded(c.scene);
  form->cmbMod[0].setText(c.modulation);
  form->cmbFilter[1].setText("Matched");
  form->cmbFilter[0].setText(c.txFilter);
  EXPECT_EQ(form->cmbFilter[1].Text(), c.rxFilter);
}

INSTANTIATE_TEST_SUITE_P(Scenes, OptionRulesReceiverFollows,
                         ::testing::Values(FollowCase{"Modulation", "BPSK", "Gaussian",
                                                      "Matched"},  // hidden receiver
                                           FollowCase{"Scatter", "BPSK", "Gaussian", "Gaussian"},
                                           FollowCase{"Full", "QPSK", "Root RC", "Root RC"},
                                           FollowCase{"Full", "QPSK", "OFDM", "None"},
                                           FollowCase{"Scatter", "MSK", "Steep Cutoff", "None"}));

// Which list of a parameter array a case works on.
enum class Param { EB, BW, SC };

struct ParamCase {
  Param list;
  const char* text;
  int ticks;  // ticks run by a transmitter-side change (its own rule and the receiver's)
};

std::array<ComboBox, 2>& paramList(Form1& form, Param p) {
  return p == Param::EB ? form.cmbTxEB : p == Param::BW ? form.cmbTxBW : form.cmbTxSC;
}

class OptionRulesParameters : public ::testing::TestWithParam<ParamCase> {};

TEST_P(OptionRulesParameters, ReceiverFollowsTransmitterNotTheOtherWay) {
  const ParamCase& c = GetParam();
  auto form = loaded();
  auto& lists = paramList(*form, c.list);
  const std::string before = lists[0].Text();

  // Before the first tick nothing redesigns the filters, so the invalidation stays visible.
  form->bFiltersValid = -1;
  lists[1].setText(c.text);
  EXPECT_EQ(lists[0].Text(), before);
  EXPECT_EQ(lists[1].Text(), c.text);
  EXPECT_EQ(form->bFiltersValid, 0);

  lists[1].setText("7");
  form->bFiltersValid = -1;
  lists[0].setText(c.text);
  EXPECT_EQ(lists[0].Text(), c.text);
  EXPECT_EQ(lists[1].Text(), c.text);
  EXPECT_EQ(form->bFiltersValid, 0);
}

TEST_P(OptionRulesParameters, OnlyExcessBandwidthRunsATick) {
  const ParamCase& c = GetParam();
  auto form = loaded();
  form->Timer1_Timer();  // lTick 1: the rules may now tick
  auto& lists = paramList(*form, c.list);

  int32_t tick = form->lTick;
  lists[1].setText("7");
  EXPECT_EQ(form->lTick - tick, c.ticks / 2);

  tick = form->lTick;
  lists[0].setText(c.text);
  EXPECT_EQ(form->lTick - tick, c.ticks);
}

INSTANTIATE_TEST_SUITE_P(EveryList, OptionRulesParameters,
                         ::testing::Values(ParamCase{Param::EB, "30", 2},
                                           ParamCase{Param::BW, "0.35", 0},
                                           ParamCase{Param::SC, "16", 0}));

struct SubcarrierCase {
  const char* typed;
  const char* shown;
};

class OptionRulesSubcarriers : public ::testing::TestWithParam<SubcarrierCase> {};

TEST_P(OptionRulesSubcarriers, TransmitterShowsTheCountOfdmUses) {
  auto form = loaded();
  form->cmbTxSC[0].setText(GetParam().typed);
  EXPECT_EQ(form->cmbTxSC[0].Text(), GetParam().shown);
  EXPECT_EQ(form->cmbTxSC[1].Text(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Typed, OptionRulesSubcarriers,
                         ::testing::Values(SubcarrierCase{"64", "64"}, SubcarrierCase{"2", "2"},
                                           SubcarrierCase{"16.0",
                                                          "16.0"},  // already the count in use
                                           SubcarrierCase{"5", "4"}, SubcarrierCase{"3", "2"},
                                           SubcarrierCase{"100", "128"},
                                           SubcarrierCase{"5000", "128"}, SubcarrierCase{"0", "1"},
                                           SubcarrierCase{"-8", "1"}, SubcarrierCase{"lots", "1"}));

TEST(OptionRules, ReceiverSubcarriersAloneAreNotTidied) {
  auto form = loaded();
  form->cmbTxSC[1].setText("5");
  EXPECT_EQ(form->cmbTxSC[1].Text(), "5");
  EXPECT_EQ(form->cmbTxSC[0].Text(), "4");
}

TEST(OptionRules, ModulationChangeInvalidatesFiltersAndClearsTheSpectrumAverage) {
  auto form = loaded();
  form->bFiltersValid = -1;
  form->dSpectrums = 12;
  form->cmbMod[0].setText("QPSK");
  EXPECT_EQ(form->bFiltersValid, 0);
  EXPECT_EQ(form->dSpectrums, 0);  // RestartPics(0) by the transmitter's rule
}

TEST(OptionRules, ReceiverDemodulationKeepsTheSpectrumAverage) {
  auto form = loaded();
  form->dSpectrums = 12;
  form->cmbMod[1].setText("QPSK");
  // RestartPics(1) keeps the average; the chain run by the data-zoom rule adds its block to it.
  EXPECT_GE(form->dSpectrums, 12);
}

TEST(OptionRules, ModulationChangeRunsTwoTicksOnceAnimated) {
  auto form = loaded();
  form->Timer1_Timer();
  const int32_t tick = form->lTick;
  form->cmbMod[0].setText("QPSK");  // the receiver's rule ticks, then the transmitter's
  EXPECT_EQ(form->lTick, tick + 2);
}

}  // namespace
}  // namespace linklab
