#pragma once
// A drop-down list. Its text is what the program reads; a change of the text, by the user or by
// code, raises onChange before setText returns, and only when the text really changes.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "form/control.h"

namespace linklab {

class ComboBox : public Control {
 public:
  ControlKind kind() const override { return ControlKind::ComboBox; }

  const std::string& Text() const { return text; }
  void setText(std::string_view newText);
  // Puts back the text the list had before its latest change, raising no change: the change
  // rule calls it to refuse the text it was just given, so the list never moved.
  void refuseChange() { text = before; }

  // index -1 (or past the end) appends; a negative or too large index never fails.
  void AddItem(std::string_view entry, int index = -1);
  void RemoveItem(int index);
  // Empties the entries and the text without raising a change, as the toolkit's Clear does.
  void Clear();
  int ListCount() const { return static_cast<int>(entries.size()); }
  const std::string& List(int index) const;
  int indexOf(std::string_view entry) const;

  bool Editable = false;  // accepts typed text besides the entries
  std::function<void()> onChange;

 private:
  std::string text;
  std::string before;  // the text before the latest change
  std::vector<std::string> entries;
};

}  // namespace linklab
