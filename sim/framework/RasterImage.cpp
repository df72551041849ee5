#include "sim/framework/RasterImage.h"

#include "sim/framework/ProjectorMode.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// 96 pixels per inch: a point is 4/3 of a logical pixel, as on the screens
// the pictures were designed for.
constexpr int kDotsPerMeter96 = 3780;

inline uint32_t mulByte(uint32_t x, uint32_t a)
{
    uint32_t t = x * a + 128;
    return (t + (t >> 8)) >> 8;
}

// Source over, both premultiplied.
inline uint32_t blendOver(uint32_t s, uint32_t d)
{
    const uint32_t ia = 255 - (s >> 24);
    return s
        + ((mulByte(d >> 24, ia) << 24) | (mulByte((d >> 16) & 0xFF, ia) << 16)
           | (mulByte((d >> 8) & 0xFF, ia) << 8) | mulByte(d & 0xFF, ia));
}

const QImage &dpiReference()
{
    static const QImage img = [] {
        QImage i(1, 1, QImage::Format_ARGB32_Premultiplied);
        i.setDotsPerMeterX(kDotsPerMeter96);
        i.setDotsPerMeterY(kDotsPerMeter96);
        return i;
    }();
    return img;
}

QFont bitmapFont(const RasterFont &f)
{
    QFont font(pictureFontFamily(f.name));
    // Projector mode grows the pictures' texts with everything else.
    font.setPointSizeF((f.size > 0 ? f.size : 1.0) * ProjectorMode::textScale());
    font.setBold(f.bold);
    return font;
}

} // namespace

int32_t toFixed(double v)
{
    const double f = std::nearbyint(v * kFixedOne);
    if (!(f > double(std::numeric_limits<int32_t>::min())))
        return std::numeric_limits<int32_t>::min();
    if (!(f < double(std::numeric_limits<int32_t>::max())))
        return std::numeric_limits<int32_t>::max();
    return int32_t(f);
}

FixedPoint fixedPoint(double x, double y)
{
    return {toFixed(x), toFixed(y)};
}

int32_t fixedToPixel(int32_t v)
{
    // Adding just under one half and flooring sends an exact half down.
    return int32_t((int64_t(v) + 0x7FFF) >> 16);
}

QString pictureFontFamily(const QString &family)
{
    static const bool hasArial = QFontDatabase::hasFamily(QStringLiteral("Arial"));
    if (!hasArial && family.compare(QLatin1String("Arial"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Liberation Sans");
    return family;
}

void RasterImage::setSize(int width, int height, qreal ratio)
{
    width = qMax(0, width);
    height = qMax(0, height);
    if (ratio <= 0)
        ratio = 1.0;
    if (width == m_width && height == m_height && ratio == m_ratio && !m_image.isNull())
        return;
    const int dw = int(std::ceil(width * ratio));
    const int dh = int(std::ceil(height * ratio));
    QImage img;
    if (dw > 0 && dh > 0) {
        img = QImage(dw, dh, QImage::Format_ARGB32_Premultiplied);
        img.fill(0);
        if (!m_image.isNull() && ratio == m_ratio) {
            const int cw = qMin(dw, m_image.width());
            const int ch = qMin(dh, m_image.height());
            for (int y = 0; y < ch; ++y)
                std::memcpy(img.scanLine(y), m_image.constScanLine(y), size_t(cw) * 4);
        }
        img.setDotsPerMeterX(kDotsPerMeter96);
        img.setDotsPerMeterY(kDotsPerMeter96);
        img.setDevicePixelRatio(ratio);
    }
    m_image = img;
    m_width = width;
    m_height = height;
    m_ratio = ratio;
}

Color32 RasterImage::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    const int dx = int(std::floor(x * m_ratio));
    const int dy = int(std::floor(y * m_ratio));
    if (dx >= m_image.width() || dy >= m_image.height())
        return 0;
    return qUnpremultiply(reinterpret_cast<const QRgb *>(m_image.constScanLine(dy))[dx]);
}

void RasterImage::endUpdate()
{
    if (m_updateCount > 0 && --m_updateCount == 0 && onChanged)
        onChanged();
}

void RasterImage::fillDevice(int x0, int y0, int x1, int y1, uint32_t premul, bool opaque)
{
    x0 = qMax(x0, 0);
    y0 = qMax(y0, 0);
    x1 = qMin(x1, m_image.width());
    y1 = qMin(y1, m_image.height());
    for (int y = y0; y < y1; ++y) {
        auto *line = reinterpret_cast<uint32_t *>(m_image.scanLine(y));
        if (opaque) {
            std::fill(line + x0, line + x1, premul);
        } else {
            for (int x = x0; x < x1; ++x)
                line[x] = blendOver(premul, line[x]);
        }
    }
}

void RasterImage::plot(int x, int y, uint32_t premul, bool opaque)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    if (m_ratio == 1.0) {
        uint32_t &d = reinterpret_cast<uint32_t *>(m_image.scanLine(y))[x];
        d = opaque ? premul : blendOver(premul, d);
        return;
    }
    fillDevice(int(std::floor(x * m_ratio)), int(std::floor(y * m_ratio)), int(std::floor((x + 1) * m_ratio)),
               int(std::floor((y + 1) * m_ratio)), premul, opaque);
}

void RasterImage::clear(Color32 color)
{
    if (!m_image.isNull())
        m_image.fill(qPremultiply(color));
}

void RasterImage::fillRect(int left, int top, int right, int bottom, Color32 color)
{
    left = qMax(left, 0);
    top = qMax(top, 0);
    right = qMin(right, m_width);
    bottom = qMin(bottom, m_height);
    if (left >= right || top >= bottom || (color >> 24) == 0)
        return;
    auto dev = [this](int v) { return m_ratio == 1.0 ? v : int(std::floor(v * m_ratio)); };
    fillDevice(dev(left), dev(top), dev(right), dev(bottom), qPremultiply(color), (color >> 24) == 0xFF);
}

void RasterImage::frameRect(int left, int top, int right, int bottom, Color32 color)
{
    if (left >= right || top >= bottom)
        return;
    horizontalLine(left, top, right - 1, color);
    if (bottom - 1 > top)
        horizontalLine(left, bottom - 1, right - 1, color);
    if (bottom - 2 > top) {
        verticalLine(left, top + 1, bottom - 2, color);
        if (right - 1 > left)
            verticalLine(right - 1, top + 1, bottom - 2, color);
    }
}

void RasterImage::horizontalLine(int x1, int y, int x2, Color32 color)
{
    if (x2 < x1)
        std::swap(x1, x2);
    fillRect(x1, y, x2 + 1, y + 1, color);
}

void RasterImage::verticalLine(int x, int y1, int y2, Color32 color)
{
    if (y2 < y1)
        std::swap(y1, y2);
    fillRect(x, y1, x + 1, y2 + 1, color);
}

// Bresenham from (x0, y0) towards (x1, y1); the end pixel is left to the
// next segment, so joins are drawn once.
void RasterImage::line(int x0, int y0, int x1, int y1, uint32_t premul, bool opaque)
{
    const int dx = std::abs(x1 - x0);
    const int sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0);
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        plot(x0, y0, premul, opaque);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void RasterImage::polyline(const FixedPoint *points, int count, Color32 color, bool closed)
{
    if (!points || count <= 0 || m_image.isNull() || (color >> 24) == 0)
        return;
    const uint32_t premul = qPremultiply(color);
    const bool opaque = (color >> 24) == 0xFF;
    std::vector<QPoint> px(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        px[size_t(i)] = QPoint(fixedToPixel(points[i].x), fixedToPixel(points[i].y));
    if (count == 1) {
        if (closed)
            plot(px[0].x(), px[0].y(), premul, opaque);
        return;
    }
    bool drew = false;
    for (int i = 0; i + 1 < count; ++i) {
        const QPoint a = px[size_t(i)], b = px[size_t(i + 1)];
        if (a != b) {
            line(a.x(), a.y(), b.x(), b.y(), premul, opaque);
            drew = true;
        }
    }
    const QPoint last = px.back();
    if (closed) {
        if (last != px[0]) {
            line(last.x(), last.y(), px[0].x(), px[0].y(), premul, opaque);
            drew = true;
        }
        if (!drew)
            plot(last.x(), last.y(), premul, opaque);
    } else {
        plot(last.x(), last.y(), premul, opaque);
    }
    // Projector mode: an opaque line (a spring, a wave) is drawn again one
    // pixel right and one down, two pixels wide in every direction. A
    // translucent one stays single, so no pixel is darkened twice.
    if (opaque && ProjectorMode::strokeScale() >= 2) {
        for (const QPoint shift : {QPoint(1, 0), QPoint(0, 1)}) {
            for (int i = 0; i + 1 < count; ++i)
                line(px[size_t(i)].x() + shift.x(), px[size_t(i)].y() + shift.y(), px[size_t(i + 1)].x() + shift.x(),
                     px[size_t(i + 1)].y() + shift.y(), premul, opaque);
            if (closed)
                line(last.x() + shift.x(), last.y() + shift.y(), px[0].x() + shift.x(), px[0].y() + shift.y(), premul,
                     opaque);
            plot(last.x() + shift.x(), last.y() + shift.y(), premul, opaque);
        }
    }
}

void RasterImage::polylineAntialiased(const FixedPoint *points, int count, Color32 color, bool closed)
{
    if (!points || count <= 0 || m_image.isNull())
        return;
    QPainterPath path;
    auto at = [&](int i) {
        return QPointF(points[i].x / double(kFixedOne) + 0.5, points[i].y / double(kFixedOne) + 0.5);
    };
    path.moveTo(at(0));
    for (int i = 1; i < count; ++i)
        path.lineTo(at(i));
    if (closed)
        path.closeSubpath();
    QPainter p(&m_image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor::fromRgba(color), ProjectorMode::strokeScale(), Qt::SolidLine, Qt::SquareCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void RasterImage::drawText(int x, int y, const QString &text)
{
    if (m_image.isNull() || text.isEmpty())
        return;
    const QFont qfont = bitmapFont(font);
    QPainter p(&m_image);
    p.setFont(qfont);
    p.setPen(QColor::fromRgba(font.color));
    const QFontMetricsF fm(qfont, &m_image);
    p.drawText(QPointF(x, y + fm.ascent()), text);
}

QSize RasterImage::textExtent(const QString &text) const
{
    const QFont qfont = bitmapFont(font);
    const QFontMetrics fm(qfont, m_image.isNull() ? &dpiReference() : &m_image);
    return QSize(fm.horizontalAdvance(text), fm.height());
}
