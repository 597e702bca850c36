// Every shipped lesson, step by step, on a real window model: each step that asks for an action
// or an answer must not pass when entered, nor after the link has run a while untouched, and
// must pass once its solution is applied and the link has run at most 30 times.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "lessons/lesson_session.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

constexpr int kFairRuns = 30;

void run(Form1& form, int ticks) {
  for (int i = 0; i < ticks; ++i)
    if (form.Timer1.Enabled && form.Timer1.onTimer) form.Timer1.onTimer();
}

struct ShippedStep {
  std::string lesson;
  int step;
};

std::vector<ShippedStep> allSteps() {
  std::vector<ShippedStep> steps;
  for (const ShippedLesson& shipped : shippedLessons()) {
    const LessonParse p = parseLessonText(shipped.text);
    const int count = p.lesson ? static_cast<int>(p.lesson->steps.size()) : 0;
    for (int i = 1; i <= count; ++i) steps.push_back({std::string(shipped.name), i});
  }
  return steps;
}

const std::string& textOf(const std::string& name) {
  static std::string none;
  for (const ShippedLesson& shipped : shippedLessons())
    if (shipped.name == name) {
      static std::string text;
      text = std::string(shipped.text);
      return text;
    }
  return none;
}

class ShippedLessons : public ::testing::TestWithParam<ShippedStep> {};

TEST(ShippedLessonTexts, AllReadAndHaveFourToEightSteps) {
  ASSERT_GE(shippedLessons().size(), 3u);
  for (const ShippedLesson& shipped : shippedLessons()) {
    const LessonParse p = parseLessonText(shipped.text);
    ASSERT_TRUE(p.lesson) << shipped.name << ": " << p.error;
    EXPECT_GE(p.lesson->steps.size(), 4u) << shipped.name;
    EXPECT_LE(p.lesson->steps.size(), 8u) << shipped.name;
    int checked = 0;
    for (const LessonStep& s : p.lesson->steps) checked += s.check ? 1 : 0;
    EXPECT_GE(checked, 3) << shipped.name;
  }
}

TEST_P(ShippedLessons, StepFailsUntilItsSolutionThenPasses) {
  LessonParse p = parseLessonText(textOf(GetParam().lesson));
  ASSERT_TRUE(p.lesson) << p.error;
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  LessonSession session;
  session.open(std::move(*p.lesson));
  const int n = GetParam().step;
  // The steps before it first, as a student comes to it.
  for (int i = 1; i < n; ++i) {
    ASSERT_EQ(session.enterStep(*form, i), "");
    if (session.current().steps[static_cast<std::size_t>(i - 1)].check) {
      ASSERT_EQ(session.solve(*form), "");
    }
    run(*form, 2);
  }
  ASSERT_EQ(session.enterStep(*form, n), "");
  const LessonStep& step = session.current().steps[static_cast<std::size_t>(n - 1)];
  if (!step.check) {
    EXPECT_EQ(session.check(*form).kind, LessonVerdict::Kind::None);
    return;
  }
  EXPECT_EQ(session.check(*form).kind, LessonVerdict::Kind::Fail) << "passes on entering: " << step.checkText;
  run(*form, kFairRuns);
  EXPECT_EQ(session.check(*form).kind, LessonVerdict::Kind::Fail) << "passes untouched: " << step.checkText;
  ASSERT_EQ(session.solve(*form), "");
  run(*form, kFairRuns);
  const LessonVerdict verdict = session.check(*form);
  EXPECT_EQ(verdict.kind, LessonVerdict::Kind::Pass)
      << step.checkText << " (dEbN0dB " << form->dEbN0dB << ", dEbN0EffectivedB " << form->dEbN0EffectivedB
      << ", dBER " << form->dBER << " theory " << form->dBERTheory << ", dSER " << form->dSER << " theory "
      << form->dSERTheory << ", lBits " << form->lBits << ", eye " << form->dEyeOpeningPercent << ")";
  EXPECT_EQ(verdict.message, step.pass);
}

INSTANTIATE_TEST_SUITE_P(Lessons, ShippedLessons, ::testing::ValuesIn(allSteps()),
                         [](const ::testing::TestParamInfo<ShippedStep>& info) {
                           std::string name = info.param.lesson + "_" + std::to_string(info.param.step);
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace linklab
