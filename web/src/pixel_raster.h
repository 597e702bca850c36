#pragma once
// A picture's persistent raster for the browser: RGBA bytes in device pixels that the page puts
// on its canvas as they are. The model's colours are 0x00BBGGRR, which is already the byte order
// R, G, B of an RGBA pixel read as a little-endian word, so a colour costs one OR.
#include <cstdint>
#include <vector>

#include "form/ring_memo.h"
#include "form/surface.h"

namespace linklab::web {

class PixelRaster : public Raster {
 public:
  // Device pixels per twip; the page sets it from its zoom and the screen's pixel ratio.
  void setScale(double devicePixelsPerTwip);
  void setBackground(uint32_t colour) { background = colour; }
  void fitTo(int widthTwips, int heightTwips) override;

  void Cls() override;
  double ScaleWidth() const override { return widthTwips; }
  double ScaleHeight() const override { return heightTwips; }
  uint32_t ForeColor() const override { return foreColor; }
  void setForeColor(uint32_t colour) override { foreColor = colour; }
  void Line(double x1, double y1, double x2, double y2) override;
  void Circle(double x, double y, double r, uint32_t colour) override;

  int columns() const { return cols; }
  int rows() const { return rowCount; }
  const uint32_t* pixels() const { return image.data(); }

 private:
  void resize(int newCols, int newRows);
  std::vector<uint32_t> image;
  RingMemo rings;
  int cols = 0, rowCount = 0;
  int widthTwips = 0, heightTwips = 0;
  double scale = 1 / 15.0;
  int pen = 1;
  uint32_t foreColor = 0;
  uint32_t background = 0xFFFFFF;
};

}  // namespace linklab::web
