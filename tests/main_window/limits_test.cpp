// The model at the edges of its counters and lists: a tick count at the 32-bit limit, a second
// filling of the lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "main_window/window_setup.h"
#include "transmitter/option_catalogue.h"

namespace linklab {
namespace {

// After the largest count the next tick still runs the chain, and in the Baseband Demo still
// draws the trail line: the counter goes on at 2, past both first-tick values.
TEST(TickCount, GoesOnPastThe32BitLimitKeepingTheFirstTickRules) {
  auto form = window({}, 1);
  form->lTick = INT32_MAX;
  form->picData.setRecording(true);
  form->Timer1_Timer();
  EXPECT_EQ(form->lTick, 2);
  EXPECT_FALSE(form->picData.log().empty());  // the chain ran
  form->cmbScene.setText("Baseband Demo");
  form->lTick = INT32_MAX;
  form->Timer1_Timer();
  EXPECT_EQ(form->lTick, 2);
  form->picScatter[0].setRecording(true);
  form->Timer1_Timer();
  const auto& ops = form->picScatter[0].log();
  ASSERT_EQ(ops.size(), 6u);  // the trail line, then the five circles
  EXPECT_EQ(ops.front().kind, DrawOp::Kind::Line);
}

// Filling the lists again gives the same lists, not every entry twice.
TEST(FillLists, ASecondFillGivesTheSameEntries) {
  auto form = window();
  form->fillLists();
  form->fillLists();
  namespace c = catalogue;
  for (const auto& [list, entries] : {std::pair{&form->cmbNoise, c::kNoise.size()},
                                      {&form->cmbMultipathDelay, c::kMultipathDelay.size()},
                                      {&form->cmbMultipathMag, c::kMultipathMag.size()},
                                      {&form->cmbData, c::kData.size()}, {&form->cmbTxSC[1], c::kSubcarriers.size()}})
    EXPECT_EQ(list->ListCount(), static_cast<int>(entries)) << list->name;
  EXPECT_EQ(form->cmbNoise.Text(), c::kNoiseDefault);
}

}  // namespace
}  // namespace linklab
