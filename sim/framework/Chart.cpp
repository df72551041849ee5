#include "sim/framework/Chart.h"

#include "sim/framework/Dialogs.h"
#include "sim/framework/Hints.h"
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
    f.setPixelSize(13);
    f.setBold(true);
    return f;
}

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
    auto *c = new QChart;
    setChart(c);
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
    c->setMargins(QMargins(0, 8, 12, 4));
    c->setPlotAreaBackgroundBrush(Qt::white);
    c->setPlotAreaBackgroundPen(QPen(QColor(128, 128, 128), 1));
    c->setPlotAreaBackgroundVisible(true);
    c->setAnimationOptions(QChart::NoAnimation); // zooming glides by zoomTo
    c->setTitleFont(titleFont());

    m_bottom = new QValueAxis(this);
    m_left = new QValueAxis(this);
    c->addAxis(m_bottom, Qt::AlignBottom);
    c->addAxis(m_left, Qt::AlignLeft);
    for (QValueAxis *a : {m_bottom, m_left}) {
        a->setTitleFont(titleFont());
        a->setMinorTickCount(4);
        a->setMinorGridLineVisible(false);
        // Qt Charts draws the tick marks with the axis line: the line is
        // kept, in the tick colour, on the back wall's edge.
        a->setLinePen(QPen(kTickColour, 1));
        a->setGridLineColor(QColor(224, 224, 224));
        connect(a, &QValueAxis::rangeChanged, this, [this, a] { updateTicks(a); });
        updateTicks(a);
    }
    setPanelColor(palette().color(QPalette::Window));
    setHint(this, zoomHint);
}

QLineSeries *Chart::addLineSeries(const QString &name, const QColor &color)
{
    auto *s = new QLineSeries(this);
    s->setName(name);
    chart()->addSeries(s); // the theme dresses the series here; set the pen after
    s->attachAxis(m_bottom);
    s->attachAxis(m_left);
    s->setPen(QPen(color, 1));
    s->setPointsVisible(false);
    watchSeries(s);
    return s;
}

QScatterSeries *Chart::addPointSeries(const QString &name, const QColor &color, qreal markerSize)
{
    auto *s = new QScatterSeries(this);
    s->setName(name);
    chart()->addSeries(s);
    s->attachAxis(m_bottom);
    s->attachAxis(m_left);
    s->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    s->setMarkerSize(markerSize);
    if (color.isValid())
        s->setColor(color);
    watchSeries(s);
    return s;
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
    for (QAbstractSeries *a : chart()->series()) {
        auto *s = qobject_cast<QXYSeries *>(a);
        if (!s || !s->isVisible())
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
    if (!m_overlayPaint && !m_crossHairs.isEmpty()) {
        // A real repaint forgets the cross-hair; where only part of the chart
        // is repainted, the rest is repainted too, so no stale line stays.
        m_crossHairs.clear();
        if (event->rect() != viewport()->rect())
            viewport()->update();
    }
    QChartView::paintEvent(event);
    if (!m_overlayPaint)
        Q_EMIT repainted();
}

void Chart::drawForeground(QPainter *painter, const QRectF &rect)
{
    QChartView::drawForeground(painter, rect);
    if (m_noOverlay || m_crossHairs.isEmpty())
        return;
    const QRectF plot = chart()->mapRectToScene(chart()->plotArea());
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    // Difference with yellow looks as an exclusive-or pen does: blue on
    // white, yellow on black.
    painter->setCompositionMode(QPainter::CompositionMode_Difference);
    painter->setPen(QPen(QColor(255, 255, 0), 0));
    for (const QPoint &p : m_crossHairs) {
        const QPointF s = mapToScene(p);
        painter->drawLine(QPointF(s.x(), plot.top()), QPointF(s.x(), plot.bottom()));
        painter->drawLine(QPointF(plot.left(), s.y()), QPointF(plot.right(), s.y()));
    }
    painter->restore();
}

void Chart::repaintCrossHairRegion(const QPoint &p)
{
    const QRect plot = plotRect().adjusted(-1, -1, 2, 2);
    QRegion region(QRect(p.x() - 1, plot.top(), 3, plot.height()));
    region += QRect(plot.left(), p.y() - 1, plot.width(), 3);
    m_overlayPaint = true;
    viewport()->repaint(region);
    m_overlayPaint = false;
}

void Chart::xorCrossHair(const QPoint &p)
{
    if (!m_crossHairs.removeOne(p))
        m_crossHairs.append(p);
    repaintCrossHairRegion(p);
}

QImage Chart::frame()
{
    m_overlayPaint = true;
    const QImage img = viewport()->grab().toImage();
    m_overlayPaint = false;
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
    m_noOverlay = true;
    const bool relayout = layoutSize != screenSize;
    if (relayout) {
        c->setAnimationOptions(QChart::NoAnimation);
        c->resize(layoutSize);
        if (c->layout())
            c->layout()->activate();
    }
    const QRectF source(c->scenePos(), layoutSize);
    scene()->render(&painter, target, source, Qt::IgnoreAspectRatio);
    if (relayout) {
        c->resize(screenSize);
        if (c->layout())
            c->layout()->activate();
        c->setAnimationOptions(anim);
    }
    m_noOverlay = false;
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
