#pragma once
// The time-domain traces of the link: stepped lines of bits or symbol values, and one component
// of a sampled complex signal as a polyline. Every segment is drawn twice, the copy 15 twips
// lower, so the trace is two pixels thick.
#include <cstdint>
#include <optional>
#include <span>

#include "form/surface.h"

namespace linklab {

// Colour of a cell whose value differs from its comparison value.
inline constexpr uint32_t MismatchColour = 0xFF;
// Q colour that asks plotModData for the I line only (FSK, MSK).
inline constexpr uint32_t NoQuadratureColour = 0xC0C000;

// Draws data[first] .. data[last-1] as a stepped line, one cell of Int(ScaleWidth/n) twips each.
//  pic       : picture; dMin sits at 4/5 of ScaleHeight, dMax about 1/5 from the top
//  dutyCycle : part of a cell covered by its level line, in 32nds; 32 also draws the edges
//  data      : values to draw; cells past either end of the span are not drawn
//  compare   : reference values, same indexing; a differing cell is drawn in MismatchColour
//  colour    : trace colour, 0x00BBGGRR
//  dMin,dMax : value range mapped onto the picture
//  clear     : clear the picture first
//  offset    : shift of every cell but the first, in cells (0.5 = half a cell)
//  first,last: window of indices, last exclusive; nothing is drawn when last <= first
void plotData(Surface& pic, int16_t dutyCycle, std::span<const int16_t> data,
              std::span<const int16_t> compare, uint32_t colour, double dMin, double dMax,
              bool clear, double offset, int16_t first, int16_t last);

// Draws the I values of the symbols (clearing the picture) and, unless imagColour is
// NoQuadratureColour, the Q values over them shifted by offset. Values are drawn in hundredths,
// rounded halves to even (0.125 -> 12).
//  pic        : picture
//  dutyCycle  : as plotData
//  sym        : 257 doubles, I at 2s, Q at 2s+1, s = 0..127
//  realColour : colour of the I line
//  imagColour : colour of the Q line, or NoQuadratureColour for none
//  dMin,dMax  : value range of the symbols
//  offset     : shift of the Q line, in cells
//  first,last : window of symbols, last exclusive (at most 129)
void plotModData(Surface& pic, int16_t dutyCycle, std::span<const double> sym, uint32_t realColour,
                 uint32_t imagColour, double dMin, double dMax, double offset, int16_t first,
                 int16_t last);

// What plotComponent drew: 1 + the first and 1 + the last sample index.
struct TraceBounds {
  int16_t first;
  int16_t last;
};

// Clears the picture and draws one component of a complex signal over the data window,
// 32 samples per symbol cell, values -1..+1 over 3/5 of the height about the middle.
//  pic           : picture
//  baud          : symbols in the data window at zoom 1 (12 / bits per symbol, rounded)
//  signal        : at least 8192 doubles, interleaved complex; read circularly
//  offset        : element offset: 0 real part, 1 imaginary part, 33 imaginary part 16 samples on
//  colour        : trace colour
//  zoom          : hscDataZoom value (1..4)
//  scroll        : hscDataScroll value, in bits
//  bitsPerSymbol : 1..4
//  returns       : the bounds drawn, or nothing when the picture is too narrow for one sample
std::optional<TraceBounds> plotComponent(Surface& pic, int16_t baud, std::span<const double> signal,
                                         int16_t offset, uint32_t colour, int zoom, int scroll,
                                         double bitsPerSymbol);

}  // namespace linklab
