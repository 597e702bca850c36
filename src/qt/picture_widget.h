#pragma once
// Shows a picture's raster; a click goes to the picture's own handler. The raster has the
// device's own pixels (layout scale x device pixel ratio), so traces stay crisp at any size.
#include <QRegion>
#include <QWidget>
#include <functional>
#include <vector>

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
  QImage overlay;  // the scales, drawn again only when they or the widget's pixels change
  bool overlayStale = true;
  struct StyleKey {
    QSize size;
    double points = 0;
    int twips = 0;
    ScaleStyle style;
  };
  mutable StyleKey styleFor;
  void drawOverlay();
  QFont scaleFont() const;
};

}  // namespace linklab
