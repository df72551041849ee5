#include "sim/framework/DrawingSurface.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

DrawingSurface::DrawingSurface(QWidget *parent) : QWidget(parent)
{
    // The bitmap covers the whole control: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    m_bitmap.onChanged = [this] { update(); };
}

QImage DrawingSurface::snapshot() const
{
    return frame().copy();
}

void DrawingSurface::paintEvent(QPaintEvent *)
{
    if (!m_bitmap.isEmpty() && m_bitmap.devicePixelRatio() != devicePixelRatioF() && !m_ratioChangePending) {
        // Moved to a screen of another pixel ratio: size the bitmap anew and
        // let the window redraw, after this paint.
        m_ratioChangePending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_ratioChangePending = false;
            ratioChanged();
        }, Qt::QueuedConnection);
    }
    QPainter p(this);
    const QImage picture = frame();
    const QSizeF shown = picture.isNull() ? QSizeF() : picture.deviceIndependentSize();
    if (shown.width() < width() || shown.height() < height()) {
        // An image control's bitmap may be smaller than the control.
        const QColor bg = palette().color(QPalette::Window);
        p.fillRect(QRectF(shown.width(), 0, width() - shown.width(), height()), bg);
        p.fillRect(QRectF(0, shown.height(), shown.width(), height() - shown.height()), bg);
    }
    if (!picture.isNull())
        p.drawImage(QPointF(0, 0), picture);
}

void DrawingSurface::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mousePressed(event);
}

void DrawingSurface::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event);
}

void DrawingSurface::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseReleased(event);
}

void DrawingSurface::ratioChanged()
{
    Q_EMIT resized();
}

void showOffscreen(QWidget *widget, const QSize &size)
{
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    widget->resize(size);
    widget->show();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
