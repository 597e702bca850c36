#include "batch/batch_runner.h"

#include <functional>
#include <istream>
#include <ostream>
#include <span>
#include <string>

#include "batch/control_properties.h"
#include "batch/lesson_commands.h"
#include "batch/measure_calls.h"
#include "batch/script_words.h"
#include "batch/setup_commands.h"
#include "batch/state_fields.h"
#include "main_window/form1.h"

namespace linklab {

void PrintingHost::message(std::string_view text) { out << "message: " << text << '\n'; }

int BatchRunner::run(std::istream& in) {
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    const std::string_view text = trim(line);
    if (text.empty() || text.front() == '#') continue;
    const std::string why = execute(text);
    if (!why.empty()) {
      out.flush();
      err << "error: line " << number << ": " << why << '\n';
      return 1;
    }
  }
  // A directory, or a read that failed part way, ends the loop like the end of the input does.
  if (in.bad()) {
    out.flush();
    err << "error: line " << number + 1 << ": cannot read the script\n";
    return 1;
  }
  return 0;
}

std::string BatchRunner::execute(std::string_view line) {
  const auto [command, rest] = firstWord(line);
  if (auto done = setupCommand(form, command, trim(rest), out)) return *done;
  if (auto done = lessonCommand(form, lesson, command, trim(rest), out)) return *done;
  if (command == "set") {
    const auto [name, value] = firstWord(rest);
    if (name.empty()) return "set needs a control name";
    return set(name, value);
  }
  if (command == "click") return click(trim(rest));
  if (command == "tick") return tick(trim(rest));
  if (command == "call") return call(rest);
  if (command == "let") return let(rest);
  if (command == "mouse") return mouse(rest);
  if (command == "print") return print(trim(rest));
  if (command == "record") return record(trim(rest));
  if (command == "ops") return ops(trim(rest));
  if (command == "save") return save(rest);
  return "unknown command '" + std::string(command) + "'";
}

std::string BatchRunner::set(std::string_view name, std::string_view value) {
  Control* control = form.findControl(name);
  if (!control) return "unknown control '" + std::string(name) + "'";
  if (control->setupLocked) return std::string(name) + " is locked by the setup";
  switch (control->kind()) {
    case ControlKind::ComboBox: {
      auto& combo = static_cast<ComboBox&>(*control);
      if (!combo.Editable && combo.indexOf(value) < 0)
        return "'" + std::string(value) + "' is not an entry of " + std::string(name);
      combo.setText(value);
      return {};
    }
    case ControlKind::Slider: {
      const auto v = wholeNumber(trim(value));
      if (!v) return "malformed slider value '" + std::string(value) + "'";
      static_cast<Slider&>(*control).setValue(static_cast<int>(*v));
      return {};
    }
    case ControlKind::CheckBox: {
      const auto v = wholeNumber(trim(value));
      if (!v || (*v != 0 && *v != 1)) return "a check box takes 0 or 1, not '" + std::string(value) + "'";
      static_cast<CheckBox&>(*control).setValue(static_cast<int>(*v));
      return {};
    }
    case ControlKind::TextBox:
      static_cast<TextBox&>(*control).setText(value);
      return {};
    default: return std::string(name) + " cannot be set";
  }
}

std::string BatchRunner::click(std::string_view name) {
  if (name == "HelpText.cmdClose") return form.HelpText.cmdClose.click(), std::string();
  if (name == "Instructions.cmdClose") return form.Instructions.cmdClose.click(), std::string();
  Control* control = form.findControl(name);
  if (!control) return "unknown control '" + std::string(name) + "'";
  if (control->setupLocked) return std::string(name) + " is locked by the setup";
  switch (control->kind()) {
    case ControlKind::Button: static_cast<Button&>(*control).click(); return {};
    case ControlKind::CheckBox: {
      auto& box = static_cast<CheckBox&>(*control);
      box.setValue(box.Value() ? 0 : 1);
      return {};
    }
    case ControlKind::Picture: {
      auto& picture = static_cast<PictureBox&>(*control);
      if (picture.onClick) picture.onClick();
      return {};
    }
    case ControlKind::Label: {
      auto& label = static_cast<Label&>(*control);
      if (label.onClick) label.onClick();
      return {};
    }
    default: return std::string(name) + " cannot be clicked";
  }
}

std::string BatchRunner::tick(std::string_view count) {
  long n = 1;
  if (!count.empty()) {
    const auto v = wholeNumber(count);
    if (!v || *v < 0) return "malformed tick count '" + std::string(count) + "'";
    n = *v;
  }
  for (long i = 0; i < n; ++i)
    if (form.Timer1.Enabled && form.Timer1.onTimer) form.Timer1.onTimer();
  return {};
}

std::string BatchRunner::call(std::string_view rest) {
  const auto args = words(rest);
  if (args.empty()) return "call needs a procedure name";
  const std::string_view proc = args[0];
  const std::size_t given = args.size() - 1;
  if (auto measured = callMeasurement(form, proc, args, out)) return *measured;

  using Plain = void (Form1::*)();
  struct PlainEntry {
    std::string_view name;
    Plain method;
  };
  static const PlainEntry plain[] = {
      {"Form_Load", &Form1::Form_Load},
      {"fillLists", &Form1::fillLists},
      {"makeData", &Form1::makeData},
      {"modulateData", &Form1::modulateData},
      {"designFilters", &Form1::designFilters},
      {"shapeTxSignal", &Form1::shapeTxSignal},
      {"rfAmplifier", &Form1::rfAmplifier},
      {"addNoise", &Form1::addNoise},
      {"rxFilter", &Form1::rxFilter},
      {"runSimulation", &Form1::runSimulation},
      {"tickOnce", &Form1::tickOnce},
      {"Timer1_Timer", &Form1::Timer1_Timer},
      {"cmdPause_Click", &Form1::cmdPause_Click},
      {"plotTrajectory", &Form1::plotTrajectory},
      {"showHelp", &Form1::showHelp},
      {"showInstructions", &Form1::showInstructions},
      {"hscCarrier_Change", &Form1::hscCarrier_Change},
      {"hscDataScroll_Change", &Form1::hscDataScroll_Change},
      {"hscDataZoom_Change", &Form1::hscDataZoom_Change},
      {"cmbScene_Change", &Form1::cmbScene_Change},
  };
  for (const auto& entry : plain) {
    if (entry.name != proc) continue;
    if (given != 0) return std::string(proc) + " takes no arguments";
    (form.*entry.method)();
    return {};
  }

  // Procedures with whole-number arguments.
  std::vector<long> n;
  auto wholeArgs = [&](std::size_t count) -> std::string {
    if (given != count) return std::string(proc) + " takes " + std::to_string(count) + " argument(s)";
    for (std::size_t i = 1; i <= count; ++i) {
      const auto v = wholeNumber(args[i]);
      if (!v) return "malformed argument '" + std::string(args[i]) + "'";
      n.push_back(*v);
    }
    return {};
  };
  using Indexed16 = void (Form1::*)(int16_t);
  struct IndexEntry {
    std::string_view name;
    Indexed16 method;
  };
  static const IndexEntry indexed[] = {
      {"RestartPics", &Form1::RestartPics},       {"placeTraceButton", &Form1::placeTraceButton},
      {"cmbMod_Change", &Form1::cmbMod_Change},   {"cmbFilter_Change", &Form1::cmbFilter_Change},
      {"cmbTxEB_Change", &Form1::cmbTxEB_Change}, {"cmbTxBW_Change", &Form1::cmbTxBW_Change},
      {"cmbTxSC_Change", &Form1::cmbTxSC_Change},
  };
  for (const auto& entry : indexed) {
    if (entry.name != proc) continue;
    if (auto why = wholeArgs(1); !why.empty()) return why;
    if (n[0] < -32768 || n[0] > 32767) return "argument out of the 16-bit range";
    (form.*entry.method)(static_cast<int16_t>(n[0]));
    return {};
  }
  if (proc == "setScene") {
    if (auto why = wholeArgs(1); !why.empty()) return why;
    form.setScene(static_cast<int32_t>(n[0]));
    return {};
  }
  if (proc == "arrangeComponentPics") {
    if (auto why = wholeArgs(4); !why.empty()) return why;
    // The spectrum height becomes a picture's height, so it is held to the same range as the
    // other three: a huge one would ask for a raster of gigabytes.
    for (int i = 0; i < 4; ++i)
      if (n[i] < -32768 || n[i] > 32767) return "argument out of the 16-bit range";
    form.arrangeComponentPics(static_cast<int16_t>(n[0]), static_cast<int16_t>(n[1]),
                              static_cast<int16_t>(n[2]), static_cast<double>(n[3]));
    return {};
  }
  if (proc == "dragMarker") {
    if (given != 2) return "dragMarker takes 2 arguments";
    const auto x = number(args[1]), y = number(args[2]);
    if (!x || !y) return "malformed argument";
    form.dragMarker(*x, *y);
    return {};
  }
  if (proc == "FFT") {
    if (given != 3) return "FFT takes FIELD POINTS INVERSE";
    StateField field;
    if (!findStateField(form, args[1], field) || !field.isArray || field.type != StateField::Type::Double ||
        field.count != 8193)
      return "'" + std::string(args[1]) + "' is not a signal field";
    const auto points = wholeNumber(args[2]);
    const auto inverse = wholeNumber(args[3]);
    if (!points || !inverse || (*inverse != 0 && *inverse != 1)) return "malformed FFT arguments";
    form.FFT(std::span<double>(static_cast<double*>(field.data), field.count), static_cast<int32_t>(*points),
             *inverse == 1);
    return {};
  }
  return "unknown procedure '" + std::string(proc) + "'";
}

std::string BatchRunner::let(std::string_view rest) {
  const auto args = words(rest);
  if (args.size() < 2) return "let needs a field and a value";
  const Indexed target = splitIndex(args[0]);
  if (!target.ok) return "malformed field '" + std::string(args[0]) + "'";
  StateField field;
  if (!findStateField(form, target.base, field)) return "unknown field '" + std::string(target.base) + "'";
  std::size_t first = 0;
  if (target.index) {
    if (!field.isArray || *target.index < 0 || static_cast<std::size_t>(*target.index) >= field.count)
      return "index out of range in '" + std::string(args[0]) + "'";
    if (args.size() != 2) return "let FIELD(I) takes one value";
    first = static_cast<std::size_t>(*target.index);
  } else if (!field.isArray && args.size() != 2) {
    return "a scalar takes one value";
  }
  if (first + args.size() - 1 > field.count) return "too many values for '" + std::string(args[0]) + "'";
  for (std::size_t i = 1; i < args.size(); ++i) {
    const auto v = number(args[i]);
    if (!v) return "malformed value '" + std::string(args[i]) + "'";
    field.set(first + i - 1, *v);
  }
  return {};
}

std::string BatchRunner::mouse(std::string_view rest) {
  const auto args = words(rest);
  if (args.size() != 3) return "mouse takes BUTTON X Y";
  const auto button = wholeNumber(args[0]);
  const auto x = number(args[1]), y = number(args[2]);
  if (!button || !x || !y) return "malformed mouse arguments";
  form.Form_MouseDown(static_cast<int>(*button), 0, *x, *y);
  return {};
}

std::string BatchRunner::print(std::string_view name) {
  if (name.empty()) return "print needs a name";
  const auto dot = name.find('.');
  if (dot != std::string_view::npos) {
    const std::string_view owner = name.substr(0, dot);
    const std::string_view property = name.substr(dot + 1);
    std::optional<std::string> value;
    if (owner == "HelpText" || owner == "Instructions") {
      const HelpWindow& window = owner == "HelpText" ? form.HelpText : form.Instructions;
      if (property == "Visible") value = window.Visible ? "True" : "False";
      if (property == "Caption") value = window.Caption;
    } else {
      Control* control = form.findControl(owner);
      if (!control) return "unknown control '" + std::string(owner) + "'";
      value = readProperty(*control, property);
    }
    if (!value) return "unknown property '" + std::string(property) + "' of " + std::string(owner);
    out << name << " = " << *value << '\n';
    return {};
  }
  const Indexed target = splitIndex(name);
  if (!target.ok) return "malformed name '" + std::string(name) + "'";
  StateField field;
  if (!findStateField(form, target.base, field)) return "unknown field '" + std::string(target.base) + "'";
  out << name << " = ";
  if (target.index) {
    if (!field.isArray || *target.index < 0 || static_cast<std::size_t>(*target.index) >= field.count)
      return "index out of range in '" + std::string(name) + "'";
    out << formatNumber(field.get(static_cast<std::size_t>(*target.index)));
  } else {
    for (std::size_t i = 0; i < field.count; ++i) out << (i ? " " : "") << formatNumber(field.get(i));
  }
  out << '\n';
  return {};
}

std::string BatchRunner::record(std::string_view onOff) {
  if (onOff != "on" && onOff != "off") return "record takes on or off";
  for (Control* control : form.controls())
    if (control->kind() == ControlKind::Picture) static_cast<PictureBox*>(control)->setRecording(onOff == "on");
  return {};
}

std::string BatchRunner::ops(std::string_view name) {
  Control* control = form.findControl(name);
  if (!control || control->kind() != ControlKind::Picture) return "unknown picture '" + std::string(name) + "'";
  const auto& log = static_cast<PictureBox*>(control)->log();
  for (const DrawOp& op : log) {
    if (op.kind == DrawOp::Kind::Line)
      out << "line " << formatNumber(op.x1) << ' ' << formatNumber(op.y1) << ' ' << formatNumber(op.x2) << ' '
          << formatNumber(op.y2) << ' ' << op.colour << '\n';
    else
      out << "circle " << formatNumber(op.x1) << ' ' << formatNumber(op.y1) << ' ' << formatNumber(op.x2) << ' '
          << op.colour << '\n';
  }
  out << "end " << log.size() << '\n';
  return {};
}

std::string BatchRunner::save(std::string_view rest) {
  const auto [name, file] = firstWord(rest);
  if (name.empty() || file.empty()) return "save takes NAME FILE";
  if (name != "window") {
    Control* control = form.findControl(name);
    if (!control || control->kind() != ControlKind::Picture) return "unknown picture '" + std::string(name) + "'";
  }
  if (!snapshotter) return "no window to save pictures from";
  const std::string why = snapshotter->save(name, std::string(file));
  return why;
}

}  // namespace linklab
