#pragma once
// A horizontal or vertical scroll bar. The value always lies between Min and Max (in either
// order); moving a bound past the value moves the value and raises onChange.
#include <functional>

#include "form/control.h"

namespace linklab {

class Slider : public Control {
 public:
  explicit Slider(bool horizontal = true) : horizontal(horizontal) {}
  ControlKind kind() const override { return ControlKind::Slider; }

  int Value() const { return value; }
  void setValue(int newValue);  // clamped into range; raises onChange on a real change
  int Min() const { return min; }
  int Max() const { return max; }
  void setMin(int newMin);
  void setMax(int newMax);
  void setRange(int newMin, int newMax);

  bool horizontal;
  int SmallChange = 1;
  int LargeChange = 1;
  std::function<void()> onChange;

 private:
  int clamp(int v) const;
  int value = 0, min = 0, max = 32767;
};

}  // namespace linklab
