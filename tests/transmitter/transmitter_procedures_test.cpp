// The main window's transmitter and channel procedures, driven through their controls.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "main_window/form1.h"
#include "transmitter/test_blocks.h"
#include "transmitter/noise.h"
#include "transmitter/option_catalogue.h"

namespace linklab {
namespace {

using namespace linklab::testing;

template <std::size_t N>
void expectEntries(const ComboBox& list, const std::array<std::string_view, N>& entries) {
  ASSERT_GE(list.ListCount(), static_cast<int>(N)) << list.name;
  for (std::size_t i = 0; i < N; ++i) EXPECT_EQ(list.List(static_cast<int>(i)), entries[i]) << list.name;
}

TEST(FillLists, EveryListGetsItsEntriesInOrderAndItsDefault) {
  auto form = std::make_unique<Form1>();
  form->fillLists();
  expectEntries(form->cmbData, catalogue::kData);
  EXPECT_EQ(form->cmbData.ListCount(), 6);
  for (int i = 0; i <= 1; ++i) {
    expectEntries(form->cmbMod[i], catalogue::kModulations);
    expectEntries(form->cmbFilter[i], catalogue::kFilters);
    EXPECT_EQ(form->cmbFilter[i].ListCount(), 6);
    EXPECT_EQ(form->cmbFilter[i].List(5), i == 0 ? "OFDM" : "Matched");
    expectEntries(form->cmbTxBW[i], catalogue::kBandwidths);
    expectEntries(form->cmbTxEB[i], catalogue::kExcessBandwidths);
    expectEntries(form->cmbTxSC[i], catalogue::kSubcarriers);
    EXPECT_EQ(form->cmbMod[i].Text(), "BPSK");
    EXPECT_EQ(form->cmbTxBW[i].Text(), "2");
    EXPECT_EQ(form->cmbTxEB[i].Text(), "50");
    EXPECT_EQ(form->cmbTxSC[i].Text(), "4");
  }
  expectEntries(form->cmbNoise, catalogue::kNoise);
  expectEntries(form->cmbMultipathDelay, catalogue::kMultipathDelay);
  expectEntries(form->cmbMultipathMag, catalogue::kMultipathMag);
  expectEntries(form->cmbScene, catalogue::kScenes);
  expectEntries(form->cmbNonlinear, catalogue::kNonlinear);
  EXPECT_EQ(form->cmbData.Text(), "Random Data");
  EXPECT_EQ(form->cmbNoise.Text(), "None");
  EXPECT_EQ(form->cmbMultipathDelay.Text(), "0.0");
  EXPECT_EQ(form->cmbMultipathMag.Text(), "0");
  EXPECT_EQ(form->cmbScene.Text(), "Modulation");
  EXPECT_EQ(form->cmbNonlinear.Text(), "Linear");
  EXPECT_EQ(form->cmbEqualiser.ListCount(), 0);
}

// A form with unit filters, a pattern and a modulation, shaped once.
std::unique_ptr<Form1> shaped(const char* mod, const char* filter, const char* data = "Random Data") {
  auto form = std::make_unique<Form1>();
  form->cmbData.setText(data);
  form->cmbMod[0].setText(mod);
  form->cmbFilter[0].setText(filter);
  const Block unit = unitResponse();
  std::copy(unit.begin(), unit.end(), form->dTxFilter.begin());
  form->makeData();
  form->modulateData();
  form->shapeTxSignal();
  return form;
}

TEST(ShapeTxSignal, UnitFilterGivesTheRectangularTrain) {
  auto form = shaped("BPSK", "None", "All Ones");
  EXPECT_EQ(form->iSymbolOffset, 0);
  for (int n = 0; n < 4096; ++n) {
    ASSERT_NEAR(form->dTxSignal[2 * n], 1.0, 1e-12) << n;
    ASSERT_NEAR(form->dTxSignal[2 * n + 1], 0.0, 1e-12) << n;
  }
}

TEST(ShapeTxSignal, OqpskOnlyDelaysTheQuadratureRailDownstream) {
  auto q = shaped("QPSK", "Raised Cosine");
  auto o = shaped("OQPSK", "Raised Cosine");
  EXPECT_EQ(q->iSymbolOffset, 0);
  EXPECT_EQ(o->iSymbolOffset, 16);
  EXPECT_EQ(q->dTxSignal, o->dTxSignal);
}

// Whatever count is typed, OFDM stays inside the block and never asks for a bad transform size.
class TypedSubcarriers : public ::testing::TestWithParam<std::pair<const char*, const char*>> {};
TEST_P(TypedSubcarriers, ActLikeTheNearestPowerOfTwo) {
  RecordingHost host;
  auto typed = shaped("QPSK", "OFDM");
  typed->setHost(&host);
  typed->cmbTxSC[0].setText(GetParam().first);
  typed->shapeTxSignal();
  auto valid = shaped("QPSK", "OFDM");
  valid->cmbTxSC[0].setText(GetParam().second);
  valid->shapeTxSignal();
  EXPECT_TRUE(host.messages.empty());
  EXPECT_EQ(typed->dTxSignal, valid->dTxSignal);
  for (double v : typed->dTxSignal) ASSERT_TRUE(std::isfinite(v));
}
INSTANTIATE_TEST_SUITE_P(Texts, TypedSubcarriers,
                         ::testing::Values(std::pair{"3", "2"}, std::pair{"200", "128"},
                                           std::pair{"-4", "1"}, std::pair{"", "1"},
                                           std::pair{"abc", "1"}, std::pair{"1e300", "128"},
                                           std::pair{"24", "16"}, std::pair{"4.4", "4"}));

TEST(RfAmplifier, RecomputesTheSpectrumOfTheDistortedSignal) {
  auto form = shaped("16-QAM", "Raised Cosine");
  const Block before = form->dTxSignal;
  form->rfAmplifier();
  EXPECT_NE(form->dTxSignal, before);
  for (int n : {0, 31, 4064, 4095}) EXPECT_EQ(at(form->dTxSignal, n), at(before, n));
  for (int k : {0, 1, 777}) {
    cd x = 0;
    for (int n = 0; n < 4096; ++n) x += at(form->dTxSignal, n) * std::polar(1.0, 2 * M_PI * ((n * k) % 4096) / 4096.0);
    EXPECT_NEAR(std::abs(at(form->dTxSpectrum, k) - x), 0, 1e-8) << k;
  }
}

// Noise alone (a zero transmit signal) through a unit receive response.
std::unique_ptr<Form1> noisy(const char* mod, const char* level) {
  auto form = std::make_unique<Form1>();
  form->cmbMod[0].setText(mod);
  form->modulateData();
  const Block unit = unitResponse();
  std::copy(unit.begin(), unit.end(), form->dRxFilter.begin());
  form->dTxSignal.fill(0.0);
  form->lblNoise.Visible = true;
  form->cmbNoise.Visible = true;
  form->cmbNoise.setText(level);
  form->dRxSignal.fill(99.0);
  form->addNoise();
  return form;
}

struct DeviationCase {
  const char* mod;
  const char* level;
  double deviation;  // sqrt(3.2 * level) * bits / sqrt 2
};
class NoiseDeviation : public ::testing::TestWithParam<DeviationCase> {};

// 4096 samples per component: the estimator's relative spread is 1.1 %, the tolerance 8 %.
TEST_P(NoiseDeviation, MatchesLevelAndBitsPerSymbol) {
  auto form = noisy(GetParam().mod, GetParam().level);
  for (int part = 0; part < 2; ++part) {
    double squares = 0;
    for (int k = 0; k < 4096; ++k) squares += std::pow(form->dRxSignal[2 * k + part], 2);
    EXPECT_NEAR(std::sqrt(squares / 4096), GetParam().deviation, 0.08 * GetParam().deviation);
  }
}
INSTANTIATE_TEST_SUITE_P(
    Levels, NoiseDeviation,
    ::testing::Values(DeviationCase{"BPSK", "1.0", std::sqrt(3.2) / std::sqrt(2.0)},
                      DeviationCase{"16-QAM", "1.0", 4 * std::sqrt(3.2) / std::sqrt(2.0)},
                      DeviationCase{"QPSK", "0.4", 2 * std::sqrt(1.28) / std::sqrt(2.0)},
                      DeviationCase{"BPSK", "1e300", std::sqrt(3.2 * kMaxNoiseLevel) / std::sqrt(2.0)}));

// Levels that give no noise leave exactly the transmit signal, never a stale one.
struct CleanCase {
  const char* level;
  bool labelShown, listShown;
};
class CleanChannel : public ::testing::TestWithParam<CleanCase> {};
TEST_P(CleanChannel, CopiesTheTransmitSignal) {
  auto form = std::make_unique<Form1>();
  for (int i = 0; i < 8192; ++i) form->dTxSignal[i] = std::sin(0.01 * i);
  form->cmbNoise.setText(GetParam().level);
  form->lblNoise.Visible = GetParam().labelShown;
  form->cmbNoise.Visible = GetParam().listShown;
  form->dRxSignal.fill(99.0);
  form->addNoise();
  for (int i = 0; i < 8192; ++i) ASSERT_EQ(form->dRxSignal[i], form->dTxSignal[i]) << i;
}
INSTANTIATE_TEST_SUITE_P(
    Levels, CleanChannel,
    ::testing::Values(CleanCase{"None", true, true}, CleanCase{"0", true, true},
                      CleanCase{"", true, true}, CleanCase{"-1", true, true},
                      CleanCase{"-1e300", true, true}, CleanCase{"1.0", false, true},
                      CleanCase{"1.0", true, false}));


// MSK chosen in the running program: the rules pick "None" filters and the "Exponential" legend,
// and one tick's transmit signal has unit amplitude and turns by +-pi/2 per symbol.
TEST(ShapeTxSignal, MskInTheRunningProgram) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->Timer1_Timer();
  form->cmbMod[0].setText("MSK");
  form->Timer1_Timer();
  form->Timer1_Timer();
  ASSERT_EQ(form->lblLinear[1].Caption, "Exponential");
  EXPECT_EQ(form->dFSKIndex, 0.5);
  auto phase = [&](int n) { return std::atan2(form->dTxSignal[2 * n], -form->dTxSignal[2 * n + 1]); };
  for (int n = 0; n < 4096; ++n) ASSERT_NEAR(std::abs(at(form->dTxSignal, n)), 1.0, 1e-12) << n;
  for (int s = 1; s < 127; ++s) {
    const double step = std::remainder(phase(32 * s + 15) - phase(32 * s - 17), 2 * M_PI);
    ASSERT_NEAR(step, form->dModData[2 * s] * M_PI / 2, 1e-9) << s;
  }
}

}  // namespace
}  // namespace linklab
