#pragma once
// How often each pixel of a picture was hit since its last clear. Fed by the same lines and
// circles the picture receives, in the device pixels of the raster a front end draws them on, so
// a density display can colour exactly the pixels the trace covers. Only strokes in the colours
// named by countColours count: the signal's own traces, not guides such as the sampling marker
// or the reference constellation. The counts are sized when the pixel size changes and never on
// a drawing, so counting allocates nothing.
#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace linklab {

class DensityGrid {
 public:
  // Up to MaxColours colours (0x00BBGGRR) whose strokes count; an empty list turns counting off.
  static constexpr int MaxColours = 4;
  void countColours(std::initializer_list<uint32_t> colours);
  bool active() const { return colourCount > 0; }
  bool counts(uint32_t colour) const;
  std::span<const uint32_t> colours() const { return {counted.data(), static_cast<std::size_t>(colourCount)}; }

  // Device pixels per 15 twips (1 at 100 %), as the front end's raster; a new ratio carries the
  // counts over to the new pixels (nearest pixel), so a zoom keeps the picture.
  void setPixelRatio(double ratio);
  double pixelRatio() const { return ratio; }
  // Follows the picture's size in twips: counts are kept where they still fit, pixels that come
  // into the picture start at zero. Cheap when nothing changed.
  void fit(double widthTwips, double heightTwips);
  void clear();

  // A segment or a circle outline in picture twips, counted if its colour counts. A segment that
  // starts where the previous counted one ended leaves out the pixel they share, and a circle
  // around the same centre with a larger radius (the rings of one scatter point) counts only what
  // lies outside the previous one: one pass of a trace, one point, is one hit.
  void line(double x1, double y1, double x2, double y2, uint32_t colour);
  void circle(double x, double y, double r, uint32_t colour);

  int columns() const { return cols; }
  int rows() const { return rowCount; }
  uint32_t at(int x, int y) const { return hits[static_cast<std::size_t>(y) * cols + x]; }
  std::span<const uint32_t> counts() const { return hits; }  // row by row, columns() a row
  // The largest count, kept up as the hits come in.
  uint32_t maximum() const { return most; }

  // Past this many pixels the grid keeps no counts (the picture then shows no density).
  static constexpr double kMaxPixels = 16.0 * 1024 * 1024;

 private:
  void resample(int newCols, int newRows, double oldScale);
  std::array<uint32_t, MaxColours> counted{};
  int colourCount = 0;
  double ratio = 1.0;
  double scale = 1 / 15.0;  // device pixels per twip
  int pen = 1;
  double widthTwips = -1, heightTwips = -1;
  int cols = 0, rowCount = 0;
  std::vector<uint32_t> hits;
  uint32_t most = 0;
  // Where the last counted stroke ended, to tell a continued polyline or ring from a new one.
  enum class Last : uint8_t { None, Line, Circle } last = Last::None;
  double lastX = 0, lastY = 0, lastR = 0;
};

}  // namespace linklab
