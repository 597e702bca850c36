#include "form/widgets.h"

#include <utility>

namespace linklab {

void CheckBox::setValue(int newValue) {
  newValue = newValue ? 1 : 0;
  if (newValue == value) return;
  value = newValue;
  if (onClick) onClick();
}

void TextBox::setText(std::string_view newText) {
  if (text == newText) return;
  before = std::move(text);
  text = newText;
  if (onChange) onChange();
}

}  // namespace linklab
