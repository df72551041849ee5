// Projector mode in the framework: charts, pictures and window fonts grow
// together when it is switched on, and go back exactly when it is off.
#include "WidgetTestSupport.h"
#include "sim/framework/Chart.h"
#include "sim/framework/DrawingContext.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ProjectorMode.h"
#include "sim/framework/RasterImage.h"
#include "sim/framework/SimulationWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>
#include <cmath>

using namespace TestSupport;

namespace {

// Switches the mode for one test and always back off.
struct ModeOn {
    explicit ModeOn(bool on = true) { ProjectorMode::setOn(on); }
    ~ModeOn() { ProjectorMode::setOn(false); }
};

struct ChartLook {
    int titlePixels;
    int axisTitlePixels;
    qreal labelsSize; // points or pixels, whichever the font has
    qreal curveWidth;
    qreal markerSize;
    qreal axisLineWidth;
};

qreal fontSize(const QFont &f)
{
    return f.pixelSize() > 0 ? f.pixelSize() : f.pointSizeF();
}

ChartLook lookOf(Chart &chart, QLineSeries *curve, QScatterSeries *marker)
{
    return {chart.chart()->titleFont().pixelSize(), chart.leftAxis()->titleFont().pixelSize(),
            fontSize(chart.bottomAxis()->labelsFont()), curve->pen().widthF(), marker->markerSize(),
            chart.leftAxis()->linePen().widthF()};
}

// Pixels of the chart that are mostly red (the curve).
int redPixels(const QImage &img)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            n += c.red() > 180 && c.green() < 120 && c.blue() < 120;
        }
    return n;
}

// A window with a list that has its own font and a label that inherits the
// window's, and one picture.
class SmallWindow : public SimulationWindow
{
public:
    SmallWindow()
    {
        list = new QListWidget(this);
        QFont f = font();
        f.setPixelSize(13);
        list->setFont(f);
        label = new QLabel(QStringLiteral("Mass"), this);
        picture = new PaintBox(this);
        AlignPanel::setAlign(picture, PanelAlign::Client);
    }
    QListWidget *list;
    QLabel *label;
    PaintBox *picture;
};

} // namespace

class TestProjectorMode : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ProjectorMode::setOn(false); }

    void chartGrowsAndComesBack();
    void chartMadeInProjectorModeStartsLarge();
    void contextScalesStrokesAndTexts();
    void rasterTextAndLinesGrow();
    void windowFontsGrowAndComeBack();
};

void TestProjectorMode::chartGrowsAndComesBack()
{
    Chart chart;
    QLineSeries *curve = chart.addLineSeries(QStringLiteral("curve"), Qt::red);
    QScatterSeries *marker = chart.addPointSeries(QStringLiteral("marker"), Qt::darkGreen);
    chart.setTitle(QStringLiteral("Graph"));
    chart.setAxisTitle(chart.leftAxis(), QStringLiteral("displacement"));
    chart.setAxisRange(chart.bottomAxis(), 0, 10);
    chart.setAxisRange(chart.leftAxis(), -1, 1);
    QList<QPointF> pts;
    for (int i = 0; i <= 200; ++i)
        pts << QPointF(i * 0.05, std::sin(i * 0.05));
    chart.setPoints(curve, pts);
    chart.setPoints(marker, {QPointF(5, 0)});
    chart.setAttribute(Qt::WA_DontShowOnScreen);
    chart.resize(600, 400);
    chart.show();
    QCoreApplication::processEvents();

    const ChartLook design = lookOf(chart, curve, marker);
    QCOMPARE(design.titlePixels, 13);
    QCOMPARE(design.curveWidth, 1.0);
    const int designRed = redPixels(chart.frame());
    const QRect designPlot = chart.plotRect();

    ProjectorMode::setOn(true);
    QCoreApplication::processEvents();
    const ChartLook big = lookOf(chart, curve, marker);
    QCOMPARE(big.titlePixels, qRound(13 * ProjectorMode::kTextScale));
    QCOMPARE(big.axisTitlePixels, qRound(13 * ProjectorMode::kTextScale));
    QCOMPARE(big.labelsSize, design.labelsSize * ProjectorMode::kTextScale);
    QVERIFY(big.curveWidth >= 2.0);
    QCOMPARE(big.markerSize, design.markerSize * ProjectorMode::kTextScale);
    QVERIFY(big.axisLineWidth > design.axisLineWidth);
    // What is shown follows: a wider curve, and bigger numbers and titles
    // leave less room for the plot.
    QVERIFY2(redPixels(chart.frame()) > designRed * 3 / 2,
             qPrintable(QStringLiteral("%1 red pixels, %2 before").arg(redPixels(chart.frame())).arg(designRed)));
    QVERIFY(chart.plotRect().width() < designPlot.width());

    ProjectorMode::setOn(false);
    QCoreApplication::processEvents();
    const ChartLook back = lookOf(chart, curve, marker);
    QCOMPARE(back.titlePixels, design.titlePixels);
    QCOMPARE(back.axisTitlePixels, design.axisTitlePixels);
    QCOMPARE(back.labelsSize, design.labelsSize);
    QCOMPARE(back.curveWidth, design.curveWidth);
    QCOMPARE(back.markerSize, design.markerSize);
    QCOMPARE(back.axisLineWidth, design.axisLineWidth);
    QCOMPARE(chart.plotRect(), designPlot);
}

void TestProjectorMode::chartMadeInProjectorModeStartsLarge()
{
    // A model opened while the mode is on: its chart and series are built
    // then, and still come back to the design sizes.
    ModeOn on;
    Chart chart;
    QLineSeries *curve = chart.addLineSeries(QStringLiteral("curve"), Qt::red);
    QScatterSeries *marker = chart.addPointSeries(QStringLiteral("marker"), QColor(), 8);
    chart.setAxisTitle(chart.bottomAxis(), QStringLiteral("time (s)"));
    QVERIFY(curve->pen().widthF() >= 2.0);
    QCOMPARE(marker->markerSize(), 8 * ProjectorMode::kTextScale);
    QCOMPARE(chart.bottomAxis()->titleFont().pixelSize(), qRound(13 * ProjectorMode::kTextScale));
    ProjectorMode::setOn(false);
    QCOMPARE(curve->pen().widthF(), 1.0);
    QCOMPARE(marker->markerSize(), 8.0);
    QCOMPARE(chart.bottomAxis()->titleFont().pixelSize(), 13);
}

void TestProjectorMode::contextScalesStrokesAndTexts()
{
    // Rows of pixels a 1-pixel design line covers, and the width of a text.
    auto draw = [](DrawRecording *rec) {
        RasterImage b;
        b.setSize(200, 60);
        b.clear(0xFFFFFFFF);
        DrawingContext g(b);
        g.setRecorder(rec);
        g.drawLine(DrawPen(0xFF000000, 1.0f), 10, 10, 150, 10);
        const DrawFont font(QStringLiteral("Arial"), 12);
        g.drawString(QStringLiteral("x = 5 cm"), font, QPointF(10, 30), DrawBrush());
        int rows = 0;
        for (int y = 0; y < 25; ++y)
            rows += b.pixel(80, y) != 0xFFFFFFFF;
        return std::make_pair(rows, g.measureString(QStringLiteral("x = 5 cm"), font).width());
    };
    DrawRecording designRec, bigRec;
    const auto [designRows, designWidth] = draw(&designRec);
    ProjectorMode::setOn(true);
    const auto [bigRows, bigWidth] = draw(&bigRec);

    QCOMPARE(designRows, 1);
    QCOMPARE(bigRows, qRound(ProjectorMode::kStrokeScale));
    QVERIFY2(bigWidth > designWidth * 1.3, qPrintable(QStringLiteral("%1 -> %2").arg(designWidth).arg(bigWidth)));
    // The recording sees the sizes as drawn.
    QCOMPARE(designRec.at(0).width, 1.0f);
    QCOMPARE(bigRec.at(0).width, float(ProjectorMode::kStrokeScale));
    QCOMPARE(designRec.at(1).fontSize, 12.0f);
    QCOMPARE(bigRec.at(1).fontSize, float(12 * ProjectorMode::kTextScale));

    // A context can be told its own scales (an export at design size).
    RasterImage b;
    b.setSize(10, 10);
    DrawingContext g(b);
    QCOMPARE(g.strokeScale(), float(ProjectorMode::kStrokeScale));
    g.setStrokeScale(1.0f);
    DrawRecording rec;
    g.setRecorder(&rec);
    g.drawLine(DrawPen(0xFF000000, 3.0f), 0, 0, 5, 5);
    QCOMPARE(rec.at(0).width, 3.0f);
}

void TestProjectorMode::rasterTextAndLinesGrow()
{
    RasterImage b;
    b.setSize(100, 40);
    b.font = RasterFont{QStringLiteral("Arial"), 10.0};
    // Pixels a black and a translucent horizontal polyline cover in column 50.
    auto lineRows = [&b](Color32 colour) {
        b.clear(0xFFFFFFFF);
        b.polyline({fixedPoint(10, 20), fixedPoint(90, 20)}, colour);
        int rows = 0;
        for (int y = 0; y < b.height(); ++y)
            rows += b.pixel(50, y) != 0xFFFFFFFF;
        return rows;
    };
    const QSize design = b.textExtent(QStringLiteral("440 Hz"));
    QCOMPARE(lineRows(0xFF000000), 1);
    ModeOn on;
    const QSize big = b.textExtent(QStringLiteral("440 Hz"));
    QVERIFY2(big.width() > design.width() * 1.3 && big.height() > design.height() * 1.3,
             qPrintable(QStringLiteral("%1x%2 -> %3x%4").arg(design.width()).arg(design.height()).arg(big.width()).arg(big.height())));
    QCOMPARE(lineRows(0xFF000000), 2);
    QCOMPARE(lineRows(0x80000000), 1); // drawn once, never darkened twice
}

void TestProjectorMode::windowFontsGrowAndComeBack()
{
    SmallWindow w;
    showOffscreen(&w, QSize(400, 300));
    w.show();
    QCoreApplication::processEvents();
    const int windowPixels = w.font().pixelSize();
    QCOMPARE(w.list->font().pixelSize(), 13);
    QSignalSpy redrawn(w.picture, &DrawingSurface::resized);

    ProjectorMode::setOn(true);
    QCOMPARE(w.font().pixelSize(), qRound(windowPixels * ProjectorMode::kTextScale));
    QCOMPARE(w.label->font().pixelSize(), w.font().pixelSize()); // inherited
    QCOMPARE(w.list->font().pixelSize(), qRound(13 * ProjectorMode::kTextScale));
    QVERIFY(!w.label->testAttribute(Qt::WA_SetFont));
    QCOMPARE(redrawn.count(), 1);

    ProjectorMode::setOn(false);
    QCOMPARE(w.font().pixelSize(), windowPixels);
    QCOMPARE(w.list->font().pixelSize(), 13);
    QCOMPARE(w.label->font().pixelSize(), windowPixels);
    QVERIFY(!w.label->testAttribute(Qt::WA_SetFont));
    QCOMPARE(redrawn.count(), 2);
}

QTEST_MAIN(TestProjectorMode)
#include "tst_projectormode.moc"
