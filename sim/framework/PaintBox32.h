#pragma once
// The drawing surfaces of the simulation pictures. Each shows one TBitmap32
// back buffer, painted in one go (no flicker): a redraw goes
//     Pic->BeginUpdate(); b.Clear(...); ...draw...; Pic->EndUpdate();
// and EndUpdate schedules the repaint.
//
// TPaintBox32 keeps its bitmap at the control's size by itself; its Resized
// signal (the window's picResize) comes after the bitmap has been resized.
// TImage32's bitmap is sized by the window: in its picResize it calls
// SetupBitmap(), which sets the bitmap to the control's size without clearing
// it. TImage32 also carries overlay layers that paint over the bitmap
// without touching it (the double slit's measuring line).
//
// High DPI: the bitmap takes the screen's device pixel ratio and the drawing
// code works in logical pixels. At ratio 1 each pixel is exactly one screen
// pixel.
#include "sim/framework/Bitmap32.h"

#include <QRectF>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

class TDrawSurface : public QWidget
{
    Q_OBJECT
public:
    explicit TDrawSurface(QWidget *parent = nullptr);

    TBitmap32 &Bitmap() { return m_bitmap; }
    const TBitmap32 &Bitmap() const { return m_bitmap; }

    // Bracket a redraw; the outermost EndUpdate repaints the control.
    void BeginUpdate() { m_bitmap.BeginUpdate(); }
    void EndUpdate() { m_bitmap.EndUpdate(); }

    // What the control shows (the bitmap and anything painted over it), at
    // the bitmap's own resolution; for tests and copies.
    virtual QImage Snapshot() const;

Q_SIGNALS:
    // The control changed its size (the window's picResize).
    void Resized();
    void MouseDown(QMouseEvent *event);
    void MouseMove(QMouseEvent *event);
    void MouseUp(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // The image to put on the screen at (0, 0).
    virtual QImage Frame() const { return m_bitmap.Image(); }
    // The screen's pixel ratio is no longer the bitmap's: a paint box resizes
    // its bitmap; both tell the window through Resized.
    virtual void RatioChanged();

    TBitmap32 m_bitmap;
    bool m_ratioChangePending = false;
};

class TPaintBox32 : public TDrawSurface
{
    Q_OBJECT
public:
    explicit TPaintBox32(QWidget *parent = nullptr);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void RatioChanged() override;
};

// A layer over a TImage32's bitmap: a rectangle in bitmap pixels and a paint
// routine that draws into the frame being shown (a copy of the bitmap), never
// into the bitmap itself. Layers take no mouse events.
class TOverlayLayer
{
public:
    QRectF Location() const { return m_location; }
    void SetLocation(const QRectF &r);
    bool Visible() const { return m_visible; }
    void SetVisible(bool visible);
    // Called while the image paints, with the frame and this layer's location.
    std::function<void(TBitmap32 &frame, const QRectF &location)> OnPaint;

private:
    friend class TImage32;
    explicit TOverlayLayer(QWidget *owner) : m_owner(owner) {}
    QWidget *m_owner;
    QRectF m_location;
    bool m_visible = false;
};

class TImage32 : public TDrawSurface
{
    Q_OBJECT
public:
    explicit TImage32(QWidget *parent = nullptr);
    ~TImage32() override;

    // Sets the bitmap to the control's size (and screen ratio) keeping what
    // it holds.
    void SetupBitmap();
    // A new hidden layer, owned by the image.
    TOverlayLayer *AddLayer();

protected:
    void resizeEvent(QResizeEvent *event) override;
    QImage Frame() const override;

private:
    std::vector<std::unique_ptr<TOverlayLayer>> m_layers;
};

// Lays a widget out at `size` and lets it run its resize handlers as if
// shown, without putting it on the screen (tests, offscreen pictures).
void ShowOffscreen(QWidget *widget, const QSize &size);
