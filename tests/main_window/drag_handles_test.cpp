// Dragging the phasor of the Baseband Demo and the scan marker of the Modulation scene.
#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "form/numbers.h"
#include "main_window/window_setup.h"

namespace linklab {
namespace {

std::unique_ptr<Form1> inScene(const char* scene) { return window({{"cmbScene", "Full"}, {"cmbScene", scene}}); }

// Pointer, then where the 240-twip handle's corner lands. The corner's offset from (4200, 3000)
// is (X - 120 - 4200, Y - 120 - 3000); beyond radius 2360 the centre goes to 2360 times its
// direction (a 3-4-5 offset gives (1416, 1888)).
using Drag = std::array<int, 4>;
class DragHandlesPhasor : public ::testing::TestWithParam<Drag> {};

TEST_P(DragHandlesPhasor, FollowsThePointerUpToTheCircleOtherButtonsAsideRightClickResets) {
  const auto [x, y, left, top] = GetParam();
  auto form = inScene("Baseband Demo");
  form->Form_MouseMove(1, 0, x, y);
  for (int ignored : {0, 3, 4}) form->Form_MouseDown(ignored, 0, 100, 100);
  EXPECT_EQ((std::array{form->shpDrag.Left, form->shpDrag.Top}), (std::array{left, top}));
  form->Form_MouseDown(2, 0, x, y);  // back to 0.5 at angle 0, centred on (5380, 3000)
  EXPECT_EQ((std::array{form->shpDrag.Left, form->shpDrag.Top}), (std::array{5260, 2880}));
}

// Inside (the centre on the pointer), far right and on the circle (angle 0), far up, 3-4-5 offsets.
INSTANTIATE_TEST_SUITE_P(
    Pointer, DragHandlesPhasor,
    ::testing::Values(Drag{5000, 3500, 4880, 3380}, Drag{14320, 3120, 6440, 2880},
                      Drag{6680, 3120, 6440, 2880}, Drag{4320, -6880, 4080, 520},
                      Drag{1320, -880, 2664, 992}, Drag{34320, 43120, 5496, 4768}));

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
using Case = std::array<double, 4>;
class DragHandlesScan : public ::testing::TestWithParam<Case> {};

TEST_P(DragHandlesScan, MarkerSnapsToTheTraceEnds) {
  const auto [x, draggerLeft, lineX, sample] = GetParam();
  auto form = inScene("Modulation");
  const int traceLeft = traceLeftOfRamp(*form, static_cast<int>(sample));
  ASSERT_NE(traceLeft, traceLeftOfRamp(*form, static_cast<int>(sample) + 1));
  form->iTraceFirst = 400;
  form->iTraceLast = 784;
  form->Form_MouseDown(1, 0, x, 1000);
  form->Form_MouseDown(2, 0, 100, 0);  // the right button resets nothing here
  EXPECT_EQ(form->shpDragger.Left, draggerLeft);
  EXPECT_TRUE(form->lneScan.X1 == lineX && form->lneScan.X2 == lineX) << form->lneScan.X1;
  EXPECT_EQ(form->cmdTrace.Left, traceLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, DragHandlesScan,
    ::testing::Values(Case{100, 5872, 6000, 400}, Case{10447.5, 10320, 10448, 592},
                      Case{8223.75, 8096, 8224, 496}, Case{14895, 14768, 14895, 784},
                      Case{14955, 14768, 14895, 784}, Case{30000, 14768, 14895, 784}));

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
