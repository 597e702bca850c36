// View > Scales: shown over every picture by default, and the user's choice kept between runs.
#include <QAction>
#include <QSettings>

#include "qt/main_window_view.h"

namespace linklab {

namespace {
constexpr const char* kScalesKey = "view/scales";
QSettings settings() { return QSettings("LinkLab", "LinkLab"); }
}  // namespace

void MainWindowView::setScalesShown(bool shown) {
  if (auto* action = findChild<QAction*>("actionScales"); action && action->isChecked() != shown)
    action->setChecked(shown);  // comes back here through its toggled signal
  if (shown == showScales) return;
  showScales = shown;
  settings().setValue(kScalesKey, shown);
  syncFromModel();
}

void MainWindowView::restoreSettings() { setScalesShown(settings().value(kScalesKey, true).toBool()); }

}  // namespace linklab
