#include "qt/top_level_queue.h"

#include <QTimer>

namespace linklab {

void TopLevelQueue::post(std::function<void()> work) {
  queued.push_back(std::move(work));
  QTimer::singleShot(0, context, [this] { drain(); });
}

void TopLevelQueue::drain() {
  if (held || draining) return;
  draining = true;
  while (!queued.empty() && !held) {
    std::function<void()> work = std::move(queued.front());
    queued.pop_front();
    work();
  }
  draining = false;
}

void TopLevelQueue::release() {
  held = false;
  drain();
}

}  // namespace linklab
