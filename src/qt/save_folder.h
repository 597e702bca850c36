#pragma once
// The folder every save dialog opens in: the one last saved to, kept between runs.
#include <QString>

namespace linklab {

QString lastSaveFolder();
// Remembers the folder of a file just written.
void rememberSaveFolder(const QString& file);

}  // namespace linklab
