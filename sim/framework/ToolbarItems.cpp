#include "sim/framework/ToolbarItems.h"

#include "sim/framework/AccessibleText.h"
#include "sim/framework/Hints.h"
#include "sim/framework/IconLibrary.h"

#include <QAction>
#include <QToolBar>
#include <QWidget>

QAction *addToolButton(QToolBar *toolbar, const QString &caption, int imageIndex, const QString &hint, bool checkable)
{
    QAction *a = toolbar->addAction(caption);
    if (imageIndex >= 0) {
        setIconIndex(a, imageIndex);
        a->setIcon(IconLibrary::iconsFor(toolbar).icon(imageIndex));
    }
    if (!hint.isEmpty())
        setHint(a, hint);
    a->setCheckable(checkable);
    // Toolbars keep their buttons out of the Tab order; these are reachable
    // by keys and announced by caption (or hint, for picture-only buttons).
    if (QWidget *button = toolbar->widgetForAction(a)) {
        button->setFocusPolicy(Qt::TabFocus);
        keepSpaceKey(button);
        nameButton(button, caption, hint);
    }
    return a;
}

void addToolbarSpacer(QToolBar *toolbar)
{
    auto *spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
}
