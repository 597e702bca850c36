#include "transmitter/modulator.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "main_window/form1.h"

namespace linklab {
namespace {

constexpr double kP = 1.0 / 1.41421562;  // the diagonal value, not 1/sqrt(2)
constexpr double kT = 1.0 / 3.0;

struct MapCase {
  Modulation mod;
  std::vector<int16_t> bits;  // the bits of one symbol
  double i, q;                // its point on even symbols
  double oddI, oddQ;          // on odd symbols (differs only for pi/4-SQPSK)
};

class SymbolMap : public ::testing::TestWithParam<MapCase> {};

TEST_P(SymbolMap, EverySymbolOfARepeatedPatternLandsOnItsPoint) {
  const MapCase& c = GetParam();
  const int n = static_cast<int>(c.bits.size());
  std::array<int16_t, 513> bits{};
  for (int k = 0; k < 128 * n; ++k) bits[k] = c.bits[k % n];
  std::array<double, 257> sym;
  sym.fill(9.0);
  const ModulatorOutput out = modulate(c.mod, bits, 1.0, sym);
  EXPECT_EQ(out.bitsPerSymbol, n);
  for (int s = 0; s < 128; ++s) {
    ASSERT_DOUBLE_EQ(sym[2 * s], s % 2 ? c.oddI : c.i) << s;
    ASSERT_DOUBLE_EQ(sym[2 * s + 1], s % 2 ? c.oddQ : c.q) << s;
  }
  EXPECT_EQ(sym[256], 9.0) << "element 256 is never written";
}

MapCase same(Modulation m, std::vector<int16_t> b, double i, double q) { return {m, b, i, q, i, q}; }

using M = Modulation;
INSTANTIATE_TEST_SUITE_P(
    AllModulations, SymbolMap,
    ::testing::Values(
        same(M::OOK, {0}, 0, 0), same(M::OOK, {1}, 1, 0), same(M::AM50, {0}, 0.5, 0),
        same(M::AM50, {1}, 1, 0), same(M::BPSK, {0}, -1, 0), same(M::BPSK, {1}, 1, 0),
        same(M::FSK, {0}, -1, 0), same(M::FSK, {1}, 1, 0), same(M::MSK, {0}, -1, 0),
        same(M::MSK, {1}, 1, 0),
        // four-phase: I from bit 2s, Q from bit 2s+1
        same(M::QPSK, {0, 0}, -kP, -kP), same(M::QPSK, {0, 1}, -kP, kP), same(M::QPSK, {1, 0}, kP, -kP),
        same(M::QPSK, {1, 1}, kP, kP), same(M::OQPSK, {1, 0}, kP, -kP), same(M::OQPSK, {0, 1}, -kP, kP),
        // pi/4-SQPSK: odd symbols turned by +45 degrees onto the axes
        MapCase{M::Pi4SQPSK, {1, 1}, kP, kP, 0, 1}, MapCase{M::Pi4SQPSK, {1, 0}, kP, -kP, 1, 0},
        MapCase{M::Pi4SQPSK, {0, 1}, -kP, kP, -1, 0}, MapCase{M::Pi4SQPSK, {0, 0}, -kP, -kP, 0, -1},
        // 8-PSK in Gray order around the circle: 000 0, 001 45, 011 90, 010 135, 110 180, ...
        same(M::PSK8, {0, 0, 0}, 1, 0), same(M::PSK8, {0, 0, 1}, kP, kP), same(M::PSK8, {0, 1, 1}, 0, 1),
        same(M::PSK8, {0, 1, 0}, -kP, kP), same(M::PSK8, {1, 1, 0}, -1, 0),
        same(M::PSK8, {1, 1, 1}, -kP, -kP), same(M::PSK8, {1, 0, 1}, 0, -1),
        same(M::PSK8, {1, 0, 0}, kP, -kP),
        // 16-QAM: I sign from b1, size from b3; Q sign from b0, size from b2
        same(M::QAM16, {0, 0, 0, 0}, kT, kT), same(M::QAM16, {0, 0, 0, 1}, 1, kT),
        same(M::QAM16, {0, 0, 1, 0}, kT, 1), same(M::QAM16, {0, 0, 1, 1}, 1, 1),
        same(M::QAM16, {0, 1, 0, 0}, -kT, kT), same(M::QAM16, {0, 1, 0, 1}, -1, kT),
        same(M::QAM16, {0, 1, 1, 0}, -kT, 1), same(M::QAM16, {0, 1, 1, 1}, -1, 1),
        same(M::QAM16, {1, 0, 0, 0}, kT, -kT), same(M::QAM16, {1, 0, 0, 1}, 1, -kT),
        same(M::QAM16, {1, 0, 1, 0}, kT, -1), same(M::QAM16, {1, 0, 1, 1}, 1, -1),
        same(M::QAM16, {1, 1, 0, 0}, -kT, -kT), same(M::QAM16, {1, 1, 0, 1}, -1, -kT),
        same(M::QAM16, {1, 1, 1, 0}, -kT, -1), same(M::QAM16, {1, 1, 1, 1}, -1, -1)));

// Neighbouring points of the Gray maps, as the modulator places them, differ in exactly one bit.
std::array<double, 2> pointOf(Modulation mod, int v, int n) {
  std::array<int16_t, 513> bits{};
  for (int k = 0; k < n; ++k) bits[k] = static_cast<int16_t>((v >> (n - 1 - k)) & 1);
  std::array<double, 257> sym{};
  modulate(mod, bits, 0, sym);
  return {sym[0], sym[1]};
}

TEST(Modulator, GrayNeighboursDifferInOneBit) {
  std::array<int, 8> byAngle;
  byAngle.fill(-1);
  for (int v = 0; v < 8; ++v) {
    const auto [i, q] = pointOf(Modulation::PSK8, v, 3);
    EXPECT_NEAR(std::hypot(i, q), 1.0, 1e-5);
    const long step = std::lround(std::atan2(q, i) / (M_PI / 4));
    byAngle[(step + 8) % 8] = v;
  }
  for (int k = 0; k < 8; ++k) {
    ASSERT_GE(byAngle[k], 0) << "one point every 45 degrees";
    EXPECT_EQ(__builtin_popcount(byAngle[k] ^ byAngle[(k + 1) % 8]), 1) << k;
  }
  for (int v = 0; v < 16; ++v)
    for (int w = 0; w < 16; ++w) {
      const auto a = pointOf(Modulation::QAM16, v, 4), b = pointOf(Modulation::QAM16, w, 4);
      const double d = std::hypot(a[0] - b[0], a[1] - b[1]);
      if (std::abs(d - 2.0 / 3.0) < 1e-12) {
        EXPECT_EQ(__builtin_popcount(v ^ w), 1) << v << " " << w;
      }
    }
}

TEST(Modulator, QpskUsesTheLiteralDivisor) {
  std::array<int16_t, 513> bits{};
  bits[0] = 1;  // (bit 1, bit 0) -> (+, -)
  std::array<double, 257> sym{};
  modulate(Modulation::QPSK, bits, 0, sym);
  EXPECT_NEAR(sym[0], 0.70710575, 1e-8);
  EXPECT_NEAR(sym[1], -0.70710575, 1e-8);
  EXPECT_GT(std::abs(sym[0] - 1 / std::sqrt(2.0)), 1e-6);
}

TEST(Modulator, OnlyTheBitsOfTheBlockCount) {
  std::array<int16_t, 513> a{}, b{};
  for (int k = 384; k < 513; ++k) b[k] = 1;
  std::array<double, 257> sa{}, sb{};
  modulate(Modulation::PSK8, a, 0, sa);
  modulate(Modulation::PSK8, b, 0, sb);
  EXPECT_EQ(sa, sb) << "8-PSK reads bits 0..383 only";
}

TEST(Modulator, UnknownTextWritesNothing) {
  std::array<int16_t, 513> bits{};
  std::array<double, 257> sym;
  sym.fill(0.25);
  const ModulatorOutput out = modulate(modulationFromText("bpsk"), bits, 0, sym);
  EXPECT_EQ(out.bitsPerSymbol, 1.0);
  EXPECT_FALSE(out.setsFskIndex);
  for (double v : sym) ASSERT_EQ(v, 0.25);
}

struct FskCase {
  const char* mod;
  const char* text;
  double index;
};
class FskIndex : public ::testing::TestWithParam<FskCase> {};

TEST_P(FskIndex, ComesFromTheTextBoxForFskOnly) {
  auto form = std::make_unique<Form1>();
  form->cmbMod[0].setText(GetParam().mod);
  form->txtFSK.setText(GetParam().text);
  form->dFSKIndex = -7;
  form->modulateData();
  EXPECT_EQ(form->dFSKIndex, GetParam().index);
  EXPECT_EQ(form->dBitsPerSymbol, 1.0);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FskIndex,
    ::testing::Values(FskCase{"FSK", "1", 1.0}, FskCase{"FSK", "0.5", 0.5}, FskCase{"FSK", "abc", 0.0},
                      FskCase{"MSK", "3", 0.5}, FskCase{"BPSK", "3", -7},
                      // an absurd typed index is held so the integrated phase stays finite
                      FskCase{"FSK", "1e300", kMaxFskIndex}, FskCase{"FSK", "-1e300", -kMaxFskIndex}));

}  // namespace
}  // namespace linklab
