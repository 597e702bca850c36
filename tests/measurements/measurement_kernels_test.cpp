// The measurement kernels against textbook results: AWGN error rates, Parseval for the noise,
// Monte-Carlo decisions for every keying, and spectra whose occupied band is known exactly.
#include "test_headers.h"

#include "measurements/awgn_theory.h"
#include "filters/filter_design.h"
#include "measurements/constellations.h"
#include "measurements/eye_statistics.h"
#include "measurements/noise_measures.h"
#include "measurements/readout_text.h"
#include "measurements/spectrum_measures.h"
#include "measurements/symbol_measures.h"
#include "nrFFT/fft.h"
#include "transmitter/noise.h"
#include "transmitter/tx_shaping.h"

namespace linklab {
namespace {

using Block = std::array<double, 8193>;

double dbToRatio(double db) { return std::pow(10.0, db / 10); }

// Half-width of the 99 % band of a binomial count around its mean.
double band99(double n, double p) { return 2.576 * std::sqrt(n * p * (1 - p)); }

TEST(AwgnTheory, TextbookValues) {
  // BPSK reaches 1e-5 at 9.59 dB; 7.8e-4 at 7 dB.
  EXPECT_NEAR(awgnErrorRates(Modulation::BPSK, dbToRatio(9.5879)).ber, 1e-5, 2e-8);
  EXPECT_NEAR(awgnErrorRates(Modulation::BPSK, dbToRatio(7)).ber, 7.727e-4, 1e-6);
  // QPSK has BPSK's bit error rate per Eb/N0 and loses a symbol when either rail errs.
  const double p = awgnErrorRates(Modulation::BPSK, dbToRatio(4)).ber;
  EXPECT_NEAR(awgnErrorRates(Modulation::QPSK, dbToRatio(4)).ber, p, 1e-15);
  EXPECT_NEAR(awgnErrorRates(Modulation::QPSK, dbToRatio(4)).ser, 2 * p - p * p, 1e-15);
  // On-off keying needs 3 dB more than BPSK per average bit energy.
  EXPECT_NEAR(awgnErrorRates(Modulation::OOK, dbToRatio(10)).ber,
              awgnErrorRates(Modulation::BPSK, dbToRatio(10 - 10 * std::log10(2.0))).ber, 1e-12);
  EXPECT_EQ(awgnErrorRates(Modulation::PSK8, INFINITY).ser, 0);
}

// The 8-PSK rates against the received phase's density integrated over each sector.
TEST(AwgnTheory, EightPskAgreesWithThePhaseDensity) {
  for (double db : {0.0, 4.0, 8.0, 12.0}) {
    const double g = 3 * dbToRatio(db);  // Es/N0
    auto density = [g](double t) {
      const double c = std::cos(t), s = std::sin(t);
      return std::exp(-g) / (2 * M_PI) +
             std::sqrt(g / (4 * M_PI)) * c * std::exp(-g * s * s) * std::erfc(-std::sqrt(g) * c);
    };
    double ser = 0, ber = 0;
    const int n = 20000;
    const double h = 2 * M_PI / n;
    for (int i = 0; i < n; ++i) {
      const double t = -M_PI / 8 + (i + 0.5) * h;
      const int sector = static_cast<int>(std::floor((t + M_PI / 8) / (M_PI / 4))) % 8;
      const double mass = density(t) * h;
      if (sector != 0) ser += mass;
      ber += mass * __builtin_popcount(sector ^ (sector >> 1)) / 3.0;  // Gray-coded sectors
    }
    const ErrorRates r = awgnErrorRates(Modulation::PSK8, dbToRatio(db));
    EXPECT_NEAR(r.ser, ser, 1e-4 * ser + 1e-12) << db;
    EXPECT_NEAR(r.ber, ber, 1e-4 * ber + 1e-12) << db;
  }
}

// A block holding the ideal point of each symbol at its centre (the quadrature rail `delay`
// samples later) plus complex Gaussian noise of variance sigma^2 per component.
struct NoisyBlock {
  Block rx{};
  std::array<double, 257> symbols{};
  std::array<int16_t, 513> bits{};
};

NoisyBlock noisyBlock(Modulation mod, int delay, double sigma, std::mt19937_64& rng) {
  NoisyBlock b;
  std::bernoulli_distribution bit;
  std::normal_distribution<double> gauss(0, sigma);
  for (auto& x : b.bits) x = bit(rng);
  modulate(mod, b.bits, 0, b.symbols);
  for (int k = 0; k < 4096; ++k) {
    b.rx[2 * k] = gauss(rng);
    b.rx[2 * k + 1] = gauss(rng);
  }
  for (int s = 0; s < 128; ++s) {
    b.rx[2 * (32 * s)] += b.symbols[2 * s];
    b.rx[2 * ((32 * s + delay) % 4096) + 1] += b.symbols[2 * s + 1];
  }
  return b;
}

// Without noise every point is decided right with no error vector; with noise the counts fall
// within the 99 % band of the AWGN theory, symbols and bits. A keying, then Eb/N0 in dB.
TEST(Decisions, FollowTheTheoryOfTheirKeying) {
  for (const auto& [mod, ebN0dB] :
       {std::pair{Modulation::OOK, 8.0}, {Modulation::AM50, 12.0}, {Modulation::BPSK, 4.0}, {Modulation::QPSK, 4.0},
        {Modulation::OQPSK, 4.0}, {Modulation::Pi4SQPSK, 4.0}, {Modulation::PSK8, 6.0}, {Modulation::QAM16, 6.0}}) {
    SCOPED_TRACE(int(mod));
    const int delay = mod == Modulation::OQPSK ? 16 : 0;
    const DecisionInstant at{0, delay};
    std::mt19937_64 rng(7);
    NoisyBlock clean = noisyBlock(mod, delay, 0, rng);
    const RunErrors none = countErrors(clean.rx, clean.bits, mod, at, 128);
    EXPECT_EQ((std::array{none.symbols, none.symbolErrors, none.bitErrors}), (std::array{128, 0, 0}));
    const SymbolFit fit = fitSymbols(clean.rx, clean.symbols, mod, at, 97);
    EXPECT_NEAR(fit.evmPercent, 0, 1e-12);
    EXPECT_NEAR(fit.gain, 1, 1e-12);
    const PointSet set = pointSet(mod, 0);
    const double rms = constellationRms(mod);
    const double esN0 = dbToRatio(ebN0dB) * set.bitsPerSymbol;
    const double sigma = std::sqrt(rms * rms / (2 * esN0));
    double symbols = 0, symbolErrors = 0, bits = 0, bitErrors = 0;
    for (int run = 0; run < 400; ++run) {
      NoisyBlock b = noisyBlock(mod, delay, sigma, rng);
      const RunErrors e = countErrors(b.rx, b.bits, mod, at, 128);
      symbols += e.symbols, symbolErrors += e.symbolErrors, bits += e.bits, bitErrors += e.bitErrors;
    }
    const ErrorRates theory = awgnErrorRates(mod, dbToRatio(ebN0dB));
    EXPECT_NEAR(symbolErrors, symbols * theory.ser, band99(symbols, theory.ser));
    // Bit errors of one symbol come together, so their spread is up to b times the binomial one.
    EXPECT_NEAR(bitErrors, bits * theory.ber, set.bitsPerSymbol * band99(bits, theory.ber));
  }
}

// The largest error vector of the points against their RMS: one point moved by d of a BPSK
// constellation (RMS 1) reads d as the peak and d / sqrt(97) as the RMS over the 97 points.
TEST(Decisions, PeakErrorVectorIsTheLargestOne) {
  std::mt19937_64 rng(5);
  NoisyBlock b = noisyBlock(Modulation::BPSK, 0, 0, rng);
  b.rx[2 * 32 * 40] += 0.3;
  b.rx[2 * 32 * 41 + 1] -= 0.1;
  const SymbolFit fit = fitSymbols(b.rx, b.symbols, Modulation::BPSK, {0, 0}, 97);
  EXPECT_NEAR(fit.peakPercent, 30, 1e-9);
  EXPECT_NEAR(fit.evmPercent, 100 * std::sqrt((0.09 + 0.01) / 97), 1e-9);
}

// A point sampled iSample samples into the block belongs to the symbol whose centre is nearest.
TEST(Decisions, SampledPointsMapToTheNearestSymbolCentre) {
  // One sample before symbol 4's centre, halfway to symbol 2's, wrapped round the circular block.
  EXPECT_EQ((std::array{sentSymbol(0, {127, 0}), sentSymbol(0, {64, 0}), sentSymbol(127, {127, 0})}),
            (std::array{4, 2, 3}));
  EXPECT_EQ(decisionSample(127, {127, 0}), (32 * 127 + 127) % 4096);
}

// The eye as a statistic of the samples at the instant: for levels 2 apart, each blurred by
// Gaussian noise of sigma, Q = 2 / (2 sigma) and the opening 1 - 3 sigma (never below 0); it
// gathers over runs until cleared. The quadrature rail is read `delay` samples later. Levels of
// BPSK and QPSK are 2 and 2/c apart, 16-QAM's inner ones 2/3.
TEST(EyeStatistics, NoisyLevels) {
  for (const auto& [mod, sigma, delay] :
       {std::tuple{Modulation::BPSK, 0.0, 0}, {Modulation::QAM16, 0.0, 0}, {Modulation::OQPSK, 0.0, 16},
        {Modulation::BPSK, 0.1, 0}, {Modulation::OQPSK, 0.05, 16}, {Modulation::QAM16, 0.05, 0},
        {Modulation::BPSK, 0.6, 0}}) {
    std::mt19937_64 rng(3);
    EyeStatistics eye;
    const double spacing = mod == Modulation::BPSK ? 2 : mod == Modulation::QAM16 ? 2.0 / 3 : 2 / kDiagonalDivisor;
    for (int run = 0; run < 40; ++run) {
      NoisyBlock b = noisyBlock(mod, delay, sigma, rng);
      eye.add(b.rx, b.symbols, mod, {0, delay}, 128);
    }
    const EyeFigures f = eye.figures(mod);
    const double q = spacing / (2 * sigma);  // the worst of several level pairs sits a little low
    EXPECT_TRUE(sigma == 0 ? f.qFactor == INFINITY : std::abs(f.qFactor - q) < 0.08 * q) << f.qFactor;
    EXPECT_NEAR(f.openingPercent, std::max(0.0, 100 * (1 - 3 / f.qFactor)), 1e-9) << sigma;
    eye.clear();
    EXPECT_TRUE(std::isnan(eye.figures(mod).qFactor));
  }
}

// A rail's levels are the values the keying's points take on it, ascending; a rail the points
// leave at one value takes none.
TEST(EyeStatistics, RailLevelsAreTheConstellationsValues) {
  for (Modulation mod : {Modulation::OOK, Modulation::AM50, Modulation::BPSK, Modulation::QPSK, Modulation::OQPSK,
                         Modulation::QAM16})
    for (bool quadrature : {false, true}) {
      const PointSet set = pointSet(mod, 0);
      std::set<double> values;
      for (int p = 0; p < set.count; ++p) values.insert(quadrature ? set.q[p] : set.i[p]);
      const RailLevels levels = railLevels(mod, quadrature);
      ASSERT_EQ(levels.count, values.size() > 1 ? int(values.size()) : 0) << int(mod) << quadrature;
      for (int l = 0; l < levels.count; ++l) EXPECT_NEAR(levels.level[l], *std::next(values.begin(), l), 1e-12);
    }
}

TEST(EyeStatistics, AClosedEyeReadsZeroNotLess) {
  std::mt19937_64 rng(8);
  EyeStatistics eye;
  NoisyBlock b = noisyBlock(Modulation::BPSK, 0, 0, rng);
  for (int s = 0; s < 128; ++s) b.rx[2 * 32 * s] = -b.symbols[2 * s];  // every level inverted
  eye.add(b.rx, b.symbols, Modulation::BPSK, {0, 0}, 128);
  EXPECT_EQ(eye.figures(Modulation::BPSK).openingPercent, 0);
  EXPECT_EQ(eye.figures(Modulation::BPSK).qFactor, 0);
}

TEST(NoiseMeasures, PowersThroughPulsesAndResponses) {
  EXPECT_EQ(channelEbN0(1, 0, 1), INFINITY);
  // A rectangle of 32 unit samples through an all-pass keeps unit power; so do impulses of
  // weight 32 through a root raised cosine, whose squared response sums to the 128 bins of a
  // symbol rate's band. A response passing a quarter of the bins passes a quarter of white noise.
  Block pulse{}, allPass{}, rootRc{};
  pulseSpectrum(PulseShape::Rectangular, pulse);
  designResponse(FilterType::None, 0, 1, 1, allPass, false);
  EXPECT_NEAR(shapedPowerGain(pulse, allPass), 1, 1e-12);
  pulseSpectrum(PulseShape::Impulse, pulse);
  designResponse(FilterType::RootRC, 35, 1, 1, rootRc, false);
  EXPECT_NEAR(shapedPowerGain(pulse, rootRc), 1, 0.02);
  Block quarter{};
  for (int k = 0; k < 4096; k += 4) quarter[2 * k] = 1;
  EXPECT_NEAR(noisePowerGain(quarter), 0.25, 1e-15);
  // OFDM sends half the symbols' power; the frequency keyings a unit envelope.
  EXPECT_NEAR(expectedMeanPower(Modulation::QPSK, true, 0.3), 0.5, 1e-5);  // diagonals a hair inside 1
  EXPECT_EQ(expectedMeanPower(Modulation::MSK, false, 0.3), 1);
  EXPECT_TRUE(std::isnan(expectedMeanPower(Modulation::Unknown, false, 1)));
  EXPECT_NEAR(effectiveEbN0dB(1, 1, 1, 0.5 / dbToRatio(7)), 7, 1e-12);
}

TEST(SpectrumMeasures, OccupiedBandPowerOutsideTheFilterAndTheEnvelopesMinimum) {
  Block power{};
  // Flat from -100 to +99: 200 bins; 99 % of them is 198 bins.
  for (int k = -100; k < 100; ++k) power[(k + 4096) % 4096] = 2.5;
  EXPECT_NEAR(occupiedBandwidthBins(power, 0.99), 198, 1e-9);
  EXPECT_NEAR(binsPerKilohertz(2), 256, 0);
  Block response{};
  for (int k = -50; k < 50; ++k) response[2 * ((k + 4096) % 4096)] = 1;
  EXPECT_NEAR(outOfBandPowerdBc(power, response), 10 * std::log10(0.5), 1e-12);
  for (int k = 0; k < 4096; ++k) response[2 * k] = std::max(response[2 * k], 0.005);
  EXPECT_TRUE(std::isnan(outOfBandPowerdBc(power, response)));  // no band edge: the stop band starts at -60 dB
  Block empty{};
  EXPECT_TRUE(std::isnan(occupiedBandwidthBins(empty, 0.99)));
  EXPECT_TRUE(std::isnan(envelopeMinimumPercent(empty, 0)));
  // The envelope's minimum against its RMS.
  Block circle{}, ripple{};
  for (int k = 0; k < 4096; ++k) {
    const double a = 2 * M_PI * 3 * k / 4096;
    // The quadrature rail runs 16 samples late, as OQPSK's does: paired right it is a circle.
    circle[2 * k] = std::cos(a);
    circle[2 * ((k + 16) % 4096) + 1] = std::sin(a);
    ripple[2 * k] = 1 + 0.5 * std::cos(a);  // smallest 0.5, mean square 1 + 0.5^2/2
  }
  EXPECT_NEAR(envelopeMinimumPercent(circle, 16), 100, 1e-9);
  EXPECT_LT(envelopeMinimumPercent(circle, 0), 99);
  EXPECT_NEAR(envelopeMinimumPercent(ripple, 0), 100 * 0.5 / std::sqrt(1.125), 1e-9);
}

TEST(ReadoutText, RatesCountsAndBounds) {
  EXPECT_EQ(rateText(37.0 / 12032, 37, 12032, 2.8e-3), "3.1e-3 (37 of 12,032; theory 2.8e-3)");
  EXPECT_EQ(rateText(0, 0, 12000, 2.8e-6), "< 8.3e-5, 0 of 12,000 (theory 2.8e-6)");
  EXPECT_EQ(groupedCount(1234567), "1,234,567");
  EXPECT_EQ(shortScientific(0.25), "2.5e-1");
  // EVM, its peak, eye opening and Q, then the texts of the EVM and the eye. A vector
  // as long as the constellation's RMS is still a figure.
  for (const auto& [evm, peak, opening, q, evmText, eyeText] :
       {std::tuple{12.34, 140.0, 0.0, 2.04, "EVM 12.3 % (pk > 100 %)", "eye closed, Q 2.0"},
        {100.01, 140.0, 87.6, 24.4, "EVM > 100 % (pk > 100 %)", "eye 88 %, Q 24"},
        {100.0, 140.0, 87.6, INFINITY, "EVM 100.0 % (pk > 100 %)", "eye 88 %, Q > 100"}}) {
    SimulationState s;
    s.dEVMPercent = evm, s.dEVMPeakPercent = peak, s.dEyeOpeningPercent = opening, s.dQFactor = q;
    s.dOccupiedBandwidthkHz = 1.234;
    const ReadoutTexts t = readoutTexts(s);
    EXPECT_EQ(t.evm + " | " + t.eye, std::string(evmText) + " | " + eyeText);
    EXPECT_EQ(t.occupiedBandwidth, "occupied bandwidth (99 %) 1.23 kHz");
  }
}

}  // namespace
}  // namespace linklab
