#include "drawing_record.h"

namespace linklab::web {

void DrawingRecord::Cls() {
  ops.clear();
  next = 0;
  wrapped = false;
  raster.Cls();
}

void DrawingRecord::Line(double x1, double y1, double x2, double y2) {
  remember({DrawOp::Kind::Line, x1, y1, x2, y2, raster.ForeColor()});
  raster.Line(x1, y1, x2, y2);
}

void DrawingRecord::Circle(double x, double y, double r, uint32_t colour) {
  remember({DrawOp::Kind::Circle, x, y, r, 0, colour});
  raster.Circle(x, y, r, colour);
}

void DrawingRecord::remember(const DrawOp& op) {
  if (ops.size() < kLimit) {
    // Two steps of memory: a picture cleared at every tick stays small, one that builds up takes
    // its whole ring once; the tick allocates nothing after that.
    if (ops.size() == ops.capacity()) ops.reserve(ops.empty() ? 4096 : kLimit);
    ops.push_back(op);
    return;
  }
  ops[next] = op;
  next = (next + 1) % kLimit;
  wrapped = true;
}

void DrawingRecord::redraw() {
  raster.Cls();
  const uint32_t colour = raster.ForeColor();
  for (std::size_t i = 0; i < ops.size(); ++i) {
    const DrawOp& op = ops[(next + i) % ops.size()];
    if (op.kind == DrawOp::Kind::Line) {
      raster.setForeColor(op.colour);
      raster.Line(op.x1, op.y1, op.x2, op.y2);
    } else {
      raster.Circle(op.x1, op.y1, op.x2, op.colour);
    }
  }
  raster.setForeColor(colour);
}

}  // namespace linklab::web
