#include "qt/save_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace linklab {

namespace {
constexpr const char* kKey = "files/lastSaveFolder";
QSettings settings() { return QSettings("LinkLab", "LinkLab"); }
}  // namespace

QString lastSaveFolder() {
  const QString remembered = settings().value(kKey).toString();
  if (!remembered.isEmpty() && QDir(remembered).exists()) return remembered;
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return QDir(pictures).exists() ? pictures : QDir::homePath();
}

void rememberSaveFolder(const QString& file) { settings().setValue(kKey, QFileInfo(file).absolutePath()); }

}  // namespace linklab
