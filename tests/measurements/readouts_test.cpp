// The readouts of the live link, worked out from theory: a link with a matched receive filter,
// sampled where the instant starts (the symbol centre), is free of intersymbol interference, so
// without noise every decision is right, and with noise the decisions see the channel's Eb/N0
// and the errors follow AWGN theory at it.

#include "main_window/window_setup.h"
#include "measurements/awgn_theory.h"
#include "measurements/constellations.h"

namespace linklab {
namespace {

// "Full" with a transmit filter and its matched filter, ticked once so the filters are built.
std::unique_ptr<Form1> matchedLink(const std::string& modulation, const char* transmitFilter = "Root RC") {
  return window({{"cmbScene", "Full"}, {"cmbMod(0)", modulation}, {"cmbFilter(0)", transmitFilter},
                 {"cmbTxEB(0)", "50"}, {"cmbFilter(1)", "Matched"}},
                2);
}

// Rectangular pulses ("None") into their matched filter integrate and dump.
TEST(NoiselessMatchedLink, DecidesEverySymbolRightWithAnOpenEye) {
  for (const auto& [mod, filter] :
       {std::pair{"OOK", "Root RC"}, {"50% AM", "Root RC"}, {"BPSK", "Root RC"}, {"QPSK", "Root RC"},
        {"OQPSK", "Root RC"}, {"pi/4-SQPSK", "Root RC"}, {"8-PSK", "Root RC"}, {"16-QAM", "Root RC"},
        {"BPSK", "None"}, {"OQPSK", "None"}, {"8-PSK", "None"}, {"16-QAM", "None"}}) {
    SCOPED_TRACE(std::string(mod) + " " + filter);
    auto form = matchedLink(mod, filter);
    EXPECT_EQ((form->iSamplePoint + form->iSymbolOffset) % 32, 0) << "the instant starts on the centre";
    form->restartCounts();
    for (int i = 0; i < 5; ++i) form->Timer1_Timer();
    EXPECT_LT(std::max(form->dEVMPercent, form->dEVMPeakPercent), 0.5);
    EXPECT_EQ(form->lSymbols, 5 * 128);
    EXPECT_EQ(form->lSymbolErrors + form->lBitErrors, 0);
    EXPECT_EQ(form->dSER, 0);
    EXPECT_EQ(form->dEbN0dB, INFINITY);  // no noise at all
    if (railLevels(modulationFromText(mod), false).count > 0) {
      EXPECT_GT(form->dEyeOpeningPercent, 99.95);
      EXPECT_GT(form->dQFactor, 1000);
    } else {
      EXPECT_TRUE(std::isnan(form->dEyeOpeningPercent));
    }
  }
}

// One noise density for every keying: with P the mean power of the keying's points, the
// channel's Eb/N0 is 10 log10(10 P / N) dB, steady from run to run; the matched filter hands it to
// the decisions unchanged; the symbol errors lie in the 99 % binomial band of the AWGN theory.
TEST(NoisyMatchedLink, DecisionsSeeTheChannelsEbN0) {
  for (const auto& [modulation, meanPower] :
       {std::pair{"BPSK", 1.0}, {"QPSK", 1.0}, {"8-PSK", 1.0}, {"16-QAM", 10.0 / 9}, {"OOK", 0.5}}) {
    SCOPED_TRACE(modulation);
    auto form = matchedLink(modulation);
    form->cmbNoise.setText("2.51");
    form->Timer1_Timer();
    const double channel = 10 * std::log10(10 * meanPower / 2.51);
    for (int i = 0; i < 150; ++i) {
      form->Timer1_Timer();
      ASSERT_NEAR(form->dEbN0dB, channel, 0.01) << i;
    }
    EXPECT_NEAR(form->dEbN0EffectivedB, channel, 0.15);
    const double p = awgnErrorRates(modulationFromText(modulation), std::pow(10.0, channel / 10)).ser;
    EXPECT_NEAR(form->dSERTheory, p, 1e-3 * p);
    const double n = form->lSymbols;
    EXPECT_NEAR(form->lSymbolErrors, n * p, 2.576 * std::sqrt(n * p * (1 - p)));
  }
}

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
// rate (1 kHz at one bit a symbol) and zero from three quarters. Each side holds 99 % of its half
// up to the edge integrated here.
TEST(TransmitReadouts, OccupiedBandwidthOfRaisedCosine) {
  auto form = window({{"cmbScene", "Modulation"}, {"cmbFilter(0)", "Raised Cosine"}, {"cmbTxEB(0)", "50"}}, 201);
  auto h2 = [](double f) { return f <= 0.25 ? 1.0 : std::pow(0.5 + 0.5 * std::cos(M_PI * (f - 0.25) / 0.5), 2); };
  const int steps = 100000;
  const double df = 0.75 / steps;
  double total = 0, sum = 0, edge = 0;
  for (int i = 0; i < steps; ++i) total += h2((i + 0.5) * df);
  for (int i = 0; sum < 0.99 * total; ++i) sum += h2((i + 0.5) * df), edge = (i + 1) * df;
  EXPECT_NEAR(form->dOccupiedBandwidthkHz, 2 * edge, 0.06 * edge);
}

// The non-linear amplifier spreads power out of band: the linear one leaves only the filter's
// own skirt below -60 dB.
TEST(TransmitReadouts, TheNonLinearAmplifierSpreadsPowerOutOfBand) {
  double dBc[2];
  for (int nonLinear : {0, 1})
    dBc[nonLinear] = window({{"cmbScene", "Modulation"}, {"cmbMod(0)", "16-QAM"}, {"cmbFilter(0)", "Root RC"},
                             {"cmbNonlinear", nonLinear ? "Non-Linear" : "Linear"}},
                            21)
                         ->dOutOfBandPowerdBc;
  EXPECT_LT(dBc[0], -60);
  EXPECT_GT(dBc[1], -40);
}

// FSK, MSK and OFDM make no decisions: their readouts are not applicable, the channel's Eb/N0 is.
TEST(WithoutDecisions, ReadNotApplicable) {
  for (const auto& [mod, filter] : {std::pair{"FSK", "Gaussian"}, {"MSK", "None"}, {"QPSK", "OFDM"}}) {
    auto form =
        window({{"cmbScene", "Full"}, {"cmbMod(0)", mod}, {"cmbFilter(0)", filter}, {"cmbNoise", "0.1"}}, 3);
    for (double readout : {form->dSER, form->dBER, form->dSERTheory, form->dEVMPercent, form->dEyeOpeningPercent})
      EXPECT_TRUE(std::isnan(readout)) << mod << " " << filter;
    EXPECT_EQ(form->lSymbols, 0);
    EXPECT_TRUE(std::isfinite(form->dEbN0dB));
  }
}

TEST(Counts, AccumulateOverRunsAndRestartWithThePictures) {
  auto form = window({{"cmbScene", "Scatter"}}, 4);  // three runs counted (the batch test reads them)
  // Every change that clears the scatter starts the counts again with it (the noise list's then ticks).
  for (const auto& change : std::initializer_list<std::function<void()>>{
           [&] { form->cmbNoise.setText("0.5"); }, [&] { form->hscSample.setValue(5), form->Timer1_Timer(); },
           [&] { form->vscSync.setValue(1), form->Timer1_Timer(); }}) {
    change();
    EXPECT_EQ(form->lSymbols, 128);
    form->Timer1_Timer();
    EXPECT_EQ(form->lSymbols, 256);
  }
  form->restartCounts();
  EXPECT_TRUE(std::isnan(form->dSER));
}

}  // namespace
}  // namespace linklab
