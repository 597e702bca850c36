// One widget for each control of the model, wired to the model's events.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>

#include "qt/slider_value_tip.h"
#include "main_window/focus_order.h"
#include "main_window/form1.h"
#include "qt/colours.h"
#include "qt/form_canvas.h"
#include "qt/main_window_view.h"
#include "qt/picture_widget.h"
#include "qt/scaled_arrows.h"
#include "qt/typed_text_field.h"

namespace linklab {

namespace {

// LinkLab's own title strip, drawn rather than loaded, at the label's device pixels.
class LogoLabel : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QFont font("DejaVu Sans");
    font.setPointSizeF(this->font().pointSizeF() + 1);
    font.setBold(true);
    font.setItalic(true);
    p.setFont(font);
    p.setPen(QColor(0, 0, 160));
    p.drawText(rect(), Qt::AlignRight | Qt::AlignVCenter, "LinkLab  \u2022  a digital radio link");
  }
};

bool numberList(const std::string& name) {
  for (const char* prefix : {"cmbTxBW", "cmbTxEB", "cmbTxSC", "cmbNoise", "cmbMultipath"})
    if (name.starts_with(prefix)) return true;
  return false;
}

}  // namespace

QStyle* MainWindowView::arrowStyle() {
  if (!arrows) arrows = scaledArrowStyle(this);
  return arrows;
}

QWidget* MainWindowView::createWidget(Control& control) {
  QWidget* w = nullptr;
  switch (control.kind()) {
    case ControlKind::ComboBox: {
      auto* combo = new QComboBox(canvas);
      combo->setEditable(static_cast<ComboBox&>(control).Editable);
      combo->setInsertPolicy(QComboBox::NoInsert);
      // Completing a typed number to an entry changes the number: "0.2" became "0.25", "1"
      // became "100". Only the lists of names complete what is typed.
      if (combo->isEditable() && numberList(control.name)) combo->setCompleter(nullptr);
      combo->setStyle(arrowStyle());
      w = combo;
      break;
    }
    case ControlKind::Slider: {
      auto& model = static_cast<Slider&>(control);
      auto* bar = new QScrollBar(model.horizontal ? Qt::Horizontal : Qt::Vertical, canvas);
      bar->setFocusPolicy(Qt::TabFocus);  // reachable by keyboard; a click leaves the typing alone
      bar->setStyle(arrowStyle());
      connect(bar, &QScrollBar::valueChanged, this, [this, &model, bar](int value) {
        runEvent([&model, value] { model.setValue(value); });
        // Only a user's move gets here (the sync blocks the bar's signals): say where it stands.
        showSliderValue(*bar, QString::fromStdString(form.sliderText(model)));
      });
      w = bar;
      break;
    }
    case ControlKind::CheckBox: {
      auto& model = static_cast<CheckBox&>(control);
      auto* box = new QCheckBox(canvas);
      box->setStyleSheet("QCheckBox { spacing: 2px; }");  // the rail markers are only 24 pixels wide
      if (!takesFocus(form, model)) box->setFocusPolicy(Qt::NoFocus);  // a marker beside a picture
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
      button->setAutoDefault(false);
      // Pause and the trace marker are reached by Tab; the spectrum's title button is a caption.
      button->setFocusPolicy(takesFocus(form, model) ? Qt::TabFocus : Qt::NoFocus);
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
      w = new LogoLabel(canvas);
      w->setAttribute(Qt::WA_TransparentForMouseEvents);
      break;
    }
    case ControlKind::Shape:
    case ControlKind::Line:
    case ControlKind::Timer: return nullptr;  // painted by the canvas or run by the QTimer
  }
  w->setObjectName(QString::fromStdString(control.name));
  w->setGeometry(scale.rect(control.Left, control.Top, control.Width, control.Height));
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

}  // namespace linklab
