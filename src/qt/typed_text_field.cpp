#include "qt/typed_text_field.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace linklab {

TypedTextField::TypedTextField(QLineEdit* edit, std::function<const std::string&()> modelText,
                               std::function<void(std::string)> commit)
    : QObject(edit), edit(edit), modelText(std::move(modelText)), commit(std::move(commit)) {
  // textEdited comes from the user's keys (and the completion they drive), never from setText.
  connect(edit, &QLineEdit::textEdited, this, [this] { dirty = true; });
  connect(edit, &QLineEdit::editingFinished, this, [this] { finishEditing(); });
  edit->installEventFilter(this);
}

void TypedTextField::showModelText() {
  if (dirty) return;
  const std::string& text = modelText();
  if (text == shown) return;
  shown = text;
  const QString qtext = QString::fromStdString(text);
  if (edit->text() != qtext) {
    edit->setText(qtext);
    edit->setCursorPosition(0);  // a long number shows its start
  }
}

void TypedTextField::finishEditing() {
  if (!dirty) return;
  dirty = false;
  shown.clear();  // the model may keep, tidy or refuse the text: show what it made of it
  commit(edit->text().toStdString());
}

bool TypedTextField::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      dirty) {
    dirty = false;
    shown.clear();
    showModelText();
    edit->selectAll();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace linklab
