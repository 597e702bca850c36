// Placeholders until the chain driver, animation, option rules, scenes, handlers and drag
// handles land; each is removed here when its real body is written.
#include "main_window/form1.h"

namespace linklab {
}  // namespace linklab
