#include "form/numbers.h"

#include "form/form_tests.h"

namespace linklab {
namespace {

// Halves go to the even neighbour; the 16-bit CInt and 32-bit CLng saturate, NaN gives 0.
TEST(Numbers, CIntAndCLngRoundHalfToEvenAndSaturate) {
  for (const auto& [x, expected] : std::vector<std::pair<double, int>>{
           {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {12.5, 12}, {63.5, 64}, {-33.333, -33}, {2.49, 2}}) {
    EXPECT_EQ(CInt(x), expected) << x;
    EXPECT_EQ(CLng(x), expected) << x;
  }
  EXPECT_EQ((std::array{CInt(1e9), CInt(-1e9), CInt(std::numeric_limits<double>::quiet_NaN())}),
            (std::array<int16_t, 3>{32767, -32768, 0}));
  EXPECT_EQ((std::array<double, 4>{double(CLng(1e12)), double(CLng(70000.5)), Int(2.7), Int(-2.2)}),
            (std::array<double, 4>{2147483647, 70000, 2, -3}));
}

// Longer than any buffer a reader might keep (from 1e100 on): each read whole, the way a short one
// is; the digits count on both sides of the exponent (1e350, 1e-351 in the last two). A view that
// ends inside a longer number is read to its own end and no further.
TEST(Numbers, ValReadsTheLeadingNumberOfItsView) {
  for (const auto& [text, expected] : std::vector<std::pair<std::string, double>>{
           {"None", 0}, {"", 0}, {"2.00", 2}, {" 0.35 kHz", 0.35}, {"-3", -3}, {".5", 0.5}, {"1e2", 100}, {"4x", 4},
           {"1e", 1}, {"-", 0}, {"+7.25", 7.25}, {"1e999", DBL_MAX}, {"-1e999", -DBL_MAX},
           {"1" + std::string(100, '0'), 1e100}, {"0." + std::string(80, '0') + "25", 2.5e-81},
           {"  -" + std::string(90, '0') + "3.5e2 W", -350}, {"7." + std::string(120, '0') + "1e-3", 7e-3},
           {"1" + std::string(400, '0'), DBL_MAX}, {"-1" + std::string(400, '0'), -DBL_MAX}, {"1e-400", 0},
           {"0." + std::string(400, '0') + "1", 0}, {"1e" + std::string(400, '9'), DBL_MAX},
           {"1e-" + std::string(400, '9'), 0}, {"1" + std::string(700, '0') + "e-350", DBL_MAX},
           {"0." + std::string(400, '0') + "1e50", 0}})
    EXPECT_DOUBLE_EQ(Val(text), expected) << text.substr(0, 40) << " (" << text.size() << " characters)";
  const std::string_view text = "125e3";
  EXPECT_EQ(Val(text.substr(0, 2)), 12);
  EXPECT_EQ(Val(text.substr(0, 4)), 125);
}

TEST(Numbers, StrWritesPlainDecimals) {
  EXPECT_EQ(Str(1.0) + " " + Str(0.5) + " " + Str(5.0) + " " + Str(-2.5) + " " + Str(-0.0), "1 0.5 5 -2.5 0");
  EXPECT_EQ(Str(1.0 / 6.0), "0.166666666666667");
}

}  // namespace
}  // namespace linklab
