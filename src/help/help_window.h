#pragma once
// A small modeless window of fixed prose: a read-only text and a Close button. It is created on
// first use and afterwards only shown and hidden.
#include <string>

#include "form/widgets.h"

namespace linklab {

struct HelpWindow {
  std::string Caption;
  bool Visible = false;
  TextBox Text1;
  Button cmdClose;

  void show() { Visible = true; }
  void cmdClose_Click() { Visible = false; }
};

// The prose of the two windows.
const char* helpProse();
const char* instructionsProse();

}  // namespace linklab
