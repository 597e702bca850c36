#include "transmitter/tx_shaping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "main_window/form1.h"
#include "transmitter/test_blocks.h"
#include "transmitter/uniform_random.h"

namespace linklab {
namespace {

using namespace linklab::testing;
using Symbols = std::array<double, 257>;

Symbols distinctSymbols() {
  Symbols sym{};
  for (int s = 0; s < 128; ++s) {
    sym[2 * s] = s + 1;
    sym[2 * s + 1] = -0.5 * s;
  }
  return sym;
}

TEST(TxShaping, RectangularPulsesCoverTheSymbolCentredSpan) {
  const Symbols sym = distinctSymbols();
  Block signal;
  signal.fill(5.0);
  placeSymbols(sym, PulseShape::Rectangular, signal);
  for (int n = 0; n < 4096; ++n) {
    const int s = ((n + 16) / 32) % 128;  // samples 32s-16 .. 32s+15 belong to s; 4080.. to 0
    ASSERT_EQ(at(signal, n), cd(sym[2 * s], sym[2 * s + 1])) << n;
  }
}

TEST(TxShaping, ImpulsesCarryThirtyTwoTimesTheSymbol) {
  const Symbols sym = distinctSymbols();
  Block signal;
  signal.fill(5.0);
  placeSymbols(sym, PulseShape::Impulse, signal);
  for (int n = 0; n < 4096; ++n) {
    const cd expected = n % 32 ? cd(0) : 32.0 * cd(sym[n / 16], sym[n / 16 + 1]);
    ASSERT_EQ(at(signal, n), expected) << n;
  }
}

TEST(TxShaping, UnitResponseReturnsTheRectangularTrain) {
  const Symbols sym = distinctSymbols();
  Block train, signal, spectrum{};
  placeSymbols(sym, PulseShape::Rectangular, train);
  signal = train;
  filterThroughResponse(signal, spectrum, unitResponse());
  cd sum = 0;
  for (int n = 0; n < 4096; ++n) {
    ASSERT_NEAR(std::abs(at(signal, n) - at(train, n)), 0.0, 1e-9) << n;
    sum += at(train, n);
  }
  EXPECT_NEAR(std::abs(at(spectrum, 0) - sum), 0.0, 1e-7) << "spectrum keeps the transform";
}

struct CountCase {
  double typed;
  int used;
};
class SubcarrierCount : public ::testing::TestWithParam<CountCase> {};
TEST_P(SubcarrierCount, IsAPowerOfTwoThatDividesTheBlock) {
  EXPECT_EQ(ofdmSubcarrierCount(GetParam().typed), GetParam().used);
}
INSTANTIATE_TEST_SUITE_P(
    Typed, SubcarrierCount,
    ::testing::Values(CountCase{2, 2}, CountCase{4, 4}, CountCase{8, 8}, CountCase{16, 16},
                      CountCase{64, 64}, CountCase{1, 1}, CountCase{128, 128}, CountCase{3, 2},
                      CountCase{5, 4}, CountCase{6, 4}, CountCase{7, 8}, CountCase{12, 8},
                      CountCase{13, 16}, CountCase{96, 64}, CountCase{100, 128}, CountCase{0, 1},
                      CountCase{-20, 1}, CountCase{129, 128}, CountCase{1e300, 128},
                      CountCase{2.5, 2}, CountCase{3.5, 4}, CountCase{15.6, 16}));

// An OFDM frame: undo the centring, then each block's forward DFT (written out here, not the FFT)
// gives back its symbols; a frame that repeats one block has energy only on the centred
// subcarrier bins.
class OfdmFrame : public ::testing::TestWithParam<int> {};

TEST_P(OfdmFrame, CarriesItsSymbolsOnTheCentredBins) {
  const int nsc = GetParam();
  const int len = 32 * nsc;
  const double gain = 32 * std::sqrt(nsc / 2.0);
  const int shift = std::lround(std::nearbyint(64 - 64.0 / nsc));  // halves to even: 128 -> 64
  UniformRandom rnd;
  Symbols sym{};
  for (int s = 0; s < 128; ++s) {  // unit-power symbols at random angles
    sym[2 * s] = std::cos(2 * M_PI * rnd.next());
    sym[2 * s + 1] = std::sin(2 * M_PI * (rnd.next()));
    const double r = std::hypot(sym[2 * s], sym[2 * s + 1]);
    sym[2 * s] /= r;
    sym[2 * s + 1] /= r;
  }
  Block signal, spectrum, work;
  work.fill(3.0);
  ofdmModulate(sym, nsc, signal, spectrum, work);

  double power = 0;
  for (int b = 0; b < 128 / nsc; ++b)
    for (int c = 0; c < nsc; ++c) {
      cd x = 0;
      for (int tau = 0; tau < len; ++tau) {
        const int n = b * len + tau;
        const cd raw = at(signal, n) * std::polar(1.0, -2 * M_PI * n * shift / 4096.0);
        x += raw * std::polar(1.0, 2 * M_PI * c * tau / len);
      }
      const int s = b * nsc + c;
      ASSERT_NEAR(std::abs(x / gain - cd(sym[2 * s], sym[2 * s + 1])), 0.0, 1e-9) << b << " " << c;
    }
  for (int n = 0; n < 4096; ++n) power += std::norm(at(signal, n));
  EXPECT_NEAR(power / 4096, 0.5, 1e-9) << "unit-power symbols give mean power 1/2";

  // Same symbols in every block: a periodic frame, so only the subcarrier bins are non-zero.
  for (int s = nsc; s < 128; ++s) {
    sym[2 * s] = sym[2 * (s % nsc)];
    sym[2 * s + 1] = sym[2 * (s % nsc) + 1];
  }
  ofdmModulate(sym, nsc, signal, spectrum, work);
  Block expected{};
  for (int c = 0; c < nsc; ++c)
    put(expected, ((c * 128 / nsc - shift) % 4096 + 4096) % 4096,
        cd(sym[2 * c], sym[2 * c + 1]) * 4096.0 / std::sqrt(2.0 * nsc));
  for (int k = 0; k < 4096; ++k)
    ASSERT_NEAR(std::abs(at(spectrum, k) - at(expected, k)), 0.0, 1e-7) << k;
}

INSTANTIATE_TEST_SUITE_P(OfferedAndOtherCounts, OfdmFrame,
                         ::testing::Values(2, 4, 8, 16, 64, 1, 32, 128));

// Angle modulation over rectangular pulses: the phase moves by pi*h per symbol with the symbol's
// sign, at unit amplitude.
struct AngleCase {
  AngleMapping mapping;
  double h;
};
class AngleModulation : public ::testing::TestWithParam<AngleCase> {};

TEST_P(AngleModulation, AdvancesPiTimesIndexPerSymbol) {
  const auto [mapping, h] = GetParam();
  UniformRandom rnd;
  Symbols sym{};
  for (int s = 0; s < 128; ++s) sym[2 * s] = rnd.next() > 0.5 ? 1.0 : -1.0;
  Block signal, spectrum{};
  placeSymbols(sym, PulseShape::Rectangular, signal);
  filterThroughResponse(signal, spectrum, unitResponse());
  angleModulate(signal, h, mapping, spectrum);
  auto phaseAt = [&](int n) {  // MSK maps to (sin, -cos), FSK to (-cos, -sin)
    const cd z = at(signal, n);
    return mapping == AngleMapping::MSK ? std::atan2(z.real(), -z.imag())
                                        : std::atan2(-z.imag(), -z.real());
  };
  for (int n = 0; n < 4096; ++n) ASSERT_NEAR(std::abs(at(signal, n)), 1.0, 1e-12) << n;
  for (int s = 1; s < 127; ++s) {
    // over the 32 samples of symbol s's own pulse, 32s-16 .. 32s+15
    const double step = std::remainder(phaseAt(32 * s + 15) - phaseAt(32 * s - 17), 2 * M_PI);
    ASSERT_NEAR(step, sym[2 * s] * M_PI * h, 1e-9) << s;
  }
}

INSTANTIATE_TEST_SUITE_P(Keyings, AngleModulation,
                         ::testing::Values(AngleCase{AngleMapping::MSK, 0.5},
                                           AngleCase{AngleMapping::FSK, 0.5},
                                           AngleCase{AngleMapping::FSK, 0.3},
                                           AngleCase{AngleMapping::FSK, 0.9}));

TEST(TxShaping, PhaseOnlyKeepsTheScaledPhaseAndSpectrumOfTheMiddle) {
  Block signal{}, spectrum{};
  for (int n = 0; n < 4096; ++n) signal[2 * n] = 1.0;
  angleModulate(signal, 0.5, AngleMapping::PhaseOnly, spectrum);
  cd middle = 0;
  for (int n = 0; n < 4096; ++n) {
    ASSERT_NEAR(signal[2 * n], (15.0 + n) * 3.14159265358979 / 32, 1e-12) << n;
    ASSERT_EQ(signal[2 * n + 1], 0.0);
    if (n >= 256 && n < 3840) middle += at(signal, n);
  }
  EXPECT_NEAR(std::abs(at(spectrum, 0) - middle), 0.0, 1e-8);
}

TEST(TxShaping, AbsurdIndexStillGivesAFiniteUnitSignal) {
  Block signal{}, spectrum{};
  for (int n = 0; n < 4096; ++n) signal[2 * n] = 1.0;
  angleModulate(signal, 1e308, AngleMapping::FSK, spectrum);
  for (int n = 0; n < 4096; ++n) ASSERT_NEAR(std::abs(at(signal, n)), 1.0, 1e-12) << n;
  for (double v : spectrum) ASSERT_TRUE(std::isfinite(v));
}

}  // namespace
}  // namespace linklab
