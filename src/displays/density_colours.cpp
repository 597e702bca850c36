#include "displays/density_colours.h"

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
  return std::log(double(count)) / std::log(double(maximum));
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

DensityScale::DensityScale(uint32_t maximum) : most(std::max<uint32_t>(maximum, 1)) {
  // Step k begins at the count whose position is k / 255: max^(k / 255), rounded up.
  for (int k = 0; k < 256; ++k) {
    const double start = std::ceil(std::pow(double(most), k / 255.0) - 1e-9);
    from[k] = static_cast<uint32_t>(std::min(start, double(most)));
    colours[k] = densityColour(k / 255.0);
  }
  from[0] = 0;
  if (most == 1) {  // every hit is the maximum
    from.fill(0);
    colours.fill(DensityHighColour);
  }
}

int DensityScale::step(uint32_t count) const {
  // The last step whose first count is not above count.
  return static_cast<int>(std::upper_bound(from.begin(), from.end(), count) - from.begin()) - 1;
}

int densityBarTicks(uint32_t maximum, std::array<uint32_t, 12>& out) {
  int n = 0;
  out[n++] = 1;
  if (maximum <= 1) return n;
  // A power of ten closer than a sixth of the bar to either end would crowd its label.
  for (uint64_t p = 10; p < maximum && n < static_cast<int>(out.size()) - 1; p *= 10) {
    const double at = densityPosition(static_cast<uint32_t>(p), maximum);
    if (at > 1 / 6.0 && at < 5 / 6.0) out[n++] = static_cast<uint32_t>(p);
  }
  out[n++] = maximum;
  return n;
}

}  // namespace linklab
