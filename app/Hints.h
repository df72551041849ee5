#pragma once
// A control's hint is shown as its tooltip and, while the mouse is over it,
// in the main window's status bar (HintLabel).
#include <QString>

class QWidget;
class QAction;

void SetHint(QWidget *widget, const QString &hint);
void SetHint(QAction *action, const QString &hint);
