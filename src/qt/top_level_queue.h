#pragma once
// Work that must run from the event loop's top level rather than inside the call that asked for
// it (a focus change inside a menu popup, say). Queued work runs in the order it came, once,
// either from the event loop or when someone drains the queue first (a tick drains it, so a
// commit typed before a tick reaches the model before that tick).
#include <QObject>
#include <deque>
#include <functional>

namespace linklab {

class TopLevelQueue {
 public:
  explicit TopLevelQueue(QObject* context) : context(context) {}
  void post(std::function<void()> work);
  // Runs everything queued so far, unless held.
  void drain();
  bool empty() const { return queued.empty(); }
  // While held (a message box is open), nothing runs; release() drains.
  void hold() { held = true; }
  void release();

 private:
  QObject* context;
  std::deque<std::function<void()>> queued;
  bool held = false;
  bool draining = false;
};

}  // namespace linklab
