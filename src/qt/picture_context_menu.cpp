// A right click on a picture offers it as a file or on the clipboard.
#include <QMenu>
#include <QPointer>

#include "qt/app_scale.h"
#include "qt/export_commands.h"
#include "qt/picture_widget.h"

namespace linklab {

void addPictureContextMenu(PictureWidget& picture, ExportCommands& commands) {
  picture.setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(&picture, &QWidget::customContextMenuRequested, &commands, [&picture, &commands](const QPoint& at) {
    QMenu menu(&picture);
    fitMenuItems(menu);
    menu.setObjectName("PictureMenu");
    QAction* save = menu.addAction("&Save Picture...");
    QAction* copy = menu.addAction("&Copy Picture");
    QPointer<PictureWidget> alive(&picture);
    QAction* chosen = menu.exec(picture.mapToGlobal(at));
    if (!alive) return;
    if (chosen == save) commands.savePicture(picture);
    if (chosen == copy) commands.copyPicture(picture);
  });
}

}  // namespace linklab
