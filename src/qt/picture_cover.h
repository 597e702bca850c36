#pragma once
#include <QRect>

namespace linklab {

// rect without the strip where it overhangs picture's edge; a rect that crosses the picture or
// sits inside it is left as it is.
QRect cutBack(QRect rect, const QRect& picture);

}  // namespace linklab
