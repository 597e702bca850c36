#include "form/combo_box.h"

#include <utility>

namespace linklab {

void ComboBox::setText(std::string_view newText) {
  if (text == newText) return;
  before = std::move(text);
  text = newText;
  if (onChange) onChange();
}

void ComboBox::AddItem(std::string_view entry, int index) {
  if (index < 0 || index > ListCount()) index = ListCount();
  entries.insert(entries.begin() + index, std::string(entry));
}

void ComboBox::RemoveItem(int index) {
  if (index < 0 || index >= ListCount()) return;
  entries.erase(entries.begin() + index);
}

void ComboBox::Clear() {
  entries.clear();
  text.clear();
}

const std::string& ComboBox::List(int index) const {
  static const std::string none;
  return index >= 0 && index < ListCount() ? entries[index] : none;
}

int ComboBox::indexOf(std::string_view entry) const {
  for (int i = 0; i < ListCount(); ++i)
    if (entries[i] == entry) return i;
  return -1;
}

}  // namespace linklab
