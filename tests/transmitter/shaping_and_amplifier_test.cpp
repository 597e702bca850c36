#include "transmitter/rf_amplifier.h"
#include "transmitter/test_blocks.h"
#include "transmitter/tx_shaping.h"
#include "transmitter/uniform_random.h"

namespace linklab {
namespace {

using namespace linklab::testing;
using Symbols = std::array<double, 257>;

// Symbol s covers samples 32s-16 .. 32s+15 (the tail 4080.. belongs to symbol 0); a unit
// response gives that train back.
TEST(TxShaping, UnitResponseReturnsTheRectangularTrain) {
  Symbols sym{};
  for (int s = 0; s < 128; ++s) sym[2 * s] = s + 1, sym[2 * s + 1] = -0.5 * s;
  Block signal, spectrum{};
  signal.fill(5.0);
  placeSymbols(sym, PulseShape::Rectangular, signal);
  filterThroughResponse(signal, spectrum, unitResponse());
  for (int n = 0; n < 4096; ++n) ASSERT_NEAR(std::abs(at(signal, n) - at(sym, (n + 16) / 32 % 128)), 0, 1e-9) << n;
}

// Undo the centring shift of 64 - 64/N bins, then each block's forward DFT (written out here,
// not the FFT kernel) gives back its N symbols, scaled by 32 sqrt(N/2).
TEST(OfdmFrame, CarriesItsSymbolsOnTheCentredBins) {
  for (const int nsc : {2, 4, 8, 16, 64}) {  // the offered counts
    const int len = 32 * nsc, shift = 64 - 64 / nsc;
    UniformRandom rnd;
    Symbols sym{};
    for (int s = 0; s < 128; ++s) sym[2 * s] = rnd.next() - 0.5, sym[2 * s + 1] = rnd.next() - 0.5;
    Block signal, spectrum, work;
    work.fill(7.0);  // scratch: whatever an earlier frame left in it
    ofdmModulate(sym, nsc, signal, spectrum, work);
    for (int b = 0; b < 128 / nsc; ++b) {
      double carried = 0, sent = 0;
      for (int c = 0; c < nsc; ++c) {
        cd x = 0;
        for (int tau = 0; tau < len; ++tau) {
          const int n = b * len + tau;
          x += at(signal, n) * std::polar(1.0, 2 * M_PI * (c * tau / double(len) - n * shift / 4096.0));
        }
        ASSERT_NEAR(std::abs(x / (32 * std::sqrt(nsc / 2.0)) - at(sym, b * nsc + c)), 0, 1e-9) << nsc << ": " << b << " " << c;
        carried += std::norm(x) / len;
      }
      // By Parseval the block holds nothing but its N subcarriers.
      for (int tau = 0; tau < len; ++tau) sent += std::norm(at(signal, b * len + tau));
      EXPECT_NEAR(sent, carried, 1e-9 * sent) << nsc << ": " << b;
    }
  }
}

// Angle modulation of a rectangular train: unit amplitude, and over each symbol's own 32
// samples the phase moves by pi * h with the symbol's sign.
TEST(AngleModulation, AdvancesPiTimesIndexPerSymbol) {
  for (const auto& [mapping, h] : {std::pair{AngleMapping::MSK, 0.5}, std::pair{AngleMapping::FSK, 0.3}}) {
    SCOPED_TRACE(h);
    UniformRandom rnd;
    Symbols sym{};
    for (int s = 0; s < 128; ++s) sym[2 * s] = rnd.next() > 0.5 ? 1.0 : -1.0;
    Block signal, spectrum{};
    placeSymbols(sym, PulseShape::Rectangular, signal);
    angleModulate(signal, h, mapping, spectrum);
    auto phaseAt = [&, msk = mapping == AngleMapping::MSK](int n) {  // MSK maps to (sin, -cos), FSK to (-cos, -sin)
      const cd z = at(signal, n);
      return msk ? std::atan2(z.real(), -z.imag()) : std::atan2(-z.imag(), -z.real());
    };
    for (int n = 0; n < 4096; ++n) ASSERT_NEAR(std::abs(at(signal, n)), 1.0, 1e-12) << n;
    // The phase starts from 15 pulse samples (32/2 - 1), that is 15 pi / 32 times the index.
    EXPECT_NEAR(std::remainder(phaseAt(0) - 15 * M_PI / 32 * h, 2 * M_PI), 0, 1e-12);
    // The spectrum is that of the middle of the frame: the first and last 256 samples left out.
    for (int k : {0, 5, 2048, 4000}) {
      cd bin = 0;
      for (int n = 256; n < 3840; ++n) bin += at(signal, n) * std::polar(1.0, 2 * M_PI * ((n * k) % 4096) / 4096.0);
      EXPECT_LT(std::abs(at(spectrum, k) - bin), 1e-8) << k;
    }
    for (int s = 1; s < 127; ++s) {
      const double step = std::remainder(phaseAt(32 * s + 15) - phaseAt(32 * s - 17), 2 * M_PI);
      ASSERT_NEAR(step, sym[2 * s] * M_PI * h, 1e-9) << s;
    }
  }
}

// Input amplitude, output amplitude worked by hand, input phase.
struct AmpCase { double r, a, phi; };

// Output a * e^(i(phi - (1 - r/(a + 0.001))^2)) on every sample but the first and last symbol.
// Linear from 0.4 to 1 (both joins included); r - r^2/5 + r^3/5 above 1; 0.16 r^2 + r - 0.16
// below 0.4, negative (reversed) below about 0.156.
TEST(Amplifier, AmplitudeAndPhaseFollowTheModelInAllThreeRanges) {
  for (const AmpCase& c : std::vector<AmpCase>{{0.5, 0.5, 0.3}, {0.9, 0.9, 2.5}, {0.4, 0.4, 3.0}, {1.0, 1.0, 0.0},
                                               {2.0, 2.8, -1.0}, {1.5, 1.725, -2.9}, {0.2, 0.0464, 1.2}, {0.1, -0.0584, -2.0}}) {
    SCOPED_TRACE(c.r);
    Block signal{};
    const cd in = std::polar(c.r, c.phi);
    for (int n = 0; n < 4096; ++n) signal[2 * n] = in.real(), signal[2 * n + 1] = in.imag();
    amplify(signal, 0);
    const cd expected = c.a * std::polar(1.0, c.phi - std::pow(1 - c.r / (c.a + 0.001), 2));
    for (int n = 32; n < 4064; ++n) ASSERT_NEAR(std::abs(at(signal, n) - expected), 0, 1e-12) << n;
    for (int n : {0, 31, 4064, 4095}) EXPECT_EQ(at(signal, n), in) << "first/last symbol";
  }
}

}  // namespace
}  // namespace linklab
