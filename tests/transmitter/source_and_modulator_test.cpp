#include "transmitter/data_source.h"
#include "transmitter/modulator.h"
#include "transmitter/test_blocks.h"

namespace linklab {
namespace {

using Bits = std::array<int16_t, 513>;

// Random patterns come in equal groups of `group` entries; the others hold `fill` (-1: random).
// A bit is 1 for a draw above one half: over 40 blocks (20400 / group fair draws) the share of
// ones stays within 5 sigma of one half.
struct PatternCase { const char* text; int16_t codeRate, group, fill; };

TEST(DataSource, PatternFramingRateAndExponentialRuns) {
  for (const PatternCase& c : std::vector<PatternCase>{{"Random Data", 1, 1, -1}, {"All Ones", 1, 1, 1},
                                                       {"Random 1/2 Rate", 2, 2, -1}, {"All Zeros", 1, 1, 0},
                                                       {"Random 1/4 Rate", 4, 4, -1}}) {
    SCOPED_TRACE(c.text);
    UniformRandom rnd;
    Bits bits;
    bits.fill(7);
    int ones = 0;
    for (int block = 0; block < 40; ++block) {
      EXPECT_EQ(makeDataBits(dataPatternFromText(c.text), bits, rnd), c.codeRate);
      EXPECT_EQ(bits[512], 7) << "entry 512 is never written";
      EXPECT_TRUE(bits[0] == (c.fill == 1) && bits[511] == (c.fill == 1)) << "framing";
      for (int i = 1; i < 511; ++i) {
        ASSERT_TRUE(c.fill < 0 ? bits[i] == 0 || bits[i] == 1 : bits[i] == c.fill) << i;
        ones += bits[i];
        ASSERT_TRUE(i < c.group || bits[i] == bits[i - i % c.group]) << "group of " << i;
      }
    }
    EXPECT_TRUE(c.fill >= 0 || std::abs(ones / 20400.0 - 0.5) < 2.5 / std::sqrt(20400.0 / c.group)) << ones;
  }
  // Runs of length floor(1 - 4 ln U) alternate from a first bit (U > 0.5), over entries 0..127;
  // the lengths are drawn again from a second generator of the same seed.
  UniformRandom rnd, mirror;
  Bits bits;
  bits.fill(1);
  EXPECT_EQ(makeDataBits(dataPatternFromText("Exponential Runs"), bits, rnd), 1);
  int16_t b = mirror.next() > 0.5 ? 1 : 0;
  for (int i = 0; i < 128; b = static_cast<int16_t>(1 - b)) {
    const int length = static_cast<int>(std::floor(1.0 - 4.0 * std::log(mirror.next())));
    for (int k = std::max(i, 1); k < i + length && k < 128; ++k) ASSERT_EQ(bits[k], b) << k;
    i += length;
  }
  EXPECT_EQ(bits[0], 0);
  for (int k = 128; k < 511; ++k) ASSERT_EQ(bits[k], 1) << k;
  EXPECT_EQ(bits[511], 0);
}

constexpr double kP = 1.0 / 1.41421562;  // the diagonal value, deliberately not 1/sqrt(2)
constexpr double kT = 1.0 / 3.0;

// The bits of one symbol, its point on even symbols, and on odd ones where they differ.
struct MapCase {
  Modulation mod;
  const char* bits;
  double i, q, oddI = NAN, oddQ = NAN;
};
using M = Modulation;
using C = MapCase;
// Exact equality: 1/1.41421562 and 1/sqrt(2) differ by far more than a few ulps.
TEST(SymbolMap, EverySymbolLandsOnItsPointAndEightPskGroupsPastSevenOn111) {
  std::vector<MapCase> cases{
      C{M::OOK, "0", 0, 0}, C{M::OOK, "1", 1, 0}, C{M::AM50, "0", 0.5, 0}, C{M::AM50, "1", 1, 0}, C{M::BPSK, "0", -1, 0},
      C{M::BPSK, "1", 1, 0}, C{M::FSK, "0", -1, 0}, C{M::FSK, "1", 1, 0}, C{M::MSK, "0", -1, 0}, C{M::MSK, "1", 1, 0},
      // four-phase: I from bit 2s, Q from bit 2s+1
      C{M::QPSK, "00", -kP, -kP}, C{M::QPSK, "01", -kP, kP}, C{M::QPSK, "10", kP, -kP}, C{M::QPSK, "11", kP, kP},
      C{M::OQPSK, "10", kP, -kP}, C{M::OQPSK, "01", -kP, kP},
      // pi/4-SQPSK: odd symbols turned by +45 degrees onto the axes
      C{M::Pi4SQPSK, "11", kP, kP, 0, 1}, C{M::Pi4SQPSK, "10", kP, -kP, 1, 0},
      C{M::Pi4SQPSK, "01", -kP, kP, -1, 0}, C{M::Pi4SQPSK, "00", -kP, -kP, 0, -1},
      // 8-PSK in Gray order around the circle: 000 0, 001 45, 011 90, 010 135, 110 180, ...
      C{M::PSK8, "000", 1, 0}, C{M::PSK8, "001", kP, kP}, C{M::PSK8, "011", 0, 1}, C{M::PSK8, "010", -kP, kP},
      C{M::PSK8, "110", -1, 0}, C{M::PSK8, "111", -kP, -kP}, C{M::PSK8, "101", 0, -1}, C{M::PSK8, "100", kP, -kP}};
  // 16-QAM: I sign from b1, size from b3; Q sign from b0, size from b2.
  static const char* const qam[16] = {"0000", "0001", "0010", "0011", "0100", "0101", "0110", "0111",
                                      "1000", "1001", "1010", "1011", "1100", "1101", "1110", "1111"};
  for (const char* b : qam)
    cases.push_back(C{M::QAM16, b, (b[1] == '1' ? -1 : 1) * (b[3] == '1' ? 1 : kT),
                      (b[0] == '1' ? -1 : 1) * (b[2] == '1' ? 1 : kT)});
  for (const MapCase& c : cases) {
    SCOPED_TRACE(std::to_string(int(c.mod)) + " " + c.bits);
    const int n = static_cast<int>(std::strlen(c.bits));
    std::array<int16_t, 513> bits{};
    for (int k = 0; k < 128 * n; ++k) bits[k] = c.bits[k % n] == '1';
    std::array<double, 257> sym;
    sym.fill(9.0);
    EXPECT_EQ(modulate(c.mod, bits, 1.0, sym).bitsPerSymbol, n);
    for (int s = 0; s < 128; ++s) {
      const bool odd = s % 2 && !std::isnan(c.oddI);
      ASSERT_DOUBLE_EQ(sym[2 * s], odd ? c.oddI : c.i) << s;
      ASSERT_DOUBLE_EQ(sym[2 * s + 1], odd ? c.oddQ : c.q) << s;
    }
    EXPECT_EQ(sym[256], 9.0) << "element 256 is never written";
  }
  // A script may let any bit value: 8-PSK takes a group past 7 as 7 (the point of 111), never reading
  // beyond its table.
  std::array<int16_t, 513> bits;
  bits.fill(2);
  std::array<double, 257> sym{};
  modulate(Modulation::PSK8, bits, 1.0, sym);
  for (int s = 0; s < 128; ++s) ASSERT_TRUE(sym[2 * s] == -kP && sym[2 * s + 1] == -kP) << s;
}

}  // namespace
}  // namespace linklab
