// The readouts of the live link, worked out from theory: a link with a matched receive filter,
// sampled where the instant starts (the symbol centre), is free of intersymbol interference, so
// without noise every decision is right, and with noise the decisions see the channel's Eb/N0
// and the errors follow AWGN theory at it.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "main_window/form1.h"
#include "measurements/awgn_theory.h"
#include "measurements/constellations.h"

namespace linklab {
namespace {

// The "Full" scene with a transmit filter and its matched filter, ticked once so the filters are
// built.
std::unique_ptr<Form1> matchedLink(const std::string& modulation, const char* transmitFilter = "Root RC") {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Full");
  form->cmbMod[0].setText(modulation);
  form->cmbFilter[0].setText(transmitFilter);
  form->cmbTxEB[0].setText("50");
  form->cmbFilter[1].setText("Matched");
  form->Timer1_Timer();
  form->Timer1_Timer();
  return form;
}

struct NoiselessCase {
  const char* modulation;
  const char* transmitFilter;
};
class NoiselessMatchedLink : public testing::TestWithParam<NoiselessCase> {};

TEST_P(NoiselessMatchedLink, DecidesEverySymbolRightWithAnOpenEye) {
  auto form = matchedLink(GetParam().modulation, GetParam().transmitFilter);
  EXPECT_EQ((form->iSamplePoint + form->iSymbolOffset) % 32, 0) << "the instant starts on the centre";
  form->restartCounts();
  for (int i = 0; i < 5; ++i) form->Timer1_Timer();
  EXPECT_LT(form->dEVMPercent, 0.5);
  EXPECT_LT(form->dEVMPeakPercent, 0.5);
  EXPECT_EQ(form->lSymbols, 5 * 128);
  EXPECT_EQ(form->lSymbolErrors, 0);
  EXPECT_EQ(form->lBitErrors, 0);
  EXPECT_EQ(form->dSER, 0);
  EXPECT_EQ(form->dEbN0dB, INFINITY);  // no noise at all
  const Modulation mod = modulationFromText(GetParam().modulation);
  if (railLevels(mod, false).count > 0) {
    EXPECT_GT(form->dEyeOpeningPercent, 99.95);
    EXPECT_GT(form->dQFactor, 1000);
  } else {
    EXPECT_TRUE(std::isnan(form->dEyeOpeningPercent));
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryKeyingThatDecides, NoiselessMatchedLink,
    testing::Values(NoiselessCase{"OOK", "Root RC"}, NoiselessCase{"50% AM", "Root RC"},
                    NoiselessCase{"BPSK", "Root RC"}, NoiselessCase{"QPSK", "Root RC"},
                    NoiselessCase{"OQPSK", "Root RC"}, NoiselessCase{"pi/4-SQPSK", "Root RC"},
                    NoiselessCase{"8-PSK", "Root RC"}, NoiselessCase{"16-QAM", "Root RC"},
                    // Rectangular pulses into their matched filter: integrate and dump.
                    NoiselessCase{"BPSK", "None"}, NoiselessCase{"OQPSK", "None"},
                    NoiselessCase{"8-PSK", "None"}, NoiselessCase{"16-QAM", "None"}),
    [](const testing::TestParamInfo<NoiselessCase>& info) { return std::to_string(info.index); });

struct NoisyCase {
  const char* modulation;
  double meanPower;  // of the keying's points
};

class NoisyMatchedLink : public testing::TestWithParam<NoisyCase> {};

// One noise density for every keying: the channel's Eb/N0 is 10 log10(10 P / N) dB, steady from
// run to run; the matched filter hands it to the decisions unchanged; the symbol errors lie in
// the 99 % binomial band of the AWGN theory at it.
TEST_P(NoisyMatchedLink, DecisionsSeeTheChannelsEbN0) {
  const NoisyCase c = GetParam();
  auto form = matchedLink(c.modulation);
  form->cmbNoise.setText("2.51");
  form->Timer1_Timer();
  const double channel = 10 * std::log10(10 * c.meanPower / 2.51);
  for (int i = 0; i < 150; ++i) {
    form->Timer1_Timer();
    ASSERT_NEAR(form->dEbN0dB, channel, 0.01) << i;
  }
  EXPECT_NEAR(form->dEbN0EffectivedB, channel, 0.15);
  const double p = awgnErrorRates(modulationFromText(c.modulation), std::pow(10.0, channel / 10)).ser;
  EXPECT_NEAR(form->dSERTheory, p, 1e-3 * p);
  const double n = form->lSymbols;
  EXPECT_NEAR(form->lSymbolErrors, n * p, 2.576 * std::sqrt(n * p * (1 - p)));
}

INSTANTIATE_TEST_SUITE_P(PhaseAndAmplitudeKeyings, NoisyMatchedLink,
                         testing::Values(NoisyCase{"BPSK", 1}, NoisyCase{"QPSK", 1}, NoisyCase{"8-PSK", 1},
                                         NoisyCase{"16-QAM", 10.0 / 9}, NoisyCase{"OOK", 0.5}),
                         [](const testing::TestParamInfo<NoisyCase>& info) {
                           return std::to_string(info.index);
                         });

// Without a matched filter the decisions lose what the textbook says: rectangular pulses read at
// one sample without a filter keep 1/32 of the symbol's energy against the whole noise, -15 dB.
TEST(NoisyLink, AMissingReceiveFilterShowsItsLoss) {
  auto form = matchedLink("BPSK", "None");
  form->cmbFilter[1].setText("None");
  form->cmbNoise.setText("0.1");
  for (int i = 0; i < 40; ++i) form->Timer1_Timer();
  EXPECT_NEAR(form->dEbN0dB, 20, 0.01);
  EXPECT_NEAR(form->dEbN0EffectivedB, 20 - 10 * std::log10(32.0), 0.3);
  EXPECT_GT(form->dSER, 100 * form->dSERTheory);
}

// Through the non-linear amplifier the power sent is measured: at noise level 1 the channel's
// Eb/N0 is 10 P, P the mean power of the distorted signal pooled over the counted runs.
TEST(NoisyLink, TheNonLinearAmplifiersPowerIsMeasured) {
  auto form = matchedLink("16-QAM");
  form->cmbNonlinear.setText("Non-Linear");
  form->cmbNoise.setText("1.0");
  form->restartCounts();
  double energy = 0;
  for (int run = 1; run <= 3; ++run) {
    form->Timer1_Timer();
    for (int i = 0; i < 8192; ++i) energy += form->dTxSignal[i] * form->dTxSignal[i];
    EXPECT_NEAR(form->dEbN0dB, 10 + 10 * std::log10(energy / 4096 / run), 1e-9) << run;
  }
}

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
  // Every change that clears the scatter starts the counts again with it.
  form->hscSample.setValue(5);
  form->Timer1_Timer();
  EXPECT_EQ(form->lSymbols, 128);
  form->Timer1_Timer();
  form->vscSync.setValue(1);
  form->Timer1_Timer();
  EXPECT_EQ(form->lSymbols, 128);
  form->restartCounts();
  EXPECT_EQ(form->lSymbols, 0);
  EXPECT_TRUE(std::isnan(form->dSER));
}

}  // namespace
}  // namespace linklab
