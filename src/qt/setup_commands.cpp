#include "qt/setup_commands.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "main_window/form1.h"
#include "picture_export/file_output.h"
#include "qt/file_dialogs.h"
#include "qt/main_window_view.h"
#include "setups/setup_apply.h"

namespace linklab {

namespace {

const QString kFilter = "LinkLab setup (*.linklab)";

// The first local .linklab file among the dropped ones, or an empty string.
QString droppedSetup(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls())
    if (url.isLocalFile() && url.toLocalFile().endsWith(".linklab", Qt::CaseInsensitive)) return url.toLocalFile();
  return {};
}

}  // namespace

SetupCommands::SetupCommands(MainWindowView& view) : QObject(&view), view(view) {
  setObjectName("SetupCommands");
  askOpenFile = [this] { return askOpenFileName(&this->view, "Open Setup", folder, kFilter); };
  askSaveFile = [this] {
    return askSaveFileName(&this->view, "Save Setup", QDir(folder).filePath("setup.linklab"), kFilter);
  };
  folder = QDir::homePath();
}

void SetupCommands::fail(const QString& text) {
  // Each command is the user's own act, so the same failure twice is shown twice.
  view.messageHost().userActed();
  view.messageHost().message(text.toStdString());
}

bool SetupCommands::openFile(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) {
    fail("Cannot open the setup " + QFileInfo(file).fileName() + ": " + in.errorString());
    return false;
  }
  folder = QFileInfo(file).absolutePath();
  // Behind typed text still on its way to the model the setup waits its turn, so the handler
  // owns everything it needs.
  auto failed = std::make_shared<bool>(false);
  view.runEvent([this, failed, text = in.readAll().toStdString(), name = QFileInfo(file).fileName()] {
    const std::string why = openSetup(view.model(), text);
    if (why.empty()) return;
    *failed = true;
    fail("Cannot open the setup " + name + ":\n" + QString::fromStdString(why));
  });
  return !*failed;
}

bool SetupCommands::saveFile(const QString& file) {
  QString path = file;
  if (QFileInfo(path).suffix().isEmpty()) path += ".linklab";
  const std::string why = writeWholeFile(path.toStdString(), setupText(view.model()));
  if (!why.empty()) {
    fail("Cannot save the setup " + QFileInfo(path).fileName() + ": " + QString::fromStdString(why));
    return false;
  }
  folder = QFileInfo(path).absolutePath();
  return true;
}

void SetupCommands::copyLink() { QApplication::clipboard()->setText(QString::fromStdString(setupLink(view.model()))); }

bool SetupCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &view && event->type() == QEvent::DragEnter) {
    auto* drag = static_cast<QDragEnterEvent*>(event);
    if (!droppedSetup(drag->mimeData()).isEmpty()) drag->acceptProposedAction();
    return true;
  }
  if (watched == &view && event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QString file = droppedSetup(drop->mimeData());
    if (file.isEmpty()) return true;
    drop->acceptProposedAction();
    // Opened from the event loop, not inside the drop that the dragging application waits on.
    QTimer::singleShot(0, this, [this, file] { openFile(file); });
    return true;
  }
  return QObject::eventFilter(watched, event);
}

SetupCommands& addSetupCommands(MainWindowView& view) {
  auto* commands = new SetupCommands(view);
  view.setAcceptDrops(true);
  view.installEventFilter(commands);
  QMenu* menu = view.findChild<QMenu*>("FileMenu");
  if (!menu) menu = view.menuBar()->addMenu("&File");
  QAction* first = menu->actions().isEmpty() ? nullptr : menu->actions().first();
  auto* open = new QAction("&Open Setup...", menu);
  open->setObjectName("OpenSetup");
  open->setShortcut(QKeySequence::Open);
  QObject::connect(open, &QAction::triggered, commands, [commands] {
    // The dialog runs from the event loop's top level, never inside the menu.
    QTimer::singleShot(0, commands, [commands] {
      const QString file = commands->askOpenFile();
      if (!file.isEmpty()) commands->openFile(file);
    });
  });
  auto* save = new QAction("Save Set&up...", menu);
  save->setObjectName("SaveSetup");
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  QObject::connect(save, &QAction::triggered, commands, [commands] {
    QTimer::singleShot(0, commands, [commands] {
      const QString file = commands->askSaveFile();
      if (!file.isEmpty()) commands->saveFile(file);
    });
  });
  auto* copy = new QAction("Copy Setup &Link", menu);
  copy->setObjectName("CopySetupLink");
  QObject::connect(copy, &QAction::triggered, commands, [commands] { commands->copyLink(); });
  menu->insertActions(first, {open, save, copy});
  menu->insertSeparator(first);
  return *commands;
}

}  // namespace linklab
