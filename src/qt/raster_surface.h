#pragma once
// A picture's persistent raster: an image in device pixels onto which the displays draw in twips.
// One pen pixel is 15 twips, so a trace drawn twice 15 twips apart is a solid two-pixel line.
#include <QImage>
#include <QPainter>

#include "form/surface.h"

namespace linklab {

class RasterSurface : public Surface {
 public:
  // Keeps what was drawn where it still fits.
  void resize(int widthTwips, int heightTwips, double devicePixelRatio, uint32_t background);

  void Cls() override;
  double ScaleWidth() const override { return widthTwips; }
  double ScaleHeight() const override { return heightTwips; }
  uint32_t ForeColor() const override { return foreColor; }
  void setForeColor(uint32_t colour) override { foreColor = colour; }
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double r, uint32_t colour) override;

  // Ends the drawing so the image can be copied to the screen or saved.
  const QImage& finished();

 private:
  QPainter& painter();
  QImage image;
  QPainter active;
  int widthTwips = 0, heightTwips = 0;
  double scale = 1 / 15.0;  // device pixels per twip
  uint32_t foreColor = 0;
  uint32_t background = 0xFFFFFF;
};

}  // namespace linklab
