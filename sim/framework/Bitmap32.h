#pragma once
// A 32-bit ARGB raster picture (the back buffer of a drawing surface) and the
// whole-pixel operations the pictures use directly on it.
//
// Coordinates are logical pixels: x to the right, y downwards; a rectangle
// (left, top, right, bottom) excludes its right and bottom edges. The image
// holds size x device-pixel-ratio device pixels, so at ratio 1 every logical
// pixel is exactly one image pixel; at a higher ratio each logical pixel is
// drawn as the block of device pixels it covers.
//
// Colours are TColor32 (0xAARRGGBB, alpha 0xFF opaque). Operations with a
// colour whose alpha is below 0xFF blend it over the picture (source over);
// Clear replaces every pixel.
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

using TColor32 = uint32_t;
// The same colour with another alpha (0 to 255).
constexpr TColor32 WithAlpha(TColor32 color, int alpha)
{
    return (TColor32(alpha & 0xFF) << 24) | (color & 0x00FFFFFF);
}

// A point in 16.16 fixed point (value x 65536), as the polylines take them.
struct TFixedPoint {
    int32_t X = 0;
    int32_t Y = 0;
};
constexpr int32_t kFixedOne = 65536;
// v x 65536 rounded to the nearest integer, halves to even.
int32_t ToFixed(double v);
TFixedPoint FixedPoint(double x, double y);
// The whole pixel a fixed-point coordinate falls on: the nearest one, and a
// fraction of exactly one half rounds down (towards minus infinity).
int32_t FixedToPixel(int32_t v);

// The font of the bitmap's own text operations; the size is in points at
// 96 pixels per inch (10 points = 13.33 logical pixels).
struct TBitmapFont {
    QString Name = QStringLiteral("Arial");
    double Size = 10.0;
    TColor32 Color = 0xFF000000;
    bool Bold = false;
};

class TBitmap32
{
public:
    TBitmap32() = default;

    // Sets the logical size and the device pixel ratio. What the picture held
    // stays in place where it still fits (the surface of an image control is
    // "set up without clearing"); new pixels are transparent black.
    void SetSize(int width, int height, qreal ratio = 1.0);
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_width <= 0 || m_height <= 0; }
    qreal DevicePixelRatio() const { return m_ratio; }

    // The back buffer itself (premultiplied ARGB, carrying the ratio). A
    // QPainter (or a DrawingContext) opened on it draws in logical pixels.
    QImage &Image() { return m_image; }
    const QImage &Image() const { return m_image; }
    // Colour (not premultiplied) of the logical pixel; 0 outside the picture.
    TColor32 Pixel(int x, int y) const;

    // Brackets a redraw. When the outermost EndUpdate is reached, OnChanged
    // is called (the surface repaints itself from it).
    void BeginUpdate() { ++m_updateCount; }
    void EndUpdate();
    bool Updating() const { return m_updateCount > 0; }
    std::function<void()> OnChanged;

    // ---- raster operations (whole logical pixels)
    void Clear(TColor32 color);
    void FillRect(int left, int top, int right, int bottom, TColor32 color);
    // 1-pixel outline on the rectangle's outermost pixels.
    void FrameRect(int left, int top, int right, int bottom, TColor32 color);
    // 1-pixel lines; both end points are drawn.
    void HorzLine(int x1, int y, int x2, TColor32 color);
    void VertLine(int x, int y1, int y2, TColor32 color);
    // 1-pixel lines between the points, each point rounded to its pixel by
    // FixedToPixel. Every pixel of the polyline is drawn once (so a
    // translucent colour does not darken at the joins), the last point
    // included; closed adds the segment back to the first point. One point:
    // one pixel when closed, nothing when open.
    void Polyline(const TFixedPoint *points, int count, TColor32 color, bool closed = false);
    void Polyline(const std::vector<TFixedPoint> &points, TColor32 color, bool closed = false)
    {
        Polyline(points.data(), int(points.size()), color, closed);
    }
    // The same path drawn antialiased, one pixel wide, at sub-pixel precision
    // (a point's coordinates are the centre of the pixel they name).
    void PolylineAA(const TFixedPoint *points, int count, TColor32 color, bool closed = false);
    void PolylineAA(const std::vector<TFixedPoint> &points, TColor32 color, bool closed = false)
    {
        PolylineAA(points.data(), int(points.size()), color, closed);
    }

    // Text in Font with its top-left corner at (x, y); the extent is the
    // text's width and line height in pixels.
    TBitmapFont Font;
    void TextOut(int x, int y, const QString &text);
    QSize TextExtent(const QString &text) const;

private:
    void plot(int x, int y, uint32_t premul, bool opaque);
    void fillDevice(int x0, int y0, int x1, int y1, uint32_t premul, bool opaque);
    void line(int x0, int y0, int x1, int y1, uint32_t premul, bool opaque);

    QImage m_image;
    int m_width = 0;
    int m_height = 0;
    qreal m_ratio = 1.0;
    int m_updateCount = 0;
};

// "Arial" and its spellings stand for Liberation Sans where Arial is missing;
// every font the pictures create goes through this.
QString PictureFontFamily(const QString &family);
