#pragma once
// The legend text of an error-rate run, read from the main window's lists as they stand.
#include <string>

namespace linklab {

class Form1;

std::string runLabelOf(Form1& form);

}  // namespace linklab
