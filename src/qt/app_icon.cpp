#include "qt/app_icon.h"

namespace linklab {

QIcon appIcon() { return QIcon(":/icons/org.linklab.LinkLab.svg"); }

}  // namespace linklab
