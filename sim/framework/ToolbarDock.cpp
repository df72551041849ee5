#include "sim/framework/ToolbarDock.h"

#include <QAction>
#include <QMainWindow>
#include <QToolBar>
#include <QToolButton>

namespace ToolbarDock {
namespace {
const char *kCompactProperty = "orvantaCompact";
const char *kOwnStyleProperty = "orvantaOwnStyle";

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

void placeRows(QMainWindow *window, Qt::ToolBarArea area, const QList<QList<QToolBar *>> &rows)
{
    // Adding a toolbar puts it at the end of the area's last row; adding
    // them all in order, with a break before each later row, gives exactly
    // the rows asked for.
    for (const QList<QToolBar *> &row : rows) {
        bool first = true;
        for (QToolBar *tb : row) {
            if (!tb)
                continue;
            const bool hidden = tb->isHidden();
            window->addToolBar(area, tb);
            if (first && &row != &rows.first())
                window->insertToolBarBreak(tb);
            first = false;
            tb->setHidden(hidden); // adding shows it
        }
    }
}

void setCompact(QToolBar *toolbar, bool compact)
{
    if (!toolbar || isCompact(toolbar) == compact)
        return;
    toolbar->setProperty(kCompactProperty, compact);
    for (QAction *a : toolbar->actions()) {
        auto *b = qobject_cast<QToolButton *>(toolbar->widgetForAction(a));
        if (!b || a->icon().isNull() || a->text().isEmpty())
            continue;
        if (compact) {
            b->setProperty(kOwnStyleProperty, int(b->toolButtonStyle()));
            b->setToolButtonStyle(Qt::ToolButtonIconOnly);
        } else if (const QVariant own = b->property(kOwnStyleProperty); own.isValid()) {
            b->setToolButtonStyle(Qt::ToolButtonStyle(own.toInt()));
        }
    }
}

bool isCompact(const QToolBar *toolbar)
{
    return toolbar && toolbar->property(kCompactProperty).toBool();
}

} // namespace ToolbarDock
