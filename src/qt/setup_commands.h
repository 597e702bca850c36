#pragma once
// The File menu's setup commands: Open Setup... (Ctrl+O), Save Setup... (Ctrl+Shift+S) and Copy
// Setup Link, and a .linklab file dropped on the window. A setup that cannot be read changes
// nothing and shows one message with the line at fault.
#include <QObject>
#include <QString>
#include <functional>

namespace linklab {

class MainWindowView;

class SetupCommands : public QObject {
 public:
  explicit SetupCommands(MainWindowView& view);

  // Reads the file and applies it; false (after the message) when it could not. Behind typed text
  // that has yet to reach the model, the setup is applied after it and true means only queued.
  bool openFile(const QString& file);
  bool saveFile(const QString& file);
  void copyLink();

  // Replaceable, so tests run without dialogs: empty means cancelled.
  std::function<QString()> askOpenFile;
  std::function<QString()> askSaveFile;
  QString folder;  // where the dialogs open; follows the last file

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void fail(const QString& text);
  MainWindowView& view;
};

// Adds the commands to the File menu and lets the window take dropped setup files.
SetupCommands& addSetupCommands(MainWindowView& view);

}  // namespace linklab
