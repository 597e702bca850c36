// What the window shows over and instead of a picture's raster: the scales, drawn over it (never
// into it) and switched by View > Scales; View > Persistence, where Density shows the eye's hits
// in the colours of their counts, Fading pales earlier runs and Infinite shows the model's own
// drawing. Both choices are kept; the sliders' tooltips end with their value in real units.
#include "displays/density_colours.h"
#include "window_fixture.h"

namespace linklab {
namespace {

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
  // Each level line stands on its own row: along it, where the raster is white, the screen is grey.
  const QImage shown = spectrum->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QImage& drawn = spectrum->raster().finished();
  int levels = 0;
  for (int i = 0; i < spectrum->scales().lineCount; ++i) {
    const ScaleLine& l = spectrum->scales().lines[i];
    const int row = static_cast<int>(std::floor(l.y1 * spectrum->height() / spectrum->model().Height));
    if (l.y1 != l.y2 || row < 1 || row >= std::min(drawn.height(), shown.height()) - 1) continue;
    ++levels;
    int grey = 0, white = 0;
    for (int x = 1; x < std::min(drawn.width(), shown.width()) - 1; ++x) {
      if (drawn.pixel(x, row) != qRgb(255, 255, 255)) continue;
      ++white;
      grey += qRed(shown.pixel(x, row)) < 240 && qRed(shown.pixel(x, row)) == qBlue(shown.pixel(x, row));
    }
    EXPECT_GT(grey, white / 2) << "level line at row " << row;
  }
  EXPECT_GE(levels, 3);
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
  bool highest = false;
  std::set<int> barRows;  // rows that reach the bar's high end
  for (int y = 1; y < std::min(raster.height(), shown.height()) - 1; ++y)
    for (int x = 1; x < std::min(raster.width(), shown.width()) - 1; ++x) {
      const QRgb drawn = raster.pixel(x, y), p = shown.pixel(x, y);
      if (y < eye->height() / 4 && x > eye->width() / 4) {  // where the colour bar stands
        if (p == rgbOf(DensityHighColour) && x > eye->width() - 20) barRows.insert(y);
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
  // A strip under half a line of its labels high: it must not hide the eye's upper half.
  EXPECT_GE(barRows.size(), 2u);
  EXPECT_LT(static_cast<double>(barRows.size()), 0.6 * QFontMetricsF(eye->font()).height() * eye->devicePixelRatioF());

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

}  // namespace
}  // namespace linklab
