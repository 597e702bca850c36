#pragma once
// The error-rate curve: the measured symbol and bit error rates of one or more runs, each point
// with its 95 % confidence interval as an error bar, over the AWGN theory of each run's keying on
// a logarithmic axis with a grid, labelled axes and a legend below the axes. Before any run the
// plot is an empty frame with a hint. One drawing, two outputs: a painter (screen, PNG) and SVG.
#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "measurements/binomial_interval.h"
#include "measurements/error_rate_sweep.h"

class QPainter;

namespace linklab {

enum class MarkerShape { Circle, Square, Diamond, TriangleUp, TriangleDown };

class PlotSink {
 public:
  virtual ~PlotSink() = default;
  virtual void line(QPointF a, QPointF b, QColor colour, double width) = 0;
  // One stroke through all points, so a dash pattern runs on across the vertices; the dashes
  // are in units of the width and so scale with it.
  virtual void polyline(const QPolygonF& points, QColor colour, double width, bool dashed) = 0;
  // align: -1 right end at `at`, 0 centred, 1 left end at `at`; vertical text reads upwards
  virtual void text(QPointF at, const QString& s, QColor colour, int align, bool vertical = false) = 0;
  // radius: of the circle the shape fits in; filled or an outline 1.5 wide
  virtual void marker(QPointF at, QColor colour, MarkerShape shape, double radius, bool filled) = 0;
  virtual double textWidth(const QString& s) const = 0;
};

// One sweep on the plot: its settings as legend text, its keying (for the theory) and its points.
struct PlotRun {
  QString label;
  QString keying;
  Modulation mod = Modulation::BPSK;
  double fromDb = 0, toDb = 14;
  std::vector<SweepPoint> points;
  bool running = false, cancelled = false;
  // Intervals already worked out, by (errors, count): a repaint then costs no bisection.
  mutable std::map<std::pair<int64_t, int64_t>, PlottedInterval> intervals;
};

// fromDb, toDb: the axis when there is no run; with runs the axis spans all of theirs.
void drawErrorRatePlot(PlotSink& sink, QSizeF size, const std::vector<PlotRun>& runs, double fromDb, double toDb);

void paintErrorRatePlot(QPainter& painter, QSizeF size, const std::vector<PlotRun>& runs, double fromDb,
                        double toDb);
QString errorRatePlotSvg(QSizeF size, const std::vector<PlotRun>& runs, double fromDb, double toDb);

}  // namespace linklab
