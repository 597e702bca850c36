#pragma once
// Shows the program's messages in a modal box. While the box is open no tick runs, and a message
// that comes again before the user has done anything is not shown again: a running timer must
// never bury the window under boxes.
#include <QWidget>
#include <functional>
#include <string>

#include "form/host.h"

namespace linklab {

class MessageBoxHost : public Host {
 public:
  // pauseTicks(true) before the box opens, pauseTicks(false) after it closes.
  MessageBoxHost(QWidget* parent, std::function<void(bool)> pauseTicks)
      : parent(parent), pauseTicks(std::move(pauseTicks)) {}
  void message(std::string_view text) override;
  // Called on every user action: the same message may then be shown again.
  void userActed() { actedSinceLast = true; }
  int shown() const { return shownCount; }

  bool interactive = true;  // false in tests: count the message, show no box

 private:
  QWidget* parent;
  std::function<void(bool)> pauseTicks;
  std::string last;
  bool actedSinceLast = true;
  bool open = false;
  int shownCount = 0;
};

}  // namespace linklab
