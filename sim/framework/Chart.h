#pragma once
// Chart: the line chart of the chart windows (damped oscillator, resonance,
// multiple slits), one wrapper over Qt Charts with the look and the mouse
// handling they share:
//  - two-dimensional, white back wall, no legend, no title unless set; the
//    panel around the plot takes panelColor (the window colour by default);
//  - a bottom and a left value axis, each fixed (setAxisRange) or automatic
//    (setAxisAutomatic: follows the visible series' data); bold 13-pixel
//    titles, 4 minor ticks, tick colour RGB(64, 0, 64), axis lines hidden;
//  - mouse: drag down and right with the left button zooms into the dragged
//    rectangle, drag up or left resets the zoom, the right button pans;
//    zooming is animated (zoomAnimated). The hint says so.
//  - a cross-hair that is drawn over the chart and erased without
//    repainting it (xorCrossHair draws at a point, or erases what is drawn
//    there); every real repaint forgets it, and repainted follows every
//    real repaint;
//  - point series (markers) drawn by the chart itself above the plot, not
//    by Qt Charts: moving a marker repaints the pixels around it, from a
//    copy of the plot as last drawn, never the plot and its lines, and at
//    most once a displayed frame. Their QScatterSeries keep the points,
//    the look and the visibility, outside the Qt chart.
// copyToClipboard and printChart (below) give the graph operations.
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QHash>
#include <QPixmap>
#include <QPointer>
#include <QRegion>
#include <functional>
#include <optional>
#include <vector>

class QPrinter;
class QRubberBand;
class QVariantAnimation;

class Chart : public QChartView
{
    Q_OBJECT
public:
    explicit Chart(QWidget *parent = nullptr);

    static const QString zoomHint; // "To zoom in, drag down and right ..."

    QValueAxis *bottomAxis() const { return m_bottom; }
    QValueAxis *leftAxis() const { return m_left; }

    // A line series ("fast line"); no point marks, not in any legend.
    QLineSeries *addLineSeries(const QString &name, const QColor &color);
    // A point series with circle markers; an invalid colour takes the
    // chart's automatic colour.
    QScatterSeries *addPointSeries(const QString &name, const QColor &color = QColor(), qreal markerSize = 9);
    // Replaces a series' points in one go (one repaint, one axis update).
    void setPoints(QXYSeries *series, const QList<QPointF> &points);

    void setAxisRange(QValueAxis *axis, double min, double max);
    void setAxisAutomatic(QValueAxis *axis);
    void setAxisTitle(QValueAxis *axis, const QString &title);
    // Title over the chart (bold, 13 pixels); hidden when empty.
    void setTitle(const QString &title);

    QColor panelColor() const;
    void setPanelColor(const QColor &color);

    // The plot area in this widget's coordinates.
    QRect plotRect() const;
    // A point of the plot in data coordinates (left and bottom axes).
    QPointF valueAt(const QPoint &widgetPos) const;

    // Cross-hair: a vertical line at p.x() from the plot's top to its bottom
    // and a horizontal line at p.y() across it, in yellow shown as an
    // exclusive-or pen would (blue on the white back wall). Drawing at a
    // point where one is drawn erases it.
    // A non-empty `label` is shown in a box beside the cross-hair (a
    // read-out); erasing takes the box away with the lines.
    void xorCrossHair(const QPoint &p, const QString &label = QString());
    bool crossHairDrawn() const { return !m_crossHairs.isEmpty(); }
    QList<QPoint> crossHairs() const { return m_crossHairs; }

    // ---- cross-hair read-out
    // Where the label of a cross-hair at p goes: above and right of the
    // centre, on the other side where the plot ends, always inside the plot.
    QRect crossHairLabelRect(const QPoint &p, const QString &label) const;
    // The label drawn with the cross-hair at p; empty when none.
    QString crossHairLabel(const QPoint &p) const { return m_crossHairLabels.value(p); }

    // What the chart shows, cross-hair included (tests); no repaint counts.
    QImage frame();
    // The chart alone (no cross-hair) painted into `target`, laid out for a
    // device of `dpi` dots per inch (so printed text keeps its size).
    void renderTo(QPainter &painter, const QRectF &target, qreal dpi = 0);
    // The chart on the clipboard as SVG and as PNG, on white with black
    // text whatever the theme.
    void copyToClipboard();
    // renderTo as the chart goes on paper: the panel white and every text
    // black whatever the theme; the screen's look is put back afterwards.
    void renderOnPaper(QPainter &painter, const QRectF &target, qreal dpi = 0);

    bool isZoomed() const { return m_zoomed; }
    // Zooming in and out glides to the new ranges; off, it jumps there
    // (tests). The chart's own axis animations stay off: with the axes'
    // dynamic ticks they can index past their labels while a range changes.
    bool zoomAnimated() const { return m_zoomAnimated; }
    void setZoomAnimated(bool value) { m_zoomAnimated = value; }

    // Projector mode's sizes (or the design's): title and axis fonts, axis
    // and frame lines, curve widths, marker sizes. Follows the mode itself.
    void applyProjectorMode();

Q_SIGNALS:
    void repainted();
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    struct Ranges {
        double x0, x1, y0, y1;
    };
    Ranges currentRanges() const;
    void applyRanges(const Ranges &r);
    // Glides (or jumps) to `target`; `done` runs when it is reached.
    void zoomTo(const Ranges &target, std::function<void()> done = {});
    void noteHome();
    // The data bounds the automatic axes follow; false without data.
    bool dataBounds(double &x0, double &x1, double &y0, double &y1) const;
    void updateAutomaticAxes();
    void updateTicks(QValueAxis *axis);
    void watchSeries(QXYSeries *series);
    // A series' pen width and marker size from its design ones.
    void scaleSeries(QXYSeries *series);
    void repaintCrossHairRegion(const QPoint &p, const QRect &label = QRect());
    void drawCrossHairLabels(QPainter &painter);
    QFont crossHairLabelFont() const;
    // Runs `render` with the paper look (see renderOnPaper).
    void withPaperLook(const std::function<void()> &render);

    // A point series and what of it is on the screen.
    struct PointLayer {
        QPointer<QScatterSeries> series; // null once someone deleted it
        QRegion drawn;      // where its markers were last painted
    };
    const PointLayer *layerOf(const QObject *series) const;
    void pointsMoved(QScatterSeries *series);
    // Where a layer's markers go now, in viewport pixels.
    QRegion markerRegion(const PointLayer &layer) const;
    // A value of the left and bottom axes in the chart's own (scene) pixels.
    QPointF scenePosition(const QPointF &value) const;
    // Repaints only for the markers and the cross-hair, from the copy.
    void updateOverlay(const QRegion &region, bool now);
    // Brings the copy of the plot up to date in `region` (viewport pixels).
    void drawPlot(const QRegion &region);
    void drawMarkers(QPainter &painter, const QTransform &sceneToDevice, const QRectF &clip, bool noteDrawn);
    void drawCrossHairs(QPainter &painter);

    QValueAxis *m_bottom;
    QValueAxis *m_left;
    bool m_bottomAuto = false;
    bool m_leftAuto = false;
    bool m_zoomed = false;
    std::optional<Ranges> m_home; // the ranges before the first zoom or pan
    QVariantAnimation *m_zoomAnimation = nullptr;

    enum class Drag { None, Zoom, Pan };
    Drag m_drag = Drag::None;
    QPoint m_dragStart;
    QPoint m_lastPan;
    QRubberBand *m_band = nullptr;

    QList<QPoint> m_crossHairs;
    QHash<QPoint, QString> m_crossHairLabels; // read-outs of the cross-hairs drawn
    std::vector<PointLayer> m_pointLayers;
    QPixmap m_plot;              // the plot as last drawn: no markers, no cross-hair
    QRegion m_overlayRegion;     // asked to repaint for the markers and the cross-hair only
    bool m_overlayPaint = false;  // a repaint asked for the cross-hair
    bool m_grabbing = false;      // frame(): a fresh picture, but no repaint counts

    bool m_zoomAnimated = true;
    QFont m_designLabelsFont; // the axis numbers' font outside projector mode
};

// The print frame of the chart windows. Shows the hourglass until done (in
// every case), takes the printer's offsets, resolution and printable size,
// and computes the chart rectangle: one inch from the paper's left, top and
// right edges, down to two thirds of the page. Then it begins the job, calls
// writeTexts (which writes the window's title and lines, and may move the
// rectangle), prints the chart into the rectangle (on white, with black
// text) and ends the job. A
// failure aborts the job and is reported in an error message; returns
// whether the page was printed.
bool printChart(QPrinter &printer, Chart *chart, const std::function<void(QPainter &painter, QRect &chartRect)> &writeTexts);
// The chart rectangle for a printer (exposed for tests).
QRect printChartRect(QPrinter &printer);
