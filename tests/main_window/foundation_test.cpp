#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "main_window/form1.h"

namespace linklab {
namespace {

class CarrierTable : public ::testing::TestWithParam<int> {};

TEST_P(CarrierTable, CompletesVCyclesEveryTwoSymbols) {
  auto form = std::make_unique<Form1>();
  const int v = GetParam();
  form->hscCarrier.setValue(v);
  form->hscCarrier_Change();
  for (int i = 0; i < 4096; ++i) {
    const double angle = 2 * M_PI * v * i / 64.0;  // v/64 cycles per sample
    ASSERT_NEAR(form->dCarrier[2 * i], std::cos(angle), 1e-9) << "sample " << i;
    ASSERT_NEAR(form->dCarrier[2 * i + 1], std::sin(angle), 1e-9) << "sample " << i;
  }
  // Two symbols (64 samples) hold exactly v cycles: the table starts over there.
  EXPECT_NEAR(form->dCarrier[2 * 64], 1.0, 1e-12);
  EXPECT_NEAR(form->dCarrier[2 * 64 + 1], 0.0, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(SliderEnds, CarrierTable, ::testing::Values(2, 8));

TEST(Startup, FirstValues) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  EXPECT_EQ(form->dTxEyeScale, 1.0);
  EXPECT_EQ(form->dYThreshold, 0.0);
  EXPECT_EQ(form->dCarrier[0], 1.0);
  EXPECT_EQ(form->dCarrier[1], 0.0);
  EXPECT_DOUBLE_EQ(form->dCarrier[2], std::cos(M_PI / 16));
  EXPECT_EQ(form->lTick, 0);
  EXPECT_EQ(form->dCarrierPhase, 0.0);
  EXPECT_EQ(form->bFiltersValid, 0);  // the first tick designs the filters
}

TEST(Startup, ListKindsOfTheDescription) {
  auto form = std::make_unique<Form1>();
  // Only the receiver's lists take typed text: an unknown filter can only come from there.
  EXPECT_TRUE(form->cmbFilter[1].Editable && form->cmbMod[1].Editable && form->cmbNoise.Editable);
  EXPECT_FALSE(form->cmbFilter[0].Editable || form->cmbMod[0].Editable || form->cmbData.Editable);
  EXPECT_EQ(form->findControl("cmbMod(1)"), &form->cmbMod[1]);
  EXPECT_EQ(form->findControl("lneHint(20)"), nullptr);
}

// Which pictures a restart clears: draw on every one, restart, see which logs are empty.
struct RestartCase {
  int16_t index;
  bool clearsTransmitSpectrum;
  bool clearsOthers;
};

class Restart : public ::testing::TestWithParam<RestartCase> {};

TEST_P(Restart, ClearsWhatTheIndexSays) {
  const auto c = GetParam();
  auto form = std::make_unique<Form1>();
  for (int i = 0; i < 3; ++i) {
    for (PictureBox* p : {&form->picEye[i], &form->picScatter[i], &form->picSpectrum[i]}) {
      p->setRecording(true);
      p->Line(0, 0, 10, 10);
    }
  }
  form->dSpectrums = 7;
  form->RestartPics(c.index);
  EXPECT_EQ(form->picSpectrum[0].log().empty(), c.clearsTransmitSpectrum);
  EXPECT_EQ(form->dSpectrums, c.clearsTransmitSpectrum ? 0.0 : 7.0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(form->picEye[i].log().empty(), c.clearsOthers) << "picEye " << i;
    EXPECT_EQ(form->picScatter[i].log().empty(), c.clearsOthers) << "picScatter " << i;
    if (i > 0) {
      EXPECT_EQ(form->picSpectrum[i].log().empty(), c.clearsOthers) << "picSpectrum " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Indices, Restart,
                         ::testing::Values(RestartCase{0, true, true}, RestartCase{1, false, true},
                                           RestartCase{5, false, false}, RestartCase{-1, false, false}));

class RecordingHost : public Host {
 public:
  void message(std::string_view text) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

TEST(FftCall, ReportsABadSizeOnceAndLeavesTheDataAlone) {
  auto form = std::make_unique<Form1>();
  RecordingHost host;
  form->setHost(&host);
  form->dTxSpectrum[2] = 1.0;
  const SignalBlock before = form->dTxSpectrum;
  form->FFT(form->dTxSpectrum, 96, false);
  EXPECT_EQ(form->dTxSpectrum, before);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "This FFT only does powers of two.");
  form->FFT(form->dTxSpectrum, 4096, false);
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_NEAR(form->dTxSpectrum[2 * 1024], 0.0, 1e-12);  // e^{+i pi/2} at bin 1024
  EXPECT_NEAR(form->dTxSpectrum[2 * 1024 + 1], 1.0, 1e-12);
  form->setHost(nullptr);
}

}  // namespace
}  // namespace linklab
