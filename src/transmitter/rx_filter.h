#pragma once
// Receive filtering in the frequency domain.
#include <span>

namespace linklab {

// rx:         block of 4096 complex samples interleaved; filtered in place when apply is true,
//             untouched otherwise
// spectrum:   block, left holding rx's spectrum (filtered when apply is true)
// response:   block, bin k's complex gain at 2k (re), 2k+1 (im)
// apply:      true in the scenes that show the receiver ("Scatter", "Full")
void receiveFilter(std::span<double> rx, std::span<double> spectrum,
                   std::span<const double> response, bool apply);

}  // namespace linklab
