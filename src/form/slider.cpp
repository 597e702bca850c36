#include "form/slider.h"

#include <algorithm>

namespace linklab {

int Slider::clamp(int v) const { return std::clamp(v, std::min(min, max), std::max(min, max)); }

void Slider::setValue(int newValue) {
  newValue = clamp(newValue);
  if (newValue == value) return;
  value = newValue;
  if (onChange) onChange();
}

void Slider::setMin(int newMin) {
  min = newMin;
  setValue(value);
}

void Slider::setMax(int newMax) {
  max = newMax;
  setValue(value);
}

void Slider::setRange(int newMin, int newMax) {
  min = newMin;
  max = newMax;
  setValue(value);
}

}  // namespace linklab
