// The window's widgets follow the model and hand the user's actions to it; the raster draws
// crisp traces at any ratio; a tick repaints only the pictures; typed text; scales, persistence,
// the readout strip and the error-rate window.
#include <functional>
#include <set>

#include "displays/density_colours.h"
#include "help/tooltips.h"
#include "qt/error_rate_window.h"
#include "qt/help_dialog.h"
#include "qt/picture_cover.h"
#include "qt/raster_surface.h"
#include "window_fixture.h"

namespace linklab {
namespace {

using Window = WindowTest;

bool anyPixelOf(const QImage& image, QRect area, QRgb colour) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) == colour) return true;
  return false;
}

TEST_F(Window, APictureResizedAndDrawnInOneHandlerDrawsOnItsNewSize) {
  ticks(2);
  view->runEvent([this] { form->chkPassband.setValue(1); });  // 720 -> 1440 twips, then drawn
  const QImage passband = pictureWidget(*view, "picSpectrum(1)")->raster().finished();
  ASSERT_EQ(passband.height(), 96);
  // The carrier swings to 0.3 of the height below the middle too.
  EXPECT_GT(inkedPixels(passband.copy(0, 60, passband.width(), 36)), 100);
}

// A user's pick runs the model's handler once; what the model holds reaches the widgets: a check
// box's value, a text box's lock.
TEST_F(Window, WidgetsAndTheModelFollowEachOther) {
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
// the next sync does not bring it back; opened again, the same window comes back.
TEST_F(Window, HelpWindowsCloseEveryWayAndComeBack) {
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
}

TEST_F(Window, AMessageIsNotRepeatedUntilTheUserActs) {
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

// The canvas paints the block diagram from the model: the purple signal path down x = 3600 twips
// (240 pixels) and the dark blue transmitter box from 240 twips (16 pixels).
TEST_F(Window, TheCanvasPaintsLinesAndBoxesAndAnswersTheMouse) {
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
TEST_F(Window, ATickRepaintsOnlyThePicturesAndTheWindowKeepsItsSize) {
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

// Typed text in the real window, driven by real key events while the link runs: the typing is
// the user's until it is committed, a commit reaches the model once and from the event loop's top
// level, and the message box it may cause never opens inside a menu popup.
// Lets the event loop run (ticks included) until the condition holds or two seconds pass.
template <typename Condition>
bool waitFor(Condition condition) {
  QElapsedTimer clock;
  clock.start();
  while (!condition()) {
    if (clock.elapsed() > 2000) return false;
    QTest::qWait(10);
  }
  return true;
}

// The window as it runs, its message boxes opening as they do for the user.
class RunningWindow : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    view->messageHost().interactive = true;
    activate();
    scene("Full");
    ASSERT_TRUE(waitFor([this] { return form->lTick >= 2; }));
  }
  // The field of a list or a text box, once the window shows it.
  QLineEdit* field(const char* name) {
    auto* combo = widget<QComboBox>(name);
    QLineEdit* edit = combo ? combo->lineEdit() : widget<QLineEdit>(name);
    EXPECT_TRUE(edit && waitFor([edit] { return edit->isVisible(); })) << name;
    return edit;
  }
  // Calls f with the model's list or text box of that name.
  template <typename F>
  decltype(auto) onModel(const char* name, F f) {
    Control* c = form->findControl(name);
    return c->kind() == ControlKind::TextBox ? f(*static_cast<TextBox*>(c)) : f(*static_cast<ComboBox*>(c));
  }
  // Counts the model's commits of the control from now on.
  void countChanges(const char* name) {
    onModel(name, [this](auto& c) { c.onChange = [this, rule = c.onChange] { ++changes, rule ? rule() : void(); }; });
  }
  std::string modelText(const char* name) {
    return onModel(name, [](auto& c) { return c.Text(); });
  }
  void typeInto(QLineEdit* edit, const char* text, int msPerKey = 0) {
    activate();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text, Qt::NoModifier, msPerKey);
  }
  static QMessageBox* openBox() { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); }
  int changes = 0;
};

// Type an unknown receive filter, open the Help menu by Alt+H (which takes the focus and so
// commits the text), and close the "Unknown Filter Type" box by Return, Escape and its button.
TEST_F(RunningWindow, AnUnknownFilterCommittedByOpeningTheHelpMenuShowsItsBoxSafely) {
  QLineEdit* filter = field("cmbFilter(1)");
  ASSERT_NE(filter, nullptr);
  const std::string filterInUse = form->cmbFilter[1].Text();
  for (const char* typed : {"x", "y", "z"}) {
    SCOPED_TRACE(typed);
    typeInto(filter, typed);
    EXPECT_NE(form->cmbFilter[1].Text(), typed);  // not committed while typing
    QTest::keyClick(filter, Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(waitFor([] { return openBox() != nullptr; })) << form->cmbFilter[1].Text();
    // The list went back to the filter in use, so the link keeps receiving behind the box.
    EXPECT_EQ(form->cmbFilter[1].Text(), filterInUse);
    QMessageBox* box = openBox();
    EXPECT_EQ(box->text(), "Internal Error: Unknown Filter Type.");
    // The ticks stand still while the box is open.
    const int32_t tickWhenOpened = form->lTick;
    QTest::qWait(350);
    EXPECT_EQ(form->lTick, tickWhenOpened);
    if (*typed == 'z')
      QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    else
      QTest::keyClick(box, *typed == 'x' ? Qt::Key_Return : Qt::Key_Escape);
    ASSERT_TRUE(waitFor([] { return openBox() == nullptr; }));
    if (QWidget* popup = QApplication::activePopupWidget()) QTest::keyClick(popup, Qt::Key_Escape);
    // The window goes on ticking.
    ASSERT_TRUE(waitFor([&] { return form->lTick >= tickWhenOpened + 2; }));
    QTest::qWait(50);
    EXPECT_EQ(filter->text().toStdString(), filterInUse);
  }
  EXPECT_EQ(view->messageHost().shown(), 3);
}

struct Typing {
  const char* keying;  // FSK shows the index field
  const char* filter;  // Gaussian shows the bandwidth, Raised Cosine the excess bandwidth ...
  const char* field;
  const char* typed;
  const char* used = nullptr;  // the text once the next design has tidied it; none: refused
  const char* thenEscaped = nullptr;  // typed next and thrown away by Escape
};

// Typed while the link runs (a tick of 100 ms between two keys, where it is then escaped), the
// text is the user's until Return. Then the model takes it once, as typed: a number is never
// completed to an entry that starts like it ("0.2" is not "0.25", "1" is not "100"), the design
// only rounds it to the step it uses. A value out of range or not a number opens no box: the
// field turns red for a moment and shows the value in use again. Escape throws away what was
// typed since, and leaving the field commits nothing.
class TypedThenReturn : public RunningWindow, public ::testing::WithParamInterface<Typing> {};

TEST_P(TypedThenReturn, IsTakenOnceAsTypedOrRefusedWithAFlash) {
  const Typing& c = GetParam();
  view->runEvent([this, &c] { form->cmbMod[0].setText(c.keying), form->cmbFilter[0].setText(c.filter); });
  QLineEdit* edit = field(c.field);
  ASSERT_NE(edit, nullptr);
  const QString inUse = edit->text();
  const std::string before = modelText(c.field);
  const QColor normal = edit->palette().color(QPalette::Base);
  countChanges(c.field);
  const int32_t tick = form->lTick;
  typeInto(edit, c.typed, c.thenEscaped ? 110 : 20);
  EXPECT_TRUE(!c.thenEscaped || form->lTick > tick);  // the link ran while the keys came
  EXPECT_EQ(edit->text(), c.typed);
  EXPECT_EQ(modelText(c.field), before);
  QTest::keyClick(edit, Qt::Key_Return);
  if (!c.used) {
    ASSERT_TRUE(waitFor([this] { return view->messageHost().refusals() == 1; }));
    QTest::qWait(150);
    EXPECT_EQ(edit->text(), inUse);
    EXPECT_EQ(edit->palette().color(QPalette::Base), QColor(255, 190, 190));
    EXPECT_EQ(view->messageHost().shown(), 0);  // no box
    EXPECT_EQ(changes, 1);
    ASSERT_TRUE(waitFor([edit, normal] { return edit->palette().color(QPalette::Base) == normal; }));
    EXPECT_EQ(edit->text(), inUse);
    return;
  }
  ASSERT_TRUE(waitFor([this, &c] { return modelText(c.field) == c.used; })) << modelText(c.field);
  EXPECT_EQ(view->messageHost().refusals(), 0);
  if (!c.thenEscaped) return;
  QTest::qWait(150);
  EXPECT_EQ(changes, 1);  // Return both activates and finishes the editing: one commit
  typeInto(edit, c.thenEscaped, 110);
  EXPECT_EQ(edit->text(), c.thenEscaped);
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(edit->text(), c.used);
  QTest::qWait(250);
  EXPECT_EQ(edit->text(), c.used);
  field("cmbFilter(1)")->setFocus();
  QTest::qWait(150);
  EXPECT_EQ(modelText(c.field), c.used);
  EXPECT_EQ(changes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Refused, TypedThenReturn,
    ::testing::Values(Typing{"BPSK", "None", "cmbNoise", "abc"}, Typing{"BPSK", "None", "cmbNoise", "-5"},
                      Typing{"BPSK", "Gaussian", "cmbTxBW(0)", "1e308"}, Typing{"FSK", "None", "txtFSK", "0.2x"}));
INSTANTIATE_TEST_SUITE_P(
    Taken, TypedThenReturn,
    ::testing::Values(Typing{"BPSK", "None", "cmbNoise", "0.3", "0.3", "0.8"},
                      Typing{"FSK", "None", "txtFSK", "0.3", "0.3", "2"},
                      Typing{"BPSK", "Steep Cutoff", "cmbTxBW(0)", "0.2", "0.20"},
                      Typing{"BPSK", "Gaussian", "cmbTxBW(0)", "0.3", "0.30"},
                      Typing{"BPSK", "Raised Cosine", "cmbTxEB(0)", "1", "1"},
                      Typing{"BPSK", "Root RC", "cmbTxEB(0)", "8", "8"}, Typing{"BPSK", "OFDM", "cmbTxSC(0)", "1", "1"},
                      Typing{"BPSK", "Steep Cutoff", "cmbNoise", "0.", "0."}));

// What the window shows over and instead of a picture's raster: the scales, drawn over it (never
// into it) and switched by View > Scales; View > Persistence, where Density shows the eye's hits
// in the colours of their counts, Fading pales earlier runs and Infinite shows the model's own
// drawing. Both choices are kept; the sliders' tooltips end with their value in real units. The
// readout strip and the error-rate window.
class PictureView : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    scene("Full");
    run(3);
  }
  void run(int n) {
    ticks(n);
    view->tickTimer().stop();
  }
  static QVariant setting(const char* key, const QVariant& absent = {}) {
    return QSettings("LinkLab", "LinkLab").value(key, absent);
  }
};

// A pixel that the raster leaves white shows grey on the screen: a grid line or a label over it.
bool gridShowsOverBackground(PictureWidget& widget) {
  const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage& raster = widget.raster().finished();
  for (int y = 2; y < std::min(raster.height(), shown.height()) - 2; ++y)
    for (int x = 2; x < std::min(raster.width(), shown.width()) - 2; ++x) {
      const QRgb p = shown.pixel(x, y);
      if (raster.pixel(x, y) == qRgb(255, 255, 255) && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) < 240)
        return true;
    }
  return false;
}

TEST_F(PictureView, ScalesAreDrawnOverThePictureNeverIntoItsRasterAndSwitchedByTheViewMenu) {
  PictureWidget* spectrum = pictureWidget(*view, "picSpectrum(0)");
  ASSERT_GT(spectrum->scales().labelCount, 0);
  EXPECT_TRUE(gridShowsOverBackground(*spectrum));
  // The raster holds only the model's drawing: no grid grey in it.
  const QImage& raster = spectrum->raster().finished();
  for (int y = 0; y < raster.height(); y += 3)
    for (int x = 0; x < raster.width(); x += 3) ASSERT_NE(raster.pixel(x, y), qRgb(208, 208, 208)) << x << "," << y;
  // View > Scales switches them off and on, and the choice is kept.
  auto* action = widget<QAction>("actionScales");
  EXPECT_TRUE(action->isChecked());
  action->trigger();  // off
  EXPECT_FALSE(view->scalesShown());
  for (PictureWidget* w : view->pictureWidgets()) EXPECT_EQ(w->scales().lineCount, 0) << w->model().name;
  EXPECT_FALSE(gridShowsOverBackground(*pictureWidget(*view, "picEye(0)")));
  EXPECT_FALSE(setting("view/scales", true).toBool());
  view->setScalesShown(true);
  EXPECT_TRUE(action->isChecked());
  EXPECT_TRUE(setting("view/scales", false).toBool());
  EXPECT_GT(pictureWidget(*view, "picEye(0)")->scales().labelCount, 0);
  // A slider's tooltip ends with its value.
  auto* bar = widget<QScrollBar>("hscSample");
  bar->setValue(16);  // as the user moves it: one sample a step for one bit per symbol
  EXPECT_TRUE(bar->toolTip().endsWith("Now: +0.5 symbols from the symbol centre (+16 samples, +0.5 ms)"))
      << bar->toolTip().toStdString();
  EXPECT_EQ(form->hscSample.Value(), 16);
}

class EyePersistence : public PictureView {
 protected:
  void SetUp() override {
    PictureView::SetUp();
    view->setScalesShown(false);  // the pictures' own pixels, with no grid over them
    pick({{"cmbMod(0)", "16-QAM"}, {"cmbFilter(0)", "Root RC"}, {"cmbFilter(1)", "Matched"}, {"cmbNoise", "0.2"}});
    run(6);
    eye = pictureWidget(*view, "picEye(0)");
  }
  void choose(const QString& mode) {
    widget<QAction>(("actionPersistence" + mode).toUtf8().constData())->trigger();
    EXPECT_EQ(setting("view/persistence").toString(), mode);
  }
  PictureWidget* eye = nullptr;
};

bool isEyeTrace(QRgb p) { return p == qRgb(0, 192, 0) || p == qRgb(192, 0, 0); }
QRgb rgbOf(uint32_t bgr) { return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, bgr >> 16); }

TEST_F(EyePersistence, DensityColoursTheEyeByItsCountsAndInfiniteShowsTheDrawingAgain) {
  choose("Density");  // counts from clean pictures
  EXPECT_EQ(form->picEye[0].density().maximum(), 0u);
  run(6);
  const QImage& raster = eye->raster().finished();
  const DensityGrid& grid = form->picEye[0].density();
  ASSERT_EQ(grid.columns(), raster.width());
  ASSERT_GT(grid.maximum(), 3u);  // six runs, each through the eye's crossings
  const DensityScale scale(grid.maximum());
  const QImage shown = eye->grab().toImage().convertToFormat(QImage::Format_RGB32);
  int recoloured = 0;
  bool highest = false, barEnd = false;
  for (int y = 1; y < std::min(raster.height(), shown.height()) - 1; ++y)
    for (int x = 1; x < std::min(raster.width(), shown.width()) - 1; ++x) {
      const QRgb drawn = raster.pixel(x, y), p = shown.pixel(x, y);
      if (y < eye->height() / 4 && x > eye->width() / 4) {  // where the colour bar stands
        barEnd |= p == rgbOf(DensityHighColour);
        continue;
      }
      // The eye's strokes went to the counts only; the raster keeps the marker over them.
      ASSERT_FALSE(isEyeTrace(drawn)) << x << "," << y;
      if (drawn != rgbOf(form->picEye[0].BackColor) || grid.at(x, y) == 0) {
        ASSERT_EQ(p, drawn) << x << "," << y;
        continue;
      }
      ASSERT_EQ(p, rgbOf(scale.colour(grid.at(x, y)))) << x << "," << y;
      ++recoloured;
      highest |= grid.at(x, y) == grid.maximum();
    }
  EXPECT_GT(recoloured, 500);
  EXPECT_TRUE(highest);
  EXPECT_TRUE(barEnd);

  choose("Infinite");  // from a clean picture, the model's own drawing again
  run(1);
  int traced = 0;
  for (int y = 0; y < raster.height(); ++y)
    for (int x = 0; x < raster.width(); ++x) traced += isEyeTrace(raster.pixel(x, y));
  EXPECT_GT(traced, 500);
  const QRect inside = raster.rect().adjusted(1, 1, -1, -1);
  EXPECT_EQ(eye->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(inside), raster.copy(inside));
}

// Only the last run keeps its full colour; what earlier runs drew lies paled on the way to white.
TEST_F(EyePersistence, FadingPalesEarlierRunsAndANewWindowReadsTheChoiceBack) {
  choose("Fading");
  run(30);
  const QImage& raster = eye->raster().finished();
  int full = 0, paled = 0;
  for (int y = 0; y < raster.height(); ++y)
    for (int x = 0; x < raster.width(); ++x) {
      const QRgb p = raster.pixel(x, y);
      full += isEyeTrace(p);
      paled += p != qRgb(255, 255, 255) && !isEyeTrace(p) && p != qRgb(0, 0, 255) &&
               (qRed(p) == qBlue(p) || qGreen(p) == qBlue(p));  // a paled green or red, not the marker
    }
  EXPECT_GT(full, 200);
  EXPECT_GT(paled, 2 * full);

  const auto laterForm = std::make_unique<Form1>();
  MainWindowView later(*laterForm);
  later.restoreSettings();
  EXPECT_EQ(later.persistence(), Persistence::Fading);
  EXPECT_TRUE(later.findChild<QAction*>("actionPersistenceFading")->isChecked());
  EXPECT_FALSE(later.findChild<QAction*>("actionPersistenceInfinite")->isChecked());
}

class Readouts : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window = widget<ErrorRateWindow>("ErrorRateWindow");
    ASSERT_NE(window, nullptr);
  }
  // Runs a sweep over the range to its end.
  void sweep(double from, double to, double step) {
    window->setRange(from, to, step);
    window->startSweep();
    while (window->running()) QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
  }
  QString svg() const { return window->saveSvg(temp("plot.svg")) ? fileText(temp("plot.svg")) : QString(); }
  QString strip() const {
    QStringList texts;
    for (QLabel* label : view->statusBar()->findChildren<QLabel*>())
      if (label->isVisible() && !label->text().isEmpty()) texts << label->text();
    return texts.join(" | ");
  }
  // Markers, theory and bars are all the plot draws in colour or as polylines; an empty plot has
  // its frame, axes and a hint only.
  void expectEmptyPlot() const {
    const QString plot = svg();
    EXPECT_TRUE(plot.contains("Press Start to measure"));
    EXPECT_FALSE(plot.contains("<polyline")) << "a theory line";
    EXPECT_FALSE(plot.contains("<circle") || plot.contains("<polygon")) << "a marker";
    EXPECT_TRUE(plot.contains("Eb/N0 of the channel (dB)"));
  }
  ErrorRateWindow* window = nullptr;
};

TEST_F(Readouts, TheStripShowsTheFiguresOfTheScene) {
  scene("Scatter");
  // While the link runs the figures are refreshed every fifth tick, twice a second.
  ticks(4);
  EXPECT_FALSE(strip().contains(" of 384"));
  ticks(1);
  const QString receiver = strip();
  EXPECT_TRUE(receiver.contains("Eb/N0") && receiver.contains("SER ")) << receiver.toStdString();
  EXPECT_TRUE(receiver.contains(" of 512")) << receiver.toStdString();  // four runs of 128 symbols
  EXPECT_FALSE(receiver.contains("occupied")) << receiver.toStdString();
  widget<QPushButton>("ResetCounts")->click();
  EXPECT_EQ(form->lSymbols, 0);

  scene("Modulation");
  ticks(3);
  EXPECT_TRUE(strip().contains("occupied bandwidth")) << strip().toStdString();
  EXPECT_FALSE(strip().contains("SER")) << strip().toStdString();
}

// The curve is empty before Start; earlier runs stay on it with their settings; Clear empties it
// and a cancelled run stays, marked as such.
TEST_F(Readouts, TheCurveKeepsEarlierAndCancelledRunsUntilCleared) {
  pick({{"cmbScene", "Full"}, {"cmbFilter(0)", "Root RC"}, {"cmbFilter(1)", "Matched"}});
  EXPECT_TRUE(window->runs().empty());
  expectEmptyPlot();
  auto* clear = window->findChild<QPushButton*>("ClearRuns");
  EXPECT_FALSE(clear->isEnabled());
  sweep(0, 4, 2);
  const QString drawn = svg();
  EXPECT_FALSE(drawn.contains("Press Start to measure"));
  EXPECT_TRUE(drawn.contains("<polyline")) << "the theory";
  EXPECT_TRUE(drawn.contains("<circle")) << "the SER and BER markers";
  EXPECT_TRUE(drawn.contains("Clopper-Pearson"));
  view->runEvent([this] { form->cmbFilter[0].setText("None"), form->cmbFilter[1].setText("Raised Cosine"); });
  sweep(2, 4, 2);

  const std::vector<PlotRun>& runs = window->runs();
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0].label, "BPSK, Tx Root RC 50 %, Rx Matched, Linear amp");
  EXPECT_EQ(runs[1].label, "BPSK, Tx None, Rx Raised Cosine " + form->cmbTxEB[1].Text() + " %, Linear amp");
  for (int r = 0; r < 2; ++r) {  // every 2 dB from where each was asked to start, to 4 dB
    EXPECT_FALSE(runs[r].running);
    ASSERT_EQ(runs[r].points.size(), 3u - r);
    for (std::size_t k = 0; k < runs[r].points.size(); ++k) {
      EXPECT_EQ(runs[r].points[k].ebN0dB, 2 * (r + k));
      EXPECT_GT(runs[r].points[k].symbols, 0);
    }
    EXPECT_TRUE(svg().contains(QString::fromStdString(runs[r].label)));
  }

  // The plot area is framed on all four sides by thin black lines.
  QList<QLineF> frame;
  QRectF box;
  static const QRegularExpression blackLine(
      "<line x1='([-\\d.]+)' y1='([-\\d.]+)' x2='([-\\d.]+)' y2='([-\\d.]+)' stroke='#000000' stroke-width='1'/>");
  for (auto m = blackLine.globalMatch(svg()); m.hasNext();) {
    const auto l = m.next();
    frame << QLineF(l.captured(1).toDouble(), l.captured(2).toDouble(), l.captured(3).toDouble(), l.captured(4).toDouble());
    box |= QRectF(frame.back().p1(), frame.back().p2()).normalized();
  }
  const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
  for (int side = 0; side < 4; ++side) {
    const QPointF a = corners[side], b = corners[(side + 1) % 4];
    EXPECT_TRUE(frame.contains(QLineF(a, b)) || frame.contains(QLineF(b, a))) << side;
  }
  // The CSV has a row a point, each rate inside its 95 % interval.
  ASSERT_TRUE(window->saveCsv(temp("two_runs.csv")));
  ASSERT_TRUE(window->savePng(temp("two_runs.png")));
  const QList<QByteArray> lines = fileText(temp("two_runs.csv")).toUtf8().trimmed().split('\n');
  ASSERT_EQ(lines.size(), 6);
  EXPECT_EQ(lines[0], "ebn0_db,symbols,symbol_errors,bits,bit_errors,ser,ber,ser_theory,ber_theory,"
                      "ser_lower95,ser_upper95,ber_lower95,ber_upper95,run,settings");
  for (int i = 1; i < 6; ++i) {
    const QList<QByteArray> f = lines[i].split(',');
    ASSERT_GE(f.size(), 15);
    EXPECT_EQ(f[0].toDouble(), i <= 3 ? 2 * (i - 1) : 2 * (i - 3));
    EXPECT_LT(f[9].toDouble(), f[5].toDouble());
    EXPECT_GT(f[10].toDouble(), f[5].toDouble());
    EXPECT_LE(f[11].toDouble(), f[6].toDouble());
    EXPECT_GE(f[12].toDouble(), f[6].toDouble());
    EXPECT_EQ(f[13].toInt(), i <= 3 ? 1 : 2);
  }
  ASSERT_TRUE(clear->isEnabled());
  clear->click();
  EXPECT_TRUE(window->runs().empty());
  EXPECT_TRUE(window->points().empty());
  expectEmptyPlot();
  window->setRange(0, 30, 0.5);  // the clean end takes 200000 symbols a point: far from done at once
  window->startSweep();
  ASSERT_TRUE(window->running());
  window->cancelSweep();
  EXPECT_FALSE(window->running());
  ASSERT_EQ(window->runs().size(), 1u);
  EXPECT_TRUE(window->runs()[0].cancelled);
  EXPECT_FALSE(window->runs()[0].running);
  EXPECT_TRUE(svg().contains("(cancelled)"));
}

}  // namespace
}  // namespace linklab
