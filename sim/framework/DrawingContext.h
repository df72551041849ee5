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
// - A context starts with smoothing off, default (aliased) text, no
//   transform and no clip.
//
// Pens, brushes, fonts, text formats and paths are plain objects the drawing
// code owns; passing a pen or brush by reference lets a helper change its
// colour or width for the caller to see.
#include "sim/framework/Bitmap32.h"

#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <QVector>
#include <vector>

class TDrawPen
{
public:
    explicit TDrawPen(TColor32 color = 0xFF000000, float width = 1.0f) : Color(color), Width(width) {}
    TColor32 Color;
    float Width;
};

class TDrawBrush
{
public:
    explicit TDrawBrush(TColor32 color = 0xFF000000) : Color(color) {}
    TColor32 Color;
};

class TDrawFont
{
public:
    // size: em size in pixels.
    TDrawFont(const QString &family, float size, bool bold = false) : Family(family), Size(size), Bold(bold) {}
    QString Family;
    float Size;
    bool Bold;
};

enum class TTextAlign { Near, Center, Far };

class TTextFormat
{
public:
    TTextFormat(TTextAlign horizontal = TTextAlign::Near, TTextAlign vertical = TTextAlign::Near)
        : Horizontal(horizontal), Vertical(vertical)
    {
    }
    TTextAlign Horizontal; // near = left, far = right
    TTextAlign Vertical;   // near = top, far = bottom
};

// An ordered list of figures. Lines and arcs added one after another join
// the current figure (a straight segment runs from the end of one piece to
// the start of the next); rectangles and ellipses are closed figures of
// their own, and the next line or arc starts a new figure.
class TDrawPath
{
public:
    void AddLine(float x1, float y1, float x2, float y2);
    void AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle);
    void AddRectangle(float x, float y, float width, float height);
    void AddEllipse(float x, float y, float width, float height);
    void StartFigure() { m_figureOpen = false; }
    void CloseFigure();
    void Reset();
    bool Empty() const { return m_path.isEmpty(); }
    const QPainterPath &Path() const { return m_path; }

private:
    QPainterPath m_path{}; // even-odd fill by default
    bool m_figureOpen = false;
};

enum class TSmoothing { None, HighQuality };
enum class TTextRendering { Default, AntiAlias };

// One drawing operation as a recording sees it (tests): geometry mapped by
// the transform in force, so it is in bitmap pixels.
struct TDrawRecord {
    QString Op; // line, lines, polygon, fillpolygon, rectangle, fillrectangle, ellipse,
                // fillellipse, arc, pie, path, fillpath, clip, resetclip, text
    QPolygonF Points;
    QRectF Rect;
    QString Text;
    TColor32 Color = 0;
    float Width = 0;    // pen width
    float FontSize = 0; // text
    bool Bold = false;
    TTextFormat Format;
    bool Smooth = false;
};
using TDrawRecording = QVector<TDrawRecord>;

class DrawingContext
{
public:
    // Over a picture's bitmap, in its logical pixels.
    explicit DrawingContext(TBitmap32 &bitmap);
    // Over any paint device (a widget in its paint event, an image).
    explicit DrawingContext(QPaintDevice *device);
    ~DrawingContext();
    DrawingContext(const DrawingContext &) = delete;
    DrawingContext &operator=(const DrawingContext &) = delete;

    void SetSmoothing(TSmoothing mode);
    TSmoothing Smoothing() const { return m_smoothing; }
    void SetTextRendering(TTextRendering mode);
    TTextRendering TextRendering() const { return m_textRendering; }

    void Translate(float dx, float dy);
    void Rotate(float degrees);
    void ResetTransform();
    QTransform Transform() const { return m_transform; }

    void DrawLine(const TDrawPen &pen, float x1, float y1, float x2, float y2);
    void DrawLines(const TDrawPen &pen, const QPointF *points, int count);
    void DrawLines(const TDrawPen &pen, const QVector<QPointF> &points) { DrawLines(pen, points.data(), int(points.size())); }
    void DrawPolygon(const TDrawPen &pen, const QPointF *points, int count);
    void DrawPolygon(const TDrawPen &pen, const QVector<QPointF> &points) { DrawPolygon(pen, points.data(), int(points.size())); }
    void FillPolygon(const TDrawBrush &brush, const QPointF *points, int count);
    void FillPolygon(const TDrawBrush &brush, const QVector<QPointF> &points) { FillPolygon(brush, points.data(), int(points.size())); }
    // Rectangles, ellipses, arcs and pies with a negative width or height
    // draw nothing.
    void DrawRectangle(const TDrawPen &pen, float x, float y, float width, float height);
    void FillRectangle(const TDrawBrush &brush, float x, float y, float width, float height);
    void DrawEllipse(const TDrawPen &pen, float x, float y, float width, float height);
    void FillEllipse(const TDrawBrush &brush, float x, float y, float width, float height);
    // A fill, then its outline over it: the usual way to draw a solid part.
    void FillAndDrawRectangle(const TDrawBrush &brush, const TDrawPen &pen, float x, float y, float width,
                              float height);
    void FillAndDrawRectangle(const TDrawBrush &brush, const TDrawPen &pen, const QRectF &r)
    {
        FillAndDrawRectangle(brush, pen, float(r.x()), float(r.y()), float(r.width()), float(r.height()));
    }
    void FillAndDrawEllipse(const TDrawBrush &brush, const TDrawPen &pen, float x, float y, float width,
                            float height);
    void FillAndDrawPolygon(const TDrawBrush &brush, const TDrawPen &pen, const QVector<QPointF> &points);
    // Part of the ellipse inscribed in the rectangle.
    void DrawArc(const TDrawPen &pen, float x, float y, float width, float height, float startAngle, float sweepAngle);
    // Sector of the ellipse inscribed in the rectangle.
    void FillPie(const TDrawBrush &brush, float x, float y, float width, float height, float startAngle, float sweepAngle);
    void DrawPath(const TDrawPen &pen, const TDrawPath &path);
    void FillPath(const TDrawBrush &brush, const TDrawPath &path);

    // Later drawing is limited to the inside of the path (replacing any clip).
    void SetClip(const TDrawPath &path);
    void ResetClip();

    // Text laid out in the rectangle with the format's alignments.
    void DrawString(const QString &text, const TDrawFont &font, const QRectF &rect, const TTextFormat &format,
                    const TDrawBrush &brush);
    // Horizontal near / centre / far puts the text's left edge / centre /
    // right edge on x; vertical near / centre / far its top / centre / lower
    // edge (the line's descent) on y.
    void DrawString(const QString &text, const TDrawFont &font, const QPointF &point, const TTextFormat &format,
                    const TDrawBrush &brush);
    // The text's top-left corner at the point.
    void DrawString(const QString &text, const TDrawFont &font, const QPointF &point, const TDrawBrush &brush);
    // Width (advance) and line height of the text in this font.
    QSizeF MeasureString(const QString &text, const TDrawFont &font) const;

    // Every later operation is appended to the recording (tests).
    void SetRecorder(TDrawRecording *recording) { m_recording = recording; }
    // For what the vocabulary above does not cover.
    QPainter &Painter() { return m_painter; }

private:
    void strokeMode();
    void fillMode();
    QFont makeFont(const TDrawFont &font) const;
    void record(const QString &op, const QPolygonF &points, const QRectF &rect, TColor32 color, float width = 0);
    void recordText(const QString &text, const TDrawFont &font, const QRectF &box, const TTextFormat &format,
                    TColor32 color);

    QPainter m_painter;
    QPaintDevice *m_device;
    TSmoothing m_smoothing = TSmoothing::None;
    TTextRendering m_textRendering = TTextRendering::Default;
    QTransform m_transform;
    TDrawRecording *m_recording = nullptr;
};

// Qt equivalents (for code that mixes in QPainter calls).
QColor ToQColor(TColor32 color);
QPen ToQPen(const TDrawPen &pen);
