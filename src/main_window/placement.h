#pragma once
// Putting a control or a line where a description or a scene wants it, in twips.
#include "form/control.h"
#include "form/widgets.h"

namespace linklab {

inline void place(Control& c, int left, int top, int width, int height) {
  c.Left = left;
  c.Top = top;
  c.Width = width;
  c.Height = height;
}

inline void setEnds(LineShape& l, int x1, int y1, int x2, int y2) {
  l.X1 = x1;
  l.Y1 = y1;
  l.X2 = x2;
  l.Y2 = y2;
}

}  // namespace linklab
