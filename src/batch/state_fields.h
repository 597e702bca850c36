#pragma once
// The state record's fields by name, for reading and assigning them from a script.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "main_window/simulation_state.h"

namespace linklab {

struct StateField {
  enum class Type { Double, Int16, Int32 };
  Type type;
  void* data;          // first element
  std::size_t count;   // 1 for a scalar
  bool isArray;

  double get(std::size_t i) const;
  void set(std::size_t i, double v) const;
};

// Empty optional-like: found == false when no field has that name.
bool findStateField(SimulationState& state, std::string_view name, StateField& out);
// Every field's name, in the record's order (the fuzzer writes scripts with them).
std::vector<std::string_view> stateFieldNames(SimulationState& state);

}  // namespace linklab
