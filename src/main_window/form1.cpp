#include "main_window/form1.h"

namespace linklab {

Form1::Form1() {
  describeWindow();
  registerControls();
  wireEvents();
}

void Form1::message(std::string_view text) {
  if (host) host->message(text);
}

template <typename Field>
bool Form1::refusedTyped(Field& control, TypedField kind) {
  const std::string why = typedRefusal(kind, control.Text());
  if (why.empty()) return false;
  control.refuseChange();
  if (host) host->refused(control.name, why);
  return true;
}

template bool Form1::refusedTyped(ComboBox&, TypedField);
template bool Form1::refusedTyped(TextBox&, TypedField);

Control* Form1::findControl(std::string_view name) const {
  for (Control* control : allControls)
    if (control->name == name) return control;
  return nullptr;
}

}  // namespace linklab
