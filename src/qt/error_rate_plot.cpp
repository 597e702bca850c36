#include "qt/error_rate_plot.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>

namespace linklab {

namespace {

QFont plotFont() {
  QFont font("DejaVu Sans");
  font.setPixelSize(static_cast<int>(kPlotFontPixels));
  return font;
}

QColor qColour(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
QPointF qPoint(PlotPoint p) { return {p.x, p.y}; }
QString qText(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

double widthOf(const QFontMetricsF& metrics, std::string_view s) { return metrics.horizontalAdvance(qText(s)); }

class PainterSink : public PlotSink {
 public:
  explicit PainterSink(QPainter& p) : p(p), metrics(plotFont()) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(plotFont());
  }
  void line(PlotPoint a, PlotPoint b, uint32_t c, double width) override {
    p.setPen(QPen(qColour(c), width));
    p.drawLine(qPoint(a), qPoint(b));
  }
  void polyline(const std::vector<PlotPoint>& points, uint32_t c, double width, bool dashed) override {
    // Flat caps on dashes: square caps would eat a width out of every gap.
    QPen pen(qColour(c), width, Qt::SolidLine, dashed ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin);
    if (dashed) pen.setDashPattern({kPlotDash, kPlotGap});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPolygonF polygon;
    for (PlotPoint q : points) polygon << qPoint(q);
    p.drawPolyline(polygon);
  }
  void text(PlotPoint at, std::string_view s, uint32_t c, LabelAlign align, bool vertical) override {
    p.save();
    p.setPen(qColour(c));
    p.translate(qPoint(at));
    if (vertical) p.rotate(-90);
    const QRectF box(align == LabelAlign::Right ? -600 : align == LabelAlign::Centre ? -300 : 0, -10, 600, 20);
    const Qt::Alignment horizontal =
        align == LabelAlign::Right ? Qt::AlignRight : align == LabelAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
    p.drawText(box, Qt::AlignVCenter | horizontal, qText(s));
    p.restore();
  }
  void marker(PlotPoint at, uint32_t c, MarkerShape shape, double r, bool filled) override {
    p.setPen(QPen(qColour(c), 1.5));
    p.setBrush(filled ? QBrush(qColour(c)) : QBrush(Qt::white));
    if (shape == MarkerShape::Circle) {
      p.drawEllipse(qPoint(at), r, r);
    } else {
      QPolygonF polygon;
      for (PlotPoint q : markerOutline(shape, at, r)) polygon << qPoint(q);
      p.drawPolygon(polygon);
    }
    p.setBrush(Qt::NoBrush);
  }
  double textWidth(std::string_view s) const override { return widthOf(metrics, s); }

 private:
  QPainter& p;
  QFontMetricsF metrics;
};

}  // namespace

void paintErrorRatePlot(QPainter& painter, QSizeF size, const std::vector<PlotRun>& runs, double fromDb,
                        double toDb) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  PainterSink sink(painter);
  drawErrorRatePlot(sink, size.width(), size.height(), runs, fromDb, toDb);
}

QString errorRatePlotSvg(QSizeF size, const std::vector<PlotRun>& runs, double fromDb, double toDb) {
  const QFontMetricsF metrics(plotFont());
  return QString::fromStdString(linklab::errorRatePlotSvg(size.width(), size.height(), runs, fromDb, toDb,
                                                          [&](std::string_view s) { return widthOf(metrics, s); }));
}

}  // namespace linklab
