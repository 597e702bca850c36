// A lesson taken on a window: typed answers read as numbers, a step whose setup the window
// refuses is not entered, and the check follows the step entered.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "lessons/lesson_session.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

struct AnswerCase {
  const char* typed;
  double number;  // NaN: not a number
};

class TypedAnswers : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(TypedAnswers, ReadAsAWholeNumberOrNaN) {
  const double v = answerNumber(GetParam().typed);
  if (std::isnan(GetParam().number))
    EXPECT_TRUE(std::isnan(v)) << GetParam().typed << " gave " << v;
  else
    EXPECT_DOUBLE_EQ(v, GetParam().number) << GetParam().typed;
}

INSTANTIATE_TEST_SUITE_P(Lessons, TypedAnswers,
                         ::testing::Values(AnswerCase{"10", 10}, AnswerCase{" 10.46 ", 10.46},
                                           AnswerCase{"-3", -3}, AnswerCase{"1e-3", 0.001},
                                           AnswerCase{"", NAN}, AnswerCase{"  ", NAN},
                                           AnswerCase{"10 dB", NAN}, AnswerCase{"ten", NAN},
                                           AnswerCase{"3,5", NAN}));

constexpr const char* kLesson = R"(linklab lesson 1
# T
## Fine
```setup
cmbScene = Full
cmbMod(0) = QPSK
```
check: cmbMod(0) == "QPSK"
```solution
cmbMod(0) = QPSK
```
## Unreachable
```setup
cmbScene = Modulation
cmbFilter(1) = Matched
```
)";

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
