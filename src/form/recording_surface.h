#pragma once
// A surface that remembers every operation since its last Cls: the tests and the batch runner
// read what a display drew from it.
#include <cstdint>
#include <vector>

#include "form/surface.h"

namespace linklab {

struct DrawOp {
  enum class Kind { Line, Circle } kind;
  double x1, y1, x2, y2;  // a circle keeps its centre in x1, y1 and its radius in x2
  uint32_t colour;
};

class RecordingSurface : public Surface {
 public:
  RecordingSurface(double scaleWidth = 1000, double scaleHeight = 1000)
      : width(scaleWidth), height(scaleHeight) {}

  void Cls() override {
    ops.clear();
    ++clears;
  }
  double ScaleWidth() const override { return width; }
  double ScaleHeight() const override { return height; }
  uint32_t ForeColor() const override { return foreColor; }
  void setForeColor(uint32_t colour) override { foreColor = colour; }
  void Line(double x1, double y1, double x2, double y2) override {
    ops.push_back({DrawOp::Kind::Line, x1, y1, x2, y2, foreColor});
  }
  void Circle(double x, double y, double r, uint32_t colour) override {
    ops.push_back({DrawOp::Kind::Circle, x, y, r, 0, colour});
  }

  double width, height;
  uint32_t foreColor = 0;
  std::vector<DrawOp> ops;
  int clears = 0;
};

}  // namespace linklab
