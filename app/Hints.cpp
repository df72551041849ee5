#include "app/Hints.h"

#include <QAction>
#include <QWidget>

void SetHint(QWidget *widget, const QString &hint)
{
    widget->setToolTip(hint);
    widget->setStatusTip(hint);
}

void SetHint(QAction *action, const QString &hint)
{
    action->setToolTip(hint);
    action->setStatusTip(hint);
}
