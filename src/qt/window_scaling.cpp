// The window scales: resized, maximised or full screen, the whole layout grows uniformly from its
// twips, centred, fonts and pen widths with it, and every picture is drawn again at its new
// resolution at once (from its own log of operations, so a paused link redraws too). Zoom sets
// the window's size to a step of the layout's own size.
#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <algorithm>
#include <array>
#include <cmath>

#include "main_window/form1.h"
#include "qt/form_canvas.h"
#include "qt/main_window_view.h"
#include "qt/picture_widget.h"
#include "qt/readout_strip.h"

namespace linklab {

namespace {

constexpr std::array<double, 13> kZoomSteps = {0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

}  // namespace

void MainWindowView::rescale() {
  if (!canvas) return;
  // The readout strip below the canvas scales with the layout, so the two are fitted together
  // into the space they share: the strip's own height cannot then feed back into the fit.
  const QSize layout = canvas->sizeHint();
  const int strip = readoutStrip ? readoutStrip->height() : 0, stripAt100 = readoutStrip ? readoutStrip->baseHeight() : 0;
  const double factor = LayoutScale::fit(QSize(canvas->width(), canvas->height() + strip),
                                         QSize(layout.width(), layout.height() + stripAt100))
                            .factor;
  const LayoutScale fitted = LayoutScale::centred(factor, canvas->size(), layout);
  if (fitted == scale) return;
  scale = fitted;
  if (readoutStrip) readoutStrip->setScale(scale.factor);
  QFont font = QApplication::font();
  font.setPointSizeF(font.pointSizeF() * scale.factor);
  canvas->setFont(font);
  // The menu bar keeps the desktop's font: it is the window's frame, and a taller bar would
  // shrink the space the layout is fitted into.
  // The check boxes carry a style sheet (their rails are narrow), which keeps them from taking the
  // parent's font; their boxes grow with the layout too.
  const QString sheet =
      scale.factor == 1.0 ? QString("QCheckBox { spacing: 2px; }")
                          : QString("QCheckBox { spacing: %1px; } QCheckBox::indicator { width: %2px; height: %2px; }")
                                .arg(std::lround(2 * scale.factor))
                                .arg(std::lround(13 * scale.factor));
  for (const Binding& b : bindings) {
    if (!qobject_cast<QCheckBox*>(b.widget)) continue;
    b.widget->setStyleSheet(sheet);
    b.widget->setFont(font);
  }
  syncFromModel();  // every widget to its new place; pictures redraw at the new resolution
  canvas->refresh();
}

void MainWindowView::zoomTo(double factor) {
  if (isFullScreen() || isMaximized()) showNormal();
  const QSize layout = canvas->sizeHint() + QSize(0, readoutStrip ? readoutStrip->baseHeight() : 0);
  QSize wanted(static_cast<int>(std::lround(layout.width() * factor)),
               static_cast<int>(std::lround(layout.height() * factor)));
  // The menu bar and anything else around the canvas and the strip.
  const QSize frame = size() - canvas->size() - QSize(0, readoutStrip ? readoutStrip->height() : 0);
  if (const QScreen* s = screen()) wanted = wanted.boundedTo(s->availableGeometry().size() - frame);
  resize(wanted + frame);
}

void MainWindowView::zoomIn() {
  const auto next = std::upper_bound(kZoomSteps.begin(), kZoomSteps.end(), scale.factor + 0.01);
  zoomTo(next == kZoomSteps.end() ? kZoomSteps.back() : *next);
}

void MainWindowView::zoomOut() {
  auto below = std::lower_bound(kZoomSteps.begin(), kZoomSteps.end(), scale.factor - 0.01);
  zoomTo(below == kZoomSteps.begin() ? kZoomSteps.front() : *(below - 1));
}

void MainWindowView::zoomReset() { zoomTo(1.0); }

void MainWindowView::toggleFullScreen() {
  if (isFullScreen())
    showNormal();
  else
    showFullScreen();
}

}  // namespace linklab
