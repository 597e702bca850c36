#pragma once
// The page's picture of a control: one JSON object holding every property the page shows.
// Comparing these texts tells which controls changed since the page last looked.
#include <string>

#include "form/control.h"

namespace linklab::web {

std::string controlJson(const Control& control);

// A JSON string literal, quotes included.
std::string jsonString(std::string_view text);

}  // namespace linklab::web
