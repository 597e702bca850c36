#include "script_generator.h"

#include <memory>

#include "batch/control_properties.h"
#include "batch/state_fields.h"
#include "form/combo_box.h"
#include "form/slider.h"
#include "form/widgets.h"
#include "main_window/form1.h"

namespace linklab::fuzz {

ModelNames ModelNames::fromModel() {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  static const char* const candidates[] = {
      "Text", "Caption", "Value", "Min", "Max", "SmallChange", "LargeChange", "Visible", "Enabled", "Left", "Top",
      "Width", "Height", "ListCount", "List(0)", "List(3)", "ForeColor", "BorderWidth", "BorderColor", "X1", "Y1",
      "X2", "Y2", "Interval", "ScaleWidth", "ScaleHeight"};
  ModelNames n;
  for (Control* c : form->controls()) {
    std::vector<std::string> readable;
    for (const char* p : candidates)
      if (readProperty(*c, p)) readable.emplace_back(p);
    n.properties.emplace_back(c->name, readable);
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
  for (std::string_view name : stateFieldNames(*form)) {
    StateField field;
    findStateField(*form, name, field);
    n.fields.push_back({std::string(name), field.count});
  }
  return n;
}

namespace {

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

std::string ScriptGenerator::setLine(RandomSource& rnd, bool hostile, bool& reachable) const {
  switch (rnd.below(5)) {
    case 0:
    case 1: {
      const auto& list = rnd.pick(names.lists);
      if (!hostile && !list.entries.empty() && (!list.editable || rnd.chance(0.7)))
        return "set " + list.name + " " + rnd.pick(list.entries);
      if (!list.editable) reachable = false;  // refused anyway: not an entry
      return "set " + list.name + " " + hostileText(rnd);
    }
    case 2: {
      const auto& bar = rnd.pick(names.sliders);
      if (!hostile) return "set " + bar.name + " " + std::to_string(rnd.between(bar.min, bar.max));
      reachable = false;  // a scroll bar never goes past its ends
      return "set " + bar.name + " " + number(rnd);
    }
    case 3: return "set " + rnd.pick(names.checkBoxes) + " " + (hostile ? number(rnd) : std::to_string(rnd.below(2)));
    default: {
      if (names.textBoxes.empty()) return "set cmbNoise 0.4";
      const std::string value = rnd.chance(0.5) ? std::to_string(rnd.unit() * 2) : hostileText(rnd);
      return "set " + rnd.pick(names.textBoxes) + " " + value;
    }
  }
}

std::string ScriptGenerator::callLine(RandomSource& rnd, bool hostile) const {
  auto whole = [&](long lo, long hi) { return hostile && rnd.chance(0.5) ? number(rnd) : std::to_string(rnd.between(lo, hi)); };
  switch (rnd.below(7)) {
    case 0:
    case 1: return "call " + rnd.pick(kPlainProcedures) + (hostile ? " " + number(rnd) : "");
    case 2: return "call " + rnd.pick(kIndexedProcedures) + " " + whole(-1, rnd.chance(0.5) ? 2 : 4200);
    case 3: return "call setScene " + whole(0, 5);
    case 4: {
      std::string s = "call arrangeComponentPics";
      for (int i = 0; i < 4; ++i) s += " " + whole(-500, rnd.chance(0.8) ? 12000 : 32767);
      return s;
    }
    case 5: return "call dragMarker " + whole(-1000, 16000) + " " + whole(-1000, 11000);
    default: {
      const std::string field = hostile ? number(rnd) : rnd.pick(names.fields).name;
      static const std::vector<std::string> sizes = {"4096", "2048", "8", "2", "1", "0", "-4", "3", "8192", "16384"};
      return "call FFT " + field + " " + (hostile ? number(rnd) : rnd.pick(sizes)) + " " + whole(0, 1);
    }
  }
}

std::string ScriptGenerator::letLine(RandomSource& rnd, bool hostile) const {
  const auto& field = rnd.pick(names.fields);
  std::string target = field.name;
  const bool indexed = field.count > 1 && rnd.chance(0.4);
  if (indexed) target += "(" + (hostile ? number(rnd) : std::to_string(rnd.between(0, static_cast<long>(field.count) - 1))) + ")";
  std::string s = "let " + target;
  const long values = indexed || field.count == 1 ? 1 : rnd.between(1, std::min<long>(40, static_cast<long>(field.count)));
  for (long i = 0; i < values; ++i) s += " " + (hostile ? number(rnd) : std::to_string(rnd.unit() * 20 - 10));
  return s;
}

std::string ScriptGenerator::printLine(RandomSource& rnd, bool hostile) const {
  if (hostile) {
    switch (rnd.below(3)) {
      case 0: return "print " + rnd.pick(names.fields).name + "(" + number(rnd) + ")";
      case 1: return "print " + rnd.pick(names.properties).first + "." + number(rnd);
      default: return "print " + number(rnd);
    }
  }
  switch (rnd.below(4)) {
    case 0: return "print " + rnd.pick(names.fields).name;
    case 1: {
      const auto& field = rnd.pick(names.fields);
      if (field.count == 1) return "print " + field.name;
      return "print " + field.name + "(" + std::to_string(rnd.between(0, static_cast<long>(field.count) - 1)) + ")";
    }
    case 2: return "print " + std::string(rnd.chance(0.5) ? "HelpText" : "Instructions") + (rnd.chance(0.5) ? ".Visible" : ".Caption");
    default: {
      const auto& [control, readable] = rnd.pick(names.properties);
      return "print " + control + "." + (readable.empty() ? std::string("Visible") : rnd.pick(readable));
    }
  }
}

std::string ScriptGenerator::line(RandomSource& rnd, bool hostile, bool& reachable) const {
  const int kind = rnd.below(100);
  if (kind < 32) return setLine(rnd, hostile, reachable);
  if (kind < 44) return "click " + (hostile ? number(rnd) : rnd.pick(names.clickables));
  if (kind < 60) {
    if (!hostile) return "tick " + std::to_string(rnd.between(1, 6));
    return "tick " + number(rnd).substr(0, 3) + (rnd.chance(0.5) ? "x" : "");  // never thousands of ticks
  }
  if (kind < 66) {
    if (hostile) reachable = false;
    const std::string x = hostile ? number(rnd) : std::to_string(rnd.between(0, 15045));
    const std::string y = hostile ? number(rnd) : std::to_string(rnd.between(0, 10170));
    return "mouse " + std::to_string(rnd.between(0, 3)) + " " + x + " " + y;
  }
  if (kind < 78) return printLine(rnd, hostile);
  if (kind < 81) return hostile ? "record " + number(rnd) : rnd.chance(0.5) ? "record on" : "record off";
  if (kind < 84) return "ops " + (hostile ? number(rnd) : rnd.pick(names.pictures));
  if (kind < 85) return "save " + (rnd.chance(0.8) ? rnd.pick(names.pictures) : std::string("window")) + " " + workDir + "/picture.png";
  if (kind < 93) {
    reachable = false;
    return callLine(rnd, hostile);
  }
  if (kind < 97 || !hostile) {
    reachable = false;
    return letLine(rnd, hostile);
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
  for (int i = 0; i < count; ++i) script.lines.push_back(line(rnd, rnd.chance(0.05), script.studentReachable));
  // Whatever the script did, the fields and pictures are read at the end.
  for (const char* field : {"dRxSignal", "dSpectrumSum", "dTxSignal", "lTick", "cmdTrace.Left", "cmdTrace.Top"})
    script.lines.push_back(std::string("print ") + field);
  return script;
}

}  // namespace linklab::fuzz
