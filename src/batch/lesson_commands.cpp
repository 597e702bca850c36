#include "batch/lesson_commands.h"

#include <fstream>
#include <sstream>

#include "batch/script_words.h"
#include "lessons/lesson_session.h"

namespace linklab {

namespace {

std::string openLesson(LessonSession& session, const std::string& nameOrFile) {
  for (const ShippedLesson& shipped : shippedLessons()) {
    if (shipped.name != nameOrFile) continue;
    LessonParse parsed = parseLessonText(shipped.text);
    if (!parsed.lesson) return nameOrFile + ": " + parsed.error;
    session.open(std::move(*parsed.lesson));
    return {};
  }
  std::ifstream in(nameOrFile, std::ios::binary);
  std::ostringstream text;
  if (!in || !(text << in.rdbuf()) || in.bad()) return "no shipped lesson and no file '" + nameOrFile + "'";
  LessonParse parsed = parseLessonText(text.str());
  if (!parsed.lesson) return nameOrFile + ": " + parsed.error;
  session.open(std::move(*parsed.lesson));
  return {};
}

std::string lessonAction(Form1& form, LessonSession& session, std::string_view rest, std::ostream& out) {
  const auto [action, argument] = firstWord(rest);
  if (!session.isOpen()) return "no lesson is open";
  if (action == "step") {
    const auto n = wholeNumber(trim(argument));
    if (!n) return "lesson step takes a step number";
    if (*n < 1 || *n > static_cast<long>(session.current().steps.size()))
      return "the lesson has steps 1 to " + std::to_string(session.current().steps.size());
    return session.enterStep(form, static_cast<int>(*n));
  }
  if (session.step() == 0) return "no lesson step is entered";
  if (action == "answer") {
    session.setAnswer(trim(argument));
    return {};
  }
  if (!trim(argument).empty()) return "lesson " + std::string(action) + " takes nothing more";
  if (action == "check") {
    const LessonVerdict verdict = session.check(form);
    switch (verdict.kind) {
      case LessonVerdict::Kind::None: out << "check: none\n"; break;
      case LessonVerdict::Kind::Pass: out << "check: pass\n"; break;
      case LessonVerdict::Kind::Fail: out << "check: fail: " << verdict.message << '\n'; break;
    }
    return {};
  }
  if (action == "solve") return session.solve(form);
  return "unknown lesson command '" + std::string(action) + "'";
}

}  // namespace

std::optional<std::string> lessonCommand(Form1& form, LessonSession& session, std::string_view command,
                                         std::string_view rest, std::ostream& out) {
  if (command == "print") {
    if (rest == "lessons") {
      for (const ShippedLesson& shipped : shippedLessons()) out << shipped.name << '\n';
      out << "end\n";
      return std::string();
    }
    if (rest == "lessonSteps") {
      if (!session.isOpen()) return std::string("no lesson is open");
      out << "lessonSteps = " << session.current().steps.size() << '\n';
      return std::string();
    }
    return std::nullopt;
  }
  if (command == "lesson") return lessonAction(form, session, rest, out);
  const auto [object, argument] = firstWord(rest);
  if (command != "open" || object != "lesson") return std::nullopt;
  const std::string file(trim(argument));
  if (file.empty()) return std::string("open lesson takes NAME or FILE");
  return openLesson(session, file);
}

}  // namespace linklab
