#include "form/numbers.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace linklab {
namespace {

struct RoundCase {
  double x;
  int expected;
};

class HalfToEven : public ::testing::TestWithParam<RoundCase> {};

TEST_P(HalfToEven, CIntAndCLngAgree) {
  EXPECT_EQ(CInt(GetParam().x), GetParam().expected);
  EXPECT_EQ(CLng(GetParam().x), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, HalfToEven,
                         ::testing::Values(RoundCase{0.5, 0}, RoundCase{1.5, 2}, RoundCase{2.5, 2},
                                           RoundCase{-0.5, 0}, RoundCase{-1.5, -2},
                                           RoundCase{12.5, 12}, RoundCase{63.5, 64},
                                           RoundCase{-33.333, -33}, RoundCase{2.49, 2}));

TEST(Numbers, CIntSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(CInt(1e9), 32767);
  EXPECT_EQ(CInt(-1e9), -32768);
  EXPECT_EQ(CInt(std::numeric_limits<double>::quiet_NaN()), 0);
  EXPECT_EQ(CLng(1e12), 2147483647);
  EXPECT_EQ(CLng(70000.5), 70000);
}

TEST(Numbers, IntIsFloor) {
  EXPECT_EQ(Int(2.7), 2.0);
  EXPECT_EQ(Int(-2.2), -3.0);
}

struct ValCase {
  std::string text;
  double expected;
};

class Leading : public ::testing::TestWithParam<ValCase> {};

TEST_P(Leading, ValReadsTheLeadingNumber) { EXPECT_DOUBLE_EQ(Val(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Cases, Leading,
                         ::testing::Values(ValCase{"None", 0}, ValCase{"", 0}, ValCase{"2.00", 2},
                                           ValCase{" 0.35 kHz", 0.35}, ValCase{"-3", -3},
                                           ValCase{".5", 0.5}, ValCase{"1e2", 100},
                                           ValCase{"4x", 4}, ValCase{"1e", 1}, ValCase{"-", 0},
                                           ValCase{"+7.25", 7.25}));

TEST(Numbers, ValIsAlwaysFinite) {
  EXPECT_TRUE(std::isfinite(Val("1e999")));
  EXPECT_TRUE(std::isfinite(Val("-1e999")));
  EXPECT_GT(Val("1e999"), 1e300);
}

// A view that ends inside a longer number is read to its own end and no further.
TEST(Numbers, ValReadsOnlyItsView) {
  const std::string_view text = "125e3";
  EXPECT_EQ(Val(text.substr(0, 2)), 12);
  EXPECT_EQ(Val(text.substr(0, 4)), 125);
}

// Longer than any buffer a reader might keep: each read whole, the way a short one is.
INSTANTIATE_TEST_SUITE_P(
    Long, Leading,
    ::testing::Values(ValCase{"1" + std::string(100, '0'), 1e100},                // 101 digits
                      ValCase{"0." + std::string(80, '0') + "25", 2.5e-81},
                      ValCase{"  -" + std::string(90, '0') + "3.5e2 W", -350},   // zeros lead
                      ValCase{"7." + std::string(120, '0') + "1e-3", 7e-3},
                      ValCase{"1" + std::string(400, '0'), DBL_MAX},             // past a double
                      ValCase{"-1" + std::string(400, '0'), -DBL_MAX},
                      ValCase{"1e-400", 0}, ValCase{"0." + std::string(400, '0') + "1", 0},
                      ValCase{"1e" + std::string(400, '9'), DBL_MAX},
                      ValCase{"1e-" + std::string(400, '9'), 0},
                      // the digits count on both sides of the exponent: 1e350, 1e-351
                      ValCase{"1" + std::string(700, '0') + "e-350", DBL_MAX},
                      ValCase{"0." + std::string(400, '0') + "1e50", 0}));

TEST(Numbers, StrWritesPlainDecimals) {
  EXPECT_EQ(Str(1.0), "1");
  EXPECT_EQ(Str(0.5), "0.5");
  EXPECT_EQ(Str(5.0), "5");
  EXPECT_EQ(Str(1.0 / 6.0), "0.166666666666667");
  EXPECT_EQ(Str(-2.5), "-2.5");
  EXPECT_EQ(Str(-0.0), "0");
}

}  // namespace
}  // namespace linklab
