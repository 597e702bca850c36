#include "qt/form_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "main_window/form1.h"
#include "qt/colours.h"

namespace linklab {

namespace {

// A transparent layer over every widget; the mouse passes through it to what lies below.
class Overlay : public QWidget {
 public:
  Overlay(const Form1& form, QWidget* parent) : QWidget(parent), form(form) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }

 protected:
  void paintEvent(QPaintEvent*) override { paintDiagram(*this, form, true); }

 private:
  const Form1& form;
};

bool isDiagram(const Control& c, bool overDisplays) {
  if (c.kind() == ControlKind::Line) return static_cast<const LineShape&>(c).overDisplays == overDisplays;
  return c.kind() == ControlKind::Shape && !overDisplays;
}

}  // namespace

FormCanvas::FormCanvas(Form1& form, QWidget* parent, std::function<void(std::function<void()>)> runEvent)
    : QWidget(parent), form(form), overlay(new Overlay(form, this)), runEvent(std::move(runEvent)) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(240, 240, 240));
  setPalette(p);
}

void FormCanvas::refresh() {
  overlay->setGeometry(rect());
  overlay->raise();
  update();
  overlay->update();
}

void FormCanvas::paintEvent(QPaintEvent*) { paintDiagram(*this, form, false); }

void paintDiagram(QWidget& target, const Form1& form, bool overDisplays) {
  QPainter p(&target);
  std::vector<const Control*> drawn;
  for (const Control* c : form.controls())
    if (c->Visible && isDiagram(*c, overDisplays)) drawn.push_back(c);
  std::stable_sort(drawn.begin(), drawn.end(), [](auto* a, auto* b) { return a->zOrder < b->zOrder; });
  for (const Control* c : drawn) {
    if (c->kind() == ControlKind::Line) {
      const auto& l = static_cast<const LineShape&>(*c);
      p.setRenderHint(QPainter::Antialiasing, false);
      p.setPen(QPen(toQColor(l.BorderColor), std::max(1, l.BorderWidth), Qt::SolidLine, Qt::FlatCap));
      p.drawLine(QPointF(l.X1 / kTwipsPerPixel, l.Y1 / kTwipsPerPixel),
                 QPointF(l.X2 / kTwipsPerPixel, l.Y2 / kTwipsPerPixel));
      continue;
    }
    const auto& s = static_cast<const Shape&>(*c);
    const QRectF r(s.Left / kTwipsPerPixel, s.Top / kTwipsPerPixel, s.Width / kTwipsPerPixel,
                   s.Height / kTwipsPerPixel);
    p.setRenderHint(QPainter::Antialiasing, s.shape == Shape::Form::Circle);
    p.setPen(QPen(toQColor(s.BorderColor), std::max(1, s.BorderWidth)));
    p.setBrush(s.filled ? QBrush(toQColor(s.FillColor)) : Qt::NoBrush);
    const QRectF inner = r.adjusted(0.5, 0.5, -0.5, -0.5);
    if (s.shape == Shape::Form::Circle)
      p.drawEllipse(inner);
    else
      p.drawRect(inner);
  }
}

void FormCanvas::forward(QMouseEvent* event, bool press) {
  int button = 0;
  const Qt::MouseButtons held = press ? Qt::MouseButtons(event->button()) : event->buttons();
  if (held & Qt::LeftButton) button |= 1;
  if (held & Qt::RightButton) button |= 2;
  int shift = 0;
  if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
  if (event->modifiers() & Qt::ControlModifier) shift |= 2;
  if (event->modifiers() & Qt::AltModifier) shift |= 4;
  const double x = event->position().x() * kTwipsPerPixel;
  const double y = event->position().y() * kTwipsPerPixel;
  runEvent([this, press, button, shift, x, y] {
    if (press)
      form.Form_MouseDown(button, shift, x, y);
    else
      form.Form_MouseMove(button, shift, x, y);
  });
}

void FormCanvas::mousePressEvent(QMouseEvent* event) { forward(event, true); }

void FormCanvas::mouseMoveEvent(QMouseEvent* event) { forward(event, false); }

}  // namespace linklab
