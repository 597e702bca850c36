#pragma once
// The program's icon, from its SVG built into the program.
#include <QIcon>

namespace linklab {

QIcon appIcon();

}  // namespace linklab
