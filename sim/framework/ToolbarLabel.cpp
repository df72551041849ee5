#include "sim/framework/ToolbarLabel.h"

#include "sim/framework/AccessibleText.h"

#include <QAction>
#include <QToolBar>

ToolbarLabel::ToolbarLabel(QToolBar *toolbar, const QString &caption) : QLabel(caption, toolbar)
{
    setTextFormat(Qt::PlainText);
    setAccessibleText(this, caption.simplified());
    m_action = toolbar->addWidget(this);
}

void ToolbarLabel::setItemVisible(bool visible)
{
    m_action->setVisible(visible);
}
