#include "qt/message_box_host.h"

#include <QMessageBox>
#include <QTimer>

#include "main_window/form1.h"

namespace linklab {

void MessageBoxHost::message(std::string_view text) {
  if (open || (text == last && !actedSinceLast)) return;
  last = text;
  actedSinceLast = false;
  ++shownCount;
  if (!interactive) return;
  open = true;
  boxOpen(true);
  QTimer::singleShot(0, parent, [this, shownText = std::string(text)] { showBox(shownText); });
}

void MessageBoxHost::showBox(const std::string& text) {
  auto* box = new QMessageBox(QMessageBox::NoIcon, Form1::Caption, QString::fromStdString(text), QMessageBox::Ok, parent);
  box->setObjectName("MessageBox");
  box->setAttribute(Qt::WA_DeleteOnClose);
  QObject::connect(box, &QDialog::finished, parent, [this] {
    open = false;
    boxOpen(false);
  });
  box->open();
}

}  // namespace linklab
