#include "qt/export_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QMimeData>
#include <QTimer>

#include "form/picture_box.h"
#include "main_window/file_names.h"
#include "main_window/form1.h"
#include "picture_export/picture_svg.h"
#include "qt/export_images.h"
#include "qt/file_dialogs.h"
#include "qt/picture_widget.h"
#include "qt/save_folder.h"

namespace linklab {

namespace {

const QStringList windowFilters = {"PNG image at the screen's resolution (*.png)",
                                   "PNG image at twice the resolution, for print (*.png)"};
const QStringList pictureFilters = {"PNG image (*.png)", "SVG drawing (*.svg)"};

ExportCommands::FileChoice askWithDialog(QWidget& parent, const QString& title, const QString& suggested,
                                         const QStringList& filters) {
  QFileDialog dialog(&parent, title, suggested);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilters(filters);
  dialog.selectFile(suggested);
  sizeFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return {dialog.selectedFiles().first(), std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

}  // namespace

ExportCommands::ExportCommands(QWidget& window, Form1& form)
    : QObject(&window), window(window), form(form) {
  setObjectName("ExportCommands");
  askFile = [this](const QString& title, const QString& suggested, const QStringList& filters) {
    return askWithDialog(this->window, title, suggested, filters);
  };
  showFailure = [this](const QString& text) { QMessageBox::warning(&this->window, Form1::Caption, text); };
}

void ExportCommands::later(std::function<void()> work) { QTimer::singleShot(0, this, std::move(work)); }

QString ExportCommands::suggestion(const QString& name) {
  if (folder.isEmpty()) folder = lastSaveFolder();  // asked late: a batch run never needs it
  return QDir(folder).filePath(name);
}

QString ExportCommands::pathWithExtension(QString file, const QString& extension) const {
  const QString suffix = QFileInfo(file).suffix().toLower();
  if (suffix != "png" && suffix != "svg") file += "." + extension;
  return file;
}

void ExportCommands::reportIfFailed(const std::string& why) {
  if (!why.empty()) showFailure("The image was not saved: " + QString::fromStdString(why) + ".");
}

void ExportCommands::remember(const QString& file) {
  folder = QFileInfo(file).absolutePath();
  rememberSaveFolder(file);
}

void ExportCommands::saveWindowImage() {
  // Taken now: the link goes on running while the dialog is open.
  const QImage screen = windowImage(window, 1), print = windowImage(window, 2);
  const QString suggested = suggestion(QString::fromStdString(windowFileStem(form)) + ".png");
  later([this, screen, print, suggested] {
    const FileChoice choice = askFile("Save Window Image", suggested, windowFilters);
    if (choice.file.isEmpty()) return;
    const QString file = pathWithExtension(choice.file, "png");
    const std::string why = writeImage(choice.filter == 1 ? print : screen, file.toStdString());
    reportIfFailed(why);
    if (why.empty()) remember(file);
  });
}

void ExportCommands::copyWindow() { QApplication::clipboard()->setImage(windowImage(window, 1)); }

void ExportCommands::savePicture(PictureWidget& picture) {
  Control* model = form.findControl(picture.objectName().toStdString());
  if (!model || model->kind() != ControlKind::Picture) return;
  const PictureSnapshot snapshot = snapshotOf(picture, static_cast<PictureBox&>(*model));
  const QString suggested =
      suggestion(QString::fromStdString(pictureFileStem(form, picture.objectName().toStdString())) + ".png");
  later([this, snapshot, suggested] {
    const FileChoice choice = askFile("Save Picture", suggested, pictureFilters);
    if (choice.file.isEmpty()) return;
    const QString file = pathWithExtension(choice.file, choice.filter == 1 ? "svg" : "png");
    const std::string why = writePicture(snapshot, file.toStdString());
    reportIfFailed(why);
    if (why.empty()) remember(file);
  });
}

void ExportCommands::copyPicture(PictureWidget& picture) {
  Control* model = form.findControl(picture.objectName().toStdString());
  if (!model || model->kind() != ControlKind::Picture) return;
  const auto& box = static_cast<PictureBox&>(*model);
  auto* data = new QMimeData;
  data->setImageData(picture.raster().finished().copy());
  if (box.historyComplete()) data->setData("image/svg+xml", QByteArray::fromStdString(pictureSvg(drawingOf(box), {})));
  QApplication::clipboard()->setMimeData(data);
}

ExportCommands& addExportCommands(QMainWindow& window, Form1& form, const std::vector<PictureWidget*>& pictures) {
  auto* commands = new ExportCommands(window, form);
  addFileMenu(window, *commands);
  for (PictureWidget* picture : pictures) addPictureContextMenu(*picture, *commands);
  return *commands;
}

}  // namespace linklab
