#include "main_window/focus_order.h"

#include <algorithm>

#include "main_window/form1.h"

namespace linklab {

namespace {

// The block diagram fills the left of the window; the displays start at this x.
constexpr int kDisplayColumn = 5900;

}  // namespace

bool takesFocus(const Form1& form, const Control& c) {
  switch (c.kind()) {
    case ControlKind::ComboBox:
    case ControlKind::Slider:
    case ControlKind::TextBox: return true;
    case ControlKind::CheckBox: return static_cast<bool>(static_cast<const CheckBox&>(c).onClick);
    case ControlKind::Button: return static_cast<const Button&>(c).onClick || &c == &form.cmdTrace;
    default: return false;
  }
}

bool tabsBefore(const Control& a, const Control& b) {
  const bool aRight = a.Left >= kDisplayColumn, bRight = b.Left >= kDisplayColumn;
  if (aRight != bRight) return bRight;
  if (a.Top != b.Top) return a.Top < b.Top;
  return a.Left < b.Left;
}

std::vector<const Control*> tabOrder(const Form1& form) {
  std::vector<const Control*> order;
  for (const Control* c : form.controls())
    if (takesFocus(form, *c)) order.push_back(c);
  std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) { return tabsBefore(*a, *b); });
  return order;
}

}  // namespace linklab
