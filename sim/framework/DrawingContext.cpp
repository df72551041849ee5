#include "sim/framework/DrawingContext.h"

#include <QFontMetricsF>

QColor ToQColor(TColor32 color)
{
    return QColor::fromRgba(color);
}

QPen ToQPen(const TDrawPen &pen)
{
    return QPen(ToQColor(pen.Color), pen.Width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// ---------------------------------------------------------------- path

void TDrawPath::AddLine(float x1, float y1, float x2, float y2)
{
    if (m_figureOpen)
        m_path.lineTo(x1, y1);
    else
        m_path.moveTo(x1, y1);
    m_path.lineTo(x2, y2);
    m_figureOpen = true;
}

void TDrawPath::AddArc(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    // QPainterPath counts angles counter-clockwise on the screen.
    const QRectF r(x, y, width, height);
    if (!m_figureOpen)
        m_path.arcMoveTo(r, -startAngle);
    m_path.arcTo(r, -startAngle, -sweepAngle); // joins from the current point
    m_figureOpen = true;
}

void TDrawPath::AddRectangle(float x, float y, float width, float height)
{
    m_path.addRect(QRectF(x, y, width, height));
    m_figureOpen = false;
}

void TDrawPath::AddEllipse(float x, float y, float width, float height)
{
    m_path.addEllipse(QRectF(x, y, width, height));
    m_figureOpen = false;
}

void TDrawPath::CloseFigure()
{
    m_path.closeSubpath();
    m_figureOpen = false;
}

void TDrawPath::Reset()
{
    m_path = QPainterPath();
    m_figureOpen = false;
}

// ---------------------------------------------------------------- context

DrawingContext::DrawingContext(TBitmap32 &bitmap) : DrawingContext(&bitmap.Image()) {}

DrawingContext::DrawingContext(QPaintDevice *device) : m_device(device)
{
    m_painter.begin(device);
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, false);
}

DrawingContext::~DrawingContext()
{
    if (m_painter.isActive())
        m_painter.end();
}

void DrawingContext::SetSmoothing(TSmoothing mode)
{
    m_smoothing = mode;
    m_painter.setRenderHint(QPainter::Antialiasing, mode == TSmoothing::HighQuality);
}

void DrawingContext::SetTextRendering(TTextRendering mode)
{
    m_textRendering = mode;
    m_painter.setRenderHint(QPainter::TextAntialiasing, mode == TTextRendering::AntiAlias);
}

void DrawingContext::Translate(float dx, float dy)
{
    m_transform.translate(dx, dy); // applies before what is already set
}

void DrawingContext::Rotate(float degrees)
{
    m_transform.rotate(degrees); // y points down: positive turns clockwise
}

void DrawingContext::ResetTransform()
{
    m_transform.reset();
}

// Outlines are drawn half a pixel on, so that a whole-number coordinate is
// the centre of a pixel when antialiased, as it is when aliased.
void DrawingContext::strokeMode()
{
    if (m_smoothing == TSmoothing::HighQuality)
        m_painter.setTransform(m_transform * QTransform::fromTranslate(0.5, 0.5));
    else
        m_painter.setTransform(m_transform);
    m_painter.setBrush(Qt::NoBrush);
}

void DrawingContext::fillMode()
{
    m_painter.setTransform(m_transform);
    m_painter.setPen(Qt::NoPen);
}

void DrawingContext::record(const QString &op, const QPolygonF &points, const QRectF &rect, TColor32 color, float width)
{
    if (!m_recording)
        return;
    TDrawRecord r;
    r.Op = op;
    r.Points = m_transform.map(points);
    r.Rect = rect.isNull() ? r.Points.boundingRect() : m_transform.mapRect(rect);
    r.Color = color;
    r.Width = width;
    r.Smooth = m_smoothing == TSmoothing::HighQuality;
    m_recording->append(r);
}

void DrawingContext::DrawLine(const TDrawPen &pen, float x1, float y1, float x2, float y2)
{
    record(QStringLiteral("line"), QPolygonF({QPointF(x1, y1), QPointF(x2, y2)}), QRectF(), pen.Color, pen.Width);
    strokeMode();
    m_painter.setPen(ToQPen(pen));
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void DrawingContext::DrawLines(const TDrawPen &pen, const QPointF *points, int count)
{
    if (!points || count < 2)
        return;
    record(QStringLiteral("lines"), QPolygonF(QVector<QPointF>(points, points + count)), QRectF(), pen.Color, pen.Width);
    strokeMode();
    m_painter.setPen(ToQPen(pen));
    m_painter.drawPolyline(points, count);
}

void DrawingContext::DrawPolygon(const TDrawPen &pen, const QPointF *points, int count)
{
    if (!points || count < 2)
        return;
    record(QStringLiteral("polygon"), QPolygonF(QVector<QPointF>(points, points + count)), QRectF(), pen.Color,
           pen.Width);
    strokeMode();
    m_painter.setPen(ToQPen(pen));
    m_painter.drawPolygon(points, count, Qt::OddEvenFill);
}

void DrawingContext::FillPolygon(const TDrawBrush &brush, const QPointF *points, int count)
{
    if (!points || count < 3)
        return;
    record(QStringLiteral("fillpolygon"), QPolygonF(QVector<QPointF>(points, points + count)), QRectF(), brush.Color);
    fillMode();
    m_painter.setBrush(ToQColor(brush.Color));
    m_painter.drawPolygon(points, count, Qt::OddEvenFill);
}

void DrawingContext::DrawRectangle(const TDrawPen &pen, float x, float y, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    record(QStringLiteral("rectangle"), {}, QRectF(x, y, width, height), pen.Color, pen.Width);
    strokeMode();
    m_painter.setPen(ToQPen(pen));
    m_painter.drawRect(QRectF(x, y, width, height));
}

void DrawingContext::FillRectangle(const TDrawBrush &brush, float x, float y, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    record(QStringLiteral("fillrectangle"), {}, QRectF(x, y, width, height), brush.Color);
    fillMode();
    m_painter.fillRect(QRectF(x, y, width, height), ToQColor(brush.Color));
}

void DrawingContext::DrawEllipse(const TDrawPen &pen, float x, float y, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    record(QStringLiteral("ellipse"), {}, QRectF(x, y, width, height), pen.Color, pen.Width);
    strokeMode();
    m_painter.setPen(ToQPen(pen));
    m_painter.drawEllipse(QRectF(x, y, width, height));
}

void DrawingContext::FillEllipse(const TDrawBrush &brush, float x, float y, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    record(QStringLiteral("fillellipse"), {}, QRectF(x, y, width, height), brush.Color);
    fillMode();
    m_painter.setBrush(ToQColor(brush.Color));
    m_painter.drawEllipse(QRectF(x, y, width, height));
}

void DrawingContext::FillAndDrawRectangle(const TDrawBrush &brush, const TDrawPen &pen, float x, float y, float width,
                                          float height)
{
    FillRectangle(brush, x, y, width, height);
    DrawRectangle(pen, x, y, width, height);
}

void DrawingContext::FillAndDrawEllipse(const TDrawBrush &brush, const TDrawPen &pen, float x, float y, float width,
                                        float height)
{
    FillEllipse(brush, x, y, width, height);
    DrawEllipse(pen, x, y, width, height);
}

void DrawingContext::FillAndDrawPolygon(const TDrawBrush &brush, const TDrawPen &pen, const QVector<QPointF> &points)
{
    FillPolygon(brush, points);
    DrawPolygon(pen, points);
}

void DrawingContext::DrawArc(const TDrawPen &pen, float x, float y, float width, float height, float startAngle,
                             float sweepAngle)
{
    if (width < 0 || height < 0)
        return;
    QPainterPath p;
    const QRectF r(x, y, width, height);
    p.arcMoveTo(r, -startAngle);
    p.arcTo(r, -startAngle, -sweepAngle);
    record(QStringLiteral("arc"), p.toFillPolygon(), QRectF(), pen.Color, pen.Width);
    strokeMode();
    m_painter.setPen(ToQPen(pen));
    m_painter.drawPath(p);
}

void DrawingContext::FillPie(const TDrawBrush &brush, float x, float y, float width, float height, float startAngle,
                             float sweepAngle)
{
    if (width < 0 || height < 0)
        return;
    QPainterPath p;
    const QRectF r(x, y, width, height);
    p.moveTo(r.center());
    p.arcTo(r, -startAngle, -sweepAngle);
    p.closeSubpath();
    record(QStringLiteral("pie"), p.toFillPolygon(), QRectF(), brush.Color);
    fillMode();
    m_painter.setBrush(ToQColor(brush.Color));
    m_painter.drawPath(p);
}

void DrawingContext::DrawPath(const TDrawPen &pen, const TDrawPath &path)
{
    record(QStringLiteral("path"), path.Path().toFillPolygon(), QRectF(), pen.Color, pen.Width);
    strokeMode();
    m_painter.setPen(ToQPen(pen));
    m_painter.drawPath(path.Path());
}

void DrawingContext::FillPath(const TDrawBrush &brush, const TDrawPath &path)
{
    record(QStringLiteral("fillpath"), path.Path().toFillPolygon(), QRectF(), brush.Color);
    fillMode();
    QPainterPath p = path.Path();
    p.setFillRule(Qt::OddEvenFill);
    m_painter.fillPath(p, ToQColor(brush.Color));
}

void DrawingContext::SetClip(const TDrawPath &path)
{
    record(QStringLiteral("clip"), path.Path().toFillPolygon(), QRectF(), 0);
    m_painter.setTransform(m_transform);
    QPainterPath p = path.Path();
    p.setFillRule(Qt::OddEvenFill);
    m_painter.setClipPath(p, Qt::ReplaceClip);
}

void DrawingContext::ResetClip()
{
    record(QStringLiteral("resetclip"), {}, QRectF(), 0);
    m_painter.setClipping(false);
}

QFont DrawingContext::makeFont(const TDrawFont &font) const
{
    QFont f(PictureFontFamily(font.Family));
    int dpi = m_device ? m_device->logicalDpiY() : 96;
    if (dpi <= 0)
        dpi = 96;
    // Pixel sizes are fractional; a point size carries the fraction.
    f.setPointSizeF(qMax(0.01, double(font.Size) * 72.0 / dpi));
    f.setBold(font.Bold);
    f.setStyleStrategy(m_textRendering == TTextRendering::AntiAlias ? QFont::PreferAntialias : QFont::NoAntialias);
    return f;
}

QSizeF DrawingContext::MeasureString(const QString &text, const TDrawFont &font) const
{
    const QFontMetricsF fm(makeFont(font), m_device);
    return QSizeF(fm.horizontalAdvance(text), fm.ascent() + fm.descent());
}

void DrawingContext::recordText(const QString &text, const TDrawFont &font, const QRectF &box,
                                const TTextFormat &format, TColor32 color)
{
    if (!m_recording)
        return;
    TDrawRecord r;
    r.Op = QStringLiteral("text");
    r.Text = text;
    r.Rect = m_transform.mapRect(box);
    r.Color = color;
    r.FontSize = font.Size;
    r.Bold = font.Bold;
    r.Format = format;
    r.Smooth = m_textRendering == TTextRendering::AntiAlias;
    m_recording->append(r);
}

void DrawingContext::DrawString(const QString &text, const TDrawFont &font, const QRectF &rect,
                                const TTextFormat &format, const TDrawBrush &brush)
{
    if (font.Size <= 0)
        return;
    int flags = Qt::TextDontClip | Qt::TextSingleLine;
    flags |= format.Horizontal == TTextAlign::Near     ? Qt::AlignLeft
             : format.Horizontal == TTextAlign::Center ? Qt::AlignHCenter
                                                       : Qt::AlignRight;
    flags |= format.Vertical == TTextAlign::Near     ? Qt::AlignTop
             : format.Vertical == TTextAlign::Center ? Qt::AlignVCenter
                                                     : Qt::AlignBottom;
    const QFont f = makeFont(font);
    if (m_recording) {
        const QFontMetricsF fm(f, m_device);
        recordText(text, font, fm.boundingRect(rect, flags, text), format, brush.Color);
        m_recording->back().Points = m_transform.map(QPolygonF(rect));
    }
    m_painter.setTransform(m_transform);
    m_painter.setFont(f);
    m_painter.setPen(ToQColor(brush.Color));
    m_painter.drawText(rect, flags, text);
}

void DrawingContext::DrawString(const QString &text, const TDrawFont &font, const QPointF &point,
                                const TTextFormat &format, const TDrawBrush &brush)
{
    if (font.Size <= 0)
        return;
    const QFont f = makeFont(font);
    const QFontMetricsF fm(f, m_device);
    const qreal w = fm.horizontalAdvance(text);
    const qreal h = fm.ascent() + fm.descent();
    const qreal left = format.Horizontal == TTextAlign::Near     ? point.x()
                       : format.Horizontal == TTextAlign::Center ? point.x() - w / 2
                                                                 : point.x() - w;
    const qreal top = format.Vertical == TTextAlign::Near     ? point.y()
                      : format.Vertical == TTextAlign::Center ? point.y() - h / 2
                                                              : point.y() - h;
    if (m_recording) {
        recordText(text, font, QRectF(left, top, w, h), format, brush.Color);
        m_recording->back().Points = m_transform.map(QPolygonF({point}));
    }
    m_painter.setTransform(m_transform);
    m_painter.setFont(f);
    m_painter.setPen(ToQColor(brush.Color));
    m_painter.drawText(QPointF(left, top + fm.ascent()), text);
}

void DrawingContext::DrawString(const QString &text, const TDrawFont &font, const QPointF &point,
                                const TDrawBrush &brush)
{
    DrawString(text, font, point, TTextFormat(), brush);
}
