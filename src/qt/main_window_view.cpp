#include "qt/main_window_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "main_window/form1.h"
#include "qt/app_icon.h"
#include "qt/colours.h"
#include "qt/export_commands.h"
#include "qt/export_images.h"
#include "qt/form_canvas.h"
#include "qt/help_dialog.h"
#include "qt/picture_widget.h"
#include "qt/typed_text_field.h"
#include "qt/tooltips.h"
#include "qt/vector_state.h"

namespace linklab {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

void setTextColour(QWidget* w, uint32_t colour) {
  const QColor c = toQColor(colour);
  if (w->palette().color(QPalette::WindowText) == c) return;
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, c);
  p.setColor(QPalette::Text, c);
  w->setPalette(p);
}

// LinkLab's own title, drawn rather than loaded.
QPixmap logoPixmap(int width, int height) {
  QPixmap pixmap(width, height);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  QFont font("DejaVu Sans", 9, QFont::Bold);
  font.setItalic(true);
  p.setFont(font);
  p.setPen(QColor(0, 0, 160));
  p.drawText(pixmap.rect(), Qt::AlignRight | Qt::AlignVCenter, "LinkLab  \u2022  a digital radio link");
  return pixmap;
}

}  // namespace

MainWindowView::MainWindowView(Form1& form)
    : form(form), host(this, [this](bool open) { messageBoxOpen(open); }) {
  setWindowTitle(Form1::Caption);
  canvas = new FormCanvas(form, this, [this](std::function<void()> handler) { runEvent(handler); });
  canvas->setFixedSize(px(Form1::ClientWidth), px(Form1::ClientHeight));
  setCentralWidget(canvas);
  for (Control* control : form.controls()) {
    QWidget* widget = createWidget(*control);
    if (!widget) continue;
    bindings.push_back({control, widget, control->zOrder, typedField(*control, widget)});
    if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      auto& model = static_cast<ComboBox&>(*control);
      TypedTextField* typed = bindings.back().typed;
      connect(combo, &QComboBox::activated, this, [this, &model, combo, typed](int index) {
        if (typed) typed->picked();
        runEvent([&model, text = combo->itemText(index).toStdString()] { model.setText(text); });
      });
    }
  }
  restack();
  helpDialogs[0] = new HelpDialog(form.HelpText, this, [this] { syncFromModel(); });
  helpDialogs[1] = new HelpDialog(form.Instructions, this, [this] { syncFromModel(); });
  buildMenu();
  addExportCommands(*this, form, pictures);
  applyTooltips(*canvas, form);
  setWindowIcon(appIcon());
  connect(&timer, &QTimer::timeout, this, [this] { onTick(); });
  form.setHost(&host);
  syncFromModel();
}

MainWindowView::~MainWindowView() {
  form.setHost(nullptr);
  for (Control* control : form.controls())
    if (control->kind() == ControlKind::Picture) static_cast<PictureBox*>(control)->attachRaster(nullptr);
}

void MainWindowView::buildMenu() {
  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("HelpMenu");
  help->addAction("LinkLab &Help", this, [this] { runEvent([this] { form.showHelp(); }); });
  help->addAction("&Instructions", this, [this] { runEvent([this] { form.showInstructions(); }); });
}

QWidget* MainWindowView::createWidget(Control& control) {
  QWidget* w = nullptr;
  switch (control.kind()) {
    case ControlKind::ComboBox: {
      auto& model = static_cast<ComboBox&>(control);
      auto* combo = new QComboBox(canvas);
      combo->setEditable(model.Editable);
      combo->setInsertPolicy(QComboBox::NoInsert);
      w = combo;
      break;
    }
    case ControlKind::Slider: {
      auto& model = static_cast<Slider&>(control);
      auto* bar = new QScrollBar(model.horizontal ? Qt::Horizontal : Qt::Vertical, canvas);
      connect(bar, &QScrollBar::valueChanged, this,
              [this, &model](int value) { runEvent([&model, value] { model.setValue(value); }); });
      w = bar;
      break;
    }
    case ControlKind::CheckBox: {
      auto& model = static_cast<CheckBox&>(control);
      auto* box = new QCheckBox(canvas);
      box->setStyleSheet("QCheckBox { spacing: 2px; }");  // the rail markers are only 24 pixels wide
      connect(box, &QCheckBox::clicked, this,
              [this, &model](bool checked) { runEvent([&model, checked] { model.setValue(checked ? 1 : 0); }); });
      w = box;
      break;
    }
    case ControlKind::Label: {
      auto* label = new QLabel(canvas);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->setWordWrap(true);
      w = label;
      break;
    }
    case ControlKind::Button: {
      auto& model = static_cast<Button&>(control);
      auto* button = new QPushButton(canvas);
      button->setFocusPolicy(Qt::NoFocus);
      connect(button, &QPushButton::clicked, this, [this, &model] { runEvent([&model] { model.click(); }); });
      w = button;
      break;
    }
    case ControlKind::TextBox: {
      w = new QLineEdit(canvas);
      break;
    }
    case ControlKind::Picture: {
      auto* picture = new PictureWidget(static_cast<PictureBox&>(control), canvas, [this] { syncFromModel(); });
      pictures.push_back(picture);
      w = picture;
      break;
    }
    case ControlKind::Image: {
      auto* label = new QLabel(canvas);
      label->setAttribute(Qt::WA_TransparentForMouseEvents);
      label->setPixmap(logoPixmap(px(control.Width), px(control.Height)));
      w = label;
      break;
    }
    case ControlKind::Shape:
    case ControlKind::Line:
    case ControlKind::Timer: return nullptr;  // painted by the canvas or run by the QTimer
  }
  w->setObjectName(qs(control.name));
  w->setGeometry(px(control.Left), px(control.Top), px(control.Width), px(control.Height));
  return w;
}

TypedTextField* MainWindowView::typedField(Control& control, QWidget* widget) {
  if (control.kind() == ControlKind::ComboBox && static_cast<ComboBox&>(control).Editable) {
    auto& model = static_cast<ComboBox&>(control);
    return new TypedTextField(
        static_cast<QComboBox*>(widget)->lineEdit(), [&model]() -> const std::string& { return model.Text(); },
        [this, &model](std::string text) { commitTyped([&model, text] { model.setText(text); }); });
  }
  if (control.kind() == ControlKind::TextBox) {
    auto& model = static_cast<TextBox&>(control);
    return new TypedTextField(
        static_cast<QLineEdit*>(widget), [&model]() -> const std::string& { return model.Text(); },
        [this, &model](std::string text) { commitTyped([&model, text] { model.setText(text); }); });
  }
  return nullptr;
}

void MainWindowView::restack() {
  std::vector<Binding*> order;
  for (auto& b : bindings) order.push_back(&b);
  std::stable_sort(order.begin(), order.end(), [](auto* a, auto* b) { return a->control->zOrder < b->control->zOrder; });
  for (Binding* b : order) {
    b->widget->raise();
    b->z = b->control->zOrder;
  }
  canvas->refresh();
}

void MainWindowView::syncWidget(Binding& b) {
  Control& c = *b.control;
  QWidget* w = b.widget;
  const QRect geometry(px(c.Left), px(c.Top), std::max(1, px(c.Width)), std::max(1, px(c.Height)));
  switch (c.kind()) {
    case ControlKind::ComboBox: {
      auto& model = static_cast<ComboBox&>(c);
      auto* combo = static_cast<QComboBox*>(w);
      const QSignalBlocker block(combo);
      bool same = combo->count() == model.ListCount();
      for (int i = 0; same && i < model.ListCount(); ++i) same = combo->itemText(i) == qs(model.List(i));
      if (!same) {
        const QString typed = combo->currentText();  // clearing the entries clears the line too
        combo->clear();
        for (int i = 0; i < model.ListCount(); ++i) combo->addItem(qs(model.List(i)));
        if (b.typed) combo->setEditText(typed);
      }
      const QString text = qs(model.Text());
      if (b.typed) {
        b.typed->showModelText();
      } else if (combo->currentIndex() != combo->findText(text) || combo->currentText() != text) {
        combo->setCurrentIndex(combo->findText(text));
      }
      break;
    }
    case ControlKind::Slider: {
      auto& model = static_cast<Slider&>(c);
      auto* bar = static_cast<QScrollBar*>(w);
      const QSignalBlocker block(bar);
      const int lo = std::min(model.Min(), model.Max()), hi = std::max(model.Min(), model.Max());
      if (bar->minimum() != lo || bar->maximum() != hi) bar->setRange(lo, hi);
      if (bar->singleStep() != model.SmallChange) bar->setSingleStep(model.SmallChange);
      if (bar->pageStep() != model.LargeChange) bar->setPageStep(model.LargeChange);
      if (bar->value() != model.Value()) bar->setValue(model.Value());
      break;
    }
    case ControlKind::CheckBox: {
      auto& model = static_cast<CheckBox&>(c);
      auto* box = static_cast<QCheckBox*>(w);
      const QSignalBlocker block(box);
      if (box->text() != qs(model.Caption)) box->setText(qs(model.Caption));
      if (box->isChecked() != (model.Value() == 1)) box->setChecked(model.Value() == 1);
      setTextColour(box, model.ForeColor);
      break;
    }
    case ControlKind::Label: {
      auto& model = static_cast<Label&>(c);
      auto* label = static_cast<QLabel*>(w);
      if (label->text() != qs(model.Caption)) label->setText(qs(model.Caption));
      const Qt::Alignment align =
          (model.Alignment == 1 ? Qt::AlignRight : model.Alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft) |
          Qt::AlignTop;
      if (label->alignment() != align) label->setAlignment(align);
      setTextColour(label, model.ForeColor);
      break;
    }
    case ControlKind::Button: {
      auto* button = static_cast<QPushButton*>(w);
      const QString caption = qs(static_cast<Button&>(c).Caption);
      if (button->text() != caption) button->setText(caption);
      break;
    }
    case ControlKind::TextBox: {
      auto& model = static_cast<TextBox&>(c);
      auto* edit = static_cast<QLineEdit*>(w);
      const QSignalBlocker block(edit);
      b.typed->showModelText();
      if (edit->isReadOnly() != model.Locked) edit->setReadOnly(model.Locked);
      break;
    }
    case ControlKind::Picture: {
      auto* picture = static_cast<PictureWidget*>(w);
      picture->syncGeometry();
      auto& model = static_cast<PictureBox&>(c);
      if (model.drawn) {
        model.drawn = false;
        picture->update();
      }
      break;
    }
    default: break;
  }
  if (c.kind() != ControlKind::Picture && w->geometry() != geometry) w->setGeometry(geometry);
  if (w->isVisibleTo(canvas) != c.Visible) w->setVisible(c.Visible);
  if (w->isEnabled() != c.Enabled) w->setEnabled(c.Enabled);
}

uint64_t MainWindowView::diagramSignature() const {
  uint64_t h = 1469598103934665603ULL;
  auto mix = [&h](int64_t v) { h = (h ^ static_cast<uint64_t>(v)) * 1099511628211ULL; };
  for (const Control* c : form.controls()) {
    if (c->kind() == ControlKind::Shape) {
      const auto& s = static_cast<const Shape&>(*c);
      for (int64_t v : {int64_t(s.Left), int64_t(s.Top), int64_t(s.Width), int64_t(s.Height), int64_t(s.Visible),
                        int64_t(s.BorderColor), int64_t(s.BorderWidth), s.zOrder})
        mix(v);
    } else if (c->kind() == ControlKind::Line) {
      const auto& l = static_cast<const LineShape&>(*c);
      for (int64_t v : {int64_t(l.X1), int64_t(l.Y1), int64_t(l.X2), int64_t(l.Y2), int64_t(l.Visible),
                        int64_t(l.BorderColor), int64_t(l.BorderWidth), l.zOrder})
        mix(v);
    }
  }
  return h;
}

void MainWindowView::syncFromModel() {
  bool restackNeeded = false;
  for (Binding& b : bindings) {
    syncWidget(b);
    restackNeeded |= b.z != b.control->zOrder;
  }
  if (restackNeeded) restack();
  const uint64_t diagram = diagramSignature();
  if (diagram != lastDiagram) {
    lastDiagram = diagram;
    canvas->refresh();
  }
  for (HelpDialog* dialog : helpDialogs)
    if (dialog) dialog->sync();
  if (form.Timer1.Enabled && !ticksPaused && form.Timer1.Interval > 0) {
    if (!timer.isActive() || timer.interval() != form.Timer1.Interval) timer.start(form.Timer1.Interval);
  } else if (timer.isActive()) {
    timer.stop();
  }
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
  form.Timer1.onTimer();
  syncFromModel();
}

HelpDialog* MainWindowView::helpDialog(const HelpWindow& window) const {
  return &window == &form.HelpText ? helpDialogs[0] : helpDialogs[1];
}

std::string MainWindowView::save(std::string_view name, const std::string& file) {
  syncFromModel();
  return saveByName(*this, form, name, file);
}

}  // namespace linklab
