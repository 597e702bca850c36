// View > Persistence on the real window: Density shows the eye's hits in the colours of their
// counts, Fading pales earlier runs, Infinite shows the model's own drawing; the choice is kept.
#include <QAction>
#include <QSettings>
#include <QStandardPaths>

#include "displays/density_colours.h"
#include "qt/picture_widget.h"
#include "window_fixture.h"

namespace linklab {
namespace {

class PersistenceWindow : public WindowTest {
 protected:
  void SetUp() override {
    QStandardPaths::setTestModeEnabled(true);
    WindowTest::SetUp();
    view->setScalesShown(false);  // the pictures' own pixels, with no grid over them
    view->runEvent([this] {
      form->cmbScene.setText("Full");
      form->cmbMod[0].setText("16-QAM");
      form->cmbFilter[0].setText("Root RC");
      form->cmbFilter[1].setText("Matched");
      form->cmbNoise.setText("0.2");
    });
    tick(6);
    for (PictureWidget* w : view->pictureWidgets())
      if (&w->model() == &form->picEye[0]) eye = w;
  }
  void tick(int n) {
    while (n-- > 0) view->onTick();
    view->tickTimer().stop();
  }
  void choose(const QString& mode) {
    view->findChild<QAction*>("actionPersistence" + mode)->trigger();
    EXPECT_EQ(QSettings("LinkLab", "LinkLab").value("view/persistence").toString(), mode);
  }
  PictureWidget* eye = nullptr;
};

bool isEyeTrace(QRgb p) { return p == qRgb(0, 192, 0) || p == qRgb(192, 0, 0); }
QRgb rgbOf(uint32_t bgr) { return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, bgr >> 16); }

TEST_F(PersistenceWindow, DensityColoursTheEyeByItsCountsAndInfiniteShowsTheDrawingAgain) {
  choose("Density");  // counts from clean pictures
  EXPECT_EQ(form->picEye[0].density().maximum(), 0u);
  tick(6);
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
      if (!isEyeTrace(drawn)) {
        ASSERT_EQ(p, drawn) << x << "," << y;
        continue;
      }
      ASSERT_EQ(p, rgbOf(scale.colour(std::max<uint32_t>(grid.at(x, y), 1)))) << x << "," << y;
      ++recoloured;
      highest |= grid.at(x, y) == grid.maximum();
    }
  EXPECT_GT(recoloured, 500);
  EXPECT_TRUE(highest);
  EXPECT_TRUE(barEnd);

  choose("Infinite");  // the model's own drawing again
  EXPECT_EQ(eye->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(raster.rect().adjusted(1, 1, -1, -1)),
            raster.copy(raster.rect().adjusted(1, 1, -1, -1)));
}

// Only the last run keeps its full colour; what earlier runs drew lies paled on the way to white.
TEST_F(PersistenceWindow, FadingPalesEarlierRunsAndANewWindowReadsTheChoiceBack) {
  choose("Fading");
  tick(30);
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

}  // namespace
}  // namespace linklab
