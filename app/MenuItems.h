#pragma once
// Menus and menu items carry object names, so tests and the hint machinery
// can find them; these make one in one call.
#include <QString>

class QAction;
class QMenu;
class QMenuBar;

QMenu *addNamedMenu(QMenuBar *bar, const char *objectName, const QString &caption);
QAction *addNamedAction(QMenu *menu, const char *objectName, const QString &caption);
