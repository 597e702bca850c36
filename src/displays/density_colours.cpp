#include "displays/density_colours.h"

#include "displays/picture_scales.h"

#include <algorithm>
#include <cmath>

namespace linklab {

namespace {

struct Stop {
  double at;
  double r, g, b;
};

// Luminance falls from stop to stop, and so along every straight blend between them.
constexpr std::array<Stop, 4> kStops{{{0.0, 245, 225, 80}, {1 / 3.0, 120, 190, 80}, {2 / 3.0, 30, 120, 130},
                                      {1.0, 15, 35, 60}}};

}  // namespace

double densityPosition(uint32_t count, uint32_t maximum) {
  if (count == 0) return 0;
  if (maximum <= 1 || count >= maximum) return 1;
  return (count - 1.0) / (maximum - 1.0);
}

uint32_t densityColour(double position) {
  const double t = std::clamp(std::isfinite(position) ? position : 0.0, 0.0, 1.0);
  std::size_t i = 1;
  while (i + 1 < kStops.size() && t > kStops[i].at) ++i;
  const Stop& a = kStops[i - 1];
  const Stop& b = kStops[i];
  const double u = (t - a.at) / (b.at - a.at);
  auto mix = [u](double x, double y) { return static_cast<uint32_t>(std::lround(x + (y - x) * u)); };
  return mix(a.r, b.r) | (mix(a.g, b.g) << 8) | (mix(a.b, b.b) << 16);
}

DensityScale::DensityScale(uint32_t maximum)
    : most(std::max<uint32_t>(maximum, 1)), reciprocal(most > 1 ? (uint64_t{255} << 32) / (most - 1) : 0) {
  for (int k = 0; k < 256; ++k) colours[k] = densityColour(k / 255.0);
}

int densityBarTicks(uint32_t maximum, std::array<uint32_t, 12>& out) {
  int n = 0;
  out[n++] = 1;
  if (maximum <= 1) return n;
  // At most three round counts between the ends; one closer than a sixth of the bar to either
  // end would crowd its label.
  const uint64_t step = std::max<uint64_t>(1, static_cast<uint64_t>(niceStep(maximum - 1.0, 3)));
  for (uint64_t c = step; c < maximum && n < static_cast<int>(out.size()) - 1; c += step) {
    const double at = densityPosition(static_cast<uint32_t>(c), maximum);
    if (at > 1 / 6.0 && at < 5 / 6.0) out[n++] = static_cast<uint32_t>(c);
  }
  out[n++] = maximum;
  return n;
}

}  // namespace linklab
