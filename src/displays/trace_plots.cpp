#include "displays/trace_plots.h"

#include <array>

#include "form/numbers.h"

namespace linklab {

namespace {
constexpr int ThickOffset = 15;  // one pixel lower: the trace's second line
constexpr int SignalElements = 8192;
}  // namespace

void plotData(Surface& pic, int16_t dutyCycle, std::span<const int16_t> data,
              std::span<const int16_t> compare, uint32_t colour, double dMin, double dMax,
              bool clear, double offset, int16_t first, int16_t last) {
  const double width = pic.ScaleWidth();
  const double height = pic.ScaleHeight();
  const int n = last - first;
  if (clear) pic.Cls();
  if (n <= 0) return;  // an empty window has no cell width

  const int cell = static_cast<int>(Int(width / n));
  const int onWidth = static_cast<int>(Int(cell * dutyCycle / 32.0));
  const int shift = static_cast<int>(Int(cell * offset));
  const int16_t scale = CInt(-Int(height * 3 / 5) / (dMax - dMin));
  const int base = static_cast<int>(Int(height * 4 / 5));

  pic.setForeColor(colour);
  int previous = base;
  int edge = 0;  // the first cell starts at the left edge, later ones are shifted
  for (int i = 0; i < n; ++i) {
    const int index = first + i;
    if (index < 0) continue;
    if (static_cast<size_t>(index) >= data.size()) break;
    const int16_t v = data[index];
    if (static_cast<size_t>(index) < compare.size() && v != compare[index])
      pic.setForeColor(MismatchColour);
    const int x0 = i * cell;
    const int y = CInt((v - dMin) * scale + base);
    pic.Line(x0 + edge, y, x0 + onWidth + shift, y);
    pic.Line(x0 + edge, y + ThickOffset, x0 + onWidth + shift, y + ThickOffset);
    if (dutyCycle == 32 && y != previous) pic.Line(x0 + edge, previous, x0 + edge, y);
    previous = y;
    pic.setForeColor(colour);
    edge = shift;
  }
}

void plotModData(Surface& pic, int16_t dutyCycle, std::span<const double> sym, uint32_t realColour,
                 uint32_t imagColour, double dMin, double dMax, double offset, int16_t first,
                 int16_t last) {
  std::array<int16_t, 129> real{};
  std::array<int16_t, 129> imag{};
  // Every one of the 128 symbols, so the last one of the block shows its own value.
  for (size_t s = 0; s < 128 && 2 * s + 1 < sym.size(); ++s) {
    real[s] = CInt(sym[2 * s] * 100);
    imag[s] = CInt(sym[2 * s + 1] * 100);
  }
  plotData(pic, dutyCycle, real, real, realColour, dMin * 100, dMax * 100, true, 0, first, last);
  if (imagColour != NoQuadratureColour)
    plotData(pic, dutyCycle, imag, imag, imagColour, dMin * 100, dMax * 100, false, offset, first,
             last);
}

std::optional<TraceBounds> plotComponent(Surface& pic, int16_t baud, std::span<const double> signal,
                                         int16_t offset, uint32_t colour, int zoom, int scroll,
                                         double bitsPerSymbol) {
  const double width = pic.ScaleWidth();
  const double height = pic.ScaleHeight();
  pic.Cls();
  const int symbols = baud * zoom;
  if (symbols <= 0 || signal.size() < SignalElements) return std::nullopt;
  const double dx = Int(width / symbols) / 32;
  if (dx <= 0) return std::nullopt;  // narrower than one symbol: no sample width
  const int points = CInt(width / dx);

  const int16_t scale = CInt(-Int(height * 3 / 5) / 2);
  const double middle = Int(height / 2);
  const int p0 = CInt(baud * scroll / 12.0 * 32 - 16 + 12 / bitsPerSymbol * 32);

  auto sample = [&](int m) {
    int k = (2 * m + offset) % SignalElements;
    if (k < 0) k += SignalElements;
    return signal[k];
  };

  pic.setForeColor(colour);
  for (int i = 0; i < points; ++i) {
    const int16_t y1 = CInt(scale * sample(p0 + i) + middle);
    const int16_t y2 = CInt(scale * sample(p0 + i + 1) + middle);
    pic.Line(i * dx, y1, (i + 1) * dx, y2);
    pic.Line(i * dx, y1 + ThickOffset, (i + 1) * dx, y2 + ThickOffset);
  }
  if (points < 1) return std::nullopt;
  return TraceBounds{static_cast<int16_t>(p0 + 1), static_cast<int16_t>(p0 + points)};
}

}  // namespace linklab
