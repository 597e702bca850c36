#include "displays/trajectory.h"

#include "form/numbers.h"

namespace linklab {

namespace {
constexpr int Samples = 4096;

int wrap(int sample) {
  const int k = sample % Samples;
  return k < 0 ? k + Samples : k;
}
}  // namespace

TrajectoryMapping trajectoryMapping(double scaleWidth, double scaleHeight, double eyeScale) {
  return {scaleWidth / 3 * eyeScale, -scaleHeight / 3 * eyeScale, CLng(scaleWidth / 2),
          CLng(scaleHeight / 2)};
}

PicturePoint trajectoryPoint(const TrajectoryMapping& map, std::span<const double> signal,
                             int sample, int16_t symbolOffset) {
  const int re = 2 * wrap(sample);
  const int im = 2 * wrap(sample + symbolOffset) + 1;
  return {CLng(map.sx * signal[re] + map.x0), CLng(map.sy * signal[im] + map.y0)};
}

void plotTrajectory(Surface& pic, std::span<const double> signal, double eyeScale,
                    int16_t symbolOffset) {
  pic.setForeColor(TrajectoryColour);
  const TrajectoryMapping map = trajectoryMapping(pic.ScaleWidth(), pic.ScaleHeight(), eyeScale);
  PicturePoint from = trajectoryPoint(map, signal, 32, symbolOffset);
  for (int i = 32; i <= 4031; ++i) {
    const PicturePoint to = trajectoryPoint(map, signal, i + 1, symbolOffset);
    pic.Line(from.x, from.y, to.x, to.y);
    from = to;
  }
}

ButtonPlace traceButtonPlace(int picLeft, int picTop, double scaleWidth, double scaleHeight,
                             int buttonWidth, int buttonHeight, std::span<const double> signal,
                             int sample, double eyeScale, int16_t symbolOffset) {
  const TrajectoryMapping map = trajectoryMapping(scaleWidth, scaleHeight, eyeScale);
  const PicturePoint p = trajectoryPoint(map, signal, sample, symbolOffset);
  // Summed in double: a point clamped near the 32-bit limit plus the picture's edge would
  // overflow a whole-number sum.
  return {CLng(static_cast<double>(picLeft) + p.x - buttonWidth / 2.0),
          CLng(static_cast<double>(picTop) + p.y - buttonHeight / 2.0)};
}

}  // namespace linklab
