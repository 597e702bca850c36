#pragma once
// The error-rate curve: measured symbol and bit error rates with the AWGN theory of the keying on
// a logarithmic axis with a grid, labelled axes and a legend; a point with no error is drawn as an
// upper bound (an arrow down from one error in its count). One drawing, two outputs: a painter
// (screen, PNG) and SVG text.
#include <QColor>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <vector>

#include "measurements/error_rate_sweep.h"

class QPainter;

namespace linklab {

class PlotSink {
 public:
  virtual ~PlotSink() = default;
  virtual void line(QPointF a, QPointF b, QColor colour, double width, bool dashed) = 0;
  // align: -1 right end at `at`, 0 centred, 1 left end at `at`; vertical text reads upwards
  virtual void text(QPointF at, const QString& s, QColor colour, int align, bool vertical = false) = 0;
  virtual void marker(QPointF at, QColor colour, bool square) = 0;
};

struct PlotRange {
  double fromDb = 0, toDb = 14;
  Modulation mod = Modulation::BPSK;
  QString title;
};

void drawErrorRatePlot(PlotSink& sink, QSizeF size, const PlotRange& range,
                       const std::vector<SweepPoint>& points);

void paintErrorRatePlot(QPainter& painter, QSizeF size, const PlotRange& range,
                        const std::vector<SweepPoint>& points);
QString errorRatePlotSvg(QSizeF size, const PlotRange& range, const std::vector<SweepPoint>& points);

}  // namespace linklab
