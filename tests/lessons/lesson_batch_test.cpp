// The lesson commands of a script: listing and opening lessons, entering steps, answers, checks
// and solutions, and the faults that stop a script; a lesson taken on a window: typed answers read
// as numbers, a step whose setup the window refuses is not entered.
#include "batch/script_run.h"
#include "lessons/lesson_session.h"

namespace linklab {
namespace {

TEST(LessonBatch, ListsTheShippedLessonsAndOpensOneByName) {
  std::string expected;
  for (const ShippedLesson& s : shippedLessons()) expected += std::string(s.name) + "\n";
  EXPECT_EQ(runScript("print lessons\n").out, expected + "end\n");
  const ShippedLesson& first = shippedLessons().front();
  const ScriptRun r = runScript("open lesson " + std::string(first.name) + "\nprint lessonSteps\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "lessonSteps = " + std::to_string(parseLessonText(first.text).lesson->steps.size()) + "\n");
}

TEST(LessonBatch, WalksALessonFromAFile) {
  const std::string file = scratchFile("walk.lesson");
  std::ofstream(file) << "linklab lesson 1\n# T\n## Look\nprose\n"
                         "## Ten dB\n```setup\ncmbScene = Full\ncmbMod(0) = BPSK\ncmbFilter(0) = Root RC\n```\n"
                         "check: abs(dEbN0dB - 10) < 0.05\npass: yes\nfail: not 10 dB\n```solution\ncmbNoise = 1.0\n```\n"
                         "## Ask\nquestion: Two plus two?\ncheck: answer == 4\n```solution\nanswer = 4\n```\n";
  const ScriptRun r = runScript("open lesson " + file +
                                "\nprint lessonSteps\nlesson step 1\nlesson check\nlesson step 2\nlesson check\n"
                                "lesson solve\ntick 2\nlesson check\nprint cmbNoise.Text\nlesson step 3\nlesson check\n"
                                "lesson answer 5\nlesson check\nlesson answer  4 \nlesson check\nlesson answer four\n"
                                "lesson check\nlesson solve\nlesson check\n");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out,
            "lessonSteps = 3\ncheck: none\ncheck: fail: not 10 dB\ncheck: pass\ncmbNoise.Text = 1.0\n"
            "check: fail: not yet\ncheck: fail: not yet\ncheck: pass\ncheck: fail: not yet\ncheck: pass\n");
}

// The solution goes on top of what the student set, unless the two cannot go together: then on
// top of the step's setup.
TEST(LessonBatch, SolvesOnTopOfTheWindowOrElseOfTheStepsSetup) {
  const std::string file = scratchFile("solve.lesson");
  std::ofstream(file) << "linklab lesson 1\n# T\n## Key\n```setup\ncmbScene = Full\ncmbMod(0) = FSK\n```\n"
                         "check: cmbMod(0) == \"BPSK\"\n```solution\ncmbMod(0) = BPSK\n```\n";
  const ScriptRun kept = runScript("open lesson " + file +
                                   "\nlesson step 1\nset cmbNoise 0.2\nlesson solve\nlesson check\n"
                                   "print cmbNoise.Text\n");
  EXPECT_EQ(kept.status, 0) << kept.err;
  EXPECT_EQ(kept.out, "check: pass\ncmbNoise.Text = 0.2\n");
  // An FSK index has no place with BPSK, so the student's settings give way.
  const ScriptRun fallback = runScript("open lesson " + file +
                                       "\nlesson step 1\nset cmbNoise 0.2\nset vscFSK 3\nlesson solve\n"
                                       "lesson check\nprint cmbNoise.Text\nprint cmbMod(0).Text\n");
  EXPECT_EQ(fallback.status, 0) << fallback.err;
  EXPECT_EQ(fallback.out, "check: pass\ncmbNoise.Text = None\ncmbMod(0).Text = BPSK\n");
}

TEST(LessonBatch, FaultsStopTheScript) {
  const std::string open = "open lesson noise-and-matched-filter\n";
  for (const auto& [script, error] : std::vector<std::pair<std::string, const char*>>{
           {"lesson check\n", "error: line 1: no lesson is open\n"},
           {"print lessonSteps\n", "error: line 1: no lesson is open\n"},
           {"open lesson\n", "error: line 1: open lesson takes NAME or FILE\n"},
           {"open lesson /nonexistent/x.lesson\n", "error: line 1: no shipped lesson and no file '/nonexistent/x.lesson'\n"},
           {open + "lesson check\n", "error: line 2: no lesson step is entered\n"},
           {open + "lesson step 0\n", "error: line 2: the lesson has steps 1 to 5\n"},
           {open + "lesson step two\n", "error: line 2: lesson step takes a step number\n"},
           {open + "lesson step 1\nlesson jump\n", "error: line 3: unknown lesson command 'jump'\n"},
           {open + "lesson step 2\nset cmbScene Scatter\n", "error: line 3: cmbScene is locked by the setup\n"}}) {
    const ScriptRun r = runScript(script);
    EXPECT_EQ(r.status, 1) << script;
    EXPECT_EQ(r.err, error);
  }
}

// The whole text (blanks aside) must be one number, else NaN.
TEST(TypedAnswers, ReadAsAWholeNumberOrNaN) {
  for (const auto& [typed, number] : {std::pair{"10", 10.0}, {" 10.46 ", 10.46}, {"-3", -3.0}, {"1e-3", 0.001}})
    EXPECT_DOUBLE_EQ(answerNumber(typed), number) << typed;
  for (const char* typed : {"", "  ", "10 dB", "ten", "3,5"}) EXPECT_TRUE(std::isnan(answerNumber(typed))) << typed;
}

// Step 2's setup asks for the receive filter in a scene that does not show it (its line 15).
constexpr const char* kLesson =
    "linklab lesson 1\n# T\n## Fine\n```setup\ncmbScene = Full\ncmbMod(0) = QPSK\n```\ncheck: cmbMod(0) == \"QPSK\"\n"
    "```solution\ncmbMod(0) = QPSK\n```\n## Unreachable\n```setup\ncmbScene = Modulation\ncmbFilter(1) = Matched\n```\n";

TEST(LessonSessionSteps, RefuseASetupTheWindowCannotTakeAndKeepTheStep) {
  LessonParse p = parseLessonText(kLesson);
  ASSERT_TRUE(p.lesson) << p.error;
  auto form = window();
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
