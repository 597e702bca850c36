// The main window's transmitter, channel and receive-filter procedures, driven through controls.
#include "form/numbers.h"
#include "main_window/window_setup.h"
#include "transmitter/noise.h"
#include "transmitter/test_blocks.h"
#include "transmitter/tx_shaping.h"
#include "transmitter/uniform_random.h"

namespace linklab {
namespace {

using namespace linklab::testing;

// A typed FSK index is used as typed (MSK keys with 0.5 whatever the text); a typed subcarrier
// count goes to the nearest power of two, a tie to the smaller. Texts out of range or not numbers
// are refused without a message: the FSK index stays at its first 1.0, the count at 8.
// value: the FSK index, or the subcarrier count.
struct TypedCase { const char *mod, *typed; double value; };
TEST(TypedTexts, AreUsedAsTheLinkCanOrRefused) {
  for (const TypedCase& c : std::vector<TypedCase>{
           {"FSK", "1e300", 1}, {"FSK", "-1e300", 1}, {"FSK", "abc", 1}, {"FSK", "2.5", 2.5}, {"FSK", "0.2", 0.2},
           {"MSK", "3", 0.5}, {"QPSK", "16", 16}, {"QPSK", "3", 2}, {"QPSK", "6", 4}, {"QPSK", "96", 64},
           {"QPSK", "200", 8}, {"QPSK", "1e300", 8}, {"QPSK", "-4", 8}, {"QPSK", "", 8}, {"QPSK", "abc", 8}}) {
    SCOPED_TRACE(std::string(c.mod) + " " + c.typed);
    RecordingHost host;
    const bool ofdm = std::string_view(c.mod) == "QPSK";
    auto form = std::make_unique<Form1>();
    form->setHost(&host);
    form->cmbMod[0].setText(c.mod);
    form->cmbFilter[0].setText(ofdm ? "OFDM" : "None");
    form->cmbTxSC[0].setText("8");
    ofdm ? form->cmbTxSC[0].setText(c.typed) : form->txtFSK.setText(c.typed);
    std::ranges::copy(unitResponse(), form->dTxFilter.begin());
    form->makeData();
    form->modulateData();
    form->shapeTxSignal();
    EXPECT_TRUE(host.messages.empty());
    for (double v : form->dTxSignal) ASSERT_TRUE(std::isfinite(v));
    if (!ofdm) {
      EXPECT_EQ(form->dFSKIndex, c.value);
      continue;
    }
    // The frame of that many subcarriers (its formula is checked in OfdmFrame), and the list says so.
    Block frame, spectrum, work;
    ofdmModulate(form->dModData, int(c.value), frame, spectrum, work);
    for (int t = 0; t < 4096; t += 37) ASSERT_LT(std::abs(at(form->dTxSignal, t) - at(frame, t)), 1e-9) << t;
    EXPECT_EQ(Val(form->cmbTxSC[0].Text()), c.value);
  }
}

// Noise added for a receive response onto a transmit signal of amplitude tx (0: the received
// signal is the noise), over a received signal that must not stay stale.
std::unique_ptr<Form1> noisy(const Block& response, const char* level = "1.0", double bits = 1, int scene = 0,
                             double tx = 0) {
  auto form = std::make_unique<Form1>();
  form->dBitsPerSymbol = bits;
  form->lScene = scene;
  std::copy(response.begin(), response.end(), form->dRxFilter.begin());
  for (int i = 0; i < 8192; ++i) form->dTxSignal[i] = tx * std::sin(0.01 * i);
  form->lblNoise.Visible = form->cmbNoise.Visible = true;
  form->cmbNoise.setText(level);
  form->dRxSignal.fill(99.0);
  form->addNoise();
  return form;
}

// Noise onto a known transmit signal, through a receive response of gain 1/2. The level is a
// density at the fixed bit rate: each component deviates by sqrt(3.2 level / b) / sqrt 2 (1000 the
// highest level taken). Where the receive filter runs ("Scatter", "Full") the channel's noise is white
// and the response does not touch it; elsewhere it arrives shaped, at half the deviation. Levels
// that give no noise, and refused ones, leave exactly the transmit signal, never a stale one. 4096 samples per
// component give the estimate a relative spread of 1.1 %; the tolerance is 8 % on a fixed seed.
// deviation: of the white noise.
struct NoiseCase { double bits; const char* level; double deviation; int scene; };
TEST(Noise, LevelsGiveTheirDeviationOnAFreshSignal) {
  Block half = unitResponse();
  for (double& g : half) g *= 0.5;
  const double kUnitLevel = std::sqrt(3.2) / std::sqrt(2.0);
  for (const NoiseCase& c : std::vector<NoiseCase>{
           {1, "1.0", kUnitLevel, 2}, {4, "1.0", kUnitLevel / 2, 2}, {3, "1.0", kUnitLevel / std::sqrt(3.0), 4},
           {1, "1.0", kUnitLevel, 3}, {1, "1000", std::sqrt(3.2 * kMaxNoiseLevel) / std::sqrt(2.0), 2},
           {1, "None", 0, 4}, {1, "", 0, 2}, {1, "-1", 0, 4}, {4, "-1e300", 0, 2}}) {
    SCOPED_TRACE(std::string(c.level) + " scene " + std::to_string(c.scene));
    auto form = noisy(half, c.level, c.bits, c.scene, 1);
    const double expected = c.scene >= 3 ? c.deviation : 0.5 * c.deviation;
    for (int part = 0; part < 2; ++part) {
      double squares = 0;
      for (int k = 0; k < 4096; ++k) {
        ASSERT_TRUE(std::isfinite(form->dRxSignal[2 * k + part]));
        squares += std::pow(form->dRxSignal[2 * k + part] - form->dTxSignal[2 * k + part], 2);
      }
      EXPECT_NEAR(std::sqrt(squares / 4096), expected, 0.08 * expected);
    }
  }
}

// The noise that reaches the receiver, for a receive response: rails independent of each other,
// its spectrum the white one times the response (by Parseval, each rail's variance is the white
// variance times the mean squared gain), and a complex gain turning it as a complex product.

TEST(Noise, RailsAreIndependentAndTheResponseShapesAndTurnsThem) {
  const double white = 3.2 / 2;  // variance per rail at level 1, one bit per symbol
  Block gaussian{};  // the "Gaussian" receive response of width w = 256 bins
  double meanSquare = 0;
  for (int k = 0; k < 4096; ++k) {
    const int f = k < 2048 ? k : 4096 - k;
    gaussian[2 * k] = std::exp(-0.5 * std::pow(f / 256.0, 2));
    meanSquare += gaussian[2 * k] * gaussian[2 * k] / 4096;
  }
  for (const auto& [response, variance] : {std::pair{unitResponse(), white}, {gaussian, white * meanSquare}}) {
    auto form = noisy(response);
    double ii = 0, qq = 0, iq = 0;
    for (int k = 0; k < 4096; ++k) {
      const cd n = at(form->dRxSignal, k);
      ii += n.real() * n.real(), qq += n.imag() * n.imag(), iq += n.real() * n.imag();
    }
    // 4096 white samples estimate a correlation to within 1/64 (the shaped noise, of some 640
    // independent bins, to within 0.04); its variance estimate is good to about 6 %.
    EXPECT_LT(std::abs(iq / std::sqrt(ii * qq)), variance == white ? 0.06 : 0.2);
    EXPECT_NEAR(ii / 4096, variance, 0.2 * variance);
    EXPECT_NEAR(qq / 4096, variance, 0.2 * variance);
  }
  auto shaped = noisy(gaussian);  // far out of the response nothing is left
  for (int k : {1800, 2048, 2300}) EXPECT_LT(std::abs(directBin(shaped->dRxSignal, k)), 1e-6) << k;
  Block turn{};  // a gain of j in every bin turns every noise sample by a quarter turn
  for (int k = 0; k < 4096; ++k) turn[2 * k + 1] = 1.0;
  auto straight = noisy(unitResponse()), turned = noisy(turn);
  for (int k = 0; k < 4096; k += 97)
    EXPECT_LT(std::abs(at(turned->dRxSignal, k) - cd(0, 1) * at(straight->dRxSignal, k)), 1e-9) << k;
}

// A response halving bins 0..99 and their mirrors: only the receiver scenes (3, 4) apply it.
TEST(ReceiveFilter, FiltersOnlyInTheReceiverScenes) {
  for (const int scene : {1, 2, 3, 4}) {
    const bool filters = scene >= 3;
    auto form = std::make_unique<Form1>();
    UniformRandom rnd;
    for (int i = 0; i < 8192; ++i) form->dRxSignal[i] = rnd.next() - 0.5;
    for (int k = 0; k < 100; ++k) form->dRxFilter[2 * k] = form->dRxFilter[2 * ((4096 - k) % 4096)] = 0.5;
    form->lScene = scene;
    const Block before = form->dRxSignal;
    form->rxFilter();
    for (int k : {0, 5, 99, 100, 1000, 3997, 4095}) {
      const cd expected = !filters ? directBin(before, k) : (k < 100 || k > 3996) ? 0.5 * directBin(before, k) : cd(0);
      EXPECT_NEAR(std::abs(directBin(form->dRxSignal, k) - expected), 0, 1e-9) << scene << ": " << k;
      EXPECT_NEAR(std::abs(at(form->dRxSpectrum, k) - expected), 0, 1e-9) << scene << ": " << k;
    }
  }
}

}  // namespace
}  // namespace linklab
