#include "displays/eye_diagram.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "form/numbers.h"

namespace linklab {

namespace {
// The two rails of the last complex eye; one user-interface thread, so no sharing.
std::array<double, 4097> eyeReal;
std::array<double, 4097> eyeImag;

}  // namespace

int16_t eyeAlignment(double b) {
  if (b == 1 || b == 2) return 31;
  if (b == 3) return 10;  // 32 / 16 * 6 - 2
  if (b == 4) return 15;  // 32 / 2 - 1
  return 0;
}

int16_t plotEye(Surface& pic, std::span<const double> samples, double scaleFactor,
                bool showThreshold, uint32_t colour, int16_t& offset, const EyeSettings& settings) {
  const double b = settings.bitsPerSymbol;
  const double width = pic.ScaleWidth();
  const double height = pic.ScaleHeight();
  offset = static_cast<int16_t>(offset + eyeAlignment(b));

  const double yUnit = (2 / 0.7) / height * scaleFactor / settings.eyeScale;
  const double yMid = 0.5 * height;
  const double xUnit = (b + 128) / width / b;

  double xs = 0;
  if (showThreshold) {
    pic.setForeColor(EyeMarkerColour);
    xs = (settings.sampleSlider / 2.0 / 64 + 0.5) * width;
    pic.Line(xs - 5, 0, xs - 5, height);
    pic.Line(xs + 5, 0, xs + 5, height);
  }
  pic.setForeColor(colour);

  // The marker's sample: the slider's centre picks the symbol centre nearest the picture's middle
  // (the picture spans 128/b samples, so the centre sample is the middle rounded half up), and
  // each step of 1/b sample reaches every sample in turn. Without a marker, the left edge.
  int16_t samplePoint = static_cast<int16_t>(offset + 16);
  if (showThreshold && b > 0) {
    const int centre = static_cast<int>(std::floor(0.5 * (b + 128) / b + 16.5));
    samplePoint = static_cast<int16_t>(offset + centre + std::lround(settings.sampleSlider / b));
  }
  const int n = CInt(192 * b + 1);
  const long size = static_cast<long>(samples.size());
  for (int s = 33; s <= 95; s += 2) {
    for (int j = 0; j <= n; ++j) {
      const double x1 = (j - 16) / xUnit;
      const double x2 = (j + 1 - 16) / xUnit;
      // The stretch runs far past the right edge; what lies wholly outside is not drawn.
      if (x2 < 0 || x1 > width) continue;
      const long k = 32L * s + j + offset;
      if (k < 0 || k + 1 >= size) continue;
      const double y1 = yMid - samples[k] / yUnit;
      const double y2 = yMid - samples[k + 1] / yUnit;
      pic.Line(x1, y1, x2, y2);
    }
  }
  return samplePoint;
}

int16_t plotComplexEye(Surface& pic, std::span<const double> signal, uint32_t realColour,
                       uint32_t imagColour, bool showThreshold, int16_t symbolOffset,
                       const EyeSettings& settings) {
  const size_t count = std::min<size_t>(4096, signal.size() / 2);
  for (size_t i = 0; i < count; ++i) {
    eyeReal[i] = signal[2 * i];
    eyeImag[i] = signal[2 * i + 1];
  }
  int16_t realOffset = 16;
  plotEye(pic, std::span<const double>(eyeReal.data(), count), 1.0, showThreshold, realColour,
          realOffset, settings);
  int16_t imagOffset = static_cast<int16_t>(16 - symbolOffset);
  return plotEye(pic, std::span<const double>(eyeImag.data(), count), 1.0, showThreshold,
                 imagColour, imagOffset, settings);
}

}  // namespace linklab
