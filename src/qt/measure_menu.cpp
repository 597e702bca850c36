#include "qt/measure_menu.h"

#include <QMenuBar>

#include "qt/error_rate_window.h"
#include "qt/main_window_view.h"

namespace linklab {

void addMeasureMenu(QMenuBar& bar, Form1& form, MainWindowView& view) {
  QMenu* menu = bar.addMenu("&Measure");
  menu->setObjectName("MeasureMenu");
  // One window, made on first use and kept (with its last curve) while the main window lives.
  auto* window = new ErrorRateWindow(form, &view);
  menu->addAction("&Error-rate curve ...", &view, [window] {
    window->show();
    window->raise();
    window->activateWindow();
  });
}

}  // namespace linklab
