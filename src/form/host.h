#pragma once
// How the program shows its messages: a modal box in the window, a printed line in batch runs.
#include <string_view>

namespace linklab {

class Host {
 public:
  virtual ~Host() = default;
  virtual void message(std::string_view text) = 0;
};

}  // namespace linklab
