#pragma once
// The averaged transmit power spectrum, centred on zero frequency, on a decibel or linear axis,
// with an optional frozen memory trace that keeps the frequency scale it was taken with.
#include <cstdint>
#include <span>

#include "form/surface.h"

namespace linklab {

inline constexpr uint32_t SpectrumColour = 0x0;
inline constexpr uint32_t SpectrumMemoryColour = 0x8000;

// What the display reads from its controls.
struct SpectrumSettings {
  bool linear;           // chkLinear visible and checked; otherwise decibels
  int range;             // vscSpectrumRange value, 1..200; larger shows more decibels
  bool memoryVisible;    // chkMemory.Visible
  bool memoryChecked;    // chkMemory value is 1
  double bitsPerSymbol;  // width basis of the live trace, 1..4
};

// The memory trace, kept by the caller between calls.
struct SpectrumMemory {
  bool& held;              // a memory trace is held
  double& bitsPerSymbol;   // width basis at the moment it was taken
  std::span<double> trace; // at least 4096 doubles, bin powers in FFT bin order
};

// Power units (or decibels) per picture unit of height.
//  height : ScaleHeight of the picture
//  linear : linear power axis instead of decibels
//  range  : vscSpectrumRange value, 1..200
double spectrumUnitsPerHeight(double height, bool linear, int range);

// One bin of the running average after its count-th power (count 1 starts afresh); a power
// that is not finite is not taken in, so the average stays finite.
double averagedPower(double average, double power, double count);

// Draws one trace: 1024*b/zoom bins with zero frequency in the middle of the picture, each
// segment twice (the copy 15 lower), the first rising from the bottom-left corner.
//  pic           : picture, not cleared
//  powers        : at least 4096 doubles, bin powers in FFT bin order; bins taken modulo 4096
//  bitsPerSymbol : width basis b; the axis spans +-4/zoom times the bit rate
//  zoom          : frequency zoom, > 0
//  unitsPerHeight: from spectrumUnitsPerHeight
//  linear        : linear axis (else decibels; powers <= 0 lie on the bottom edge)
//  colour        : trace colour
void drawSpectrumTrace(Surface& pic, std::span<const double> powers, double bitsPerSymbol,
                       double zoom, double unitsPerHeight, bool linear, uint32_t colour);

// One run of the display: clears the picture, takes or drops the memory, draws it, adds this
// run's bin powers to the running average and draws the average in black.
//  pic       : picture
//  spectrum  : at least 8192 doubles, this run's complex spectrum, 4096 bins interleaved
//  average   : at least 4096 doubles, running average of bin powers, updated in place
//  spectrums : runs in the average, incremented; 0 restarts the average
//  zoom      : frequency zoom (hscSpectrum value); 0 is replaced by 1 in place
//  settings  : axis, range, memory check box, bits per symbol
//  memory    : memory state, updated in place
void plotSpectrum(Surface& pic, std::span<const double> spectrum, std::span<double> average,
                  double& spectrums, double& zoom, const SpectrumSettings& settings,
                  SpectrumMemory memory);

}  // namespace linklab
