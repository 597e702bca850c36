#include "qt/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

#include "main_window/form1.h"
#include "qt/app_scale.h"
#include "qt/main_window_view.h"
#include "qt/lesson_dock.h"
#include "qt/measure_menu.h"
#include "qt/setup_commands.h"

namespace linklab {

void buildMenus(MainWindowView& view) {
  addSetupCommands(view);
  addViewMenu(view);
  addMeasureMenu(*view.menuBar(), view.model(), view);
  addHelpMenu(view);
  addLessonCommands(view);
  addWindowShortcuts(view);
  for (QMenu* menu : view.findChildren<QMenu*>()) fitMenuItems(*menu);
}

QMenu* addViewMenu(MainWindowView& view) {
  QMenu* menu = view.menuBar()->addMenu("&View");
  menu->setObjectName("ViewMenu");
  Form1& form = view.model();
  // Space is handled by the window itself, so a focused check box or button keeps its own Space;
  // the text after the tab only shows the key.
  menu->addAction("&Pause / Continue\tSpace", &view,
                  [&view, &form] {
                    if (!form.cmdPause.setupLocked) view.runEvent([&form] { form.cmdPause.click(); });
                  })
      ->setObjectName("actionPause");
  menu->addSeparator();
  QAction* scales = menu->addAction("&Scales");
  scales->setObjectName("actionScales");
  scales->setCheckable(true);
  scales->setChecked(view.scalesShown());
  QObject::connect(scales, &QAction::toggled, &view, [&view](bool on) { view.setScalesShown(on); });
  // How the eye, scatter and trajectory keep earlier runs: one of three.
  QMenu* persistence = menu->addMenu("P&ersistence");
  persistence->setObjectName("PersistenceMenu");
  auto* group = new QActionGroup(persistence);
  const std::pair<const char*, Persistence> modes[] = {
      {"&Infinite", Persistence::Infinite}, {"&Fading", Persistence::Fading}, {"&Density", Persistence::Density}};
  for (const auto& [caption, mode] : modes) {
    QAction* action = persistence->addAction(caption);
    action->setObjectName(QString("actionPersistence") + QString(caption).remove('&'));
    action->setCheckable(true);
    action->setChecked(view.persistence() == mode);
    group->addAction(action);
    QObject::connect(action, &QAction::triggered, &view, [&view, mode] { view.setPersistence(mode); });
  }
  menu->addSeparator();
  QAction* fullScreen = menu->addAction("&Full Screen", &view, [&view] { view.toggleFullScreen(); });
  fullScreen->setObjectName("actionFullScreen");
  fullScreen->setShortcut(QKeySequence(Qt::Key_F11));
  fullScreen->setShortcutContext(Qt::ApplicationShortcut);
  QAction* zoomIn = menu->addAction("Zoom &In", &view, [&view] { view.zoomIn(); });
  zoomIn->setObjectName("actionZoomIn");
  zoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)});
  QAction* zoomOut = menu->addAction("Zoom &Out", &view, [&view] { view.zoomOut(); });
  zoomOut->setObjectName("actionZoomOut");
  zoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
  QAction* actual = menu->addAction("&Actual Size", &view, [&view] { view.zoomReset(); });
  actual->setObjectName("actionActualSize");
  actual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
  return menu;
}

QMenu* addHelpMenu(MainWindowView& view) {
  QMenu* menu = view.menuBar()->addMenu("&Help");
  menu->setObjectName("HelpMenu");
  Form1& form = view.model();
  QAction* help = menu->addAction("LinkLab &Help", &view, [&view, &form] { view.runEvent([&form] { form.showHelp(); }); });
  help->setObjectName("actionHelp");
  help->setShortcut(QKeySequence(Qt::Key_F1));
  menu->addAction("&Instructions", &view, [&view, &form] { view.runEvent([&form] { form.showInstructions(); }); })
      ->setObjectName("actionInstructions");
  return menu;
}

void addWindowShortcuts(MainWindowView& view) {
  auto* quit = new QAction("&Quit", &view);
  quit->setObjectName("actionQuit");
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  quit->setShortcutContext(Qt::ApplicationShortcut);
  QObject::connect(quit, &QAction::triggered, &view, [&view] { view.close(); });
  view.addAction(quit);
  if (auto* file = view.findChild<QMenu*>("FileMenu")) {
    file->addSeparator();
    file->addAction(quit);
  }
}

}  // namespace linklab
