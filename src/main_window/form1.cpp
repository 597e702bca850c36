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

Control* Form1::findControl(std::string_view name) const {
  for (Control* control : allControls)
    if (control->name == name) return control;
  return nullptr;
}

}  // namespace linklab
