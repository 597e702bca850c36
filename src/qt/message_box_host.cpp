#include "qt/message_box_host.h"

#include <QMessageBox>

#include "main_window/form1.h"

namespace linklab {

void MessageBoxHost::message(std::string_view text) {
  if (open || (text == last && !actedSinceLast)) return;
  last = text;
  actedSinceLast = false;
  ++shownCount;
  if (!interactive) return;
  open = true;
  pauseTicks(true);
  QMessageBox box(QMessageBox::NoIcon, Form1::Caption, QString::fromUtf8(text.data(), static_cast<int>(text.size())),
                  QMessageBox::Ok, parent);
  box.exec();
  pauseTicks(false);
  open = false;
}

}  // namespace linklab
