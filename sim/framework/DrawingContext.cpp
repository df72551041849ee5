#include "sim/framework/DrawingContext.h"

#include "sim/framework/ProjectorMode.h"

#include <QFontMetricsF>

QColor toQColor(Color32 color)
{
    return QColor::fromRgba(color);
}

QPen toQPen(const DrawPen &pen)
{
    return QPen(toQColor(pen.color), pen.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// ---------------------------------------------------------------- path

void DrawPath::addLine(float x1, float y1, float x2, float y2)
{
    if (m_figureOpen)
        m_path.lineTo(x1, y1);
    else
        m_path.moveTo(x1, y1);
    m_path.lineTo(x2, y2);
    m_figureOpen = true;
}

void DrawPath::addArc(float x, float y, float width, float height, float startAngle, float sweepAngle)
{
    // QPainterPath counts angles counter-clockwise on the screen.
    const QRectF r(x, y, width, height);
    if (!m_figureOpen)
        m_path.arcMoveTo(r, -startAngle);
    m_path.arcTo(r, -startAngle, -sweepAngle); // joins from the current point
    m_figureOpen = true;
}

void DrawPath::addRectangle(float x, float y, float width, float height)
{
    m_path.addRect(QRectF(x, y, width, height));
    m_figureOpen = false;
}

void DrawPath::addEllipse(float x, float y, float width, float height)
{
    m_path.addEllipse(QRectF(x, y, width, height));
    m_figureOpen = false;
}

void DrawPath::closeFigure()
{
    m_path.closeSubpath();
    m_figureOpen = false;
}

void DrawPath::reset()
{
    m_path = QPainterPath();
    m_figureOpen = false;
}

// ---------------------------------------------------------------- context

DrawingContext::DrawingContext(RasterImage &bitmap) : DrawingContext(&bitmap.image()) {}

DrawingContext::DrawingContext(QPaintDevice *device)
    : m_device(device), m_textScale(float(ProjectorMode::textScale())),
      m_strokeScale(float(ProjectorMode::strokeScale()))
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

float DrawingContext::strokeWidth(const DrawPen &pen) const
{
    return pen.width * m_strokeScale;
}

QPen DrawingContext::strokePen(const DrawPen &pen) const
{
    DrawPen scaled = pen;
    scaled.width = strokeWidth(pen);
    return toQPen(scaled);
}

void DrawingContext::setSmoothing(Smoothing mode)
{
    m_smoothing = mode;
    m_painter.setRenderHint(QPainter::Antialiasing, mode == Smoothing::HighQuality);
}

void DrawingContext::setTextRendering(TextRendering mode)
{
    m_textRendering = mode;
    m_painter.setRenderHint(QPainter::TextAntialiasing, mode == TextRendering::AntiAlias);
}

void DrawingContext::translate(float dx, float dy)
{
    m_transform.translate(dx, dy); // applies before what is already set
}

void DrawingContext::rotate(float degrees)
{
    m_transform.rotate(degrees); // y points down: positive turns clockwise
}

void DrawingContext::resetTransform()
{
    m_transform.reset();
}

// Outlines are drawn half a pixel on, so that a whole-number coordinate is
// the centre of a pixel when antialiased, as it is when aliased.
void DrawingContext::strokeMode()
{
    if (m_smoothing == Smoothing::HighQuality)
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

void DrawingContext::record(const QString &op, const QPolygonF &points, const QRectF &rect, Color32 color, float width)
{
    if (!m_recording)
        return;
    DrawRecord r;
    r.operation = op;
    r.points = m_transform.map(points);
    r.rect = rect.isNull() ? r.points.boundingRect() : m_transform.mapRect(rect);
    r.color = color;
    r.width = width;
    r.smooth = m_smoothing == Smoothing::HighQuality;
    m_recording->append(r);
}

void DrawingContext::drawLine(const DrawPen &pen, float x1, float y1, float x2, float y2)
{
    record(QStringLiteral("line"), QPolygonF({QPointF(x1, y1), QPointF(x2, y2)}), QRectF(), pen.color, strokeWidth(pen));
    strokeMode();
    m_painter.setPen(strokePen(pen));
    m_painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

void DrawingContext::drawLines(const DrawPen &pen, const QPointF *points, int count)
{
    if (!points || count < 2)
        return;
    record(QStringLiteral("lines"), QPolygonF(QVector<QPointF>(points, points + count)), QRectF(), pen.color, strokeWidth(pen));
    strokeMode();
    m_painter.setPen(strokePen(pen));
    m_painter.drawPolyline(points, count);
}

void DrawingContext::drawPolygon(const DrawPen &pen, const QPointF *points, int count)
{
    if (!points || count < 2)
        return;
    record(QStringLiteral("polygon"), QPolygonF(QVector<QPointF>(points, points + count)), QRectF(), pen.color,
           strokeWidth(pen));
    strokeMode();
    m_painter.setPen(strokePen(pen));
    m_painter.drawPolygon(points, count, Qt::OddEvenFill);
}

void DrawingContext::fillPolygon(const DrawBrush &brush, const QPointF *points, int count)
{
    if (!points || count < 3)
        return;
    record(QStringLiteral("fillpolygon"), QPolygonF(QVector<QPointF>(points, points + count)), QRectF(), brush.color);
    fillMode();
    m_painter.setBrush(toQColor(brush.color));
    m_painter.drawPolygon(points, count, Qt::OddEvenFill);
}

void DrawingContext::drawRectangle(const DrawPen &pen, float x, float y, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    record(QStringLiteral("rectangle"), {}, QRectF(x, y, width, height), pen.color, strokeWidth(pen));
    strokeMode();
    m_painter.setPen(strokePen(pen));
    m_painter.drawRect(QRectF(x, y, width, height));
}

void DrawingContext::fillRectangle(const DrawBrush &brush, float x, float y, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    record(QStringLiteral("fillrectangle"), {}, QRectF(x, y, width, height), brush.color);
    fillMode();
    m_painter.fillRect(QRectF(x, y, width, height), toQColor(brush.color));
}

void DrawingContext::drawEllipse(const DrawPen &pen, float x, float y, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    record(QStringLiteral("ellipse"), {}, QRectF(x, y, width, height), pen.color, strokeWidth(pen));
    strokeMode();
    m_painter.setPen(strokePen(pen));
    m_painter.drawEllipse(QRectF(x, y, width, height));
}

void DrawingContext::fillEllipse(const DrawBrush &brush, float x, float y, float width, float height)
{
    if (width < 0 || height < 0)
        return;
    record(QStringLiteral("fillellipse"), {}, QRectF(x, y, width, height), brush.color);
    fillMode();
    m_painter.setBrush(toQColor(brush.color));
    m_painter.drawEllipse(QRectF(x, y, width, height));
}

void DrawingContext::fillAndDrawRectangle(const DrawBrush &brush, const DrawPen &pen, float x, float y, float width,
                                          float height)
{
    fillRectangle(brush, x, y, width, height);
    drawRectangle(pen, x, y, width, height);
}

void DrawingContext::fillAndDrawEllipse(const DrawBrush &brush, const DrawPen &pen, float x, float y, float width,
                                        float height)
{
    fillEllipse(brush, x, y, width, height);
    drawEllipse(pen, x, y, width, height);
}

void DrawingContext::fillAndDrawPolygon(const DrawBrush &brush, const DrawPen &pen, const QVector<QPointF> &points)
{
    fillPolygon(brush, points);
    drawPolygon(pen, points);
}

void DrawingContext::drawArc(const DrawPen &pen, float x, float y, float width, float height, float startAngle,
                             float sweepAngle)
{
    if (width < 0 || height < 0)
        return;
    QPainterPath p;
    const QRectF r(x, y, width, height);
    p.arcMoveTo(r, -startAngle);
    p.arcTo(r, -startAngle, -sweepAngle);
    record(QStringLiteral("arc"), p.toFillPolygon(), QRectF(), pen.color, strokeWidth(pen));
    strokeMode();
    m_painter.setPen(strokePen(pen));
    m_painter.drawPath(p);
}

void DrawingContext::fillPie(const DrawBrush &brush, float x, float y, float width, float height, float startAngle,
                             float sweepAngle)
{
    if (width < 0 || height < 0)
        return;
    QPainterPath p;
    const QRectF r(x, y, width, height);
    p.moveTo(r.center());
    p.arcTo(r, -startAngle, -sweepAngle);
    p.closeSubpath();
    record(QStringLiteral("pie"), p.toFillPolygon(), QRectF(), brush.color);
    fillMode();
    m_painter.setBrush(toQColor(brush.color));
    m_painter.drawPath(p);
}

void DrawingContext::drawPath(const DrawPen &pen, const DrawPath &path)
{
    record(QStringLiteral("path"), path.path().toFillPolygon(), QRectF(), pen.color, strokeWidth(pen));
    strokeMode();
    m_painter.setPen(strokePen(pen));
    m_painter.drawPath(path.path());
}

void DrawingContext::fillPath(const DrawBrush &brush, const DrawPath &path)
{
    record(QStringLiteral("fillpath"), path.path().toFillPolygon(), QRectF(), brush.color);
    fillMode();
    QPainterPath p = path.path();
    p.setFillRule(Qt::OddEvenFill);
    m_painter.fillPath(p, toQColor(brush.color));
}

void DrawingContext::setClip(const DrawPath &path)
{
    record(QStringLiteral("clip"), path.path().toFillPolygon(), QRectF(), 0);
    m_painter.setTransform(m_transform);
    QPainterPath p = path.path();
    p.setFillRule(Qt::OddEvenFill);
    m_painter.setClipPath(p, Qt::ReplaceClip);
}

void DrawingContext::resetClip()
{
    record(QStringLiteral("resetclip"), {}, QRectF(), 0);
    m_painter.setClipping(false);
}

QFont DrawingContext::makeFont(const DrawFont &font) const
{
    QFont f(pictureFontFamily(font.family));
    int dpi = m_device ? m_device->logicalDpiY() : 96;
    if (dpi <= 0)
        dpi = 96;
    // Pixel sizes are fractional; a point size carries the fraction.
    f.setPointSizeF(qMax(0.01, double(font.size) * m_textScale * 72.0 / dpi));
    f.setBold(font.bold);
    f.setStyleStrategy(m_textRendering == TextRendering::AntiAlias ? QFont::PreferAntialias : QFont::NoAntialias);
    return f;
}

QSizeF DrawingContext::measureString(const QString &text, const DrawFont &font) const
{
    const QFontMetricsF fm(makeFont(font), m_device);
    return QSizeF(fm.horizontalAdvance(text), fm.ascent() + fm.descent());
}

void DrawingContext::recordText(const QString &text, const DrawFont &font, const QRectF &box,
                                const TextFormat &format, Color32 color)
{
    if (!m_recording)
        return;
    DrawRecord r;
    r.operation = QStringLiteral("text");
    r.text = text;
    r.rect = m_transform.mapRect(box);
    r.color = color;
    r.fontSize = font.size * m_textScale;
    r.bold = font.bold;
    r.format = format;
    r.smooth = m_textRendering == TextRendering::AntiAlias;
    m_recording->append(r);
}

void DrawingContext::drawString(const QString &text, const DrawFont &font, const QRectF &rect,
                                const TextFormat &format, const DrawBrush &brush)
{
    if (font.size <= 0)
        return;
    int flags = Qt::TextDontClip | Qt::TextSingleLine;
    flags |= format.horizontal == TextAlign::Near     ? Qt::AlignLeft
             : format.horizontal == TextAlign::Center ? Qt::AlignHCenter
                                                       : Qt::AlignRight;
    flags |= format.vertical == TextAlign::Near     ? Qt::AlignTop
             : format.vertical == TextAlign::Center ? Qt::AlignVCenter
                                                     : Qt::AlignBottom;
    const QFont f = makeFont(font);
    if (m_recording) {
        const QFontMetricsF fm(f, m_device);
        recordText(text, font, fm.boundingRect(rect, flags, text), format, brush.color);
        m_recording->back().points = m_transform.map(QPolygonF(rect));
    }
    m_painter.setTransform(m_transform);
    m_painter.setFont(f);
    m_painter.setPen(toQColor(brush.color));
    m_painter.drawText(rect, flags, text);
}

void DrawingContext::drawString(const QString &text, const DrawFont &font, const QPointF &point,
                                const TextFormat &format, const DrawBrush &brush)
{
    if (font.size <= 0)
        return;
    const QFont f = makeFont(font);
    const QFontMetricsF fm(f, m_device);
    const qreal w = fm.horizontalAdvance(text);
    const qreal h = fm.ascent() + fm.descent();
    const qreal left = format.horizontal == TextAlign::Near     ? point.x()
                       : format.horizontal == TextAlign::Center ? point.x() - w / 2
                                                                 : point.x() - w;
    const qreal top = format.vertical == TextAlign::Near     ? point.y()
                      : format.vertical == TextAlign::Center ? point.y() - h / 2
                                                              : point.y() - h;
    if (m_recording) {
        recordText(text, font, QRectF(left, top, w, h), format, brush.color);
        m_recording->back().points = m_transform.map(QPolygonF({point}));
    }
    m_painter.setTransform(m_transform);
    m_painter.setFont(f);
    m_painter.setPen(toQColor(brush.color));
    m_painter.drawText(QPointF(left, top + fm.ascent()), text);
}

void DrawingContext::drawString(const QString &text, const DrawFont &font, const QPointF &point,
                                const DrawBrush &brush)
{
    drawString(text, font, point, TextFormat(), brush);
}
