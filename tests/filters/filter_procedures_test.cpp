// designFilters on the main window: parameter texts tidied in place, responses stored, the
// unknown-type message, the matched receive filter.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "main_window/form1.h"
#include "transmitter/test_blocks.h"

namespace linklab {
namespace {

using namespace linklab::testing;

std::unique_ptr<Form1> formWith(const char* tx, const char* rx, RecordingHost& host) {
  auto form = std::make_unique<Form1>();
  form->setHost(&host);
  form->cmbFilter[0].setText(tx);
  form->cmbFilter[1].setText(rx);
  return form;
}

TEST(DesignFilters, TidiesTheTextsInUseAndBuildsBothResponses) {
  RecordingHost host;
  auto form = formWith("Raised Cosine", "Gaussian", host);
  form->cmbTxEB[0].setText("250");
  form->cmbTxEB[1].setText("35.6");
  form->cmbTxBW[0].setText("7");
  form->cmbTxBW[1].setText("0.5");
  form->iCodeRate = 0;
  form->dBitsPerSymbol = 1;
  form->designFilters();
  EXPECT_EQ(form->cmbTxEB[0].Text(), "100");  // in use by the transmit filter
  EXPECT_EQ(form->cmbTxBW[1].Text(), "0.50");  // in use by the receive filter
  EXPECT_EQ(form->iCodeRate, 1);
  EXPECT_EQ(form->bFiltersValid, -1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_NEAR(form->dTxFilter[2 * 64], 0.5, 1e-12);     // 100 %: H(64) = 0.5
  EXPECT_NEAR(form->dTxFilter[0], 1.0, 1e-12);
  EXPECT_NEAR(form->dRxFilter[2 * 64], std::exp(-0.5), 1e-12);  // w = 64
  EXPECT_NEAR(form->dRxFilter[2 * (4096 - 64)], std::exp(-0.5), 1e-12);
}

TEST(DesignFilters, UnknownTypeShowsTheMessageOnceAndGivesZero) {
  RecordingHost host;
  auto form = formWith("None", "Chebyshev", host);
  form->dRxFilter.fill(5.0);
  form->designFilters();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0], "Internal Error: Unknown Filter Type.");
  for (int i = 0; i < 8192; ++i) ASSERT_EQ(form->dRxFilter[i], 0.0) << i;
  for (int k = 0; k < 4096; ++k) ASSERT_EQ(form->dTxFilter[2 * k], 1.0) << k;
  EXPECT_EQ(form->bFiltersValid, -1);
  form->designFilters();
  EXPECT_EQ(host.messages.size(), 2u) << "shown again on every design";
}

TEST(DesignFilters, MatchedReceiverCopiesTheTransmitResponse) {
  RecordingHost host;
  auto form = formWith("Root RC", "Matched", host);
  form->cmbTxEB[0].setText("35");
  form->designFilters();
  for (int i = 0; i < 8192; ++i) ASSERT_EQ(form->dRxFilter[i], form->dTxFilter[i]) << i;
  EXPECT_NEAR(form->dRxFilter[2 * 64] * form->dTxFilter[2 * 64], 0.5, 1e-12) << "overall raised cosine";
}


// In the running program every tidied text raises its list's rule, which may run a tick that
// designs again; the cascade ends with the tidy texts and the responses they describe.
TEST(DesignFilters, TidyingInsideTheRunningProgramSettles) {
  RecordingHost host;
  auto form = std::make_unique<Form1>();
  form->setHost(&host);
  form->Form_Load();
  form->Timer1_Timer();
  form->cmbMod[0].setText("QPSK");
  form->cmbFilter[0].setText("Raised Cosine");
  form->cmbTxEB[0].setText("250");
  form->Timer1_Timer();
  EXPECT_EQ(form->cmbTxEB[0].Text(), "100");
  EXPECT_EQ(form->bFiltersValid, -1);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_NEAR(form->dTxFilter[2 * 64 / form->iCodeRate], 0.5, 1e-12);  // 100 %: half at (1+1)*64/M/2
  for (double v : form->dTxSignal) ASSERT_TRUE(std::isfinite(v));
}

}  // namespace
}  // namespace linklab
