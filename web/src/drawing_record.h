#pragma once
// What a picture drew since its last clear, kept beside its raster so that a new zoom draws it
// again at the new resolution instead of stretching pixels. A picture that builds up over many
// ticks (the eye) draws far more than any bound: the record then keeps the latest kLimit
// operations, which stand for the whole as the picture goes on building up.
#include <cstddef>
#include <vector>

#include "form/recording_surface.h"
#include "pixel_raster.h"

namespace linklab::web {

class DrawingRecord : public Raster {
 public:
  static constexpr std::size_t kLimit = 65536;

  explicit DrawingRecord(PixelRaster& raster) : raster(raster) {}

  void fitTo(int widthTwips, int heightTwips) override { raster.fitTo(widthTwips, heightTwips); }
  void Cls() override;
  double ScaleWidth() const override { return raster.ScaleWidth(); }
  double ScaleHeight() const override { return raster.ScaleHeight(); }
  uint32_t ForeColor() const override { return raster.ForeColor(); }
  void setForeColor(uint32_t colour) override { raster.setForeColor(colour); }
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double r, uint32_t colour) override;

  // Clears the raster and draws the record on it again, oldest first.
  void redraw();
  // Whether operations were dropped since the last clear.
  bool dropped() const { return wrapped; }

 private:
  void remember(const DrawOp& op);
  PixelRaster& raster;
  std::vector<DrawOp> ops;  // a ring once full: `next` is the oldest
  std::size_t next = 0;
  bool wrapped = false;
};

}  // namespace linklab::web
