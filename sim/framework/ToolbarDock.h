#pragma once
// Placing toolbars in the main window's top and bottom docks, and keeping
// every button of a dock row on the screen: rows, and buttons that show
// their pictures without captions when a row is short of room.
#include <QList>
#include <Qt>

class QMainWindow;
class QToolBar;

namespace ToolbarDock {

// Moves `toolbar` into `area`, first in the area's first row.
void dockFirst(QMainWindow *window, QToolBar *toolbar, Qt::ToolBarArea area);

// Puts the toolbars into `area` in the order given, each inner list on a
// row of its own. Hidden toolbars keep their place but stay hidden.
void placeRows(QMainWindow *window, Qt::ToolBarArea area, const QList<QList<QToolBar *>> &rows);

// Compact: the buttons that have a picture show it without their caption
// (their tooltip still says what they do); buttons with a caption alone
// keep it. Not compact: each button as it was made.
void setCompact(QToolBar *toolbar, bool compact);
bool isCompact(const QToolBar *toolbar);

} // namespace ToolbarDock
