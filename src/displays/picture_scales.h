#pragma once
// Scales over a picture: light grid lines with labelled ticks in the picture's own units (symbol
// periods and ms, amplitude, kHz, dB), worked out from the same mapping its drawing kernel uses.
// Only a description in twips: each front end draws it over the picture, never into the
// picture's raster, so the model's drawing stays as it is. Fixed storage, no allocation.
#include <array>
#include <cstdint>

namespace linklab {

enum class LabelAlign : uint8_t { Left, Centre, Right };
enum class LabelEdge : uint8_t { Top, Bottom };  // which edge of the text lies at the label's y

struct ScaleLine {
  double x1, y1, x2, y2;  // twips
  bool zero;              // the line through the value 0, drawn a shade darker
  bool operator==(const ScaleLine&) const = default;
};

struct ScaleLabel {
  double x, y;           // twips: the anchor
  LabelAlign align;      // where x lies in the text
  LabelEdge edge;        // where y lies in the text
  bool vertical;         // true: labels a value axis (its tick is horizontal, at `at`)
  double at;             // twips along the axis where its tick stands (y for a value axis, else x)
  std::array<char, 48> text;  // UTF-8, zero-terminated
  bool operator==(const ScaleLabel&) const = default;
};

struct PictureScales {
  static constexpr int MaxLines = 48;
  static constexpr int MaxLabels = 48;
  std::array<ScaleLine, MaxLines> lines{};
  std::array<ScaleLabel, MaxLabels> labels{};
  int lineCount = 0;
  int labelCount = 0;
  // Where controls sit on the picture (twips of the picture): no label is placed there.
  static constexpr int MaxKeepOuts = 8;
  struct Area {
    double left, top, right, bottom;
  };
  std::array<Area, MaxKeepOuts> keepOuts{};
  int keepOutCount = 0;

  // Empties the lines and labels; the keep-out areas stay.
  void clear() { lineCount = labelCount = 0; }
  void addKeepOut(const Area& area) {
    if (keepOutCount < MaxKeepOuts) keepOuts[keepOutCount++] = area;
  }
  // Further entries past the capacity are dropped.
  void addLine(const ScaleLine& line);
  void addLabel(const ScaleLabel& label);
  bool operator==(const PictureScales& other) const;
};

// How large the front end draws a label, in twips (a front end whose fonts grow with its layout
// keeps these the same at every window size).
struct ScaleStyle {
  double labelHeight = 180;  // one line of text
  double charWidth = 100;    // a digit
  double gap = 30;           // between a label and its line or the picture's edge
};

// A linear map from a quantity to twips along one axis: twips = origin + value * twipsPerUnit.
struct AxisMap {
  double origin;
  double twipsPerUnit;  // negative on a value axis drawn upwards
};

// The smallest step of 1, 2 or 5 times a power of ten that cuts span into at most maxTicks parts.
double niceStep(double span, int maxTicks);

// Time axis along x and ticks in symbol periods with, on the last label, the time in ms.
//  map           : x twips of a time in symbol periods
//  bitsPerSymbol : a symbol lasts this many ms (1 kbit/s)
void addTimeAxis(PictureScales& scales, const AxisMap& map, double width, double height,
                 double bitsPerSymbol, const ScaleStyle& style);

// Ticks along x labelled in plain numbers, the last one followed by unit (may be empty).
void addXAxis(PictureScales& scales, const AxisMap& map, double width, double height,
              const char* unit, const ScaleStyle& style);

// Ticks along y labelled at the left edge, the top one followed by unit (may be empty). The
// bottom row, where the x labels stand, is left free.
void addYAxis(PictureScales& scales, const AxisMap& map, double width, double height,
              const char* unit, const ScaleStyle& style);

// The pictures, each from the parameters its kernel draws with (ScaleWidth W, ScaleHeight H).

// Data bits (plotData, values 0..1): bits first .. last-1 in cells of Int(W / n).
void dataTraceScales(PictureScales& scales, double width, double height, int first, int last,
                     double bitsPerSymbol, const ScaleStyle& style);

// Modulated symbols (plotModData, values dMin..dMax): symbols first .. last-1.
void symbolTraceScales(PictureScales& scales, double width, double height, int first, int last,
                       double dMin, double dMax, double bitsPerSymbol, const ScaleStyle& style);

// One component of the sampled signal (plotComponent): baud, zoom, scroll as its arguments.
void componentScales(PictureScales& scales, double width, double height, int baud, int zoom,
                     int scroll, double bitsPerSymbol, const ScaleStyle& style);

// The eye (plotEye): time from the symbol centre the marker starts on, amplitude times eyeScale.
void eyeScales(PictureScales& scales, double width, double height, double bitsPerSymbol,
               double eyeScale, const ScaleStyle& style);

// The I/Q plane of the trajectory and the receive scatter: amplitude 1 a third of the picture
// from its centre at eye scale 1.
void iqPlaneScales(PictureScales& scales, double width, double height, double eyeScale,
                   const ScaleStyle& style);

// The carrier picture of Baseband Demo (plotCycles): time in carrier periods (a quarter radian a
// sample, 256 samples across), amplitude with the unmodulated carrier's 1 at a fifth of the height.
void carrierScales(PictureScales& scales, double width, double height, const ScaleStyle& style);

// The phasor's trail in Baseband Demo: I and Q of the dragged value, 0.45 of the picture a unit.
void phasorTrailScales(PictureScales& scales, double width, double height, const ScaleStyle& style);

// The averaged spectrum (plotSpectrum): kHz about zero, dB (or linear power) above the bottom.
void spectrumScales(PictureScales& scales, double width, double height, double bitsPerSymbol,
                    double zoom, int range, bool linear, const ScaleStyle& style);

}  // namespace linklab
