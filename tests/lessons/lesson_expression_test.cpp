// The check language: precedence and association, NaN never passing a comparison, the four
// functions, controls read as text or number, and compile errors at the right column.

#include "batch/script_run.h"
#include "lessons/lesson_expression.h"

namespace linklab {
namespace {

class FakeInputs : public ExpressionInputs {
 public:
  double readout(std::string_view name) const override {
    const auto it = readouts.find(std::string(name));
    return it == readouts.end() ? NAN : it->second;
  }
  std::string control(std::string_view name) const override {
    const auto it = controls.find(std::string(name));
    return it == controls.end() ? std::string() : it->second;
  }
  double answer() const override { return typed; }

  std::map<std::string, double> readouts{{"dEbN0dB", 10.46}, {"dBER", NAN}, {"lBits", 2000}, {"dBERTheory", 0.01}};
  std::map<std::string, std::string> controls{{"cmbMod(0)", "QPSK"}, {"cmbNoise", "1.0"}, {"hscSample", "12"}};
  double typed = 5;
};

// NaN expected: the value must be NaN.
TEST(Expressions, EvaluateToTheirArithmetic) {
  for (const auto& [text, expected] : std::vector<std::pair<const char*, double>>{
        {"1 + 2 * 3", 7}, {"(1 + 2) * 3", 9}, {"10 - 4 - 3", 3}, {"8 / 4 / 2", 1}, {"-2 * -3", 6}, {"2 - -1", 3},
        {"1.5e2 + .5", 150.5}, {"2 * 3 < 7", 1}, {"2 * 3 >= 7", 0}, {"1 < 2 and 3 < 2 or 1", 1}, {"0 and 0 or 1", 1},
        {"1 or 1 and 0", 1}, {"not 1 < 2", 0}, {"not 0 and 0", 0}, {"not not 3", 1}, {"abs(-3)", 3},
        {"log10(1000)", 3}, {"min(2, 5)", 2}, {"max(2, 5)", 5}, {"max(min(1, 4), -1) * 2", 2},
        // A missing readout is NaN: it passes no comparison, whichever way round.
        {"dBER < 1", 0}, {"dBER >= 1", 0}, {"dBER == dBER", 0}, {"dBER != 1", 0}, {"not (dBER < 1)", 1},
        {"min(dBER, 1)", NAN}, {"max(1, dBER)", NAN}, {"dBER or 0", 0}, {"dEbN0dB - 10", 0.46},
        {"lBits / 1000", 2}, {"dBERTheory * 100 <= 1", 1},
        // Controls: their text, read as a number where one is wanted.
        {"cmbMod(0) == \"QPSK\"", 1}, {"cmbMod(0) != \"BPSK\"", 1}, {"\"QPSK\" == cmbMod(0)", 1},
        {"cmbNoise == 1", 1}, {"cmbNoise == \"1\"", 0}, {"cmbNoise + 1", 2}, {"hscSample > 11", 1},
        {"cmbMod(0) + 1", NAN}, {"cmbMod(0) == 1", 0}, {"answer * 2", 10}, {"abs(answer - 5) < 0.1", 1}}) {
    const ExpressionCompile c = compileExpression(text);
    ASSERT_EQ(c.error, "") << text;
    const double v = c.expression.evaluate(FakeInputs()).asNumber();
    if (std::isnan(expected))
      EXPECT_TRUE(std::isnan(v)) << text << " gave " << v;
    else
      EXPECT_NEAR(v, expected, 1e-12) << text;
  }
}

TEST(Expressions, ErrorsNameTheirColumnAndToken) {
  for (const auto& [text, column, token] : std::vector<std::tuple<const char*, int, const char*>>{
        {"1 +", 4, "end of the expression"}, {"dBr < 1", 1, "dBr"}, {"1 < 2 < 3", 7, "<"}, {"abs(1, 2)", 6, ","},
        {"min(1)", 6, ")"}, {"cmbMod(7) == \"QPSK\"", 1, "cmbMod"}, {"cmbMod(x)", 8, "x"}, {"\"QPSK", 1, "\"QPSK"},
        {"1 $ 2", 3, "$"}, {"(1 + 2", 7, "end of the expression"}, {"1 2", 3, "2"}, {"and 1", 1, "and"},
        {"", 1, "end of the expression"}, {"dBER < 1 and", 13, "end of the expression"}, {"lBits = 3", 7, "="},
        {"lock", 1, "lock"}}) {
    const ExpressionCompile c = compileExpression(text);
    EXPECT_NE(c.error, "") << text;
    EXPECT_EQ(c.column, column) << text << ": " << c.error;
    EXPECT_EQ(c.token, token) << text << ": " << c.error;
  }
}

TEST(ExpressionInputsChange, AreReadAtEveryEvaluation) {
  const ExpressionCompile c = compileExpression("lBits >= 1000 and cmbMod(0) == \"QPSK\"");
  ASSERT_EQ(c.error, "");
  FakeInputs inputs;
  EXPECT_TRUE(c.expression.holds(inputs));
  inputs.readouts["lBits"] = 999;
  EXPECT_FALSE(c.expression.holds(inputs));
  inputs.readouts["lBits"] = 1000;
  inputs.controls["cmbMod(0)"] = "QPSK ";
  EXPECT_FALSE(c.expression.holds(inputs));
}

}  // namespace
}  // namespace linklab
