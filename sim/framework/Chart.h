#pragma once
// TChart: the line chart of the chart windows (damped oscillator, resonance,
// multiple slits), one wrapper over Qt Charts with the look and the mouse
// handling they share:
//  - two-dimensional, white back wall, no legend, no title unless set; the
//    panel around the plot takes PanelColor (the window colour by default);
//  - a bottom and a left value axis, each fixed (SetAxisRange) or automatic
//    (SetAxisAutomatic: follows the visible series' data); bold 13-pixel
//    titles, 4 minor ticks, tick colour RGB(64, 0, 64), axis lines hidden;
//  - mouse: drag down and right with the left button zooms into the dragged
//    rectangle, drag up or left resets the zoom, the right button pans;
//    zooming is animated (ZoomAnimated). The hint says so.
//  - a cross-hair that is drawn over the chart and erased without
//    repainting it (XorCrossHair draws at a point, or erases what is drawn
//    there); every real repaint forgets it, and AfterDraw follows every
//    real repaint.
// CopyToClipboard and PrintChart (below) give the graph operations.
#include <QChartView>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <functional>
#include <optional>

class QPrinter;
class QRubberBand;
class QVariantAnimation;

class TChart : public QChartView
{
    Q_OBJECT
public:
    explicit TChart(QWidget *parent = nullptr);

    static const QString ZoomHint; // "To zoom in, drag down and right ..."

    QValueAxis *BottomAxis() const { return m_bottom; }
    QValueAxis *LeftAxis() const { return m_left; }

    // A line series ("fast line"); no point marks, not in any legend.
    QLineSeries *AddLineSeries(const QString &name, const QColor &color);
    // A point series with circle markers; an invalid colour takes the
    // chart's automatic colour.
    QScatterSeries *AddPointSeries(const QString &name, const QColor &color = QColor(), qreal markerSize = 9);
    // Replaces a series' points in one go (one repaint, one axis update).
    void SetPoints(QXYSeries *series, const QList<QPointF> &points);

    void SetAxisRange(QValueAxis *axis, double min, double max);
    void SetAxisAutomatic(QValueAxis *axis);
    void SetAxisTitle(QValueAxis *axis, const QString &title);
    // Title over the chart (bold, 13 pixels); hidden when empty.
    void SetTitle(const QString &title);

    QColor PanelColor() const;
    void SetPanelColor(const QColor &color);

    // The plot area in this widget's coordinates.
    QRect PlotRect() const;
    // A point of the plot in data coordinates (left and bottom axes).
    QPointF ValueAt(const QPoint &widgetPos) const;

    // Cross-hair: a vertical line at p.x() from the plot's top to its bottom
    // and a horizontal line at p.y() across it, in yellow shown as an
    // exclusive-or pen would (blue on the white back wall). Drawing at a
    // point where one is drawn erases it.
    void XorCrossHair(const QPoint &p);
    bool CrossHairDrawn() const { return !m_crossHairs.isEmpty(); }
    QList<QPoint> CrossHairs() const { return m_crossHairs; }

    // What the chart shows, cross-hair included (tests); no repaint counts.
    QImage Frame();
    // The chart alone (no cross-hair) painted into `target`, laid out for a
    // device of `dpi` dots per inch (so printed text keeps its size).
    void RenderTo(QPainter &painter, const QRectF &target, qreal dpi = 0);
    // The chart on the clipboard as SVG and as PNG, its panel white.
    void CopyToClipboard();

    bool Zoomed() const { return m_zoomed; }
    // Zooming in and out glides to the new ranges; off, it jumps there
    // (tests). The chart's own axis animations stay off: with the axes'
    // dynamic ticks they can index past their labels while a range changes.
    bool ZoomAnimated = true;

Q_SIGNALS:
    void AfterDraw();
    void MouseDown(QMouseEvent *event);
    void MouseMove(QMouseEvent *event);
    void MouseUp(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;
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
    void repaintCrossHairRegion(const QPoint &p);

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
    bool m_overlayPaint = false; // a paint that only adds or erases the cross-hair
    bool m_noOverlay = false;    // rendering for print or copy
};

// The print frame of the chart windows. Shows the hourglass until done (in
// every case), takes the printer's offsets, resolution and printable size,
// and computes the chart rectangle: one inch from the paper's left, top and
// right edges, down to two thirds of the page. Then it begins the job, calls
// writeTexts (which writes the window's title and lines, and may move the
// rectangle), prints the chart into the rectangle and ends the job. A
// failure aborts the job and is reported in an error message; returns
// whether the page was printed.
bool PrintChart(QPrinter &printer, TChart *chart, const std::function<void(QPainter &painter, QRect &chartRect)> &writeTexts);
// The chart rectangle for a printer (exposed for tests).
QRect PrintChartRect(QPrinter &printer);
