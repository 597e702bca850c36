#include "lessons/lesson_session.h"

#include <cmath>
#include <cstdlib>

#include "main_window/form1.h"
#include "setups/setup_apply.h"
#include "setups/setup_settings.h"

namespace linklab {

namespace {

// The window's readouts and controls by the names the batch runner prints.
class FormInputs : public ExpressionInputs {
 public:
  FormInputs(const Form1& form, double answer) : form(form), typed(answer) {}

  double readout(std::string_view name) const override {
    struct Entry {
      std::string_view name;
      double SimulationState::*real;
      int32_t SimulationState::*count;
    };
    static const Entry table[] = {
        {"dEbN0dB", &SimulationState::dEbN0dB, nullptr},
        {"dEbN0EffectivedB", &SimulationState::dEbN0EffectivedB, nullptr},
        {"dEVMPercent", &SimulationState::dEVMPercent, nullptr},
        {"dEVMPeakPercent", &SimulationState::dEVMPeakPercent, nullptr},
        {"lSymbols", nullptr, &SimulationState::lSymbols},
        {"lSymbolErrors", nullptr, &SimulationState::lSymbolErrors},
        {"lBits", nullptr, &SimulationState::lBits},
        {"lBitErrors", nullptr, &SimulationState::lBitErrors},
        {"dSER", &SimulationState::dSER, nullptr},
        {"dBER", &SimulationState::dBER, nullptr},
        {"dSERTheory", &SimulationState::dSERTheory, nullptr},
        {"dBERTheory", &SimulationState::dBERTheory, nullptr},
        {"dEyeOpeningPercent", &SimulationState::dEyeOpeningPercent, nullptr},
        {"dQFactor", &SimulationState::dQFactor, nullptr},
        {"dOccupiedBandwidthkHz", &SimulationState::dOccupiedBandwidthkHz, nullptr},
        {"dOutOfBandPowerdBc", &SimulationState::dOutOfBandPowerdBc, nullptr},
        {"dEnvelopeMinPercent", &SimulationState::dEnvelopeMinPercent, nullptr},
    };
    const SimulationState& s = form;
    for (const Entry& e : table)
      if (e.name == name) return e.real ? s.*e.real : static_cast<double>(s.*e.count);
    return NAN;
  }

  std::string control(std::string_view name) const override {
    const SetupSetting* setting = findSetupSetting(name);
    return setting ? readSetupSetting(form, *setting) : std::string();
  }

  double answer() const override { return typed; }

 private:
  const Form1& form;
  double typed;
};

}  // namespace

double answerNumber(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return NAN;
  const auto last = text.find_last_not_of(" \t\r\n");
  const std::string word(text.substr(first, last - first + 1));
  char* end = nullptr;
  const double v = std::strtod(word.c_str(), &end);
  return end == word.c_str() + word.size() ? v : NAN;
}

void LessonSession::open(Lesson opened) {
  lesson = std::move(opened);
  stepNumber = 0;
  answer.clear();
}

std::string LessonSession::enterStep(Form1& form, int n) {
  if (!isOpen()) return "no lesson is open";
  if (n < 1 || n > static_cast<int>(lesson.steps.size()))
    return "the lesson has steps 1 to " + std::to_string(lesson.steps.size()) + ", not " + std::to_string(n);
  const LessonStep& s = lesson.steps[static_cast<std::size_t>(n - 1)];
  if (s.setup)
    if (auto why = applySetup(form, *s.setup); !why.empty()) return "step " + std::to_string(n) + ": " + why;
  stepNumber = n;
  answer.clear();
  return {};
}

LessonVerdict LessonSession::check(const Form1& form) const {
  if (stepNumber == 0) return {};
  const LessonStep& s = lesson.steps[static_cast<std::size_t>(stepNumber - 1)];
  if (!s.check) return {};
  if (s.check->holds(FormInputs(form, answerNumber(answer)))) return {LessonVerdict::Kind::Pass, s.pass};
  return {LessonVerdict::Kind::Fail, s.fail.empty() ? std::string("not yet") : s.fail};
}

std::string LessonSession::solve(Form1& form) {
  if (stepNumber == 0) return "no lesson step is entered";
  const LessonStep& s = lesson.steps[static_cast<std::size_t>(stepNumber - 1)];
  if (!s.solutionAnswer && s.solution.entries.empty()) return "this step has no solution";
  if (!s.solution.entries.empty()) {
    auto over = [&](Setup base) {
      for (const SetupEntry& e : s.solution.entries) {
        bool replaced = false;
        for (SetupEntry& b : base.entries)
          if (b.name == e.name) b = e, replaced = true;
        if (!replaced) base.entries.push_back(e);
      }
      return base;
    };
    std::string why = applySetup(form, over(captureSetup(form)));
    if (!why.empty()) why = applySetup(form, over(s.setup.value_or(Setup{})));
    if (!why.empty()) return why;
  }
  if (s.solutionAnswer) answer = *s.solutionAnswer;
  return {};
}

}  // namespace linklab
