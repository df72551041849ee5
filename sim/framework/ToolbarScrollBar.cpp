#include "sim/framework/ToolbarScrollBar.h"

#include "sim/framework/Hints.h"

#include <QAction>
#include <QToolBar>

ToolbarScrollBar::ToolbarScrollBar(const ScrollBarDesign &design, QWidget *parent) : QScrollBar(design.orientation, parent)
{
    init(design);
}

ToolbarScrollBar::ToolbarScrollBar(QToolBar *toolbar, const ScrollBarDesign &design, const QSize &size)
    : QScrollBar(design.orientation, toolbar)
{
    init(design);
    setFixedSize(size);
    m_action = toolbar->addWidget(this);
}

void ToolbarScrollBar::init(const ScrollBarDesign &design)
{
    m_settingPosition = true;
    setRange(design.min, design.max);
    setValue(design.position);
    setSingleStep(design.smallStep);
    setPageStep(qMax(1, design.pageStep));
    m_settingPosition = false;
    if (!design.hint.isEmpty())
        setHint(this, design.hint);
    connect(this, &QScrollBar::valueChanged, this, [this](int v) {
        if (!m_settingPosition)
            Q_EMIT scrolled(v);
    });
}

void ToolbarScrollBar::setPosition(int position)
{
    m_settingPosition = true;
    setValue(position);
    m_settingPosition = false;
}
