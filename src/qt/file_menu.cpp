// The File menu: the window as an image, to a file or the clipboard.
#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "qt/export_commands.h"

namespace linklab {

void addFileMenu(QMainWindow& window, ExportCommands& commands) {
  QMenuBar* bar = window.menuBar();
  auto* menu = new QMenu("&File", bar);
  menu->setObjectName("FileMenu");
  QAction* save = menu->addAction("&Save Window Image...", &commands, [&commands] { commands.saveWindowImage(); });
  save->setObjectName("SaveWindowImage");
  save->setShortcut(QKeySequence::Save);
  QAction* copy = menu->addAction("&Copy Window", &commands, [&commands] { commands.copyWindow(); });
  copy->setObjectName("CopyWindow");
  const QList<QAction*> existing = bar->actions();
  bar->insertMenu(existing.isEmpty() ? nullptr : existing.first(), menu);
}

}  // namespace linklab
