#pragma once
// A control's hint is shown as its tooltip and, while the mouse is over it,
// in the main window's status bar (hintLabel).
#include <QString>

class QWidget;
class QAction;

void setHint(QWidget *widget, const QString &hint);
void setHint(QAction *action, const QString &hint);
