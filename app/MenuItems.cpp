#include "app/MenuItems.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

QMenu *addNamedMenu(QMenuBar *bar, const char *objectName, const QString &caption)
{
    QMenu *menu = bar->addMenu(caption);
    menu->setObjectName(QLatin1String(objectName));
    return menu;
}

QAction *addNamedAction(QMenu *menu, const char *objectName, const QString &caption)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(QLatin1String(objectName));
    return action;
}
