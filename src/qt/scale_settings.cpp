// View > Scales and View > Persistence: the user's choices, kept between runs.
#include <QAction>
#include <QSettings>

#include "main_window/form1.h"
#include "qt/main_window_view.h"
#include "qt/picture_widget.h"

namespace linklab {

namespace {
constexpr const char* kScalesKey = "view/scales";
constexpr const char* kPersistenceKey = "view/persistence";
// Stored by the menu's own words, so a stored value reads the same in any later version.
constexpr const char* kPersistenceNames[] = {"Infinite", "Fading", "Density"};
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

void MainWindowView::setPersistence(Persistence mode) {
  const int index = static_cast<int>(mode);
  if (auto* action = findChild<QAction*>(QString("actionPersistence") + kPersistenceNames[index]);
      action && !action->isChecked())
    action->setChecked(true);  // the others of its group go off
  if (mode == keepRuns) return;
  // Hits are counted only for Density (counting costs a tick time): choosing it starts the
  // counts on clean pictures.
  if ((mode == Persistence::Density) != (keepRuns == Persistence::Density))
    runEvent([this, on = mode == Persistence::Density] { form.countHits(on); });
  keepRuns = mode;
  settings().setValue(kPersistenceKey, kPersistenceNames[index]);
  for (PictureWidget* picture : pictureWidgets()) picture->setPersistence(mode);
}

void MainWindowView::restoreSettings() {
  setScalesShown(settings().value(kScalesKey, true).toBool());
  const QString kept = settings().value(kPersistenceKey, kPersistenceNames[0]).toString();
  for (int i = 0; i < 3; ++i)
    if (kept == kPersistenceNames[i]) setPersistence(static_cast<Persistence>(i));
}

}  // namespace linklab
