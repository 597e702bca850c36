#include "displays/plot_cycles.h"

#include <cmath>

#include "form/numbers.h"

namespace linklab {

namespace {
constexpr uint32_t CarrierColour = 0xC000;
constexpr uint32_t SignalColour = 0xC00000;
constexpr double Pi = 3.14159265358979;
}  // namespace

void plotCycles(Surface& pic, std::span<double, 257> signal, std::span<double, 257> carrier,
                double blueReal, double blueImag, int32_t tick) {
  for (int i = 0; i <= 252; ++i) {
    signal[i] = signal[i + 3];
    carrier[i] = carrier[i + 3];
  }

  if (blueReal == 0) blueReal = 1e-12;
  double phase = std::atan(blueImag / blueReal);
  if (blueReal < 0) phase += Pi;
  const double amplitude = 2 * std::sqrt(blueReal * blueReal + blueImag * blueImag);

  for (int i = 0; i <= 2; ++i) {
    // In double so that a long-running tick count cannot overflow the product.
    const double t = (3.0 * tick + i) / 4;
    signal[253 + i] = amplitude * std::cos(t - phase);
    carrier[253 + i] = std::cos(t);
  }

  const double width = pic.ScaleWidth();
  const double height = pic.ScaleHeight();
  const double dx = width * 1.0 / 256;
  pic.Cls();
  auto y = [height](double v) { return CLng(height / 2 - v * 0.2 * height); };
  for (int j = 0; j <= 254; ++j) {
    const int32_t x1 = CLng(j * dx);
    const int32_t x2 = CLng(x1 + dx);
    pic.setForeColor(CarrierColour);
    pic.Line(x1, y(carrier[j]), x2, y(carrier[j + 1]));
    pic.setForeColor(SignalColour);
    pic.Line(x1, y(signal[j]), x2, y(signal[j + 1]));
  }
}

}  // namespace linklab
