#include "qt/readout_strip.h"

#include <QLabel>
#include <QPushButton>

#include "help/readout_texts.h"
#include "main_window/form1.h"
#include "measurements/readout_text.h"
#include "qt/main_window_view.h"

namespace linklab {

ReadoutStrip::ReadoutStrip(Form1& model, MainWindowView& view) : QStatusBar(&view), form(model) {
  setObjectName("ReadoutStrip");
  setSizeGripEnabled(false);
  const char* tips[FigureCount] = {readout_help::kEbN0, readout_help::kEvm, readout_help::kSer,
                                   readout_help::kBer, readout_help::kEye,
                                   readout_help::kOccupiedBandwidth, readout_help::kOutOfBand};
  for (int f = 0; f < FigureCount; ++f) {
    labels[f] = new QLabel(this);
    labels[f]->setToolTip(QString("<p>%1</p>").arg(QString(tips[f]).toHtmlEscaped()));
    labels[f]->setContentsMargins(6, 0, 12, 0);
    addWidget(labels[f]);
  }
  reset = new QPushButton("Reset counts", this);
  reset->setObjectName("ResetCounts");
  reset->setToolTip(readout_help::kReset);
  connect(reset, &QPushButton::clicked, this, [this, &view] { view.runEvent([this] { form.restartCounts(); }); });
  addPermanentWidget(reset);
  // Keep the strip's height in every scene, so the window never jumps.
  setFixedHeight(reset->sizeHint().height() + 4);
}

void ReadoutStrip::sync() {
  const ReadoutTexts t = readoutTexts(form);
  const std::string* texts[FigureCount] = {&t.ebN0, &t.evm, &t.ser, &t.ber, &t.eye, &t.occupiedBandwidth,
                                           &t.outOfBand};
  const bool receiver = form.lScene == 3 || form.lScene == 4;
  const bool transmitter = form.lScene == 2;
  for (int f = 0; f < FigureCount; ++f) {
    const bool shown = f >= OccupiedBandwidth ? transmitter : receiver;
    labels[f]->setVisible(shown);
    const QString text = QString::fromStdString(*texts[f]);
    if (shown && labels[f]->text() != text) labels[f]->setText(text);
  }
  reset->setVisible(receiver);
}

}  // namespace linklab
