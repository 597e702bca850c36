#pragma once
// The data source: the bit pattern one run of the link carries, and its repetition rate.
#include <cstdint>
#include <span>
#include <string_view>

#include "transmitter/uniform_random.h"

namespace linklab {

enum class DataPattern { RandomData, ExponentialRuns, AllZeros, AllOnes, RandomHalfRate, RandomQuarterRate, Unknown };

// text: the data list's text, compared exactly with the pattern names.
DataPattern dataPatternFromText(std::string_view text);

// A draw strictly inside (0, 1): draws of exactly 0 are drawn again, so a logarithm of it is
// always finite. rnd: the program's one generator.
double positiveDraw(UniformRandom& rnd);

// Fills the bits of one run and frames them (entries 0 and 511 forced to 0, or to 1 for
// "All Ones"). Entries a pattern does not write keep their values (an unknown pattern writes
// only the two framing bits; "Exponential Runs" writes 0..127).
//  pattern: the chosen pattern
//  bits:    at least 512 entries, 0 or 1; entry 512 and above are never touched
//  rnd:     the program's one generator; a random bit is 1 when the draw is above 0.5
// Returns the code rate: how many equal bits one draw makes (1, 2 or 4).
int16_t makeDataBits(DataPattern pattern, std::span<int16_t> bits, UniformRandom& rnd);

}  // namespace linklab
