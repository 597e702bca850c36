#pragma once
// The readouts as a front end shows them: short texts, a dash where a readout does not apply.
#include <cstdint>
#include <string>

#include "main_window/simulation_state.h"

namespace linklab {

// Two significant digits with a short exponent: 3.1e-3, 1.0e+0 as "1.0e0"; "0" for 0.
std::string shortScientific(double x);
// A count with thousands separated by commas: 12,032.
std::string groupedCount(int64_t n);

// "3.1e-3 (37 of 12,032; theory 2.8e-3)", with no error the upper bound of one error in the count:
// "< 8.3e-5, 0 of 12,000 (theory 2.8e-6)"; a dash before any count.
std::string rateText(double rate, int64_t errors, int64_t count, double theory);

// Which figures the strip shows in a scene: the receiver's in "Scatter" and "Full", the
// transmitter's in "Modulation", none in the demo.
struct StripShows {
  bool receiver = false, transmitter = false;
};
StripShows stripShows(int32_t scene);

// One figure of the strip each, ready to show.
struct ReadoutTexts {
  std::string ebN0, evm, ser, ber, eye;  // receiver
  std::string occupiedBandwidth, outOfBand;  // transmitter
};
ReadoutTexts readoutTexts(const SimulationState& state);

}  // namespace linklab
