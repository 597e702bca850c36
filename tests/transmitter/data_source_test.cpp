#include "transmitter/data_source.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <algorithm>

namespace linklab {
namespace {

using Bits = std::array<int16_t, 513>;

struct PatternCase {
  const char* text;
  int16_t codeRate;
  int group;       // entries 0..511 come in equal groups of this size (0: not random)
  int16_t fill;    // constant value of a non-random pattern, -1 otherwise
};

class DataPatterns : public ::testing::TestWithParam<PatternCase> {};

TEST_P(DataPatterns, PatternFramingAndRate) {
  const PatternCase& c = GetParam();
  UniformRandom rnd;
  Bits bits;
  bits.fill(7);  // anything the pattern leaves unwritten stays 7
  const int16_t rate = makeDataBits(dataPatternFromText(c.text), bits, rnd);
  EXPECT_EQ(rate, c.codeRate);
  EXPECT_EQ(bits[512], 7) << "entry 512 is never written";
  const int16_t frame = c.fill == 1 ? 1 : 0;
  EXPECT_EQ(bits[0], frame);
  EXPECT_EQ(bits[511], frame);
  if (c.fill >= 0) {
    for (int i = 0; i < 512; ++i) ASSERT_EQ(bits[i], c.fill) << i;
    return;
  }
  int ones = 0;
  for (int i = 0; i < 512; ++i) {
    ASSERT_TRUE(bits[i] == 0 || bits[i] == 1) << i;
    ones += bits[i];
    // Equal within every group, apart from the two framing entries.
    const int first = i - i % c.group;
    if (i != 0 && i != 511 && first != 0 && i % c.group != 0) {
      ASSERT_EQ(bits[i], bits[first]) << i;
    }
  }
  // 512/group independent fair bits: far outside 25%..75% ones would take > 5 sigma.
  EXPECT_GT(ones, 128);
  EXPECT_LT(ones, 384);
}

INSTANTIATE_TEST_SUITE_P(
    Catalogue, DataPatterns,
    ::testing::Values(PatternCase{"Random Data", 1, 1, -1}, PatternCase{"Random 1/2 Rate", 2, 2, -1},
                      PatternCase{"Random 1/4 Rate", 4, 4, -1}, PatternCase{"All Zeros", 1, 0, 0},
                      PatternCase{"All Ones", 1, 0, 1}));

TEST(DataSource, UnknownPatternWritesOnlyTheFrame) {
  UniformRandom rnd;
  Bits bits;
  bits.fill(1);
  EXPECT_EQ(makeDataBits(dataPatternFromText("random data"), bits, rnd), 1);
  EXPECT_EQ(bits[0], 0);
  EXPECT_EQ(bits[511], 0);
  for (int i = 1; i < 511; ++i) ASSERT_EQ(bits[i], 1) << i;
}

// Exponential runs, checked against the run lengths drawn from a second generator of the same seed.
TEST(DataSource, ExponentialRunsFollowTheirDraws) {
  UniformRandom rnd, mirror;
  Bits bits;
  bits.fill(1);  // as if "All Ones" ran before
  EXPECT_EQ(makeDataBits(DataPattern::ExponentialRuns, bits, rnd), 1);
  int16_t b = mirror.next() > 0.5 ? 1 : 0;
  int i = 0;
  while (i < 512) {
    const int length = static_cast<int>(std::floor(1.0 - 4.0 * std::log(mirror.next())));
    ASSERT_GE(length, 1);
    // A run covers i .. i+L-1 in the end: the next run overwrites its last entry i+L.
    for (int k = std::max(i, 1); k < i + length && k < 128; ++k) ASSERT_EQ(bits[k], b) << k;
    b = static_cast<int16_t>(1 - b);
    i += length;
  }
  EXPECT_EQ(rnd.next(), mirror.next()) << "both generators drew the same number of values";
  EXPECT_EQ(bits[0], 0);
  for (int k = 128; k < 511; ++k) ASSERT_EQ(bits[k], 1) << k;
  EXPECT_EQ(bits[511], 0);
}

// The seed whose draw number `which` (1-based) is exactly 0: the output is state * M >> 11, so a
// state of M^-1 gives 1 >> 11 = 0; step back through the xorshift to the seed.
uint64_t seedWithZeroDraw(int which) {
  uint64_t inv = 1;  // inverse of the odd multiplier mod 2^64 by Newton's iteration
  const uint64_t m = 0x2545F4914F6CDD1DULL;
  for (int i = 0; i < 6; ++i) inv *= 2 - m * inv;
  auto undoRightShift = [](uint64_t y, int s) {
    uint64_t x = y;
    for (int i = 0; i < 64 / s + 1; ++i) x = y ^ (x >> s);
    return x;
  };
  auto undoLeftShift = [](uint64_t y, int s) {
    uint64_t x = y;
    for (int i = 0; i < 64 / s + 1; ++i) x = y ^ (x << s);
    return x;
  };
  uint64_t state = inv;
  for (int i = 0; i < which; ++i)
    state = undoRightShift(undoLeftShift(undoRightShift(state, 27), 25), 12);
  return state;
}

TEST(DataSource, ADrawOfZeroNeverReachesTheLogarithm) {
  UniformRandom rnd(seedWithZeroDraw(1));
  UniformRandom probe(seedWithZeroDraw(1));
  ASSERT_EQ(probe.next(), 0.0) << "the crafted seed really draws 0 first";
  EXPECT_GT(positiveDraw(rnd), 0.0);

  // The second draw (the first run length) is 0: the runs must still be finite and well formed.
  UniformRandom runs(seedWithZeroDraw(2));
  Bits bits{};
  makeDataBits(DataPattern::ExponentialRuns, bits, runs);
  for (int k = 0; k < 128; ++k) ASSERT_TRUE(bits[k] == 0 || bits[k] == 1);
}

}  // namespace
}  // namespace linklab
