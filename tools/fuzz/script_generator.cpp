#include "script_generator.h"

#include <memory>

#include "batch/state_fields.h"
#include "form/combo_box.h"
#include "form/slider.h"
#include "form/widgets.h"
#include "main_window/form1.h"

namespace linklab::fuzz {

ModelNames ModelNames::fromModel() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  ModelNames n;
  for (Control* c : form->controls()) {
    n.controls.push_back(c->name);
    switch (c->kind()) {
      case ControlKind::ComboBox: {
        const auto& list = static_cast<const ComboBox&>(*c);
        List l{c->name, {}, list.Editable};
        for (int i = 0; i < list.ListCount(); ++i) l.entries.push_back(list.List(i));
        n.lists.push_back(l);
        break;
      }
      case ControlKind::Slider: {
        const auto& s = static_cast<const Slider&>(*c);
        n.sliders.push_back({c->name, s.Min(), s.Max()});
        break;
      }
      case ControlKind::CheckBox:
        n.checkBoxes.push_back(c->name);
        n.clickables.push_back(c->name);
        break;
      case ControlKind::TextBox: n.textBoxes.push_back(c->name); break;
      case ControlKind::Picture:
        n.pictures.push_back(c->name);
        n.clickables.push_back(c->name);
        break;
      case ControlKind::Button:
      case ControlKind::Label: n.clickables.push_back(c->name); break;
      default: break;
    }
  }
  n.clickables.push_back("HelpText.cmdClose");
  n.clickables.push_back("Instructions.cmdClose");
  for (std::string_view f : stateFieldNames(*form)) n.fields.emplace_back(f);
  return n;
}

namespace {

const std::vector<std::string> kProperties = {
    "Text",  "Caption", "Value", "Min",       "Max",       "SmallChange", "LargeChange", "Visible",
    "Enabled", "Left",  "Top",   "Width",     "Height",    "ListCount",   "List(0)",     "List(5)",
    "List(-1)", "ForeColor", "BorderWidth", "BorderColor", "X1", "Y1", "X2", "Y2", "Interval",
    "ScaleWidth", "ScaleHeight", "Colour", ""};

const std::vector<std::string> kPlainProcedures = {
    "Form_Load",     "fillLists",        "makeData",          "modulateData",         "designFilters",
    "shapeTxSignal", "rfAmplifier",      "addNoise",          "rxFilter",             "runSimulation",
    "tickOnce",      "Timer1_Timer",     "cmdPause_Click",    "plotTrajectory",       "showHelp",
    "showInstructions", "hscCarrier_Change", "hscDataScroll_Change", "hscDataZoom_Change",
    "cmbScene_Change"};

const std::vector<std::string> kIndexedProcedures = {"RestartPics",    "placeTraceButton", "cmbMod_Change",
                                                     "cmbFilter_Change", "cmbTxEB_Change", "cmbTxBW_Change",
                                                     "cmbTxSC_Change"};

}  // namespace

// A number word: mostly small and sound, sometimes at or past a limit, sometimes not a number.
std::string ScriptGenerator::number(RandomSource& rnd) const {
  switch (rnd.below(6)) {
    case 0: return std::to_string(rnd.between(-5, 5));
    case 1: return std::to_string(rnd.between(-40000, 40000));
    case 2: return std::to_string(rnd.unit() * 4 - 2);
    case 3: {
      static const std::vector<std::string> edges = {"-32768", "32767", "32768", "-32769", "2147483647",
                                                     "-2147483648", "2147483648", "1e308", "-1e308",
                                                     "1e-320", "4096", "8192", "4095", "0"};
      return rnd.pick(edges);
    }
    default: {
      std::string s = hostileText(rnd);
      // A word: no blanks inside, or it would count as several.
      for (char& c : s)
        if (c == ' ' || c == '\t') c = '_';
      return s.empty() ? "0" : s;
    }
  }
}

std::string ScriptGenerator::setLine(RandomSource& rnd, bool& reachable) const {
  switch (rnd.below(5)) {
    case 0:
    case 1: {
      const auto& list = rnd.pick(names.lists);
      if (!list.entries.empty() && rnd.chance(0.7)) return "set " + list.name + " " + rnd.pick(list.entries);
      if (!list.editable) reachable = false;  // refused anyway: not an entry
      return "set " + list.name + " " + hostileText(rnd);
    }
    case 2: {
      const auto& bar = rnd.pick(names.sliders);
      if (rnd.chance(0.7)) return "set " + bar.name + " " + std::to_string(rnd.between(bar.min, bar.max));
      reachable = false;  // a scroll bar never goes past its ends
      return "set " + bar.name + " " + number(rnd);
    }
    case 3: {
      const std::string value = rnd.chance(0.8) ? std::to_string(rnd.below(2)) : number(rnd);
      return "set " + rnd.pick(names.checkBoxes) + " " + value;
    }
    default: {
      if (names.textBoxes.empty()) return "set cmbNoise 0.4";
      const std::string value = rnd.chance(0.5) ? std::to_string(rnd.unit() * 2) : hostileText(rnd);
      return "set " + rnd.pick(names.textBoxes) + " " + value;
    }
  }
}

std::string ScriptGenerator::callLine(RandomSource& rnd) const {
  switch (rnd.below(7)) {
    case 0:
    case 1: return "call " + rnd.pick(kPlainProcedures);
    case 2: return "call " + rnd.pick(kIndexedProcedures) + " " + (rnd.chance(0.5) ? std::to_string(rnd.between(-1, 2)) : number(rnd));
    case 3: return "call setScene " + (rnd.chance(0.6) ? std::to_string(rnd.between(0, 5)) : number(rnd));
    case 4: {
      std::string s = "call arrangeComponentPics";
      for (int i = 0; i < 4; ++i) s += " " + (rnd.chance(0.6) ? std::to_string(rnd.between(-500, 12000)) : number(rnd));
      return s;
    }
    case 5: return "call dragMarker " + number(rnd) + " " + number(rnd);
    default: {
      const std::string field = rnd.chance(0.8) ? rnd.pick(names.fields) : number(rnd);
      static const std::vector<std::string> sizes = {"4096", "2048", "8", "2", "1", "0", "-4", "3", "8192", "16384"};
      return "call FFT " + field + " " + (rnd.chance(0.8) ? rnd.pick(sizes) : number(rnd)) + " " +
             (rnd.chance(0.8) ? std::to_string(rnd.below(2)) : number(rnd));
    }
  }
}

std::string ScriptGenerator::letLine(RandomSource& rnd) const {
  std::string target = rnd.pick(names.fields);
  if (rnd.chance(0.4)) target += "(" + (rnd.chance(0.7) ? std::to_string(rnd.between(0, 8192)) : number(rnd)) + ")";
  std::string s = "let " + target;
  const int values = rnd.chance(0.8) ? 1 : rnd.between(0, 40);
  for (int i = 0; i < values; ++i) s += " " + (rnd.chance(0.6) ? std::to_string(rnd.unit() * 20 - 10) : number(rnd));
  return s;
}

std::string ScriptGenerator::printLine(RandomSource& rnd) const {
  switch (rnd.below(4)) {
    case 0: return "print " + rnd.pick(names.fields);
    case 1: return "print " + rnd.pick(names.fields) + "(" + std::to_string(rnd.between(-2, 8194)) + ")";
    case 2: return "print " + std::string(rnd.chance(0.5) ? "HelpText" : "Instructions") + (rnd.chance(0.5) ? ".Visible" : ".Caption");
    default: return "print " + rnd.pick(names.controls) + "." + rnd.pick(kProperties);
  }
}

std::string ScriptGenerator::line(RandomSource& rnd, bool& reachable) const {
  const int kind = rnd.below(100);
  if (kind < 30) return setLine(rnd, reachable);
  if (kind < 42) return "click " + rnd.pick(names.clickables);
  if (kind < 58) {
    if (rnd.chance(0.9)) return "tick " + std::to_string(rnd.between(1, 6));
    return "tick " + number(rnd).substr(0, 3) + (rnd.chance(0.5) ? "x" : "");  // never thousands of ticks
  }
  if (kind < 64) {
    const bool inside = rnd.chance(0.8);
    if (!inside) reachable = false;
    const std::string x = inside ? std::to_string(rnd.between(0, 15045)) : number(rnd);
    const std::string y = inside ? std::to_string(rnd.between(0, 10170)) : number(rnd);
    return "mouse " + std::to_string(rnd.between(0, 3)) + " " + x + " " + y;
  }
  if (kind < 76) return printLine(rnd);
  if (kind < 80) return rnd.chance(0.5) ? "record on" : "record off";
  if (kind < 84) return "ops " + (rnd.chance(0.9) ? rnd.pick(names.pictures) : number(rnd));
  if (kind < 85) return "save " + (rnd.chance(0.8) ? rnd.pick(names.pictures) : std::string("window")) + " " + workDir + "/picture.png";
  if (kind < 92) {
    reachable = false;
    return callLine(rnd);
  }
  if (kind < 96) {
    reachable = false;
    return letLine(rnd);
  }
  // Lines that are not commands at all, or commands cut short.
  reachable = false;
  static const std::vector<std::string> odd = {"", "# a comment", "   ", "set", "click", "call", "let", "print",
                                               "mouse 1", "ops", "save", "record", "tick tick", "SET cmbData All Ones",
                                               "set  cmbNoise   0.4  ", "\t tick 1 \t"};
  return rnd.chance(0.6) ? rnd.pick(odd) : hostileText(rnd);
}

Script ScriptGenerator::generate(uint64_t seed) const {
  RandomSource rnd(seed);
  Script script;
  const int count = rnd.between(5, 45);
  // Most scripts start in a scene, so that every scene's controls get their turn.
  if (rnd.chance(0.8)) {
    static const std::vector<std::string> scenes = {"Baseband Demo", "Modulation", "Scatter", "Full"};
    script.lines.push_back("set cmbScene " + rnd.pick(scenes));
  }
  for (int i = 0; i < count; ++i) script.lines.push_back(line(rnd, script.studentReachable));
  // Whatever the script did, the fields and pictures are read at the end.
  for (const char* field : {"dRxSignal", "dSpectrumSum", "dTxSignal", "lTick", "cmdTrace.Left", "cmdTrace.Top"})
    script.lines.push_back(std::string("print ") + field);
  return script;
}

}  // namespace linklab::fuzz
