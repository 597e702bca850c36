// A lesson taken on a window: typed answers read as numbers, a step whose setup the window
// refuses is not entered, and the check follows the step entered.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <utility>

#include "lessons/lesson_session.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

// The whole text (blanks aside) must be one number, else NaN.
TEST(TypedAnswers, ReadAsAWholeNumberOrNaN) {
  for (const auto& [typed, number] : {std::pair{"10", 10.0}, {" 10.46 ", 10.46}, {"-3", -3.0}, {"1e-3", 0.001}}) {
    EXPECT_DOUBLE_EQ(answerNumber(typed), number) << typed;
  }
  for (const char* typed : {"", "  ", "10 dB", "ten", "3,5"}) EXPECT_TRUE(std::isnan(answerNumber(typed))) << typed;
}

// Step 2's setup asks for the receive filter in a scene that does not show it (its line 15).
constexpr const char* kLesson =
    "linklab lesson 1\n# T\n## Fine\n```setup\ncmbScene = Full\ncmbMod(0) = QPSK\n```\ncheck: cmbMod(0) == \"QPSK\"\n"
    "```solution\ncmbMod(0) = QPSK\n```\n## Unreachable\n```setup\ncmbScene = Modulation\ncmbFilter(1) = Matched\n```\n";

TEST(LessonSessionSteps, RefuseASetupTheWindowCannotTakeAndKeepTheStep) {
  LessonParse p = parseLessonText(kLesson);
  ASSERT_TRUE(p.lesson) << p.error;
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  LessonSession session;
  EXPECT_EQ(session.enterStep(*form, 1), "no lesson is open");
  session.open(std::move(*p.lesson));
  EXPECT_EQ(session.check(*form).kind, LessonVerdict::Kind::None);
  ASSERT_EQ(session.enterStep(*form, 1), "");
  EXPECT_EQ(session.check(*form).kind, LessonVerdict::Kind::Pass);
  const std::string why = session.enterStep(*form, 2);
  EXPECT_EQ(why.substr(0, 16), "step 2: line 15:") << why;
  EXPECT_EQ(session.step(), 1);
  EXPECT_EQ(form->cmbMod[0].Text(), "QPSK");
  EXPECT_NE(session.enterStep(*form, 3), "");
  EXPECT_NE(session.enterStep(*form, 0), "");
  EXPECT_EQ(session.step(), 1);
}

}  // namespace
}  // namespace linklab
