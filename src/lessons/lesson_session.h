#pragma once
// A lesson being taken on a window: the present step, the student's typed answer, the step's
// check judged against the window's readouts and controls, and the step's solution.
#include <string>
#include <string_view>
#include <vector>

#include "lessons/lesson_text.h"

namespace linklab {

class Form1;

struct LessonVerdict {
  enum class Kind { None, Pass, Fail } kind = Kind::None;
  std::string message;
};

class LessonSession {
 public:
  void open(Lesson opened);
  bool isOpen() const { return !lesson.steps.empty(); }
  const Lesson& current() const { return lesson; }
  int step() const { return stepNumber; }  // 1-based; 0 before the first is entered

  // Enters step n (1-based) and applies its setup, if it has one, with its limits; empty on
  // success, else why not (the window then keeps its settings).
  std::string enterStep(Form1& form, int n);
  void setAnswer(std::string_view text) { answer = std::string(text); }
  const std::string& typedAnswer() const { return answer; }
  LessonVerdict check(const Form1& form) const;
  // The step's solution: its settings on top of the window's (or, when the two do not go
  // together, of the step's setup), all or nothing, and its answer.
  std::string solve(Form1& form);

 private:
  Lesson lesson;
  int stepNumber = 0;
  std::string answer;
};

// The student's answer as a number: the whole text (blanks aside) must be one, else NaN.
double answerNumber(std::string_view text);

// The lessons that come with the program, by name, and their texts.
struct ShippedLesson {
  std::string_view name;
  std::string_view text;
};
const std::vector<ShippedLesson>& shippedLessons();

}  // namespace linklab
