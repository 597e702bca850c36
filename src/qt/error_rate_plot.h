#pragma once
// The core's error-rate plot through a QPainter (the curve window, PNG) and as SVG, both laid out
// with the plot font's own text widths.
#include <QSizeF>
#include <QString>
#include <vector>

#include "measurements/error_rate_plot.h"

class QPainter;

namespace linklab {

// Fills the size with white and draws the plot on it, antialiased.
void paintErrorRatePlot(QPainter& painter, QSizeF size, const std::vector<PlotRun>& runs, double fromDb,
                        double toDb);
QString errorRatePlotSvg(QSizeF size, const std::vector<PlotRun>& runs, double fromDb, double toDb);

}  // namespace linklab
