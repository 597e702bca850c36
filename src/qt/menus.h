#pragma once
// The menu bar and the window's shortcuts. buildMenus calls one function per menu, in the order
// the menus stand on the bar; a new menu is one more call there.
class QMenu;

namespace linklab {

class MainWindowView;

void buildMenus(MainWindowView& view);
// View: pause and continue, full screen (F11), zoom in, out and back to 100 % (Ctrl+=, Ctrl+-,
// Ctrl+0).
QMenu* addViewMenu(MainWindowView& view);
// Help: the two help windows (F1 opens the first).
QMenu* addHelpMenu(MainWindowView& view);
// Shortcuts that belong to no menu: Ctrl+Q quits.
void addWindowShortcuts(MainWindowView& view);

}  // namespace linklab
