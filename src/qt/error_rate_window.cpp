#include "qt/error_rate_window.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>
#include <chrono>
#include <cstdio>

#include "main_window/form1.h"
#include "measurements/constellations.h"

namespace linklab {

namespace {
const QSizeF kExportSize(760, 520);

QDoubleSpinBox* dbBox(double value, double min, double max, QWidget* parent) {
  auto* box = new QDoubleSpinBox(parent);
  box->setRange(min, max);
  box->setDecimals(1);
  box->setSingleStep(0.5);
  box->setValue(value);
  box->setSuffix(" dB");
  return box;
}

QString number(double x) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", x);
  return buffer;
}
}  // namespace

class ErrorRateWindow::PlotArea : public QWidget {
 public:
  explicit PlotArea(ErrorRateWindow& owner) : QWidget(&owner), owner(owner) { setMinimumSize(640, 440); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    paintErrorRatePlot(painter, size(), owner.range, owner.points());
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
  save = new QPushButton("Save", this);
  auto* saveMenu = new QMenu(save);
  saveMenu->addAction("PNG image ...", this, [this] { saveAs("PNG image (*.png)", ".png"); });
  saveMenu->addAction("SVG drawing ...", this, [this] { saveAs("SVG drawing (*.svg)", ".svg"); });
  saveMenu->addAction("CSV table ...", this, [this] { saveAs("CSV table (*.csv)", ".csv"); });
  save->setMenu(saveMenu);
  controls->addWidget(start);
  controls->addWidget(cancel);
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
  range.fromDb = from->value();
  range.toDb = std::max(from->value(), to->value());
  range.mod = settings.mod;
  range.title = QString::fromStdString(form.cmbMod[0].Text() + ", " + form.cmbFilter[0].Text() + " / " +
                                       form.cmbFilter[1].Text() + ", " + form.cmbNonlinear.Text());
  if (!makesDecisions(settings.mod, settings.ofdm)) {
    sweep.reset();
    status->setText("This link makes no symbol decisions.");
    plot->update();
    return;
  }
  sweep = std::make_unique<ErrorRateSweep>(settings, sweepValues(range.fromDb, range.toDb, step->value()));
  status->setText("running");
  sweep->start();
  pollTimer.start(100);
  updateButtons();
  plot->update();
}

void ErrorRateWindow::cancelSweep() {
  if (!sweep) return;
  sweep->cancel();
  sweep->wait();  // each worker finishes the block it is on: well under a millisecond
  poll();
}

void ErrorRateWindow::poll() {
  if (!sweep) return;
  progress->setValue(static_cast<int>(sweep->progress() * 1000));
  if (sweep->finished()) {
    pollTimer.stop();
    status->setText(sweep->cancelled() ? "cancelled" : "done");
  }
  updateButtons();
  plot->update();
}

void ErrorRateWindow::updateButtons() {
  const bool busy = running();
  start->setEnabled(!busy);
  cancel->setEnabled(busy);
  save->setEnabled(!busy && sweep);
}

void ErrorRateWindow::saveAs(const char* filter, const char* suffix) {
  QString file = QFileDialog::getSaveFileName(this, "Save the error-rate curve", QString("error_rate") + suffix, filter);
  if (file.isEmpty()) return;
  if (!file.endsWith(suffix)) file += suffix;
  const bool ok = QString(suffix) == ".png" ? savePng(file) : QString(suffix) == ".svg" ? saveSvg(file) : saveCsv(file);
  status->setText(ok ? "saved " + file : "cannot write " + file);
}

bool ErrorRateWindow::savePng(const QString& file) const {
  QImage image(kExportSize.toSize(), QImage::Format_RGB32);
  QPainter painter(&image);
  paintErrorRatePlot(painter, kExportSize, range, points());
  painter.end();
  return image.save(file, "PNG");
}

bool ErrorRateWindow::saveSvg(const QString& file) const {
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  out.write(errorRatePlotSvg(kExportSize, range, points()).toUtf8());
  return out.error() == QFile::NoError;
}

bool ErrorRateWindow::saveCsv(const QString& file) const {
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  QTextStream s(&out);
  s << "ebn0_db,symbols,symbol_errors,bits,bit_errors,ser,ber,ser_theory,ber_theory\n";
  for (const SweepPoint& p : points())
    s << number(p.ebN0dB) << ',' << p.symbols << ',' << p.symbolErrors << ',' << p.bits << ',' << p.bitErrors
      << ',' << number(p.ser) << ',' << number(p.ber) << ',' << number(p.serTheory) << ','
      << number(p.berTheory) << '\n';
  s.flush();
  return out.error() == QFile::NoError;
}

}  // namespace linklab
