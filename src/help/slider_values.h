#pragma once
// A slider's value in real units, as a student reads it beside the slider while it moves and in
// its tooltip: Hz, kHz, symbols, ms, dB, zoom factors. Every front end shows the same words.
#include <string>
#include <string_view>

namespace linklab {

// What a slider's units depend on besides its own value.
struct SliderUnits {
  double bitsPerSymbol = 1;    // a symbol of b bits lasts b ms (1 kbit/s)
  bool linearSpectrum = false;  // the spectrum's "Linear Plot" box is ticked
};

// The value of slider `name` at `value`; empty for a slider without units (or an unknown name).
std::string sliderValueText(std::string_view name, int value, const SliderUnits& units);

}  // namespace linklab
