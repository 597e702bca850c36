#pragma once
// The reference constellation over the receive scatter plot: one circle where each noise-free
// symbol of the transmit modulation would land.
#include <cstdint>
#include <string_view>

#include "form/surface.h"

namespace linklab {

inline constexpr double ConstellationRadius = 100;
inline constexpr uint32_t ConstellationColour = 0xC0;
inline constexpr uint32_t ConstellationAltColour = 0xC000;  // the diagonal set of pi/4-SQPSK

// Draws the circles of the modulation's ideal points; a point (I, Q) lands at
// (xOffset + I*xScale, yOffset + Q*yScale). Unknown texts, FSK and MSK draw nothing.
//  pic        : picture, not cleared
//  modulation : transmit modulation text, compared exactly ("BPSK", "16-QAM", ...)
//  threshold  : reference amplitude T of the outer points, in signal units
//  xOffset    : x of the origin, picture units
//  xScale     : picture units per unit of I
//  yOffset    : y of the origin, picture units
//  yScale     : picture units per unit of Q; negative so that positive Q is drawn upwards
void drawConstellation(Surface& pic, std::string_view modulation, double threshold,
                       int32_t xOffset, double xScale, int32_t yOffset, double yScale);

}  // namespace linklab
