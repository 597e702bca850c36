#pragma once
// Shows a picture's raster; a click goes to the picture's own handler. The raster has the
// device's own pixels (layout scale x device pixel ratio), so traces stay crisp at any size.
#include <QFont>
#include <QImage>
#include <QRegion>
#include <QStaticText>
#include <QWidget>
#include <array>
#include <functional>
#include <utility>
#include <vector>

#include "displays/density_colours.h"
#include "displays/persistence.h"
#include "displays/picture_scales.h"
#include "qt/layout_scale.h"
#include "qt/raster_surface.h"

namespace linklab {

class PictureBox;

class PictureWidget : public QWidget {
 public:
  PictureWidget(PictureBox& picture, QWidget* parent, std::function<void()> afterEvent);
  // Follows the model's geometry through the layout's scale; the raster keeps what still fits,
  // and a new scale draws the picture again at the new resolution.
  void syncGeometry(const LayoutScale& scale);
  RasterSurface& raster() { return surface; }
  // Where opaque controls sit on the picture (in its own coordinates): its repaints leave them out.
  void setCovers(const std::vector<QRect>& rects);
  // Repaints what the controls on it leave showing.
  void refresh();
  PictureBox& model() { return picture; }
  // The size of a scale label in the picture's twips, from the widget's font.
  ScaleStyle scaleStyle() const;
  // Scales drawn over the raster (never into it); an empty description draws none. Repaints
  // only when the description changed.
  void setScales(const PictureScales& description);
  const PictureScales& scales() const { return shown; }

  // View > Persistence. Density recolours the pixels of a picture that counts its hits (and
  // draws a colour bar); Fading fades the raster at each tick through fadeForTick.
  void setPersistence(Persistence mode);
  // Before a tick draws: fades a picture that keeps its runs (one not cleared since the last
  // tick); a picture cleared at every run has nothing to fade.
  void fadeForTick();
  // Whether this picture now shows its hits as density colours.
  bool showsDensity() const;
  // The picture as it shows, without its scales: the raster, recoloured by its counts under Density.
  QImage pictureImage();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;

 private:
  PictureBox& picture;
  RasterSurface surface;
  std::function<void()> afterEvent;
  std::vector<QRect> covered;
  QRegion exposed;
  QSize coveredSize;
  PictureScales shown;
  // The scales as the raster pixels they cover with their colours, laid out again only when
  // they or the raster's size change; at each paint they go under the model's drawing into a copy.
  std::vector<std::pair<uint32_t, QRgb>> overlayPixels;
  // The labels go over the drawing, on a light halo, so a dense eye cannot bury them.
  std::vector<std::pair<uint32_t, QRgb>> labelPixels;
  QSize overlaySize;
  double overlayRatio = 1.0;
  bool overlayStale = true;
  QImage composite;
  Persistence persistence = Persistence::Infinite;
  uint32_t clearsBeforeTick = 0;
  DensityScale densityScale;
  // The colour of each count up to the maximum, the background's at 0, while the maximum is
  // below kTabledCounts: set again only when the maximum moved, one run of counts per step.
  static constexpr uint32_t kTabledCounts = 1u << 16;
  std::vector<QRgb> countColours;
  uint32_t countColoursMost = 0;
  QRgb countColoursBack = 0;
  // The colour bar's digits and unit, laid out again only when the font changes.
  std::array<QStaticText, 10> barDigits;
  std::array<double, 10> barDigitWidths{};
  QStaticText barWord;
  double barWordWidth = 0;
  QImage barColours;
  QFont barFont;
  double barFontPoints = 0;
  // The raster into an image of its size (or itself), its signal pixels in their counts' colours.
  void recolour(const QImage& from, QImage& into);
  void paintColourBar(QPainter& p);
  void buildOverlay(const QImage& raster);
  const QImage& composited();
  struct StyleKey {
    QSize size;
    double points = 0;
    int twips = 0;
    ScaleStyle style;
  };
  mutable StyleKey styleFor;
  QFont scaleFont() const;
};

}  // namespace linklab
