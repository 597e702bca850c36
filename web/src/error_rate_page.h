#pragma once
// The page's error-rate curve. The main module keeps the runs and draws them with the core's plot
// (as a list of strokes, markers and texts the page paints on a canvas, or as SVG and CSV); each
// Web Worker runs points of the sweep on a module instance of its own (SweepWorker), from the
// settings the main module copied when the run started. Workers share no memory: the settings go
// to them as bytes and the counts come back as numbers.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "measurements/error_rate_plot.h"
#include "measurements/headless_link.h"

namespace linklab::web {

class WebApp;

class ErrorRateCurve {
 public:
  // A run of the link's current settings from fromDb to toDb in steps of stepDb: "" when it
  // started, else why not. The settings stay until the next run, for the workers to copy.
  std::string startRun(WebApp& app, double fromDb, double toDb, double stepDb);
  // The bytes of the started run's settings, meant for SweepWorker::settingsBytes.
  const uint8_t* settingsBytes() const { return reinterpret_cast<const uint8_t*>(&settings); }
  static std::size_t settingsSize() { return sizeof(LinkSettings); }
  double meanPower() const { return settings.meanPower; }

  // The points of the latest run, by their index in the sweep.
  int pointCount() const;
  double pointDb(int index) const;
  // Counts of a point so far; ignored out of range or when no run is running.
  void setPoint(int index, double symbols, double symbolErrors, double bits, double bitErrors, bool done);
  // The latest run has ended: every point done, or cancelled.
  void finishRun(bool cancelled);
  bool running() const { return !runs.empty() && runs.back().running; }
  int runCount() const { return static_cast<int>(runs.size()); }
  // Takes every run off the plot; refused (false) while one runs.
  bool clear();

  // The advance width of a character of the page's plot font, pixels at 100 %; characters
  // without one count as wide as '0'.
  void setCharWidth(int codePoint, double width);
  double textWidth(std::string_view text) const;

  // The plot as JSON: an array of items, each an array of its kind and its figures, pixels at
  // 100 %, colours "#rrggbb":
  //  ["line", x1, y1, x2, y2, colour, width]        ["poly", [x, y, ...], colour, width, dashed]
  //  ["text", x, y, text, colour, align, vertical]   (align: "left", "center", "right")
  //  ["marker", x, y, radius, colour, filled, [x, y, ...] or null for a circle]
  std::string drawing(double width, double height, double fromDb, double toDb) const;
  std::string svg(double fromDb, double toDb) const;
  std::string csv() const { return errorRateCsv(runs); }
  double exportWidth() const { return errorRateExportSize(runs.size()).x; }
  double exportHeight() const { return errorRateExportSize(runs.size()).y; }
  static std::string fileStem(WebApp& app);

  const std::vector<PlotRun>& plotRuns() const { return runs; }

 private:
  std::vector<PlotRun> runs;
  LinkSettings settings;
  std::array<double, 128> charWidths{};
};

// One worker's link: the page writes a run's settings into settingsBytes, then runs points a few
// blocks at a time, posting the counts between slices.
class SweepWorker {
 public:
  SweepWorker();
  ~SweepWorker();
  uint8_t* settingsBytes() { return reinterpret_cast<uint8_t*>(&settings); }
  static std::size_t settingsSize() { return sizeof(LinkSettings); }
  // Starts point `index` of the sweep at ebN0dB against the run's mean power.
  void begin(int index, double ebN0dB, double meanPower);
  // Up to `blocks` more blocks; true once the point is finished (or none was begun).
  bool step(int blocks);
  double symbols() const;
  double symbolErrors() const;
  double bits() const;
  double bitErrors() const;
  double progress() const;

 private:
  LinkSettings settings;
  std::unique_ptr<HeadlessLink> link;
  std::unique_ptr<SweepPointRun> run;
};

}  // namespace linklab::web
