#include "qt/file_dialogs.h"

#include <QFileDialog>

#include "qt/app_scale.h"

namespace linklab {

namespace {

// The toolkit's own file dialog opens about this large at 100 %.
constexpr QSize kFileDialogAtOne(640, 420);

QString ask(QFileDialog& dialog) {
  sizeFileDialog(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().first();
}

}  // namespace

void sizeFileDialog(QFileDialog& dialog) { sizeToScale(dialog, kFileDialogAtOne); }

QString askOpenFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter) {
  QFileDialog dialog(parent, title, folder, filter);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return ask(dialog);
}

QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter) {
  QFileDialog dialog(parent, title, suggested, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.selectFile(suggested);
  return ask(dialog);
}

}  // namespace linklab
