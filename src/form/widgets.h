#pragma once
// The small controls: check box, label, button, text box, shape, line, timer and image.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "form/control.h"

namespace linklab {

class CheckBox : public Control {
 public:
  ControlKind kind() const override { return ControlKind::CheckBox; }
  int Value() const { return value; }
  void setValue(int newValue);  // 0 or 1 (anything else counts as 1); a change raises onClick
  std::string Caption;
  uint32_t ForeColor = 0;
  std::function<void()> onClick;

 private:
  int value = 0;
};

class Label : public Control {
 public:
  ControlKind kind() const override { return ControlKind::Label; }
  std::string Caption;
  uint32_t ForeColor = 0;
  int Alignment = 0;  // 0 left, 1 right, 2 centre
  std::function<void()> onClick;
};

class Button : public Control {
 public:
  ControlKind kind() const override { return ControlKind::Button; }
  void click() {
    if (onClick) onClick();
  }
  std::string Caption;
  std::function<void()> onClick;
};

class TextBox : public Control {
 public:
  ControlKind kind() const override { return ControlKind::TextBox; }
  const std::string& Text() const { return text; }
  void setText(std::string_view newText);
  // As the list's: puts back the text before the latest change, raising no change.
  void refuseChange() { text = before; }
  bool MultiLine = false;
  bool Locked = false;  // read-only for the user
  std::function<void()> onChange;

 private:
  std::string text;
  std::string before;
};

class Shape : public Control {
 public:
  enum class Form { Rectangle, Circle };
  ControlKind kind() const override { return ControlKind::Shape; }
  Form shape = Form::Rectangle;
  uint32_t BorderColor = 0;
  int BorderWidth = 1;
  bool filled = false;
  uint32_t FillColor = 0;
};

class LineShape : public Control {
 public:
  ControlKind kind() const override { return ControlKind::Line; }
  int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  uint32_t BorderColor = 0;
  int BorderWidth = 1;
  bool overDisplays = false;  // drawn over the pictures rather than behind them
};

class Timer : public Control {
 public:
  ControlKind kind() const override { return ControlKind::Timer; }
  int Interval = 0;  // milliseconds; Enabled starts and stops it
  std::function<void()> onTimer;
};

class Image : public Control {
 public:
  ControlKind kind() const override { return ControlKind::Image; }
};

}  // namespace linklab
