// Tab order follows the block diagram, by the core's rule (main_window/focus_order.h), which
// control_widgets.cpp also asks who takes focus.
#include <QWidget>
#include <algorithm>

#include "main_window/focus_order.h"
#include "main_window/form1.h"
#include "qt/main_window_view.h"

namespace linklab {

namespace {

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
  std::stable_sort(order.begin(), order.end(),
                   [](const Binding* a, const Binding* b) { return tabsBefore(*a->control, *b->control); });
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1]->widget, order[i]->widget);
  if (!order.empty() && !focusWidget()) order.front()->widget->setFocus();
}

}  // namespace linklab
