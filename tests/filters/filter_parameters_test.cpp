#include "filters/filter_parameters.h"

#include <gtest/gtest.h>

namespace linklab {
namespace {

struct ExcessCase {
  const char* typed;
  int percent;
  const char* shown;
};
class ExcessBandwidthTidying : public ::testing::TestWithParam<ExcessCase> {};
TEST_P(ExcessBandwidthTidying, RoundsAndClampsToWholePercent) {
  const int p = tidyExcessBandwidth(GetParam().typed);
  EXPECT_EQ(p, GetParam().percent);
  EXPECT_EQ(excessBandwidthText(p), GetParam().shown);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, ExcessBandwidthTidying,
    ::testing::Values(ExcessCase{"50", 50, "50"}, ExcessCase{"0", 1, "1"}, ExcessCase{"", 1, "1"},
                      ExcessCase{"abc", 1, "1"}, ExcessCase{"250", 100, "100"},
                      ExcessCase{"35.6", 36, "36"}, ExcessCase{"34.5", 35, "35"},  // Int(x + 0.5)
                      ExcessCase{"-7", 1, "1"}, ExcessCase{"1e300", 100, "100"},
                      ExcessCase{" 80 %", 80, "80"}, ExcessCase{"0.6", 1, "1"}));

struct BandwidthCase {
  const char* typed;
  double value;
  const char* shown;
};
class BandwidthTidying : public ::testing::TestWithParam<BandwidthCase> {};
TEST_P(BandwidthTidying, RoundsToHundredthsAndClamps) {
  const double d = tidyBandwidth(GetParam().typed);
  EXPECT_DOUBLE_EQ(d, GetParam().value);
  EXPECT_EQ(bandwidthText(d), GetParam().shown);
}
INSTANTIATE_TEST_SUITE_P(
    Texts, BandwidthTidying,
    ::testing::Values(BandwidthCase{"0.05", 0.1, "0.10"}, BandwidthCase{"7", 6, "6.00"},
                      BandwidthCase{"0.5", 0.5, "0.50"}, BandwidthCase{"1.5", 1.5, "1.50"},
                      BandwidthCase{"2", 2, "2.00"}, BandwidthCase{"0.35", 0.35, "0.35"},
                      BandwidthCase{"0.344", 0.34, "0.34"}, BandwidthCase{"0.999", 1, "1.00"},
                      BandwidthCase{"", 0.1, "0.10"}, BandwidthCase{"None", 0.1, "0.10"},
                      BandwidthCase{"-3", 0.1, "0.10"}, BandwidthCase{"1e300", 6, "6.00"},
                      BandwidthCase{"0.29", 0.29, "0.29"}));

}  // namespace
}  // namespace linklab
