#pragma once
// A drawing surface whose bitmap the window sizes (fitBitmapToSize() keeps
// what it holds), with overlay layers painted over the bitmap without
// touching it.
#include "sim/framework/DrawingSurface.h"

#include <QRectF>
#include <functional>
#include <memory>
#include <vector>

// A layer over an ImageSurface's bitmap: a rectangle in bitmap pixels and a paint
// routine that draws into the frame being shown (a copy of the bitmap), never
// into the bitmap itself. Layers take no mouse events.
class OverlayLayer
{
public:
    QRectF location() const { return m_location; }
    void setLocation(const QRectF &r);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    // Called while the image paints, with the frame and this layer's location.
    std::function<void(RasterImage &frame, const QRectF &location)> onPaint;

private:
    friend class ImageSurface;
    explicit OverlayLayer(QWidget *owner) : m_owner(owner) {}
    QWidget *m_owner;
    QRectF m_location;
    bool m_visible = false;
};

class ImageSurface : public DrawingSurface
{
    Q_OBJECT
public:
    explicit ImageSurface(QWidget *parent = nullptr);
    ~ImageSurface() override;

    // Sets the bitmap to the control's size (and screen ratio) keeping what
    // it holds.
    void fitBitmapToSize();
    // A new hidden layer, owned by the image.
    OverlayLayer *addLayer();

protected:
    void resizeEvent(QResizeEvent *event) override;
    QImage frame() const override;

private:
    std::vector<std::unique_ptr<OverlayLayer>> m_layers;
};
