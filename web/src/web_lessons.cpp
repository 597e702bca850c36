// The page's lesson panel as the core sees it: the lessons by key, the one shown, and each of
// its steps entered as a user event of the window, so the step's setup and locks apply. The
// page only shows what lessonState() says.
#include <algorithm>

#include "control_json.h"
#include "web_app.h"

namespace linklab::web {

std::string WebApp::lessonList() {
  std::string out = "[";
  for (const ShippedLesson& shipped : shippedLessons()) {
    const LessonParse parsed = parseLessonText(shipped.text);
    if (!parsed.lesson) continue;  // the shipped texts are parsed in their own tests
    if (out.size() > 1) out += ',';
    out += "{\"name\":" + jsonString(shipped.name) + ",\"title\":" + jsonString(parsed.lesson->title) + '}';
  }
  return out + ']';
}

LessonSession* WebApp::shownLesson() {
  auto it = lessons.find(lessonShown);
  return it == lessons.end() ? nullptr : &it->second;
}

const LessonSession* WebApp::shownLesson() const { return const_cast<WebApp*>(this)->shownLesson(); }

// At step 1 the first time, else back where the student left it, with the step's setup and locks
// again (another lesson may have changed the window since) and the typed answer kept.
bool WebApp::enterLesson(const std::string& key, Lesson lesson) {
  acted();
  if (lesson.steps.empty()) {
    fail("The lesson " + lesson.title + " has no steps.");
    return false;
  }
  auto [it, added] = lessons.try_emplace(key);
  if (added) it->second.open(std::move(lesson));
  LessonSession& s = it->second;
  const std::string typed = s.typedAnswer();
  const std::string why = s.enterStep(form, std::max(1, s.step()));
  if (!why.empty()) {
    const std::string title = s.current().title;
    if (added) lessons.erase(it);
    fail("Cannot open the lesson " + title + ":\n" + why);
    return false;
  }
  s.setAnswer(typed);
  lessonShown = key;
  return true;
}

bool WebApp::openLesson(const std::string& name) {
  for (const ShippedLesson& shipped : shippedLessons()) {
    if (shipped.name != name) continue;
    LessonParse parsed = parseLessonText(shipped.text);
    return parsed.lesson && enterLesson(name, std::move(*parsed.lesson));
  }
  return false;
}

bool WebApp::openLessonText(const std::string& text, const std::string& fileName) {
  LessonParse parsed = parseLessonText(text);
  if (!parsed.lesson) {
    fail("Cannot read the lesson " + fileName + ":\n" + parsed.error);
    return false;
  }
  return enterLesson("file:" + fileName, std::move(*parsed.lesson));
}

bool WebApp::lessonGo(int by) {
  LessonSession* s = shownLesson();
  if (!s) return false;
  acted();
  const int n = s->step() + by;
  if (n < 1 || n > static_cast<int>(s->current().steps.size())) return false;
  if (const std::string why = s->enterStep(form, n); !why.empty()) {
    fail("Cannot enter the step:\n" + why);
    return false;
  }
  return true;
}

void WebApp::lessonAnswer(const std::string& text) {
  if (LessonSession* s = shownLesson()) s->setAnswer(text);
}

std::string WebApp::lessonCheck() const {
  const LessonSession* s = shownLesson();
  const LessonVerdict v = s ? s->check(form) : LessonVerdict{};
  const char* kind = v.kind == LessonVerdict::Kind::Pass ? "pass" : v.kind == LessonVerdict::Kind::Fail ? "fail" : "none";
  return std::string("{\"verdict\":\"") + kind + "\",\"message\":" + jsonString(v.message) + '}';
}

bool WebApp::lessonSolve() {
  LessonSession* s = shownLesson();
  if (!s) return false;
  acted();
  if (const std::string why = s->solve(form); !why.empty()) {
    fail("Cannot solve the step:\n" + why);
    return false;
  }
  return true;
}

std::string WebApp::lessonState() const {
  const LessonSession* s = shownLesson();
  if (!s || s->step() < 1) return "{\"open\":false}";
  const Lesson& lesson = s->current();
  const LessonStep& step = lesson.steps[static_cast<std::size_t>(s->step() - 1)];
  // The lesson's introduction leads into its first step.
  return "{\"open\":true,\"title\":" + jsonString(lesson.title) + ",\"step\":" + std::to_string(s->step()) +
         ",\"count\":" + std::to_string(lesson.steps.size()) + ",\"stepTitle\":" + jsonString(step.title) +
         ",\"intro\":" + jsonString(s->step() == 1 ? lesson.intro : std::string()) +
         ",\"prose\":" + jsonString(step.prose) + ",\"question\":" + jsonString(step.question) +
         ",\"answer\":" + jsonString(s->typedAnswer()) + '}';
}

}  // namespace linklab::web
