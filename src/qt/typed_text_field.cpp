#include "qt/typed_text_field.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QTimer>
#include <QToolTip>

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

void TypedTextField::refuse(const QString& why) {
  constexpr int kFlashMs = 1500;
  QPalette warning = edit->palette();
  warning.setColor(QPalette::Base, QColor(255, 190, 190));
  edit->setPalette(warning);
  // Beside the field, where the eye already is; a box would need a click for every slip.
  QWidget* field = qobject_cast<QComboBox*>(edit->parentWidget()) ? edit->parentWidget() : edit;
  QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), why, field, QRect(), 4000);
  red = true;
  QTimer::singleShot(kFlashMs, this, [this, refusal = ++refusals] {
    if (refusal != refusals) return;
    red = false;
    edit->setPalette(QPalette());
  });
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
