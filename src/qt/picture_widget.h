#pragma once
// Shows a picture's raster; a click goes to the picture's own handler. The raster has the
// device's own pixels (layout scale x device pixel ratio), so traces stay crisp at any size.
#include <QWidget>
#include <functional>

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
  PictureBox& model() { return picture; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;

 private:
  PictureBox& picture;
  RasterSurface surface;
  std::function<void()> afterEvent;
};

}  // namespace linklab
