#pragma once
// Reading a control's property by its name, as the batch runner prints it.
#include <optional>
#include <string>
#include <string_view>

#include "form/control.h"

namespace linklab {

// Nothing when the control has no such property.
std::optional<std::string> readProperty(const Control& control, std::string_view property);

}  // namespace linklab
