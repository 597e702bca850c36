#pragma once
// The page's picture of a control: one JSON object holding every property the page shows.
// Comparing these texts tells which controls changed since the page last looked.
#include <string>
#include <string_view>

#include "form/control.h"

namespace linklab::web {

std::string controlJson(const Control& control);
// Appends to OUT the same fields as controlJson, or with JSON false the same values unnamed and
// unescaped, whose bytes change exactly when the JSON does: a cheap test for a change.
void describeControl(const Control& control, std::string& out, bool json);

// A JSON string literal, quotes included.
std::string jsonString(std::string_view text);

}  // namespace linklab::web
