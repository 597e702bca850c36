// Controls that sit on the pictures. A picture repaints at every tick, and a control stacked
// over it would repaint with it. So a control inside a picture is painted opaque, in the
// picture's background colour, and the picture's repaint leaves it out; a label or slider that
// only overhangs a picture's edge (empty label space, a slider's one-pixel overlap) is cut back
// to that edge, where it showed nothing anyway.
#include "qt/picture_cover.h"

#include <QWidget>

#include "form/picture_box.h"
#include "qt/colours.h"
#include "qt/form_canvas.h"
#include "qt/main_window_view.h"
#include "qt/picture_widget.h"

namespace linklab {

namespace {

bool stackedAbove(const Control& above, size_t aboveIndex, const Control& below, size_t belowIndex) {
  return above.zOrder != below.zOrder ? above.zOrder > below.zOrder : aboveIndex > belowIndex;
}

}  // namespace

QRect cutBack(QRect rect, const QRect& picture) {
  const QRect overlap = rect & picture;
  if (overlap.isEmpty() || overlap == rect) return rect;
  if (overlap.height() == rect.height()) {
    if (overlap.left() > rect.left() && overlap.right() == rect.right()) rect.setRight(overlap.left() - 1);
    else if (overlap.left() == rect.left() && overlap.right() < rect.right()) rect.setLeft(overlap.right() + 1);
  } else if (overlap.width() == rect.width()) {
    if (overlap.top() > rect.top() && overlap.bottom() == rect.bottom()) rect.setBottom(overlap.top() - 1);
    else if (overlap.top() == rect.top() && overlap.bottom() < rect.bottom()) rect.setTop(overlap.bottom() + 1);
  }
  return rect;
}

QRect MainWindowView::placeOffPictures(QRect rect, const Binding& binding) const {
  const ControlKind kind = binding.control->kind();
  if (kind != ControlKind::Label && kind != ControlKind::Slider) return rect;
  const size_t index = &binding - bindings.data();
  for (size_t i = 0; i < bindings.size(); ++i) {
    const Control& picture = *bindings[i].control;
    if (picture.kind() != ControlKind::Picture || !picture.Visible) continue;
    if (!stackedAbove(*binding.control, index, picture, i)) continue;
    rect = cutBack(rect, scale.rect(picture.Left, picture.Top, picture.Width, picture.Height));
  }
  return rect;
}

void MainWindowView::coverPictures() {
  for (size_t p = 0; p < bindings.size(); ++p) {
    if (bindings[p].control->kind() != ControlKind::Picture) continue;
    auto* picture = static_cast<PictureWidget*>(bindings[p].widget);
    const QRect place = picture->geometry();
    covers.clear();
    for (size_t i = 0; i < bindings.size(); ++i) {
      Binding& b = bindings[i];
      if (b.control->kind() == ControlKind::Picture || !b.widget->isVisibleTo(canvas)) continue;
      if (!picture->isVisibleTo(canvas) || !stackedAbove(*b.control, i, *bindings[p].control, p)) continue;
      if (!place.contains(b.widget->geometry())) continue;
      covers.push_back(b.widget->geometry().translated(-place.topLeft()));
      b.coveredBy = picture;
    }
    picture->setCovers(covers);
  }
  // A control on a picture is filled with the picture's background, so nothing of the trace
  // beneath shows through where the picture no longer repaints.
  // (Compared with the widget each time: a style sheet set on rescaling resets the fill.)
  for (Binding& b : bindings) {
    auto* on = static_cast<PictureWidget*>(b.coveredBy);
    b.coveredBy = nullptr;
    if (b.widget->autoFillBackground() != (on != nullptr)) b.widget->setAutoFillBackground(on != nullptr);
    if (!on) continue;
    const QColor fill = toQColor(on->model().BackColor);
    if (b.widget->palette().color(QPalette::Window) == fill) continue;
    QPalette palette = b.widget->palette();
    palette.setColor(QPalette::Window, fill);
    b.widget->setPalette(palette);
  }
}

}  // namespace linklab
