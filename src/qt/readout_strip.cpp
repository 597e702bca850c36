#include "qt/readout_strip.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "help/readout_texts.h"
#include "main_window/form1.h"
#include "qt/app_scale.h"
#include "measurements/readout_text.h"
#include "qt/main_window_view.h"

namespace linklab {

namespace {

// A figure that gives way when the window is narrow: it ends in an ellipsis instead of widening
// the window or being cut mid-word (its tooltip and text keep the whole figure).
class FigureLabel : public QLabel {
 public:
  using QLabel::QLabel;
  // A short figure keeps its whole text; a long one gives way down to its first words.
  QSize minimumSizeHint() const override {
    const QSize whole = QLabel::minimumSizeHint();
    return QSize(std::min(whole.width(), 16 * fontMetrics().horizontalAdvance(QLatin1Char('0'))), whole.height());
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const QRect area = contentsRect();
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
  }
};

}  // namespace

ReadoutStrip::ReadoutStrip(Form1& model, MainWindowView& view) : QStatusBar(&view), form(model) {
  setObjectName("ReadoutStrip");
  setSizeGripEnabled(false);
  // The EVM and eye figures carry a second readout each, so their tips explain both.
  const std::string tips[FigureCount] = {readout_help::kEbN0,
                                         std::string(readout_help::kEvm) + " " + readout_help::kEvmPeak,
                                         readout_help::kSer,
                                         readout_help::kBer,
                                         std::string(readout_help::kEye) + " " + readout_help::kQFactor,
                                         readout_help::kOccupiedBandwidth,
                                         readout_help::kOutOfBand};
  for (int f = 0; f < FigureCount; ++f) {
    labels[f] = new FigureLabel(this);
    labels[f]->setToolTip(QString("<p>%1</p>").arg(QString::fromStdString(tips[f]).toHtmlEscaped()));
    labels[f]->setContentsMargins(6, 0, 12, 0);
    addWidget(labels[f]);
  }
  reset = new QPushButton("Reset counts", this);
  reset->setObjectName("ResetCounts");
  reset->setToolTip(readout_help::kReset);
  connect(reset, &QPushButton::clicked, this, [this, &view] { view.runEvent([this] { form.restartCounts(); }); });
  addPermanentWidget(reset);
  // Keep the strip's height in every scene, so the window never jumps.
  unscaledHeight = reset->sizeHint().height() + 4;
  setFixedHeight(unscaledHeight);
}

void ReadoutStrip::setScale(double factor) {
  setFont(scaledFont(desktopFont(), factor));
  for (QLabel* label : labels) label->setContentsMargins(std::lround(6 * factor), 0, std::lround(12 * factor), 0);
  setFixedHeight(std::max(1, static_cast<int>(std::lround(unscaledHeight * factor))));
  // The style pads the button's text by fixed pixels; scaled up, the padding grows too.
  reset->setMinimumWidth(factor > 1 ? reset->fontMetrics().horizontalAdvance(reset->text()) +
                                          static_cast<int>(std::lround(16 * factor))
                                    : 0);
}

namespace {
constexpr int kTicksPerRefresh = 5;  // 100 ms ticks: twice a second
}  // namespace

QSize ReadoutStrip::minimumSizeHint() const { return QSize(0, height()); }

void ReadoutStrip::sync(bool onTick) {
  if (onTick && form.lScene == shownScene && ++ticksSinceRefresh < kTicksPerRefresh) return;
  ticksSinceRefresh = 0;
  shownScene = form.lScene;
  const ReadoutTexts t = readoutTexts(form);
  const std::string* texts[FigureCount] = {&t.ebN0, &t.evm, &t.ser, &t.ber, &t.eye, &t.occupiedBandwidth,
                                           &t.outOfBand};
  const auto [receiver, transmitter] = stripShows(form.lScene);
  for (int f = 0; f < FigureCount; ++f) {
    const bool shown = f >= OccupiedBandwidth ? transmitter : receiver;
    labels[f]->setVisible(shown);
    const QString text = QString::fromStdString(*texts[f]);
    if (shown && labels[f]->text() != text) labels[f]->setText(text);
  }
  reset->setVisible(receiver);
}

}  // namespace linklab
