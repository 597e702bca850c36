#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHelpEvent>
#include <QToolTip>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "main_window/form1.h"
#include "qt/help_dialog.h"
#include "qt/main_window_view.h"
#include "window_fixture.h"
#include "qt/raster_surface.h"

namespace linklab {
namespace {

class Window : public WindowTest {
 protected:

  template <typename W>
  W* widget(const char* name) {
    return view->findChild<W*>(name);
  }
};

TEST_F(Window, ClientAreaAndControlsSitAtTheirTwips) {
  EXPECT_EQ(view->centralWidget()->size(), QSize(1003, 678));
  EXPECT_EQ(view->windowTitle(), "LinkLab - Modulation - BPSK");
  auto* filter = widget<QComboBox>("cmbFilter(1)");
  ASSERT_NE(filter, nullptr);
  EXPECT_TRUE(filter->isEditable());
  EXPECT_FALSE(widget<QComboBox>("cmbFilter(0)")->isEditable());
  auto* carrier = widget<QScrollBar>("hscCarrier");
  ASSERT_NE(carrier, nullptr);
  EXPECT_EQ(carrier->minimum(), 2);
  EXPECT_EQ(carrier->maximum(), 8);
  EXPECT_NE(widget<QWidget>("picSpectrum(0)"), nullptr);
  EXPECT_NE(view->findChild<QObject*>("HelpMenu"), nullptr);
}

TEST_F(Window, APictureResizedAndDrawnInOneHandlerDrawsOnItsNewSize) {
  view->onTick();
  view->onTick();
  view->runEvent([this] { form->chkPassband.setValue(1); });  // 720 -> 1440 twips, then drawn
  const std::string file = ::testing::TempDir() + "passband.png";
  ASSERT_EQ(view->save("picSpectrum(1)", file), "");
  const QImage passband(QString::fromStdString(file));
  ASSERT_EQ(passband.height(), 96);
  // The carrier swings to 0.3 of the height below the middle too.
  EXPECT_GT(inkedPixels(passband.copy(0, 60, passband.width(), 36)), 100);
}

TEST_F(Window, AUserPickRunsTheModelsHandlerOnce) {
  int changes = 0;
  form->cmbMultipathMag.onChange = [&] { ++changes; };
  auto* list = widget<QComboBox>("cmbMultipathMag");
  ASSERT_NE(list, nullptr);
  ASSERT_GT(list->count(), 2);
  list->activated(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(form->cmbMultipathMag.Text(), list->itemText(2).toStdString());
}

TEST_F(Window, TypedTextWaitsForEnter) {
  auto* noise = widget<QComboBox>("cmbNoise");
  ASSERT_NE(noise, nullptr);
  noise->setFocus();
  noise->lineEdit()->setText("0.");
  noise->lineEdit()->textEdited("0.");
  view->syncFromModel();  // a tick in between must not undo what is being typed
  EXPECT_EQ(noise->lineEdit()->text(), "0.");
  EXPECT_NE(form->cmbNoise.Text(), "0.");
  noise->lineEdit()->setText("0.3");
  noise->lineEdit()->textEdited("0.3");
  noise->lineEdit()->editingFinished();
  EXPECT_NE(form->cmbNoise.Text(), "0.3");  // handed over from the event loop, not from inside the signal
  QApplication::processEvents();
  EXPECT_EQ(form->cmbNoise.Text(), "0.3");
}

TEST_F(Window, HelpWindowsOpenFromTheMenuAndClose) {
  view->runEvent([this] { form->showHelp(); });
  HelpDialog* help = view->helpDialog(form->HelpText);
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_EQ(help->windowTitle(), "LinkLab Help");
  auto* text = help->findChild<QPlainTextEdit*>("Text1");
  ASSERT_NE(text, nullptr);
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_FALSE(text->toPlainText().isEmpty());
  auto* close = help->findChild<QPushButton*>("cmdClose");
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->text(), "Close");
  close->click();
  EXPECT_FALSE(help->isVisible());
  EXPECT_FALSE(form->HelpText.Visible);
  view->runEvent([this] { form->showHelp(); });
  EXPECT_EQ(view->helpDialog(form->HelpText), help);  // the same instance comes back
  EXPECT_TRUE(help->isVisible());

  view->runEvent([this] { form->showInstructions(); });
  EXPECT_TRUE(view->helpDialog(form->Instructions)->isVisible());
}

// Escape and the frame's close button close a help window in the model too, so the next sync
// does not bring it back.
TEST_F(Window, HelpWindowsClosedByEscapeOrTheFrameStayClosed) {
  for (const bool escape : {true, false}) {
    view->runEvent([this] { form->showInstructions(); });
    HelpDialog* instructions = view->helpDialog(form->Instructions);
    ASSERT_TRUE(instructions->isVisible());
    if (escape)
      QTest::keyClick(instructions, Qt::Key_Escape);
    else
      instructions->close();
    EXPECT_FALSE(form->Instructions.Visible) << escape;
    view->syncFromModel();
    EXPECT_FALSE(instructions->isVisible()) << escape;
  }
}

TEST_F(Window, AMessageIsNotRepeatedUntilTheUserActs) {
  MessageBoxHost& host = view->messageHost();
  const int before = host.shown();
  host.message("This FFT only does powers of two.");
  host.message("This FFT only does powers of two.");
  EXPECT_EQ(host.shown(), before + 1);
  view->runEvent([] {});
  host.message("This FFT only does powers of two.");
  EXPECT_EQ(host.shown(), before + 2);
}

// A picture sized from a script can ask for any size; past the cap the raster refuses, says why
// and draws nothing, and a sane size afterwards works again.
TEST(RasterSurface, RefusesAbsurdSizesInsteadOfAllocating) {
  RasterSurface raster;
  const struct {
    int width, height;
    double ratio;
  } absurd[] = {{32767, 2147483647, 1.0}, {2147483647, 2147483647, 3.0}, {300000, 300000, 1.0}, {1500, 1500, 1e9}};
  for (const auto& size : absurd) {
    raster.resize(size.width, size.height, size.ratio, 0xFFFFFF);
    EXPECT_TRUE(raster.finished().isNull()) << size.width << " x " << size.height;
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
  raster.Line(0, 765, 1500, 765);  // the copy 15 twips lower: a two-pixel trace
  raster.Line(-1e300, 0, 1e300, 1e300);
  raster.Line(0, std::numeric_limits<double>::quiet_NaN(), 10, 10);
  const QImage& image = raster.finished();
  ASSERT_EQ(image.size(), QSize(100, 100));
  EXPECT_EQ(image.pixel(50, 50), qRgb(0, 192, 0));
  EXPECT_EQ(image.pixel(50, 51), qRgb(0, 192, 0));
  EXPECT_EQ(image.pixel(50, 53), qRgb(255, 255, 255));
  raster.resize(3000, 750, 1.0, 0xFFFFFF);  // keeps what still fits
  EXPECT_EQ(raster.finished().pixel(50, 49), qRgb(255, 255, 255));
  raster.Cls();
  EXPECT_EQ(raster.finished().pixel(10, 10), qRgb(255, 255, 255));
  // A line that starts and ends on one pixel marks that pixel.
  raster.Line(157, 157, 157, 157);
  EXPECT_EQ(raster.finished().pixel(10, 10), qRgb(0, 192, 0));
  // The scatter's five rings of 10 to 50 twips close into a solid dot.
  for (int r = 10; r <= 50; r += 10) raster.Circle(757, 307, r, 0xC00000);
  for (int dx = -3; dx <= 3; ++dx) {
    for (int dy = -3; dy <= 3; ++dy) {
      if (dx * dx + dy * dy <= 9) {
        EXPECT_EQ(raster.finished().pixel(50 + dx, 20 + dy), qRgb(0, 0, 192)) << dx << dy;
      }
    }
  }
}

// A bold trace (drawn twice, 15 twips apart) stays one solid band at every ratio, whatever
// fraction of a pixel the step falls on.
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
      int first = -1, last = -1;
      for (int row = 0; row < image.height(); ++row) {
        if (image.pixel(column, row) != qRgb(0, 192, 0)) continue;
        if (first < 0) first = row;
        last = row;
      }
      ASSERT_GE(first, 0) << ratio;
      for (int row = first; row <= last; ++row)
        ASSERT_EQ(image.pixel(column, row), qRgb(0, 192, 0)) << "ratio " << ratio << " y " << y << " row " << row;
      EXPECT_GE(last - first + 1, static_cast<int>(std::floor(2 * ratio))) << ratio;
    }
  }
}

}  // namespace
}  // namespace linklab

namespace linklab {
namespace {

bool anyPixelOf(const QImage& image, QRect area, QRgb colour) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) == colour) return true;
  return false;
}

// The canvas paints the block diagram from the model: the purple signal path down x = 3600 twips
// (240 pixels) and the dark blue transmitter box from 240 twips (16 pixels).
TEST_F(Window, TheCanvasPaintsLinesAndBoxesInTheirColours) {
  const QImage canvas = view->centralWidget()->grab().toImage();
  EXPECT_TRUE(anyPixelOf(canvas, QRect(238, 262, 5, 8), qRgb(128, 0, 128)));  // Line1 (3600, 1080..6000)
  EXPECT_TRUE(anyPixelOf(canvas, QRect(14, 240, 5, 4), qRgb(0, 0, 128)));     // shpTxBox's left edge
  EXPECT_FALSE(anyPixelOf(canvas, QRect(100, 300, 40, 40), qRgb(128, 0, 128)));
}

// What the model holds reaches the widgets: a check box's value, a text box's lock.
TEST_F(Window, CheckBoxesAndTextBoxesFollowTheModel) {
  auto* passband = widget<QCheckBox>("chkPassband");
  auto* fsk = widget<QLineEdit>("txtFSK");
  ASSERT_TRUE(passband && fsk);
  for (int value : {1, 0}) {
    form->chkPassband.setValue(value);
    form->txtFSK.Locked = value == 1;
    view->syncFromModel();
    EXPECT_EQ(passband->isChecked(), value == 1);
    EXPECT_EQ(fsk->isReadOnly(), value == 1);
  }
}

// A shape's tooltip shows only over the shape; a move without a button drags nothing, a right
// click puts the phasor back.
TEST_F(Window, ShapeTooltipsAndMouseButtonsOnTheCanvas) {
  QWidget* canvas = view->centralWidget();
  const auto tip = [&](QPoint at) {
    QHelpEvent event(QEvent::ToolTip, at, canvas->mapToGlobal(at));
    QApplication::sendEvent(canvas, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  EXPECT_TRUE(tip(QPoint(900, 10)).isEmpty());   // right of the transmitter box, above its bottom
  EXPECT_FALSE(tip(QPoint(30, 200)).isEmpty());  // inside it
  view->runEvent([this] { form->cmbScene.setText("Baseband Demo"); });
  view->syncFromModel();
  const int left = form->shpDrag.Left;
  QTest::mouseMove(canvas, QPoint(200, 150));
  EXPECT_EQ(form->shpDrag.Left, left);
  QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, QPoint(300, 200));
  EXPECT_NE(form->shpDrag.Left, left);
  QTest::mousePress(canvas, Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
  EXPECT_EQ(form->shpDrag.Left, left);
}

// A circle lands on its centre: its top is inked, its middle not.
TEST(RasterSurface, CirclesSitOnTheirCentre) {
  RasterSurface raster;
  raster.resize(1500, 1500, 1.0, 0xFFFFFF);
  raster.Circle(300, 900, 150, 0x0000C0);
  const QImage& image = raster.finished();
  EXPECT_TRUE(anyPixelOf(image, QRect(18, 48, 5, 5), qRgb(192, 0, 0)));  // (20, 50): 10 pixels above (20, 60)
  EXPECT_FALSE(anyPixelOf(image, QRect(18, 58, 5, 5), qRgb(192, 0, 0)));
}

}  // namespace
}  // namespace linklab
