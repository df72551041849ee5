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
// Colours are Color32 (0xAARRGGBB, alpha 0xFF opaque). Operations with a
// colour whose alpha is below 0xFF blend it over the picture (source over);
// Clear replaces every pixel.
#include <QImage>
#include <QSize>
#include <QString>
#include <cstdint>
#include <functional>
#include <vector>

using Color32 = uint32_t;
// The same colour with another alpha (0 to 255).
constexpr Color32 withAlpha(Color32 color, int alpha)
{
    return (Color32(alpha & 0xFF) << 24) | (color & 0x00FFFFFF);
}

// A point in 16.16 fixed point (value x 65536), as the polylines take them.
struct FixedPoint {
    int32_t x = 0;
    int32_t y = 0;
};
constexpr int32_t kFixedOne = 65536;
// v x 65536 rounded to the nearest integer, halves to even.
int32_t toFixed(double v);
FixedPoint fixedPoint(double x, double y);
// The whole pixel a fixed-point coordinate falls on: the nearest one, and a
// fraction of exactly one half rounds down (towards minus infinity).
int32_t fixedToPixel(int32_t v);

// The font of the bitmap's own text operations; the size is in points at
// 96 pixels per inch (10 points = 13.33 logical pixels).
struct RasterFont {
    QString name = QStringLiteral("Arial");
    double size = 10.0;
    Color32 color = 0xFF000000;
    bool bold = false;
};

class RasterImage
{
public:
    RasterImage() = default;

    // Sets the logical size and the device pixel ratio. What the picture held
    // stays in place where it still fits (the surface of an image control is
    // "set up without clearing"); new pixels are transparent black.
    void setSize(int width, int height, qreal ratio = 1.0);
    int width() const { return m_width; }
    int height() const { return m_height; }
    bool isEmpty() const { return m_width <= 0 || m_height <= 0; }
    qreal devicePixelRatio() const { return m_ratio; }

    // The back buffer itself (premultiplied ARGB, carrying the ratio). A
    // QPainter (or a DrawingContext) opened on it draws in logical pixels.
    QImage &image() { return m_image; }
    const QImage &image() const { return m_image; }
    // Colour (not premultiplied) of the logical pixel; 0 outside the picture.
    Color32 pixel(int x, int y) const;

    // Brackets a redraw. When the outermost endUpdate is reached, onChanged
    // is called (the surface repaints itself from it).
    void beginUpdate() { ++m_updateCount; }
    void endUpdate();
    bool isUpdating() const { return m_updateCount > 0; }
    std::function<void()> onChanged;

    // ---- raster operations (whole logical pixels)
    void clear(Color32 color);
    void fillRect(int left, int top, int right, int bottom, Color32 color);
    // 1-pixel outline on the rectangle's outermost pixels.
    void frameRect(int left, int top, int right, int bottom, Color32 color);
    // 1-pixel lines; both end points are drawn.
    void horizontalLine(int x1, int y, int x2, Color32 color);
    void verticalLine(int x, int y1, int y2, Color32 color);
    // 1-pixel lines between the points, each point rounded to its pixel by
    // fixedToPixel. Every pixel of the polyline is drawn once (so a
    // translucent colour does not darken at the joins), the last point
    // included; closed adds the segment back to the first point. One point:
    // one pixel when closed, nothing when open. In projector mode opaque
    // polylines are two pixels wide.
    void polyline(const FixedPoint *points, int count, Color32 color, bool closed = false);
    void polyline(const std::vector<FixedPoint> &points, Color32 color, bool closed = false)
    {
        polyline(points.data(), int(points.size()), color, closed);
    }
    // The same path drawn antialiased, one pixel wide (two in projector
    // mode), at sub-pixel precision
    // (a point's coordinates are the centre of the pixel they name).
    void polylineAntialiased(const FixedPoint *points, int count, Color32 color, bool closed = false);
    void polylineAntialiased(const std::vector<FixedPoint> &points, Color32 color, bool closed = false)
    {
        polylineAntialiased(points.data(), int(points.size()), color, closed);
    }

    // Text in Font with its top-left corner at (x, y); the extent is the
    // text's width and line height in pixels.
    RasterFont font;
    void drawText(int x, int y, const QString &text);
    QSize textExtent(const QString &text) const;

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
QString pictureFontFamily(const QString &family);
