#pragma once
// A text field the user types into (an editable list's line or a text box). What the user types
// belongs to the user until it is committed: the view's sync and the ticks never write into the
// field while it holds uncommitted text. Enter or leaving the field commits; Escape throws the
// typing away and shows the model's text again. A commit the model refuses flashes the field.
#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLineEdit;

namespace linklab {

class TypedTextField : public QObject {
 public:
  // modelText: the model's current text; commit: hands a typed text to the model (queued by the
  // caller, so it never runs inside the focus change that finished the editing).
  TypedTextField(QLineEdit* edit, std::function<const std::string&()> modelText,
                 std::function<void(std::string)> commit);
  // Shows the model's text, unless the user is typing.
  void showModelText();
  bool typing() const { return dirty; }
  // The user picked an entry of the list: that is the commit, the typing is over.
  void picked() {
    dirty = false;
    shown.clear();
  }
  QLineEdit* lineEdit() const { return edit; }
  // The model refused the committed text and kept its own: the field turns red for a moment and
  // says why beside it, then shows the model's text as every field does.
  void refuse(const QString& why);
  bool flashing() const { return red; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void finishEditing();
  QLineEdit* edit;
  std::function<const std::string&()> modelText;
  std::function<void(std::string)> commit;
  std::string shown;   // the model's text as last written into the field, to skip needless writes
  bool dirty = false;  // typed since the last commit or Escape
  bool red = false;
  int refusals = 0;  // a later refusal keeps the field red for its own time
};

}  // namespace linklab
