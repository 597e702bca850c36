#include "filters/filter_design.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "transmitter/test_blocks.h"

namespace linklab {
namespace {

using namespace linklab::testing;

constexpr double kPiLiteral = 3.14159265358979;

struct ResponseCase {
  const char* name;
  FilterType type;
  double parameter;
  int codeRate;
  double bits;
  std::function<double(int)> h;  // expected H(k) for k = 0 .. 2048, from the response's formula
};

class FilterResponses : public ::testing::TestWithParam<ResponseCase> {};

TEST_P(FilterResponses, MatchTheirFormulaAndMirror) {
  const ResponseCase& c = GetParam();
  for (bool conjugate : {false, true}) {
    Block response;
    response.fill(7.0);
    EXPECT_TRUE(designResponse(c.type, c.parameter, c.codeRate, c.bits, response, conjugate));
    for (int k = 0; k < 4096; ++k) {
      const double expected = c.h(k <= 2048 ? k : 4096 - k);
      ASSERT_NEAR(response[2 * k], expected, 1e-12) << c.name << " bin " << k;
      ASSERT_EQ(response[2 * k + 1], 0.0) << c.name << " bin " << k;
    }
    EXPECT_EQ(response[8192], 7.0) << "element 8192 is never written";
  }
}

std::function<double(int)> flat(int last) {
  return [last](int k) { return k <= last ? 1.0 : 0.0; };
}

// Flat to flatEnd, the half-cosine taper to taperEnd, zero above; bins worked out from the
// rounding of (1 -+ alpha) * 64 / M by hand.
std::function<double(int)> cosine(double percent, int m, int flatEnd, int taperEnd, bool root) {
  return [=](int k) {
    if (k <= flatEnd) return 1.0;
    if (k > taperEnd) return 0.0;
    const double a = percent / 100;
    const double c = 0.5 + 0.5 * std::cos(kPiLiteral * (k - (1 - a) * 64 / m) / (128 * a / m));
    return root ? std::sqrt(c) : c;
  };
}

std::function<double(int)> gaussian(double w) {
  return [w](int k) { return std::exp(-0.5 * (k / w) * (k / w)); };
}

using F = FilterType;
INSTANTIATE_TEST_SUITE_P(
    EveryType, FilterResponses,
    ::testing::Values(
        ResponseCase{"none", F::None, 0, 1, 1, flat(4096)},
        ResponseCase{"ofdm", F::OFDM, 0, 4, 3, flat(4096)},
        ResponseCase{"steep 0.5 b1", F::SteepCutoff, 0.5, 1, 1, flat(63)},
        ResponseCase{"steep 0.5 b1 M4 (edge not divided by M)", F::SteepCutoff, 0.5, 4, 1, flat(63)},
        ResponseCase{"steep 0.35 b3", F::SteepCutoff, 0.35, 1, 3, flat(133)},  // Int(1.05*128-1)
        ResponseCase{"steep 0.1 b1", F::SteepCutoff, 0.1, 1, 1, flat(11)},
        ResponseCase{"steep 6 b4 past the mirror", F::SteepCutoff, 6, 1, 4, flat(4096)},
        ResponseCase{"rc 35 M1", F::RaisedCosine, 35, 1, 1, cosine(35, 1, 41, 85, false)},
        ResponseCase{"rc 35 M2", F::RaisedCosine, 35, 2, 1, cosine(35, 2, 20, 42, false)},
        ResponseCase{"rc 100 M1", F::RaisedCosine, 100, 1, 2, cosine(100, 1, -1, 127, false)},
        ResponseCase{"rc 50 M1", F::RaisedCosine, 50, 1, 1, cosine(50, 1, 31, 95, false)},
        ResponseCase{"rc 10 M4", F::RaisedCosine, 10, 4, 1, cosine(10, 4, 13, 17, false)},
        ResponseCase{"rc 1 M1", F::RaisedCosine, 1, 1, 1, cosine(1, 1, 62, 64, false)},
        ResponseCase{"rrc 35 M1", F::RootRC, 35, 1, 1, cosine(35, 1, 41, 85, true)},
        ResponseCase{"rrc 100 M2", F::RootRC, 100, 2, 1, cosine(100, 2, -1, 63, true)},
        ResponseCase{"gauss 0.5 b1 M1", F::Gaussian, 0.5, 1, 1, gaussian(64)},
        ResponseCase{"gauss 2 b2 M4", F::Gaussian, 2, 4, 2, gaussian(128)},
        ResponseCase{"gauss 6 b4 M1", F::Gaussian, 6, 1, 4, gaussian(3072)},
        ResponseCase{"matched on the transmit side", F::Matched, 0, 1, 1, flat(-1)}));

TEST(FilterDesign, QuotedEdgeValues) {
  Block r{};
  designResponse(FilterType::RaisedCosine, 35, 1, 1, r, false);
  EXPECT_NEAR(r[2 * 42], 0.9998, 1e-4);
  EXPECT_NEAR(r[2 * 64], 0.5, 1e-12);
  EXPECT_NEAR(r[2 * 85], 0.0024, 1e-4);
  designResponse(FilterType::RaisedCosine, 35, 2, 1, r, false);
  EXPECT_NEAR(r[2 * 21], 0.9998, 1e-4);
  designResponse(FilterType::RootRC, 35, 1, 1, r, false);
  EXPECT_NEAR(r[2 * 64], std::sqrt(0.5), 1e-12);
  designResponse(FilterType::Gaussian, 0.5, 1, 1, r, false);
  EXPECT_NEAR(r[2 * 64], std::exp(-0.5), 1e-12);
  EXPECT_NEAR(r[2 * 128], std::exp(-2.0), 1e-12);
}

TEST(FilterDesign, UnknownTypeIsReportedAndZero) {
  Block r;
  r.fill(3.0);
  EXPECT_FALSE(designResponse(filterTypeFromText("Butterworth"), 1, 1, 1, r, true));
  for (int i = 0; i < 8192; ++i) ASSERT_EQ(r[i], 0.0) << i;
  EXPECT_EQ(filterTypeFromText("raised cosine"), FilterType::Unknown);
  EXPECT_EQ(filterTypeFromText("Root RC"), FilterType::RootRC);
}

TEST(FilterDesign, MatchedIsTheConjugate) {
  Block tx{}, rx{};
  for (int i = 0; i < 8192; ++i) tx[i] = std::sin(0.37 * i);
  matchedResponse(tx, rx);
  for (int k = 0; k < 4096; ++k) ASSERT_EQ(at(rx, k), std::conj(at(tx, k))) << k;
}

// Values that only direct assignment of the state can produce still keep every bin finite.
TEST(FilterDesign, OutOfRangeInputsStayFinite) {
  Block r{};
  for (FilterType type : {F::SteepCutoff, F::RaisedCosine, F::RootRC, F::Gaussian})
    for (double parameter : {-1e300, 0.0, 1e300})
      for (int m : {-3, 0, 1000})
        for (double b : {0.0, -2.0, 1e300, static_cast<double>(NAN)}) {
          designResponse(type, parameter, m, b, r, false);
          for (double v : r) ASSERT_TRUE(std::isfinite(v));
        }
}

}  // namespace
}  // namespace linklab
