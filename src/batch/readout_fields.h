#pragma once
// The readouts of the state record by name, for `print` (and `let`).
#include <string_view>

#include "batch/state_fields.h"

namespace linklab {

bool findReadoutField(SimulationState& state, std::string_view name, StateField& out);

}  // namespace linklab
