#include "qt/form_canvas.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <array>

#include "main_window/form1.h"
#include "qt/colours.h"

namespace linklab {

namespace {

bool isDiagram(const Control& c, bool overDisplays) {
  if (c.kind() == ControlKind::Line) return static_cast<const LineShape&>(c).overDisplays == overDisplays;
  return c.kind() == ControlKind::Shape && !overDisplays;
}

// Paints the shapes and lines of the form, those behind the widgets or those over them, in
// z-order, through the layout's scale (border widths grow with it).
void paintDiagram(QPainter& p, const Form1& form, bool overDisplays, const LayoutScale& scale) {
  // The diagram has a few dozen parts; a fixed array keeps painting free of allocation.
  std::array<const Control*, 128> drawn;
  std::size_t count = 0;
  for (const Control* c : form.controls())
    if (c->Visible && isDiagram(*c, overDisplays) && count < drawn.size()) drawn[count++] = c;
  std::stable_sort(drawn.begin(), drawn.begin() + count, [](auto* a, auto* b) { return a->zOrder < b->zOrder; });
  p.translate(scale.origin);
  p.scale(scale.factor, scale.factor);
  for (std::size_t i = 0; i < count; ++i) {
    const Control* c = drawn[i];
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

// The lines over the pictures, on a transparent layer that the mouse passes through.
class Overlay : public QWidget {
 public:
  Overlay(const Form1& form, const LayoutScale& scale, QWidget* parent) : QWidget(parent), form(form), scale(scale) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
  }
  // Covers the visible over-picture lines and nothing more; hidden when there are none.
  void follow() {
    QRect bounds;
    for (const Control* c : form.controls()) {
      if (!c->Visible || !isDiagram(*c, true)) continue;
      const auto& l = static_cast<const LineShape&>(*c);
      const int pen = static_cast<int>(std::ceil(std::max(1, l.BorderWidth) * scale.factor)) + 1;
      bounds |= QRect(scale.point(l.X1, l.Y1).toPoint(), scale.point(l.X2, l.Y2).toPoint())
                    .normalized()
                    .adjusted(-pen, -pen, pen, pen);
    }
    if (bounds.isEmpty()) {
      if (isVisible()) hide();
      return;
    }
    if (geometry() != bounds) setGeometry(bounds);
    if (!isVisible()) show();
    raise();
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.translate(-pos());
    paintDiagram(p, form, true, scale);
  }

 private:
  const Form1& form;
  const LayoutScale& scale;
};

}  // namespace

FormCanvas::FormCanvas(Form1& form, const LayoutScale& scale, QWidget* parent,
                       std::function<void(std::function<void()>)> runEvent, std::function<void()> resized)
    : QWidget(parent),
      form(form),
      scale(scale),
      overlay(new Overlay(form, scale, this)),
      runEvent(std::move(runEvent)),
      resized(std::move(resized)) {
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(240, 240, 240));
  setPalette(p);
}

QSize FormCanvas::sizeHint() const {
  return QSize(static_cast<int>(Form1::ClientWidth / kTwipsPerPixel + 0.5),
               static_cast<int>(Form1::ClientHeight / kTwipsPerPixel + 0.5));
}

void FormCanvas::refresh() {
  static_cast<Overlay*>(overlay)->follow();
  update();
}

void FormCanvas::refreshOverlay() { static_cast<Overlay*>(overlay)->follow(); }

void FormCanvas::paintEvent(QPaintEvent*) {
  QPainter p(this);
  paintDiagram(p, form, false, scale);
}

void FormCanvas::resizeEvent(QResizeEvent*) { resized(); }

void FormCanvas::forward(QMouseEvent* event, bool press) {
  int button = 0;
  const Qt::MouseButtons held = press ? Qt::MouseButtons(event->button()) : event->buttons();
  if (held & Qt::LeftButton) button |= 1;
  if (held & Qt::RightButton) button |= 2;
  int shift = 0;
  if (event->modifiers() & Qt::ShiftModifier) shift |= 1;
  if (event->modifiers() & Qt::ControlModifier) shift |= 2;
  if (event->modifiers() & Qt::AltModifier) shift |= 4;
  const QPointF at = scale.twips(event->position());
  const double x = at.x(), y = at.y();
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
