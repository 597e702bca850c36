// Every shipped lesson walked step by step on a real window model, as a student takes it: each
// step that asks for an action or an answer must not pass when entered, nor after the link has
// run untouched as long as its readouts need, and must pass once its solution is applied, within
// 30 runs.
#include "batch/script_run.h"
#include "lessons/lesson_session.h"

namespace linklab {
namespace {

constexpr int kFairRuns = 30;

void run(Form1& form, int ticks) {
  for (int i = 0; i < ticks; ++i)
    if (form.Timer1.Enabled && form.Timer1.onTimer) form.Timer1.onTimer();
}

// The error counts gather 128 symbols a run and the checks ask for 3000 of them (24 runs): those
// get the full 30. The pooled figures (eye statistics, averaged spectrum, pooled gain) settle
// within their checks' margins in a few runs, and controls and answers do not move at all.
int runsNeeded(const std::string& check) {
  for (const char* counted : {"lBits", "lSymbols", "dBER", "dSER"})
    if (check.find(counted) != std::string::npos) return kFairRuns;
  return 5;
}

class ShippedLessons : public ::testing::TestWithParam<std::size_t> {};

TEST_P(ShippedLessons, EachStepFailsUntilItsSolutionThenPasses) {
  const ShippedLesson& shipped = shippedLessons()[GetParam()];
  LessonParse p = parseLessonText(shipped.text);
  ASSERT_TRUE(p.lesson) << shipped.name << ": " << p.error;
  const int steps = static_cast<int>(p.lesson->steps.size());
  EXPECT_TRUE(steps >= 4 && steps <= 8) << steps;
  auto form = window();
  LessonSession session;
  session.open(std::move(*p.lesson));
  int checked = 0;
  for (int n = 1; n <= steps; ++n) {
    SCOPED_TRACE(std::string(shipped.name) + " step " + std::to_string(n));
    ASSERT_EQ(session.enterStep(*form, n), "");
    const LessonStep& step = session.current().steps[static_cast<std::size_t>(n - 1)];
    if (!step.check) {
      EXPECT_EQ(session.check(*form).kind, LessonVerdict::Kind::None);
      run(*form, 2);
      continue;
    }
    ++checked;
    EXPECT_EQ(session.check(*form).kind, LessonVerdict::Kind::Fail) << "passes on entering: " << step.checkText;
    run(*form, runsNeeded(step.checkText));
    EXPECT_EQ(session.check(*form).kind, LessonVerdict::Kind::Fail) << "passes untouched: " << step.checkText;
    ASSERT_EQ(session.solve(*form), "");
    int runs = 0;
    do run(*form, 1);
    while (session.check(*form).kind != LessonVerdict::Kind::Pass && ++runs < kFairRuns);
    const LessonVerdict verdict = session.check(*form);
    EXPECT_EQ(verdict.kind, LessonVerdict::Kind::Pass)
        << step.checkText << " (dEbN0dB " << form->dEbN0dB << ", dEbN0EffectivedB " << form->dEbN0EffectivedB
        << ", dBER " << form->dBER << " theory " << form->dBERTheory << ", dSER " << form->dSER << " theory "
        << form->dSERTheory << ", lBits " << form->lBits << ", eye " << form->dEyeOpeningPercent << ")";
    EXPECT_EQ(verdict.message, step.pass);
  }
  EXPECT_GE(checked, 3);
}

INSTANTIATE_TEST_SUITE_P(Lessons, ShippedLessons, ::testing::Range<std::size_t>(0, shippedLessons().size()),
                         [](const ::testing::TestParamInfo<std::size_t>& info) {
                           std::string name(shippedLessons()[info.param].name);
                           for (char& c : name)
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           return name;
                         });

}  // namespace
}  // namespace linklab
