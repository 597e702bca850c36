#pragma once
// A lesson as text, Markdown-like: `linklab lesson 1`, a `# Title`, then steps (`## Step title`),
// each with prose, an optional ```setup block applied on entering it, an optional `question:`,
// an optional `check:` with `pass:` and `fail:` messages, and a ```solution block that every
// step with a check has. Read all or nothing; the first error is `line N: what near 'token'`.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lessons/lesson_expression.h"
#include "setups/setup_text.h"

namespace linklab {

inline constexpr int LessonVersion = 1;
inline constexpr std::string_view LessonHeader = "linklab lesson";

struct LessonStep {
  std::string title;
  int line = 0;
  std::string prose;              // paragraphs separated by blank lines, as written
  std::optional<Setup> setup;     // applied (with its locks and hides) on entering the step
  std::string question;           // empty when the step asks for no typed answer
  std::optional<Expression> check;
  std::string checkText;
  std::string pass, fail;         // what the check says when it holds, when it does not
  Setup solution;                 // settings only, no limits
  std::optional<std::string> solutionAnswer;
};

struct Lesson {
  std::string title;
  std::string intro;  // prose before the first step
  std::vector<LessonStep> steps;
};

struct LessonParse {
  std::optional<Lesson> lesson;
  std::string error;
};

LessonParse parseLessonText(std::string_view text);

}  // namespace linklab
