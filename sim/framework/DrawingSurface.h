#pragma once
// The drawing surfaces of the simulation pictures. Each shows one RasterImage
// back buffer, painted in one go (no flicker): a redraw goes
//     m_picture->beginUpdate(); b.clear(...); ...draw...; m_picture->endUpdate();
// and endUpdate schedules the repaint.
//
// PaintBox keeps its bitmap at the control's size by itself; its Resized
// signal (the window's pictureResized()) comes after the bitmap has been resized.
// ImageSurface's bitmap is sized by the window: in its pictureResized() it calls
// fitBitmapToSize(), which sets the bitmap to the control's size without clearing
// it. ImageSurface also carries overlay layers that paint over the bitmap
// without touching it (the double slit's measuring line).
//
// High DPI: the bitmap takes the screen's device pixel ratio and the drawing
// code works in logical pixels. At ratio 1 each pixel is exactly one screen
// pixel.
#include "sim/framework/RasterImage.h"

#include <QRectF>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class DrawingSurface : public QWidget
{
    Q_OBJECT
public:
    explicit DrawingSurface(QWidget *parent = nullptr);

    RasterImage &bitmap() { return m_bitmap; }
    const RasterImage &bitmap() const { return m_bitmap; }

    // Bracket a redraw; the outermost endUpdate repaints the control.
    void beginUpdate() { m_bitmap.beginUpdate(); }
    void endUpdate() { m_bitmap.endUpdate(); }

    // What the control shows (the bitmap and anything painted over it), at
    // the bitmap's own resolution; for tests and copies.
    virtual QImage snapshot() const;

Q_SIGNALS:
    // The control changed its size (the window's pictureResized()).
    void resized();
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // The image to put on the screen at (0, 0).
    virtual QImage frame() const { return m_bitmap.image(); }
    // The screen's pixel ratio is no longer the bitmap's: a paint box resizes
    // its bitmap; both tell the window through Resized.
    virtual void ratioChanged();

    RasterImage m_bitmap;
    bool m_ratioChangePending = false;
};

// Lays a widget out at `size` and lets it run its resize handlers as if
// shown, without putting it on the screen (tests, offscreen pictures).
void showOffscreen(QWidget *widget, const QSize &size);
