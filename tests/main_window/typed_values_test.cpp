// Typed values: which texts each numeric field takes, and what the window model does with a text
// it refuses (the field keeps its last good value, nothing downstream hears of it).
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "main_window/form1.h"
#include "main_window/typed_values.h"

namespace linklab {
namespace {

struct NumberCase {
  const char* text;
  bool number;
  double value;
};

class TypedNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TypedNumber, ReadsOnlyAWholeDecimalNumber) {
  const NumberCase& c = GetParam();
  const std::optional<double> n = typedNumber(c.text);
  ASSERT_EQ(n.has_value(), c.number);
  if (c.number) EXPECT_DOUBLE_EQ(*n, c.value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Texts, TypedNumber, ::testing::Values(
    NumberCase{"0.4", true, 0.4}, NumberCase{" 12 ", true, 12}, NumberCase{"+.5", true, 0.5},
    NumberCase{"-2.5", true, -2.5}, NumberCase{"1e3", true, 1000}, NumberCase{"2.5E-1", true, 0.25},
    NumberCase{"7.", true, 7},
    NumberCase{"", false, 0}, NumberCase{" ", false, 0}, NumberCase{"abc", false, 0},
    NumberCase{"nan", false, 0}, NumberCase{"inf", false, 0}, NumberCase{"-inf", false, 0},
    NumberCase{"0.4x", false, 0}, NumberCase{"0.4 5", false, 0}, NumberCase{".", false, 0},
    NumberCase{"1e", false, 0}, NumberCase{"0x10", false, 0}, NumberCase{"1e400", false, 0},
    NumberCase{"--1", false, 0}, NumberCase{"None", false, 0}));
// clang-format on

struct RangeCase {
  TypedField field;
  const char* text;
  bool taken;
};

class FieldRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(FieldRange, TakesTheFieldsRangeAndRefusesTheRestWithAReason) {
  const RangeCase& c = GetParam();
  const std::string why = typedRefusal(c.field, c.text);
  EXPECT_EQ(why.empty(), c.taken) << why;
}

using F = TypedField;
// Bandwidth and excess bandwidth are judged after the design's own rounding (hundredths, whole
// percent), the subcarrier count after rounding to a whole count, halves to even.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, FieldRange, ::testing::Values(
    RangeCase{F::NoiseLevel, "None", true}, RangeCase{F::NoiseLevel, "0", true},
    RangeCase{F::NoiseLevel, "0.4", true}, RangeCase{F::NoiseLevel, "1000", true},
    RangeCase{F::NoiseLevel, "1000.5", false}, RangeCase{F::NoiseLevel, "-5", false},
    RangeCase{F::NoiseLevel, "1e308", false}, RangeCase{F::NoiseLevel, "abc", false},
    RangeCase{F::NoiseLevel, "", false}, RangeCase{F::NoiseLevel, "none", false},
    RangeCase{F::Bandwidth, "0.123", true}, RangeCase{F::Bandwidth, "0.10", true},
    RangeCase{F::Bandwidth, "6", true}, RangeCase{F::Bandwidth, "6.004", true},
    RangeCase{F::Bandwidth, "6.01", false}, RangeCase{F::Bandwidth, "0.09", false},
    RangeCase{F::Bandwidth, "7", false}, RangeCase{F::Bandwidth, "-5", false},
    RangeCase{F::Bandwidth, "nan", false},
    RangeCase{F::ExcessBandwidth, "35.6", true}, RangeCase{F::ExcessBandwidth, "1", true},
    RangeCase{F::ExcessBandwidth, "0.5", true}, RangeCase{F::ExcessBandwidth, "100.4", true},
    RangeCase{F::ExcessBandwidth, "0.4", false}, RangeCase{F::ExcessBandwidth, "100.5", false},
    RangeCase{F::ExcessBandwidth, "0", false}, RangeCase{F::ExcessBandwidth, "250", false},
    RangeCase{F::Subcarriers, "3", true}, RangeCase{F::Subcarriers, "1", true},
    RangeCase{F::Subcarriers, "128", true}, RangeCase{F::Subcarriers, "0.5", false},
    RangeCase{F::Subcarriers, "128.5", true}, RangeCase{F::Subcarriers, "129", false},
    RangeCase{F::Subcarriers, "inf", false},
    RangeCase{F::FskIndex, "0.2", true}, RangeCase{F::FskIndex, "5", true},
    RangeCase{F::FskIndex, "1.0", true}, RangeCase{F::FskIndex, "0.166666666666667", true},
    RangeCase{F::FskIndex, "0.16", false}, RangeCase{F::FskIndex, "5.01", false},
    RangeCase{F::FskIndex, "0", false}, RangeCase{F::FskIndex, "", false}));
// clang-format on

class RecordingHost : public Host {
 public:
  void message(std::string_view text) override { messages.emplace_back(text); }
  void refused(std::string_view name, std::string_view why) override {
    refusals.emplace_back(std::string(name), std::string(why));
  }
  std::vector<std::string> messages;
  std::vector<std::pair<std::string, std::string>> refusals;
};

std::string textOf(Control& c) {
  if (c.kind() == ControlKind::TextBox) return static_cast<TextBox&>(c).Text();
  return static_cast<ComboBox&>(c).Text();
}
void type(Control& c, const char* text) {
  if (c.kind() == ControlKind::TextBox)
    static_cast<TextBox&>(c).setText(text);
  else
    static_cast<ComboBox&>(c).setText(text);
}

struct RefusalCase {
  const char* control;
  const char* good;
  const char* bad;
  const char* follower;  // the receiver's list that copies the transmitter's, or nullptr
};

class TypedRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(TypedRefusal, TheFieldKeepsItsLastGoodValueAndNothingElseMoves) {
  const RefusalCase& c = GetParam();
  RecordingHost host;
  auto form = std::make_unique<Form1>();
  form->setHost(&host);
  form->Form_Load();
  form->Timer1_Timer();
  Control& field = *form->findControl(c.control);
  type(field, c.good);
  ASSERT_EQ(textOf(field), c.good);
  ASSERT_TRUE(host.refusals.empty());

  int changes = 0;
  std::function<void()>& onChange = field.kind() == ControlKind::TextBox ? static_cast<TextBox&>(field).onChange
                                                                       : static_cast<ComboBox&>(field).onChange;
  onChange = [&changes, rule = onChange] { ++changes, rule(); };
  form->bFiltersValid = -1;
  form->picEye[0].setRecording(true);
  form->picEye[0].Line(0, 0, 10, 10);
  const int32_t ticks = form->lTick;
  type(field, c.bad);

  EXPECT_EQ(textOf(field), c.good);
  if (c.follower) {
    EXPECT_EQ(textOf(*form->findControl(c.follower)), c.good);
  }
  ASSERT_EQ(host.refusals.size(), 1u);
  EXPECT_EQ(host.refusals[0].first, c.control);
  EXPECT_FALSE(host.refusals[0].second.empty());
  EXPECT_EQ(changes, 1);  // the refused text's own change, and no second one to put it back
  EXPECT_EQ(form->bFiltersValid, -1);
  EXPECT_FALSE(form->picEye[0].log().empty());
  EXPECT_EQ(form->lTick, ticks);
  EXPECT_TRUE(host.messages.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Fields, TypedRefusal, ::testing::Values(
    RefusalCase{"cmbNoise", "0.4", "abc", nullptr}, RefusalCase{"cmbNoise", "None", "-5", nullptr},
    RefusalCase{"cmbNoise", "2", "1e308", nullptr},
    RefusalCase{"cmbTxBW(0)", "0.50", "", "cmbTxBW(1)"}, RefusalCase{"cmbTxBW(0)", "0.50", "inf", "cmbTxBW(1)"},
    RefusalCase{"cmbTxBW(1)", "0.35", "0.35x", nullptr},
    RefusalCase{"cmbTxEB(0)", "30", "nan", "cmbTxEB(1)"}, RefusalCase{"cmbTxEB(1)", "10", "101", nullptr},
    RefusalCase{"cmbTxSC(0)", "16", "0", "cmbTxSC(1)"},
    RefusalCase{"txtFSK", "0.2", "-5", nullptr}, RefusalCase{"txtFSK", "2.5", "abc", nullptr}));
// clang-format on

// A typed index the modulator can use is used as typed, not moved to a step of the slider.
TEST(TypedFskIndex, IsUsedAsTyped) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbMod[0].setText("FSK");
  form->txtFSK.setText("0.2");
  form->Timer1_Timer();  // the first tick only designs the filters
  form->Timer1_Timer();
  EXPECT_EQ(form->txtFSK.Text(), "0.2");
  EXPECT_DOUBLE_EQ(form->dFSKIndex, 0.2);
}

// A receive filter the list does not offer: the design's message once, the list back at the
// filter it had, and the link goes on receiving through that filter.
TEST(TypedReceiveFilter, AnUnknownNameIsReportedOnceAndTheListGoesBack) {
  RecordingHost host;
  auto form = std::make_unique<Form1>();
  form->setHost(&host);
  form->Form_Load();
  form->cmbScene.setText("Full");
  form->Timer1_Timer();
  form->cmbFilter[1].setText("Matched");
  form->cmbFilter[1].setText("Chebyshev");
  EXPECT_EQ(form->cmbFilter[1].Text(), "Matched");
  form->Timer1_Timer();
  form->Timer1_Timer();
  EXPECT_EQ(host.messages, std::vector<std::string>{"Internal Error: Unknown Filter Type."});
  EXPECT_NE(form->dRxFilter[0], 0.0);  // the matched response passes 0 Hz
  EXPECT_TRUE(host.refusals.empty());
}

}  // namespace
}  // namespace linklab
