// The model at the edges of its counters and lists: a tick count at the 32-bit limit, a second
// filling of the lists.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "main_window/form1.h"
#include "transmitter/option_catalogue.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> loaded() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  return form;
}

// After the largest count the next tick still runs the chain, and in the Baseband Demo still
// draws the trail line: the counter goes on at 2, past both first-tick values.
TEST(TickCount, GoesOnPastThe32BitLimitKeepingTheFirstTickRules) {
  auto form = loaded();
  form->Timer1_Timer();
  form->lTick = INT32_MAX;
  form->picData.setRecording(true);
  form->Timer1_Timer();
  EXPECT_EQ(form->lTick, 2);
  EXPECT_FALSE(form->picData.log().empty());  // the chain ran
  form->Timer1_Timer();
  EXPECT_EQ(form->lTick, 3);

  form->cmbScene.setText("Baseband Demo");
  form->lTick = INT32_MAX;
  form->picScatter[0].setRecording(true);
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
  auto form = loaded();
  form->fillLists();
  form->fillLists();
  namespace c = catalogue;
  struct Expected {
    const ComboBox& list;
    std::span<const std::string_view> entries;
  };
  for (const Expected& e : {Expected{form->cmbNoise, c::kNoise},
                            Expected{form->cmbMultipathDelay, c::kMultipathDelay},
                            Expected{form->cmbMultipathMag, c::kMultipathMag},
                            Expected{form->cmbData, c::kData},
                            Expected{form->cmbTxSC[1], c::kSubcarriers}}) {
    ASSERT_EQ(e.list.ListCount(), static_cast<int>(e.entries.size())) << e.list.name;
    for (int i = 0; i < e.list.ListCount(); ++i) EXPECT_EQ(e.list.List(i), e.entries[i]) << e.list.name;
  }
  EXPECT_EQ(form->cmbNoise.Text(), c::kNoiseDefault);
}

}  // namespace
}  // namespace linklab
