#pragma once
// Counts heap allocations of the whole program, so a benchmark can report them per iteration.
#include <cstdint>

namespace linklab {
uint64_t allocationsSoFar();
}
