#include "measurements/error_rate_plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "measurements/awgn_theory.h"

namespace linklab {

namespace {

constexpr uint32_t rgb(int r, int g, int b) { return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16; }

constexpr uint32_t kGrid = rgb(215, 215, 215);
constexpr uint32_t kBlack = rgb(0, 0, 0);
constexpr uint32_t kHint = rgb(110, 110, 110);
constexpr uint32_t kLegendGrey = rgb(64, 64, 64);
constexpr double kRow = 17;           // legend row height
constexpr double kSerRadius = 5.5;    // open, larger: a filled BER marker on the same rate shows inside it
constexpr double kBerRadius = 3.5;

struct Area {
  double left, top, right, bottom;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
};

struct RunStyle {
  uint32_t colour;
  MarkerShape shape;
};

// Colours that stay apart in print and for the common colour-vision deficiencies, each with its
// own marker, so runs differ in two ways.
RunStyle runStyle(std::size_t index) {
  static const uint32_t colours[] = {rgb(0, 90, 200),   rgb(213, 94, 0),  rgb(0, 140, 80),
                                     rgb(150, 40, 160), rgb(120, 90, 0), rgb(0, 150, 170)};
  static const MarkerShape shapes[] = {MarkerShape::Circle, MarkerShape::Square, MarkerShape::Diamond,
                                       MarkerShape::TriangleUp, MarkerShape::TriangleDown};
  return {colours[index % std::size(colours)], shapes[index % std::size(shapes)]};
}

// A tick label: a plain number with at most six digits, as "2.5" or "-10".
std::string plainNumber(double x) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", x);
  return buffer;
}

std::string decadeLabel(int d) {
  if (d == 0) return "1";
  static const char* const superscript[] = {"\u2070", "\u00B9", "\u00B2", "\u00B3", "\u2074",
                                            "\u2075", "\u2076", "\u2077", "\u2078", "\u2079"};
  std::string label = "10\u207B";
  for (char digit : std::to_string(-d)) label += superscript[digit - '0'];
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
  std::string name;
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
void arrowDown(PlotSink& sink, double x, double yTop, double length, uint32_t c) {
  sink.line({x - 4, yTop}, {x + 4, yTop}, c, 1.5);
  sink.line({x, yTop}, {x, yTop + length}, c, 1.5);
  sink.line({x - 4, yTop + length - 6}, {x, yTop + length}, c, 1.5);
  sink.line({x + 4, yTop + length - 6}, {x, yTop + length}, c, 1.5);
}
void errorBar(PlotSink& sink, double x, double yLow, double yHigh, uint32_t c, bool capLow, bool capHigh) {
  sink.line({x, yLow}, {x, yHigh}, c, 1.2);
  if (capLow) sink.line({x - 3.5, yLow}, {x + 3.5, yLow}, c, 1.2);
  if (capHigh) sink.line({x - 3.5, yHigh}, {x + 3.5, yHigh}, c, 1.2);
}

struct LegendRow {
  enum Kind { Measured, Run, TheoryBoth, TheorySer, TheoryBer, Bar, Bound } kind;
  std::string text;
  std::size_t run = 0;
};

}  // namespace

void drawErrorRatePlot(PlotSink& sink, double width, double height, const std::vector<PlotRun>& runs, double fromDb,
                       double toDb) {
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
  const bool sideBySide = legendLeft + leftWidth + columnGap + rightWidth <= width - 8;
  const double legendHeight =
      runs.empty() ? 0 : kRow * (sideBySide ? std::max(left.size(), right.size()) : left.size() + right.size()) + 6;

  const double areaBottom = std::max(36.0 + 80, height - 50 - legendHeight);
  const Area area{72, 36, width - 20, areaBottom};

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
  auto xOf = [&](double db) { return area.left + (db - fromDb) / span * area.width(); };
  auto yOf = [&](double rate) {
    const double l = std::clamp(std::log10(rate), double(lowDecade), 0.0);
    return area.top + (-l) / (-lowDecade) * area.height();
  };

  // Grid and axes
  for (int d = 0; d >= lowDecade; --d) {
    const double y = yOf(std::pow(10.0, d));
    sink.line({area.left, y}, {area.right, y}, kGrid, 1);
    sink.text({area.left - 6, y}, decadeLabel(d), kBlack, LabelAlign::Right, false);
  }
  const double tick = span > 20 ? 5 : span > 8 ? 2 : span > 3 ? 1 : 0.5;
  for (double db = std::ceil(fromDb / tick - 1e-9) * tick; db <= toDb + 1e-9; db += tick) {
    const double x = xOf(db);
    sink.line({x, area.top}, {x, area.bottom}, kGrid, 1);
    sink.text({x, area.bottom + 13}, plainNumber(std::abs(db) < 1e-9 ? 0 : db), kBlack, LabelAlign::Centre, false);
  }
  sink.line({area.left, area.top}, {area.left, area.bottom}, kBlack, 1);
  sink.line({area.left, area.bottom}, {area.right, area.bottom}, kBlack, 1);
  sink.line({area.left, area.top}, {area.right, area.top}, kBlack, 1);
  sink.line({area.right, area.top}, {area.right, area.bottom}, kBlack, 1);
  const PlotPoint centre{(area.left + area.right) / 2, (area.top + area.bottom) / 2};
  sink.text({centre.x, area.bottom + 32}, "Eb/N0 of the channel (dB)", kBlack, LabelAlign::Centre, false);
  sink.text({18, centre.y}, "error rate", kBlack, LabelAlign::Centre, true);
  sink.text({centre.x, 17}, "Symbol and bit error rates: measured and AWGN theory", kBlack, LabelAlign::Centre, false);
  if (runs.empty()) {
    sink.text(centre, "Press Start to measure", kHint, LabelAlign::Centre, false);
    return;
  }

  // Theory curves, each one stroke so its dashes run on; a curve ends where it leaves the floor.
  const int steps = 400;
  for (std::size_t ki = 0; ki < keyings.size(); ++ki) {
    const Keying& k = keyings[ki];
    const bool one = serIsBer(k.mod);
    for (const bool ser : {true, false}) {
      if (one && !ser) continue;
      std::vector<PlotPoint> curve;
      double lastDb = fromDb, lastRate = NAN;
      for (int i = 0; i <= steps; ++i) {
        const double db = fromDb + span * i / steps;
        const ErrorRates r = awgnErrorRates(k.mod, std::pow(10.0, db / 10));
        const double rate = ser ? r.ser : r.ber;
        if (!(rate > 0)) break;
        if (rate < floorRate) {
          if (lastRate >= floorRate) {  // the crossing, interpolated in log rate
            const double f = (std::log10(lastRate) - lowDecade) / (std::log10(lastRate) - std::log10(rate));
            curve.push_back({xOf(lastDb + f * (db - lastDb)), area.bottom});
          }
          break;
        }
        curve.push_back({xOf(db), yOf(rate)});
        lastDb = db;
        lastRate = rate;
      }
      if (curve.size() >= 2) sink.polyline(curve, kBlack, 1.5, !ser);
      // With more than one keying each SER curve is named where it ends, the names a row apart.
      if (keyings.size() > 1 && ser && !curve.empty()) {
        const PlotPoint end = curve.back();
        const double y = end.y - 9 - 14 * double(ki);
        if (end.x < area.right - 50)
          sink.text({end.x + 6, y}, k.name, kBlack, LabelAlign::Left, false);
        else
          sink.text({end.x - 6, y}, k.name, kBlack, LabelAlign::Right, false);
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
  const double legendTop = area.bottom + 50 + kRow / 2;
  auto drawRow = [&](const LegendRow& row, double x, double y) {
    const double g = x + 18;  // glyph centre
    switch (row.kind) {
      case LegendRow::Measured:
      {
        sink.text({x, y}, "measured:", kBlack, LabelAlign::Left, false);
        const double ser = x + sink.textWidth("measured:") + 14;
        sink.marker({ser, y}, kBlack, MarkerShape::Circle, kSerRadius, false);
        sink.text({ser + kSerRadius + 5, y}, "SER", kBlack, LabelAlign::Left, false);
        const double ber = ser + kSerRadius + 5 + sink.textWidth("SER") + 16;
        sink.marker({ber, y}, kBlack, MarkerShape::Circle, kBerRadius, true);
        sink.text({ber + 7, y}, "BER", kBlack, LabelAlign::Left, false);
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
        sink.polyline({{x, y}, {x + 34, y}}, kBlack, 1.5, row.kind == LegendRow::TheoryBer);
        break;
      case LegendRow::Bar:
        errorBar(sink, g, y + 6, y - 6, kLegendGrey, true, true);
        break;
      case LegendRow::Bound:
        arrowDown(sink, g, y - 7, 14, kLegendGrey);
        break;
    }
    sink.text({x + 40, y}, row.text, kBlack, LabelAlign::Left, false);
  };
  for (std::size_t r = 0; r < left.size(); ++r) drawRow(left[r], legendLeft, legendTop + r * kRow);
  const double rightX = sideBySide ? legendLeft + leftWidth + columnGap : legendLeft;
  const double rightTop = sideBySide ? legendTop : legendTop + left.size() * kRow;
  for (std::size_t r = 0; r < right.size(); ++r) drawRow(right[r], rightX, rightTop + r * kRow);
}


std::vector<PlotPoint> markerOutline(MarkerShape shape, PlotPoint at, double r) {
  const double s = 0.8 * r, t = 0.866 * r;
  auto p = [&](double dx, double dy) { return PlotPoint{at.x + dx, at.y + dy}; };
  switch (shape) {
    case MarkerShape::Square:
      return {p(-s, -s), p(s, -s), p(s, s), p(-s, s)};
    case MarkerShape::Diamond:
      return {p(0, -r), p(r, 0), p(0, r), p(-r, 0)};
    case MarkerShape::TriangleUp:
      return {p(0, -r), p(t, r / 2), p(-t, r / 2)};
    case MarkerShape::TriangleDown:
      return {p(0, r), p(t, -r / 2), p(-t, -r / 2)};
    case MarkerShape::Circle:
      break;
  }
  return {};
}

PlotPoint errorRateExportSize(std::size_t runs) { return {760, 520 + 17 * double(runs > 2 ? runs - 2 : 0)}; }

std::string htmlColour(uint32_t bgr) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  return buffer;
}

namespace {

std::string svgNumber(double x) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", x);
  return buffer;
}

std::string svgPoints(const std::vector<PlotPoint>& points) {
  std::string s;
  char buffer[64];
  for (const PlotPoint& q : points) {
    std::snprintf(buffer, sizeof buffer, "%s%.2f,%.2f", s.empty() ? "" : " ", q.x, q.y);
    s += buffer;
  }
  return s;
}

std::string escaped(std::string_view text) {
  std::string s;
  for (char c : text) {
    switch (c) {
      case '&': s += "&amp;"; break;
      case '<': s += "&lt;"; break;
      case '>': s += "&gt;"; break;
      case '"': s += "&quot;"; break;
      default: s += c;
    }
  }
  return s;
}

class SvgSink : public PlotSink {
 public:
  explicit SvgSink(const std::function<double(std::string_view)>& widthOf) : widthOf(widthOf) {}
  std::string body;
  void line(PlotPoint a, PlotPoint b, uint32_t c, double width) override {
    body += "<line x1='" + svgNumber(a.x) + "' y1='" + svgNumber(a.y) + "' x2='" + svgNumber(b.x) + "' y2='" +
            svgNumber(b.y) + "' stroke='" + htmlColour(c) + "' stroke-width='" + svgNumber(width) + "'/>\n";
  }
  void polyline(const std::vector<PlotPoint>& points, uint32_t c, double width, bool dashed) override {
    body += "<polyline points='" + svgPoints(points) + "' fill='none' stroke='" + htmlColour(c) + "' stroke-width='" +
            svgNumber(width) + "' stroke-linejoin='round'" +
            (dashed ? " stroke-dasharray='" + svgNumber(kPlotDash * width) + "," + svgNumber(kPlotGap * width) + "'"
                    : std::string()) +
            "/>\n";
  }
  void text(PlotPoint at, std::string_view s, uint32_t c, LabelAlign align, bool vertical) override {
    const char* anchor = align == LabelAlign::Right ? "end" : align == LabelAlign::Centre ? "middle" : "start";
    const std::string x = svgNumber(at.x), y = svgNumber(at.y);
    body += "<text x='" + x + "' y='" + y + "' fill='" + htmlColour(c) + "' text-anchor='" + anchor +
            "' dominant-baseline='middle'" +
            (vertical ? " transform='rotate(-90 " + x + " " + y + ")'" : std::string()) + ">" + escaped(s) +
            "</text>\n";
  }
  void marker(PlotPoint at, uint32_t c, MarkerShape shape, double r, bool filled) override {
    const std::string paint =
        "fill='" + (filled ? htmlColour(c) : std::string("#ffffff")) + "' stroke='" + htmlColour(c) + "' stroke-width='1.5'";
    if (shape == MarkerShape::Circle) {
      body += "<circle cx='" + svgNumber(at.x) + "' cy='" + svgNumber(at.y) + "' r='" + svgNumber(r) + "' " + paint +
              "/>\n";
      return;
    }
    body += "<polygon points='" + svgPoints(markerOutline(shape, at, r)) + "' " + paint + "/>\n";
  }
  double textWidth(std::string_view s) const override { return widthOf(s); }

 private:
  const std::function<double(std::string_view)>& widthOf;
};

std::string csvNumber(double x) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", x);
  return buffer;
}

std::string csvQuoted(std::string_view s) {
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + '"';
}

}  // namespace

std::string errorRatePlotSvg(double width, double height, const std::vector<PlotRun>& runs, double fromDb,
                             double toDb, const std::function<double(std::string_view)>& textWidth) {
  SvgSink sink(textWidth);
  drawErrorRatePlot(sink, width, height, runs, fromDb, toDb);
  return "<?xml version='1.0' encoding='UTF-8'?>\n<svg xmlns='http://www.w3.org/2000/svg' width='" + svgNumber(width) +
         "' height='" + svgNumber(height) +
         "' font-family='DejaVu Sans' font-size='12'>\n<rect width='100%' height='100%' fill='white'/>\n" + sink.body +
         "</svg>\n";
}

std::string errorRateCsv(const std::vector<PlotRun>& runs) {
  // Clopper-Pearson also for no error: the plot's 3/N is its own one-sided choice.
  std::string s =
      "ebn0_db,symbols,symbol_errors,bits,bit_errors,ser,ber,ser_theory,ber_theory,"
      "ser_lower95,ser_upper95,ber_lower95,ber_upper95,run,settings\n";
  for (std::size_t r = 0; r < runs.size(); ++r)
    for (const SweepPoint& p : runs[r].points) {
      const BinomialInterval ser = clopperPearson(p.symbolErrors, p.symbols, 0.95);
      const BinomialInterval ber = clopperPearson(p.bitErrors, p.bits, 0.95);
      s += csvNumber(p.ebN0dB) + ',' + std::to_string(p.symbols) + ',' + std::to_string(p.symbolErrors) + ',' +
           std::to_string(p.bits) + ',' + std::to_string(p.bitErrors) + ',' + csvNumber(p.ser) + ',' +
           csvNumber(p.ber) + ',' + csvNumber(p.serTheory) + ',' + csvNumber(p.berTheory) + ',' +
           csvNumber(ser.lower) + ',' + csvNumber(ser.upper) + ',' + csvNumber(ber.lower) + ',' +
           csvNumber(ber.upper) + ',' + std::to_string(r + 1) + ',' + csvQuoted(runs[r].label) + '\n';
    }
  return s;
}

}  // namespace linklab
