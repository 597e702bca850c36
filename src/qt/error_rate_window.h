#pragma once
// The error-rate curve window of the Measure menu: a range of Eb/N0, Start and Cancel, a progress
// bar, the curves, and saving them as PNG, SVG or CSV. The sweep runs on worker threads on a copy
// of the window's settings, so the live window keeps animating; a timer here only polls it. Each
// Start adds a run to the plot; earlier runs stay for comparison until Clear.
#include <QDialog>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "measurements/error_rate_sweep.h"
#include "qt/error_rate_plot.h"

class QDoubleSpinBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace linklab {

class Form1;

class ErrorRateWindow : public QDialog {
 public:
  ErrorRateWindow(Form1& form, QWidget* parent);
  ~ErrorRateWindow() override;

  // The Eb/N0 range of the next sweep, in dB.
  void setRange(double fromDb, double toDb, double stepDb);
  void startSweep();
  void cancelSweep();
  // True from Start until the poll after the sweep's end has taken in its last points.
  bool running() const { return sweep && !plotRuns.empty() && plotRuns.back().running; }
  // The points of the latest run so far (all of them once its sweep has finished).
  std::vector<SweepPoint> points() const { return sweep ? sweep->points() : std::vector<SweepPoint>(); }
  // Every run on the plot, oldest first; the last one may still be running.
  const std::vector<PlotRun>& runs() const { return plotRuns; }
  // Takes every run off the plot; refused (false) while a sweep runs.
  bool clearRuns();

  bool savePng(const QString& file) const;
  bool saveSvg(const QString& file) const;
  bool saveCsv(const QString& file) const;

 private:
  class PlotArea;
  void poll();
  void updateButtons();
  void saveAs(const char* filter, const char* suffix);

  Form1& form;
  std::unique_ptr<ErrorRateSweep> sweep;
  std::vector<PlotRun> plotRuns;
  QDoubleSpinBox *from = nullptr, *to = nullptr, *step = nullptr;
  QPushButton *start = nullptr, *cancel = nullptr, *clear = nullptr, *save = nullptr;
  QProgressBar* progress = nullptr;
  QLabel* status = nullptr;
  QWidget* plot = nullptr;
  QTimer pollTimer;
};

}  // namespace linklab
