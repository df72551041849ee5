#pragma once
// What a screen reader announces for the items of a simulation toolbar: a
// value box is read as its quantity, value and unit ("Mass, 0.5 kilograms"),
// not as "spin box"; buttons and scroll bars by their caption or hint.
#include <QString>

class QToolBar;
class QWidget;
class ToolbarLabel;

// A label's caption split into the quantity and the unit in brackets:
// " Mass (kg) " -> {"Mass", "kg"}; " Wavelength " -> {"Wavelength", ""}.
struct CaptionQuantity {
    QString name;
    QString unit;
};
CaptionQuantity quantityOfCaption(const QString &caption);

// A unit as it is spoken: "kg" -> "kilograms", "N/m" -> "newtons per metre".
// Units not in the table are spoken as written.
QString spokenUnit(const QString &unit);

// The label item that stands last in the toolbar (the caption of the item
// about to be added), or null.
ToolbarLabel *lastToolbarLabel(QToolBar *toolbar);

// Name and description of a widget for screen readers; the description
// falls back to the name when empty.
void setAccessibleText(QWidget *widget, const QString &name, const QString &description = QString());

// A toolbar button: a captioned one is announced by its caption (which
// may change), a picture-only one by its hint; the hint describes both.
void nameButton(QWidget *button, const QString &caption, const QString &hint);

// A focused button keeps the Space key (it presses the button) even where
// Space is a shortcut around it.
void keepSpaceKey(QWidget *button);
