// Dragging the phasor of the Baseband Demo and the scan marker of the Modulation scene.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "form/numbers.h"
#include "main_window/form1.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> inScene(const char* scene) {
  auto form = std::make_unique<Form1>();
  form->Form_Load();
  form->cmbScene.setText("Full");
  form->cmbScene.setText(scene);
  return form;
}

double centreX(const Shape& s) { return s.Left + s.Width / 2.0; }
double centreY(const Shape& s) { return s.Top + s.Height / 2.0; }

// ---- phasor ----

struct PhasorCase {
  double x, y;    // pointer
  int left, top;  // where the handle lands
};

class DragHandlesPhasor : public ::testing::TestWithParam<PhasorCase> {};

TEST_P(DragHandlesPhasor, FollowsThePointerUpToTheCircle) {
  const PhasorCase& c = GetParam();
  auto form = inScene("Baseband Demo");
  form->Form_MouseDown(1, 0, c.x, c.y);
  EXPECT_EQ(form->shpDrag.Left, c.left);
  EXPECT_EQ(form->shpDrag.Top, c.top);
  // Dragging moves the same way.
  form->Form_MouseDown(2, 0, 0, 0);
  form->Form_MouseMove(1, 0, c.x, c.y);
  EXPECT_EQ(form->shpDrag.Left, c.left);
  EXPECT_EQ(form->shpDrag.Top, c.top);
}

// The handle is 240 twips square; offsets are measured from its corner, 120 up and left of the
// pointer: (dx, dy) = (X - 120 - 4200, Y - 120 - 3000). Outside radius 2360 the centre goes to
// 2360 * (dx, dy) / |(dx, dy)| from (4200, 3000).
INSTANTIATE_TEST_SUITE_P(
    Pointer, DragHandlesPhasor,
    ::testing::Values(
        PhasorCase{5000, 3500, 5000 - 120, 3500 - 120},          // inside: centre on the pointer
        PhasorCase{4320, 3120, 4200, 3000},                      // corner offset 0
        PhasorCase{4320 + 10000, 3120, 6560 - 120, 3000 - 120},  // far right: amplitude 1, angle 0
        PhasorCase{4320, 3120 - 10000, 4200 - 120, 640 - 120},   // far up
        PhasorCase{4320 - 3000, 3120 - 4000, 4200 - 1416 - 120, 3000 - 1888 - 120},
        PhasorCase{4320 + 3000 * 10, 3120 + 4000 * 10, 4200 + 1416 - 120, 3000 + 1888 - 120},
        PhasorCase{4320 + 2360, 3120, 6560 - 120, 3000 - 120}));  // exactly on the circle

TEST(DragHandles, PhasorFarOutsideHasAmplitudeOne) {
  auto form = inScene("Baseband Demo");
  for (double angle = 0; angle < 6.28; angle += 0.37) {
    form->Form_MouseDown(1, 0, 4320 + 50000 * std::cos(angle), 3120 + 50000 * std::sin(angle));
    const double re = (centreX(form->shpDrag) - 4200) / 2360;
    const double im = (centreY(form->shpDrag) - 3000) / 2360;
    EXPECT_NEAR(std::hypot(re, im), 1.0, 1.0 / 2360) << "angle " << angle;
    EXPECT_NEAR(std::atan2(im, re), std::atan2(std::sin(angle), std::cos(angle)), 1e-3);
  }
}

TEST(DragHandles, RightClickPutsThePhasorBackToHalfAtAngleZero) {
  auto form = inScene("Baseband Demo");
  form->Form_MouseDown(1, 0, 2000, 1000);
  ASSERT_NE(form->shpDrag.Left, 5260);
  form->Form_MouseDown(2, 0, 2000, 1000);
  EXPECT_EQ(centreX(form->shpDrag), 5380);
  EXPECT_EQ(centreY(form->shpDrag), 3000);
}

TEST(DragHandles, OtherButtonsAreIgnored) {
  auto form = inScene("Baseband Demo");
  for (int button : {0, 3, 4}) {
    form->Form_MouseDown(button, 0, 2000, 1000);
    form->Form_MouseMove(button, 0, 2000, 1000);
  }
  EXPECT_EQ(form->shpDrag.Left, 5260);
  EXPECT_EQ(form->shpDrag.Top, 2880);
}

// ---- scan marker ----

// A received signal whose in-phase part is a steep saw, so the trace button's place tells
// neighbouring samples apart.
void rampSignal(Form1& form) {
  for (int k = 0; k < 4096; ++k) {
    form.dRxSignal[2 * k] = (k % 512) / 100.0 - 2.56;
    form.dRxSignal[2 * k + 1] = 0.25;
  }
  form.iSymbolOffset = 0;
  form.dTxEyeScale = 1.0;
}

// Where the trace button's centre stands for sample n: the trajectory mapping of picScatter(0).
int traceLeft(const Form1& form, int n) {
  const PictureBox& p = form.picScatter[0];
  const int x = CLng(p.Width / 3.0 * form.dRxSignal[2 * n] + CLng(p.Width / 2.0));
  return CLng(p.Left + x - form.cmdTrace.Width / 2.0);
}

struct ScanCase {
  double x;
  int draggerLeft, lineX;
  int sample;  // with iTraceFirst 400 and iTraceLast 784
};

class DragHandlesScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(DragHandlesScan, MarkerSnapsToTheTraceEnds) {
  const ScanCase& c = GetParam();
  auto form = inScene("Modulation");
  rampSignal(*form);
  form->iTraceFirst = 400;
  form->iTraceLast = 784;
  form->Form_MouseDown(1, 0, c.x, 1000);
  EXPECT_EQ(form->shpDragger.Left, c.draggerLeft);
  EXPECT_EQ(form->lneScan.X1, c.lineX);
  EXPECT_EQ(form->lneScan.X2, c.lineX);
  EXPECT_EQ(form->cmdTrace.Left, traceLeft(*form, c.sample));
  EXPECT_NE(traceLeft(*form, c.sample), traceLeft(*form, c.sample + 1));  // the ramp tells apart
}

// picData spans 6000..14895; the handle is 255 wide, so its left edge is the line minus 127.5
// (halves rounded to the even twip).
INSTANTIATE_TEST_SUITE_P(
    Pointer, DragHandlesScan,
    ::testing::Values(ScanCase{100, 5872, 6000, 400},                // left of the trace
                      ScanCase{6000, 5872, 6000, 400},               // on its left edge
                      ScanCase{10447.5, 10320, 10448, 592},          // the middle: 400 + 384 / 2
                      ScanCase{6000 + 8895 / 4.0, 8096, 8224, 496},  // a quarter: 400 + 96
                      ScanCase{14895, 14768, 14895, 784},            // on its right edge
                      ScanCase{14895 + 60, 14768, 14895, 784},       // just past it
                      ScanCase{30000, 14768, 14895, 784}));          // far right

class DragHandlesIgnored : public ::testing::TestWithParam<std::tuple<const char*, int>> {};

TEST_P(DragHandlesIgnored, ScenesThreeAndFourIgnoreTheMouse) {
  const auto [scene, button] = GetParam();
  auto form = inScene(scene);
  const Shape drag = form->shpDrag;
  const Shape dragger = form->shpDragger;
  const LineShape scan = form->lneScan;
  const int traceLeft = form->cmdTrace.Left, traceTop = form->cmdTrace.Top;
  form->Form_MouseDown(button, 0, 100, 100);
  form->Form_MouseMove(button, 0, 20000, 9000);
  EXPECT_EQ(form->shpDrag.Left, drag.Left);
  EXPECT_EQ(form->shpDrag.Top, drag.Top);
  EXPECT_EQ(form->shpDragger.Left, dragger.Left);
  EXPECT_EQ(form->lneScan.X1, scan.X1);
  EXPECT_EQ(form->cmdTrace.Left, traceLeft);
  EXPECT_EQ(form->cmdTrace.Top, traceTop);
}

INSTANTIATE_TEST_SUITE_P(Buttons, DragHandlesIgnored,
                         ::testing::Combine(::testing::Values("Scatter", "Full"),
                                            ::testing::Values(1, 2)));

TEST(DragHandles, RightClickInModulationMovesNothing) {
  auto form = inScene("Modulation");
  form->Form_MouseDown(1, 0, 9000, 0);
  const int left = form->shpDragger.Left;
  form->Form_MouseDown(2, 0, 100, 0);
  EXPECT_EQ(form->shpDragger.Left, left);
}

}  // namespace
}  // namespace linklab
