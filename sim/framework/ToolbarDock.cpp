#include "sim/framework/ToolbarDock.h"

#include <QMainWindow>
#include <QToolBar>

namespace ToolbarDock {
namespace {
QToolBar *firstInArea(QMainWindow *window, Qt::ToolBarArea area, QToolBar *except)
{
    QToolBar *first = nullptr;
    for (QToolBar *tb : window->findChildren<QToolBar *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (tb == except || tb->isFloating() || window->toolBarArea(tb) != area)
            continue;
        if (!first || tb->y() < first->y() || (tb->y() == first->y() && tb->x() < first->x()))
            first = tb;
    }
    return first;
}
} // namespace

void dockFirst(QMainWindow *window, QToolBar *toolbar, Qt::ToolBarArea area)
{
    if (QToolBar *first = firstInArea(window, area, toolbar))
        window->insertToolBar(first, toolbar);
    else
        window->addToolBar(area, toolbar);
}

} // namespace ToolbarDock
