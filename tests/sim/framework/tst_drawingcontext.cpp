// The conventions of DrawingContext: clockwise angles, transform order,
// even-odd fill, clipping, text placement, smoothing and text switches.
#include "sim/framework/DrawingContext.h"

#include <QtTest>

namespace {
constexpr Color32 kWhite = 0xFFFFFFFF;
constexpr Color32 kBlack = 0xFF000000;

RasterImage white(int w, int h)
{
    RasterImage b;
    b.setSize(w, h);
    b.clear(kWhite);
    return b;
}

bool inked(const RasterImage &b, int x, int y)
{
    return qRed(b.pixel(x, y)) < 128;
}

// Bounding box of the pixels darker than mid-grey.
QRect inkBox(const RasterImage &b)
{
    QRect r;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (inked(b, x, y))
                r |= QRect(x, y, 1, 1);
    return r;
}

bool hasGrey(const RasterImage &b)
{
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) {
            const int r = qRed(b.pixel(x, y));
            if (r > 40 && r < 215)
                return true;
        }
    return false;
}
} // namespace

class TestDrawingContext : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void anglesRunClockwise_data();
    void anglesRunClockwise();
    void translateThenRotateTurnsFirst();
    void pathFillLeavesInnerFigureUnfilled();
    void pathPiecesJoinIntoOneFigure();
    void clipLimitsLaterDrawing();
    void textAtPointAlignment_data();
    void textAtPointAlignment();
    void textInRectangleIsCentred();
    void rotatedTextReadsUpwards();
    void smoothingKeepsLinesOnTheirPixels();
    void textRenderingSwitch();
    void outlinesAndFillsShareEdges();
    void negativeSizesDrawNothing();
};

void TestDrawingContext::anglesRunClockwise_data()
{
    QTest::addColumn<float>("start");
    QTest::addColumn<float>("sweep");
    QTest::addColumn<QPoint>("filled");
    QTest::addColumn<QPoint>("empty");
    // Circle centred on (50, 50), radius 40.
    QTest::newRow("0 sweep 90: lower right") << 0.f << 90.f << QPoint(75, 75) << QPoint(75, 25);
    QTest::newRow("0 sweep -90: upper right") << 0.f << -90.f << QPoint(75, 25) << QPoint(75, 75);
    QTest::newRow("90 sweep 90: lower left") << 90.f << 90.f << QPoint(25, 75) << QPoint(75, 75);
    QTest::newRow("270 sweep 90: upper right") << 270.f << 90.f << QPoint(75, 25) << QPoint(25, 25);
    QTest::newRow("-120 sweep -60: up left of top") << -120.f << -60.f << QPoint(30, 30) << QPoint(70, 30);
}

void TestDrawingContext::anglesRunClockwise()
{
    QFETCH(float, start);
    QFETCH(float, sweep);
    QFETCH(QPoint, filled);
    QFETCH(QPoint, empty);
    RasterImage b = white(100, 100);
    {
        DrawingContext dc(b);
        dc.fillPie(DrawBrush(kBlack), 10, 10, 80, 80, start, sweep);
    }
    QVERIFY(inked(b, filled.x(), filled.y()));
    QVERIFY(!inked(b, empty.x(), empty.y()));

    // An arc outline follows the same angles: its ink lies in the quadrant.
    b.clear(kWhite);
    {
        DrawingContext dc(b);
        dc.drawArc(DrawPen(kBlack, 3), 10, 10, 80, 80, start, sweep);
    }
    const QRect ink = inkBox(b);
    QVERIFY(!ink.isEmpty());
    const QPoint c = ink.center();
    QCOMPARE(c.x() < 50, filled.x() < 50);
    QCOMPARE(c.y() < 50, filled.y() < 50);
}

void TestDrawingContext::translateThenRotateTurnsFirst()
{
    RasterImage b = white(60, 40);
    {
        DrawingContext dc(b);
        dc.translate(20, 10);
        dc.rotate(90);
        // (0..10, 0..2) turned clockwise by 90 degrees is (-2..0, 0..10),
        // then moved to (18..20, 10..20).
        dc.fillRectangle(DrawBrush(kBlack), 0, 0, 10, 2);
    }
    QCOMPARE(inkBox(b), QRect(18, 10, 2, 10));

    RasterImage r = white(60, 40);
    {
        DrawingContext dc(r);
        dc.translate(20, 10);
        dc.rotate(90);
        dc.resetTransform();
        dc.fillRectangle(DrawBrush(kBlack), 1, 1, 3, 2);
    }
    QCOMPARE(inkBox(r), QRect(1, 1, 3, 2));
}

void TestDrawingContext::pathFillLeavesInnerFigureUnfilled()
{
    RasterImage b = white(50, 50);
    DrawPath path;
    path.addRectangle(5, 5, 40, 40);
    path.addEllipse(15, 15, 20, 20);
    {
        DrawingContext dc(b);
        dc.fillPath(DrawBrush(kBlack), path);
    }
    QVERIFY(inked(b, 8, 8));
    QVERIFY(!inked(b, 25, 25)); // inside both figures: a hole
    QVERIFY(!inked(b, 2, 2));

    // A self-crossing polygon, too.
    RasterImage p = white(50, 50);
    const QVector<QPointF> star{{25, 2}, {38, 46}, {2, 18}, {48, 18}, {12, 46}};
    {
        DrawingContext dc(p);
        dc.fillPolygon(DrawBrush(kBlack), star);
    }
    QVERIFY(!inked(p, 25, 27)); // the pentagon in the middle
    QVERIFY(inked(p, 25, 10));  // a point of the star
}

void TestDrawingContext::pathPiecesJoinIntoOneFigure()
{
    DrawPath path;
    path.addLine(10, 10, 40, 10);
    path.addLine(40, 40, 10, 40); // joined to (40, 10) by a straight segment
    QCOMPARE(path.path().toSubpathPolygons().size(), 1);
    RasterImage b = white(50, 50);
    {
        DrawingContext dc(b);
        dc.fillPath(DrawBrush(kBlack), path);
    }
    QVERIFY(inked(b, 25, 25));

    // A rectangle is a figure of its own; the next line starts anew.
    DrawPath two;
    two.addRectangle(0, 0, 5, 5);
    two.addLine(10, 10, 20, 10);
    QCOMPARE(two.path().toSubpathPolygons().size(), 2);
    QCOMPARE(two.path().toSubpathPolygons().at(1).first(), QPointF(10, 10));
}

void TestDrawingContext::clipLimitsLaterDrawing()
{
    RasterImage b = white(40, 40);
    {
        DrawingContext dc(b);
        DrawPath circle;
        circle.addEllipse(0, 0, 40, 40);
        dc.setClip(circle);
        dc.fillRectangle(DrawBrush(kBlack), 0, 0, 40, 20);
        dc.resetClip();
        dc.fillRectangle(DrawBrush(kBlack), 0, 30, 40, 10);
    }
    QVERIFY(inked(b, 20, 5));
    QVERIFY(!inked(b, 1, 1)); // outside the circle
    QVERIFY(!inked(b, 20, 25));
    QVERIFY(inked(b, 1, 38)); // after the reset the corner is drawn
}

void TestDrawingContext::textAtPointAlignment_data()
{
    QTest::addColumn<int>("h");
    QTest::addColumn<int>("v");
    for (int h = 0; h < 3; ++h)
        for (int v = 0; v < 3; ++v)
            QTest::addRow("h%d v%d", h, v) << h << v;
}

void TestDrawingContext::textAtPointAlignment()
{
    QFETCH(int, h);
    QFETCH(int, v);
    const DrawFont font(QStringLiteral("Arial"), 20);
    RasterImage b = white(200, 120);
    QSizeF size;
    {
        DrawingContext dc(b);
        size = dc.measureString(QStringLiteral("Mgy"), font);
        dc.drawString(QStringLiteral("Mgy"), font, QPointF(100, 60), TextFormat(TextAlign(h), TextAlign(v)),
                      DrawBrush(kBlack));
    }
    // The text box: 20-pixel em, about 23 pixels from top to lower edge.
    QVERIFY2(size.height() > 20 && size.height() < 26, qPrintable(QString::number(size.height())));
    const qreal left = h == 0 ? 100 : h == 1 ? 100 - size.width() / 2 : 100 - size.width();
    const qreal top = v == 0 ? 60 : v == 1 ? 60 - size.height() / 2 : 60 - size.height();
    const QRect ink = inkBox(b);
    QVERIFY(!ink.isEmpty());
    const QRectF box(left - 1, top - 1, size.width() + 2, size.height() + 2);
    QVERIFY2(box.contains(QRectF(ink)), qPrintable(QStringLiteral("ink %1,%2 %3x%4")
                                                       .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
    if (v == 2) {
        // Lower edge on y: the descenders reach close to it, nothing below.
        QVERIFY(ink.bottom() < 60);
        QVERIFY(ink.bottom() >= 60 - 3);
    }
    if (v == 0) {
        // Top on y: the capital starts a few pixels below it.
        QVERIFY(ink.top() >= 60);
        QVERIFY(ink.top() <= 60 + 6);
    }
    if (h == 2)
        QVERIFY(ink.right() < 100);
    if (h == 0)
        QVERIFY(ink.left() >= 100);
}

void TestDrawingContext::textInRectangleIsCentred()
{
    RasterImage b = white(120, 60);
    {
        DrawingContext dc(b);
        dc.drawString(QStringLiteral("00042"), DrawFont(QStringLiteral("Arial"), 16, true), QRectF(10, 10, 100, 40),
                      TextFormat(TextAlign::Center, TextAlign::Center), DrawBrush(kBlack));
    }
    const QRect ink = inkBox(b);
    QVERIFY(qAbs(ink.center().x() - 60) <= 2);
    QVERIFY(qAbs(ink.center().y() - 30) <= 3);
}

void TestDrawingContext::rotatedTextReadsUpwards()
{
    // The vertical axis title: origin moved, turned by -90 degrees, text
    // centred with its lower edge on the origin.
    const DrawFont font(QStringLiteral("Arial"), 14);
    RasterImage b = white(60, 200);
    QSizeF size;
    {
        DrawingContext dc(b);
        size = dc.measureString(QStringLiteral("Displacement"), font);
        dc.translate(40, 100);
        dc.rotate(-90);
        dc.drawString(QStringLiteral("Displacement"), font, QPointF(0, 0),
                      TextFormat(TextAlign::Center, TextAlign::Far), DrawBrush(kBlack));
    }
    const QRect ink = inkBox(b);
    QVERIFY(ink.height() > ink.width()); // runs up the picture
    QVERIFY(ink.right() < 40);           // left of the origin: its lower edge is on x = 40
    QVERIFY(ink.right() >= 40 - 4);
    QVERIFY(qAbs(ink.center().y() - 100) <= 2);
    QVERIFY(qAbs(ink.height() - size.width()) <= 3);
}

void TestDrawingContext::smoothingKeepsLinesOnTheirPixels()
{
    for (Smoothing mode : {Smoothing::None, Smoothing::HighQuality}) {
        RasterImage b = white(30, 12);
        {
            DrawingContext dc(b);
            dc.setSmoothing(mode);
            QCOMPARE(dc.smoothing(), mode);
            dc.drawLine(DrawPen(kBlack, 1), 2, 5, 20, 5);
        }
        // One dark row, whatever the smoothing.
        for (int x = 4; x < 18; ++x) {
            QVERIFY(qRed(b.pixel(x, 5)) < 40);
            QCOMPARE(b.pixel(x, 4), kWhite);
            QCOMPARE(b.pixel(x, 6), kWhite);
        }
    }
    // A slope shows the difference.
    RasterImage aliased = white(40, 20), smooth = white(40, 20);
    {
        DrawingContext dc(aliased);
        dc.drawLine(DrawPen(kBlack), 1, 1, 38, 15);
    }
    {
        DrawingContext dc(smooth);
        dc.setSmoothing(Smoothing::HighQuality);
        dc.drawLine(DrawPen(kBlack), 1, 1, 38, 15);
    }
    QVERIFY(!hasGrey(aliased));
    QVERIFY(hasGrey(smooth));
}

void TestDrawingContext::textRenderingSwitch()
{
    const DrawFont font(QStringLiteral("Arial"), 18);
    RasterImage plain = white(120, 40), aa = white(120, 40);
    {
        DrawingContext dc(plain);
        QCOMPARE(dc.textRendering(), TextRendering::Default);
        dc.drawString(QStringLiteral("Wave 0.5"), font, QPointF(4, 4), DrawBrush(kBlack));
    }
    {
        DrawingContext dc(aa);
        dc.setTextRendering(TextRendering::AntiAlias);
        dc.drawString(QStringLiteral("Wave 0.5"), font, QPointF(4, 4), DrawBrush(kBlack));
    }
    QVERIFY(!hasGrey(plain));
    QVERIFY(hasGrey(aa));
    QVERIFY(inkBox(plain).intersects(inkBox(aa)));
}

void TestDrawingContext::outlinesAndFillsShareEdges()
{
    // Fill (2, 2, 6, 4) covers pixels 2..7 x 2..5; the outline of the same
    // rectangle runs on its edges, one pixel further right and down.
    RasterImage b = white(12, 10);
    {
        DrawingContext dc(b);
        dc.fillRectangle(DrawBrush(0xFFFF0000), 2, 2, 6, 4);
    }
    QCOMPARE(inkBox(b), QRect());
    QCOMPARE(b.pixel(2, 2), Color32(0xFFFF0000));
    QCOMPARE(b.pixel(7, 5), Color32(0xFFFF0000));
    QCOMPARE(b.pixel(8, 5), kWhite);
    for (Smoothing mode : {Smoothing::None, Smoothing::HighQuality}) {
        RasterImage o = white(12, 10);
        {
            DrawingContext dc(o);
            dc.setSmoothing(mode);
            dc.drawRectangle(DrawPen(kBlack), 2, 2, 6, 4);
        }
        QCOMPARE(inkBox(o), QRect(2, 2, 7, 5));
        QVERIFY(!inked(o, 5, 4));
    }
}

void TestDrawingContext::negativeSizesDrawNothing()
{
    RasterImage b = white(20, 20);
    DrawRecording rec;
    {
        DrawingContext dc(b);
        dc.setRecorder(&rec);
        dc.fillRectangle(DrawBrush(kBlack), 15, 5, -10, 5);
        dc.drawRectangle(DrawPen(kBlack), 15, 5, -10, 5);
        dc.fillEllipse(DrawBrush(kBlack), 5, 5, 5, -5);
        dc.drawLine(DrawPen(kBlack), 1, 1, 5, 1);
    }
    QCOMPARE(rec.size(), 1); // only the line
    QCOMPARE(inkBox(b), QRect(1, 1, 4, 1));
}

QTEST_MAIN(TestDrawingContext)
#include "tst_drawingcontext.moc"
