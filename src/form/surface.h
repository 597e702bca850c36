#pragma once
// What a display needs of a picture: clear it, know its size in twips, pick a colour, draw lines
// and circles. Colours are 0x00BBGGRR.
#include <cstdint>

namespace linklab {

class Surface {
 public:
  virtual ~Surface() = default;
  virtual void Cls() = 0;
  virtual double ScaleWidth() const = 0;
  virtual double ScaleHeight() const = 0;
  virtual uint32_t ForeColor() const = 0;
  virtual void setForeColor(uint32_t colour) = 0;
  // A segment in the current ForeColor, picture coordinates in twips.
  virtual void Line(double x1, double y1, double x2, double y2) = 0;
  // An outline of radius r around (x, y) in the given colour.
  virtual void Circle(double x, double y, double r, uint32_t colour) = 0;
};

// A surface with pixels behind it that must follow its picture's size, even when a handler
// resizes the picture and draws on it before the window catches up.
class Raster : public Surface {
 public:
  virtual void fitTo(int widthTwips, int heightTwips) = 0;
};

}  // namespace linklab
