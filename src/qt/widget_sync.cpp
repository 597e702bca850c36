// Copies the model into the widgets after every event and tick: compare and set, only what
// changed, with the widgets' own signals blocked so nothing echoes back into the model.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

#include "help/tooltips.h"
#include "main_window/form1.h"
#include "qt/colours.h"
#include "qt/form_canvas.h"
#include "qt/help_dialog.h"
#include "qt/main_window_view.h"
#include "qt/parallel_drawing.h"
#include "qt/picture_widget.h"
#include "qt/readout_strip.h"
#include "qt/slider_value_tip.h"
#include "qt/typed_text_field.h"

namespace linklab {

namespace {

const QString kLockedTooltip = QString::fromUtf8(kSetupLockedTooltip.data(), kSetupLockedTooltip.size());

// A locked control's tooltip says why it does not respond.
void syncLockTooltip(QWidget& widget, const Control& control) {
  QString tip = QString::fromStdString(std::string(tooltipFor(control.name)));
  if (control.setupLocked) tip += QString(tip.isEmpty() ? "" : "\n\n") + kLockedTooltip;
  widget.setToolTip(tip);
}


QString qs(const std::string& s) { return QString::fromStdString(s); }

// True (and remembers it) when text differs from what was last written.
bool changed(std::string& written, const std::string& text) {
  if (written == text) return false;
  written = text;
  return true;
}

void setTextColour(QWidget* w, uint32_t& written, uint32_t colour) {
  if (written == colour) return;
  written = colour;
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, toQColor(colour));
  p.setColor(QPalette::Text, toQColor(colour));
  w->setPalette(p);
}

bool sameEntries(const std::vector<std::string>& written, const ComboBox& model) {
  if (static_cast<int>(written.size()) != model.ListCount()) return false;
  for (int i = 0; i < model.ListCount(); ++i)
    if (written[i] != model.List(i)) return false;
  return true;
}

}  // namespace

void MainWindowView::syncWidget(Binding& b) {
  Control& c = *b.control;
  QWidget* w = b.widget;
  const bool first = !b.written;
  b.written = true;
  switch (c.kind()) {
    case ControlKind::ComboBox: {
      auto& model = static_cast<ComboBox&>(c);
      auto* combo = static_cast<QComboBox*>(w);
      const QSignalBlocker block(combo);
      if (first || !sameEntries(b.entries, model)) {
        b.entries.assign(model.ListCount(), {});
        for (int i = 0; i < model.ListCount(); ++i) b.entries[i] = model.List(i);
        const QString typed = combo->currentText();  // clearing the entries clears the line too
        combo->clear();
        for (const std::string& entry : b.entries) combo->addItem(qs(entry));
        if (b.typed)
          combo->setEditText(typed);
        else
          b.text = "\n";  // the pick must be set again
      }
      if (b.typed) {
        b.typed->showModelText();
      } else {
        if (changed(b.text, model.Text())) b.index = combo->findText(qs(model.Text()));
        if (combo->currentIndex() != b.index) combo->setCurrentIndex(b.index);
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
      // The tooltip ends with the value in real units, rebuilt only when what it reads changed.
      const bool linear = form.chkLinear.Visible && form.chkLinear.Value() == 1;
      if (first || b.index != model.Value() || b.tipBits != form.dBitsPerSymbol || b.tipLinear != linear) {
        b.index = model.Value();
        b.tipBits = form.dBitsPerSymbol;
        b.tipLinear = linear;
        bar->setToolTip(sliderTooltip(tooltipFor(model.name), form.sliderText(model)));
      }
      break;
    }
    case ControlKind::CheckBox: {
      auto& model = static_cast<CheckBox&>(c);
      auto* box = static_cast<QCheckBox*>(w);
      const QSignalBlocker block(box);
      if (changed(b.text, model.Caption)) box->setText(qs(model.Caption));
      if (box->isChecked() != (model.Value() == 1)) box->setChecked(model.Value() == 1);
      setTextColour(box, b.colour, model.ForeColor);
      break;
    }
    case ControlKind::Label: {
      auto& model = static_cast<Label&>(c);
      auto* label = static_cast<QLabel*>(w);
      if (changed(b.text, model.Caption)) label->setText(qs(model.Caption));
      const Qt::Alignment align =
          (model.Alignment == 1 ? Qt::AlignRight : model.Alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft) |
          Qt::AlignTop;
      if (label->alignment() != align) label->setAlignment(align);
      setTextColour(label, b.colour, model.ForeColor);
      break;
    }
    case ControlKind::Button: {
      auto& model = static_cast<Button&>(c);
      if (changed(b.text, model.Caption)) static_cast<QPushButton*>(w)->setText(qs(model.Caption));
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
      picture->syncGeometry(scale);
      auto& model = static_cast<PictureBox&>(c);
      scaleScratch.clear();
      if (showScales) form.describeScales(model, picture->scaleStyle(), scaleScratch);
      picture->setScales(scaleScratch);
      if (model.drawn) {
        model.drawn = false;
        picture->refresh();
      }
      break;
    }
    default: break;
  }
  if (c.kind() != ControlKind::Picture) {
    const QRect geometry = placeOffPictures(scale.rect(c.Left, c.Top, c.Width, c.Height), b);
    if (w->geometry() != geometry) w->setGeometry(geometry);
  }
  const bool visible = c.Visible && !c.setupHidden;
  const bool enabled = c.Enabled && !c.setupLocked;
  if (w->isVisibleTo(canvas) != visible) w->setVisible(visible);
  if (w->isEnabled() != enabled) {
    w->setEnabled(enabled);
    syncLockTooltip(*w, c);
  }
}

uint64_t MainWindowView::diagramSignature(bool overDisplays) const {
  uint64_t h = 1469598103934665603ULL;
  auto mix = [&h](int64_t v) { h = (h ^ static_cast<uint64_t>(v)) * 1099511628211ULL; };
  for (const Control* c : form.controls()) {
    if (c->kind() == ControlKind::Shape && !overDisplays) {
      const auto& s = static_cast<const Shape&>(*c);
      for (int64_t v : {int64_t(s.Left), int64_t(s.Top), int64_t(s.Width), int64_t(s.Height), int64_t(s.Visible),
                        int64_t(s.BorderColor), int64_t(s.BorderWidth), s.zOrder})
        mix(v);
    } else if (c->kind() == ControlKind::Line && static_cast<const LineShape&>(*c).overDisplays == overDisplays) {
      const auto& l = static_cast<const LineShape&>(*c);
      for (int64_t v : {int64_t(l.X1), int64_t(l.Y1), int64_t(l.X2), int64_t(l.Y2), int64_t(l.Visible),
                        int64_t(l.BorderColor), int64_t(l.BorderWidth), l.zOrder})
        mix(v);
    }
  }
  return h;
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

void MainWindowView::syncFromModel(bool afterTick) {
  if (rasters.size() != pictures.size()) {
    rasters.clear();
    for (PictureWidget* picture : pictures) rasters.push_back(&picture->raster());
  }
  if (!drawing) drawing = std::make_unique<ParallelDrawing>();
  drawing->draw(rasters);
  bool restackNeeded = false;
  for (Binding& b : bindings) {
    syncWidget(b);
    restackNeeded |= b.z != b.control->zOrder;
  }
  if (restackNeeded) restack();
  coverPictures();
  const uint64_t under = diagramSignature(false), over = diagramSignature(true);
  if (under != lastDiagram[0] || over != lastDiagram[1]) {
    const bool behind = under != lastDiagram[0];
    lastDiagram[0] = under;
    lastDiagram[1] = over;
    if (behind)
      canvas->refresh();
    else
      canvas->refreshOverlay();
  }
  if (const uint64_t layout = layoutSignature(); layout != lastLayout) {
    lastLayout = layout;
    setFocusOrder();
  }
  syncTitle();
  for (HelpDialog* dialog : helpDialogs)
    if (dialog) dialog->sync();
  if (readoutStrip) readoutStrip->sync(afterTick);
  if (form.Timer1.Enabled && !ticksPaused && form.Timer1.Interval > 0) {
    if (!timer.isActive() || timer.interval() != form.Timer1.Interval) timer.start(form.Timer1.Interval);
  } else if (timer.isActive()) {
    timer.stop();
  }
}

}  // namespace linklab
