// The window as an instrument: it scales uniformly from its twips, redraws its pictures at the new
// resolution (also while paused), zooms, fits its screen at every step with the readout strip
// whole; menus, tooltips, dialogs and the focus ring grow with the layout; Tab and Space answer
// the keyboard in the block diagram's order.
#include "main_window/focus_order.h"
#include "qt/app_scale.h"
#include "qt/file_dialogs.h"
#include "qt/focus_ring.h"
#include "qt/help_dialog.h"
#include "qt/layout_scale.h"
#include "window_fixture.h"

namespace linklab {
namespace {

// min(area / layout) for the 1003 x 678 layout: centred, and twips map onto pixels without gaps.
TEST(LayoutFit, ScalesUniformlyAndCentresTheLayout) {
  const QSize layout(1003, 678);
  const std::pair<QSize, double> areas[] = {{{1003, 678}, 1.0},           {{2006, 1356}, 2.0},
                                            {{1920, 1061}, 1061.0 / 678}, {{3840, 2160}, 2160.0 / 678},
                                            {{800, 900}, 800.0 / 1003},   {{1366, 700}, 700.0 / 678}};
  for (const auto& [area, factor] : areas) {
    SCOPED_TRACE(factor);
    const LayoutScale s = LayoutScale::fit(area, layout);
    EXPECT_NEAR(s.factor, factor, 1e-9);
    // Centred: equal margins (to a pixel each) on both sides of both axes, one of them zero.
    EXPECT_NEAR(2 * s.origin.x() + layout.width() * s.factor, area.width(), 2.0);
    EXPECT_NEAR(2 * s.origin.y() + layout.height() * s.factor, area.height(), 2.0);
    EXPECT_TRUE(s.origin.x() == 0 || s.origin.y() == 0);
    // The whole client area in twips maps onto the layout's rectangle.
    const QRect all = s.rect(0, 0, Form1::ClientWidth, Form1::ClientHeight);
    EXPECT_NEAR(all.width(), layout.width() * s.factor, 1.0);
    EXPECT_NEAR(all.height(), layout.height() * s.factor, 1.0);
    // Controls that meet in twips meet in pixels: no overlap and no gap from rounding.
    for (int left = 0; left < 15000; left += 997)
      EXPECT_EQ(s.rect(left, 100, 1234, 480).right() + 1, s.rect(left + 1234, 100, 777, 480).left()) << left;
    // A mouse position maps back to the twips it came from.
    const QPointF back = s.twips(s.point(4200, 3000));
    EXPECT_NEAR(back.x(), 4200, 1e-6);
    EXPECT_NEAR(back.y(), 3000, 1e-6);
  }
}

class FitWindow : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    activate();
    // The bars' heights at 100 %, as the window first shows them.
    menuAt100 = view->menuBar()->height();
    stripAt100 = view->statusBar()->height();
    ASSERT_GT(menuAt100, 10);
    ASSERT_GT(stripAt100, 10);
  }
  QRect area() const { return view->screen()->availableGeometry(); }
  double factor() const { return view->layoutScale().factor; }
  // The largest factor at which the 1003 x 678 layout with both bars fits the size.
  double limit(QSize size) const {
    return std::min(size.width() / 1003.0, size.height() / double(678 + menuAt100 + stripAt100));
  }
  void press(Qt::Key key, int times = 1) {
    for (int i = 0; i < times; ++i) QTest::keyClick(view.get(), key, Qt::ControlModifier);
    QTest::qWait(30);
  }
  void grow(double by) {
    view->resize(view->size() * by);
    QTest::qWait(50);
  }
  int menuAt100 = 0, stripAt100 = 0;
};

struct FitCase {
  int presses;  // Ctrl+= from 100 %, with the window placed low and right on the screen ...
  double step;  // ... to the zoom step that many presses ask for
  QSize window = {};  // or else a window made smaller than the layout at 100 %
  const char* scene = "Full";
};

class Fits : public FitWindow, public ::testing::WithParamInterface<FitCase> {};

// Zoomed in, the window ends on the screen, at the step asked for or, where that would not fit,
// at the largest factor that does, its menu bar and strip grown with the layout; made small, all
// shrinks together. Either way the strip with its button shows whole.
TEST_P(Fits, TheWindowWithTheStripWhole) {
  const FitCase c = GetParam();
  scene(c.scene);
  if (c.presses == 0) {
    view->resize(c.window);
    QTest::qWait(30);
    ASSERT_EQ(view->size(), c.window);
    EXPECT_NEAR(factor(), limit(c.window), 0.002);
  } else {
    view->move(area().center());
    QTest::qWait(20);
    press(Qt::Key_Equal, c.presses);
    const QSize frame = view->frameGeometry().size() - view->size();
    EXPECT_NEAR(factor(), std::min(c.step, limit(area().size() - frame)), 0.002);
    EXPECT_TRUE(area().contains(view->frameGeometry()));
    EXPECT_NEAR(view->menuBar()->height(), menuAt100 * factor(), 1.0);
    EXPECT_NEAR(view->statusBar()->height(), stripAt100 * factor(), 1.0);
  }
  // The strip lies inside the window with its button whole, and the layout's whole client area
  // inside the canvas.
  const QRect strip = view->statusBar()->geometry();
  EXPECT_TRUE(view->rect().contains(strip)) << "strip " << strip.y() << "+" << strip.height();
  auto* reset = widget<QPushButton>("ResetCounts");
  ASSERT_TRUE(reset->isVisible());
  EXPECT_TRUE(strip.contains(QRect(reset->mapTo(view.get(), QPoint(0, 0)), reset->size())));
  EXPECT_GT(reset->width(), reset->fontMetrics().horizontalAdvance(reset->text()));
  EXPECT_GE(reset->height(), reset->fontMetrics().height());
  const QRect all = view->layoutScale().rect(0, 0, Form1::ClientWidth, Form1::ClientHeight);
  EXPECT_TRUE(view->centralWidget()->rect().adjusted(0, -1, 0, 1).contains(all))
      << all.y() << "+" << all.height() << " in " << view->centralWidget()->height();
}

INSTANTIATE_TEST_SUITE_P(Sizes, Fits,
                         ::testing::Values(FitCase{1, 1.1}, FitCase{2, 1.25}, FitCase{3, 1.5}, FitCase{4, 1.75},
                                           FitCase{7, 3.0}, FitCase{10, 3.0}, FitCase{0, 0, {1003, 696}},
                                           FitCase{0, 0, {1003, 696}, "Scatter"}, FitCase{0, 0, {800, 600}},
                                           FitCase{0, 0, {1003, 500}, "Scatter"}));

TEST_F(FitWindow, CtrlMinusStepsDownAndCtrlZeroReturnsTo100Percent) {
  press(Qt::Key_Equal, 2);
  press(Qt::Key_Minus);
  EXPECT_NEAR(factor(), 1.1, 0.002);
  press(Qt::Key_0);
  EXPECT_EQ(view->centralWidget()->size(), QSize(1003, 678));
  EXPECT_EQ(factor(), 1.0);
  EXPECT_EQ(view->layoutScale().origin, QPointF(0, 0));
  press(Qt::Key_Minus, 3);  // 0.9, 0.8, 0.75
  EXPECT_NEAR(factor(), 0.75, 0.002);
}

// Paused, then made twice as large: the spectrum is drawn again at twice the resolution, with
// its pen twice as wide, from what was drawn on it: four times the ink and only the trace's
// own colour, where stretching the old pixels would blend greys into the edges. What the user
// reads outside the canvas follows the layout: at twice the size, twice the text.
TEST_F(FitWindow, AResizeWhilePausedRedrawsThePicturesAndScalesMenusTooltipsAndDialogs) {
  const double desktop = desktopFont().pointSizeF();
  const double tipAt100 = QToolTip::font().pointSizeF();
  auto* viewMenu = widget<QMenu>("ViewMenu");
  scene("Full");
  ticks(3);
  view->runEvent([this] { form->cmdPause.click(); });
  ASSERT_FALSE(form->Timer1.Enabled);
  PictureWidget* spectrum = pictureWidget(*view, "picSpectrum(0)");
  const QImage before = spectrum->raster().finished().copy();
  const int32_t tickBefore = form->lTick;
  grow(2);
  ASSERT_DOUBLE_EQ(factor(), 2.0);
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
  EXPECT_EQ(widget("cmbFilter(1)")->geometry(), QRect(240, 640, 306, 64));
  EXPECT_NEAR(view->centralWidget()->font().pointSizeF(), 2 * desktop, 1e-9);
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
  auto* errorRate = widget<QDialog>("ErrorRateWindow");
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
  ASSERT_DOUBLE_EQ(factor(), 1.0);
  EXPECT_DOUBLE_EQ(QApplication::font().pointSizeF(), desktop);
  EXPECT_DOUBLE_EQ(viewMenu->font().pointSizeF(), desktop);
  EXPECT_DOUBLE_EQ(QToolTip::font().pointSizeF(), tipAt100);
  EXPECT_EQ(view->menuBar()->height(), menuAt100);
  EXPECT_LT(errorRate->minimumSizeHint().width(), 2 * 640);
}

// Scaled up three times: a menu's items are measured as wide as they are painted, wider than the
// style measures them by the check column it paints at 0.79 of the item's height (at 100 %
// exactly as the style measures them); a list's arrow button widens with the list's height, a
// slider's arrow buttons are as long as the slider is thick, a check box's box grows from 13
// pixels.
TEST_F(FitWindow, MenuItemsAndArrowsGrowWithTheLayout) {
  auto* measure = widget<QMenu>("MeasureMenu");
  auto* combo = widget<QComboBox>("cmbFilter(1)");
  auto* bar = widget<QScrollBar>("hscSample");
  auto* box = widget<QCheckBox>("chkLinear");
  auto plainWidth = [measure] {
    QMenu plain;
    plain.setFont(measure->font());
    for (QAction* a : measure->actions()) plain.addAction(a->text());
    return plain.sizeHint().width();
  };
  auto arrowWidth = [combo] {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.subControls = QStyle::SC_All;
    return combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo).width();
  };
  auto metric = [](QWidget* w, QStyle::PixelMetric m) {
    QStyleOption option;
    option.initFrom(w);
    return w->style()->pixelMetric(m, &option, w);
  };
  EXPECT_EQ(measure->sizeHint().width(), plainWidth());
  EXPECT_LT(arrowWidth(), combo->height());
  const int buttonAt100 = metric(bar, QStyle::PM_ScrollBarExtent);
  grow(3);
  ASSERT_DOUBLE_EQ(factor(), 3.0);
  const int h = measure->actionGeometry(measure->actions().first()).height();
  ASSERT_GT(0.79 * h, 21) << "the items grew with the text";
  EXPECT_GE(measure->sizeHint().width(), plainWidth() + static_cast<int>(0.79 * h) - 21);
  EXPECT_GE(arrowWidth(), int(0.6 * combo->height()));
  EXPECT_EQ(metric(bar, QStyle::PM_ScrollBarExtent), bar->height());  // a horizontal slider's thickness
  EXPECT_GT(metric(bar, QStyle::PM_ScrollBarExtent), 2 * buttonAt100);
  // The slider's two arrows are mirror images of each other, each in its own button.
  const QImage shown = bar->grab().toImage();
  const int button = metric(bar, QStyle::PM_ScrollBarExtent) * shown.width() / bar->width();
  int inked = 0, unmatched = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < button; ++x) {
      const bool left = qGray(shown.pixel(x, y)) < 80, right = qGray(shown.pixel(shown.width() - 1 - x, y)) < 80;
      inked += left;
      unmatched += left != right;
    }
  EXPECT_GT(inked, 20);
  EXPECT_LE(unmatched, inked / 10);
  EXPECT_EQ(metric(box, QStyle::PM_IndicatorWidth), std::lround(13 * factor()));
}

// The focused control has a ring round it in the highlight colour: 2 pixels at 100 %, growing
// with the layout, and following the focus from control to control.
TEST_F(FitWindow, AFocusRingSurroundsTheFocusedControlAtEveryScale) {
  scene("Full");
  auto* ring = widget<FocusRing>("FocusRing");
  for (double factor : {1.0, 2.0}) {
    grow(factor / view->layoutScale().factor);
    ASSERT_NEAR(view->layoutScale().factor, factor, 1e-9);
    for (const char* name : {"cmbFilter(1)", "hscSample", "chkLinear", "cmdPause"}) {
      QWidget* control = widget(name);
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
      for (QPoint p : probes) EXPECT_EQ(QColor(shot.pixel(p * shot.devicePixelRatio())), highlight) << name;
    }
  }
  // Focus outside the window: no ring.
  view->clearFocus();
  if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
  QTest::qWait(10);
  EXPECT_FALSE(ring->isVisible());
}

// From the scene list, Tab walks through every control the scene shows, each once (in the core's
// order); hidden and disabled ones are skipped. Every control shown has a tooltip.
TEST_F(FitWindow, TabReachesEveryShownControlInTheDiagramsOrder) {
  for (const char* name : {"Baseband Demo", "Modulation", "Scatter", "Full"}) {
    SCOPED_TRACE(name);
    scene(name);
    QWidget* canvas = view->centralWidget();
    widget("cmbScene")->setFocus();
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
      const auto* any = view->findChild<QWidget*>(QString::fromStdString(control->name));
      EXPECT_TRUE(!control->Visible || !any || !any->toolTip().isEmpty()) << control->name;
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
    // In the core's order: no control is reached after one it tabs before.
    std::vector<const Control*> order;
    for (QWidget* w : visited)
      if (const Control* c = form->findControl(w->objectName().toStdString()); c && w->parentWidget() == canvas)
        order.push_back(c);
    for (std::size_t i = 1; i < order.size(); ++i) EXPECT_FALSE(tabsBefore(*order[i], *order[i - 1])) << order[i]->name;
  }
}

// Space pauses and continues from any control that has no use for it, never from a text field;
// the title says where the student is.
TEST_F(FitWindow, SpacePausesUnlessATextFieldHasFocus) {
  scene("Baseband Demo");
  EXPECT_EQ(view->windowTitle(), "LinkLab - Baseband Demo");
  view->runEvent([this] { form->cmbScene.setText("Full"), form->cmbMod[0].setText("16-QAM"); });
  EXPECT_EQ(view->windowTitle(), "LinkLab - Full - 16-QAM");
  auto* sample = widget("hscSample");
  sample->setFocus();
  ASSERT_TRUE(form->Timer1.Enabled);
  QTest::keyClick(sample, Qt::Key_Space);
  EXPECT_FALSE(form->Timer1.Enabled);
  QTest::keyClick(sample, Qt::Key_Space);
  EXPECT_TRUE(form->Timer1.Enabled);
  QLineEdit* noise = widget<QComboBox>("cmbNoise")->lineEdit();
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
