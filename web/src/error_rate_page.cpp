#include "error_rate_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <type_traits>

#include "control_json.h"
#include "main_window/file_names.h"
#include "main_window/run_label.h"
#include "measurements/awgn_theory.h"
#include "measurements/constellations.h"
#include "web_app.h"

namespace linklab::web {

// The settings cross from one module instance to another as bytes.
static_assert(std::is_trivially_copyable_v<LinkSettings>);

namespace {

// More points than anyone plots, as the batch command allows.
constexpr std::size_t kMaxPoints = 1000;

class JsonSink : public PlotSink {
 public:
  explicit JsonSink(const ErrorRateCurve& curve) : curve(curve) {}
  std::string out = "[";

  void line(PlotPoint a, PlotPoint b, uint32_t c, double width) override {
    item("line");
    numbers({a.x, a.y, b.x, b.y});
    out += ',' + jsonString(htmlColour(c)) + ',' + number(width) + ']';
  }
  void polyline(const std::vector<PlotPoint>& points, uint32_t c, double width, bool dashed) override {
    item("poly");
    pointList(points);
    out += ',' + jsonString(htmlColour(c)) + ',' + number(width) + ',' + (dashed ? "true" : "false") + ']';
  }
  void text(PlotPoint at, std::string_view s, uint32_t c, LabelAlign align, bool vertical) override {
    item("text");
    numbers({at.x, at.y});
    const char* side = align == LabelAlign::Left ? "\"left\"" : align == LabelAlign::Centre ? "\"center\"" : "\"right\"";
    out += ',' + jsonString(s) + ',' + jsonString(htmlColour(c)) + ',' + side + ',' + (vertical ? "true" : "false") + ']';
  }
  void marker(PlotPoint at, uint32_t c, MarkerShape shape, double r, bool filled) override {
    item("marker");
    numbers({at.x, at.y, r});
    out += ',' + jsonString(htmlColour(c)) + ',' + (filled ? "true" : "false");
    if (shape == MarkerShape::Circle)
      out += ",null";
    else
      pointList(markerOutline(shape, at, r));
    out += ']';
  }
  double textWidth(std::string_view s) const override { return curve.textWidth(s); }

 private:
  static std::string number(double x) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", std::isfinite(x) ? x : 0.0);
    return buffer;
  }
  void item(const char* kind) {
    if (out.size() > 1) out += ',';
    out += "[\"";
    out += kind;
    out += '"';
  }
  void numbers(std::initializer_list<double> values) {
    for (double v : values) out += ',' + number(v);
  }
  void pointList(const std::vector<PlotPoint>& points) {
    out += ",[";
    for (std::size_t i = 0; i < points.size(); ++i) out += (i ? "," : "") + number(points[i].x) + ',' + number(points[i].y);
    out += ']';
  }
  const ErrorRateCurve& curve;
};

}  // namespace

std::string ErrorRateCurve::startRun(WebApp& app, double fromDb, double toDb, double stepDb) {
  if (running()) return "A sweep is running.";
  if (!std::isfinite(fromDb) || !std::isfinite(toDb) || !(stepDb > 0)) return "Give the range in dB and a step above 0.";
  Form1& form = app.model();
  LinkSettings fresh = form.linkSettings();
  if (!makesDecisions(fresh.mod, fresh.ofdm)) return "This link makes no symbol decisions.";
  PlotRun run;
  run.fromDb = fromDb;
  run.toDb = std::max(fromDb, toDb);
  if (sweepValueCount(run.fromDb, run.toDb, stepDb) > kMaxPoints) return "Too many points: take a larger step.";
  const std::vector<double> values = sweepValues(run.fromDb, run.toDb, stepDb);
  if (values.empty()) return "Give the range in dB and a step above 0.";
  // Measured once here, so every worker puts its noise against the same power.
  fresh.meanPower = sweepMeanPower(fresh);
  settings = fresh;
  run.label = runLabelOf(form);
  run.keying = form.cmbMod[0].Text();
  run.mod = settings.mod;
  run.running = true;
  for (double db : values) {
    SweepPoint p;
    p.ebN0dB = db;
    const ErrorRates theory = awgnErrorRates(settings.mod, std::pow(10.0, db / 10));
    p.serTheory = theory.ser;
    p.berTheory = theory.ber;
    run.points.push_back(p);
  }
  runs.push_back(std::move(run));
  return {};
}

int ErrorRateCurve::pointCount() const { return runs.empty() ? 0 : static_cast<int>(runs.back().points.size()); }

double ErrorRateCurve::pointDb(int index) const {
  return index >= 0 && index < pointCount() ? runs.back().points[index].ebN0dB : NAN;
}

void ErrorRateCurve::setPoint(int index, double symbols, double symbolErrors, double bits, double bitErrors, bool done) {
  if (!running() || index < 0 || index >= pointCount()) return;
  if (!(symbols >= 0 && symbolErrors >= 0 && bits >= 0 && bitErrors >= 0)) return;
  if (symbolErrors > symbols || bitErrors > bits || symbols > 1e15 || bits > 1e15) return;
  SweepPoint& p = runs.back().points[index];
  p.symbols = static_cast<int64_t>(symbols);
  p.symbolErrors = static_cast<int64_t>(symbolErrors);
  p.bits = static_cast<int64_t>(bits);
  p.bitErrors = static_cast<int64_t>(bitErrors);
  p.ser = p.symbols ? double(p.symbolErrors) / p.symbols : NAN;
  p.ber = p.bits ? double(p.bitErrors) / p.bits : NAN;
  p.done = done;
}

void ErrorRateCurve::finishRun(bool cancelled) {
  if (!running()) return;
  runs.back().running = false;
  runs.back().cancelled = cancelled;
}

bool ErrorRateCurve::clear() {
  if (running()) return false;
  runs.clear();
  return true;
}

void ErrorRateCurve::setCharWidth(int codePoint, double width) {
  if (codePoint >= 0 && codePoint < static_cast<int>(charWidths.size()) && width >= 0 && width < 100)
    charWidths[codePoint] = width;
}

double ErrorRateCurve::textWidth(std::string_view text) const {
  const double fallback = charWidths['0'] > 0 ? charWidths['0'] : kPlotFontPixels * 0.64;
  double width = 0;
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c & 0xC0) == 0x80) continue;  // a UTF-8 continuation byte: its character is counted once
    width += c < charWidths.size() && charWidths[c] > 0 ? charWidths[c] : fallback;
  }
  return width;
}

std::string ErrorRateCurve::drawing(double width, double height, double fromDb, double toDb) const {
  JsonSink sink(*this);
  if (width > 0 && height > 0 && width < 1e5 && height < 1e5) drawErrorRatePlot(sink, width, height, runs, fromDb, toDb);
  return sink.out + ']';
}

std::string ErrorRateCurve::svg(double fromDb, double toDb) const {
  const PlotPoint size = errorRateExportSize(runs.size());
  return errorRatePlotSvg(size.x, size.y, runs, fromDb, toDb, [this](std::string_view s) { return textWidth(s); });
}

std::string ErrorRateCurve::fileStem(WebApp& app) { return errorRateFileStem(app.model()); }

SweepWorker::SweepWorker() = default;
SweepWorker::~SweepWorker() = default;

void SweepWorker::begin(int index, double ebN0dB, double meanPower) {
  run.reset();
  // The link reads the settings the page has just written; it is made afresh for each point, as
  // a point restarts the link's generator anyway.
  link = std::make_unique<HeadlessLink>(settings);
  run = std::make_unique<SweepPointRun>(*link, settings.mod, static_cast<std::size_t>(std::max(0, index)), ebN0dB,
                                        meanPower);
}

bool SweepWorker::step(int blocks) { return !run || run->step(std::max(1, blocks)); }
double SweepWorker::symbols() const { return run ? double(run->point().symbols) : 0; }
double SweepWorker::symbolErrors() const { return run ? double(run->point().symbolErrors) : 0; }
double SweepWorker::bits() const { return run ? double(run->point().bits) : 0; }
double SweepWorker::bitErrors() const { return run ? double(run->point().bitErrors) : 0; }
double SweepWorker::progress() const { return run ? run->progress() : 1; }

}  // namespace linklab::web
