// The window scales: resized, maximised or full screen, the whole layout grows uniformly from its
// twips, centred, fonts and pen widths with it, and every picture is drawn again at its new
// resolution at once (from its own log of operations, so a paused link redraws too). Zoom sets
// the window's size to a step of the layout's own size, never beyond the screen. The menu bar,
// menus, tooltips and dialogs scale with the layout (app_scale.cpp).
#include <QApplication>
#include <QCheckBox>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>
#include <array>
#include <cmath>

#include "main_window/form1.h"
#include "qt/app_scale.h"
#include "qt/focus_ring.h"
#include "qt/form_canvas.h"
#include "qt/help_dialog.h"
#include "qt/main_window_view.h"
#include "qt/picture_widget.h"
#include "qt/readout_strip.h"

namespace linklab {

namespace {

constexpr std::array<double, 13> kZoomSteps = {0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0};

}  // namespace

int MainWindowView::menuBarHeight() const {
  const QMenuBar* bar = qobject_cast<const QMenuBar*>(menuWidget());
  return bar && !bar->isNativeMenuBar() && !bar->isHidden() ? bar->height() : 0;
}

void MainWindowView::rescale() {
  if (!canvas) return;
  // The menu bar and the readout strip scale with the layout, so the three are fitted together
  // into the height they share: a bar's own height cannot then feed back into the fit.
  const QSize layout = canvas->sizeHint();
  const int strip = readoutStrip ? readoutStrip->height() : 0, stripAt100 = readoutStrip ? readoutStrip->baseHeight() : 0;
  const int bar = menuBarAt100 > 0 ? menuBarHeight() : 0;
  const double factor = LayoutScale::fit(QSize(canvas->width(), canvas->height() + strip + bar),
                                         QSize(layout.width(), layout.height() + stripAt100 + menuBarAt100))
                            .factor;
  const LayoutScale fitted = LayoutScale::centred(factor, canvas->size(), layout);
  if (fitted == scale) return;
  scale = fitted;
  // Menus, tooltips and dialogs first: the bars below take their heights from the new fonts.
  setApplicationScale(scale.factor);
  if (menuBarAt100 > 0 && menuBarHeight() > 0)
    menuBar()->setFixedHeight(std::max(1, static_cast<int>(std::lround(menuBarAt100 * scale.factor))));
  if (readoutStrip) readoutStrip->setScale(scale.factor);
  for (HelpDialog* help : helpDialogs)
    if (help) help->setScale(scale.factor);
  const QFont font = scaledFont(desktopFont(), scale.factor);
  canvas->setFont(font);
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
  if (focusRing) focusRing->setScale(scale.factor);
}

void MainWindowView::zoomTo(double factor) {
  if (isFullScreen() || isMaximized()) showNormal();
  // The bars of the last step may not be laid out yet (keys pressed quickly): the sizes below
  // are read after they are.
  if (layout()) layout()->activate();
  // Canvas, strip and menu bar all scale; whatever else the window holds keeps its size.
  const QSize layout = canvas->sizeHint() + QSize(0, menuBarAt100 + (readoutStrip ? readoutStrip->baseHeight() : 0));
  const QSize fixed =
      size() - canvas->size() - QSize(0, menuBarHeight() * (menuBarAt100 > 0) + (readoutStrip ? readoutStrip->height() : 0));
  const QSize decoration = frameGeometry().size() - geometry().size();
  const QScreen* s = screen();
  const QRect area = s ? s->availableGeometry() : QRect();
  if (s) {
    // The window with its frame stays within the screen's free area: the largest step that
    // fits is the one taken.
    const QSize room = area.size() - decoration - fixed;
    factor = std::min({factor, double(room.width()) / layout.width(), double(room.height()) / layout.height()});
  }
  const QSize wanted = QSize(static_cast<int>(std::lround(layout.width() * factor)),
                             static_cast<int>(std::lround(layout.height() * factor))) + fixed;
  resize(wanted);
  if (!s) return;
  // A window that grew past the free area's right or bottom edge moves back inside it.
  const QRect frame(frameGeometry().topLeft(), wanted + decoration);
  const int dx = std::max(area.left() - frame.left(), std::min(0, area.right() - frame.right()));
  const int dy = std::max(area.top() - frame.top(), std::min(0, area.bottom() - frame.bottom()));
  if (dx != 0 || dy != 0) move(pos() + QPoint(dx, dy));
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
