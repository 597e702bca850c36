#pragma once
// The file dialogs of the setups and the error-rate window, as the toolkit shows them, grown with
// the application's scale like every other dialog.
#include <QString>

class QFileDialog;
class QWidget;

namespace linklab {

// Grows a file dialog that is about to open with the application's scale.
void sizeFileDialog(QFileDialog& dialog);
QString askOpenFileName(QWidget* parent, const QString& title, const QString& folder, const QString& filter);
QString askSaveFileName(QWidget* parent, const QString& title, const QString& suggested, const QString& filter);

}  // namespace linklab
