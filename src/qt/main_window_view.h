#pragma once
// The real window: one widget per control of the model, placed from its twips through one layout
// scale. Every user event and every tick calls a handler of the model; afterwards the view copies
// what changed into the widgets (with their signals blocked, so nothing echoes back) and repaints
// what was drawn. The pieces live by concern: control_widgets.cpp makes the widgets,
// widget_sync.cpp copies the model into them, window_scaling.cpp scales, zooms and goes full
// screen, menus.cpp and focus_order.cpp hold the menus, shortcuts and tab order.
#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "batch/batch_runner.h"
#include "displays/persistence.h"
#include "displays/picture_scales.h"
#include "qt/layout_scale.h"
#include "qt/message_box_host.h"
#include "qt/top_level_queue.h"

namespace linklab {

class Form1;
class Control;
class FocusRing;
class FormCanvas;
class HelpDialog;
class ParallelDrawing;
class PictureWidget;
class RasterSurface;
class ReadoutStrip;
class TypedTextField;
struct HelpWindow;

class MainWindowView : public QMainWindow, public Snapshotter {
 public:
  explicit MainWindowView(Form1& form);
  ~MainWindowView() override;
  // Shows the window at 100 %, or as large as the screen allows (the layout then scales down).
  void showFitted();

  // Runs a user event's handler, then brings the widgets up to date. Behind typed text that is
  // still queued for the model, the event waits its turn.
  void runEvent(const std::function<void()>& handler);
  // Hands typed text to the model from the event loop's top level, in the order it was typed.
  void commitTyped(std::function<void()> handler);
  // Copies the model into every widget and repaints the pictures drawn on.
  void syncFromModel(bool afterTick = false);
  std::string save(std::string_view name, const std::string& file) override;

  Form1& model() { return form; }
  MessageBoxHost& messageHost() { return host; }
  QTimer& tickTimer() { return timer; }
  HelpDialog* helpDialog(const HelpWindow& window) const;
  const std::vector<PictureWidget*>& pictureWidgets() const { return pictures; }
  // One timer event, as the QTimer delivers it.
  void onTick();

  // Window and layout scaling (window_scaling.cpp).
  const LayoutScale& layoutScale() const { return scale; }
  void zoomIn();
  void zoomOut();
  void zoomReset();
  void toggleFullScreen();

  // Scales over the pictures (View > Scales), remembered between runs.
  bool scalesShown() const { return showScales; }
  void setScalesShown(bool shown);
  // How the eye, scatter and trajectory keep their runs (View > Persistence), remembered between
  // runs; Infinite unless the user chose otherwise, and always in a batch run.
  Persistence persistence() const { return keepRuns; }
  void setPersistence(Persistence mode);
  // Reads what the user chose in earlier runs (View > Scales, View > Persistence).
  void restoreSettings();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  struct Binding {
    Control* control = nullptr;
    QWidget* widget = nullptr;
    int64_t z = 0;
    TypedTextField* typed = nullptr;
    // What was last written into the widget, compared with the model without touching Qt
    // strings, so a sync that changes nothing allocates nothing.
    std::vector<std::string> entries;
    std::string text;
    uint32_t colour = 0xFFFFFFFF;
    int index = -1;
    bool written = false;
    double tipBits = 0;      // a slider's tooltip: the symbol length and the spectrum's axis it read
    bool tipLinear = false;
    QWidget* coveredBy = nullptr;  // the picture it sits on, while the pictures are covered
  };
  void runNow(const std::function<void()>& handler);
  void messageBoxOpen(bool open);
  QWidget* createWidget(Control& control);
  QStyle* arrowStyle();
  TypedTextField* typedField(Control& control, QWidget* widget);
  void syncWidget(Binding& binding);
  void restack();
  // Controls on the pictures (picture_cover.cpp).
  QRect placeOffPictures(QRect rect, const Binding& binding) const;
  void coverPictures();
  void rescale();
  void zoomTo(double factor);
  int menuBarHeight() const;  // as the window shows it: 0 when the desktop shows the menus
  uint64_t diagramSignature(bool overDisplays) const;
  uint64_t layoutSignature() const;
  void setFocusOrder();
  void syncTitle();

  Form1& form;
  LayoutScale scale;
  FormCanvas* canvas = nullptr;
  std::vector<Binding> bindings;
  std::vector<PictureWidget*> pictures;
  std::vector<RasterSurface*> rasters;  // the pictures', drawn by `drawing` after each run
  std::unique_ptr<ParallelDrawing> drawing;
  std::vector<QRect> covers;
  QStyle* arrows = nullptr;
  HelpDialog* helpDialogs[2] = {nullptr, nullptr};
  QTimer timer;
  MessageBoxHost host;
  TopLevelQueue commits{this};
  bool ticksPaused = false;
  uint64_t lastDiagram[2] = {0, 0};
  uint64_t lastLayout = 0;
  std::string titleScene;
  std::string titleModulation;
  ReadoutStrip* readoutStrip = nullptr;
  int menuBarAt100 = 0;  // the menu bar's height at 100 %, 0 until the menus are built
  FocusRing* focusRing = nullptr;
  bool showScales = true;
  Persistence keepRuns = Persistence::Infinite;
  PictureScales scaleScratch;  // one description at a time, rebuilt at every sync
};

}  // namespace linklab
