// Dragging on the window's surface: the phasor of the Baseband Demo and the scan marker over the
// data trace of the Modulation scene. Left button drags, right button puts the phasor back.
#include <cmath>

#include "form/numbers.h"
#include "main_window/form1.h"

namespace linklab {

namespace {

constexpr double OriginX = 4200;
constexpr double OriginY = 3000;
constexpr double Radius = 2360;  // one unit of amplitude

int twips(double x) { return CLng(x); }

}  // namespace

void Form1::Form_MouseDown(int Button, int, double X, double Y) {
  if (Button == 1) {
    dragMarker(X, Y);
  } else if (Button == 2 && lScene == 1) {
    // Back to the phasor 0.5 + j0, where the scene put it.
    shpDrag.Top = twips(OriginY - shpDrag.Height / 2.0);
    shpDrag.Left = twips(OriginX + Radius / 2 - shpDrag.Width / 2.0);
  }
}

void Form1::Form_MouseMove(int Button, int Shift, double X, double Y) {
  Form_MouseDown(Button, Shift, X, Y);
}

void Form1::dragMarker(double X, double Y) {
  if (lScene == 1) {
    const double w = shpDrag.Width;
    const double h = shpDrag.Height;
    const double dx = X - w / 2 - OriginX;
    const double dy = Y - h / 2 - OriginY;
    const double r2 = dx * dx + dy * dy;
    if (r2 >= Radius * Radius) {
      // Beyond amplitude 1 the handle stays on the circle, in the direction of the pointer.
      const double r = std::sqrt(r2);
      X = dx * Radius / r + OriginX;
      Y = dy * Radius / r + OriginY;
    }
    shpDrag.Left = twips(X - w / 2);
    shpDrag.Top = twips(Y - h / 2);
    return;
  }

  if (lScene == 2) {
    const double w = shpDragger.Width;
    const double left = picData.Left;
    const double width = picData.Width;
    // The marker's centre is the pointer; it snaps to the trace's ends so that the traced sample
    // never leaves the drawn window.
    double x = X;
    if (X < left)
      x = left;
    else if (X > left + width)
      x = left + width;
    shpDragger.Left = twips(x - w / 2);
    lneScan.X1 = twips(x);
    lneScan.X2 = twips(x);

    // Measured from the unrounded centre, so the ends give exactly the first and last sample.
    const double pos = x - left;
    const int16_t n = CInt(pos / width * (iTraceLast - iTraceFirst) + iTraceFirst);
    placeTraceButton(n);
  }
}

}  // namespace linklab
