#include "displays/constellation.h"

#include <cmath>
#include <initializer_list>

namespace linklab {

namespace {
struct Point {
  double i, q;
};
}  // namespace

void drawConstellation(Surface& pic, std::string_view modulation, double threshold,
                       int32_t xOffset, double xScale, int32_t yOffset, double yScale) {
  const double t = threshold;
  const double d = t / std::sqrt(2.0);
  const double third = t / 3;
  auto draw = [&](std::initializer_list<Point> points, uint32_t colour) {
    for (const Point& p : points)
      pic.Circle(xOffset + p.i * xScale, yOffset + p.q * yScale, ConstellationRadius, colour);
  };
  const auto diagonals = {Point{d, d}, Point{-d, d}, Point{d, -d}, Point{-d, -d}};
  const auto axes = {Point{t, 0}, Point{-t, 0}, Point{0, -t}, Point{0, t}};

  if (modulation == "MSK" || modulation == "FSK") {
    return;
  } else if (modulation == "OOK") {
    draw({{0, 0}, {t, 0}}, ConstellationColour);
  } else if (modulation == "50% AM") {
    draw({{t / 2, 0}, {t, 0}}, ConstellationColour);
  } else if (modulation == "BPSK") {
    draw({{t, 0}, {-t, 0}}, ConstellationColour);
  } else if (modulation == "OQPSK" || modulation == "QPSK") {
    draw(diagonals, ConstellationColour);
  } else if (modulation == "8-PSK") {
    draw(diagonals, ConstellationColour);
    draw(axes, ConstellationColour);
  } else if (modulation == "pi/4-SQPSK") {
    draw(diagonals, ConstellationAltColour);
    draw(axes, ConstellationColour);
  } else if (modulation == "16-QAM") {
    draw({{third, third}, {-third, third}, {third, -third}, {-third, -third},
          {t, t}, {-t, t}, {t, -t}, {-t, -t},
          {t, third}, {-t, third}, {t, -third}, {-t, -third},
          {third, t}, {-third, t}, {third, -t}, {-third, -t}},
         ConstellationColour);
  }
}

}  // namespace linklab
