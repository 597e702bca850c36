#pragma once
// The I/Q path of the received signal on the trajectory picture, and where the trace button
// stands over one sample of it.
#include <cstdint>
#include <span>

#include "form/surface.h"

namespace linklab {

inline constexpr uint32_t TrajectoryColour = 0xFF4040;

// Maps a complex sample to whole picture units: amplitude 1 reaches a third of the picture from
// its centre at eye scale 1; positive Q upwards.
struct TrajectoryMapping {
  double sx;   // picture units per unit of I
  double sy;   // picture units per unit of Q, negative
  int32_t x0;  // centre, CLng(ScaleWidth / 2)
  int32_t y0;  // centre, CLng(ScaleHeight / 2)
};

struct PicturePoint {
  int32_t x;
  int32_t y;
};

//  scaleWidth, scaleHeight : picture size in its scale units
//  eyeScale                : zoom shared with the eye and the scatter plot
TrajectoryMapping trajectoryMapping(double scaleWidth, double scaleHeight, double eyeScale);

// The picture point of sample i: I of sample i, Q of sample i + symbolOffset, both rounded
// halves to even. Sample indices are taken modulo 4096.
//  signal       : at least 8192 doubles, interleaved complex
//  sample       : sample index
//  symbolOffset : delay of the quadrature rail in samples (16 for OQPSK, else 0)
PicturePoint trajectoryPoint(const TrajectoryMapping& map, std::span<const double> signal,
                             int sample, int16_t symbolOffset);

// Draws samples 32 .. 4032 joined by straight lines in TrajectoryColour; does not clear.
//  pic          : picture
//  signal       : at least 8192 doubles, interleaved complex
//  eyeScale     : zoom
//  symbolOffset : as trajectoryPoint
void plotTrajectory(Surface& pic, std::span<const double> signal, double eyeScale,
                    int16_t symbolOffset);

// Where a button's top-left corner goes so that its centre stands over a sample's point.
struct ButtonPlace {
  int left;
  int top;
};

//  picLeft, picTop : the picture's position in the window, twips
//  scaleWidth/Height: the picture's scale size (taken as twips)
//  buttonWidth/Height: size of the button, twips; halves round to even
//  signal, sample, eyeScale, symbolOffset : as trajectoryPoint
ButtonPlace traceButtonPlace(int picLeft, int picTop, double scaleWidth, double scaleHeight,
                             int buttonWidth, int buttonHeight, std::span<const double> signal,
                             int sample, double eyeScale, int16_t symbolOffset);

}  // namespace linklab
