// Dragging the phasor of the Baseband Demo and the scan marker of the Modulation scene.

#include "form/numbers.h"
#include "main_window/window_setup.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> inScene(const char* scene) { return window({{"cmbScene", "Full"}, {"cmbScene", scene}}); }

// Pointer, then where the 240-twip handle's corner lands. The corner's offset from (4200, 3000)
// is (X - 120 - 4200, Y - 120 - 3000); beyond radius 2360 the centre goes to 2360 times its
// direction (a 3-4-5 offset gives (1416, 1888)).
// Inside (the centre on the pointer), far right and on the circle (angle 0), far up, 3-4-5 offsets.
TEST(DragHandlesPhasor, FollowsThePointerUpToTheCircleOtherButtonsAsideRightClickResets) {
  for (const auto& [x, y, left, top] : {std::array{5000, 3500, 4880, 3380}, {14320, 3120, 6440, 2880},
                                        {6680, 3120, 6440, 2880}, {4320, -6880, 4080, 520},
                                        {1320, -880, 2664, 992}, {34320, 43120, 5496, 4768}}) {
    auto form = inScene("Baseband Demo");
    form->Form_MouseMove(1, 0, x, y);
    for (int ignored : {0, 3, 4}) form->Form_MouseDown(ignored, 0, 100, 100);
    EXPECT_EQ((std::array{form->shpDrag.Left, form->shpDrag.Top}), (std::array{left, top})) << x << " " << y;
    form->Form_MouseDown(2, 0, x, y);  // back to 0.5 at angle 0, centred on (5380, 3000)
    EXPECT_EQ((std::array{form->shpDrag.Left, form->shpDrag.Top}), (std::array{5260, 2880}));
  }
}

// Where the trace button stands for sample n of a received signal whose in-phase part is a steep
// saw, so that neighbouring samples land apart (the trajectory mapping of picScatter(0)).
int traceLeftOfRamp(Form1& form, int n) {
  for (int k = 0; k < 4096; ++k) form.dRxSignal[2 * k] = (k % 512) / 100.0 - 2.56;
  const PictureBox& p = form.picScatter[0];
  return CLng(p.Left + CLng(p.Width / 3.0 * form.dRxSignal[2 * n] + CLng(p.Width / 2.0)) -
              form.cmdTrace.Width / 2.0);
}

// Pointer, then the marker's left edge, the line, the traced sample with iTraceFirst 400 and
// iTraceLast 784. picData spans 6000..14895; the marker is 255 wide (127.5 goes to the even
// twip). The marker snaps to the right edge as soon as the pointer passes it.
TEST(DragHandlesScan, MarkerSnapsToTheTraceEnds) {
  for (const auto& [x, draggerLeft, lineX, sample] :
       {std::array<double, 4>{100, 5872, 6000, 400}, {10447.5, 10320, 10448, 592}, {8223.75, 8096, 8224, 496},
        {14895, 14768, 14895, 784}, {14955, 14768, 14895, 784}, {30000, 14768, 14895, 784}}) {
    auto form = inScene("Modulation");
    const int traceLeft = traceLeftOfRamp(*form, static_cast<int>(sample));
    ASSERT_NE(traceLeft, traceLeftOfRamp(*form, static_cast<int>(sample) + 1));
    form->iTraceFirst = 400;
    form->iTraceLast = 784;
    form->Form_MouseDown(1, 0, x, 1000);
    form->Form_MouseDown(2, 0, 100, 0);  // the right button resets nothing here
    EXPECT_EQ(form->shpDragger.Left, draggerLeft) << x;
    EXPECT_TRUE(form->lneScan.X1 == lineX && form->lneScan.X2 == lineX) << form->lneScan.X1;
    EXPECT_EQ(form->cmdTrace.Left, traceLeft) << x;
  }
}

TEST(DragHandles, ScenesThreeAndFourIgnoreBothButtons) {
  for (const char* scene : {"Scatter", "Full"}) {
    auto form = inScene(scene);
    const std::array before = {form->shpDrag.Left, form->shpDragger.Left, form->cmdTrace.Left};
    for (int button : {1, 2}) form->Form_MouseMove(button, 0, 20000, 9000);
    EXPECT_EQ((std::array{form->shpDrag.Left, form->shpDragger.Left, form->cmdTrace.Left}), before)
        << scene;
  }
}

}  // namespace
}  // namespace linklab
