#include "help/slider_values.h"

#include <cmath>
#include <cstdio>

namespace linklab {

namespace {

// Three significant digits, no trailing zeros, a typographic minus, never "-0".
std::string number(double x) {
  if (std::abs(x) < 5e-10) x = 0;
  char text[32];
  // Large values whole: a power of 20078, not 2.01e+04.
  std::snprintf(text, sizeof text, std::abs(x) < 1000 ? "%.3g" : "%.0f", std::abs(x));
  return (x < 0 ? "\u2212" : "") + std::string(text);
}

std::string signedNumber(double x) { return x > 0 ? "+" + number(x) : number(x); }

std::string plural(double x, const char* one, const char* many) {
  return number(x) + " " + (std::abs(x) == 1 ? one : many);
}

}  // namespace

std::string sliderValueText(std::string_view name, int value, const SliderUnits& units) {
  const double b = units.bitsPerSymbol > 0 ? units.bitsPerSymbol : 1;
  const double v = value;
  if (name == "hscCarrier")
    // v/64 carrier cycles a sample, 32 samples a symbol of b ms.
    return "carrier " + number(v / (2 * b)) + " kHz (" + plural(v / 2, "cycle", "cycles") + " a symbol)";
  if (name == "hscSpectrum") return "\u00b1" + number(4 / v) + " kHz across the spectrum (zoom \u00d7" + number(v) + ")";
  if (name == "hscSample") {
    // The marker's sample: one step is 1/b sample, 32 samples a symbol.
    const double samples = std::lround(v / b);
    return signedNumber(samples / 32) + (std::abs(samples) == 32 ? " symbol" : " symbols") +
           " from the symbol centre (" + signedNumber(samples) + (std::abs(samples) == 1 ? " sample, " : " samples, ") +
           signedNumber(samples * b / 32) + " ms)";
  }
  if (name == "hscDataScroll")
    // The window starts at bit value + 12 of the block.
    return "window starts at symbol " + number((v + 12) / b) + ", " + number(v + 12) + " ms into the block";
  if (name == "hscDataZoom") return "window " + plural(12 * v / b, "symbol", "symbols") + " long (" + number(12 * v) + " ms)";
  if (name == "vscTxEyeScale") return "zoom \u00d7" + number((110 - v) / 50);
  if (name == "vscSpectrumRange") {
    if (units.linearSpectrum) return "linear power up to " + number(1024000 / (201 - v)) + " at the top";
    return number(3125 / (201 - v)) + " dB from the bottom to the top";
  }
  if (name == "vscYThreshold") return "reference amplitude " + number((110 - v) / 50);
  if (name == "vscFSK") return "FSK index h = " + number((30 - v) / 6);
  if (name == "vscFreq")
    // Degrees a run, one run a 100 ms tick.
    return signedNumber(v) + "\u00b0 a run = " + signedNumber(v / 360 / 0.1) + " Hz offset";
  if (name == "vscSync") return "3.6\u00b0 a click (\u03c0/50)";
  return {};
}

}  // namespace linklab
