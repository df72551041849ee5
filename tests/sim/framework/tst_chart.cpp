// The chart wrapper: axes, mouse zoom and pan, the cross-hair overlay, the
// copy to the clipboard and the print frame (printed to PDF).
#include "WidgetTestSupport.h"
#include "sim/framework/Chart.h"

#include <QtTest>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPrinter>
#include <cmath>

using namespace TestSupport;

namespace {
// A chart set up as the damped oscillator's: a red curve of 501 samples,
// a marker, a fixed left axis and an automatic bottom axis.
struct Fixture {
    Chart chart;
    QLineSeries *curve;
    QScatterSeries *marker;
    explicit Fixture(double span = 10.0)
    {
        chart.setZoomAnimated(false); // ranges are checked right after each drag
        curve = chart.addLineSeries(QStringLiteral("Series4"), Qt::red);
        marker = chart.addPointSeries(QStringLiteral("Series7"));
        chart.setAxisRange(chart.leftAxis(), -10, 10);
        chart.setAxisAutomatic(chart.bottomAxis());
        chart.setAxisTitle(chart.leftAxis(), QStringLiteral("displacement"));
        chart.setAxisTitle(chart.bottomAxis(), QStringLiteral("time (s)"));
        fill(span);
    }
    void fill(double span)
    {
        QList<QPointF> pts;
        for (int i = 0; i <= 500; ++i) {
            const double t = i * span / 500;
            pts << QPointF(t, 5 * std::exp(-0.2 * t) * std::cos(8.94 * t));
        }
        chart.setPoints(curve, pts);
        chart.setPoints(marker, {pts.first()});
    }
    void show() { showOffscreenChart(); }
    void showOffscreenChart()
    {
        chart.setAttribute(Qt::WA_DontShowOnScreen);
        chart.resize(700, 450);
        chart.show();
        QCoreApplication::processEvents();
    }
};

void drag(Chart &chart, QPoint from, QPoint to, Qt::MouseButton button)
{
    QWidget *vp = chart.viewport();
    sendMouse(vp, QEvent::MouseButtonPress, from, button, button);
    sendMouse(vp, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
    sendMouse(vp, QEvent::MouseMove, to, Qt::NoButton, button);
    sendMouse(vp, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
    QCoreApplication::processEvents();
}

bool isWhite(QRgb c)
{
    return qRed(c) > 250 && qGreen(c) > 250 && qBlue(c) > 250;
}

bool isBlue(QRgb c)
{
    return qRed(c) < 10 && qGreen(c) < 10 && qBlue(c) > 245;
}

QString pdfFile(const QTemporaryDir &dir)
{
    return dir.filePath(QStringLiteral("chart.pdf"));
}
} // namespace

class TestChart : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void axesAndHint();
    void mouseZoomsResetsAndPans();
    void zoomGlidesWhileDataChanges();
    void crossHairDrawsAndErasesWithoutRepaint();
    void crossHairLabelStaysInsideThePlot_data();
    void crossHairLabelStaysInsideThePlot();
    void markerMovesWithoutRepaintingThePlot();
    void copyPutsSvgAndPngOnTheClipboard();
    void printRectangle();
    void printsToPdf();
    void printsOnWhiteWithBlackText();
    void printFailuresAbortAndRestoreTheCursor();
    void destroyedChartLeavesNothingBehind();
};

void TestChart::axesAndHint()
{
    Fixture f;
    QCOMPARE(f.chart.toolTip(), QStringLiteral("To zoom in, drag down and right with the left button; drag up and "
                                               "left to zoom out. Right button to pan graph"));
    QVERIFY(!f.chart.chart()->legend()->isVisible());
    QVERIFY(f.chart.chart()->title().isEmpty());
    QCOMPARE(f.chart.leftAxis()->min(), -10.0);
    QCOMPARE(f.chart.leftAxis()->max(), 10.0);
    QCOMPARE(f.chart.bottomAxis()->min(), 0.0); // follows the data
    QCOMPARE(f.chart.bottomAxis()->max(), 10.0);
    f.fill(15);
    QCOMPARE(f.chart.bottomAxis()->max(), 15.0);
    QCOMPARE(f.chart.leftAxis()->max(), 10.0); // fixed
    QCOMPARE(f.chart.leftAxis()->titleFont().pixelSize(), 13);
    QVERIFY(f.chart.leftAxis()->titleFont().bold());
    QCOMPARE(f.chart.leftAxis()->minorTickCount(), 4);
    QCOMPARE(f.chart.chart()->plotAreaBackgroundBrush().color(), QColor(Qt::white));

    // A hidden series no longer counts for the automatic axis.
    auto *wide = f.chart.addLineSeries(QStringLiteral("wide"), Qt::green);
    f.chart.setPoints(wide, {QPointF(-5, 0), QPointF(40, 0)});
    QCOMPARE(f.chart.bottomAxis()->max(), 40.0);
    wide->setVisible(false);
    QCOMPARE(f.chart.bottomAxis()->max(), 15.0);
    QCOMPARE(f.chart.bottomAxis()->min(), 0.0);

    f.show();
    const QRect plot = f.chart.plotRect();
    QVERIFY(f.chart.rect().contains(plot));
    QVERIFY(plot.width() > 400 && plot.height() > 250);
    QVERIFY(std::abs(f.chart.valueAt(plot.topLeft()).y() - 10) < 0.2);
    QVERIFY(std::abs(f.chart.valueAt(plot.bottomRight()).x() - 15) < 0.2);
}

void TestChart::mouseZoomsResetsAndPans()
{
    Fixture f;
    f.show();
    const QRect plot = f.chart.plotRect();
    QValueAxis *x = f.chart.bottomAxis();
    QValueAxis *y = f.chart.leftAxis();

    // Down and right: the dragged rectangle fills the plot.
    const QPoint a = plot.topLeft() + QPoint(plot.width() / 4, plot.height() / 4);
    const QPoint b = plot.topLeft() + QPoint(plot.width() / 2, plot.height() / 2);
    const QPointF va = f.chart.valueAt(a), vb = f.chart.valueAt(b);
    drag(f.chart, a, b, Qt::LeftButton);
    QVERIFY(f.chart.isZoomed());
    QVERIFY(std::abs(x->min() - va.x()) < 0.1 && std::abs(x->max() - vb.x()) < 0.1);
    QVERIFY(std::abs(y->max() - va.y()) < 0.3 && std::abs(y->min() - vb.y()) < 0.3);

    // New data does not undo a zoom.
    f.fill(12);
    QVERIFY(x->max() < 7);

    // Up and left: back to the whole graph.
    drag(f.chart, b, a, Qt::LeftButton);
    QVERIFY(!f.chart.isZoomed());
    QCOMPARE(y->min(), -10.0);
    QCOMPARE(y->max(), 10.0);
    QCOMPARE(x->min(), 0.0);
    QCOMPARE(x->max(), 12.0);

    // A click without dragging changes nothing.
    drag(f.chart, a, a + QPoint(1, 1), Qt::LeftButton);
    QCOMPARE(x->max(), 12.0);

    // Right button: the view moves with the pointer, same span.
    drag(f.chart, b, b - QPoint(plot.width() / 6, 0), Qt::RightButton);
    QVERIFY(x->min() > 1.5);
    QVERIFY(std::abs((x->max() - x->min()) - 12.0) < 1e-6);
    drag(f.chart, b, a, Qt::LeftButton);
    QCOMPARE(x->min(), 0.0);
}

// Zooming glides to the new ranges, and new data may change an automatic
// axis at any time meanwhile; the tick labels must keep up (a chart whose
// axes animated themselves crashed here).
void TestChart::zoomGlidesWhileDataChanges()
{
    Fixture f;
    f.chart.setZoomAnimated(true);
    f.show();
    QValueAxis *x = f.chart.bottomAxis();
    for (double span : {20.0, 5.0, 15.0}) {
        f.fill(span);
        QCOMPARE(x->max(), span);
        QTest::qWait(60);
    }
    const QRect plot = f.chart.plotRect();
    const QPoint a = plot.topLeft() + QPoint(plot.width() / 8, plot.height() / 5);
    const QPoint b = plot.topLeft() + QPoint(plot.width() / 2, plot.height() * 2 / 3);
    for (int i = 0; i < 3; ++i) {
        drag(f.chart, a, b, Qt::LeftButton);
        QVERIFY(f.chart.isZoomed());
        QTest::qWait(150); // half way
        f.fill(10 + i);    // does not move a zoomed view
        drag(f.chart, b, a, Qt::LeftButton);
        QTest::qWait(100);
    }
    QTRY_VERIFY(!f.chart.isZoomed());
    const QPointF va = f.chart.valueAt(a), vb = f.chart.valueAt(b);
    drag(f.chart, a, b, Qt::LeftButton);
    QTRY_VERIFY(std::abs(x->min() - va.x()) < 0.1 && std::abs(x->max() - vb.x()) < 0.1);
    drag(f.chart, b, a, Qt::LeftButton);
    QTRY_VERIFY(!f.chart.isZoomed());
    QCOMPARE(x->max(), 12.0);
    QCOMPARE(f.chart.leftAxis()->max(), 10.0);
    f.fill(20);
    QCOMPARE(x->max(), 20.0);
    QTest::qWait(100);
}

void TestChart::crossHairDrawsAndErasesWithoutRepaint()
{
    Fixture f;
    f.show();
    QSignalSpy afterDraw(&f.chart, &Chart::repainted);
    const QImage before = f.chart.frame();
    const QRect plot = f.chart.plotRect();
    const QPoint p = plot.topLeft() + QPoint(plot.width() * 3 / 7, plot.height() / 9);
    f.chart.xorCrossHair(p);
    QVERIFY(f.chart.crossHairDrawn());
    const QImage with = f.chart.frame();
    // Yellow over the white back wall comes out blue, as with an
    // exclusive-or pen; elsewhere the chart is unchanged.
    int vertical = 0, horizontal = 0, whiteV = 0, whiteH = 0;
    for (int y = plot.top() + 2; y < plot.bottom() - 1; ++y)
        if (y != p.y() && isWhite(before.pixel(p.x(), y))) {
            ++whiteV;
            vertical += isBlue(with.pixel(p.x(), y));
        }
    for (int x = plot.left() + 2; x < plot.right() - 1; ++x)
        if (x != p.x() && isWhite(before.pixel(x, p.y()))) {
            ++whiteH;
            horizontal += isBlue(with.pixel(x, p.y()));
        }
    QVERIFY(whiteV > plot.height() / 2);
    QCOMPARE(vertical, whiteV);
    QCOMPARE(horizontal, whiteH);
    QCOMPARE(with.pixel(p.x() + 5, p.y() + 5), before.pixel(p.x() + 5, p.y() + 5));
    QCOMPARE(afterDraw.count(), 0); // drawing it was no repaint of the chart

    // Drawn again at the same point: erased, the chart exactly as before.
    f.chart.xorCrossHair(p);
    QVERIFY(!f.chart.crossHairDrawn());
    QCOMPARE(f.chart.frame(), before);
    QCOMPARE(afterDraw.count(), 0);

    // A real repaint forgets it.
    f.chart.xorCrossHair(p);
    f.chart.viewport()->repaint();
    QVERIFY(!f.chart.crossHairDrawn());
    QVERIFY(afterDraw.count() >= 1);
    QCOMPARE(f.chart.frame(), before);
}

// A read-out beside the cross-hair: next to its centre where there is room,
// turned to the other side at the plot's edges, never outside the plot, and
// erased with the cross-hair.
void TestChart::crossHairLabelStaysInsideThePlot_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPointF>("where"); // fraction of the plot's width and height
    QTest::addColumn<bool>("beside");   // the label leaves the centre free
    QTest::addColumn<bool>("whole");    // the plot is large enough for all of it
    const QSize full(700, 450), narrow(330, 200), tiny(170, 130);
    QTest::newRow("middle") << full << QPointF(0.5, 0.5) << true << true;
    QTest::newRow("top left") << full << QPointF(0, 0) << true << true;
    QTest::newRow("top right") << full << QPointF(1, 0) << true << true;
    QTest::newRow("bottom left") << full << QPointF(0, 1) << true << true;
    QTest::newRow("bottom right") << full << QPointF(1, 1) << true << true;
    QTest::newRow("right edge") << full << QPointF(0.99, 0.4) << true << true;
    QTest::newRow("bottom edge") << full << QPointF(0.3, 0.99) << true << true;
    // Room for the label, but on neither side of the cross-hair.
    QTest::newRow("narrow chart, middle") << narrow << QPointF(0.5, 0.2) << false << true;
    QTest::newRow("tiny chart, middle") << tiny << QPointF(0.5, 0.5) << false << false;
    QTest::newRow("tiny chart, bottom right") << tiny << QPointF(1, 1) << false << false;
}

void TestChart::crossHairLabelStaysInsideThePlot()
{
    QFETCH(QSize, size);
    QFETCH(QPointF, where);
    QFETCH(bool, beside);
    QFETCH(bool, whole);
    Fixture f;
    f.chart.setAttribute(Qt::WA_DontShowOnScreen);
    f.chart.resize(size);
    f.chart.show();
    QCoreApplication::processEvents();
    const QRect plot = f.chart.plotRect();
    QVERIFY(!plot.isEmpty());
    const QPoint p = plot.topLeft() + QPoint(int(where.x() * (plot.width() - 1)), int(where.y() * (plot.height() - 1)));
    const QString label = QStringLiteral("displacement -10.00 units\ntime 10.00 s");

    const QRect box = f.chart.crossHairLabelRect(p, label);
    QVERIFY(!box.isEmpty());
    QVERIFY2(plot.contains(box), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(box.x()).arg(box.y()).arg(box.width()).arg(box.height())));
    if (beside)
        QVERIFY(!box.adjusted(-2, -2, 2, 2).contains(p));
    // From the top-left corner it goes right and down, whole where it fits.
    const QSize natural = f.chart.crossHairLabelRect(plot.topLeft(), label).size();
    if (whole)
        QCOMPARE(box.size(), natural);
    if (whole && !beside) // the case it is there for: fits on neither side
        QVERIFY(natural.width() > plot.width() / 2);

    // Drawn, nothing outside the plot changes; erased, the chart is as before.
    const QImage before = f.chart.frame();
    QSignalSpy repainted(&f.chart, &Chart::repainted);
    f.chart.xorCrossHair(p, label);
    QCOMPARE(f.chart.crossHairLabel(p), label);
    const QImage with = f.chart.frame();
    int changedInBox = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x) {
            if (with.pixel(x, y) == before.pixel(x, y))
                continue;
            QVERIFY2(plot.adjusted(-1, -1, 1, 1).contains(x, y), qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            changedInBox += box.contains(x, y) && x != p.x() && y != p.y();
        }
    QVERIFY(changedInBox > 0);
    f.chart.xorCrossHair(p);
    QVERIFY(f.chart.crossHairLabel(p).isEmpty());
    QCOMPARE(f.chart.frame(), before);
    QCOMPARE(repainted.count(), 0);
}

// Counts the paint events of a widget and the area they cover.
class PaintWatch : public QObject
{
public:
    explicit PaintWatch(QWidget *w) { w->installEventFilter(this); }
    int paints = 0;
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            ++paints;
            painted += static_cast<QPaintEvent *>(e)->region();
        }
        return false;
    }
};

bool isGreen(QRgb c)
{
    return qGreen(c) > 100 && qRed(c) < 60 && qBlue(c) < 60;
}

// Green pixels of the marker within `reach` of `at`.
int greenAround(const QImage &img, QPoint at, int reach = 6)
{
    int n = 0;
    for (int y = at.y() - reach; y <= at.y() + reach; ++y)
        for (int x = at.x() - reach; x <= at.x() + reach; ++x)
            n += img.rect().contains(x, y) && isGreen(img.pixel(x, y));
    return n;
}

void TestChart::markerMovesWithoutRepaintingThePlot()
{
    Fixture f;
    f.marker->setColor(QColor(0, 128, 0));
    f.chart.resize(700, 450);
    f.chart.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.chart));
    QTest::qWait(50);
    const QRect plot = f.chart.plotRect();
    auto pixelOf = [&](QPointF v) {
        return QPoint(qRound(plot.left() + (v.x() - f.chart.bottomAxis()->min()) /
                                               (f.chart.bottomAxis()->max() - f.chart.bottomAxis()->min()) * plot.width()),
                      qRound(plot.bottom() - (v.y() + 10) / 20 * plot.height()));
    };
    const QPointF from = f.marker->points().first();
    const QPointF to(5.0, -2.0);
    QVERIFY(greenAround(f.chart.frame(), pixelOf(from)) > 10);
    QVERIFY(greenAround(f.chart.frame(), pixelOf(to)) == 0);

    PaintWatch watch(f.chart.viewport());
    QSignalSpy repaints(&f.chart, &Chart::repainted);
    f.chart.setPoints(f.marker, {to});
    QTRY_VERIFY(watch.paints > 0);
    QTest::qWait(50);
    // Only around the old and the new place; the plot and its curve are
    // not drawn again.
    QCOMPARE(repaints.count(), 0);
    const QRect box = watch.painted.boundingRect();
    QVERIFY2(watch.painted.rectCount() <= 2 && box.width() * box.height() < plot.width() * plot.height() / 4,
             qPrintable(QStringLiteral("%1 x %2").arg(box.width()).arg(box.height())));
    const QImage moved = f.chart.frame();
    QVERIFY(greenAround(moved, pixelOf(to)) > 10);
    QCOMPARE(greenAround(moved, pixelOf(from)), 0);

    // Hidden, shown, and on paper as on the screen.
    f.marker->setVisible(false);
    QCOMPARE(greenAround(f.chart.frame(), pixelOf(to)), 0);
    f.marker->setVisible(true);
    QVERIFY(greenAround(f.chart.frame(), pixelOf(to)) > 10);
    QImage paper(f.chart.size(), QImage::Format_ARGB32);
    paper.fill(Qt::white);
    QPainter painter(&paper);
    f.chart.renderTo(painter, QRectF(QPointF(0, 0), f.chart.size()), f.chart.logicalDpiX());
    painter.end();
    QVERIFY(greenAround(paper, pixelOf(to)) > 10);

    // A real repaint keeps the marker where it is.
    f.chart.viewport()->repaint();
    QVERIFY(greenAround(f.chart.frame(), pixelOf(to)) > 10);
}

void TestChart::copyPutsSvgAndPngOnTheClipboard()
{
    Fixture f;
    f.chart.setPanelColor(QColor(240, 240, 240));
    f.show();
    f.chart.copyToClipboard();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data);
    QVERIFY(data->hasFormat(QStringLiteral("image/svg+xml")));
    const QString svg = QString::fromUtf8(data->data(QStringLiteral("image/svg+xml")));
    QVERIFY(svg.contains(QLatin1String("<svg")));
    QVERIFY(svg.contains(QLatin1String("displacement")));
    QVERIFY(svg.contains(QLatin1String("time (s)")));
    QVERIFY(data->hasImage());
    const QImage png = qvariant_cast<QImage>(data->imageData());
    QCOMPARE(png.deviceIndependentSize().toSize(), f.chart.size());
    QVERIFY(isWhite(png.pixel(1, 1))); // the panel was white for the copy
    QCOMPARE(f.chart.panelColor(), QColor(240, 240, 240));
    QCOMPARE(f.chart.frame().pixel(1, 1), QColor(240, 240, 240).rgb());
}

void TestChart::printRectangle()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const int res = printer.resolution();
    // No unprintable margin: one inch in from the paper's left, top and
    // right edges, down to two thirds of the page.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    QRect r = printChartRect(printer);
    QCOMPARE(r.left(), res);
    QCOMPARE(r.top(), res);
    QCOMPARE(r.left() + r.width(), printer.width() - res);
    QCOMPARE(r.top() + r.height(), qRound(printer.height() * 2.0 / 3.0));
    // Margins of an inch: the page's own origin already lies an inch in.
    printer.setPageMargins(QMarginsF(25.4, 25.4, 25.4, 25.4), QPageLayout::Millimeter);
    r = printChartRect(printer);
    QVERIFY(std::abs(r.left()) <= 1 && std::abs(r.top()) <= 1);
    QVERIFY(std::abs(r.left() + r.width() - printer.width()) <= 1);
}

void TestChart::printsToPdf()
{
    Fixture f;
    f.show();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFile(dir));
    QRect given;
    bool waitCursor = false;
    const bool ok = printChart(printer, &f.chart, [&](QPainter &p, QRect &r) {
        given = r;
        waitCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 12));
        p.drawText(QPoint(r.left(), r.top() - p.fontMetrics().height()), QStringLiteral("Displacement - time graph"));
        p.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
        p.drawText(QPoint(r.left(), r.bottom() + p.fontMetrics().height()), QStringLiteral("Mass = 0.50 kg"));
    });
    QVERIFY(ok);
    QVERIFY(waitCursor);
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(given, printChartRect(printer));
    const QString text = pdfText(pdfFile(dir));
    QVERIFY2(text.contains(QLatin1String("Displacement - time graph")), qPrintable(text));
    QVERIFY(text.contains(QLatin1String("Mass = 0.50 kg")));
    QVERIFY(text.contains(QLatin1String("displacement")));
    QVERIFY(text.contains(QLatin1String("time (s)")));
    QVERIFY(text.contains(QLatin1String("-10")));
    // The title stands above the chart's texts, the parameter line below.
    QVERIFY(text.indexOf(QLatin1String("Displacement - time")) < text.indexOf(QLatin1String("time (s)")));
    QVERIFY(text.indexOf(QLatin1String("time (s)")) < text.indexOf(QLatin1String("Mass = 0.50 kg")));
}

// Whatever the theme gives the screen, the printed chart stands on white
// with black text, and the screen keeps its look.
void TestChart::printsOnWhiteWithBlackText()
{
    Fixture f;
    const QColor pale(0xD5, 0xE4, 0xF2); // the default theme's panel
    f.chart.setPanelColor(pale);
    f.show();
    const QBrush labels = f.chart.leftAxis()->labelsBrush();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfFile(dir));
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter); // page = paper
    QVERIFY(printChart(printer, &f.chart, nullptr));

    const int dpi = 100;
    const QImage page = pdfPageImage(pdfFile(dir), dpi);
    QVERIFY(!page.isNull());
    const double k = double(dpi) / printer.resolution();
    const QRect r = printChartRect(printer);
    const QRect onPage(qRound(r.left() * k), qRound(r.top() * k), qRound(r.width() * k), qRound(r.height() * k));
    // The panel, just inside the chart's corner (left of the axis texts).
    QCOMPARE(page.pixelColor(onPage.topLeft() + QPoint(3, 3)), QColor(Qt::white));
    QCOMPARE(page.pixelColor(onPage.bottomRight() - QPoint(3, 3)), QColor(Qt::white));
    // The axis numbers and titles are black (the chart's own grey is not).
    int black = 0;
    for (int y = onPage.top(); y <= onPage.bottom(); ++y)
        for (int x = onPage.left(); x <= onPage.right(); ++x) {
            const QRgb c = page.pixel(x, y);
            black += qRed(c) < 24 && qGreen(c) < 24 && qBlue(c) < 24;
        }
    QVERIFY2(black > 100, qPrintable(QString::number(black)));

    QCOMPARE(f.chart.panelColor(), pale);
    QCOMPARE(f.chart.leftAxis()->labelsBrush(), labels);
}

void TestChart::printFailuresAbortAndRestoreTheCursor()
{
    Fixture f;
    f.show();
    ScopedDialogAnswers answers(true);
    QTemporaryDir dir;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile(dir));
        const bool ok = printChart(printer, &f.chart, [](QPainter &, QRect &) { throw std::runtime_error("paper jam"); });
        QVERIFY(!ok);
    }
    // The job stopped at the error: the chart was never printed.
    QVERIFY(!pdfText(pdfFile(dir)).contains(QLatin1String("time (s)")));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(answers.shown().size(), 1);
    QVERIFY(answers.shown().first().contains(QLatin1String("paper jam")));

    // A job that cannot start.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("missing/folder/chart.pdf")));
    QVERIFY(!printChart(printer, &f.chart, nullptr));
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(answers.shown().size(), 2);
}

void TestChart::destroyedChartLeavesNothingBehind()
{
    if (!LiveObjects::available())
        QSKIP("this Qt has no object hooks");
    // The first chart sets up what every later one shares (fonts, styles).
    { Fixture warmUp; warmUp.show(); }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    LiveObjects live;
    for (int i = 0; i < 5; ++i) {
        Fixture f;
        f.show();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // A model window makes a chart on every visit; whatever a chart leaves
    // behind adds up over a lesson.
    QCOMPARE(live.count(), 0);
}

QTEST_MAIN(TestChart)
#include "tst_chart.moc"
