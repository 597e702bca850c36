#pragma once
// How the program shows its messages: a modal box in the window, a printed line in batch runs.
#include <string_view>

namespace linklab {

class Host {
 public:
  virtual ~Host() = default;
  virtual void message(std::string_view text) = 0;
  // A typed value the control would not take (it shows its last good value again), and why. A
  // window points at the field; a batch run has nothing to point at and stays quiet.
  virtual void refused(std::string_view /*controlName*/, std::string_view /*why*/) {}
};

}  // namespace linklab
