#pragma once
// How a picture that builds up over the runs keeps its earlier runs: all of them (Infinite, the
// program's own drawing and the batch runner's), fading away over about two seconds (Fading),
// or as counts of how often each pixel was hit (Density, see form/density_grid.h and
// displays/density_colours.h). Only what a window shows changes; the model draws the same.
#include <cstdint>

namespace linklab {

enum class Persistence : uint8_t { Infinite, Fading, Density };

// Fading: the part of a pixel's difference from the background that one 100 ms tick keeps, in
// 256ths, rounded towards the background: a full-contrast trace is half gone after 4 ticks, at
// 5 % after 17 (about two seconds) and gone after 25.
inline constexpr int FadeKeep256 = 215;

}  // namespace linklab
