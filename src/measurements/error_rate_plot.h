#pragma once
// The error-rate curve: the measured symbol and bit error rates of one or more runs, each point
// with its 95 % confidence interval as an error bar, over the AWGN theory of each run's keying on
// a logarithmic axis with a grid, labelled axes and a legend below the axes. Before any run the
// plot is an empty frame with a hint. One drawing for every front end: it is laid out here, in
// pixels at 100 %, and handed to a PlotSink (a painter, a canvas, SVG) as strokes, markers and
// positioned texts. Colours are 0x00BBGGRR, as on every surface.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "displays/picture_scales.h"
#include "measurements/binomial_interval.h"
#include "measurements/error_rate_sweep.h"

namespace linklab {

enum class MarkerShape { Circle, Square, Diamond, TriangleUp, TriangleDown };

struct PlotPoint {
  double x = 0, y = 0;
};

// The plot's pen widths are in pixels at 100 %; dashes are kPlotDash on, kPlotGap off, in pen
// widths, so they scale with the pen.
inline constexpr double kPlotDash = 5, kPlotGap = 3;
// The plot's text: DejaVu Sans (or the nearest sans) at this many pixels.
inline constexpr double kPlotFontPixels = 12;

class PlotSink {
 public:
  virtual ~PlotSink() = default;
  virtual void line(PlotPoint a, PlotPoint b, uint32_t colour, double width) = 0;
  // One stroke through all points, so a dash pattern runs on across the vertices.
  virtual void polyline(const std::vector<PlotPoint>& points, uint32_t colour, double width, bool dashed) = 0;
  // UTF-8 text centred vertically on `at`; Left: starts at `at`, Right: ends there. Vertical
  // text reads upwards.
  virtual void text(PlotPoint at, std::string_view text, uint32_t colour, LabelAlign align, bool vertical) = 0;
  // radius: of the circle the shape fits in; filled, or white inside; outline 1.5 wide.
  virtual void marker(PlotPoint at, uint32_t colour, MarkerShape shape, double radius, bool filled) = 0;
  // Advance width of the text in the plot's font, pixels at 100 %.
  virtual double textWidth(std::string_view text) const = 0;
};

// The corners of a marker that is not a circle, clockwise from the top (or top left).
std::vector<PlotPoint> markerOutline(MarkerShape shape, PlotPoint at, double radius);

// One sweep on the plot: its settings as legend text, its keying (for the theory) and its points.
struct PlotRun {
  std::string label;
  std::string keying;
  Modulation mod = Modulation::BPSK;
  double fromDb = 0, toDb = 14;
  std::vector<SweepPoint> points;
  bool running = false, cancelled = false;
  // Intervals already worked out, by (errors, count): a repaint then costs no bisection.
  mutable std::map<std::pair<int64_t, int64_t>, PlottedInterval> intervals;
};

// width, height: pixels at 100 %; fromDb, toDb: the axis when there is no run (with runs the
// axis spans all of theirs). Draws no background: the sink's page is white.
void drawErrorRatePlot(PlotSink& sink, double width, double height, const std::vector<PlotRun>& runs, double fromDb,
                       double toDb);

// The size a saved plot has: it grows by a legend row for every run beyond the second, so the
// axes keep their height.
PlotPoint errorRateExportSize(std::size_t runs);

// The plot as a standalone SVG drawing, laid out with the given text widths.
std::string errorRatePlotSvg(double width, double height, const std::vector<PlotRun>& runs, double fromDb,
                             double toDb, const std::function<double(std::string_view)>& textWidth);

// The runs' points as a CSV table: the nine columns of the batch command's table, the exact 95 %
// intervals of both rates, the run's number and its settings.
std::string errorRateCsv(const std::vector<PlotRun>& runs);

// "#rrggbb" of a 0x00BBGGRR colour.
std::string htmlColour(uint32_t bgr);

}  // namespace linklab
