#pragma once
// Liang-Barsky line clipping, shared by every surface that turns segments into pixels or paths.
#include <algorithm>

namespace linklab {

// Shortens the segment to the rectangle [lo, hi] in both axes; false when nothing of it is inside.
inline bool clipSegment(double& x1, double& y1, double& x2, double& y2, double loX, double loY, double hiX,
                        double hiY) {
  double t0 = 0, t1 = 1;
  const double dx = x2 - x1, dy = y2 - y1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - loX, hiX - x1, y1 - loY, hiY - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      t0 = std::max(t0, t);
    } else {
      if (t < t0) return false;
      t1 = std::min(t1, t);
    }
  }
  const double ax = x1 + t0 * dx, ay = y1 + t0 * dy;
  x2 = x1 + t1 * dx;
  y2 = y1 + t1 * dy;
  x1 = ax;
  y1 = ay;
  return true;
}

}  // namespace linklab
