#include "transmitter/noise.h"

#include <gtest/gtest.h>

#include <cmath>

#include "transmitter/test_blocks.h"

namespace linklab {
namespace {

using namespace linklab::testing;

struct AmplitudeCase {
  double level, bits, expected;
};
class NoiseAmplitude : public ::testing::TestWithParam<AmplitudeCase> {};
TEST_P(NoiseAmplitude, FollowsLevelAndBitsPerSymbol) {
  EXPECT_NEAR(noiseAmplitude(GetParam().level, GetParam().bits), GetParam().expected, 1e-12);
}
INSTANTIATE_TEST_SUITE_P(
    Levels, NoiseAmplitude,
    ::testing::Values(AmplitudeCase{1.0, 1, std::sqrt(3.2) / std::sqrt(2.0)},   // 1.265
                      AmplitudeCase{1.0, 4, 4 * std::sqrt(3.2) / std::sqrt(2.0)},
                      AmplitudeCase{0.1, 2, std::sqrt(0.32) * 2 / std::sqrt(2.0)},
                      AmplitudeCase{0.0, 3, 0.0}, AmplitudeCase{-5.0, 1, 0.0},
                      AmplitudeCase{1e300, 1, std::sqrt(kMaxNoiseLevel * 3.2) / std::sqrt(2.0)}));

// The standard deviation estimated from 4096 samples per component has a relative spread of
// about 1/sqrt(2*4096) = 1.1 %; 8 % is seven of those, and the seed is fixed anyway.
TEST(Noise, PolarMethodGivesTheAskedDeviation) {
  for (double amplitude : {1.0, 5.06}) {
    UniformRandom rnd;
    Block noise{};
    gaussianNoise(noise, amplitude, rnd);
    for (int part = 0; part < 2; ++part) {
      double sum = 0, squares = 0;
      for (int k = 0; k < 4096; ++k) {
        const double v = noise[2 * k + part];
        ASSERT_TRUE(std::isfinite(v));
        sum += v;
        squares += v * v;
      }
      const double mean = sum / 4096;
      EXPECT_NEAR(mean, 0.0, 7 * amplitude / 64);
      EXPECT_NEAR(std::sqrt(squares / 4096 - mean * mean), amplitude, 0.08 * amplitude);
    }
  }
}

// The shaping is a complex product per bin: a gain of i everywhere turns the noise by 90 degrees.
TEST(Noise, ShapingMultipliesByTheComplexResponse) {
  UniformRandom rnd, again;
  Block noise{}, reference{}, filtered{}, tx{}, rx{};
  gaussianNoise(noise, 1.0, rnd);
  gaussianNoise(reference, 1.0, again);
  Block response{};
  for (int k = 0; k < 4096; ++k) response[2 * k + 1] = 1.0;
  for (int n = 0; n < 4096; ++n) put(tx, n, cd(0.5, -0.25));
  addShapedNoise(noise, response, filtered, tx, rx);
  for (int n = 0; n < 4096; ++n)
    ASSERT_NEAR(std::abs(at(rx, n) - (cd(0.5, -0.25) + cd(0, 1) * at(reference, n))), 0, 1e-12) << n;
}

TEST(Noise, StopBandOfTheResponseCarriesNoNoise) {
  UniformRandom rnd;
  Block noise{}, filtered{}, tx{}, rx{}, response{};
  gaussianNoise(noise, 1.0, rnd);
  for (int k = 0; k < 64; ++k) response[2 * k] = 1.0;
  addShapedNoise(noise, response, filtered, tx, rx);
  for (int k : {64, 100, 2048, 4095}) {
    cd x = 0;
    for (int n = 0; n < 4096; ++n) x += at(rx, n) * std::polar(1.0, 2 * M_PI * ((n * k) % 4096) / 4096.0);
    EXPECT_NEAR(std::abs(x), 0.0, 1e-9) << k;
  }
}

}  // namespace
}  // namespace linklab
