// The heaviest drawing of a run: the 16-QAM eye and the four-bits-per-symbol spectrum at zoom 1,
// on a surface that draws nothing, so only the arithmetic is measured.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "displays/eye_diagram.h"
#include "displays/spectrum_display.h"
#include "form/surface.h"

namespace {

using namespace linklab;

class NullSurface : public Surface {
 public:
  NullSurface(double w, double h) : width(w), height(h) {}
  void Cls() override {}
  double ScaleWidth() const override { return width; }
  double ScaleHeight() const override { return height; }
  uint32_t ForeColor() const override { return colour; }
  void setForeColor(uint32_t c) override { colour = c; }
  void Line(double x1, double y1, double x2, double y2) override {
    benchmark::DoNotOptimize(x1 + y1 + x2 + y2);
  }
  void Circle(double x, double y, double r, uint32_t) override {
    benchmark::DoNotOptimize(x + y + r);
  }

 private:
  double width, height;
  uint32_t colour = 0;
};

std::vector<double> testSignal() {
  std::vector<double> signal(8193, 0.0);
  for (int k = 0; k < 4096; ++k) {
    signal[2 * k] = std::cos(k * 0.0981);
    signal[2 * k + 1] = std::sin(k * 0.0577);
  }
  return signal;
}

void SixteenQamEye(benchmark::State& state) {
  const std::vector<double> signal = testSignal();
  NullSurface pic(4335, 3855);
  for (auto _ : state)
    benchmark::DoNotOptimize(plotComplexEye(pic, signal, 0xC000, 0xC0, true, 0, {4, 1.0, 0}));
}
BENCHMARK(SixteenQamEye);

void FourBitSpectrumZoomOne(benchmark::State& state) {
  const std::vector<double> spectrum = testSignal();
  std::vector<double> average(8193, 0.0), memory(8193, 0.0);
  double spectrums = 0, zoom = 1, memoryBits = 0;
  bool held = false;
  NullSurface pic(8895, 2775);
  const SpectrumSettings settings{false, 150, true, true, 4};  // log axis, memory shown
  for (auto _ : state) {
    plotSpectrum(pic, spectrum, average, spectrums, zoom, settings, {held, memoryBits, memory});
    benchmark::ClobberMemory();
  }
}
BENCHMARK(FourBitSpectrumZoomOne);

}  // namespace
