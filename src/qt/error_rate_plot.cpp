#include "qt/error_rate_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "measurements/awgn_theory.h"

namespace linklab {

namespace {

const QColor kSerColour(0, 0, 192);
const QColor kBerColour(192, 0, 0);
const QColor kGrid(215, 215, 215);

class PainterSink : public PlotSink {
 public:
  explicit PainterSink(QPainter& p) : p(p) { p.setRenderHint(QPainter::Antialiasing); }
  void line(QPointF a, QPointF b, QColor c, double width, bool dashed) override {
    QPen pen(c, width);
    if (dashed) pen.setStyle(Qt::DashLine);
    p.setPen(pen);
    p.drawLine(a, b);
  }
  void text(QPointF at, const QString& s, QColor c, int align, bool vertical) override {
    p.save();
    p.setPen(c);
    p.translate(at);
    if (vertical) p.rotate(-90);
    const QRectF box(align < 0 ? -400 : align == 0 ? -200 : 0, -10, 400, 20);
    p.drawText(box, Qt::AlignVCenter | (align < 0 ? Qt::AlignRight : align == 0 ? Qt::AlignHCenter : Qt::AlignLeft), s);
    p.restore();
  }
  void marker(QPointF at, QColor c, bool square) override {
    p.setPen(QPen(c, 1.5));
    p.setBrush(c);
    // Squares filled and small, circles open and larger, so equal rates show both.
    if (square) {
      p.drawRect(QRectF(at.x() - 3, at.y() - 3, 6, 6));
    } else {
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(at, 6, 6);
    }
    p.setBrush(Qt::NoBrush);
  }

 private:
  QPainter& p;
};

class SvgSink : public PlotSink {
 public:
  QString body;
  void line(QPointF a, QPointF b, QColor c, double width, bool dashed) override {
    body += QString("<line x1='%1' y1='%2' x2='%3' y2='%4' stroke='%5' stroke-width='%6'%7/>\n")
                .arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y()).arg(c.name()).arg(width)
                .arg(dashed ? " stroke-dasharray='6,4'" : "");
  }
  void text(QPointF at, const QString& s, QColor c, int align, bool vertical) override {
    const char* anchor = align < 0 ? "end" : align == 0 ? "middle" : "start";
    body += QString("<text x='%1' y='%2' fill='%3' text-anchor='%4' dominant-baseline='middle'%5>%6</text>\n")
                .arg(at.x()).arg(at.y()).arg(c.name()).arg(anchor)
                .arg(vertical ? QString(" transform='rotate(-90 %1 %2)'").arg(at.x()).arg(at.y()) : QString())
                .arg(s.toHtmlEscaped());
  }
  void marker(QPointF at, QColor c, bool square) override {
    if (square)
      body += QString("<rect x='%1' y='%2' width='6' height='6' fill='%3'/>\n").arg(at.x() - 3).arg(at.y() - 3).arg(c.name());
    else
      body += QString("<circle cx='%1' cy='%2' r='6' fill='none' stroke='%3' stroke-width='1.5'/>\n")
                  .arg(at.x()).arg(at.y()).arg(c.name());
  }
};

}  // namespace

void drawErrorRatePlot(PlotSink& sink, QSizeF size, const PlotRange& range,
                       const std::vector<SweepPoint>& points) {
  const QRectF area(70, 36, size.width() - 90, size.height() - 90);
  // Decades from 1 down to the lowest figure to show (theory at the range's end, or a bound).
  // Decades from 1 down to the lowest measured rate or bound (1e-6 before any measurement);
  // the theory below that runs off the bottom.
  double lowest = 1e-1;
  bool measured = false;
  for (const SweepPoint& p : points) {
    if (p.symbols <= 0) continue;
    measured = true;
    lowest = std::min(lowest, 1.0 / p.bits);
    if (p.ser > 0) lowest = std::min(lowest, p.ser);
    if (p.ber > 0) lowest = std::min(lowest, p.ber);
  }
  if (!measured) lowest = 1e-6;
  const int lowDecade = std::max(-9, static_cast<int>(std::floor(std::log10(lowest))));
  const double span = std::max(range.toDb - range.fromDb, 1e-9);
  auto xOf = [&](double db) { return area.left() + (db - range.fromDb) / span * area.width(); };
  auto yOf = [&](double rate) {
    const double l = std::clamp(std::log10(rate), double(lowDecade), 0.0);
    return area.top() + (-l) / (-lowDecade) * area.height();
  };
  const QColor black(0, 0, 0);

  // Grid and axes
  for (int d = 0; d >= lowDecade; --d) {
    const double y = yOf(std::pow(10.0, d));
    sink.line({area.left(), y}, {area.right(), y}, kGrid, 1, false);
    sink.text({area.left() - 6, y}, d == 0 ? "1" : QString("1e%1").arg(d), black, -1);
  }
  const double tick = span > 20 ? 5 : span > 8 ? 2 : span > 3 ? 1 : 0.5;
  for (double db = std::ceil(range.fromDb / tick) * tick; db <= range.toDb + 1e-9; db += tick) {
    const double x = xOf(db);
    sink.line({x, area.top()}, {x, area.bottom()}, kGrid, 1, false);
    sink.text({x, area.bottom() + 12}, QString::number(db), black, 0);
  }
  sink.line(area.topLeft(), area.bottomLeft(), black, 1, false);
  sink.line(area.bottomLeft(), area.bottomRight(), black, 1, false);
  sink.line(area.topLeft(), area.topRight(), black, 1, false);
  sink.line(area.topRight(), area.bottomRight(), black, 1, false);
  sink.text({area.center().x(), area.bottom() + 32}, "Eb/N0 at the decisions (dB)", black, 0);
  sink.text({18, area.center().y()}, "error rate", black, 0, true);
  sink.text({area.center().x(), 16}, range.title, black, 0);

  // Theory curves
  const int steps = 200;
  QPointF lastSer, lastBer;
  for (int i = 0; i <= steps; ++i) {
    const double db = range.fromDb + span * i / steps;
    const ErrorRates r = awgnErrorRates(range.mod, std::pow(10.0, db / 10));
    const QPointF ser(xOf(db), yOf(r.ser)), ber(xOf(db), yOf(r.ber));
    if (i > 0 && r.ser > std::pow(10.0, lowDecade)) sink.line(lastSer, ser, kSerColour, 1.5, false);
    if (i > 0 && r.ber > std::pow(10.0, lowDecade)) sink.line(lastBer, ber, kBerColour, 1.5, true);
    lastSer = ser;
    lastBer = ber;
  }

  // Measured points; no error: an arrow down from one error in the count
  for (const SweepPoint& p : points) {
    if (p.symbols <= 0) continue;
    const double x = xOf(p.ebN0dB);
    const struct {
      int64_t errors, count;
      QColor colour;
      bool square;
    } rates[] = {{p.symbolErrors, p.symbols, kSerColour, false}, {p.bitErrors, p.bits, kBerColour, true}};
    for (const auto& r : rates) {
      if (r.errors > 0) {
        sink.marker({x, yOf(double(r.errors) / r.count)}, r.colour, r.square);
      } else {
        const double y = yOf(1.0 / r.count);
        sink.line({x - 5, y}, {x + 5, y}, r.colour, 2, false);
        sink.line({x, y}, {x, y + 14}, r.colour, 1.5, false);
        sink.line({x - 4, y + 9}, {x, y + 14}, r.colour, 1.5, false);
        sink.line({x + 4, y + 9}, {x, y + 14}, r.colour, 1.5, false);
      }
    }
  }

  // Legend
  const double lx = area.right() - 200, ly = area.top() + 14;
  sink.marker({lx + 12, ly}, kSerColour, false);
  sink.text({lx + 30, ly}, "SER measured", black, 1);
  sink.marker({lx + 12, ly + 18}, kBerColour, true);
  sink.text({lx + 30, ly + 18}, "BER measured", black, 1);
  sink.line({lx, ly + 36}, {lx + 24, ly + 36}, kSerColour, 1.5, false);
  sink.text({lx + 30, ly + 36}, "SER theory (AWGN)", black, 1);
  sink.line({lx, ly + 54}, {lx + 24, ly + 54}, kBerColour, 1.5, true);
  sink.text({lx + 30, ly + 54}, "BER theory (AWGN)", black, 1);
  sink.line({lx + 12, ly + 66}, {lx + 12, ly + 78}, black, 1.5, false);
  sink.line({lx + 8, ly + 73}, {lx + 12, ly + 78}, black, 1.5, false);
  sink.line({lx + 16, ly + 73}, {lx + 12, ly + 78}, black, 1.5, false);
  sink.text({lx + 30, ly + 72}, "no error: upper bound", black, 1);
}

void paintErrorRatePlot(QPainter& painter, QSizeF size, const PlotRange& range,
                        const std::vector<SweepPoint>& points) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  PainterSink sink(painter);
  drawErrorRatePlot(sink, size, range, points);
}

QString errorRatePlotSvg(QSizeF size, const PlotRange& range, const std::vector<SweepPoint>& points) {
  SvgSink sink;
  drawErrorRatePlot(sink, size, range, points);
  return QString("<?xml version='1.0' encoding='UTF-8'?>\n"
                 "<svg xmlns='http://www.w3.org/2000/svg' width='%1' height='%2' font-family='DejaVu Sans' "
                 "font-size='11'>\n<rect width='100%' height='100%' fill='white'/>\n%3</svg>\n")
      .arg(size.width()).arg(size.height()).arg(sink.body);
}

}  // namespace linklab
