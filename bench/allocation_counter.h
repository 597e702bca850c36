#pragma once
// Counts heap allocations of the whole program (malloc and its kin, so operator new, Qt's and C
// code's allocations alike), so a benchmark can report them per iteration.
#include <cstdint>

namespace linklab {
uint64_t allocationsSoFar();
}
