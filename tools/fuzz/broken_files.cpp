// Scripts that open broken setup and lesson files: cut short, junk, huge, of another version, or
// well formed but not reachable. The state is printed just before the open; a replay of the
// script in this process prints it again after a refusal, and the two must be the same.
#include "lessons/lesson_session.h"
#include "script_generator.h"

namespace linklab::fuzz {

namespace {

// Settings a setup may name, with values the window offers somewhere.
std::string settingLine(RandomSource& rnd, const ModelNames& names) {
  static const std::vector<std::string> lists = {"cmbScene", "cmbData", "cmbMod(0)", "cmbFilter(0)", "cmbTxEB(0)",
                                                 "cmbTxBW(0)", "cmbTxSC(0)", "cmbFilter(1)", "cmbTxEB(1)",
                                                 "cmbNonlinear", "cmbNoise"};
  static const std::vector<std::string> sliders = {"vscFSK", "hscSample", "vscTxEyeScale", "vscYThreshold",
                                                   "vscSpectrumRange", "hscSpectrum", "hscCarrier", "vscFreq"};
  static const std::vector<std::string> boxes = {"chkLinear", "chkMemory", "chkPassband", "cmdPause"};
  switch (rnd.below(3)) {
    case 0: {
      const std::string& name = rnd.pick(lists);
      // The list of that name (cmbMod is listed by the model as cmbMod(0)).
      for (const ModelNames::List& list : names.lists)
        if (list.name == name && !list.entries.empty()) return name + " = " + rnd.pick(list.entries);
      return name + " = " + hostileText(rnd);
    }
    case 1: {
      const std::string& name = rnd.pick(sliders);
      for (const ModelNames::Bar& bar : names.sliders)
        if (bar.name == name) return name + " = " + std::to_string(rnd.between(bar.min, bar.max));
      return name + " = 0";
    }
    default: return rnd.pick(boxes) + " = " + std::to_string(rnd.below(2));
  }
}

// Combinations every part of which is offered, but not together (a control the others hide, a
// setting the others undo).
const std::vector<std::string>& unreachableSetups() {
  static const std::vector<std::string> texts = {
      "cmbScene = Modulation\ncmbFilter(1) = Matched\n",
      "cmbScene = Full\nhscCarrier = 6\n",
      "cmbScene = Full\ncmbMod(0) = BPSK\nvscFSK = 3\n",
      "cmbScene = Baseband Demo\ncmbMod(0) = QPSK\n",
      "cmbScene = Full\ncmbMod(0) = FSK\ncmbFilter(0) = OFDM\n",
      "cmbScene = Scatter\ncmbFilter(0) = OFDM\ncmbTxEB(0) = 30\n",
      "cmbScene = Modulation\ncmbNoise = 1.0\n",
      "cmbScene = Full\nlock = cmbScene\nhide = cmbScene, nothing\n"};
  return texts;
}

std::string junk(RandomSource& rnd, long bytes) {
  std::string s;
  for (long i = 0; i < bytes; ++i) s += static_cast<char>(rnd.below(256));
  return s;
}

std::string truncated(RandomSource& rnd, const std::string& text) {
  if (text.empty()) return text;
  return text.substr(0, static_cast<std::size_t>(rnd.between(0, static_cast<long>(text.size()) - 1)));
}

// Megabytes: a line of millions of characters, or hundreds of thousands of lines.
std::string huge(RandomSource& rnd, const std::string& head, const std::string& line) {
  std::string s = head;
  if (rnd.chance(0.5)) {
    s += line.substr(0, line.find('=') + 2) + std::string(static_cast<std::size_t>(rnd.between(1, 4)) << 20, 'x') + "\n";
  } else {
    const long lines = rnd.between(50000, 300000);
    for (long i = 0; i < lines; ++i) s += rnd.chance(0.999) ? "# " + std::to_string(i) + "\n" : line + "\n";
  }
  return s;
}

std::string brokenSetup(RandomSource& rnd, const ModelNames& names) {
  const std::string head = "linklab setup 1\n";
  std::string valid = head;
  for (int i = rnd.between(1, 6); i > 0; --i) valid += settingLine(rnd, names) + "\n";
  switch (rnd.below(6)) {
    case 0: return truncated(rnd, valid);
    case 1: return rnd.chance(0.5) ? junk(rnd, rnd.between(1, 4000)) : head + junk(rnd, rnd.between(1, 4000));
    case 2: return huge(rnd, head, settingLine(rnd, names));
    case 3: {
      static const std::vector<std::string> versions = {"linklab setup 2", "linklab setup 0", "linklab setup 99999999999",
                                                        "linklab setup -1", "linklab setup", "linklab lesson 1",
                                                        "LinkLab setup 1", "linklab setup 1.0"};
      return rnd.pick(versions) + valid.substr(head.size() - 1);
    }
    case 4: return head + rnd.pick(unreachableSetups());
    default: return valid;  // well formed: whether it is reachable is up to the window
  }
}

std::string brokenLesson(RandomSource& rnd) {
  const std::string shipped(rnd.pick(std::vector<ShippedLesson>(shippedLessons().begin(), shippedLessons().end())).text);
  const std::string head = "linklab lesson 1\n# A lesson\n";
  switch (rnd.below(5)) {
    case 0: return truncated(rnd, shipped);
    case 1: return rnd.chance(0.5) ? junk(rnd, rnd.between(1, 4000)) : head + junk(rnd, rnd.between(1, 4000));
    case 2: return huge(rnd, head + "## A step\n", "check: answer == 1");
    case 3: return (rnd.chance(0.5) ? "linklab lesson 2" : "linklab lesson 0") + shipped.substr(shipped.find('\n'));
    default: {
      // Reads well; entering its step 2 cannot be done.
      std::string setup = rnd.pick(unreachableSetups());
      return head + "## Fine\nProse.\n\n## Not reachable\n```setup\n" + setup + "```\nquestion: Why?\n"
                                                                              "check: answer == 1\n```solution\nanswer = 1\n```\n";
    }
  }
}

}  // namespace

Script ScriptGenerator::generateBroken(uint64_t seed) const {
  RandomSource rnd(seed);
  Script script;
  script.studentReachable = false;  // a setup may type anything a list takes
  // A session first, so that there is something a broken open could disturb.
  bool ignored = true;
  for (int i = rnd.between(0, 6); i > 0; --i) script.lines.push_back(setLine(rnd, false, ignored));
  const bool lessonOpen = rnd.chance(0.5);
  if (lessonOpen) {
    const ShippedLesson& shipped = shippedLessons()[static_cast<std::size_t>(rnd.below(static_cast<int>(shippedLessons().size())))];
    script.lines.push_back("open lesson " + std::string(shipped.name));
    script.lines.push_back("lesson step " + std::to_string(rnd.between(1, 4)));
  }
  const std::string file = workDir + "/broken-" + std::to_string(seed) + (rnd.chance(0.5) ? ".linklab" : ".lesson");
  std::string open;
  bool stepEntered = lessonOpen;
  switch (rnd.below(3)) {
    case 0:
      script.files.push_back({file, brokenSetup(rnd, names)});
      open = "open setup " + file;
      break;
    case 1:
      script.files.push_back({file, brokenLesson(rnd)});
      open = "open lesson " + file;
      break;
    default:
      // A lesson that reads (no step entered yet), then a step that cannot be entered.
      script.files.push_back({file, brokenLesson(rnd)});
      script.lines.push_back("open lesson " + file);
      stepEntered = false;
      open = "lesson step 2";
  }
  script.probe = {"print setup", "print setupLink", "print lScene", "print lTick", "print dSpectrums"};
  if (lessonOpen || open == "lesson step 2") script.probe.push_back("print lessonSteps");
  if (stepEntered) script.probe.push_back("lesson check");
  script.lines.insert(script.lines.end(), script.probe.begin(), script.probe.end());
  script.lines.push_back(open);
  script.openLine = script.lines.size();
  return script;
}

}  // namespace linklab::fuzz
