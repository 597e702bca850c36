#pragma once
// A modeless help window: its read-only text and a Close button, mirroring a HelpWindow.
#include <QDialog>
#include <functional>

namespace linklab {

struct HelpWindow;

class HelpDialog : public QDialog {
 public:
  HelpDialog(HelpWindow& model, QWidget* parent, std::function<void()> afterEvent);
  void sync();

 protected:
  void closeEvent(QCloseEvent*) override;
  // Escape: the window closes as by its Close button, so the model knows it is hidden.
  void reject() override;

 private:
  HelpWindow& model;
  std::function<void()> afterEvent;
};

}  // namespace linklab
