#include "sim/framework/ImageSurface.h"

#include <QPainter>

void OverlayLayer::setLocation(const QRectF &r)
{
    if (r == m_location)
        return;
    m_location = r;
    if (m_visible)
        m_owner->update();
}

void OverlayLayer::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    m_owner->update();
}

ImageSurface::ImageSurface(QWidget *parent) : DrawingSurface(parent) {}

ImageSurface::~ImageSurface() = default;

void ImageSurface::fitBitmapToSize()
{
    m_bitmap.setSize(width(), height(), devicePixelRatioF());
}

OverlayLayer *ImageSurface::addLayer()
{
    m_layers.push_back(std::unique_ptr<OverlayLayer>(new OverlayLayer(this)));
    return m_layers.back().get();
}

void ImageSurface::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    Q_EMIT resized();
}

QImage ImageSurface::frame() const
{
    bool any = false;
    for (const auto &l : m_layers)
        any = any || (l->visible() && l->onPaint);
    if (!any || m_bitmap.isEmpty())
        return m_bitmap.image();
    // Layers paint into a copy, so the bitmap never changes under them.
    RasterImage frame = m_bitmap;
    frame.onChanged = nullptr;
    for (const auto &l : m_layers)
        if (l->visible() && l->onPaint)
            l->onPaint(frame, l->location());
    return frame.image();
}
