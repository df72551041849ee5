// The multiple-slit window: the chart's two series, the three spin boxes and
// the envelope button, the fringe strip as drawn (and kept through zooming),
// the Graph menu's copy, print and cross-hair, and the button sizes.
#include "WidgetTestSupport.h"
#include "sim/framework/Chart.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/optics/MultipleSlitsWindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QPrinter>
#include <QTest>
#include <cmath>

using namespace TestSupport;

namespace {

struct Window {
    MultipleSlitsWindow w;
    Window()
    {
        w.chart()->setZoomAnimated(false); // ranges and strip checked right after each drag
        showOffscreen(&w, QSize(767, 504));
        QCoreApplication::processEvents();
    }
    QImage strip() const { return w.picture()->bitmap().image(); }
    // The plot area's left edge in the strip's picture.
    int plotLeft() const
    {
        const QRect plot = w.chart()->plotRect();
        return w.picture()->mapFromGlobal(w.chart()->viewport()->mapToGlobal(plot.topLeft())).x();
    }
    // New axis labels move the plot area when the chart next paints, and the
    // strip follows: waits until it has.
    bool settled() const { return w.stripRect().left() == plotLeft() && w.stripRect().width() == w.chart()->plotRect().width(); }
    // The user edits the spin boxes.
    void set(int slits, int separation, int width)
    {
        w.slitsSpinBox()->setValue(slits);
        w.separationSpinBox()->setValue(separation);
        w.widthSpinBox()->setValue(width);
        QCoreApplication::processEvents();
    }
};

void drag(Chart *chart, QPoint from, QPoint to)
{
    QWidget *vp = chart->viewport();
    sendMouse(vp, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    sendMouse(vp, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    sendMouse(vp, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    sendMouse(vp, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
}

// The lit stretches across the middle of the strip.
int litRuns(const QImage &img, const QRect &strip)
{
    int runs = 0;
    bool lit = false;
    for (int x = strip.left(); x <= strip.right(); ++x) {
        const bool now = img.pixel(x, strip.center().y()) != 0xFF000000u;
        runs += now && !lit;
        lit = now;
    }
    return runs;
}

double peakOf(const QList<QPointF> &points)
{
    double peak = 0;
    for (const QPointF &p : points)
        peak = std::max(peak, p.y());
    return peak;
}

} // namespace

class TestMultipleSlitsWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void design()
    {
        Window f;
        QCOMPARE(f.w.slitsLabel()->text(), QStringLiteral(" Number of slits "));
        QCOMPARE(f.w.separationLabel()->text(), QStringLiteral(" Slit separation "));
        QCOMPARE(f.w.widthLabel()->text(), QStringLiteral(" Slit width "));
        QCOMPARE(f.w.slitsSpinBox()->toolTip(), QStringLiteral("Set the number of slits"));
        QCOMPARE(f.w.separationSpinBox()->toolTip(), QStringLiteral("Set the distance between the slits"));
        QCOMPARE(f.w.widthSpinBox()->toolTip(), QStringLiteral("Set the width of the slits"));
        QCOMPARE(f.w.envelopeAction()->text(), QStringLiteral("Envelope"));
        QCOMPARE(f.w.envelopeAction()->toolTip(), QStringLiteral("Show diffraction envelope"));
        QCOMPARE(f.w.chart()->toolTip(),
                 QStringLiteral("Drag down and right with the  left mouse button to zoom in; Use right button to pan graph"));
        QCOMPARE(f.w.picture()->height(), 82);
        QCOMPARE(f.w.chart()->bottomAxis()->min(), -90.0);
        QCOMPARE(f.w.chart()->bottomAxis()->max(), 90.0);
        QCOMPARE(f.w.patternSeries()->name(), QStringLiteral("SlitSeries"));
        QCOMPARE(f.w.patternSeries()->color(), QColor(255, 0, 0));
        QCOMPARE(f.w.envelopeSeries()->color(), QColor(0, 128, 0));
    }

    // The chart shows the model's pattern; the envelope comes and goes with
    // the button and meets the principal maxima.
    void seriesAndEnvelope()
    {
        Window f;
        QCOMPARE(f.w.patternSeries()->points(), f.w.model().pattern());
        QCOMPARE(f.w.patternSeries()->count(), 1801);
        QCOMPARE(f.w.envelopeSeries()->count(), 180);
        QVERIFY(!f.w.envelopeSeries()->isVisible());
        QVERIFY(std::abs(f.w.chart()->leftAxis()->max() - 4) < 0.5);
        f.w.envelopeAction()->trigger();
        QVERIFY(f.w.envelopeSeries()->isVisible());
        f.w.envelopeAction()->trigger();
        QVERIFY(!f.w.envelopeSeries()->isVisible());

        f.set(10, 2, 10);
        QCOMPARE(f.w.model().slits(), 10);
        QCOMPARE(f.w.model().width(), 10);
        QCOMPARE(f.w.patternSeries()->points(), f.w.model().pattern());
        QVERIFY(std::abs(peakOf(f.w.patternSeries()->points()) - 1000) < 0.01);
        // The automatic axis takes in the whole peak.
        QVERIFY(f.w.chart()->leftAxis()->max() >= peakOf(f.w.patternSeries()->points()));
    }

    // The strip under the plot area: red of the model's brightness in each
    // band, black between, the panel's colour around it. With ten slits
    // every part brighter than a tenth of the peak is full red.
    void fringeStrip()
    {
        Window f;
        f.set(10, 2, 10);
        QTRY_VERIFY(f.settled());
        const QImage img = f.strip();
        const QRect strip = f.w.stripRect();
        QCOMPARE(strip.top(), 5);
        QCOMPARE(strip.bottom(), img.height() - 6);
        QCOMPARE(QColor(img.pixel(strip.left() - 1, 40)), f.w.chart()->panelColor());
        QCOMPARE(QColor(img.pixel(strip.left() + 2, 2)), f.w.chart()->panelColor());

        const std::vector<FringeBand> bands = f.w.model().fringeBands(strip.left(), strip.right() + 1);
        QVERIFY(!bands.empty());
        int x = strip.left();
        int fullRed = 0;
        for (const FringeBand &b : bands) {
            for (; x < b.x0; ++x)
                QCOMPARE(img.pixel(x, 40), 0xFF000000u);
            for (; x < b.x1; ++x) {
                QCOMPARE(img.pixel(x, 40), qRgb(b.red, 0, 0));
                QCOMPARE(img.pixel(x, strip.top()), qRgb(b.red, 0, 0));
                QCOMPARE(img.pixel(x, strip.bottom()), qRgb(b.red, 0, 0));
            }
            fullRed += b.red == 255;
        }
        QVERIFY(fullRed > 0);
        // The middle of the strip is the central maximum: full red.
        QCOMPARE(img.pixel(strip.center().x(), 40), qRgb(255, 0, 0));
    }

    // Zooming repaints the chart and with it the strip, which still shows
    // -90 to 90 degrees: every fringe stays on it (it moves only as far as
    // the new axis labels move the plot area); un-zoomed, it is the same
    // picture as before.
    void zoomLeavesTheStrip()
    {
        Window f;
        f.set(5, 3, 1);
        QTRY_VERIFY(f.settled());
        const QImage before = f.strip();
        const int fringes = litRuns(before, f.w.stripRect());
        QVERIFY(fringes >= 7); // the principal maxima alone, m = -3 to 3
        const QRect plot = f.w.chart()->plotRect();
        // Spoil the strip, so only a redraw can bring it back.
        f.w.picture()->bitmap().clear(0xFF00FF00);
        drag(f.w.chart(), plot.topLeft() + QPoint(plot.width() / 3, plot.height() / 3), plot.center());
        QVERIFY(f.w.chart()->isZoomed());
        QVERIFY(f.w.chart()->bottomAxis()->max() < 10);
        QTRY_VERIFY(f.settled() && f.strip().pixel(f.w.stripRect().center().x(), 40) == qRgb(255, 0, 0));
        QCOMPARE(litRuns(f.strip(), f.w.stripRect()), fringes);
        f.w.picture()->bitmap().clear(0xFF00FF00);
        drag(f.w.chart(), plot.center(), plot.topLeft() + QPoint(plot.width() / 3, plot.height() / 3));
        QVERIFY(!f.w.chart()->isZoomed());
        QTRY_COMPARE(f.strip(), before);
    }

    // The print frame with the title and the three parameter lines, in order.
    void prints()
    {
        Window f;
        f.set(3, 4, 2);
        const QString text = printedText([&f](QPrinter &printer) { f.w.printGraph(printer); });
        const QString lines[] = {MultipleSlitsWindow::printTitle, QStringLiteral("number of slits 3"),
                                 QStringLiteral("slit separation 4"), QStringLiteral("slit width 2"),
                                 QStringLiteral("Intensity")};
        int at = -1;
        for (const QString &line : lines) {
            const int next = text.indexOf(line, at + 1);
            QVERIFY2(next > at, qPrintable(line + QStringLiteral(" in:\n") + text));
            at = next;
        }
        // The strip is drawn again after the job.
        QCOMPARE(f.strip().pixel(f.w.stripRect().center().x(), 40), qRgb(255, 0, 0));
    }

    void copiesTheChart()
    {
        Window f;
        QGuiApplication::clipboard()->clear();
        f.w.copyGraph();
        const QMimeData *data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data && data->hasImage());
    }

    // The cross-hair follows the mouse over the plot when switched on.
    void crossHair()
    {
        Window f;
        QWidget *vp = f.w.chart()->viewport();
        const QPoint p = f.w.chart()->plotRect().center() + QPoint(30, -20);
        sendMouse(vp, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        QVERIFY(!f.w.chart()->crossHairDrawn());
        f.w.setCrossHairVisible(true);
        QVERIFY(f.w.isCrossHairVisible());
        sendMouse(vp, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
        QCOMPARE(f.w.crossHairPosition(), p);
        QCOMPARE(f.w.chart()->crossHairs(), QList<QPoint>{p});
        f.w.setCrossHairVisible(false);
        QVERIFY(!f.w.chart()->crossHairDrawn());
    }

    void largeButtons()
    {
        Window f;
        f.w.setLargeButtons(true);
        for (QWidget *box : {static_cast<QWidget *>(f.w.slitsSpinBox()), static_cast<QWidget *>(f.w.separationSpinBox()),
                             static_cast<QWidget *>(f.w.widthSpinBox())})
            QCOMPARE(box->width(), 75);
        QCOMPARE(f.w.toolbar()->iconSize(), QSize(48, 48));
        f.w.setLargeButtons(false);
        QCOMPARE(f.w.slitsSpinBox()->width(), 50);
        QCOMPARE(f.w.toolbar()->iconSize(), QSize(24, 24));
    }

    void describedToAssistiveTechnology()
    {
        Window f;
        f.set(3, 4, 2);
        QCOMPARE(f.w.slitsSpinBox()->accessibleDescription(), QStringLiteral("Number of slits, 3"));
        QCOMPARE(f.w.separationSpinBox()->accessibleDescription(), QStringLiteral("Slit separation, 4 wavelengths"));
        QCOMPARE(f.w.widthSpinBox()->accessibleDescription(), QStringLiteral("Slit width, 2 wavelengths"));
        QVERIFY(f.w.chart()->accessibleDescription().contains(QStringLiteral("the central peak is 18 high")));
    }

    void nothingDrawnWhileClosing()
    {
        Window f;
        f.w.closeQuery();
        const QImage before = f.strip();
        f.set(7, 3, 2);
        f.w.chart()->viewport()->repaint();
        QCOMPARE(f.strip(), before);
    }
};

QTEST_MAIN(TestMultipleSlitsWindow)
#include "tst_multipleslitswindow.moc"
