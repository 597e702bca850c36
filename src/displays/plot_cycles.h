#pragma once
// The carrier picture of the Baseband Demo: a scrolling window of an unmodulated carrier and of
// the carrier modulated by one complex value, three new samples per call.
#include <cstdint>
#include <span>

#include "form/surface.h"

namespace linklab {

// Shifts both histories left by three samples, appends three samples of each carrier at the
// time of the given tick, clears the picture and draws both histories as 255 segments.
//  pic      : picture; x spans ScaleWidth over 256 samples, y centred, carrier 0.2*ScaleHeight tall
//  signal   : 257 doubles, modulated carrier history, 0..255 oldest first, 256 never touched
//  carrier  : 257 doubles, unmodulated carrier history, same layout
//  blueReal : real part of the value z shown (0 is taken as 1e-12 so its phase is defined)
//  blueImag : imaginary part of z
//  tick     : animation tick count; sample time t = (3*tick + i)/4 radians, i = 0, 1, 2
void plotCycles(Surface& pic, std::span<double, 257> signal, std::span<double, 257> carrier,
                double blueReal, double blueImag, int32_t tick);

}  // namespace linklab
