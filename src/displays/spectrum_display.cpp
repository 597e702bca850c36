#include "displays/spectrum_display.h"

#include <cmath>

#include "form/numbers.h"

namespace linklab {

namespace {
constexpr int Bins = 4096;
constexpr int ThickOffset = 15;
}  // namespace

double averagedPower(double average, double power, double count) {
  // A restart replaces the old average outright: weighting it by zero would keep a NaN or an
  // infinity for ever. A power that is not finite is left out.
  if (count <= 1) return std::isfinite(power) ? power : 0;
  if (!std::isfinite(power)) return average;
  const double mean = ((count - 1) * average + power) / count;
  return std::isfinite(mean) ? mean : average + (power - average) / count;
}

double spectrumUnitsPerHeight(double height, bool linear, int range) {
  double f = linear ? 128.0 * 128.0 / 0.8 / height : 50 / 0.8 / height;
  return f / (201 - range) * 50;
}

void drawSpectrumTrace(Surface& pic, std::span<const double> powers, double bitsPerSymbol,
                       double zoom, double unitsPerHeight, bool linear, uint32_t colour) {
  const double width = pic.ScaleWidth();
  const double height = pic.ScaleHeight();
  const double b = bitsPerSymbol;
  pic.setForeColor(colour);
  double xPrev = 0;
  double yPrev = height;
  const int16_t last = CInt(1024 * b / zoom - 1);
  const int32_t centre = CLng(512 * b / zoom) % Bins;
  for (int i = 0; i <= last; ++i) {
    // Wrapped fully so that any basis and zoom stay inside the 4096 bins.
    int k = (i - centre) % Bins;
    if (k < 0) k += Bins;
    const double x = (i * width) / (b * 4096) * 4 * zoom;
    const double s = powers[k];
    double y;
    if (linear)
      y = height - s / unitsPerHeight;
    else
      y = s <= 0 ? height : height - (10 * std::log(s) / std::log(10.0)) / unitsPerHeight;
    pic.Line(xPrev, yPrev, x, y);
    pic.Line(xPrev, yPrev + ThickOffset, x, y + ThickOffset);
    xPrev = x;
    yPrev = y;
  }
}

void plotSpectrum(Surface& pic, std::span<const double> spectrum, std::span<double> average,
                  double& spectrums, double& zoom, const SpectrumSettings& settings,
                  SpectrumMemory memory) {
  const bool linear = settings.linear;
  pic.Cls();
  const double f = spectrumUnitsPerHeight(pic.ScaleHeight(), linear, settings.range);

  if (settings.memoryVisible && !settings.memoryChecked) memory.held = false;
  if (settings.memoryVisible && settings.memoryChecked && !memory.held) {
    memory.held = true;
    for (int i = 0; i < Bins; ++i) memory.trace[i] = average[i];
    memory.bitsPerSymbol = settings.bitsPerSymbol;
  } else if (!settings.memoryVisible) {
    memory.held = false;
  }

  // A zero zoom would leave the memory trace without a width, so it is replaced before either
  // trace is drawn.
  if (zoom == 0) zoom = 1;
  if (memory.held)
    drawSpectrumTrace(pic, memory.trace, memory.bitsPerSymbol, zoom, f, linear,
                      SpectrumMemoryColour);

  spectrums = spectrums + 1;
  for (int i = 0; i < Bins; ++i) {
    const double p = spectrum[2 * i + 1] * spectrum[2 * i + 1] + spectrum[2 * i] * spectrum[2 * i];
    average[i] = averagedPower(average[i], p, spectrums);
  }

  drawSpectrumTrace(pic, average, settings.bitsPerSymbol, zoom, f, linear, SpectrumColour);
}

}  // namespace linklab
