#pragma once
// Shows a picture's raster; a click goes to the picture's own handler.
#include <QWidget>

#include "qt/raster_surface.h"

namespace linklab {

class PictureBox;

class PictureWidget : public QWidget {
 public:
  PictureWidget(PictureBox& picture, QWidget* parent, std::function<void()> afterEvent);
  // Follows the model's geometry; the raster keeps what still fits.
  void syncGeometry();
  RasterSurface& raster() { return surface; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;

 private:
  PictureBox& picture;
  RasterSurface surface;
  std::function<void()> afterEvent;
};

}  // namespace linklab
