#pragma once
// The arrows of the lists and sliders grow with the layout. The toolkit's styles stop them at a
// desktop size, which leaves a dot on a projected window.
class QObject;
class QStyle;

namespace linklab {

// The application's style with arrows drawn to the size of their buttons once the layout is
// scaled up; owned by owner.
QStyle* scaledArrowStyle(QObject* owner);

}  // namespace linklab
