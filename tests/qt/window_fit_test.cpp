// The window fits its screen at every zoom step with the readout strip whole; menus, tooltips
// and dialogs grow with the layout; the focus shows as a ring that grows too; Tab reaches every
// control a scene shows.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <QToolTip>
#include <algorithm>
#include <array>
#include <cmath>

#include "help/help_window.h"
#include "main_window/form1.h"
#include "qt/app_scale.h"
#include "qt/file_dialogs.h"
#include "qt/focus_ring.h"
#include "qt/help_dialog.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class FitWindow : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    view->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    // The bars' heights at 100 %, as the window first shows them.
    menuAt100 = view->menuBar()->height();
    stripAt100 = view->statusBar()->height();
    ASSERT_GT(menuAt100, 10);
    ASSERT_GT(stripAt100, 10);
  }
  QRect area() const { return view->screen()->availableGeometry(); }
  // The largest factor at which the 1003 x 678 layout with both bars, in the window's frame,
  // fits the free area.
  double screenLimit() const {
    const QSize frame = view->frameGeometry().size() - view->size();
    return std::min((area().width() - frame.width()) / 1003.0,
                    (area().height() - frame.height()) / double(678 + menuAt100 + stripAt100));
  }
  void press(Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(view.get(), key, Qt::ControlModifier);
    QTest::qWait(30);
  }
  // The strip lies inside the window, and its button shows whole: inside the strip, its text
  // fitting its width.
  void expectStripWhole() const {
    const QRect strip = view->statusBar()->geometry();
    EXPECT_TRUE(view->rect().contains(strip)) << "strip " << strip.y() << "+" << strip.height();
    auto* reset = view->findChild<QPushButton*>("ResetCounts");
    ASSERT_NE(reset, nullptr);
    ASSERT_TRUE(reset->isVisible());
    const QRect button(reset->mapTo(view.get(), QPoint(0, 0)), reset->size());
    EXPECT_TRUE(strip.contains(button)) << button.x() << "," << button.y() << " " << button.width() << "x"
                                        << button.height();
    EXPECT_GT(reset->width(), reset->fontMetrics().horizontalAdvance(reset->text()));
    EXPECT_GE(reset->height(), reset->fontMetrics().height());
  }
  // The layout's whole client area lies inside the canvas.
  void expectLayoutInsideCanvas() const {
    const QRect all = view->layoutScale().rect(0, 0, Form1::ClientWidth, Form1::ClientHeight);
    EXPECT_TRUE(view->centralWidget()->rect().adjusted(0, -1, 0, 1).contains(all))
        << all.y() << "+" << all.height() << " in " << view->centralWidget()->height();
  }

  int menuAt100 = 0, stripAt100 = 0;
};

struct ZoomCase {
  int presses;  // Ctrl+= from 100 %
  double step;  // the zoom step that many presses ask for
};

class ZoomFit : public FitWindow, public ::testing::WithParamInterface<ZoomCase> {};

// Placed low and right on the screen, zoomed in: the window ends on the screen, at the step
// asked for or, where that would not fit, at the largest factor that does.
TEST_P(ZoomFit, TheWindowStaysOnTheScreenWithTheStripWhole) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  view->move(area().center());
  QTest::qWait(20);
  press(Qt::Key_Equal, GetParam().presses);
  const double factor = view->layoutScale().factor;
  EXPECT_NEAR(factor, std::min(GetParam().step, screenLimit()), 0.002);
  EXPECT_TRUE(area().contains(view->frameGeometry()))
      << view->frameGeometry().x() << "," << view->frameGeometry().y() << " " << view->frameGeometry().width()
      << "x" << view->frameGeometry().height();
  // The menu bar grew with the layout, and everything was fitted into what it left.
  EXPECT_NEAR(view->menuBar()->height(), menuAt100 * factor, 1.0);
  EXPECT_NEAR(view->statusBar()->height(), stripAt100 * factor, 1.0);
  expectStripWhole();
  expectLayoutInsideCanvas();
}

INSTANTIATE_TEST_SUITE_P(Steps, ZoomFit,
                         ::testing::Values(ZoomCase{1, 1.1}, ZoomCase{2, 1.25}, ZoomCase{3, 1.5}, ZoomCase{4, 1.75},
                                           ZoomCase{7, 3.0}, ZoomCase{10, 3.0}));

struct SmallCase {
  QSize window;
  const char* scene;
};

class SmallWindow : public FitWindow, public ::testing::WithParamInterface<SmallCase> {};

// A window smaller than the layout at 100 %: everything shrinks together and the strip with its
// button still shows whole.
TEST_P(SmallWindow, KeepsTheStripAndItsButtonWhole) {
  const SmallCase c = GetParam();
  view->runEvent([this, &c] { form->cmbScene.setText(c.scene); });
  view->resize(c.window);
  QTest::qWait(30);
  ASSERT_EQ(view->size(), c.window);
  const double expected =
      std::min(c.window.width() / 1003.0, c.window.height() / double(678 + menuAt100 + stripAt100));
  EXPECT_NEAR(view->layoutScale().factor, expected, 0.002);
  expectStripWhole();
  expectLayoutInsideCanvas();
}

INSTANTIATE_TEST_SUITE_P(Sizes, SmallWindow,
                         ::testing::Values(SmallCase{{1003, 696}, "Full"}, SmallCase{{1003, 696}, "Scatter"},
                                           SmallCase{{800, 600}, "Full"}, SmallCase{{1003, 500}, "Scatter"}));

// What the user reads outside the canvas follows the layout: at twice the size, twice the text.
TEST_F(FitWindow, MenusTooltipsAndDialogsFollowTheLayoutScale) {
  const double desktop = desktopFont().pointSizeF();
  const double tipAt100 = QToolTip::font().pointSizeF();
  auto* viewMenu = view->findChild<QMenu*>("ViewMenu");
  ASSERT_NE(viewMenu, nullptr);
  // At 100 % nothing changed from the desktop's fonts.
  EXPECT_DOUBLE_EQ(QApplication::font().pointSizeF(), desktop);
  EXPECT_DOUBLE_EQ(view->menuBar()->font().pointSizeF(), desktop);
  EXPECT_DOUBLE_EQ(viewMenu->font().pointSizeF(), desktop);

  view->resize(view->size() * 2);
  QTest::qWait(30);
  ASSERT_DOUBLE_EQ(view->layoutScale().factor, 2.0);
  const double quarterPoint = 0.125;  // the application's font moves in quarter points
  EXPECT_NEAR(view->menuBar()->font().pointSizeF(), 2 * desktop, quarterPoint);
  EXPECT_NEAR(viewMenu->font().pointSizeF(), 2 * desktop, quarterPoint);
  EXPECT_NEAR(QToolTip::font().pointSizeF(), 2 * tipAt100, quarterPoint);
  QMessageBox box(QMessageBox::NoIcon, "LinkLab", "text", QMessageBox::Ok, view.get());
  EXPECT_NEAR(box.font().pointSizeF(), 2 * desktop, quarterPoint);
  QFileDialog files(view.get(), "Save Picture");
  files.setOption(QFileDialog::DontUseNativeDialog);
  EXPECT_NEAR(files.font().pointSizeF(), 2 * desktop, quarterPoint);
  sizeFileDialog(files);  // 640 x 420 at 100 %
  EXPECT_GE(files.width(), std::min(2 * 640, area().width()));
  EXPECT_GE(files.height(), std::min(2 * 420, area().height()));
  EXPECT_TRUE(files.width() <= area().width() && files.height() <= area().height());
  // The error-rate window's plot area: 640 x 440 at 100 %.
  auto* errorRate = view->findChild<QDialog*>("ErrorRateWindow");
  ASSERT_NE(errorRate, nullptr);
  EXPECT_GE(errorRate->minimumSizeHint().width(), 2 * 640);
  EXPECT_GE(errorRate->minimumSizeHint().height(), 2 * 440);

  // The help window opens at twice its 520 x 420, as far as half the screen allows.
  view->runEvent([this] { form->showHelp(); });
  HelpDialog* help = view->helpDialog(form->HelpText);
  ASSERT_TRUE(help->isVisible());
  EXPECT_EQ(help->width(), std::min(2 * 520, (area().width() - 3 * 16) / 2));
  EXPECT_EQ(help->height(), std::min(2 * 420, area().height() - 2 * 16));
  EXPECT_NEAR(help->findChild<QPlainTextEdit*>("Text1")->font().pointSizeF(), 2 * desktop, quarterPoint);

  // Back at 100 %, the desktop's fonts again.
  view->runEvent([this] { form->HelpText.cmdClose_Click(); });
  press(Qt::Key_0);
  ASSERT_DOUBLE_EQ(view->layoutScale().factor, 1.0);
  EXPECT_DOUBLE_EQ(viewMenu->font().pointSizeF(), desktop);
  EXPECT_DOUBLE_EQ(QToolTip::font().pointSizeF(), tipAt100);
  EXPECT_EQ(view->menuBar()->height(), menuAt100);
  EXPECT_LT(errorRate->minimumSizeHint().width(), 2 * 640);
}

// A menu's items are measured as wide as they are painted: at 100 % exactly as the style
// measures them, with large text wider by the check column the style paints at 0.79 of the
// item's height.
TEST_F(FitWindow, MenuItemsKeepTheirWholeTextAtEveryScale) {
  auto* measure = view->findChild<QMenu*>("MeasureMenu");
  ASSERT_NE(measure, nullptr);
  auto plainWidth = [measure] {
    QMenu plain;
    plain.setFont(measure->font());
    for (QAction* a : measure->actions()) plain.addAction(a->text());
    return plain.sizeHint().width();
  };
  EXPECT_EQ(measure->sizeHint().width(), plainWidth());
  view->resize(view->size() * 3);
  QTest::qWait(30);
  ASSERT_DOUBLE_EQ(view->layoutScale().factor, 3.0);
  const int h = measure->actionGeometry(measure->actions().first()).height();
  ASSERT_GT(0.79 * h, 21) << "the items grew with the text";
  EXPECT_GE(measure->sizeHint().width(), plainWidth() + static_cast<int>(0.79 * h) - 21);
}

// The focused control has a ring round it in the highlight colour: 2 pixels at 100 %, growing
// with the layout, and following the focus from control to control.
TEST_F(FitWindow, AFocusRingSurroundsTheFocusedControlAtEveryScale) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  auto* ring = view->findChild<FocusRing*>("FocusRing");
  ASSERT_NE(ring, nullptr);
  for (double factor : {1.0, 2.0}) {
    view->resize(view->size() * factor / view->layoutScale().factor);
    QTest::qWait(30);
    ASSERT_NEAR(view->layoutScale().factor, factor, 1e-9);
    for (const char* name : {"cmbFilter(1)", "hscSample", "chkLinear", "cmdPause"}) {
      auto* control = view->findChild<QWidget*>(name);
      ASSERT_NE(control, nullptr) << name;
      control->setFocus();
      QTest::qWait(10);
      const int thickness = std::lround(2 * factor);
      EXPECT_EQ(ring->thickness(), thickness);
      ASSERT_TRUE(ring->isVisible()) << name;
      const QRect inner(control->mapTo(view.get(), QPoint(0, 0)), control->size());
      EXPECT_EQ(ring->geometry(), inner.adjusted(-thickness, -thickness, thickness, thickness)) << name;
      // Drawn: the window's pixels along the ring are the highlight colour.
      const QImage shot = view->grab().toImage();
      const QColor highlight = view->palette().color(QPalette::Active, QPalette::Highlight);
      const QPoint probes[] = {{inner.center().x(), inner.top() - 1},
                               {inner.left() - thickness, inner.center().y()},
                               {inner.center().x(), inner.bottom() + thickness}};
      const qreal dpr = shot.devicePixelRatio();
      for (QPoint p : probes) EXPECT_EQ(QColor(shot.pixel(p * dpr)), highlight) << name << " " << p.x() << "," << p.y();
    }
  }
  // Focus outside the window: no ring.
  view->clearFocus();
  if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
  QTest::qWait(10);
  EXPECT_FALSE(ring->isVisible());
}

class TabPerScene : public FitWindow, public ::testing::WithParamInterface<const char*> {};

// From the scene list, Tab walks through every control the scene shows, each once, the block
// diagram (left) before the displays (right), each top down; hidden and disabled ones are skipped.
TEST_P(TabPerScene, TabReachesEveryShownControlInTheDiagramsOrder) {
  view->runEvent([this] { form->cmbScene.setText(GetParam()); });
  QWidget* canvas = view->centralWidget();
  auto* scene = view->findChild<QComboBox*>("cmbScene");
  scene->setFocus();
  std::vector<QWidget*> visited;
  for (int i = 0; i < 200; ++i) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    if (qobject_cast<QComboBox*>(focus->parentWidget())) focus = focus->parentWidget();
    if (!visited.empty() && focus == visited.front()) break;
    ASSERT_EQ(std::count(visited.begin(), visited.end(), focus), 0) << "a cycle without the scene list";
    visited.push_back(focus);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  int reachable = 0;
  for (const Control* control : form->controls()) {
    auto* widget = canvas->findChild<QWidget*>(QString::fromStdString(control->name), Qt::FindDirectChildrenOnly);
    if (!widget) continue;
    // Every list, slider, box and button is a stop but the pictures' markers and title button.
    const std::string& n = control->name;
    const ControlKind k = control->kind();
    const bool stop = (k == ControlKind::ComboBox || k == ControlKind::Slider || k == ControlKind::CheckBox ||
                       k == ControlKind::Button || k == ControlKind::TextBox) &&
                      !n.starts_with("chkEye") && n != "chkModData" && n != "cmdSpectrum";
    const bool shown = control->Visible && control->Enabled && stop;
    const bool reached = std::count(visited.begin(), visited.end(), widget) > 0;
    EXPECT_EQ(reached, shown) << n << (control->Visible ? " visible" : " hidden");
    reachable += shown;
  }
  EXPECT_GE(reachable, 2);  // the scene list and the pause button at least
  // In the order of the diagram: the left column first, then the right; top down within each.
  std::vector<const Control*> order;
  for (QWidget* w : visited)
    for (const Control* control : form->controls())
      if (w->parentWidget() == canvas && w->objectName().toStdString() == control->name) order.push_back(control);
  for (std::size_t i = 1; i < order.size(); ++i) {
    const bool leftBefore = order[i - 1]->Left < 5900, left = order[i]->Left < 5900;
    EXPECT_TRUE(leftBefore >= left) << order[i]->name << " after " << order[i - 1]->name;
    if (leftBefore == left) {
      EXPECT_LE(order[i - 1]->Top, order[i]->Top) << order[i]->name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Scenes, TabPerScene, ::testing::Values("Baseband Demo", "Modulation", "Scatter", "Full"));

}  // namespace
}  // namespace linklab
