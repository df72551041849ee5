#pragma once
// Placing toolbars in the main window's top and bottom docks.
#include <Qt>

class QMainWindow;
class QToolBar;

namespace ToolbarDock {

// Moves `toolbar` into `area`, first in the area's first row.
void dockFirst(QMainWindow *window, QToolBar *toolbar, Qt::ToolBarArea area);
} // namespace ToolbarDock
