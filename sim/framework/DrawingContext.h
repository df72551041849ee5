#pragma once
// DrawingContext: the antialiasing 2D vector drawing of the pictures, a thin
// layer over QPainter with these conventions:
//
// - Coordinates are floats in logical pixels of the bitmap, x right, y down,
//   after the context's transform. A whole-number coordinate names a pixel:
//   a 1-pixel line at y = 5 covers pixel row 5 with smoothing on or off, and
//   a filled rectangle (0, 0, 10, 10) covers pixels 0 to 9.
// - Angles are degrees from +x, clockwise on the screen; a negative sweep
//   runs counter-clockwise.
// - Translate and Rotate apply to coordinates before the ones already set:
//   after Translate(dx, dy) then Rotate(a), a point is turned by a about
//   (0, 0) and then moved by (dx, dy).
// - Paths and polygons fill with the alternate (even-odd) rule.
// - Fonts are sized in pixels (em size); "Arial" stands for Liberation Sans
//   where Arial is missing.
// - Pen widths and font sizes are the design's; the context multiplies them
//   by its stroke and text scales, which start at projector mode's (a
//   recording sees the sizes as drawn).
// - A context starts with smoothing off, default (aliased) text, no
//   transform and no clip.
//
// Pens, brushes, fonts, text formats and paths are plain objects the drawing
// code owns; passing a pen or brush by reference lets a helper change its
// colour or width for the caller to see.
#include "sim/framework/RasterImage.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <QVector>
#include <vector>

class DrawPen
{
public:
    explicit DrawPen(Color32 color = 0xFF000000, float width = 1.0f) : color(color), width(width) {}
    Color32 color;
    float width;
};

class DrawBrush
{
public:
    explicit DrawBrush(Color32 color = 0xFF000000) : color(color) {}
    Color32 color;
};

class DrawFont
{
public:
    // size: em size in pixels.
    DrawFont(const QString &family, float size, bool bold = false) : family(family), size(size), bold(bold) {}
    QString family;
    float size;
    bool bold;
};

enum class TextAlign { Near, Center, Far };

class TextFormat
{
public:
    TextFormat(TextAlign horizontal = TextAlign::Near, TextAlign vertical = TextAlign::Near)
        : horizontal(horizontal), vertical(vertical)
    {
    }
    TextAlign horizontal; // near = left, far = right
    TextAlign vertical;   // near = top, far = bottom
};

// An ordered list of figures. Lines and arcs added one after another join
// the current figure (a straight segment runs from the end of one piece to
// the start of the next); rectangles and ellipses are closed figures of
// their own, and the next line or arc starts a new figure.
class DrawPath
{
public:
    void addLine(float x1, float y1, float x2, float y2);
    void addArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    void addRectangle(float x, float y, float width, float height);
    void addEllipse(float x, float y, float width, float height);
    void startFigure() { m_figureOpen = false; }
    void closeFigure();
    void reset();
    bool isEmpty() const { return m_path.isEmpty(); }
    const QPainterPath &path() const { return m_path; }

private:
    QPainterPath m_path{}; // even-odd fill by default
    bool m_figureOpen = false;
};

enum class Smoothing { None, HighQuality };
enum class TextRendering { Default, AntiAlias };

// One drawing operation as a recording sees it (tests): geometry mapped by
// the transform in force, so it is in bitmap pixels.
struct DrawRecord {
    QString operation; // line, lines, polygon, fillpolygon, rectangle, fillrectangle, ellipse,
                // fillellipse, arc, pie, path, fillpath, clip, resetclip, text
    QPolygonF points;
    QRectF rect;
    QString text;
    Color32 color = 0;
    float width = 0;    // pen width
    float fontSize = 0; // text
    bool bold = false;
    TextFormat format;
    bool smooth = false;
};
using DrawRecording = QVector<DrawRecord>;

class DrawingContext
{
public:
    // Over a picture's bitmap, in its logical pixels.
    explicit DrawingContext(RasterImage &bitmap);
    // Over any paint device (a widget in its paint event, an image).
    explicit DrawingContext(QPaintDevice *device);
    ~DrawingContext();
    DrawingContext(const DrawingContext &) = delete;
    DrawingContext &operator=(const DrawingContext &) = delete;

    void setSmoothing(Smoothing mode);
    Smoothing smoothing() const { return m_smoothing; }
    void setTextRendering(TextRendering mode);
    TextRendering textRendering() const { return m_textRendering; }

    // How much wider strokes and bigger texts are drawn than asked for.
    float textScale() const { return m_textScale; }
    float strokeScale() const { return m_strokeScale; }
    void setTextScale(float scale) { m_textScale = scale; }
    void setStrokeScale(float scale) { m_strokeScale = scale; }

    void translate(float dx, float dy);
    void rotate(float degrees);
    void resetTransform();
    QTransform transform() const { return m_transform; }

    void drawLine(const DrawPen &pen, float x1, float y1, float x2, float y2);
    void drawLines(const DrawPen &pen, const QPointF *points, int count);
    void drawLines(const DrawPen &pen, const QVector<QPointF> &points) { drawLines(pen, points.data(), int(points.size())); }
    void drawPolygon(const DrawPen &pen, const QPointF *points, int count);
    void drawPolygon(const DrawPen &pen, const QVector<QPointF> &points) { drawPolygon(pen, points.data(), int(points.size())); }
    void fillPolygon(const DrawBrush &brush, const QPointF *points, int count);
    void fillPolygon(const DrawBrush &brush, const QVector<QPointF> &points) { fillPolygon(brush, points.data(), int(points.size())); }
    // Rectangles, ellipses, arcs and pies with a negative width or height
    // draw nothing.
    void drawRectangle(const DrawPen &pen, float x, float y, float width, float height);
    void fillRectangle(const DrawBrush &brush, float x, float y, float width, float height);
    void drawEllipse(const DrawPen &pen, float x, float y, float width, float height);
    void fillEllipse(const DrawBrush &brush, float x, float y, float width, float height);
    // A fill, then its outline over it: the usual way to draw a solid part.
    void fillAndDrawRectangle(const DrawBrush &brush, const DrawPen &pen, float x, float y, float width,
                              float height);
    void fillAndDrawRectangle(const DrawBrush &brush, const DrawPen &pen, const QRectF &r)
    {
        fillAndDrawRectangle(brush, pen, float(r.x()), float(r.y()), float(r.width()), float(r.height()));
    }
    void fillAndDrawEllipse(const DrawBrush &brush, const DrawPen &pen, float x, float y, float width,
                            float height);
    void fillAndDrawPolygon(const DrawBrush &brush, const DrawPen &pen, const QVector<QPointF> &points);
    // Part of the ellipse inscribed in the rectangle.
    void drawArc(const DrawPen &pen, float x, float y, float width, float height, float startAngle, float sweepAngle);
    // Sector of the ellipse inscribed in the rectangle.
    void fillPie(const DrawBrush &brush, float x, float y, float width, float height, float startAngle, float sweepAngle);
    void drawPath(const DrawPen &pen, const DrawPath &path);
    void fillPath(const DrawBrush &brush, const DrawPath &path);

    // Later drawing is limited to the inside of the path (replacing any clip).
    void setClip(const DrawPath &path);
    void resetClip();

    // Text laid out in the rectangle with the format's alignments.
    void drawString(const QString &text, const DrawFont &font, const QRectF &rect, const TextFormat &format,
                    const DrawBrush &brush);
    // Horizontal near / centre / far puts the text's left edge / centre /
    // right edge on x; vertical near / centre / far its top / centre / lower
    // edge (the line's descent) on y.
    void drawString(const QString &text, const DrawFont &font, const QPointF &point, const TextFormat &format,
                    const DrawBrush &brush);
    // The text's top-left corner at the point.
    void drawString(const QString &text, const DrawFont &font, const QPointF &point, const DrawBrush &brush);
    // Width (advance) and line height of the text in this font.
    QSizeF measureString(const QString &text, const DrawFont &font) const;

    // Every later operation is appended to the recording (tests).
    void setRecorder(DrawRecording *recording) { m_recording = recording; }
    // For what the vocabulary above does not cover.
    QPainter &painter() { return m_painter; }

private:
    void strokeMode();
    void fillMode();
    QFont makeFont(const DrawFont &font) const;
    float strokeWidth(const DrawPen &pen) const;
    QPen strokePen(const DrawPen &pen) const;
    void record(const QString &op, const QPolygonF &points, const QRectF &rect, Color32 color, float width = 0);
    void recordText(const QString &text, const DrawFont &font, const QRectF &box, const TextFormat &format,
                    Color32 color);

    QPainter m_painter;
    QPaintDevice *m_device;
    Smoothing m_smoothing = Smoothing::None;
    TextRendering m_textRendering = TextRendering::Default;
    QTransform m_transform;
    DrawRecording *m_recording = nullptr;
    float m_textScale = 1.0f;
    float m_strokeScale = 1.0f;
};

// Qt equivalents (for code that mixes in QPainter calls).
QColor toQColor(Color32 color);
QPen toQPen(const DrawPen &pen);
