#include "qt/error_rate_plot.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "measurements/awgn_theory.h"

namespace linklab {

namespace {

const QColor kGrid(215, 215, 215);
const QColor kBlack(0, 0, 0);
const QColor kHint(110, 110, 110);
constexpr double kRow = 17;           // legend row height
constexpr double kSerRadius = 5.5;    // open, larger: a filled BER marker on the same rate shows inside it
constexpr double kBerRadius = 3.5;
constexpr double kDash = 5, kGap = 3;  // in pen widths

QFont plotFont() {
  QFont font("DejaVu Sans");
  font.setPixelSize(12);
  return font;
}

struct RunStyle {
  QColor colour;
  MarkerShape shape;
};

// Colours that stay apart in print and for the common colour-vision deficiencies, each with its
// own marker, so runs differ in two ways.
RunStyle runStyle(std::size_t index) {
  static const QColor colours[] = {{0, 90, 200}, {213, 94, 0}, {0, 140, 80}, {150, 40, 160}, {120, 90, 0}, {0, 150, 170}};
  static const MarkerShape shapes[] = {MarkerShape::Circle, MarkerShape::Square, MarkerShape::Diamond,
                                       MarkerShape::TriangleUp, MarkerShape::TriangleDown};
  return {colours[index % std::size(colours)], shapes[index % std::size(shapes)]};
}

QPolygonF shapeOutline(MarkerShape shape, QPointF at, double r) {
  const double s = 0.8 * r, t = 0.866 * r;
  switch (shape) {
    case MarkerShape::Square:
      return QPolygonF({at + QPointF(-s, -s), at + QPointF(s, -s), at + QPointF(s, s), at + QPointF(-s, s)});
    case MarkerShape::Diamond:
      return QPolygonF({at + QPointF(0, -r), at + QPointF(r, 0), at + QPointF(0, r), at + QPointF(-r, 0)});
    case MarkerShape::TriangleUp:
      return QPolygonF({at + QPointF(0, -r), at + QPointF(t, r / 2), at + QPointF(-t, r / 2)});
    case MarkerShape::TriangleDown:
      return QPolygonF({at + QPointF(0, r), at + QPointF(t, -r / 2), at + QPointF(-t, -r / 2)});
    case MarkerShape::Circle:
      break;
  }
  return {};
}

class PainterSink : public PlotSink {
 public:
  explicit PainterSink(QPainter& p) : p(p), metrics(plotFont()) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(plotFont());
  }
  void line(QPointF a, QPointF b, QColor c, double width) override {
    p.setPen(QPen(c, width));
    p.drawLine(a, b);
  }
  void polyline(const QPolygonF& points, QColor c, double width, bool dashed) override {
    // Flat caps on dashes: square caps would eat a width out of every gap.
    QPen pen(c, width, Qt::SolidLine, dashed ? Qt::FlatCap : Qt::RoundCap, Qt::RoundJoin);
    if (dashed) pen.setDashPattern({kDash, kGap});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points);
  }
  void text(QPointF at, const QString& s, QColor c, int align, bool vertical) override {
    p.save();
    p.setPen(c);
    p.translate(at);
    if (vertical) p.rotate(-90);
    const QRectF box(align < 0 ? -600 : align == 0 ? -300 : 0, -10, 600, 20);
    p.drawText(box, Qt::AlignVCenter | (align < 0 ? Qt::AlignRight : align == 0 ? Qt::AlignHCenter : Qt::AlignLeft), s);
    p.restore();
  }
  void marker(QPointF at, QColor c, MarkerShape shape, double r, bool filled) override {
    p.setPen(QPen(c, 1.5));
    p.setBrush(filled ? QBrush(c) : QBrush(Qt::white));
    if (shape == MarkerShape::Circle)
      p.drawEllipse(at, r, r);
    else
      p.drawPolygon(shapeOutline(shape, at, r));
    p.setBrush(Qt::NoBrush);
  }
  double textWidth(const QString& s) const override { return metrics.horizontalAdvance(s); }

 private:
  QPainter& p;
  QFontMetricsF metrics;
};

class SvgSink : public PlotSink {
 public:
  SvgSink() : metrics(plotFont()) {}
  QString body;
  void line(QPointF a, QPointF b, QColor c, double width) override {
    body += QString("<line x1='%1' y1='%2' x2='%3' y2='%4' stroke='%5' stroke-width='%6'/>\n")
                .arg(a.x()).arg(a.y()).arg(b.x()).arg(b.y()).arg(c.name()).arg(width);
  }
  void polyline(const QPolygonF& points, QColor c, double width, bool dashed) override {
    QString coordinates;
    for (const QPointF& q : points) coordinates += QString("%1,%2 ").arg(q.x(), 0, 'f', 2).arg(q.y(), 0, 'f', 2);
    body += QString("<polyline points='%1' fill='none' stroke='%2' stroke-width='%3' stroke-linejoin='round'%4/>\n")
                .arg(coordinates.trimmed()).arg(c.name()).arg(width)
                .arg(dashed ? QString(" stroke-dasharray='%1,%2'").arg(kDash * width).arg(kGap * width) : QString());
  }
  void text(QPointF at, const QString& s, QColor c, int align, bool vertical) override {
    const char* anchor = align < 0 ? "end" : align == 0 ? "middle" : "start";
    body += QString("<text x='%1' y='%2' fill='%3' text-anchor='%4' dominant-baseline='middle'%5>%6</text>\n")
                .arg(at.x()).arg(at.y()).arg(c.name()).arg(anchor)
                .arg(vertical ? QString(" transform='rotate(-90 %1 %2)'").arg(at.x()).arg(at.y()) : QString())
                .arg(s.toHtmlEscaped());
  }
  void marker(QPointF at, QColor c, MarkerShape shape, double r, bool filled) override {
    const QString paint = QString("fill='%1' stroke='%2' stroke-width='1.5'").arg(filled ? c.name() : "#ffffff", c.name());
    if (shape == MarkerShape::Circle) {
      body += QString("<circle cx='%1' cy='%2' r='%3' %4/>\n").arg(at.x()).arg(at.y()).arg(r).arg(paint);
      return;
    }
    QString coordinates;
    for (const QPointF& q : shapeOutline(shape, at, r))
      coordinates += QString("%1,%2 ").arg(q.x(), 0, 'f', 2).arg(q.y(), 0, 'f', 2);
    body += QString("<polygon points='%1' %2/>\n").arg(coordinates.trimmed(), paint);
  }
  double textWidth(const QString& s) const override { return metrics.horizontalAdvance(s); }

 private:
  QFontMetricsF metrics;
};

QString decadeLabel(int d) {
  if (d == 0) return "1";
  static const QChar superscript[] = {u'\u2070', u'\u00B9', u'\u00B2', u'\u00B3', u'\u2074',
                                      u'\u2075', u'\u2076', u'\u2077', u'\u2078', u'\u2079'};
  QString label = "10\u207B";
  for (QChar digit : QString::number(-d)) label += superscript[digit.digitValue()];
  return label;
}

// Two-level keyings (OOK, 50% AM, BPSK) lose one bit with each symbol: one theory line serves both.
bool serIsBer(Modulation mod) {
  for (double db : {0.0, 6.0, 12.0}) {
    const ErrorRates r = awgnErrorRates(mod, std::pow(10.0, db / 10));
    if (!(std::fabs(r.ser - r.ber) <= 1e-12 * r.ser)) return false;
  }
  return true;
}

struct Keying {
  QString name;
  Modulation mod;
};

std::vector<Keying> keyingsOf(const std::vector<PlotRun>& runs) {
  std::vector<Keying> keyings;
  for (const PlotRun& run : runs)
    if (std::none_of(keyings.begin(), keyings.end(), [&](const Keying& k) { return k.mod == run.mod; }))
      keyings.push_back({run.keying, run.mod});
  return keyings;
}

// The measured counts of a point, SER first.
struct Count {
  int64_t errors, count;
  bool ser;
};
std::vector<Count> countsOf(const SweepPoint& p) {
  if (p.symbols <= 0) return {};
  return {{p.symbolErrors, p.symbols, true}, {p.bitErrors, p.bits, false}};
}

const PlottedInterval& intervalOf(const PlotRun& run, const Count& c) {
  const auto [entry, added] = run.intervals.try_emplace({c.errors, c.count});
  if (added) entry->second = plottedInterval(c.errors, c.count);
  return entry->second;
}

// The legend's glyphs, drawn in a 36-pixel slot left of their text.
void arrowDown(PlotSink& sink, double x, double yTop, double length, QColor c) {
  sink.line({x - 4, yTop}, {x + 4, yTop}, c, 1.5);
  sink.line({x, yTop}, {x, yTop + length}, c, 1.5);
  sink.line({x - 4, yTop + length - 6}, {x, yTop + length}, c, 1.5);
  sink.line({x + 4, yTop + length - 6}, {x, yTop + length}, c, 1.5);
}
void errorBar(PlotSink& sink, double x, double yLow, double yHigh, QColor c, bool capLow, bool capHigh) {
  sink.line({x, yLow}, {x, yHigh}, c, 1.2);
  if (capLow) sink.line({x - 3.5, yLow}, {x + 3.5, yLow}, c, 1.2);
  if (capHigh) sink.line({x - 3.5, yHigh}, {x + 3.5, yHigh}, c, 1.2);
}

struct LegendRow {
  enum Kind { Measured, Run, TheoryBoth, TheorySer, TheoryBer, Bar, Bound } kind;
  QString text;
  std::size_t run = 0;
};

}  // namespace

void drawErrorRatePlot(PlotSink& sink, QSizeF size, const std::vector<PlotRun>& runs, double fromDb, double toDb) {
  if (!runs.empty()) {
    fromDb = runs[0].fromDb;
    toDb = runs[0].toDb;
    for (const PlotRun& run : runs) {
      fromDb = std::min(fromDb, run.fromDb);
      toDb = std::max(toDb, run.toDb);
    }
  }
  const std::vector<Keying> keyings = keyingsOf(runs);

  // The legend under the axes: runs on the left, theory and the meaning of bars on the right.
  std::vector<LegendRow> left, right;
  if (!runs.empty()) {
    left.push_back({LegendRow::Measured, "measured:   SER    BER"});  // text for its width
    for (std::size_t i = 0; i < runs.size(); ++i)
      left.push_back({LegendRow::Run,
                      runs[i].label + (runs[i].running ? "  (running)" : runs[i].cancelled ? "  (cancelled)" : ""), i});
    for (const Keying& k : keyings) {
      if (serIsBer(k.mod)) {
        right.push_back({LegendRow::TheoryBoth, k.name + " theory (AWGN), SER = BER"});
      } else {
        right.push_back({LegendRow::TheorySer, k.name + " SER theory (AWGN)"});
        right.push_back({LegendRow::TheoryBer, k.name + " BER theory (AWGN)"});
      }
    }
    right.push_back({LegendRow::Bar, "95 % confidence interval (Clopper-Pearson)"});
    right.push_back({LegendRow::Bound, "no error: 95 % upper bound 3/N"});
  }
  auto columnWidth = [&sink](const std::vector<LegendRow>& rows) {
    double w = 0;
    for (const LegendRow& r : rows) w = std::max(w, 40 + sink.textWidth(r.text));
    return w;
  };
  const double legendLeft = 16, columnGap = 28;
  const double leftWidth = columnWidth(left), rightWidth = columnWidth(right);
  const bool sideBySide = legendLeft + leftWidth + columnGap + rightWidth <= size.width() - 8;
  const double legendHeight =
      runs.empty() ? 0 : kRow * (sideBySide ? std::max(left.size(), right.size()) : left.size() + right.size()) + 6;

  const double areaBottom = std::max(36.0 + 80, size.height() - 50 - legendHeight);
  const QRectF area(QPointF(72, 36), QPointF(size.width() - 20, areaBottom));

  // Decades from 1 down to the lowest end of a bar or bound (1e-6 before any measurement); the
  // theory below that runs off the bottom.
  double lowest = 1e-1;
  bool measured = false;
  for (const PlotRun& run : runs)
    for (const SweepPoint& p : run.points)
      for (const Count& c : countsOf(p)) {
        const PlottedInterval& iv = intervalOf(run, c);
        if (!std::isfinite(iv.upper)) continue;
        measured = true;
        // A bound's arrow reaches half a decade below it.
        lowest = std::min(lowest, iv.upperOnly ? iv.upper / 3 : iv.lower);
      }
  if (!measured) lowest = 1e-6;
  const int lowDecade = std::clamp(static_cast<int>(std::floor(std::log10(lowest))), -9, -1);
  const double floorRate = std::pow(10.0, lowDecade);
  const double span = std::max(toDb - fromDb, 1e-9);
  auto xOf = [&](double db) { return area.left() + (db - fromDb) / span * area.width(); };
  auto yOf = [&](double rate) {
    const double l = std::clamp(std::log10(rate), double(lowDecade), 0.0);
    return area.top() + (-l) / (-lowDecade) * area.height();
  };

  // Grid and axes
  for (int d = 0; d >= lowDecade; --d) {
    const double y = yOf(std::pow(10.0, d));
    sink.line({area.left(), y}, {area.right(), y}, kGrid, 1);
    sink.text({area.left() - 6, y}, decadeLabel(d), kBlack, -1);
  }
  const double tick = span > 20 ? 5 : span > 8 ? 2 : span > 3 ? 1 : 0.5;
  for (double db = std::ceil(fromDb / tick - 1e-9) * tick; db <= toDb + 1e-9; db += tick) {
    const double x = xOf(db);
    sink.line({x, area.top()}, {x, area.bottom()}, kGrid, 1);
    sink.text({x, area.bottom() + 13}, QString::number(std::abs(db) < 1e-9 ? 0 : db), kBlack, 0);
  }
  sink.line(area.topLeft(), area.bottomLeft(), kBlack, 1);
  sink.line(area.bottomLeft(), area.bottomRight(), kBlack, 1);
  sink.line(area.topLeft(), area.topRight(), kBlack, 1);
  sink.line(area.topRight(), area.bottomRight(), kBlack, 1);
  sink.text({area.center().x(), area.bottom() + 32}, "Eb/N0 of the channel (dB)", kBlack, 0);
  sink.text({18, area.center().y()}, "error rate", kBlack, 0, true);
  sink.text({area.center().x(), 17}, "Symbol and bit error rates: measured and AWGN theory", kBlack, 0);
  if (runs.empty()) {
    sink.text(area.center(), "Press Start to measure", kHint, 0);
    return;
  }

  // Theory curves, each one stroke so its dashes run on; a curve ends where it leaves the floor.
  const int steps = 400;
  for (std::size_t ki = 0; ki < keyings.size(); ++ki) {
    const Keying& k = keyings[ki];
    const bool one = serIsBer(k.mod);
    for (const bool ser : {true, false}) {
      if (one && !ser) continue;
      QPolygonF curve;
      double lastDb = fromDb, lastRate = NAN;
      for (int i = 0; i <= steps; ++i) {
        const double db = fromDb + span * i / steps;
        const ErrorRates r = awgnErrorRates(k.mod, std::pow(10.0, db / 10));
        const double rate = ser ? r.ser : r.ber;
        if (!(rate > 0)) break;
        if (rate < floorRate) {
          if (lastRate >= floorRate) {  // the crossing, interpolated in log rate
            const double f = (std::log10(lastRate) - lowDecade) / (std::log10(lastRate) - std::log10(rate));
            curve << QPointF(xOf(lastDb + f * (db - lastDb)), area.bottom());
          }
          break;
        }
        curve << QPointF(xOf(db), yOf(rate));
        lastDb = db;
        lastRate = rate;
      }
      if (curve.size() >= 2) sink.polyline(curve, kBlack, 1.5, !ser);
      // With more than one keying each SER curve is named where it ends, the names a row apart.
      if (keyings.size() > 1 && ser && !curve.isEmpty()) {
        const QPointF end = curve.back();
        const double y = end.y() - 9 - 14 * double(ki);
        if (end.x() < area.right() - 50)
          sink.text({end.x() + 6, y}, k.name, kBlack, 1);
        else
          sink.text({end.x() - 6, y}, k.name, kBlack, -1);
      }
    }
  }

  // Measured points with their intervals; no error: an arrow down from the bound.
  for (std::size_t i = 0; i < runs.size(); ++i) {
    const RunStyle style = runStyle(i);
    for (const SweepPoint& p : runs[i].points) {
      const double x = xOf(p.ebN0dB);
      for (const Count& c : countsOf(p)) {
        const PlottedInterval& iv = intervalOf(runs[i], c);
        if (!std::isfinite(iv.upper)) continue;
        if (iv.upperOnly) {
          arrowDown(sink, x, yOf(iv.upper), 16, style.colour);
          continue;
        }
        errorBar(sink, x, yOf(iv.lower), yOf(iv.upper), style.colour, iv.lower >= floorRate, true);
      }
      for (const Count& c : countsOf(p))
        if (c.errors > 0)
          sink.marker({x, yOf(double(c.errors) / c.count)}, style.colour, style.shape, c.ser ? kSerRadius : kBerRadius,
                      !c.ser);
    }
  }

  // Legend
  const double legendTop = area.bottom() + 50 + kRow / 2;
  auto drawRow = [&](const LegendRow& row, double x, double y) {
    const double g = x + 18;  // glyph centre
    switch (row.kind) {
      case LegendRow::Measured:
      {
        sink.text({x, y}, "measured:", kBlack, 1);
        const double ser = x + sink.textWidth("measured:") + 14;
        sink.marker({ser, y}, kBlack, MarkerShape::Circle, kSerRadius, false);
        sink.text({ser + kSerRadius + 5, y}, "SER", kBlack, 1);
        const double ber = ser + kSerRadius + 5 + sink.textWidth("SER") + 16;
        sink.marker({ber, y}, kBlack, MarkerShape::Circle, kBerRadius, true);
        sink.text({ber + 7, y}, "BER", kBlack, 1);
        return;
      }
      case LegendRow::Run: {
        const RunStyle style = runStyle(row.run);
        sink.marker({x + 8, y}, style.colour, style.shape, kSerRadius, false);
        sink.marker({x + 26, y}, style.colour, style.shape, kBerRadius, true);
        break;
      }
      case LegendRow::TheoryBoth:
      case LegendRow::TheorySer:
      case LegendRow::TheoryBer:
        sink.polyline(QPolygonF({QPointF(x, y), QPointF(x + 34, y)}), kBlack, 1.5, row.kind == LegendRow::TheoryBer);
        break;
      case LegendRow::Bar:
        errorBar(sink, g, y + 6, y - 6, QColor(64, 64, 64), true, true);
        break;
      case LegendRow::Bound:
        arrowDown(sink, g, y - 7, 14, QColor(64, 64, 64));
        break;
    }
    sink.text({x + 40, y}, row.text, kBlack, 1);
  };
  for (std::size_t r = 0; r < left.size(); ++r) drawRow(left[r], legendLeft, legendTop + r * kRow);
  const double rightX = sideBySide ? legendLeft + leftWidth + columnGap : legendLeft;
  const double rightTop = sideBySide ? legendTop : legendTop + left.size() * kRow;
  for (std::size_t r = 0; r < right.size(); ++r) drawRow(right[r], rightX, rightTop + r * kRow);
}

void paintErrorRatePlot(QPainter& painter, QSizeF size, const std::vector<PlotRun>& runs, double fromDb,
                        double toDb) {
  painter.fillRect(QRectF(QPointF(0, 0), size), Qt::white);
  PainterSink sink(painter);
  drawErrorRatePlot(sink, size, runs, fromDb, toDb);
}

QString errorRatePlotSvg(QSizeF size, const std::vector<PlotRun>& runs, double fromDb, double toDb) {
  SvgSink sink;
  drawErrorRatePlot(sink, size, runs, fromDb, toDb);
  return QString("<?xml version='1.0' encoding='UTF-8'?>\n"
                 "<svg xmlns='http://www.w3.org/2000/svg' width='%1' height='%2' font-family='DejaVu Sans' "
                 "font-size='12'>\n<rect width='100%' height='100%' fill='white'/>\n%3</svg>\n")
      .arg(size.width()).arg(size.height()).arg(sink.body);
}

}  // namespace linklab
