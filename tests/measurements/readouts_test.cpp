// The readouts of the live link, worked out from theory: a root-raised-cosine link with a matched
// receive filter sampled at the symbol centre is free of intersymbol interference, so without
// noise every decision is right, and with noise the errors follow AWGN at the effective Eb/N0.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "main_window/form1.h"
#include "measurements/awgn_theory.h"

namespace linklab {
namespace {

// The "Full" scene with root raised cosine at 50 % and its matched filter, ticked once so the
// filters are built.
std::unique_ptr<Form1> matchedLink(const std::string& modulation) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText(modulation);
  form->cmbFilter[0].setText("Root RC");
  form->cmbTxEB[0].setText("50");
  form->cmbFilter[1].setText("Matched");
  form->Timer1_Timer();
  form->Timer1_Timer();
  return form;
}

// Moves the sampling marker until the in-phase rail is read on a symbol centre.
bool centreTheSamplingInstant(Form1& form) {
  for (int v = -64; v <= 64; ++v) {
    form.hscSample.setValue(v);
    form.Timer1_Timer();
    if ((form.iSamplePoint + form.iSymbolOffset) % 32 == 0) return true;
  }
  return false;
}

class NoiselessMatchedLink : public testing::TestWithParam<const char*> {};

TEST_P(NoiselessMatchedLink, DecidesEverySymbolRightWithATinyErrorVector) {
  auto form = matchedLink(GetParam());
  ASSERT_TRUE(centreTheSamplingInstant(*form));
  form->restartCounts();
  for (int i = 0; i < 5; ++i) form->Timer1_Timer();
  EXPECT_LT(form->dEVMPercent, 0.5);
  EXPECT_EQ(form->lSymbols, 5 * 128);
  EXPECT_EQ(form->lSymbolErrors, 0);
  EXPECT_EQ(form->lBitErrors, 0);
  EXPECT_EQ(form->dSER, 0);
  EXPECT_EQ(form->dEbN0dB, INFINITY);  // no noise at all
}

INSTANTIATE_TEST_SUITE_P(EveryKeyingThatDecides, NoiselessMatchedLink,
                         testing::Values("OOK", "50% AM", "BPSK", "QPSK", "OQPSK", "pi/4-SQPSK",
                                         "8-PSK", "16-QAM"),
                         [](const testing::TestParamInfo<const char*>& info) {
                           return std::to_string(info.index);
                         });

struct NoisyCase {
  const char* modulation;
  const char* noise;  // the level that puts the effective Eb/N0 near 6 dB
};

class NoisyMatchedLink : public testing::TestWithParam<NoisyCase> {};

// Noise level for 6 dB: the noise reaches the decision through H_rrc^4 = H_rc^2, whose mean over
// the bins is (1 - alpha/4) 128/4096; per component 1.6 N b^2 before shaping, so
// Eb/N0 = rms^2 / (3.2 N b^3 0.02734).
TEST_P(NoisyMatchedLink, SymbolErrorsLieInTheTheorysConfidenceBand) {
  const NoisyCase c = GetParam();
  auto form = matchedLink(c.modulation);
  ASSERT_TRUE(centreTheSamplingInstant(*form));
  form->cmbNoise.setText(c.noise);
  form->Timer1_Timer();
  form->restartCounts();
  for (int i = 0; i < 150; ++i) form->Timer1_Timer();
  // The effective Eb/N0 pools the counted runs, so the theory at it describes the same runs.
  EXPECT_NEAR(form->dEbN0EffectivedB, 6, 0.3);
  const double p = awgnErrorRates(modulationFromText(c.modulation), std::pow(10.0, form->dEbN0EffectivedB / 10)).ser;
  EXPECT_DOUBLE_EQ(form->dSERTheory, p);
  const double n = form->lSymbols;
  EXPECT_NEAR(form->lSymbolErrors, n * p, 2.576 * std::sqrt(n * p * (1 - p)));
}

INSTANTIATE_TEST_SUITE_P(PhaseAndAmplitudeKeyings, NoisyMatchedLink,
                         testing::Values(NoisyCase{"BPSK", "2.87"}, NoisyCase{"QPSK", "0.359"},
                                         NoisyCase{"8-PSK", "0.106"}, NoisyCase{"16-QAM", "0.0499"}),
                         [](const testing::TestParamInfo<NoisyCase>& info) {
                           return std::to_string(info.index);
                         });

// Raised cosine with 50 % excess: the power spectrum is H_rc^2, flat to a quarter of the symbol
// rate and falling to zero at three quarters. Its 99 % band, integrated here, is the theory.
TEST(TransmitReadouts, OccupiedBandwidthOfRaisedCosine) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Modulation");
  form->cmbFilter[0].setText("Raised Cosine");
  form->cmbTxEB[0].setText("50");
  form->Timer1_Timer();
  for (int i = 0; i < 200; ++i) form->Timer1_Timer();
  auto h2 = [](double f) {
    if (f <= 0.25) return 1.0;
    if (f >= 0.75) return 0.0;
    const double c = 0.5 + 0.5 * std::cos(M_PI * (f - 0.25) / 0.5);
    return c * c;
  };
  const int steps = 100000;
  double total = 0;
  for (int i = 0; i < steps; ++i) total += h2((i + 0.5) * 0.75 / steps);
  double sum = 0, edge = 0;
  // Two-sided 99 %: each side holds 99 % of its own half.
  for (int i = 0; i < steps && sum < 0.99 * total; ++i) {
    sum += h2((i + 0.5) * 0.75 / steps);
    edge = (i + 1) * 0.75 / steps;
  }
  const double theory = 2 * edge;  // symbol rate = 1 kHz for one bit per symbol
  EXPECT_NEAR(form->dOccupiedBandwidthkHz, theory, 0.03 * theory);
}

double outOfBand(const char* amplifier) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Modulation");
  form->cmbMod[0].setText("16-QAM");
  form->cmbFilter[0].setText("Root RC");
  form->cmbNonlinear.setText(amplifier);
  form->Timer1_Timer();
  for (int i = 0; i < 20; ++i) form->Timer1_Timer();
  return form->dOutOfBandPowerdBc;
}

TEST(TransmitReadouts, TheNonLinearAmplifierSpreadsPowerOutOfBand) {
  const double linear = outOfBand("Linear");
  const double nonLinear = outOfBand("Non-Linear");
  EXPECT_LT(linear, -60);  // only the filter's own skirt below -60 dB
  EXPECT_GT(nonLinear, -40);
  EXPECT_GT(nonLinear, linear + 20);
}

class WithoutDecisions : public testing::TestWithParam<std::pair<const char*, const char*>> {};

TEST_P(WithoutDecisions, ReadNotApplicable) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText(GetParam().first);
  form->cmbFilter[0].setText(GetParam().second);
  form->cmbNoise.setText("0.1");
  for (int i = 0; i < 3; ++i) form->Timer1_Timer();
  EXPECT_TRUE(std::isnan(form->dSER));
  EXPECT_TRUE(std::isnan(form->dBER));
  EXPECT_TRUE(std::isnan(form->dSERTheory));
  EXPECT_TRUE(std::isnan(form->dEVMPercent));
  EXPECT_TRUE(std::isnan(form->dEyeOpeningPercent));
  EXPECT_EQ(form->lSymbols, 0);
  EXPECT_TRUE(std::isfinite(form->dEbN0dB));  // the channel's Eb/N0 still applies
}

INSTANTIATE_TEST_SUITE_P(FskMskOfdm, WithoutDecisions,
                         testing::Values(std::pair{"FSK", "Gaussian"}, std::pair{"MSK", "None"},
                                         std::pair{"QPSK", "OFDM"}),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(Counts, AccumulateOverRunsAndRestartWithThePictures) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Scatter");
  form->Timer1_Timer();
  for (int i = 0; i < 3; ++i) form->Timer1_Timer();
  EXPECT_EQ(form->lSymbols, 3 * 128);
  EXPECT_EQ(form->lBits, 3 * 128);
  form->cmbNoise.setText("0.5");  // clears the pictures, then runs one tick
  EXPECT_EQ(form->lSymbols, 128);
  form->Timer1_Timer();
  EXPECT_EQ(form->lSymbols, 256);
  form->restartCounts();
  EXPECT_EQ(form->lSymbols, 0);
  EXPECT_TRUE(std::isnan(form->dSER));
}

// The calibration: at the noise level 1.0 with rectangular pulses Eb/N0 falls by the
// square of the bits per symbol over the symbol energy: 10.0, 1.0, -4.3, -7.6 dB.
TEST(Counts, EbN0FromTheSamplesMatchesTheCalibration) {
  const std::pair<const char*, double> cases[] = {{"BPSK", 10.0}, {"QPSK", 0.97}, {"8-PSK", -4.26}, {"16-QAM", -7.6}};
  for (const auto& [mod, expected] : cases) {
    auto form = std::make_unique<Form1>();
    form->Form_Load();
    form->cmbScene.setText("Full");  // the scene that shows the noise
    form->cmbMod[0].setText(mod);
    form->cmbFilter[0].setText("None");
    form->cmbNoise.setText("1.0");
    form->Timer1_Timer();
    double sum = 0;
    for (int i = 0; i < 20; ++i) {
      form->Timer1_Timer();
      sum += form->dEbN0dB;
    }
    EXPECT_NEAR(sum / 20, expected, 0.1) << mod;
  }
}

}  // namespace
}  // namespace linklab
