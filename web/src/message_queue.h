#pragma once
// The program's messages in the page. The page shows them one at a time in a modal dialog and
// runs no tick while one is open; a message that comes again before the user has done anything
// is not queued again, so a running timer never buries the page under dialogs.
#include <deque>
#include <string>

#include "form/host.h"

namespace linklab::web {

class MessageQueue : public Host {
 public:
  void message(std::string_view text) override {
    if (open || (text == last && !actedSinceLast)) return;
    last = text;
    actedSinceLast = false;
    pending.emplace_back(text);
  }
  void userActed() { actedSinceLast = true; }

  // The next message to show ("" when none); it counts as open until closed().
  std::string take() {
    if (open || pending.empty()) return {};
    std::string text = std::move(pending.front());
    pending.pop_front();
    open = true;
    return text;
  }
  void closed() { open = false; }
  bool isOpen() const { return open; }

 private:
  std::deque<std::string> pending;
  std::string last;
  bool actedSinceLast = true;
  bool open = false;
};

}  // namespace linklab::web
