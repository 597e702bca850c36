// The window's widgets follow the model and hand the user's actions to it; help windows and
// messages; the raster draws crisp traces at any ratio; the canvas paints the block diagram and
// answers the mouse; a tick repaints only the pictures; controls are cut back at a picture's edge.

#include "help/tooltips.h"
#include "qt/help_dialog.h"
#include "qt/parallel_drawing.h"
#include "qt/picture_cover.h"
#include "qt/raster_surface.h"
#include "window_fixture.h"

namespace linklab {
namespace {

bool anyPixelOf(const QImage& image, QRect area, QRgb colour) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) == colour) return true;
  return false;
}

TEST_F(WindowTest, APictureResizedAndDrawnInOneHandlerDrawsOnItsNewSize) {
  ticks(2);
  view->runEvent([this] { form->chkPassband.setValue(1); });  // 720 -> 1440 twips, then drawn
  const QImage passband = pictureWidget(*view, "picSpectrum(1)")->raster().finished();
  ASSERT_EQ(passband.height(), 96);
  // The carrier swings to 0.3 of the height below the middle too.
  EXPECT_GT(inkedPixels(passband.copy(0, 60, passband.width(), 36)), 100);
}

// A user's pick runs the model's handler once; what the model holds reaches the widgets: a check
// box's value, a text box's lock.
TEST_F(WindowTest, WidgetsAndTheModelFollowEachOther) {
  int changes = 0;
  form->cmbMultipathMag.onChange = [&] { ++changes; };
  auto* list = widget<QComboBox>("cmbMultipathMag");
  ASSERT_GT(list->count(), 2);
  list->activated(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form->cmbMultipathMag.Text(), list->itemText(2).toStdString());
  auto* passband = widget<QCheckBox>("chkPassband");
  auto* fsk = widget<QLineEdit>("txtFSK");
  for (int value : {1, 0}) {
    form->chkPassband.setValue(value);
    form->txtFSK.Locked = value == 1;
    view->syncFromModel();
    EXPECT_EQ(passband->isChecked(), value == 1);
    EXPECT_EQ(fsk->isReadOnly(), value == 1);
  }
  // Every slider's range and steps and every list's editability reach its widget.
  for (const Control* c : form->controls()) {
    if (const auto* s = dynamic_cast<const Slider*>(c)) {
      const auto* bar = widget<QScrollBar>(c->name.c_str());
      EXPECT_EQ(std::tuple(bar->minimum(), bar->maximum(), bar->singleStep(), bar->pageStep()),
                std::tuple(std::min(s->Min(), s->Max()), std::max(s->Min(), s->Max()), s->SmallChange, s->LargeChange))
          << c->name;
    }
    const auto* list = dynamic_cast<const ComboBox*>(c);
    EXPECT_TRUE(!list || widget<QComboBox>(c->name.c_str())->isEditable() == list->Editable) << c->name;
  }
}

// Closed by its button, by Escape or by the frame, a help window is closed in the model too, so
// the next sync does not bring it back; opened again, the same window comes back. A message is
// not repeated until the user acts.
TEST_F(WindowTest, HelpWindowsCloseEveryWayAndComeBackAndMessagesDoNotRepeat) {
  view->runEvent([this] { form->showHelp(); });
  HelpDialog* help = view->helpDialog(form->HelpText);
  ASSERT_NE(help, nullptr);
  EXPECT_FALSE(help->findChild<QPlainTextEdit*>("Text1")->toPlainText().isEmpty());
  for (int way = 0; way < 3; ++way) {
    view->runEvent([this] { form->showHelp(); });
    ASSERT_EQ(view->helpDialog(form->HelpText), help);
    ASSERT_TRUE(help->isVisible());
    if (way == 0) help->findChild<QPushButton*>("cmdClose")->click();
    if (way == 1) QTest::keyClick(help, Qt::Key_Escape);
    if (way == 2) help->close();
    EXPECT_FALSE(form->HelpText.Visible) << way;
    view->syncFromModel();
    EXPECT_FALSE(help->isVisible()) << way;
  }
  view->runEvent([this] { form->showInstructions(); });
  EXPECT_TRUE(view->helpDialog(form->Instructions)->isVisible());
  MessageBoxHost& host = view->messageHost();
  for (int i = 0; i < 3; ++i) {
    if (i == 2) view->runEvent([] {});
    host.message("This FFT only does powers of two.");
    EXPECT_EQ(host.shown(), i < 2 ? 1 : 2) << i;
  }
}

// A picture sized from a script can ask for any size; past the cap the raster refuses, says why
// and draws nothing, and a sane size afterwards works again.
TEST(RasterSurface, RefusesAbsurdSizesInsteadOfAllocating) {
  RasterSurface raster;
  for (auto [width, height, ratio] : {std::tuple{32767, 2147483647, 1.0}, {2147483647, 2147483647, 3.0},
                                      {300000, 300000, 1.0}, {1500, 1500, 1e9}}) {
    raster.resize(width, height, ratio, 0xFFFFFF);
    EXPECT_TRUE(raster.finished().isNull()) << width << " x " << height;
    EXPECT_NE(raster.error().find("too large"), std::string::npos);
    raster.Line(0, 0, 1e6, 1e6);
    raster.Circle(10, 10, 5, 0xC0);
    raster.Cls();
  }
  raster.resize(1500, 750, 2.0, 0xFFFFFF);
  EXPECT_EQ(raster.error(), "");
  EXPECT_EQ(raster.finished().size(), QSize(200, 100));
}

TEST(RasterSurface, KeepsTracesCrispAndSurvivesAbsurdCoordinates) {
  RasterSurface raster;
  raster.resize(1500, 1500, 1.0, 0xFFFFFF);  // 100 x 100 pixels
  raster.setForeColor(0xC000);
  raster.Line(0, 750, 1500, 750);
  raster.Line(-1e300, 0, 1e300, 1e300);
  raster.Line(0, std::numeric_limits<double>::quiet_NaN(), 10, 10);
  const QImage& image = raster.finished();
  ASSERT_EQ(image.size(), QSize(100, 100));
  EXPECT_EQ(image.pixel(50, 50), qRgb(0, 192, 0));
  raster.resize(3000, 750, 1.0, 0xFFFFFF);  // keeps what still fits
  EXPECT_EQ(raster.finished().pixel(50, 49), qRgb(255, 255, 255));
  raster.Cls();
  EXPECT_EQ(raster.finished().pixel(10, 10), qRgb(255, 255, 255));
  // A line that starts and ends on one pixel marks that pixel.
  raster.Line(157, 157, 157, 157);
  EXPECT_EQ(raster.finished().pixel(10, 10), qRgb(0, 192, 0));
  // The scatter's five rings of 10 to 50 twips close into a solid dot.
  for (int r = 10; r <= 50; r += 10) raster.Circle(757, 307, r, 0xC00000);
  for (int dx = -3; dx <= 3; ++dx)
    for (int dy = -3; dy <= 3; ++dy)
      EXPECT_TRUE(dx * dx + dy * dy > 9 || raster.finished().pixel(50 + dx, 20 + dy) == qRgb(0, 0, 192)) << dx << dy;
  // A ring of 10 pixels round (20, 60): its top is inked, its middle not.
  raster.resize(1500, 1500, 1.0, 0xFFFFFF);
  raster.Circle(300, 900, 150, 0x0000C0);
  EXPECT_TRUE(anyPixelOf(raster.finished(), QRect(18, 48, 5, 5), qRgb(192, 0, 0)));
  EXPECT_FALSE(anyPixelOf(raster.finished(), QRect(18, 58, 5, 5), qRgb(192, 0, 0)));
}

// A bold trace (drawn twice, 15 twips apart) stays one solid band at every ratio, whatever
// fraction of a pixel the step falls on, and no thicker than its two pixels scaled, where it starts.
TEST(RasterSurface, BoldTracesHaveNoGapAtAnyRatio) {
  for (double ratio : {1.0, 1.25, 1.4, 1.5, 1.75, 2.0, 2.4, 2.5, 3.0}) {
    for (double y : {750.0, 752.0, 755.0, 759.0, 763.0}) {
      RasterSurface raster;
      raster.resize(1500, 1500, ratio, 0xFFFFFF);
      raster.setForeColor(0xC000);
      raster.Line(0, y, 1500, y);
      raster.Line(0, y + 15, 1500, y + 15);
      const QImage& image = raster.finished();
      const int column = image.width() / 2;
      SCOPED_TRACE(testing::Message() << "ratio " << ratio << " y " << y);
      int first = image.height(), last = -1;
      for (int row = 0; row < image.height(); ++row)
        if (image.pixel(column, row) == qRgb(0, 192, 0)) first = std::min(first, row), last = row;
      ASSERT_GE(last, 0);
      for (int row = first; row <= last; ++row) ASSERT_EQ(image.pixel(column, row), qRgb(0, 192, 0)) << row;
      EXPECT_GE(last - first + 1, static_cast<int>(std::floor(2 * ratio)));
      EXPECT_LE(last - first + 1, static_cast<int>(std::ceil(2 * ratio)) + 1);
      EXPECT_NEAR(first, y * ratio / 15, 1.0);
    }
  }
}

// Strokes wait until the pictures are drawn, on two threads at once: the same pixels as drawing
// each stroke the moment it comes, with a clear dropping what came before it.
TEST(RasterSurface, PicturesDrawnTogetherLaterMatchStrokesDrawnAtOnce) {
  constexpr int kPictures = 5;
  std::array<RasterSurface, kPictures> later, atOnce;
  std::array<RasterSurface*, kPictures> drawnLater;
  std::mt19937 random(9);
  std::uniform_real_distribution<double> twips(-300, 4800);
  for (int i = 0; i < kPictures; ++i) {
    for (RasterSurface* r : {&later[i], &atOnce[i]}) r->resize(4500, 3000, 1 + i % 3, 0xFFFFFF);
    drawnLater[i] = &later[i];
  }
  ParallelDrawing drawing;
  for (int tick = 0; tick < 3; ++tick) {
    for (int k = 0; k < 4000; ++k) {
      const int i = k % kPictures;
      const double a = twips(random), b = twips(random), c = twips(random), d = twips(random);
      for (RasterSurface* r : {&later[i], &atOnce[i]}) {
        if (k % 997 == 0) r->Cls();
        r->setForeColor(static_cast<uint32_t>(k) * 0x10305u);
        k % 5 ? r->Line(a, b, c, d) : r->Circle(a, b, std::fabs(c) / 20, 0xC0);
        if (r == &atOnce[i]) r->finished();
      }
    }
    drawing.draw(drawnLater);
    for (int i = 0; i < kPictures; ++i) EXPECT_EQ(later[i].finished(), atOnce[i].finished()) << tick << " " << i;
  }
}

// The canvas paints the block diagram from the model: the purple signal path down x = 3600 twips
// (240 pixels) and the dark blue transmitter box from 240 twips (16 pixels).
TEST_F(WindowTest, TheCanvasPaintsLinesAndBoxesAndAnswersTheMouse) {
  QWidget* canvas = view->centralWidget();
  const QImage painted = canvas->grab().toImage();
  EXPECT_TRUE(anyPixelOf(painted, QRect(238, 262, 5, 8), qRgb(128, 0, 128)));  // Line1 (3600, 1080..6000)
  EXPECT_TRUE(anyPixelOf(painted, QRect(14, 240, 5, 4), qRgb(0, 0, 128)));     // shpTxBox's left edge
  EXPECT_FALSE(anyPixelOf(painted, QRect(100, 300, 40, 40), qRgb(128, 0, 128)));
  // A shape's tooltip shows only over the shape; a move without a button drags nothing, a right
  // click puts the phasor back.
  const auto tip = [&](QPoint at) {
    QHelpEvent event(QEvent::ToolTip, at, canvas->mapToGlobal(at));
    QApplication::sendEvent(canvas, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_TRUE(tip(QPoint(900, 10)).isEmpty());   // right of the transmitter box, above its bottom
  EXPECT_FALSE(tip(QPoint(30, 200)).isEmpty());  // inside it
  scene("Baseband Demo");
  view->syncFromModel();
  // The phasor's handle is painted, not a widget: the canvas explains it.
  const Shape& handle = form->shpDrag;
  EXPECT_EQ(tip(QPoint(handle.Left + handle.Width / 2, handle.Top + handle.Height / 2) / 15).toStdString(),
            tooltipFor("shpDrag"));
  const int left = form->shpDrag.Left;
  QTest::mouseMove(canvas, QPoint(200, 150));
  EXPECT_EQ(form->shpDrag.Left, left);
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
  EXPECT_NE(form->shpDrag.Left, left);
  QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
  EXPECT_EQ(form->shpDrag.Left, left);
}

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

// The heaviest setting, where every picture changes at every tick and four controls sit on the
// spectrum: only pictures repaint, and the window keeps its size however long the counts grow.
TEST_F(WindowTest, ATickRepaintsOnlyThePicturesAndTheWindowKeepsItsSize) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
  pick({{"cmbScene", "Full"}, {"cmbMod(0)", "16-QAM"}, {"cmbFilter(0)", "Gaussian"}, {"cmbNoise", "1.0"},
        {"cmbNonlinear", "Non-Linear"}});
  const auto run = [this](int n) {
    for (int i = 0; i < n; ++i) {
      ticks(1);
      view->tickTimer().stop();  // the test is the clock
      QApplication::processEvents();
    }
  };
  run(5);
  const QSize size = view->size();
  PaintLog log;
  log.strip = view->statusBar();
  qApp->installEventFilter(&log);
  run(12);
  qApp->removeEventFilter(&log);
  EXPECT_EQ(view->size(), size);
  int pictures = 0;
  for (const std::string& name : log.painted) {
    EXPECT_EQ(name.rfind("picture ", 0), 0u) << name << " repainted at a tick";
    pictures += name.rfind("picture ", 0) == 0;
  }
  EXPECT_GE(pictures, 5);  // data, modulation, spectrum, eye, scatter at least
  // The controls inside the spectrum are filled with its white, so the trace never shows through
  // where the spectrum no longer repaints; no other control reaches into a picture.
  for (const char* name : {"chkLinear", "chkMemory", "cmdSpectrum", "vscSpectrumRange"}) {
    EXPECT_TRUE(widget(name)->autoFillBackground()) << name;
    EXPECT_EQ(widget(name)->palette().color(QPalette::Window), QColor(255, 255, 255)) << name;
  }
  for (QWidget* w : view->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!w->isVisible() || dynamic_cast<PictureWidget*>(w) || w->autoFillBackground() || w->objectName().isEmpty())
      continue;
    for (PictureWidget* p : view->pictureWidgets())
      EXPECT_FALSE(p->isVisible() && w->geometry().intersects(p->geometry()))
          << w->objectName().toStdString() << " overlaps " << p->objectName().toStdString();
  }
}

// Against a picture at (100, 100) to (199, 199): an overhang on any side is cut off at the
// picture's edge; a control inside it, across it, over a corner or beside it keeps its place.
TEST(CutBack, AnOverhangEndsAtThePicturesEdge) {
  const QRect picture(100, 100, 100, 100);
  const QRect cases[][2] = {{QRect(50, 120, 60, 20), QRect(50, 120, 50, 20)},  {QRect(190, 120, 60, 20), QRect(200, 120, 50, 20)},
                            {QRect(120, 80, 20, 30), QRect(120, 80, 20, 20)},  {QRect(120, 195, 20, 30), QRect(120, 200, 20, 25)},
                            {QRect(120, 120, 20, 20), QRect(120, 120, 20, 20)}, {QRect(50, 120, 200, 20), QRect(50, 120, 200, 20)},
                            {QRect(90, 90, 20, 20), QRect(90, 90, 20, 20)},    {QRect(10, 10, 20, 20), QRect(10, 10, 20, 20)}};
  for (const auto& c : cases) EXPECT_EQ(cutBack(c[0], picture), c[1]) << c[0].x() << "," << c[0].y();
}

}  // namespace
}  // namespace linklab
