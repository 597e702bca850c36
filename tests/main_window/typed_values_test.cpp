// Typed values: which texts each numeric field takes, and what the window model does with a text
// it refuses (the field keeps its last good value, nothing downstream hears of it).

#include "main_window/typed_values.h"
#include "main_window/window_setup.h"

namespace linklab {
namespace {

std::vector<std::string> texts(const std::string& joined) {  // '|' between texts
  std::vector<std::string> out;
  std::istringstream in(joined + "|");
  for (std::string text; std::getline(in, text, '|');) out.push_back(text);
  return out;
}

// Texts typedNumber reads (with their value) and texts it refuses.
TEST(TypedNumber, ReadsOnlyAWholeDecimalNumber) {
  for (const auto& [text, value] : {std::pair{"0.4", 0.4}, {" 12 ", 12.0}, {"+.5", 0.5}, {"-2.5", -2.5},
                                    {"1e3", 1000.0}, {"2.5E-1", 0.25}, {"7.", 7.0}}) {
    const std::optional<double> n = typedNumber(text);
    ASSERT_TRUE(n.has_value()) << text;
    EXPECT_DOUBLE_EQ(*n, value);
  }
  for (const std::string& text : texts("| |abc|nan|inf|-inf|0.4x|0.4 5|.|1e|0x10|1e400|--1|None"))
    EXPECT_FALSE(typedNumber(text).has_value()) << text;
}

// Each field's range, its ends and just past them: bandwidth and excess bandwidth are judged
// after the design's own rounding (hundredths, whole percent), the subcarrier count after
// rounding to a whole count, halves to even.
TEST(FieldRange, TakesTheFieldsRangeAndRefusesTheRestWithAReason) {
  using F = TypedField;
  for (const auto& [field, taken, refused] :
       {std::tuple{F::NoiseLevel, "None|0|0.4|1000", "1000.5|-5|1e308|abc||none"},
        {F::Bandwidth, "0.123|0.10|6|6.004", "6.01|0.09|7|-5|nan"},
        {F::ExcessBandwidth, "35.6|1|0.5|100.4", "0.4|100.5|0|250"},
        {F::Subcarriers, "3|1|128|128.5", "0.5|129|inf"},
        {F::FskIndex, "0.2|5|1.0|0.166666666666667", "0.16|5.01|0|"}}) {
    for (const std::string& text : texts(taken)) EXPECT_EQ(typedRefusal(field, text), "") << text;
    for (const std::string& text : texts(refused)) EXPECT_NE(typedRefusal(field, text), "") << text;
  }
}

// Field, a good text, a bad one, and the receiver's list that copies the transmitter's ("" if none).
TEST(TypedRefusal, TheFieldKeepsItsLastGoodValueAndNothingElseMoves) {
  for (const auto& [control, good, bad, follower] :
       {std::array{"cmbNoise", "0.4", "abc", ""}, {"cmbNoise", "None", "-5", ""},
        {"cmbTxBW(1)", "0.35", "0.35x", ""}, {"cmbTxBW(0)", "0.50", "", "cmbTxBW(1)"},
        {"cmbTxEB(0)", "30", "nan", "cmbTxEB(1)"}, {"txtFSK", "2.5", "abc", ""},
        {"cmbTxSC(0)", "16", "0", "cmbTxSC(1)"}, {"cmbTxEB(1)", "10", "101", ""}}) {
    SCOPED_TRACE(control);
    RecordingHost host;
    auto form = window({}, 1, &host);
    Control& field = *form->findControl(control);
    type(field, good);
    ASSERT_EQ(textOf(field), good);
    ASSERT_TRUE(host.refusals.empty());
    int changes = 0;
    std::function<void()>& onChange = field.kind() == ControlKind::TextBox ? static_cast<TextBox&>(field).onChange
                                                                         : static_cast<ComboBox&>(field).onChange;
    onChange = [&changes, rule = onChange] { ++changes, rule(); };
    form->bFiltersValid = -1;
    form->picEye[0].setRecording(true);
    form->picEye[0].Line(0, 0, 10, 10);
    const int32_t ticks = form->lTick;
    type(field, bad);
    EXPECT_EQ(textOf(field), good);
    if (*follower) {
      EXPECT_EQ(textOf(*form->findControl(follower)), good);
    }
    ASSERT_EQ(host.refusals.size(), 1u);
    EXPECT_EQ(host.refusals[0].first, control);
    EXPECT_FALSE(host.refusals[0].second.empty());
    EXPECT_EQ(changes, 1);  // the refused text's own change, and no second one to put it back
    EXPECT_EQ(form->bFiltersValid, -1);
    EXPECT_FALSE(form->picEye[0].log().empty());
    EXPECT_EQ(form->lTick, ticks);
    EXPECT_TRUE(host.messages.empty());
  }
}

// A receive filter the list does not offer: the design's message once, the list back at the
// filter it had, and the link goes on receiving through that filter.
TEST(TypedReceiveFilter, AnUnknownNameIsReportedOnceAndTheListGoesBack) {
  RecordingHost host;
  auto form = window({{"cmbScene", "Full"}}, 1, &host);
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
