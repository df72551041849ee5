#pragma once
// The items a simulation toolbar is built from. Each is created straight
// into the toolbar, in toolbar order, and keeps the toolbar action that
// holds it (show or hide an item with setItemVisible, not with the widget).
//
//   m_massSpinBox = new ToolbarSpinBox(m_toolbar, {.min = 0.1, .max = 1.0, .step = 0.1, .value = 0.5,
//                                      .decimals = 1, .hint = "Set the mass", .width = 55});
//   (designated initializers go in the order the fields are declared)
//   connect(m_massSpinBox, &ToolbarSpinBox::valueEdited, this, &DampedOscillatorWindow::parametersEdited);
//
// User changes emit the item's change signal; setting a value from code does
// not, so handlers never feed back into each other.
#include "sim/framework/DropDownButton.h"
#include "sim/framework/ToolbarLabel.h"
#include "sim/framework/ToolbarScrollBar.h"
#include "sim/framework/ToolbarSpinBox.h"

#include <QString>

class QAction;
class QToolBar;

// A toolbar button with a picture of the shared button lists (see
// sim/framework/IconLibrary.h); caption and hint may be empty (an empty hint shows the
// caption as tooltip). Checkable buttons toggle themselves on each click.
QAction *addToolButton(QToolBar *toolbar, const QString &caption, int imageIndex, const QString &hint = QString(),
                       bool checkable = false);
// A spacer that pushes the items after it to the toolbar's far end.
void addToolbarSpacer(QToolBar *toolbar);
