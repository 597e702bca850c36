#pragma once
// The real window: one widget per control of the model, placed from its twips. Every user event
// and every tick calls a handler of the model; afterwards the view copies the model into the
// widgets (with their signals blocked, so nothing echoes back) and repaints what was drawn.
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "batch/batch_runner.h"
#include "qt/message_box_host.h"
#include "qt/top_level_queue.h"

namespace linklab {

class Form1;
class Control;
class FormCanvas;
class HelpDialog;
class PictureWidget;
class TypedTextField;
struct HelpWindow;

class MainWindowView : public QMainWindow, public Snapshotter {
 public:
  explicit MainWindowView(Form1& form);
  ~MainWindowView() override;

  // Runs a user event's handler, then brings the widgets up to date. Behind typed text that is
  // still queued for the model, the event waits its turn.
  void runEvent(const std::function<void()>& handler);
  // Hands typed text to the model from the event loop's top level, in the order it was typed.
  void commitTyped(std::function<void()> handler);
  // Copies the model into every widget and repaints the pictures drawn on.
  void syncFromModel();
  std::string save(std::string_view name, const std::string& file) override;

  MessageBoxHost& messageHost() { return host; }
  QTimer& tickTimer() { return timer; }
  HelpDialog* helpDialog(const HelpWindow& window) const;
  // One timer event, as the QTimer delivers it.
  void onTick();

 private:
  struct Binding {
    Control* control;
    QWidget* widget;
    int64_t z;
    TypedTextField* typed = nullptr;
  };
  void runNow(const std::function<void()>& handler);
  void messageBoxOpen(bool open);
  QWidget* createWidget(Control& control);
  TypedTextField* typedField(Control& control, QWidget* widget);
  void syncWidget(Binding& binding);
  void restack();
  void buildMenu();
  uint64_t diagramSignature() const;

  Form1& form;
  FormCanvas* canvas = nullptr;
  std::vector<Binding> bindings;
  std::vector<PictureWidget*> pictures;
  HelpDialog* helpDialogs[2] = {nullptr, nullptr};
  QTimer timer;
  MessageBoxHost host;
  TopLevelQueue commits{this};
  bool ticksPaused = false;
  uint64_t lastDiagram = 0;
};

}  // namespace linklab
