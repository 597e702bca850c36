// The lesson format: a whole lesson reads into its steps, and each kind of fault is refused with
// the line it is on and the token near it.
#include <gtest/gtest.h>

#include <string>

#include "lessons/lesson_text.h"

namespace linklab {
namespace {

constexpr const char* kGood = R"(linklab lesson 1
# A small lesson

Some words before the first step.

## Look
Just prose here,
over two lines.

## Set the noise
```setup
cmbScene = Full
cmbMod(0) = BPSK
lock = cmbScene, cmbMod(0)
```
Choose a noise level.
check: abs(dEbN0dB - 10) < 0.05
pass: Right.
fail: Not 10 dB yet.
```solution
cmbNoise = 1.0
```

## Ask
question: How many bits does a QPSK symbol carry?
check: answer == 2
```solution
answer = 2
```
)";

TEST(LessonText, ReadsAWholeLesson) {
  const LessonParse p = parseLessonText(kGood);
  ASSERT_TRUE(p.lesson) << p.error;
  const Lesson& l = *p.lesson;
  EXPECT_EQ(l.title, "A small lesson");
  EXPECT_EQ(l.intro, "Some words before the first step.");
  ASSERT_EQ(l.steps.size(), 3u);
  EXPECT_EQ(l.steps[0].title, "Look");
  EXPECT_EQ(l.steps[0].line, 6);
  EXPECT_EQ(l.steps[0].prose, "Just prose here,\nover two lines.");
  EXPECT_FALSE(l.steps[0].check);
  EXPECT_FALSE(l.steps[0].setup);
  const LessonStep& noise = l.steps[1];
  ASSERT_TRUE(noise.setup);
  EXPECT_EQ(noise.setup->entries.size(), 2u);
  EXPECT_EQ(noise.setup->locked, (std::vector<std::string>{"cmbScene", "cmbMod(0)"}));
  EXPECT_TRUE(noise.check);
  EXPECT_EQ(noise.checkText, "abs(dEbN0dB - 10) < 0.05");
  EXPECT_EQ(noise.pass, "Right.");
  EXPECT_EQ(noise.fail, "Not 10 dB yet.");
  ASSERT_EQ(noise.solution.entries.size(), 1u);
  EXPECT_EQ(noise.solution.entries[0].name, "cmbNoise");
  EXPECT_EQ(noise.solution.entries[0].value, "1.0");
  EXPECT_FALSE(noise.solutionAnswer);
  EXPECT_EQ(l.steps[2].question, "How many bits does a QPSK symbol carry?");
  EXPECT_EQ(l.steps[2].solutionAnswer, "2");
}

struct Fault {
  const char* what;
  std::string text;
  int line;
  const char* token;
};

class LessonFaults : public ::testing::TestWithParam<Fault> {};

TEST_P(LessonFaults, AreRefusedAtTheirLine) {
  const LessonParse p = parseLessonText(GetParam().text);
  EXPECT_FALSE(p.lesson);
  const std::string start = "line " + std::to_string(GetParam().line) + ": ";
  EXPECT_EQ(p.error.substr(0, start.size()), start) << p.error;
  const std::string near = std::string("near '") + GetParam().token + "'";
  EXPECT_NE(p.error.find(near), std::string::npos) << p.error;
}

const std::string kHead = "linklab lesson 1\n# T\n";

INSTANTIATE_TEST_SUITE_P(
    Lessons, LessonFaults,
    ::testing::Values(
        Fault{"a setup's header", "linklab setup 1\n# T\n## S\n", 1, "linklab"},
        Fault{"a newer version", "linklab lesson 2\n# T\n## S\n", 1, "2"},
        // The header is read past a byte-order mark, so the fault found is the version's.
        Fault{"a newer version after a byte-order mark", "\xEF\xBB\xBFlinklab lesson 2\n# T\n## S\n", 1, "2"},
        Fault{"no version number", "linklab lesson\n# T\n## S\n", 1, ""},
        Fault{"no title", "linklab lesson 1\n\nSome prose\n## S\n", 3, "Some"},
        Fault{"no steps", kHead + "prose only\n", 3, "T"},
        Fault{"a second title", kHead + "## S\n# Again\n", 4, "#"},
        Fault{"a step without a title", kHead + "## S\nx\n##  \n", 5, "##"},
        Fault{"a check before any step", kHead + "check: 1 < 2\n", 3, "check"},
        Fault{"an unknown block", kHead + "## S\n```python\n", 4, "```python"},
        Fault{"an unclosed block", kHead + "## S\n```setup\ncmbScene = Full\n", 4, "```setup"},
        Fault{"two setups", kHead + "## S\n```setup\n```\n```setup\n```\n", 6, "```setup"},
        Fault{"an unknown setting", kHead + "## S\n```setup\ncmbSense = Full\n```\n", 5, "cmbSense"},
        Fault{"a line that is no setting", kHead + "## S\n```setup\ncmbScene Full\n```\n", 5, "cmbScene"},
        Fault{"a malformed slider value", kHead + "## S\n```setup\nhscSample = 1.5\n```\n", 5, "1.5"},
        Fault{"a check that does not compile", kHead + "## S\ncheck: dBER < \n```solution\ncmbNoise = 1.0\n```\n",
              4, "end of the expression"},
        Fault{"an unknown name in a check", kHead + "## S\n\ncheck: 1 < dBr\n", 5, "dBr"},
        Fault{"two checks", kHead + "## S\ncheck: 1 < 2\ncheck: 2 < 3\n", 5, "check"},
        Fault{"an empty pass", kHead + "## S\npass:\n", 4, "pass"},
        Fault{"a check without a solution", kHead + "## S\ncheck: dBER < 1\n## T2\n", 3, "S"},
        Fault{"the last step's check without a solution", kHead + "## S\n## Last\ncheck: dBER < 1\n", 4, "Last"},
        Fault{"a solution without a check", kHead + "## S\n```solution\ncmbNoise = 1.0\n```\n", 4, "```solution"},
        Fault{"pass without a check", kHead + "## S\npass: yes\n## U\n", 4, "pass"},
        Fault{"fail without a check", kHead + "## S\nfail: no\n## U\n", 4, "fail"},
        Fault{"a question without a check", kHead + "## S\nquestion: why?\n", 4, "question"},
        Fault{"a check reading an answer no question asks",
              kHead + "## S\ncheck: answer == 2\n```solution\nanswer = 2\n```\n", 4, "answer"},
        Fault{"a question the solution does not answer",
              kHead + "## S\nquestion: Q?\ncheck: answer == 2\n```solution\ncmbNoise = 1.0\n```\n", 6, "```solution"},
        Fault{"limits in a solution", kHead + "## S\ncheck: 1 < 2\n```solution\nlock = cmbScene\n```\n", 6, "lock"},
        Fault{"a solution changing a locked setting",
              kHead + "## S\n```setup\ncmbScene = Full\nlock = cmbNoise\n```\ncheck: 1 < 2\n```solution\ncmbNoise = 1.0\n```\n",
              10, "cmbNoise"},
        Fault{"a setting solved twice",
              kHead + "## S\ncheck: 1 < 2\n```solution\ncmbNoise = 1.0\ncmbNoise = 0.1\n```\n", 7, "cmbNoise"}));

TEST(LessonText, KeepsNothingOfAFaultyText) {
  // The fault is in the last step: the steps before it must not come back half-read.
  const LessonParse p = parseLessonText(std::string(kGood) + "## Broken\ncheck: nonsense\n");
  EXPECT_FALSE(p.lesson);
  EXPECT_EQ(p.error.substr(0, 8), "line 31:") << p.error;
}

}  // namespace
}  // namespace linklab
