// The window as an instrument: it scales uniformly from its twips, redraws its pictures at the new
// resolution (also while paused), zooms, and answers the keyboard in the block diagram's order.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionSlider>
#include <QStatusBar>
#include <QTest>
#include <cmath>
#include <memory>

#include "main_window/form1.h"
#include "qt/app_scale.h"
#include "qt/export_images.h"
#include "qt/layout_scale.h"
#include "qt/main_window_view.h"
#include "window_fixture.h"
#include "qt/picture_widget.h"

namespace linklab {
namespace {

struct FitCase {
  QSize area;
  double factor;  // min(area / layout) for the 1003 x 678 layout
};

class LayoutFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(LayoutFit, ScalesUniformlyAndCentresTheLayout) {
  const QSize layout(1003, 678);
  const FitCase c = GetParam();
  const LayoutScale s = LayoutScale::fit(c.area, layout);
  EXPECT_NEAR(s.factor, c.factor, 1e-9);
  // Centred: equal margins (to a pixel each) on both sides of both axes, one of them zero.
  EXPECT_NEAR(2 * s.origin.x() + layout.width() * s.factor, c.area.width(), 2.0);
  EXPECT_NEAR(2 * s.origin.y() + layout.height() * s.factor, c.area.height(), 2.0);
  EXPECT_TRUE(s.origin.x() == 0 || s.origin.y() == 0);
  // The whole client area in twips maps onto the layout's rectangle.
  const QRect all = s.rect(0, 0, Form1::ClientWidth, Form1::ClientHeight);
  EXPECT_NEAR(all.width(), layout.width() * s.factor, 1.0);
  EXPECT_NEAR(all.height(), layout.height() * s.factor, 1.0);
  // Controls that meet in twips meet in pixels: no overlap and no gap from rounding.
  for (int left = 0; left < 15000; left += 997) {
    const QRect a = s.rect(left, 100, 1234, 480), b = s.rect(left + 1234, 100, 777, 480);
    EXPECT_EQ(a.right() + 1, b.left()) << left;
  }
  // A mouse position maps back to the twips it came from.
  const QPointF back = s.twips(s.point(4200, 3000));
  EXPECT_NEAR(back.x(), 4200, 1e-6);
  EXPECT_NEAR(back.y(), 3000, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Areas, LayoutFit,
                         ::testing::Values(FitCase{{1003, 678}, 1.0}, FitCase{{2006, 1356}, 2.0},
                                           FitCase{{1920, 1061}, 1061.0 / 678}, FitCase{{3840, 2160}, 2160.0 / 678},
                                           FitCase{{800, 900}, 800.0 / 1003}, FitCase{{1366, 700}, 700.0 / 678}));

class ScaledWindow : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
  }
  void tick(int n) {
    for (int i = 0; i < n; ++i) view->onTick();
  }

};

// Paused, then made twice as large: the spectrum is drawn again at twice the resolution, with
// its pen twice as wide, from what was drawn on it: four times the ink and only the trace's
// own colour, where stretching the old pixels would blend greys into the edges.
TEST_F(ScaledWindow, AResizeWhilePausedRedrawsEveryPictureAtTheNewResolution) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  tick(3);
  view->runEvent([this] { form->cmdPause.click(); });
  ASSERT_FALSE(form->Timer1.Enabled);
  PictureWidget* spectrum = pictureWidget(*view, "picSpectrum(0)");
  ASSERT_NE(spectrum, nullptr);
  const QImage before = spectrum->raster().finished().copy();
  const int32_t tickBefore = form->lTick;

  // The menu bar, the canvas and the readout strip below it double.
  view->resize(view->size() * 2);
  QTest::qWait(50);
  EXPECT_DOUBLE_EQ(view->layoutScale().factor, 2.0);
  EXPECT_EQ(form->lTick, tickBefore);  // nothing ran the link again
  const QImage& after = spectrum->raster().finished();
  EXPECT_EQ(after.size(), before.size() * 2);
  EXPECT_EQ(spectrum->size(), QSize(593, 185) * 2);
  const double ratio = double(inkedPixels(after)) / inkedPixels(before);
  EXPECT_GT(ratio, 3.0);
  EXPECT_LT(ratio, 5.0);
  QSet<QRgb> colours;
  for (int y = 0; y < after.height(); ++y)
    for (int x = 0; x < after.width(); ++x) colours.insert(after.pixel(x, y));
  EXPECT_LE(colours.size(), 3) << "stretched, not redrawn";
  // Every control moved with the layout: the receive filter list sits at twice its place.
  auto* filter = view->findChild<QComboBox*>("cmbFilter(1)");
  EXPECT_EQ(filter->geometry(), QRect(240, 640, 306, 64));
  EXPECT_NEAR(view->centralWidget()->font().pointSizeF(), 2 * desktopFont().pointSizeF(), 1e-9);
}

TEST_F(ScaledWindow, ZoomStepsSizeTheWindowAndCtrlZeroReturnsTo100Percent) {
  QWidget* canvas = view->centralWidget();
  QTest::keyClick(view.get(), Qt::Key_Equal, Qt::ControlModifier);
  QTest::qWait(20);
  EXPECT_NEAR(view->layoutScale().factor, 1.1, 0.002);
  QTest::keyClick(view.get(), Qt::Key_Equal, Qt::ControlModifier);
  QTest::qWait(20);
  EXPECT_NEAR(view->layoutScale().factor, 1.25, 0.002);
  QTest::keyClick(view.get(), Qt::Key_Minus, Qt::ControlModifier);
  QTest::qWait(20);
  EXPECT_NEAR(view->layoutScale().factor, 1.1, 0.002);
  QTest::keyClick(view.get(), Qt::Key_0, Qt::ControlModifier);
  QTest::qWait(20);
  EXPECT_EQ(canvas->size(), QSize(1003, 678));
  EXPECT_EQ(view->layoutScale().factor, 1.0);
  EXPECT_EQ(view->layoutScale().origin, QPointF(0, 0));
}

// Scaled up, a list's arrow button widens with the list's height and a slider's arrow buttons
// are as long as the slider is thick; at 100 % the style's own sizes stay.
TEST_F(ScaledWindow, ArrowButtonsGrowWithTheLayout) {
  auto* combo = view->findChild<QComboBox*>("cmbFilter(1)");
  auto* bar = view->findChild<QScrollBar*>("hscSample");
  ASSERT_TRUE(combo && bar);
  auto arrowWidth = [combo] {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.subControls = QStyle::SC_All;
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo).width();
  };
  auto buttonLength = [bar] {
    QStyleOptionSlider option;
    option.initFrom(bar);
    return bar->style()->pixelMetric(QStyle::PM_ScrollBarExtent, &option, bar);
  };
  const int arrowAt100 = arrowWidth(), buttonAt100 = buttonLength();
  EXPECT_LT(arrowAt100, combo->height());
  view->resize(view->size() * 3);
  QTest::qWait(50);
  ASSERT_GT(view->layoutScale().factor, 2.0);
  EXPECT_GE(arrowWidth(), int(0.6 * combo->height()));
  EXPECT_EQ(buttonLength(), bar->height());  // a horizontal slider: its thickness is its height
  EXPECT_GT(buttonLength(), 2 * buttonAt100);
  // The check boxes' boxes too: 13 pixels at 100 %.
  auto* box = view->findChild<QCheckBox*>("chkLinear");
  QStyleOptionButton option;
  option.initFrom(box);
  EXPECT_EQ(box->style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, box),
            std::lround(13 * view->layoutScale().factor));
}

TEST_F(ScaledWindow, TheTitleSaysWhereTheStudentIs) {
  view->runEvent([this] {
    form->cmbScene.setText("Full");
    form->cmbMod[0].setText("16-QAM");
  });
  EXPECT_EQ(view->windowTitle(), "LinkLab - Full - 16-QAM");
  view->runEvent([this] { form->cmbScene.setText("Baseband Demo"); });
  EXPECT_EQ(view->windowTitle(), "LinkLab - Baseband Demo");
}

// Space pauses and continues from any control that has no use for it, never from a text field.
TEST_F(ScaledWindow, SpacePausesUnlessATextFieldHasFocus) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  auto* sample = view->findChild<QScrollBar*>("hscSample");
  sample->setFocus();
  ASSERT_TRUE(form->Timer1.Enabled);
  QTest::keyClick(sample, Qt::Key_Space);
  EXPECT_FALSE(form->Timer1.Enabled);
  QTest::keyClick(sample, Qt::Key_Space);
  EXPECT_TRUE(form->Timer1.Enabled);
  QLineEdit* noise = view->findChild<QComboBox*>("cmbNoise")->lineEdit();
  noise->setFocus();
  QTest::keyClick(noise, Qt::Key_Space);
  EXPECT_TRUE(form->Timer1.Enabled);
  EXPECT_TRUE(noise->text().contains(' '));
  QTest::keyClick(noise, Qt::Key_F1);
  QTest::qWait(20);
  EXPECT_TRUE(form->HelpText.Visible);
}

}  // namespace
}  // namespace linklab
