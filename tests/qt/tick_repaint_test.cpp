// What a tick repaints while the link runs: the pictures drawn on and nothing else of the layout;
// the controls that sit on a picture stay put, and the readout strip never widens the window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QStatusBar>
#include <QTest>
#include <memory>
#include <set>
#include <string>

#include "main_window/form1.h"
#include "qt/main_window_view.h"
#include "window_fixture.h"
#include "qt/picture_cover.h"
#include "qt/picture_widget.h"

namespace linklab {
namespace {

// Names every widget of the layout that receives a paint event while it listens; the readout
// strip (and the window beneath it) refresh twice a second and are left out.
struct PaintLog : QObject {
  std::set<std::string> painted;
  QWidget* strip = nullptr;
  bool eventFilter(QObject* o, QEvent* e) override {
    auto* w = qobject_cast<QWidget*>(o);
    if (e->type() != QEvent::Paint || !w || w == strip || strip->isAncestorOf(w)) return false;
    if (w == strip->window() && strip->geometry().contains(static_cast<QPaintEvent*>(e)->rect())) return false;
    painted.insert((dynamic_cast<PictureWidget*>(w) ? "picture " : "control ") + o->objectName().toStdString());
    return false;
  }
};

class TickRepaint : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    view->tickTimer().stop();
  }
  void ticks(int n) {
    for (int i = 0; i < n; ++i) {
      view->onTick();
      view->tickTimer().stop();  // the test is the clock
      QApplication::processEvents();
    }
  }

};

// The heaviest setting, where every picture changes at every tick and four controls sit on the
// spectrum: only pictures repaint, and the window keeps its size however long the counts grow.
TEST_F(TickRepaint, OnlyThePicturesRepaintAndTheWindowKeepsItsSize) {
  view->runEvent([this] {
    form->cmbScene.setText("Full");
    form->cmbMod[0].setText("16-QAM");
    form->cmbFilter[0].setText("Gaussian");
    form->cmbNoise.setText("1.0");
    form->cmbNonlinear.setText("Non-Linear");
  });
  ticks(5);
  const QSize size = view->size();
  PaintLog log;
  log.strip = view->statusBar();
  qApp->installEventFilter(&log);
  ticks(12);
  qApp->removeEventFilter(&log);
  EXPECT_EQ(view->size(), size);
  int pictures = 0;
  for (const std::string& name : log.painted) {
    EXPECT_EQ(name.rfind("picture ", 0), 0u) << name << " repainted at a tick";
    pictures += name.rfind("picture ", 0) == 0;
  }
  EXPECT_GE(pictures, 5);  // data, modulation, spectrum, eye, scatter at least
}

// The controls inside the spectrum are filled with its white, so the trace never shows through
// where the spectrum no longer repaints; no label or slider reaches into a picture beside it.
TEST_F(TickRepaint, ControlsOnAPictureAreOpaqueAndNoneOverhangsOne) {
  view->runEvent([this] { form->cmbScene.setText("Full"); });
  ticks(2);
  for (const char* name : {"chkLinear", "chkMemory", "cmdSpectrum", "vscSpectrumRange"}) {
    auto* w = view->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    EXPECT_TRUE(w->autoFillBackground()) << name;
    EXPECT_EQ(w->palette().color(QPalette::Window), QColor(255, 255, 255)) << name;
  }
  EXPECT_FALSE(view->findChild<QWidget*>("cmdPause")->autoFillBackground());
  // A control that is not filled would repaint with the picture it overlaps.
  for (QWidget* w : view->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!w->isVisible() || dynamic_cast<PictureWidget*>(w) || w->autoFillBackground() || w->objectName().isEmpty())
      continue;
    for (PictureWidget* p : view->pictureWidgets())
      EXPECT_FALSE(p->isVisible() && w->geometry().intersects(p->geometry()))
          << w->objectName().toStdString() << " overlaps " << p->objectName().toStdString();
  }
}

struct OverhangCase {
  QRect control;
  QRect expected;
};

class CutBack : public ::testing::TestWithParam<OverhangCase> {};

// Against a picture at (100, 100) to (199, 199): an overhang on any side is cut off at the
// picture's edge; a control inside it, across it or beside it keeps its place.
TEST_P(CutBack, AnOverhangEndsAtThePicturesEdge) {
  const QRect picture(100, 100, 100, 100);
  EXPECT_EQ(cutBack(GetParam().control, picture), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sides, CutBack,
    ::testing::Values(OverhangCase{QRect(50, 120, 60, 20), QRect(50, 120, 50, 20)},    // into the left edge
                      OverhangCase{QRect(190, 120, 60, 20), QRect(200, 120, 50, 20)},  // into the right edge
                      OverhangCase{QRect(120, 80, 20, 30), QRect(120, 80, 20, 20)},    // into the top edge
                      OverhangCase{QRect(120, 195, 20, 30), QRect(120, 200, 20, 25)},  // into the bottom edge
                      OverhangCase{QRect(120, 120, 20, 20), QRect(120, 120, 20, 20)},  // inside
                      OverhangCase{QRect(50, 120, 200, 20), QRect(50, 120, 200, 20)},  // across
                      OverhangCase{QRect(90, 90, 20, 20), QRect(90, 90, 20, 20)},      // over a corner
                      OverhangCase{QRect(10, 10, 20, 20), QRect(10, 10, 20, 20)}));    // beside

}  // namespace
}  // namespace linklab
