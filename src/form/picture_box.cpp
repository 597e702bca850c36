#include "form/picture_box.h"

namespace linklab {

void PictureBox::Cls() {
  ops.clear();
  drawHistory.clear();
  historyOverflowed = false;
  ++clears;
  if (raster) {
    raster->fitTo(Width, Height);
    raster->Cls();
  }
  hits.fit(Width, Height);
  hits.clear();
  drawn = true;
}

void PictureBox::Line(double x1, double y1, double x2, double y2) {
  const DrawOp op{DrawOp::Kind::Line, x1, y1, x2, y2, foreColor};
  remember(op);
  if (isRecording) ops.push_back(op);
  if (raster && !countedOnly(foreColor)) {
    raster->fitTo(Width, Height);
    raster->setForeColor(foreColor);
    raster->Line(x1, y1, x2, y2);
  }
  if (hits.active()) {
    hits.fit(Width, Height);
    hits.line(x1, y1, x2, y2, foreColor);
  }
  drawn = true;
}

void PictureBox::Circle(double x, double y, double r, uint32_t colour) {
  const DrawOp op{DrawOp::Kind::Circle, x, y, r, 0, colour};
  remember(op);
  if (isRecording) ops.push_back(op);
  if (raster && !countedOnly(colour)) {
    raster->fitTo(Width, Height);
    raster->Circle(x, y, r, colour);
  }
  if (hits.active()) {
    hits.fit(Width, Height);
    hits.circle(x, y, r, colour);
  }
  drawn = true;
}

bool PictureBox::countedOnly(uint32_t colour) {
  if (!hits.active()) return false;
  hits.fit(Width, Height);
  return hits.columns() > 0 && hits.counts(colour);
}

void PictureBox::remember(const DrawOp& op) {
  if (drawHistory.size() == kHistoryLimit) {
    historyOverflowed = true;
    return;
  }
  if (drawHistory.capacity() < kHistoryLimit) drawHistory.reserve(kHistoryLimit);
  drawHistory.push_back(op);
}

void PictureBox::setRecording(bool on) {
  isRecording = on;
  ops.clear();
}

}  // namespace linklab
