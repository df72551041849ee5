#include "sim/framework/PaintBox.h"

PaintBox::PaintBox(QWidget *parent) : DrawingSurface(parent) {}

void PaintBox::ratioChanged()
{
    m_bitmap.setSize(width(), height(), devicePixelRatioF());
    Q_EMIT resized();
}

void PaintBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_bitmap.setSize(width(), height(), devicePixelRatioF());
    Q_EMIT resized();
}
