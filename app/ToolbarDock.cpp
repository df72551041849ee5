#include "app/ToolbarDock.h"

#include <QDataStream>
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

void DockFirst(QMainWindow *window, QToolBar *toolbar, Qt::ToolBarArea area)
{
    if (QToolBar *first = firstInArea(window, area, toolbar))
        window->insertToolBar(first, toolbar);
    else
        window->addToolBar(area, toolbar);
}

void DockLast(QMainWindow *window, QToolBar *toolbar, Qt::ToolBarArea area)
{
    window->addToolBar(area, toolbar);
}

void SetPosition(QMainWindow *window, QToolBar *toolbar, int x)
{
    // The main window keeps each docked toolbar's place in its row the way a
    // drag leaves it; the saved layout is the only public way to set it. The
    // record of a toolbar is its object name, a visibility byte, then its
    // position, so the position is patched right after the name.
    const QString name = toolbar->objectName();
    if (name.isEmpty() || toolbar->isFloating())
        return;
    QByteArray state = window->saveState();
    QByteArray key;
    {
        QDataStream s(&key, QIODevice::WriteOnly);
        s << name;
    }
    const int at = state.indexOf(key);
    if (at < 0 || state.indexOf(key, at + 1) >= 0)
        return;
    const int posOffset = at + key.size() + 1;
    if (posOffset + 4 > state.size())
        return;
    QByteArray pos;
    {
        QDataStream s(&pos, QIODevice::WriteOnly);
        s << qint32(qMax(0, x));
    }
    state.replace(posOffset, 4, pos);
    window->restoreState(state);
}

} // namespace ToolbarDock
