#include "sim/framework/ToolbarScrollBar.h"

#include "sim/framework/AccessibleText.h"
#include "sim/framework/Hints.h"
#include "sim/framework/ToolbarLabel.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
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
    // A caption just before the bar names it.
    if (ToolbarLabel *label = lastToolbarLabel(toolbar)) {
        label->setBuddy(this);
        if (design.name.isEmpty())
            setAccessibleText(this, quantityOfCaption(label->text()).name, design.hint);
    }
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
    if (!design.name.isEmpty() || !design.hint.isEmpty())
        setAccessibleText(this, design.name.isEmpty() ? design.hint : design.name, design.hint);
    setFocusPolicy(Qt::StrongFocus);
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

void ToolbarScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    if (!hasFocus())
        return;
    // The style draws no focus for scroll bars; the keys need to show where
    // they go.
    QPainter p(this);
    p.setPen(QPen(palette().color(QPalette::Highlight), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
}

void ToolbarScrollBar::keyPressEvent(QKeyEvent *event)
{
    // QScrollBar inverts its controls so that Page Down moves on, and that
    // turns Left and Right round on a horizontal bar too; the arrows must
    // move the thumb the way they point.
    const int key = event->key();
    if (orientation() == Qt::Horizontal && (key == Qt::Key_Left || key == Qt::Key_Right)
        && !(event->modifiers() & ~Qt::KeypadModifier)) {
        const bool towardsEnd = (key == Qt::Key_Right) != isRightToLeft();
        triggerAction(towardsEnd ? SliderSingleStepAdd : SliderSingleStepSub);
        event->accept();
        return;
    }
    QScrollBar::keyPressEvent(event);
}
