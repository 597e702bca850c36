#include "qt/layout_scale.h"

#include <algorithm>
#include <cmath>

#include "qt/colours.h"

namespace linklab {

LayoutScale LayoutScale::fit(QSize area, QSize layout) {
  if (layout.isEmpty() || area.isEmpty()) return {};
  return centred(std::min(double(area.width()) / layout.width(), double(area.height()) / layout.height()), area,
                 layout);
}

LayoutScale LayoutScale::centred(double factor, QSize area, QSize layout) {
  // Centred on whole pixels, so a control's edges do not flicker between neighbours.
  return {factor, QPointF(std::floor((area.width() - layout.width() * factor) / 2),
                          std::floor((area.height() - layout.height() * factor) / 2))};
}

namespace {
// Positions in wide arithmetic first: a twip value from a script may be anything.
int pixel(double logical) {
  constexpr double limit = 1 << 24;
  return static_cast<int>(std::lround(std::clamp(logical, -limit, limit)));
}
}  // namespace

int LayoutScale::x(double twips) const { return pixel(origin.x() + twips * factor / kTwipsPerPixel); }

int LayoutScale::y(double twips) const { return pixel(origin.y() + twips * factor / kTwipsPerPixel); }

QRect LayoutScale::rect(int left, int top, int width, int height) const {
  const int x1 = x(left), y1 = y(top);
  const int x2 = x(double(left) + width), y2 = y(double(top) + height);
  return QRect(x1, y1, std::max(1, x2 - x1), std::max(1, y2 - y1));
}

QPointF LayoutScale::point(double xTwips, double yTwips) const {
  return origin + QPointF(xTwips, yTwips) * (factor / kTwipsPerPixel);
}

QPointF LayoutScale::twips(QPointF position) const { return (position - origin) * (kTwipsPerPixel / factor); }

}  // namespace linklab
