#include "form/picture_box.h"

namespace linklab {

void PictureBox::Cls() {
  ops.clear();
  if (raster) {
    raster->fitTo(Width, Height);
    raster->Cls();
  }
  drawn = true;
}

void PictureBox::Line(double x1, double y1, double x2, double y2) {
  if (isRecording) ops.push_back({DrawOp::Kind::Line, x1, y1, x2, y2, foreColor});
  if (raster) {
    raster->fitTo(Width, Height);
    raster->setForeColor(foreColor);
    raster->Line(x1, y1, x2, y2);
  }
  drawn = true;
}

void PictureBox::Circle(double x, double y, double r, uint32_t colour) {
  if (isRecording) ops.push_back({DrawOp::Kind::Circle, x, y, r, 0, colour});
  if (raster) {
    raster->fitTo(Width, Height);
    raster->Circle(x, y, r, colour);
  }
  drawn = true;
}

void PictureBox::setRecording(bool on) {
  isRecording = on;
  ops.clear();
}

}  // namespace linklab
