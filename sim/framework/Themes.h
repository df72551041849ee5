#pragma once
// The visual themes of the "Appearance" menu: colour schemes of our own over
// Qt's Fusion style, applied to every window of the application at once.
#include <QColor>
#include <QString>
#include <QStringList>

namespace Themes {

// The theme names in menu order.
QStringList names();
// The default theme's name as the settings store it.
QString defaultName();
// The menu's spelling of `name`, matched without regard to case; empty when
// there is no such theme.
QString canonical(const QString &name);
// Applies the theme to the whole application; false (and nothing changes)
// for an unknown name.
bool apply(const QString &name);
// The theme in force (its menu spelling).
QString current();
// Background of splitters and other bare panel areas in the current theme.
QColor splitterBackground();

} // namespace Themes
