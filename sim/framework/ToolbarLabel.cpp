#include "sim/framework/ToolbarLabel.h"

#include <QAction>
#include <QToolBar>

ToolbarLabel::ToolbarLabel(QToolBar *toolbar, const QString &caption) : QLabel(caption, toolbar)
{
    setTextFormat(Qt::PlainText);
    m_action = toolbar->addWidget(this);
}

void ToolbarLabel::setItemVisible(bool visible)
{
    m_action->setVisible(visible);
}
