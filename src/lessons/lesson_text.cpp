#include "lessons/lesson_text.h"

#include <algorithm>
#include <charconv>

namespace linklab {

namespace {

std::string_view trim(std::string_view s) { return trimmedLine(s); }
// A lesson's keyword lines end their first word at a colon too ("check:").
std::string_view firstToken(std::string_view line) { return lineFirstWord(line, " \t=:"); }

std::string versionError(std::string_view line) {
  const std::string_view text = trim(line);
  if (!text.starts_with(LessonHeader))
    return setupError(1, "not a LinkLab lesson: the first line should be 'linklab lesson 1'", firstToken(text));
  const std::string_view number = trim(text.substr(LessonHeader.size()));
  int version = 0;
  const auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), version);
  if (number.empty() || ec != std::errc() || ptr != number.data() + number.size() || version < 1)
    return setupError(1, "the version should be a whole number from 1", number);
  if (version > LessonVersion)
    return setupError(1, "version " + std::string(number) + " is newer than this LinkLab reads (" +
                             std::to_string(LessonVersion) + ")", number);
  return {};
}

// The lines a step's parts were written on, for the errors found once the step is whole.
struct StepLines {
  int check = 0, pass = 0, fail = 0, question = 0, solution = 0, answer = 0;
};

class LessonReader {
 public:
  LessonParse read(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);  // a byte-order mark some editors add
    int number = 0;
    while (!text.empty() || number == 0) {
      const auto end = text.find('\n');
      const std::string_view raw = text.substr(0, end);
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
      ++number;
      if (auto why = line(number, raw); !why.empty()) return {std::nullopt, why};
    }
    if (fence != Fence::None)
      return {std::nullopt, setupError(fenceLine, "the block is not closed with ```", fence == Fence::Setup ? "```setup" : "```solution")};
    if (lesson.title.empty()) return {std::nullopt, setupError(number, "a lesson needs a title line '# Title'", "")};
    if (lesson.steps.empty()) return {std::nullopt, setupError(number, "a lesson needs at least one step '## Step'", lesson.title)};
    if (auto why = finishStep(); !why.empty()) return {std::nullopt, why};
    for (LessonStep& s : lesson.steps) tidy(s.prose);
    tidy(lesson.intro);
    return {std::move(lesson), {}};
  }

 private:
  enum class Fence { None, Setup, Solution };

  static void tidy(std::string& prose) {
    while (!prose.empty() && (prose.back() == '\n' || prose.back() == ' ')) prose.pop_back();
    while (!prose.empty() && prose.front() == '\n') prose.erase(prose.begin());
  }

  std::string line(int number, std::string_view raw) {
    if (number == 1) return versionError(raw);
    const std::string_view text = trim(raw);
    if (fence != Fence::None) return blockLine(number, text);
    if (lesson.title.empty()) {
      if (text.empty()) return {};
      if (!text.starts_with("# ") || trim(text.substr(2)).empty())
        return setupError(number, "expected the lesson's title '# Title'", firstToken(text));
      lesson.title = std::string(trim(text.substr(2)));
      return {};
    }
    if (text == "##" || text.starts_with("## ")) {
      if (auto why = finishStep(); !why.empty()) return why;
      const std::string_view title = trim(text.substr(2));
      if (title.empty()) return setupError(number, "a step needs a title", text);
      lesson.steps.push_back({});
      lesson.steps.back().title = std::string(title);
      lesson.steps.back().line = number;
      lines = {};
      return {};
    }
    if (text == "#" || text.starts_with("# ")) return setupError(number, "a lesson has one title; a step starts with '## '", firstToken(text));
    LessonStep* step = lesson.steps.empty() ? nullptr : &lesson.steps.back();
    const bool special = text.starts_with("```") || text.starts_with("question:") || text.starts_with("check:") ||
                         text.starts_with("pass:") || text.starts_with("fail:");
    if (special && !step) return setupError(number, "this belongs in a step; start one with '## '", firstToken(text));
    if (text.starts_with("```")) return openBlock(number, *step, trim(text.substr(3)));
    if (text.starts_with("question:")) return once(number, lines.question, "question", step->question, text.substr(9));
    if (text.starts_with("pass:")) return once(number, lines.pass, "pass", step->pass, text.substr(5));
    if (text.starts_with("fail:")) return once(number, lines.fail, "fail", step->fail, text.substr(5));
    if (text.starts_with("check:")) return check(number, *step, text.substr(6));
    std::string& prose = step ? step->prose : lesson.intro;
    prose += std::string(text) + "\n";
    return {};
  }

  std::string once(int number, int& seen, std::string_view what, std::string& into, std::string_view value) {
    if (seen) return setupError(number, "a step has one '" + std::string(what) + ":'", what);
    value = trim(value);
    if (value.empty()) return setupError(number, "'" + std::string(what) + ":' needs a text", what);
    seen = number;
    into = std::string(value);
    return {};
  }

  std::string check(int number, LessonStep& step, std::string_view text) {
    if (lines.check) return setupError(number, "a step has one 'check:'", "check");
    text = trim(text);
    if (text.empty()) return setupError(number, "'check:' needs an expression", "check");
    ExpressionCompile compiled = compileExpression(text);
    if (!compiled.error.empty())
      return setupError(number, compiled.error + " (check, column " + std::to_string(compiled.column) + ")", compiled.token);
    lines.check = number;
    step.check = std::move(compiled.expression);
    step.checkText = std::string(text);
    return {};
  }

  std::string openBlock(int number, LessonStep& step, std::string_view kind) {
    if (kind == "setup") {
      if (step.setup) return setupError(number, "a step has one setup block", "```setup");
      step.setup.emplace();
      fence = Fence::Setup;
    } else if (kind == "solution") {
      if (lines.solution) return setupError(number, "a step has one solution block", "```solution");
      lines.solution = number;
      fence = Fence::Solution;
    } else {
      return setupError(number, "a block is ```setup or ```solution", "```" + std::string(kind));
    }
    fenceLine = number;
    return {};
  }

  std::string blockLine(int number, std::string_view text) {
    if (text == "```") {
      fence = Fence::None;
      return {};
    }
    if (text.empty() || text.front() == '#') return {};
    LessonStep& step = lesson.steps.back();
    const auto eq = text.find('=');
    if (eq == std::string_view::npos) return setupError(number, "expected 'name = value'", firstToken(text));
    const std::string_view name = trim(text.substr(0, eq));
    const std::string_view value = trim(text.substr(eq + 1));
    if (fence == Fence::Setup)
      return isSetupLimit(name) ? addSetupLimit(*step.setup, number, name, value)
                                : addSetupEntry(*step.setup, number, name, value);
    if (name == "answer") {
      if (lines.answer) return setupError(number, "set a second time", name);
      if (value.empty()) return setupError(number, "answer needs a value", name);
      lines.answer = number;
      step.solutionAnswer = std::string(value);
      return {};
    }
    if (isSetupLimit(name)) return setupError(number, "a solution changes settings; limits belong in the setup", name);
    if (auto why = addSetupEntry(step.solution, number, name, value); !why.empty()) return why;
    if (step.setup && std::find(step.setup->locked.begin(), step.setup->locked.end(), name) != step.setup->locked.end())
      return setupError(number, "the step's setup locks this setting", name);
    return {};
  }

  // What can only be judged once the step is whole.
  std::string finishStep() {
    if (lesson.steps.empty()) return {};
    const LessonStep& s = lesson.steps.back();
    if (s.check && !lines.solution)
      return setupError(s.line, "a step with a check needs a ```solution block", s.title);
    if (!s.check) {
      if (lines.solution) return setupError(lines.solution, "a solution without a check", "```solution");
      if (lines.pass) return setupError(lines.pass, "'pass:' without a check", "pass");
      if (lines.fail) return setupError(lines.fail, "'fail:' without a check", "fail");
      if (lines.question) return setupError(lines.question, "a question without a check", "question");
      return {};
    }
    if (s.check->readsAnswer() && !lines.question)
      return setupError(lines.check, "the check reads the answer but the step asks no 'question:'", "answer");
    if (lines.answer && !lines.question)
      return setupError(lines.answer, "a solution's answer without a 'question:'", "answer");
    if (lines.question && !lines.answer)
      return setupError(lines.solution, "the solution needs an answer to the question", "```solution");
    return {};
  }

  Lesson lesson;
  Fence fence = Fence::None;
  int fenceLine = 0;
  StepLines lines;
};

}  // namespace

LessonParse parseLessonText(std::string_view text) { return LessonReader().read(text); }

}  // namespace linklab
