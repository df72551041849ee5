#include "sim/framework/Chart.h"

#include "sim/framework/Dialogs.h"
#include "sim/framework/FramePacer.h"
#include "sim/framework/Hints.h"
#include "sim/framework/ProjectorMode.h"
#include "sim/framework/RasterImage.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QGraphicsLayout>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QRubberBand>
#include <QScopeGuard>
#include <QSvgGenerator>
#include <QVariantAnimation>
#include <cmath>
#include <exception>

const QString Chart::zoomHint = QStringLiteral(
    "To zoom in, drag down and right with the left button; drag up and left to zoom out. Right button to pan graph");

namespace {
const QColor kTickColour(64, 0, 64);

QFont titleFont()
{
    QFont f(pictureFontFamily(QStringLiteral("Arial")));
    f.setPixelSize(qRound(13 * ProjectorMode::textScale()));
    f.setBold(true);
    return f;
}

// What a series was given, kept on it so projector mode can scale from it.
const char kDesignWidth[] = "designPenWidth";
const char kDesignMarkerSize[] = "designMarkerSize";

// About eight intervals, each 1, 2, 2.5 or 5 times a power of ten.
double niceStep(double range, int *decimals)
{
    const double raw = range / 8.0;
    const double mag = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / mag;
    const double k = norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 2.5 ? 2.5 : norm <= 5 ? 5 : 10;
    const double step = k * mag;
    int d = int(std::max(0.0, -std::floor(std::log10(step) + 1e-9)));
    if (k == 2.5 && step < 10)
        ++d;
    *decimals = d;
    return step;
}
} // namespace

Chart::Chart(QWidget *parent) : QChartView(parent)
{
    // The view's own chart: setChart() would leave the one it replaces
    // undeleted.
    QChart *c = chart();
    setFrameShape(QFrame::NoFrame);
    setRenderHint(QPainter::Antialiasing);
    setRubberBand(QChartView::NoRubberBand);
    setDragMode(QGraphicsView::NoDrag);
    setMouseTracking(true);
    viewport()->setMouseTracking(true);

    c->legend()->hide();
    c->setBackgroundRoundness(0);
    c->setDropShadowEnabled(false);
    c->setBackgroundPen(Qt::NoPen);
    c->setPlotAreaBackgroundBrush(Qt::white);
    c->setPlotAreaBackgroundVisible(true);
    c->setAnimationOptions(QChart::NoAnimation); // zooming glides by zoomTo

    m_bottom = new QValueAxis(this);
    m_left = new QValueAxis(this);
    c->addAxis(m_bottom, Qt::AlignBottom);
    c->addAxis(m_left, Qt::AlignLeft);
    for (QValueAxis *a : {m_bottom, m_left}) {
        a->setMinorTickCount(4);
        a->setMinorGridLineVisible(false);
        a->setGridLineColor(QColor(224, 224, 224));
        connect(a, &QValueAxis::rangeChanged, this, [this, a] { updateTicks(a); });
        updateTicks(a);
    }
    setPanelColor(palette().color(QPalette::Window));
    setHint(this, zoomHint);
    m_designLabelsFont = m_bottom->labelsFont();
    // Margins, frame, fonts and axis lines, at the sizes of the mode in force.
    applyProjectorMode();
    connect(ProjectorMode::instance(), &ProjectorMode::changed, this, &Chart::applyProjectorMode);
}

void Chart::applyProjectorMode()
{
    QChart *c = chart();
    const qreal stroke = ProjectorMode::strokeScale();
    const QFont labels = ProjectorMode::scaledFont(m_designLabelsFont, ProjectorMode::textScale());
    c->setTitleFont(titleFont());
    c->setPlotAreaBackgroundPen(QPen(QColor(128, 128, 128), stroke));
    const int grow = qRound(8 * (ProjectorMode::textScale() - 1));
    c->setMargins(QMargins(grow, 8 + grow, 12 + grow, 4 + grow));
    for (QValueAxis *a : {m_bottom, m_left}) {
        a->setTitleFont(titleFont());
        a->setLabelsFont(labels);
        // Qt Charts draws the tick marks with the axis line: the line is
        // kept, in the tick colour, on the back wall's edge.
        a->setLinePen(QPen(kTickColour, stroke));
    }
    for (QAbstractSeries *series : c->series())
        if (auto *line = qobject_cast<QLineSeries *>(series))
            scaleSeries(line);
    for (const PointLayer &layer : m_pointLayers)
        if (layer.series)
            scaleSeries(layer.series);
    // The copy of the plot is stale: the next paint draws it anew.
    m_plot = QPixmap();
    viewport()->update();
}

void Chart::scaleSeries(QXYSeries *series)
{
    const QVariant width = series->property(kDesignWidth);
    if (width.isValid()) {
        QPen pen = series->pen();
        // Curves are at least two pixels wide on a projector.
        const qreal w = width.toReal();
        pen.setWidthF(ProjectorMode::isOn() ? qMax(2.0, w * ProjectorMode::strokeScale()) : w);
        series->setPen(pen);
    }
    if (auto *points = qobject_cast<QScatterSeries *>(series)) {
        const qreal before = points->markerSize();
        const QVariant size = points->property(kDesignMarkerSize);
        if (size.isValid())
            points->setMarkerSize(size.toReal() * ProjectorMode::textScale());
        if (points->markerSize() != before)
            pointsMoved(points);
    }
}

QLineSeries *Chart::addLineSeries(const QString &name, const QColor &color)
{
    auto *s = new QLineSeries(this);
    s->setName(name);
    chart()->addSeries(s); // the theme dresses the series here; set the pen after
    s->attachAxis(m_bottom);
    s->attachAxis(m_left);
    s->setPen(QPen(color, 1));
    s->setProperty(kDesignWidth, 1.0);
    scaleSeries(s);
    s->setPointsVisible(false);
    watchSeries(s);
    return s;
}

QScatterSeries *Chart::addPointSeries(const QString &name, const QColor &color, qreal markerSize)
{
    auto *s = new QScatterSeries(this);
    s->setName(name);
    chart()->addSeries(s); // dressed by the theme like any series
    s->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    s->setMarkerSize(markerSize);
    s->setProperty(kDesignMarkerSize, markerSize);
    if (color.isValid())
        s->setColor(color);
    // The chart draws the markers itself, above a copy of the plot: Qt
    // Charts would repaint the plot and all its lines for each move. The
    // series only keeps the points, their look and whether they show.
    chart()->removeSeries(s);
    s->setParent(this);
    m_pointLayers.push_back({s, {}});
    watchSeries(s);
    const auto moved = [this, s] { pointsMoved(s); };
    connect(s, &QXYSeries::pointsReplaced, this, moved);
    connect(s, &QXYSeries::pointsRemoved, this, moved);
    connect(s, &QXYSeries::pointReplaced, this, moved);
    connect(s, &QXYSeries::pointAdded, this, moved);
    connect(s, &QXYSeries::pointRemoved, this, moved);
    connect(s, &QAbstractSeries::visibleChanged, this, moved);
    scaleSeries(s);
    return s;
}

const Chart::PointLayer *Chart::layerOf(const QObject *series) const
{
    for (const PointLayer &l : m_pointLayers)
        if (l.series.data() == series)
            return &l;
    return nullptr;
}

void Chart::pointsMoved(QScatterSeries *series)
{
    const PointLayer *layer = layerOf(series);
    if (!layer)
        return;
    // Where they were and where they go.
    updateOverlay(layer->drawn + markerRegion(*layer), false);
}

QPointF Chart::scenePosition(const QPointF &value) const
{
    const QRectF plot = chart()->plotArea();
    const double x0 = m_bottom->min(), x1 = m_bottom->max(), y0 = m_left->min(), y1 = m_left->max();
    const double x = x1 > x0 ? plot.left() + (value.x() - x0) / (x1 - x0) * plot.width() : plot.left();
    const double y = y1 > y0 ? plot.bottom() - (value.y() - y0) / (y1 - y0) * plot.height() : plot.bottom();
    return chart()->mapToScene(QPointF(x, y));
}

QRegion Chart::markerRegion(const PointLayer &layer) const
{
    QRegion region;
    if (!layer.series || !layer.series->isVisible())
        return region;
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    const double reach = layer.series->markerSize() / 2 + layer.series->pen().widthF() + 2;
    for (const QPointF &value : layer.series->points()) {
        const QPointF at = scenePosition(value);
        if (!std::isfinite(at.x()) || !std::isfinite(at.y()) || !plot.adjusted(-1, -1, 1, 1).contains(at))
            continue;
        const QPoint c = mapFromScene(at);
        region += QRectF(c.x() - reach, c.y() - reach, 2 * reach, 2 * reach).toAlignedRect();
    }
    return region;
}

void Chart::watchSeries(QXYSeries *series)
{
    connect(series, &QXYSeries::pointsReplaced, this, &Chart::updateAutomaticAxes);
    connect(series, &QXYSeries::pointAdded, this, &Chart::updateAutomaticAxes);
    connect(series, &QXYSeries::pointRemoved, this, &Chart::updateAutomaticAxes);
    connect(series, &QXYSeries::pointReplaced, this, &Chart::updateAutomaticAxes);
    connect(series, &QXYSeries::pointsRemoved, this, &Chart::updateAutomaticAxes);
    connect(series, &QAbstractSeries::visibleChanged, this, &Chart::updateAutomaticAxes);
}

void Chart::setPoints(QXYSeries *series, const QList<QPointF> &points)
{
    series->replace(points);
}

void Chart::setAxisRange(QValueAxis *axis, double min, double max)
{
    if (axis == m_bottom)
        m_bottomAuto = false;
    else if (axis == m_left)
        m_leftAuto = false;
    axis->setRange(min, max);
}

void Chart::setAxisAutomatic(QValueAxis *axis)
{
    if (axis == m_bottom)
        m_bottomAuto = true;
    else if (axis == m_left)
        m_leftAuto = true;
    updateAutomaticAxes();
}

void Chart::setAxisTitle(QValueAxis *axis, const QString &title)
{
    axis->setTitleText(title);
    axis->setTitleFont(titleFont());
}

void Chart::setTitle(const QString &title)
{
    chart()->setTitle(title);
    chart()->setTitleFont(titleFont());
}

bool Chart::dataBounds(double &x0, double &x1, double &y0, double &y1) const
{
    bool any = false;
    QList<QXYSeries *> all;
    for (QAbstractSeries *a : chart()->series())
        if (auto *s = qobject_cast<QXYSeries *>(a))
            all.append(s);
    for (const PointLayer &l : m_pointLayers)
        if (l.series)
            all.append(l.series.data());
    for (const QXYSeries *s : all) {
        if (!s->isVisible())
            continue;
        for (const QPointF &p : s->points()) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            if (!any) {
                x0 = x1 = p.x();
                y0 = y1 = p.y();
                any = true;
            } else {
                x0 = std::min(x0, p.x());
                x1 = std::max(x1, p.x());
                y0 = std::min(y0, p.y());
                y1 = std::max(y1, p.y());
            }
        }
    }
    if (!any)
        return false;
    auto widen = [](double &lo, double &hi) {
        if (hi - lo <= 0) {
            lo -= 1;
            hi += 1;
        }
    };
    widen(x0, x1);
    widen(y0, y1);
    return true;
}

void Chart::updateAutomaticAxes()
{
    // A zoomed or panned chart keeps its view until the zoom is reset.
    if (m_zoomed || (!m_bottomAuto && !m_leftAuto))
        return;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    if (!dataBounds(x0, x1, y0, y1))
        return;
    if (m_bottomAuto)
        m_bottom->setRange(x0, x1);
    if (m_leftAuto)
        m_left->setRange(y0, y1);
}

Chart::Ranges Chart::currentRanges() const
{
    return {m_bottom->min(), m_bottom->max(), m_left->min(), m_left->max()};
}

void Chart::applyRanges(const Ranges &r)
{
    m_bottom->setRange(r.x0, r.x1);
    m_left->setRange(r.y0, r.y1);
}

void Chart::noteHome()
{
    if (!m_zoomed)
        m_home = currentRanges();
}

void Chart::zoomTo(const Ranges &target, std::function<void()> done)
{
    if (m_zoomAnimation)
        m_zoomAnimation->stop(); // a new zoom starts from where the last one stands
    if (!m_zoomAnimated) {
        applyRanges(target);
        if (done)
            done();
        return;
    }
    if (!m_zoomAnimation) {
        m_zoomAnimation = new QVariantAnimation(this);
        m_zoomAnimation->setDuration(400);
        m_zoomAnimation->setEasingCurve(QEasingCurve::OutCubic);
        m_zoomAnimation->setStartValue(0.0);
        m_zoomAnimation->setEndValue(1.0);
    }
    m_zoomAnimation->disconnect(this);
    const Ranges from = currentRanges();
    connect(m_zoomAnimation, &QVariantAnimation::valueChanged, this, [this, from, target](const QVariant &v) {
        const double t = v.toDouble();
        auto mix = [t](double a, double b) { return a + (b - a) * t; };
        applyRanges({mix(from.x0, target.x0), mix(from.x1, target.x1), mix(from.y0, target.y0),
                     mix(from.y1, target.y1)});
    });
    connect(m_zoomAnimation, &QVariantAnimation::finished, this, [this, target, done] {
        applyRanges(target);
        if (done)
            done();
    });
    m_zoomAnimation->start();
}

void Chart::updateTicks(QValueAxis *axis)
{
    const double range = axis->max() - axis->min();
    if (!(range > 0) || !std::isfinite(range))
        return;
    int decimals = 0;
    const double step = niceStep(range, &decimals);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(step);
    axis->setLabelFormat(QStringLiteral("%.%1f").arg(decimals));
}

QColor Chart::panelColor() const
{
    return chart()->backgroundBrush().color();
}

void Chart::setPanelColor(const QColor &color)
{
    chart()->setBackgroundBrush(color);
    setBackgroundBrush(color);
}

QRect Chart::plotRect() const
{
    const QRectF scene = chart()->mapRectToScene(chart()->plotArea());
    return mapFromScene(scene).boundingRect();
}

QPointF Chart::valueAt(const QPoint &widgetPos) const
{
    return chart()->mapToValue(chart()->mapFromScene(mapToScene(widgetPos)));
}

// ---------------------------------------------------------------- painting

void Chart::paintEvent(QPaintEvent *event)
{
    const QRegion region = event->region();
    const qreal ratio = devicePixelRatioF();
    const bool copied = !m_plot.isNull() && m_plot.size() == viewport()->size() * ratio
                        && m_plot.devicePixelRatio() == ratio;
    // Only what the markers and the cross-hair asked for: the plot comes
    // from the copy. Anything else is a real repaint of the chart.
    const bool overlayOnly = !m_grabbing && (region - m_overlayRegion).isEmpty();
    m_overlayRegion -= region;
    // A repaint asked for the cross-hair may take in other pending parts;
    // it still does not forget the cross-hair.
    const bool realRepaint = !overlayOnly && !m_grabbing && !m_overlayPaint;
    if (realRepaint && !m_crossHairs.isEmpty()) {
        // A real repaint forgets the cross-hair; where only part of the chart
        // is repainted, the rest is repainted too, so no stale line stays.
        m_crossHairs.clear();
        m_crossHairLabels.clear();
        if (region != QRegion(viewport()->rect()))
            viewport()->update();
    }
    if (!copied)
        drawPlot(viewport()->rect());
    else if (!overlayOnly)
        drawPlot(region);

    QPainter painter(viewport());
    painter.setClipRegion(region);
    painter.drawPixmap(0, 0, m_plot);
    painter.setRenderHints(renderHints());
    drawMarkers(painter, viewportTransform(), plotRect(), true);
    drawCrossHairs(painter);
    drawCrossHairLabels(painter);
    painter.end();
    if (realRepaint)
        Q_EMIT repainted();
}

void Chart::drawPlot(const QRegion &region)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = viewport()->size() * ratio;
    if (m_plot.size() != pixels || m_plot.devicePixelRatio() != ratio) {
        m_plot = QPixmap(pixels);
        m_plot.setDevicePixelRatio(ratio);
    }
    // The chart view draws the scene as it always does, into a picture of
    // the area alone (its series set clip rectangles of their own, which a
    // clip region on the copy would not hold), then copied in.
    const QRect area = region.boundingRect();
    QPixmap part(area.size() * ratio);
    part.setDevicePixelRatio(ratio);
    part.fill(panelColor());
    QPainter partPainter(&part);
    partPainter.setRenderHints(renderHints());
    render(&partPainter, QRectF(QPointF(0, 0), area.size()), area, Qt::IgnoreAspectRatio);
    partPainter.end();
    QPainter painter(&m_plot);
    painter.setClipRegion(region);
    painter.drawPixmap(area.topLeft(), part);
}

void Chart::drawMarkers(QPainter &painter, const QTransform &sceneToDevice, const QRectF &clip, bool noteDrawn)
{
    painter.save();
    painter.setClipRect(clip, Qt::IntersectClip);
    for (PointLayer &layer : m_pointLayers) {
        if (noteDrawn)
            layer.drawn = QRegion();
        if (!layer.series || !layer.series->isVisible())
            continue;
        const QScatterSeries *s = layer.series;
        painter.setPen(s->pen());
        painter.setBrush(s->brush());
        const double size = s->markerSize();
        const QRectF plot = chart()->mapRectToScene(chart()->plotArea()).adjusted(-1, -1, 1, 1);
        for (const QPointF &value : s->points()) {
            const QPointF at = scenePosition(value);
            if (!std::isfinite(at.x()) || !std::isfinite(at.y()) || !plot.contains(at))
                continue;
            const QPointF c = sceneToDevice.map(at);
            painter.drawEllipse(QRectF(c.x() - size / 2, c.y() - size / 2, size, size));
        }
        if (noteDrawn)
            layer.drawn = markerRegion(layer);
    }
    painter.restore();
}

void Chart::drawCrossHairs(QPainter &painter)
{
    if (m_crossHairs.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Difference with yellow looks as an exclusive-or pen does: blue on
    // white, yellow on black.
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(QPen(QColor(255, 255, 0), 0));
    const QRect area = plotRect();
    for (const QPoint &p : m_crossHairs) {
        painter.drawLine(QPointF(p.x(), area.top()), QPointF(p.x(), area.bottom()));
        painter.drawLine(QPointF(area.left(), p.y()), QPointF(area.right(), p.y()));
    }
    painter.restore();
}

void Chart::updateOverlay(const QRegion &region, bool now)
{
    if (region.isEmpty())
        return;
    m_overlayRegion += region;
    if (now) {
        m_overlayPaint = true;
        viewport()->repaint(region);
        m_overlayPaint = false;
    } else
        FramePacer::update(viewport(), region);
}

void Chart::repaintCrossHairRegion(const QPoint &p, const QRect &label)
{
    const QRect plot = plotRect().adjusted(-1, -1, 2, 2);
    QRegion region(QRect(p.x() - 1, plot.top(), 3, plot.height()));
    region += QRect(plot.left(), p.y() - 1, plot.width(), 3);
    if (!label.isEmpty())
        region += label.adjusted(-1, -1, 1, 1);
    updateOverlay(region, true);
}

void Chart::xorCrossHair(const QPoint &p, const QString &label)
{
    QRect box;
    if (m_crossHairs.removeOne(p)) {
        // Erased with the box it was drawn with, whatever label is passed now.
        const QString drawn = m_crossHairLabels.take(p);
        if (!drawn.isEmpty())
            box = crossHairLabelRect(p, drawn);
    } else {
        m_crossHairs.append(p);
        if (!label.isEmpty()) {
            m_crossHairLabels.insert(p, label);
            box = crossHairLabelRect(p, label);
        }
    }
    repaintCrossHairRegion(p, box);
}

// ---------------------------------------------------------------- cross-hair read-out

namespace {
const int kLabelGap = 8;     // from the cross-hair's centre to its label
const int kLabelPadding = 3; // around the text inside the box
} // namespace

QFont Chart::crossHairLabelFont() const
{
    // The axes' numbers: the read-out is as large as what it is read against.
    // Resolved as a painter on the viewport would, so box and text agree.
    return m_bottom->labelsFont().resolve(viewport()->font());
}

QRect Chart::crossHairLabelRect(const QPoint &p, const QString &label) const
{
    const QRect plot = plotRect();
    const QSize text = QFontMetrics(crossHairLabelFont(), viewport()).size(0, label);
    const QSize size(text.width() + 2 * kLabelPadding, text.height() + 2 * kLabelPadding);
    // Above the centre by choice: the chart's hint shows below the pointer.
    int x = p.x() + kLabelGap;
    if (x + size.width() > plot.right() + 1)
        x = p.x() - kLabelGap - size.width();
    int y = p.y() - kLabelGap - size.height();
    if (y < plot.top())
        y = p.y() + kLabelGap;
    // Near a corner of a small plot neither side may fit: keep it inside.
    x = std::max(plot.left(), std::min(x, plot.right() + 1 - size.width()));
    y = std::max(plot.top(), std::min(y, plot.bottom() + 1 - size.height()));
    return QRect(QPoint(x, y), size).intersected(plot);
}

void Chart::drawCrossHairLabels(QPainter &painter)
{
    if (m_crossHairLabels.isEmpty())
        return;
    painter.save();
    painter.setClipRect(plotRect(), Qt::IntersectClip);
    painter.setFont(crossHairLabelFont());
    for (const QPoint &p : std::as_const(m_crossHairs)) {
        const QString label = m_crossHairLabels.value(p);
        if (label.isEmpty())
            continue;
        const QRect box = crossHairLabelRect(p, label);
        // Opaque white with the ticks' colour around it: readable over the
        // curve and the grid alike.
        painter.setPen(QPen(QColor(64, 0, 64), 0));
        painter.setBrush(Qt::white);
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(box.adjusted(kLabelPadding, kLabelPadding, -kLabelPadding, -kLabelPadding),
                         Qt::AlignLeft | Qt::AlignTop, label);
    }
    painter.restore();
}

QImage Chart::frame()
{
    m_grabbing = true;
    const QImage img = viewport()->grab().toImage();
    m_grabbing = false;
    return img;
}

void Chart::renderTo(QPainter &painter, const QRectF &target, qreal dpi)
{
    QChart *c = chart();
    const QSizeF screenSize = c->size();
    const QChart::AnimationOptions anim = c->animationOptions();
    const qreal screenDpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
    QSizeF layoutSize = screenSize;
    if (dpi > 0) {
        // Lay the chart out at the target's shape in screen pixels, so its
        // text and lines keep their sizes on the printed page.
        layoutSize = target.size() * (screenDpi / dpi);
    }
    const bool relayout = layoutSize != screenSize;
    if (relayout) {
        c->setAnimationOptions(QChart::NoAnimation);
        c->resize(layoutSize);
        if (c->layout())
            c->layout()->activate();
    }
    const QRectF source(c->scenePos(), layoutSize);
    scene()->render(&painter, target, source, Qt::IgnoreAspectRatio);
    // The markers, which the chart draws itself, on the plot as laid out.
    QTransform toTarget;
    toTarget.translate(target.left(), target.top());
    toTarget.scale(target.width() / source.width(), target.height() / source.height());
    toTarget.translate(-source.left(), -source.top());
    painter.save();
    painter.setTransform(toTarget, true);
    painter.setRenderHint(QPainter::Antialiasing);
    drawMarkers(painter, QTransform(), c->mapRectToScene(c->plotArea()), false);
    painter.restore();
    if (relayout) {
        c->resize(screenSize);
        if (c->layout())
            c->layout()->activate();
        c->setAnimationOptions(anim);
    }
}

void Chart::withPaperLook(const std::function<void()> &render)
{
    // The theme's panel and the chart theme's grey text suit the screen;
    // paper and pasted copies get white and black.
    QChart *c = chart();
    const QColor panel = panelColor();
    const QBrush title = c->titleBrush();
    const QBrush labels[] = {m_bottom->labelsBrush(), m_left->labelsBrush()};
    const QBrush titles[] = {m_bottom->titleBrush(), m_left->titleBrush()};
    const auto screenLook = qScopeGuard([&] {
        setPanelColor(panel);
        c->setTitleBrush(title);
        m_bottom->setLabelsBrush(labels[0]);
        m_left->setLabelsBrush(labels[1]);
        m_bottom->setTitleBrush(titles[0]);
        m_left->setTitleBrush(titles[1]);
    });
    setPanelColor(Qt::white);
    c->setTitleBrush(Qt::black);
    for (QValueAxis *a : {m_bottom, m_left}) {
        a->setLabelsBrush(Qt::black);
        a->setTitleBrush(Qt::black);
    }
    render();
}

void Chart::renderOnPaper(QPainter &painter, const QRectF &target, qreal dpi)
{
    withPaperLook([&] { renderTo(painter, target, dpi); });
}

void Chart::copyToClipboard()
{
    const QSize size = chart()->size().toSize();
    QBuffer svg;
    svg.open(QIODevice::WriteOnly);
    const qreal ratio = devicePixelRatioF();
    QImage png(size * ratio, QImage::Format_ARGB32_Premultiplied);
    png.setDevicePixelRatio(ratio);
    png.fill(Qt::white);
    withPaperLook([&] {
        {
            QSvgGenerator gen;
            gen.setOutputDevice(&svg);
            gen.setSize(size);
            gen.setViewBox(QRect(QPoint(0, 0), size));
            QPainter p(&gen);
            renderTo(p, QRectF(QPointF(0, 0), size));
        }
        QPainter p(&png);
        renderTo(p, QRectF(QPointF(0, 0), size));
    });

    auto *data = new QMimeData;
    data->setData(QStringLiteral("image/svg+xml"), svg.data());
    data->setImageData(png);
    QGuiApplication::clipboard()->setMimeData(data);
}

// ---------------------------------------------------------------- mouse

void Chart::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT mousePressed(event);
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_drag = Drag::Zoom;
        m_dragStart = pos;
        if (!m_band)
            m_band = new QRubberBand(QRubberBand::Rectangle, viewport());
        m_band->setGeometry(QRect(pos, QSize()));
        m_band->show();
    } else if (event->button() == Qt::RightButton) {
        m_drag = Drag::Pan;
        m_lastPan = pos;
    }
    event->accept();
}

void Chart::mouseMoveEvent(QMouseEvent *event)
{
    Q_EMIT mouseMoved(event);
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::Zoom && m_band) {
        m_band->setGeometry(QRect(m_dragStart, pos).normalized());
    } else if (m_drag == Drag::Pan) {
        const QPoint d = pos - m_lastPan;
        m_lastPan = pos;
        if (!d.isNull()) {
            noteHome();
            if (m_zoomAnimation)
                m_zoomAnimation->stop();
            chart()->scroll(-d.x(), d.y());
            m_zoomed = true;
        }
    }
    event->accept();
}

void Chart::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT mouseReleased(event);
    const QPoint pos = event->position().toPoint();
    if (m_drag == Drag::Zoom) {
        if (m_band)
            m_band->hide();
        const QPoint d = pos - m_dragStart;
        if (d.x() > 2 && d.y() > 2) {
            const QRect dragged = QRect(m_dragStart, pos).intersected(plotRect());
            if (!dragged.isEmpty()) {
                const QPointF a = valueAt(dragged.topLeft()), b = valueAt(dragged.bottomRight());
                noteHome();
                m_zoomed = true;
                zoomTo({a.x(), b.x(), b.y(), a.y()});
            }
        } else if ((d.x() < -2 || d.y() < -2) && m_zoomed) {
            // Back to the whole graph: the ranges set before the zoom, or
            // what the automatic axes follow now. The view counts as zoomed
            // until it is there, so new data does not fight the glide.
            Ranges home = m_home.value_or(currentRanges());
            double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
            if (dataBounds(x0, x1, y0, y1)) {
                if (m_bottomAuto)
                    home.x0 = x0, home.x1 = x1;
                if (m_leftAuto)
                    home.y0 = y0, home.y1 = y1;
            }
            zoomTo(home, [this] {
                m_zoomed = false;
                m_home.reset();
                updateAutomaticAxes();
            });
        }
    }
    m_drag = Drag::None;
    event->accept();
}

// ---------------------------------------------------------------- printing

QRect printChartRect(QPrinter &printer)
{
    const QRect paper = printer.paperRect(QPrinter::DevicePixel).toRect();
    const QRect page = printer.pageRect(QPrinter::DevicePixel).toRect();
    const int offX = page.left() - paper.left();
    const int offY = page.top() - paper.top();
    const int resX = printer.logicalDpiX();
    const int resY = printer.logicalDpiY();
    const int W = page.width();
    const int H = page.height();
    const int left = resX - offX;
    const int top = resY - offY;
    const int right = W + offX - resX;
    const int bottom = int(std::nearbyint(H * 2.0 / 3.0));
    return QRect(left, top, right - left, bottom - top);
}

bool printChart(QPrinter &printer, Chart *chart, const std::function<void(QPainter &, QRect &)> &writeTexts)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    struct CursorBack {
        ~CursorBack() { QApplication::restoreOverrideCursor(); }
    } cursorBack;

    QRect rect = printChartRect(printer);
    QPainter painter;
    if (!painter.begin(&printer)) {
        Dialogs::showError(chart, QObject::tr("The chart could not be printed: the printer did not start."));
        return false;
    }
    try {
        if (writeTexts)
            writeTexts(painter, rect);
        if (chart)
            chart->renderOnPaper(painter, rect, printer.logicalDpiX());
        if (!painter.end())
            throw std::runtime_error("the print job could not be finished");
        return true;
    } catch (const std::exception &e) {
        printer.abort();
        if (painter.isActive())
            painter.end();
        Dialogs::showError(chart, QObject::tr("The chart could not be printed: %1").arg(QString::fromLocal8Bit(e.what())));
        return false;
    }
}
