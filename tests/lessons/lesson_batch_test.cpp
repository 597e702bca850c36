// The lesson commands of a script: listing and opening lessons, entering steps, answers, checks
// and solutions, and the faults that stop a script.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "batch/batch_runner.h"
#include "lessons/lesson_session.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

struct ScriptRun {
  int status;
  std::string out, err;
};

ScriptRun runScript(const std::string& script) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  std::istringstream in(script);
  std::ostringstream out, err;
  BatchRunner runner(*form, out, err);
  const int status = runner.run(in);
  return {status, out.str(), err.str()};
}

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
  const std::string file = std::string(::testing::TempDir()) + "walk.lesson";
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
  const std::string file = std::string(::testing::TempDir()) + "solve.lesson";
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

struct BadScript {
  std::string script;
  const char* error;
};

class LessonBatchFaults : public ::testing::TestWithParam<BadScript> {};

TEST_P(LessonBatchFaults, StopTheScript) {
  const ScriptRun r = runScript(GetParam().script);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, GetParam().error);
}

const std::string kOpen = "open lesson noise-and-matched-filter\n";
INSTANTIATE_TEST_SUITE_P(
    Lessons, LessonBatchFaults,
    ::testing::ValuesIn(std::vector<BadScript>{
        {"lesson check\n", "error: line 1: no lesson is open\n"},
        {"print lessonSteps\n", "error: line 1: no lesson is open\n"},
        {"open lesson\n", "error: line 1: open lesson takes NAME or FILE\n"},
        {"open lesson /nonexistent/x.lesson\n", "error: line 1: no shipped lesson and no file '/nonexistent/x.lesson'\n"},
        {kOpen + "lesson check\n", "error: line 2: no lesson step is entered\n"},
        {kOpen + "lesson step 0\n", "error: line 2: the lesson has steps 1 to 5\n"},
        {kOpen + "lesson step two\n", "error: line 2: lesson step takes a step number\n"},
        {kOpen + "lesson step 1\nlesson jump\n", "error: line 3: unknown lesson command 'jump'\n"},
        {kOpen + "lesson step 2\nset cmbScene Scatter\n", "error: line 3: cmbScene is locked by the setup\n"}}));

}  // namespace
}  // namespace linklab
