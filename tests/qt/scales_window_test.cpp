// The scales over the window's pictures: drawn over the raster (never into it), switched by
// View > Scales and remembered; the sliders' tooltips end with their value in real units.
#include <QAction>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>

#include "qt/picture_widget.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class ScalesWindow : public WindowTest {
 protected:
  void SetUp() override {
    QStandardPaths::setTestModeEnabled(true);  // the user's own settings stay untouched
    WindowTest::SetUp();
    view->runEvent([this] { form->cmbScene.setText("Full"); });
    for (int i = 0; i < 3; ++i) view->onTick();
    view->tickTimer().stop();
  }
  PictureWidget* widgetOf(const PictureBox& box) {
    for (PictureWidget* w : view->pictureWidgets())
      if (&w->model() == &box) return w;
    return nullptr;
  }
};

// A pixel of a vertical grid line where the raster shows its background: grey on the screen.
bool gridShowsOverBackground(PictureWidget& widget) {
  const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage& raster = widget.raster().finished();
  const PictureScales& s = widget.scales();
  const double perTwip = widget.width() / double(widget.model().Width);
  for (int i = 0; i < s.lineCount; ++i) {
    const ScaleLine& l = s.lines[i];
    if (l.x1 != l.x2 || l.zero) continue;
    const int x = static_cast<int>(std::floor(l.x1 * perTwip));
    if (x <= 1 || x >= widget.width() - 2) continue;
    for (int y = 2; y < widget.height() - 2; ++y) {
      if (x >= raster.width() || y >= raster.height() || raster.pixel(x, y) != qRgb(255, 255, 255)) continue;
      const QRgb p = shown.pixel(x, y);
      if (qRed(p) == qGreen(p) && qGreen(p) == qBlue(p) && qRed(p) < 240) return true;
    }
  }
  return false;
}

TEST_F(ScalesWindow, DrawnOverThePictureNeverIntoItsRaster) {
  PictureWidget* spectrum = widgetOf(form->picSpectrum[0]);
  ASSERT_NE(spectrum, nullptr);
  ASSERT_GT(spectrum->scales().labelCount, 0);
  EXPECT_TRUE(gridShowsOverBackground(*spectrum));
  // The raster holds only the model's drawing: no grid grey in it.
  const QImage& raster = spectrum->raster().finished();
  for (int y = 0; y < raster.height(); y += 3)
    for (int x = 0; x < raster.width(); x += 3) ASSERT_NE(raster.pixel(x, y), qRgb(208, 208, 208)) << x << "," << y;
}

TEST_F(ScalesWindow, ViewMenuSwitchesThemAndTheChoiceIsKept) {
  auto* action = view->findChild<QAction*>("actionScales");
  ASSERT_NE(action, nullptr);
  EXPECT_TRUE(action->isChecked());
  action->trigger();  // off
  EXPECT_FALSE(view->scalesShown());
  for (PictureWidget* w : view->pictureWidgets()) EXPECT_EQ(w->scales().lineCount, 0) << w->model().name;
  EXPECT_FALSE(gridShowsOverBackground(*widgetOf(form->picEye[0])));
  EXPECT_FALSE(QSettings("LinkLab", "LinkLab").value("view/scales", true).toBool());
  view->setScalesShown(true);
  EXPECT_TRUE(action->isChecked());
  EXPECT_TRUE(QSettings("LinkLab", "LinkLab").value("view/scales", false).toBool());
  EXPECT_GT(widgetOf(form->picEye[0])->scales().labelCount, 0);
}

TEST_F(ScalesWindow, SliderTooltipEndsWithItsValue) {
  auto* bar = view->findChild<QScrollBar*>("hscSample");
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(bar->toolTip().endsWith("Now: 0 symbols from the symbol centre (0 samples, 0 ms)")) << bar->toolTip().toStdString();
  bar->setValue(16);  // as the user moves it: one sample a step for one bit per symbol
  EXPECT_TRUE(bar->toolTip().contains("+0.5 symbols from the symbol centre")) << bar->toolTip().toStdString();
  EXPECT_EQ(form->hscSample.Value(), 16);
}

}  // namespace
}  // namespace linklab
