// The error-rate curve as the page's JavaScript sees it: the main module's ErrorRateCurve and each
// Web Worker's SweepWorker, the settings passed between them as a view on the module's memory.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "error_rate_page.h"
#include "web_app.h"

using linklab::web::ErrorRateCurve;
using linklab::web::SweepWorker;

namespace {

// Views on the module's memory: the caller copies from or into them at once and never keeps them.
emscripten::val curveSettings(const ErrorRateCurve& curve) {
  return emscripten::val(emscripten::typed_memory_view(ErrorRateCurve::settingsSize(), curve.settingsBytes()));
}
emscripten::val workerSettings(SweepWorker& worker) {
  return emscripten::val(emscripten::typed_memory_view(SweepWorker::settingsSize(), worker.settingsBytes()));
}
std::string startRun(ErrorRateCurve& curve, linklab::web::WebApp& app, double from, double to, double step) {
  return curve.startRun(app, from, to, step);
}
std::string fileStem(linklab::web::WebApp& app) { return ErrorRateCurve::fileStem(app); }

}  // namespace

EMSCRIPTEN_BINDINGS(linklab_error_rate) {
  emscripten::class_<ErrorRateCurve>("ErrorRateCurve")
      .constructor<>()
      .function("startRun", &startRun)
      .function("settings", &curveSettings)
      .function("meanPower", &ErrorRateCurve::meanPower)
      .function("pointCount", &ErrorRateCurve::pointCount)
      .function("pointDb", &ErrorRateCurve::pointDb)
      .function("setPoint", &ErrorRateCurve::setPoint)
      .function("finishRun", &ErrorRateCurve::finishRun)
      .function("running", &ErrorRateCurve::running)
      .function("runCount", &ErrorRateCurve::runCount)
      .function("clear", &ErrorRateCurve::clear)
      .function("setCharWidth", &ErrorRateCurve::setCharWidth)
      .function("drawing", &ErrorRateCurve::drawing)
      .function("svg", &ErrorRateCurve::svg)
      .function("csv", &ErrorRateCurve::csv)
      .function("exportWidth", &ErrorRateCurve::exportWidth)
      .function("exportHeight", &ErrorRateCurve::exportHeight)
      .class_function("fileStem", &fileStem);
  emscripten::class_<SweepWorker>("SweepWorker")
      .constructor<>()
      .function("settings", &workerSettings)
      .function("begin", &SweepWorker::begin)
      .function("step", &SweepWorker::step)
      .function("symbols", &SweepWorker::symbols)
      .function("symbolErrors", &SweepWorker::symbolErrors)
      .function("bits", &SweepWorker::bits)
      .function("bitErrors", &SweepWorker::bitErrors)
      .function("progress", &SweepWorker::progress);
}
