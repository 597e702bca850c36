// Tab order follows the block diagram: from the scene list down through the transmitter, the
// channel and the receiver, then the displays' own controls from the top. Labels and the markers
// beside the pictures take no focus (control_widgets.cpp sets who does).
#include <QWidget>
#include <algorithm>

#include "main_window/form1.h"
#include "qt/main_window_view.h"

namespace linklab {

namespace {

// The block diagram fills the left of the window; the displays start at this x.
constexpr int kDisplayColumn = 5900;

bool takesTab(const QWidget* w) { return (w->focusPolicy() & Qt::TabFocus) != 0; }

}  // namespace

uint64_t MainWindowView::layoutSignature() const {
  uint64_t h = 1469598103934665603ULL;
  for (const Binding& b : bindings) {
    if (!takesTab(b.widget)) continue;
    for (int64_t v : {int64_t(b.control->Left), int64_t(b.control->Top), int64_t(b.control->Visible)})
      h = (h ^ static_cast<uint64_t>(v)) * 1099511628211ULL;
  }
  return h;
}

void MainWindowView::setFocusOrder() {
  std::vector<const Binding*> order;
  for (const Binding& b : bindings)
    if (takesTab(b.widget)) order.push_back(&b);
  std::stable_sort(order.begin(), order.end(), [](const Binding* a, const Binding* b) {
    const Control& p = *a->control;
    const Control& q = *b->control;
    const bool pRight = p.Left >= kDisplayColumn, qRight = q.Left >= kDisplayColumn;
    if (pRight != qRight) return qRight;
    if (p.Top != q.Top) return p.Top < q.Top;
    return p.Left < q.Left;
  });
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1]->widget, order[i]->widget);
  if (!order.empty() && !focusWidget()) order.front()->widget->setFocus();
}

}  // namespace linklab
