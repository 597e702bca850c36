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
  // The layout's factor: the window opens at its size times this, on the screen it fits.
  void setScale(double factor);
  // Which half of the pair this window takes on screen: 0 left, 1 right.
  int slot = 0;

 protected:
  void closeEvent(QCloseEvent*) override;
  // Escape: the window closes as by its Close button, so the model knows it is hidden.
  void reject() override;

 private:
  void placeOnScreen();
  HelpWindow& model;
  std::function<void()> afterEvent;
  bool placed = false;
  double factor = 1.0;
};

// The two help windows open side by side on the main window's screen, never one over the other.
void placeSideBySide(HelpDialog& left, HelpDialog& right);

}  // namespace linklab
