#include "sim/framework/PaintBox32.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

TDrawSurface::TDrawSurface(QWidget *parent) : QWidget(parent)
{
    // The bitmap covers the whole control: nothing to erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    m_bitmap.OnChanged = [this] { update(); };
}

QImage TDrawSurface::Snapshot() const
{
    return Frame().copy();
}

void TDrawSurface::paintEvent(QPaintEvent *)
{
    if (!m_bitmap.Empty() && m_bitmap.DevicePixelRatio() != devicePixelRatioF() && !m_ratioChangePending) {
        // Moved to a screen of another pixel ratio: size the bitmap anew and
        // let the window redraw, after this paint.
        m_ratioChangePending = true;
        QMetaObject::invokeMethod(this, [this] {
            m_ratioChangePending = false;
            RatioChanged();
        }, Qt::QueuedConnection);
    }
    QPainter p(this);
    const QImage frame = Frame();
    const QSizeF shown = frame.isNull() ? QSizeF() : frame.deviceIndependentSize();
    if (shown.width() < width() || shown.height() < height()) {
        // An image control's bitmap may be smaller than the control.
        const QColor bg = palette().color(QPalette::Window);
        p.fillRect(QRectF(shown.width(), 0, width() - shown.width(), height()), bg);
        p.fillRect(QRectF(0, shown.height(), shown.width(), height() - shown.height()), bg);
    }
    if (!frame.isNull())
        p.drawImage(QPointF(0, 0), frame);
}

void TDrawSurface::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT MouseDown(event);
}

void TDrawSurface::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT MouseMove(event);
}

void TDrawSurface::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT MouseUp(event);
}

TPaintBox32::TPaintBox32(QWidget *parent) : TDrawSurface(parent) {}

void TDrawSurface::RatioChanged()
{
    Q_EMIT Resized();
}

void TPaintBox32::RatioChanged()
{
    m_bitmap.SetSize(width(), height(), devicePixelRatioF());
    Q_EMIT Resized();
}

void TPaintBox32::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_bitmap.SetSize(width(), height(), devicePixelRatioF());
    Q_EMIT Resized();
}

void TOverlayLayer::SetLocation(const QRectF &r)
{
    if (r == m_location)
        return;
    m_location = r;
    if (m_visible)
        m_owner->update();
}

void TOverlayLayer::SetVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    m_owner->update();
}

TImage32::TImage32(QWidget *parent) : TDrawSurface(parent) {}

TImage32::~TImage32() = default;

void TImage32::SetupBitmap()
{
    m_bitmap.SetSize(width(), height(), devicePixelRatioF());
}

TOverlayLayer *TImage32::AddLayer()
{
    m_layers.push_back(std::unique_ptr<TOverlayLayer>(new TOverlayLayer(this)));
    return m_layers.back().get();
}

void TImage32::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Q_EMIT Resized();
}

QImage TImage32::Frame() const
{
    bool any = false;
    for (const auto &l : m_layers)
        any = any || (l->Visible() && l->OnPaint);
    if (!any || m_bitmap.Empty())
        return m_bitmap.Image();
    // Layers paint into a copy, so the bitmap never changes under them.
    TBitmap32 frame = m_bitmap;
    frame.OnChanged = nullptr;
    for (const auto &l : m_layers)
        if (l->Visible() && l->OnPaint)
            l->OnPaint(frame, l->Location());
    return frame.Image();
}

void ShowOffscreen(QWidget *widget, const QSize &size)
{
    widget->setAttribute(Qt::WA_DontShowOnScreen);
    widget->resize(size);
    widget->show();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}
