#pragma once
// The base of every control of the window model: a name, a place in twips, visibility and
// stacking order. Controls are plain objects; the Qt view mirrors them after every event.
#include <cstdint>
#include <string>

namespace linklab {

enum class ControlKind { ComboBox, Slider, CheckBox, Label, Button, TextBox, Shape, Line, Timer, Picture, Image };

class Control {
 public:
  virtual ~Control() = default;
  virtual ControlKind kind() const = 0;

  // 0 brings the control in front of the others, 1 sends it behind them.
  void ZOrder(int position);

  std::string name;  // "cmbMod(1)" for element 1 of an array
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Visible = true;
  bool Enabled = true;
  // A setup's limits, which front ends honour on top of Visible and Enabled: a locked control is
  // shown but the user cannot change it, a hidden one is not shown. The model itself ignores them.
  bool setupLocked = false;
  bool setupHidden = false;
  int64_t zOrder = 0;  // larger is nearer the front
};

}  // namespace linklab
