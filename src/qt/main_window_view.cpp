#include "qt/main_window_view.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>

#include "main_window/form1.h"
#include "qt/app_icon.h"
#include "qt/app_scale.h"
#include "qt/focus_ring.h"
#include "qt/export_commands.h"
#include "qt/export_images.h"
#include "qt/form_canvas.h"
#include "qt/help_dialog.h"
#include "qt/menus.h"
#include "qt/parallel_drawing.h"
#include "qt/readout_strip.h"
#include "qt/picture_widget.h"
#include "qt/typed_text_field.h"
#include "qt/tooltips.h"
#include "qt/vector_state.h"

namespace linklab {

MainWindowView::MainWindowView(Form1& form) : form(form), host(this, [this](bool open) { messageBoxOpen(open); }) {
  setWindowTitle(Form1::Caption);
  // Every size below is taken at 100 %, whatever an earlier window left the application at.
  setApplicationScale(1.0);
  canvas = new FormCanvas(
      form, scale, this, [this](std::function<void()> handler) { runEvent(handler); }, [this] { rescale(); });
  canvas->setMinimumSize(canvas->sizeHint() / 4);
  setCentralWidget(canvas);
  for (Control* control : form.controls()) {
    QWidget* widget = createWidget(*control);
    if (!widget) continue;
    Binding binding;
    binding.control = control;
    binding.widget = widget;
    binding.z = control->zOrder;
    binding.typed = typedField(*control, widget);
    bindings.push_back(std::move(binding));
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      auto& model = static_cast<ComboBox&>(*control);
      TypedTextField* typed = bindings.back().typed;
      connect(combo, &QComboBox::activated, this, [this, &model, combo, typed](int index) {
        if (typed) typed->picked();
        runEvent([&model, text = combo->itemText(index).toStdString()] { model.setText(text); });
      });
    }
  }
  covers.reserve(bindings.size());

  restack();
  helpDialogs[0] = new HelpDialog(form.HelpText, this, [this] { syncFromModel(); });
  helpDialogs[1] = new HelpDialog(form.Instructions, this, [this] { syncFromModel(); });
  placeSideBySide(*helpDialogs[0], *helpDialogs[1]);
  addExportCommands(*this, form, pictures);  // the File menu first, so Quit can end it
  buildMenus(*this);
  applyTooltips(*canvas, form, [this](QPointF at) { return scale.twips(at); });
  setWindowIcon(appIcon());
  setStatusBar(readoutStrip = new ReadoutStrip(form, *this));
  connect(&timer, &QTimer::timeout, this, [this] { onTick(); });
  host.onRefused = [this](std::string_view name, std::string_view why) {
    for (const Binding& b : bindings)
      if (b.typed && b.control->name == name) b.typed->refuse(QString::fromUtf8(why.data(), static_cast<int>(why.size())));
  };
  form.setHost(&host);
  // The menu bar scales with the layout from its height at 100 % (a menu bar the desktop shows
  // elsewhere takes no room here and stays out of the fit).
  if (!menuBar()->isNativeMenuBar()) {
    menuBarAt100 = menuBar()->sizeHint().height();
    menuBar()->setFixedHeight(menuBarAt100);
  }
  focusRing = new FocusRing(*this);
  syncFromModel();
  // The layout at 100 %, even on a small screen (the batch's window image): the canvas gets its
  // own size exactly, whatever the bars around it ask for.
  resize(sizeHint());
  layout()->activate();
  resize(size() + canvas->sizeHint() - canvas->size());
}

void MainWindowView::showFitted() {
  if (const QScreen* s = screen()) {
    const QRect area = s->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    if (width() > area.width() - frame.width() || height() > area.height() - frame.height())
      resize(size().boundedTo(area.size() - frame));
  }
  show();
}

MainWindowView::~MainWindowView() {
  // The widgets outlive this body: a focused list that loses its focus as it goes may still
  // report a pick, which must not reach a view that is half gone.
  for (Binding& b : bindings) b.widget->blockSignals(true);
  form.setHost(nullptr);
  setApplicationScale(1.0);
  // No counting without a display of the counts (and no redraw of pictures nobody shows).
  for (Control* control : form.controls())
    if (control->kind() == ControlKind::Picture) {
      static_cast<PictureBox*>(control)->attachRaster(nullptr);
      static_cast<PictureBox*>(control)->density().countColours({});
    }
}

void MainWindowView::syncTitle() {
  const std::string& scene = form.cmbScene.Text();
  const std::string& modulation = form.cmbMod[0].Text();
  if (scene == titleScene && modulation == titleModulation) return;
  titleScene = scene;
  titleModulation = modulation;
  // Where the student is: the scene and, where the scene has a link, its modulation.
  QString title = Form1::Caption;
  if (!scene.empty()) title += " - " + QString::fromStdString(scene);
  if (!scene.empty() && scene != "Baseband Demo" && !modulation.empty()) title += " - " + QString::fromStdString(modulation);
  setWindowTitle(title);
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
  // Space reaches the window only when the focused control has no use for it; a text field
  // keeps it in any case.
  if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier &&
      !qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
    // A setup may lock the pause; the key then does what the disabled button does: nothing.
    if (!form.cmdPause.setupLocked) runEvent([this] { form.cmdPause.click(); });
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainWindowView::runEvent(const std::function<void()>& handler) {
  if (!commits.empty()) {
    commits.post([this, handler] { runNow(handler); });
    return;
  }
  runNow(handler);
}

void MainWindowView::commitTyped(std::function<void()> handler) {
  commits.post([this, handler = std::move(handler)] { runNow(handler); });
}

void MainWindowView::runNow(const std::function<void()>& handler) {
  host.userActed();
  clearUpperVectorState();
  handler();
  syncFromModel();
}

void MainWindowView::messageBoxOpen(bool open) {
  ticksPaused = open;
  if (open) {
    timer.stop();
    commits.hold();
    return;
  }
  commits.release();
  syncFromModel();
}

void MainWindowView::onTick() {
  commits.drain();  // what was typed before this tick reaches the model first
  if (ticksPaused || !form.Timer1.Enabled || !form.Timer1.onTimer) return;
  clearUpperVectorState();
  for (PictureWidget* picture : pictures) picture->fadeForTick();  // before the run draws
  form.Timer1.onTimer();
  syncFromModel(true);
}

HelpDialog* MainWindowView::helpDialog(const HelpWindow& window) const {
  return &window == &form.HelpText ? helpDialogs[0] : helpDialogs[1];
}

std::string MainWindowView::save(std::string_view name, const std::string& file) {
  syncFromModel();
  return saveByName(*this, form, name, file);
}

}  // namespace linklab
