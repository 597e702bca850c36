#pragma once
// A picture as an SVG drawing: the operations drawn since its last clear become one stroked path
// per colour, in twips (the viewBox) on a canvas of the picture's pixel size at 100 %. A picture
// whose history overflowed is embedded as its raster image instead, with a comment saying so.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "form/recording_surface.h"

namespace linklab {

class PictureBox;

struct PictureDrawing {
  int widthTwips = 0, heightTwips = 0;
  uint32_t background = 0xFFFFFF;  // 0x00BBGGRR
  std::span<const DrawOp> ops;     // since the last clear, oldest first
  bool complete = true;            // false: ops were cut short, the raster stands in
};

PictureDrawing drawingOf(const PictureBox& picture);

// rasterPng: the picture's raster encoded as PNG, embedded only when the drawing is incomplete.
std::string pictureSvg(const PictureDrawing& drawing, std::string_view rasterPng);

}  // namespace linklab
