#pragma once
// One scale for everything the application shows outside the canvas: the menu bar and its menus,
// tooltips, message boxes, file dialogs, the help windows and the error-rate window all take the
// main window's layout factor, so a projected window carries readable menus and dialogs too. The
// desktop's own fonts are remembered the first time, and at factor 1 they come back unchanged.
#include <QFont>
#include <QSize>

class QMenu;
class QWidget;

namespace linklab {

// The desktop's application font, as it was before any scaling.
QFont desktopFont();
// A font grown by factor, whether it was given in points or in pixels.
QFont scaledFont(const QFont& font, double factor);
// Sets the application's fonts (and the tooltips') to the desktop's times factor.
void setApplicationScale(double factor);
// The factor set last (1 until then).
double applicationScale();
// A size given in pixels at 100 %, at the application's scale.
QSize scaledSize(QSize atOne);

// Opens dialog (one of the toolkit's own, a file dialog) at atOne times the application's scale
// when that is larger than it would be, never beyond its screen's free area.
void sizeToScale(QWidget& dialog, QSize atOne);

// The desktop style widens a menu's check column with the item's height when it paints, but not
// when it measures the menu: with large text the items' texts were cut short. This measures them
// as they are painted.
void fitMenuItems(QMenu& menu);

}  // namespace linklab
