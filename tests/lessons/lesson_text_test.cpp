// The lesson format: a whole lesson reads into its steps, and each kind of fault is refused with
// the line it is on and the token near it.
#include "batch/script_run.h"
#include "lessons/lesson_text.h"

namespace linklab {
namespace {

// Line 6 opens the first step; the text ends on line 30.
constexpr const char* kGood =
    "linklab lesson 1\n# A small lesson\n\nSome words before the first step.\n\n## Look\n"
    "Just prose here,\nover two lines.\n\n## Set the noise\n```setup\ncmbScene = Full\ncmbMod(0) = BPSK\n"
    "lock = cmbScene, cmbMod(0)\n```\nChoose a noise level.\ncheck: abs(dEbN0dB - 10) < 0.05\n"
    "pass: Right.\nfail: Not 10 dB yet.\n```solution\ncmbNoise = 1.0\n```\n\n## Ask\n"
    "question: How many bits does a QPSK symbol carry?\ncheck: answer == 2\n```solution\nanswer = 2\n"
    "```\n";

TEST(LessonText, ReadsAWholeLesson) {
  const LessonParse p = parseLessonText(kGood);
  ASSERT_TRUE(p.lesson) << p.error;
  const Lesson& l = *p.lesson;
  EXPECT_EQ(l.title + "|" + l.intro, "A small lesson|Some words before the first step.");
  ASSERT_EQ(l.steps.size(), 3u);
  const LessonStep &look = l.steps[0], &noise = l.steps[1], &ask = l.steps[2];
  EXPECT_EQ(look.title + "|" + look.prose, "Look|Just prose here,\nover two lines.");
  EXPECT_EQ(look.line, 6);
  EXPECT_FALSE(look.check || look.setup);
  ASSERT_TRUE(noise.setup && noise.check);
  EXPECT_EQ(noise.setup->entries.size(), 2u);
  EXPECT_EQ(noise.setup->locked, (std::vector<std::string>{"cmbScene", "cmbMod(0)"}));
  EXPECT_EQ(noise.checkText + "|" + noise.pass + "|" + noise.fail, "abs(dEbN0dB - 10) < 0.05|Right.|Not 10 dB yet.");
  ASSERT_EQ(noise.solution.entries.size(), 1u);
  EXPECT_EQ(noise.solution.entries[0].name + " = " + noise.solution.entries[0].value, "cmbNoise = 1.0");
  EXPECT_FALSE(noise.solutionAnswer);
  EXPECT_EQ(ask.question, "How many bits does a QPSK symbol carry?");
  EXPECT_EQ(ask.solutionAnswer, "2");
}

const std::string kHead = "linklab lesson 1\n# T\n", kSolved = "```solution\ncmbNoise = 1.0\n```\n";

TEST(LessonText, FaultsAreRefusedAtTheirLine) {
  for (const auto& [text, line, token] : std::vector<std::tuple<std::string, int, const char*>>{
        // the header: a setup's, a newer version (also past a byte-order mark), none
        {"linklab setup 1\n# T\n## S\n", 1, "linklab"}, {"linklab lesson 2\n# T\n## S\n", 1, "2"},
        {"\xEF\xBB\xBFlinklab lesson 2\n# T\n## S\n", 1, "2"}, {"linklab lesson\n# T\n## S\n", 1, ""},
        // titles and steps
        {"linklab lesson 1\n\nSome prose\n## S\n", 3, "Some"}, {kHead + "prose only\n", 3, "T"},
        {kHead + "## S\n# Again\n", 4, "#"}, {kHead + "## S\nx\n##  \n", 5, "##"},
        {kHead + "check: 1 < 2\n", 3, "check"},
        // blocks and the settings in them
        {kHead + "## S\n```python\n", 4, "```python"}, {kHead + "## S\n```setup\ncmbScene = Full\n", 4, "```setup"},
        {kHead + "## S\n```setup\n```\n```setup\n```\n", 6, "```setup"},
        {kHead + "## S\n```setup\ncmbSense = Full\n```\n", 5, "cmbSense"},
        {kHead + "## S\n```setup\ncmbScene Full\n```\n", 5, "cmbScene"},
        {kHead + "## S\n```setup\nhscSample = 1.5\n```\n", 5, "1.5"},
        // checks, verdicts, questions and their solutions
        {kHead + "## S\ncheck: dBER < \n" + kSolved, 4, "end of the expression"},
        {kHead + "## S\n\ncheck: 1 < dBr\n", 5, "dBr"}, {kHead + "## S\ncheck: 1 < 2\ncheck: 2 < 3\n", 5, "check"},
        {kHead + "## S\npass:\n", 4, "pass"}, {kHead + "## S\ncheck: dBER < 1\n## T2\n", 3, "S"},
        {kHead + "## S\n## Last\ncheck: dBER < 1\n", 4, "Last"}, {kHead + "## S\n" + kSolved, 4, "```solution"},
        {kHead + "## S\npass: yes\n## U\n", 4, "pass"}, {kHead + "## S\nfail: no\n## U\n", 4, "fail"},
        {kHead + "## S\nquestion: why?\n", 4, "question"},
        {kHead + "## S\ncheck: answer == 2\n```solution\nanswer = 2\n```\n", 4, "answer"},
        {kHead + "## S\nquestion: Q?\ncheck: answer == 2\n" + kSolved, 6, "```solution"},
        {kHead + "## S\ncheck: 1 < 2\n```solution\nlock = cmbScene\n```\n", 6, "lock"},
        {kHead + "## S\n```setup\ncmbScene = Full\nlock = cmbNoise\n```\ncheck: 1 < 2\n" + kSolved, 10, "cmbNoise"},
        {kHead + "## S\ncheck: 1 < 2\n```solution\ncmbNoise = 1.0\ncmbNoise = 0.1\n```\n", 7, "cmbNoise"}}) {
    const LessonParse p = parseLessonText(text);
    EXPECT_FALSE(p.lesson) << text;
    EXPECT_EQ(p.error.rfind("line " + std::to_string(line) + ": ", 0), 0u) << p.error;
    EXPECT_NE(p.error.find(std::string("near '") + token + "'"), std::string::npos) << p.error;
  }
}

TEST(LessonText, KeepsNothingOfAFaultyText) {
  // The fault is in the last step: the steps before it must not come back half-read.
  const LessonParse p = parseLessonText(std::string(kGood) + "## Broken\ncheck: nonsense\n");
  EXPECT_FALSE(p.lesson);
  EXPECT_EQ(p.error.substr(0, 8), "line 31:") << p.error;
}

}  // namespace
}  // namespace linklab
