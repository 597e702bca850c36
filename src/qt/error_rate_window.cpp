#include "qt/error_rate_window.h"

#include <QDoubleSpinBox>
#include <QEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>

#include "main_window/file_names.h"
#include "main_window/form1.h"
#include "measurements/constellations.h"
#include "main_window/run_label.h"
#include "qt/app_scale.h"
#include "qt/file_dialogs.h"
#include "qt/save_folder.h"

namespace linklab {

namespace {
QSizeF exportSize(std::size_t runs) {
  const PlotPoint size = errorRateExportSize(runs);
  return QSizeF(size.x, size.y);
}

QDoubleSpinBox* dbBox(double value, double min, double max, QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setRange(min, max);
  box->setDecimals(1);
  box->setSingleStep(0.5);
  box->setValue(value);
  box->setSuffix(" dB");
  return box;
}

}  // namespace

class ErrorRateWindow::PlotArea : public QWidget {
  static constexpr QSize kAtOne{640, 440};

 public:
  explicit PlotArea(ErrorRateWindow& owner) : QWidget(&owner), owner(owner) { setMinimumSize(scaledSize(kAtOne)); }

 protected:
  // The plot is laid out in pixels at 100 %; at a larger scale the painter grows it whole, its
  // labels and lines with it, as the main window's layout grows.
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const double factor = applicationScale();
    painter.scale(factor, factor);
    paintErrorRatePlot(painter, QSizeF(size()) / factor, owner.plotRuns, owner.from->value(), owner.to->value());
  }
  void changeEvent(QEvent* event) override {
    // The application's font changes with its scale.
    if (event->type() == QEvent::FontChange) {
      setMinimumSize(scaledSize(kAtOne));
      update();
    }
    QWidget::changeEvent(event);
  }

 private:
  ErrorRateWindow& owner;
};

ErrorRateWindow::ErrorRateWindow(Form1& model, QWidget* parent) : QDialog(parent), form(model) {
  setObjectName("ErrorRateWindow");
  setWindowTitle("Error-rate curve");
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* controls = new QHBoxLayout;
  from = dbBox(0, -10, 40, this);
  to = dbBox(14, -10, 40, this);
  step = dbBox(1, 0.1, 10, this);
  controls->addWidget(new QLabel("Eb/N0 from", this));
  controls->addWidget(from);
  controls->addWidget(new QLabel("to", this));
  controls->addWidget(to);
  controls->addWidget(new QLabel("step", this));
  controls->addWidget(step);
  start = new QPushButton("Start", this);
  cancel = new QPushButton("Cancel", this);
  clear = new QPushButton("Clear", this);
  clear->setObjectName("ClearRuns");
  clear->setToolTip("Take every run off the plot");
  save = new QPushButton("Save", this);
  auto* saveMenu = new QMenu(save);
  saveMenu->addAction("PNG image ...", this, [this] { saveAs("PNG image (*.png)", ".png"); });
  saveMenu->addAction("SVG drawing ...", this, [this] { saveAs("SVG drawing (*.svg)", ".svg"); });
  saveMenu->addAction("CSV table ...", this, [this] { saveAs("CSV table (*.csv)", ".csv"); });
  save->setMenu(saveMenu);
  controls->addWidget(start);
  controls->addWidget(cancel);
  controls->addWidget(clear);
  controls->addStretch();
  controls->addWidget(save);
  layout->addLayout(controls);
  progress = new QProgressBar(this);
  progress->setRange(0, 1000);
  progress->setTextVisible(false);
  status = new QLabel(this);
  auto* progressRow = new QHBoxLayout;
  progressRow->addWidget(progress, 1);
  progressRow->addWidget(status);
  layout->addLayout(progressRow);
  plot = new PlotArea(*this);
  layout->addWidget(plot, 1);

  connect(start, &QPushButton::clicked, this, [this] { startSweep(); });
  connect(cancel, &QPushButton::clicked, this, [this] { cancelSweep(); });
  connect(clear, &QPushButton::clicked, this, [this] { clearRuns(); });
  // The empty plot's axis follows the range until there is a run.
  for (QDoubleSpinBox* box : {from, to}) connect(box, &QDoubleSpinBox::valueChanged, plot, [this] { plot->update(); });
  connect(&pollTimer, &QTimer::timeout, this, [this] { poll(); });
  updateButtons();
}

ErrorRateWindow::~ErrorRateWindow() = default;  // the sweep cancels and joins its workers

void ErrorRateWindow::setRange(double fromDb, double toDb, double stepDb) {
  from->setValue(fromDb);
  to->setValue(toDb);
  step->setValue(stepDb);
}

void ErrorRateWindow::startSweep() {
  if (running()) return;
  const LinkSettings settings = form.linkSettings();
  if (!makesDecisions(settings.mod, settings.ofdm)) {
    status->setText("This link makes no symbol decisions.");
    return;
  }
  PlotRun run;
  run.label = runLabelOf(form);
  run.keying = form.cmbMod[0].Text();
  run.mod = settings.mod;
  run.fromDb = from->value();
  run.toDb = std::max(from->value(), to->value());
  run.running = true;
  sweep = std::make_unique<ErrorRateSweep>(settings, sweepValues(run.fromDb, run.toDb, step->value()));
  plotRuns.push_back(run);
  status->setText("running");
  sweep->start();
  pollTimer.start(100);
  updateButtons();
  plot->update();
}

void ErrorRateWindow::cancelSweep() {
  if (!sweep) return;
  // A sweep that ended since the last poll is complete, not cancelled: only its poll is due.
  if (!sweep->finished()) {
    sweep->cancel();
    sweep->wait();  // each worker finishes the block it is on: well under a millisecond
  }
  poll();
}

void ErrorRateWindow::poll() {
  if (!sweep) return;
  progress->setValue(static_cast<int>(sweep->progress() * 1000));
  const bool finished = sweep->finished();
  if (!plotRuns.empty() && plotRuns.back().running) {
    PlotRun& run = plotRuns.back();
    run.points = sweep->points();
    run.running = !finished;
    run.cancelled = finished && sweep->cancelled();
  }
  if (finished) {
    pollTimer.stop();
    status->setText(sweep->cancelled() ? "cancelled" : "done");
  }
  updateButtons();
  plot->update();
}

bool ErrorRateWindow::clearRuns() {
  if (running()) return false;
  plotRuns.clear();
  sweep.reset();
  progress->setValue(0);
  status->clear();
  updateButtons();
  plot->update();
  return true;
}

void ErrorRateWindow::updateButtons() {
  const bool busy = running();
  start->setEnabled(!busy);
  cancel->setEnabled(busy);
  clear->setEnabled(!busy && !plotRuns.empty());
  save->setEnabled(!busy && !plotRuns.empty());
}

void ErrorRateWindow::saveAs(const char* filter, const char* suffix) {
  const QString suggested = QDir(lastSaveFolder()).filePath(QString::fromStdString(errorRateFileStem(form)) + suffix);
  QString file = askSaveFileName(this, "Save the error-rate curve", suggested, filter);
  if (file.isEmpty()) return;
  if (!file.endsWith(suffix)) file += suffix;
  rememberSaveFolder(file);
  const bool ok = QString(suffix) == ".png" ? savePng(file) : QString(suffix) == ".svg" ? saveSvg(file) : saveCsv(file);
  status->setText(ok ? "saved " + file : "cannot write " + file);
}

bool ErrorRateWindow::savePng(const QString& file) const {
  const QSizeF size = exportSize(plotRuns.size());
  QImage image(size.toSize(), QImage::Format_RGB32);
  QPainter painter(&image);
  paintErrorRatePlot(painter, size, plotRuns, from->value(), to->value());
  painter.end();
  return image.save(file, "PNG");
}

bool ErrorRateWindow::saveSvg(const QString& file) const {
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  out.write(errorRatePlotSvg(exportSize(plotRuns.size()), plotRuns, from->value(), to->value()).toUtf8());
  return out.error() == QFile::NoError;
}

bool ErrorRateWindow::saveCsv(const QString& file) const {
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  out.write(QByteArray::fromStdString(errorRateCsv(plotRuns)));
  return out.error() == QFile::NoError;
}

}  // namespace linklab
