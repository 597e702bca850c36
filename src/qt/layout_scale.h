#pragma once
// The one mapping from the model's twips to the window's pixels. The layout scales uniformly,
// keeps its proportions and sits centred in the space it is given; at scale 1 a twip position
// lands on the pixel it always did (15 twips a pixel). Edges are rounded, not sizes, so controls
// that meet in twips meet in pixels, never overlapping by one.
#include <QPointF>
#include <QRect>
#include <QSize>

namespace linklab {

struct LayoutScale {
  double factor = 1.0;  // logical pixels per pixel of the layout at 100 %
  QPointF origin;       // where the layout's top left corner sits, in logical pixels

  // The largest uniform scale at which the whole layout fits into area, centred there.
  static LayoutScale fit(QSize area, QSize layout);
  // The layout at this scale, centred in area.
  static LayoutScale centred(double factor, QSize area, QSize layout);

  int x(double twips) const;
  int y(double twips) const;
  QRect rect(int left, int top, int width, int height) const;
  QPointF point(double xTwips, double yTwips) const;
  // A logical pixel position back to twips (mouse events).
  QPointF twips(QPointF position) const;

  bool operator==(const LayoutScale&) const = default;
};

}  // namespace linklab
