#include "qt/tooltips.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>
#include <algorithm>
#include <vector>

#include "help/tooltips.h"
#include "main_window/form1.h"

namespace linklab {

namespace {

QString qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }

// The shapes have no widget: the canvas paints them, so the canvas shows their tooltips.
class ShapeTooltips : public QObject {
 public:
  ShapeTooltips(QWidget& canvas, const Form1& form, std::function<QPointF(QPointF)> toTwips)
      : QObject(&canvas), form(form), toTwips(std::move(toTwips)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ToolTip) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPointF at = toTwips(help->pos());
    const double x = at.x(), y = at.y();
    const Control* front = nullptr;
    for (const Control* c : form.controls()) {
      if (c->kind() != ControlKind::Shape || !c->Visible || tooltipFor(c->name).empty()) continue;
      const bool inside = x >= c->Left && x < c->Left + c->Width && y >= c->Top && y < c->Top + c->Height;
      if (inside && (!front || c->zOrder >= front->zOrder)) front = c;
    }
    if (!front) {
      QToolTip::hideText();
      return true;
    }
    QToolTip::showText(help->globalPos(), qs(tooltipFor(front->name)), static_cast<QWidget*>(watched));
    return true;
  }

 private:
  const Form1& form;
  std::function<QPointF(QPointF)> toTwips;
};

}  // namespace

void applyTooltips(QWidget& canvas, const Form1& form, std::function<QPointF(QPointF)> toTwips) {
  for (const Control* control : form.controls()) {
    const std::string_view text = tooltipFor(control->name);
    if (text.empty()) continue;
    if (auto* widget = canvas.findChild<QWidget*>(QString::fromStdString(control->name))) widget->setToolTip(qs(text));
  }
  canvas.installEventFilter(new ShapeTooltips(canvas, form, std::move(toTwips)));
}

}  // namespace linklab
