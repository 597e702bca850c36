#pragma once
// Shows the program's messages in a window-modal box. The box opens from the event loop's top
// level, never inside the handler that raised the message: a handler may run inside a menu popup,
// a focus change or a paint, and a modal loop there leaves the toolkit with stale state when it
// returns. Ticks stop from the moment the message is raised until the box is closed, and a
// message that comes again before the user has done anything is not shown again: a running timer
// must never bury the window under boxes.
#include <QWidget>
#include <functional>
#include <string>

#include "form/host.h"

namespace linklab {

class MessageBoxHost : public Host {
 public:
  // boxOpen(true) when a message is raised, boxOpen(false) after its box is closed.
  MessageBoxHost(QWidget* parent, std::function<void(bool)> boxOpen) : parent(parent), boxOpen(std::move(boxOpen)) {}
  void message(std::string_view text) override;
  void refused(std::string_view controlName, std::string_view why) override {
    ++refusedCount;
    if (onRefused) onRefused(controlName, why);
  }
  std::function<void(std::string_view, std::string_view)> onRefused;
  int refusals() const { return refusedCount; }
  // Called on every user action: the same message may then be shown again.
  void userActed() { actedSinceLast = true; }
  int shown() const { return shownCount; }
  const std::string& lastMessage() const { return last; }
  bool isOpen() const { return open; }

  bool interactive = true;  // false in tests: count the message, show no box

 private:
  void showBox(const std::string& text);
  QWidget* parent;
  std::function<void(bool)> boxOpen;
  std::string last;
  bool actedSinceLast = true;
  bool open = false;
  int shownCount = 0;
  int refusedCount = 0;
};

}  // namespace linklab
