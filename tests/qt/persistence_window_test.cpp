// View > Persistence on the real window: Density shows the eye's hits in the colours of their
// counts, Fading lets earlier runs fade, Infinite keeps them all; the raster stays the model's
// own drawing, and the choice is kept between runs.
#include <QAction>
#include <QSettings>
#include <QStandardPaths>

#include "displays/density_colours.h"
#include "qt/picture_widget.h"
#include "window_fixture.h"

namespace linklab {
namespace {

void startNoisyEye(MainWindowView& view, Form1& form) {
  view.setScalesShown(false);  // the pictures' own pixels, with no grid over them
  view.runEvent([&form] {
    form.cmbScene.setText("Full");
    form.cmbMod[0].setText("16-QAM");
    form.cmbNoise.setText("1.0");
  });
}

void tick(MainWindowView& view, int n) {
  for (int i = 0; i < n; ++i) view.onTick();
  view.tickTimer().stop();
}

PictureWidget& widgetOf(MainWindowView& view, const PictureBox& box) {
  for (PictureWidget* w : view.pictureWidgets())
    if (&w->model() == &box) return *w;
  throw std::logic_error("no widget");
}

class PersistenceWindow : public WindowTest {
 protected:
  void SetUp() override {
    QStandardPaths::setTestModeEnabled(true);
    WindowTest::SetUp();
    startNoisyEye(*view, *form);
    tick(*view, 6);
  }
  void choose(const char* action) {
    auto* a = view->findChild<QAction*>(action);
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
  }
  QString stored() const { return QSettings("LinkLab", "LinkLab").value("view/persistence").toString(); }
};

bool isEyeTrace(QRgb p) { return p == qRgb(0, 192, 0) || p == qRgb(192, 0, 0); }

TEST_F(PersistenceWindow, DensityColoursTheEyeByItsCountsAndInfiniteShowsTheDrawingAgain) {
  PictureWidget& eye = widgetOf(*view, form->picEye[0]);
  choose("actionPersistenceDensity");
  EXPECT_EQ(view->persistence(), Persistence::Density);
  EXPECT_EQ(stored(), "Density");
  const QImage& raster = eye.raster().finished();
  const DensityGrid& grid = form->picEye[0].density();
  ASSERT_EQ(grid.columns(), raster.width());
  ASSERT_GT(grid.maximum(), 3u);  // six runs, each through the eye's centre
  const DensityScale scale(grid.maximum());
  const QImage shown = eye.grab().toImage().convertToFormat(QImage::Format_RGB32);
  int recoloured = 0;
  bool highest = false;
  // Leaves out the border and the top right, where the colour bar stands.
  for (int y = 1; y < std::min(raster.height(), shown.height()) - 1; ++y)
    for (int x = 1; x < std::min(raster.width(), shown.width()) - 1; ++x) {
      if (y < eye.height() / 4 && x > eye.width() / 4) continue;
      const QRgb drawn = raster.pixel(x, y), p = shown.pixel(x, y);
      if (!isEyeTrace(drawn)) {
        ASSERT_EQ(p, drawn) << x << "," << y;
        continue;
      }
      const uint32_t c = scale.colour(std::max<uint32_t>(grid.at(x, y), 1));
      ASSERT_EQ(p, qRgb(c & 0xFF, (c >> 8) & 0xFF, c >> 16)) << x << "," << y << " count " << grid.at(x, y);
      ++recoloured;
      highest |= grid.at(x, y) == grid.maximum();
    }
  EXPECT_GT(recoloured, 500);
  EXPECT_TRUE(highest);
  // The bar: the darkest colour of the map stands in the top right.
  bool barEnd = false;
  for (int y = 1; y < eye.height() / 4; ++y)
    for (int x = eye.width() / 2; x < shown.width() - 1; ++x)
      barEnd |= shown.pixel(x, y) == qRgb(DensityHighColour & 0xFF, (DensityHighColour >> 8) & 0xFF, DensityHighColour >> 16);
  EXPECT_TRUE(barEnd);

  choose("actionPersistenceInfinite");
  EXPECT_EQ(stored(), "Infinite");
  const QImage plain = eye.grab().toImage().convertToFormat(QImage::Format_RGB32);
  for (int y = 1; y < std::min(raster.height(), plain.height()) - 1; y += 2)
    for (int x = 1; x < std::min(raster.width(), plain.width()) - 1; x += 2)
      ASSERT_EQ(plain.pixel(x, y), raster.pixel(x, y)) << x << "," << y;
}

// Against a twin window that keeps every run: the fading eye shows a part of the same pixels,
// full colour only where the last run drew, earlier runs paled or gone; a new window reads the
// choice back.
TEST_F(PersistenceWindow, FadingPalesEarlierRunsOfTheSameDrawing) {
  auto twinForm = std::make_unique<Form1>();
  auto twin = std::make_unique<MainWindowView>(*twinForm);
  twin->messageHost().interactive = false;
  twinForm->Form_Load();
  twin->syncFromModel();
  twin->show();
  startNoisyEye(*twin, *twinForm);
  tick(*twin, 6);
  choose("actionPersistenceFading");
  EXPECT_EQ(stored(), "Fading");
  tick(*view, 30);
  tick(*twin, 30);
  const QImage& fading = widgetOf(*view, form->picEye[0]).raster().finished();
  const QImage& kept = widgetOf(*twin, twinForm->picEye[0]).raster().finished();
  ASSERT_EQ(fading.size(), kept.size());
  const QRgb white = qRgb(255, 255, 255);
  int fullFading = 0, fullKept = 0, paled = 0;
  for (int y = 0; y < kept.height(); ++y)
    for (int x = 0; x < kept.width(); ++x) {
      const QRgb f = fading.pixel(x, y), k = kept.pixel(x, y);
      fullKept += isEyeTrace(k);
      fullFading += isEyeTrace(f);  // only what the last run drew keeps its full colour
      if (f == white) continue;
      ASSERT_NE(k, white) << x << "," << y;  // nothing that was never drawn
      // A paled eye trace: on the way from its colour to white, each channel at least as light.
      if (isEyeTrace(k) && f != k && qRed(f) >= qRed(k) && qGreen(f) >= qGreen(k) && qBlue(f) >= qBlue(k)) ++paled;
    }
  EXPECT_LT(2 * fullFading, fullKept);
  EXPECT_GT(paled, 100);

  twin->restoreSettings();
  EXPECT_EQ(twin->persistence(), Persistence::Fading);
  EXPECT_TRUE(twin->findChild<QAction*>("actionPersistenceFading")->isChecked());
  EXPECT_FALSE(twin->findChild<QAction*>("actionPersistenceInfinite")->isChecked());
  twin.reset();
}

}  // namespace
}  // namespace linklab
