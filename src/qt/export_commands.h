#pragma once
// The window's export commands: save or copy the whole window or one picture. The file dialog
// starts in the folder of the last save; a failed write is shown in a message and changes
// nothing else. Asking for a file and showing a failure are replaceable, so tests run headless.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class QMainWindow;
class QWidget;

namespace linklab {

class Form1;
class PictureWidget;

class ExportCommands : public QObject {
 public:
  ExportCommands(QWidget& window, Form1& form);

  void saveWindowImage();
  void copyWindow();
  void savePicture(PictureWidget& picture);
  void copyPicture(PictureWidget& picture);

  struct FileChoice {
    QString file;    // empty: cancelled
    int filter = 0;  // index into the filters offered
  };
  std::function<FileChoice(const QString& title, const QString& suggested, const QStringList& filters)> askFile;
  std::function<void(const QString& text)> showFailure;
  QString folder;  // where the dialog opens; follows the last successful save (empty: not yet asked)

 private:
  // Runs the dialog and the write from the event loop's top level, never inside a menu.
  void later(std::function<void()> work);
  QString suggestion(const QString& name);  // a file in the remembered folder
  QString pathWithExtension(QString file, const QString& extension) const;
  void reportIfFailed(const std::string& why);
  void remember(const QString& file);

  QWidget& window;
  Form1& form;
};

// A File menu in front of the window's other menus; returns nothing, the menu belongs to window.
void addFileMenu(QMainWindow& window, ExportCommands& commands);
// "Save Picture..." and "Copy Picture" on a right click on the picture.
void addPictureContextMenu(PictureWidget& picture, ExportCommands& commands);
// Builds the commands, the File menu and every picture's context menu (the view calls this once).
ExportCommands& addExportCommands(QMainWindow& window, Form1& form, const std::vector<PictureWidget*>& pictures);

}  // namespace linklab
