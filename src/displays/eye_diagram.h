#pragma once
// The receive eye diagram: 32 stretches of the signal, every second symbol, drawn over each other
// with the sampling marker, and the sample index the marker picks.
#include <cstdint>
#include <span>

#include "form/surface.h"

namespace linklab {

inline constexpr uint32_t EyeMarkerColour = 0xFF0000;

// What the eye needs besides the signal.
struct EyeSettings {
  double bitsPerSymbol;  // 1..4; sets the span shown (128/b + 1 samples) and the alignment
  double eyeScale;       // vertical zoom, (110 - vscTxEyeScale) / 50
  int sampleSlider;      // hscSample value, -64..64, 0 = centre of the picture
};

// Samples added to a stretch's first sample so the traces line up for b bits per symbol.
int16_t eyeAlignment(double bitsPerSymbol);

// Draws one real eye and returns the sampling point: the sample index under the marker.
//  pic           : picture, not cleared; ScaleWidth spans 128/b + 1 samples
//  samples       : one real sample per element; read up to 32*95 + CInt(192b+1) + offset + 1
//  scaleFactor   : divides the vertical gain (1.0 for the receive eye)
//  showThreshold : draw the two blue marker lines and let the sampling point follow the slider
//  colour        : trace colour
//  offset        : first sample of the first stretch; the alignment for b is added to it in place
//  settings      : bits per symbol, eye scale, slider
//  returns       : with the marker, the symbol centre at the slider's 0 and one sample per b
//                  steps of the slider: offset + floor((b + 128) / 2b + 16.5) + round(slider / b);
//                  without it offset + 16
int16_t plotEye(Surface& pic, std::span<const double> samples, double scaleFactor,
                bool showThreshold, uint32_t colour, int16_t& offset, const EyeSettings& settings);

// Draws the in-phase eye and then the quadrature eye, delayed by symbolOffset, on one picture and
// returns the quadrature eye's sampling point.
//  pic           : picture, not cleared
//  signal        : at least 8192 doubles, interleaved complex (re at 2i, im at 2i+1)
//  realColour    : colour of the in-phase eye
//  imagColour    : colour of the quadrature eye
//  showThreshold : as plotEye
//  symbolOffset  : delay of the quadrature rail in samples (16 for OQPSK, else 0)
//  settings      : as plotEye
int16_t plotComplexEye(Surface& pic, std::span<const double> signal, uint32_t realColour,
                       uint32_t imagColour, bool showThreshold, int16_t symbolOffset,
                       const EyeSettings& settings);

}  // namespace linklab
