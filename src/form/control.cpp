#include "form/control.h"

namespace linklab {

namespace {
int64_t frontMost = 0;
int64_t backMost = 0;
}  // namespace

void Control::ZOrder(int position) { zOrder = position == 0 ? ++frontMost : --backMost; }

}  // namespace linklab
