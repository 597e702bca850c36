// The animation tick, the immediate tick of a change, and pause / continue with the scan marker.
#include <cmath>
#include <cstdint>

#include "form/numbers.h"
#include "main_window/form1.h"

namespace linklab {

namespace {
constexpr double kPhasorX = 4200, kPhasorY = 3000, kUnit = 2360;
}

void Form1::Timer1_Timer() {
  if (lScene == 1) {
    double nRe = 0, nIm = 0;
    // Only a noise level the scene shows jitters the phasor.
    if (noiseAdded()) {
      double s = 0;
      do {
        const double u = 2 * rnd.next() - 1;
        const double v = 2 * rnd.next() - 1;
        s = u * u + v * v;
      } while (!(s > 0 && s < 1));
      const double g = std::sqrt(-2 * std::log(s) / s);
      const double theta = (rnd.next() - 0.5) * 6.2831852;
      nRe = std::cos(theta) * g / 8;
      nIm = std::sin(theta) * g / 8;
    }
    const double cx = shpDrag.Left + shpDrag.Width / 2.0;
    const double cy = shpDrag.Top + shpDrag.Height / 2.0;
    const double re = (cx - kPhasorX) / kUnit, im = (cy - kPhasorY) / kUnit;
    plotCycles(picModData, 8, re, im, nRe, nIm);
    PictureBox& plane = picScatter[0];
    trailX = (0.45 * re + 0.5 + 0.2 * nRe) * plane.ScaleWidth();
    trailY = (0.45 * im + 0.5 + 0.2 * nIm) * plane.ScaleHeight();
    if (lTick > 1) {
      plane.setForeColor(0xFF8080);
      plane.Line(trailPrevX, trailPrevY, trailX, trailY);
    }
    trailPrevX = trailX;
    trailPrevY = trailY;
    for (int r = 10; r <= 50; r += 10) plane.Circle(trailX, trailY, r, 0xC00000);
  }
  if (bFiltersValid == 0) designFilters();
  if (lScene != 1 && lTick > 0) {
    if (cmdPause.Caption == "Pause") makeData();
    runSimulation();
  }
  // After the last 32-bit count the counter goes on at 2, which keeps both first-tick rules
  // (no chain at 0, no trail line at 0 and 1) for a scene that has long been running.
  lTick = lTick == INT32_MAX ? 2 : lTick + 1;
}

void Form1::tickOnce() {
  if (lTick >= 1) Timer1_Timer();
}

void Form1::cmdPause_Click() {
  if (!Timer1.Enabled) {
    Timer1.Enabled = true;
    cmdPause.Caption = "Pause";
    Timer1.Interval = 100;
    lneScan.Visible = false;
    cmdTrace.Visible = false;
    shpDragger.Visible = false;
    return;
  }
  if (cmdPause.Caption != "Pause") return;
  Timer1.Enabled = false;
  cmdPause.Caption = "Cont";
  if (lScene != 2) return;
  picScatter[0].Cls();
  plotTrajectory();
  lneScan.Visible = true;
  cmdTrace.Visible = true;
  shpDragger.Visible = true;
  lneScan.X1 = lneScan.X2 = picData.Left;
  shpDragger.Left = CLng(picData.Left - shpDragger.Width / 2.0);
  placeTraceButton(32);
}

}  // namespace linklab
