#include "transmitter/rf_amplifier.h"

#include <gtest/gtest.h>

#include <cmath>

#include "transmitter/test_blocks.h"
#include "transmitter/uniform_random.h"

namespace linklab {
namespace {

using namespace linklab::testing;

struct AmpCase {
  double r;       // input amplitude
  double a;       // output amplitude from the range's formula, worked by hand
  double phi;     // input phase
};

class AmplifierRanges : public ::testing::TestWithParam<AmpCase> {};

TEST_P(AmplifierRanges, AmplitudeAndPhaseFollowTheModel) {
  const AmpCase& c = GetParam();
  Block signal{};
  for (int n = 0; n < 4096; ++n) put(signal, n, std::polar(c.r, c.phi));
  const Block before = signal;
  amplify(signal, 0);
  const double turn = -std::pow(1 - c.r / (c.a + 0.001), 2);
  const cd expected = c.a * std::polar(1.0, c.phi + turn);
  for (int n = 32; n < 4064; ++n) ASSERT_NEAR(std::abs(at(signal, n) - expected), 0, 1e-12) << n;
  for (int n : {0, 31, 4064, 4095}) EXPECT_EQ(at(signal, n), at(before, n)) << "first/last symbol";
}

INSTANTIATE_TEST_SUITE_P(
    ThreeRanges, AmplifierRanges,
    ::testing::Values(AmpCase{0.5, 0.5, 0.3}, AmpCase{0.9, 0.9, 2.5},        // linear range
                      AmpCase{2.0, 2.8, -1.0}, AmpCase{1.0, 1.0, 0.0},       // 2 - 0.8 + 1.6; joins at 1
                      AmpCase{1.5, 1.5 - 0.45 + 0.675, -2.9},               // compressive range
                      AmpCase{0.2, 0.0464, 1.2}, AmpCase{0.1, -0.0584, -2.0},  // reversed below ~0.156
                      AmpCase{0.4, 0.4, 3.0}, AmpCase{0.399, 0.16 * 0.399 * 0.399 + 0.399 - 0.16, 0.7}));

TEST(Amplifier, EdgeValuesOfTheModel) {
  EXPECT_NEAR(amplifierAmplitude(2.0), 2.8, 1e-12);
  EXPECT_NEAR(amplifierPhase(0, 2.0, 2.8), -0.0818, 1e-4);
  EXPECT_NEAR(amplifierPhase(0, 0.5, 0.5), -4e-6, 1e-7);
  EXPECT_NEAR(amplifierPhase(0, 0.2, 0.0464), -10.36, 0.01);
  EXPECT_NEAR(amplifierPhase(0, 0.1, -0.0584), -7.52, 0.01);
  // a zero denominator has no phase term to add, and nothing becomes infinite
  EXPECT_EQ(amplifierPhase(0.25, 0.155, -0.001), 0.25);
}

TEST(Amplifier, ZeroSampleTurnsByOneRadian) {
  Block signal{};
  amplify(signal, 0);
  EXPECT_NEAR(std::abs(at(signal, 100) - (-0.16) * std::polar(1.0, -1.0)), 0, 1e-15);
  EXPECT_EQ(at(signal, 10), cd(0));
}

// On the imaginary axis the phase is +-pi/2 without a division by the zero real part.
TEST(Amplifier, PurelyImaginaryInputs) {
  for (double im : {0.3, -0.3}) {
    Block signal{};
    for (int n = 0; n < 4096; ++n) put(signal, n, cd(0, im));
    amplify(signal, 0);
    const double a = 0.16 * 0.09 + 0.3 - 0.16;  // 0.1544
    const double theta = std::copysign(M_PI / 2, im) - std::pow(1 - 0.3 / (a + 0.001), 2);
    EXPECT_NEAR(std::abs(at(signal, 1000) - a * std::polar(1.0, theta)), 0, 1e-12) << im;
  }
}

// With an offset the I of sample i and the Q of sample i + offset form one input.
TEST(Amplifier, PairsTheDelayedQuadratureRail) {
  UniformRandom rnd;
  Block signal{};
  for (double& v : signal) v = 3 * rnd.next() - 1.5;
  Block out = signal;
  amplify(out, 16);
  for (int i = 32; i < 4064; ++i) {
    const cd in(signal[2 * i], signal[2 * (i + 16) + 1]);
    const double r = std::abs(in);
    const double a = r < 0.4 ? 0.16 * r * r + r - 0.16 : r < 1 ? r : r - r * r / 5 + r * r * r / 5;
    const cd expected = a * std::polar(1.0, std::arg(in) - std::pow(1 - r / (a + 0.001), 2));
    ASSERT_NEAR(out[2 * i], expected.real(), 1e-12) << i;
    ASSERT_NEAR(out[2 * (i + 16) + 1], expected.imag(), 1e-12) << i;
  }
  for (int i : {0, 31, 4064, 4095}) EXPECT_EQ(out[2 * i], signal[2 * i]);
  for (int i = 0; i < 48; ++i) ASSERT_EQ(out[2 * i + 1], signal[2 * i + 1]) << "Q before the first pair";
}

TEST(Amplifier, OffsetOutsideASymbolIsHeldInsideTheBlock) {
  Block a{}, b{};
  for (int n = 0; n < 4096; ++n) put(a, n, cd(0.3 + n * 1e-4, -0.2));
  b = a;
  amplify(a, 5000);  // would read and write far past the block
  amplify(b, 32);
  EXPECT_EQ(a, b);
}

}  // namespace
}  // namespace linklab
