// Whole-pixel operations on the picture bitmap, checked pixel by pixel at
// device pixel ratio 1 (and the block rule at ratio 2).
#include "sim/framework/RasterImage.h"

#include <QtTest>

namespace {
constexpr Color32 kWhite = 0xFFFFFFFF;
constexpr Color32 kBlack = 0xFF000000;

RasterImage white(int w, int h, qreal ratio = 1.0)
{
    RasterImage b;
    b.setSize(w, h, ratio);
    b.clear(kWhite);
    return b;
}

// The bitmap as rows of '#' (the given colour) and '.' (white); anything
// else is '?'.
QStringList rows(const RasterImage &b, Color32 ink = kBlack)
{
    QStringList out;
    for (int y = 0; y < b.height(); ++y) {
        QString row;
        for (int x = 0; x < b.width(); ++x) {
            const Color32 c = b.pixel(x, y);
            row += c == ink ? QLatin1Char('#') : c == kWhite ? QLatin1Char('.') : QLatin1Char('?');
        }
        out << row;
    }
    return out;
}

FixedPoint fp(double x, double y)
{
    return fixedPoint(x, y);
}
} // namespace

class TestRaster : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fixedToPixel_data();
    void fixedToPixel();
    void toFixedRoundsHalvesToEven();
    void rectanglesExcludeRightAndBottom();
    void linesIncludeBothEnds();
    void polylineRoundsEachPoint_data();
    void polylineRoundsEachPoint();
    void polylineDrawsEveryPixelOnceWhenBlended();
    void polylineSinglePoint();
    void polylineClosed();
    void fillBlendsTranslucentColours();
    void ratioTwoDrawsLogicalPixelsAsBlocks();
    void antialiasedPolylineSitsOnPixelCentres();
    void textOutAndExtent();
};

void TestRaster::fixedToPixel_data()
{
    QTest::addColumn<int>("fixed");
    QTest::addColumn<int>("pixel");
    QTest::newRow("2.0") << 2 * kFixedOne << 2;
    QTest::newRow("0.5 rounds down") << kFixedOne / 2 << 0;
    QTest::newRow("just over 0.5") << kFixedOne / 2 + 1 << 1;
    QTest::newRow("1.5 rounds down") << kFixedOne + kFixedOne / 2 << 1;
    QTest::newRow("2.49998") << 2 * kFixedOne + kFixedOne / 2 - 1 << 2;
    QTest::newRow("-0.5 rounds down") << -kFixedOne / 2 << -1;
    QTest::newRow("-0.49998") << -kFixedOne / 2 + 1 << 0;
    QTest::newRow("-1.5 rounds down") << -(kFixedOne + kFixedOne / 2) << -2;
    QTest::newRow("-2.7") << int(-2.7 * kFixedOne) << -3;
    QTest::newRow("largest") << std::numeric_limits<int32_t>::max() << 32768;
}

void TestRaster::fixedToPixel()
{
    QFETCH(int, fixed);
    QFETCH(int, pixel);
    QCOMPARE(::fixedToPixel(fixed), pixel);
}

void TestRaster::toFixedRoundsHalvesToEven()
{
    // 0.5 / 65536 and 1.5 / 65536 lie exactly halfway between fixed values.
    QCOMPARE(toFixed(0.5 / kFixedOne), 0);
    QCOMPARE(toFixed(1.5 / kFixedOne), 2);
    QCOMPARE(toFixed(-2.5 / kFixedOne), -2);
    QCOMPARE(toFixed(12.25), 12 * kFixedOne + kFixedOne / 4);
    QCOMPARE(toFixed(1e12), std::numeric_limits<int32_t>::max());
}

void TestRaster::rectanglesExcludeRightAndBottom()
{
    RasterImage b = white(8, 6);
    b.fillRect(1, 1, 4, 3, kBlack);
    QCOMPARE(rows(b), QStringList({"........", ".###....", ".###....", "........", "........", "........"}));

    b = white(8, 6);
    b.frameRect(1, 1, 7, 5, kBlack);
    QCOMPARE(rows(b), QStringList({"........", ".######.", ".#....#.", ".#....#.", ".######.", "........"}));

    // Clipped to the picture; an empty rectangle draws nothing.
    b = white(4, 3);
    b.fillRect(-5, -5, 2, 1, kBlack);
    b.fillRect(3, 2, 3, 9, kBlack);
    QCOMPARE(rows(b), QStringList({"##..", "....", "...."}));

    // The whole-bitmap border the pictures draw: (0, 0, W - 1, H - 1)
    // leaves the last column and row untouched.
    b = white(5, 4);
    b.frameRect(0, 0, 4, 3, kBlack);
    QCOMPARE(rows(b), QStringList({"####.", "#..#.", "####.", "....."}));
}

void TestRaster::linesIncludeBothEnds()
{
    RasterImage b = white(6, 5);
    b.horizontalLine(4, 1, 1, kBlack); // ends in either order
    b.verticalLine(5, 0, 4, kBlack);
    QCOMPARE(rows(b), QStringList({".....#", ".#####", ".....#", ".....#", ".....#"}));
}

void TestRaster::polylineRoundsEachPoint_data()
{
    QTest::addColumn<QVector<double>>("coords"); // x0, y0, x1, y1, ...
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("halves round down") << QVector<double>{0.5, 1.5, 4.5, 1.5}
                                       << QStringList({"......", "#####.", "......"});
    QTest::newRow("just over halves round up") << QVector<double>{0.51, 1.51, 4.51, 1.51}
                                               << QStringList({"......", "......", ".#####"});
    QTest::newRow("negative coordinates clip") << QVector<double>{-3.0, 0.0, 2.4, 0.0}
                                               << QStringList({"###...", "......", "......"});
    QTest::newRow("minus one half goes to -1") << QVector<double>{-0.5, 2.0, 1.0, 2.0}
                                               << QStringList({"......", "......", "##...."});
    QTest::newRow("diagonal") << QVector<double>{0.0, 0.0, 2.0, 2.0, 5.0, 2.0}
                              << QStringList({"#.....", ".#....", "..####"});
    QTest::newRow("off the picture") << QVector<double>{-20.0, -20.0, -2.0, 30.0}
                                     << QStringList({"......", "......", "......"});
}

void TestRaster::polylineRoundsEachPoint()
{
    QFETCH(QVector<double>, coords);
    QFETCH(QStringList, expected);
    std::vector<FixedPoint> pts;
    for (int i = 0; i + 1 < coords.size(); i += 2)
        pts.push_back(fp(coords[i], coords[i + 1]));
    RasterImage b = white(6, 3);
    b.polyline(pts, kBlack, false);
    QCOMPARE(rows(b), expected);
}

void TestRaster::polylineDrawsEveryPixelOnceWhenBlended()
{
    // A translucent colour: a pixel drawn twice would come out darker.
    RasterImage b = white(6, 6);
    const std::vector<FixedPoint> pts{fp(1, 1), fp(4, 1), fp(4, 4), fp(4, 4), fp(1, 4)};
    b.polyline(pts, 0x80000000, false);
    const Color32 once = b.pixel(2, 1);
    QVERIFY(once != kWhite && once != kBlack);
    QCOMPARE(qAlpha(once), 255);
    QVERIFY(qAbs(qRed(once) - 127) <= 1);
    const QStringList drawn = rows(b, once);
    QCOMPARE(drawn, QStringList({"......", ".####.", "....#.", "....#.", ".####.", "......"}));
}

void TestRaster::polylineSinglePoint()
{
    const FixedPoint p = fp(2.2, 1.3);
    RasterImage b = white(4, 3);
    b.polyline(&p, 1, kBlack, true);
    QCOMPARE(rows(b), QStringList({"....", "..#.", "...."}));
    b = white(4, 3);
    b.polyline(&p, 1, kBlack, false);
    QCOMPARE(rows(b), QStringList({"....", "....", "...."}));
    // A closed figure whose points all fall on one pixel is that pixel.
    const std::vector<FixedPoint> same{fp(1, 1), fp(1.2, 0.9), fp(0.8, 1.1)};
    b = white(4, 3);
    b.polyline(same, 0x80000000, true);
    QCOMPARE(rows(b, b.pixel(1, 1)), QStringList({"....", ".#..", "...."}));
    QVERIFY(b.pixel(1, 1) != kWhite);
}

void TestRaster::polylineClosed()
{
    RasterImage b = white(6, 5);
    const std::vector<FixedPoint> pts{fp(1, 0), fp(4, 0), fp(4, 3)};
    b.polyline(pts, 0x80000000, true);
    const Color32 once = b.pixel(2, 0);
    // The closing segment runs back to the first point; its pixels, the
    // corners included, are drawn once.
    QCOMPARE(rows(b, once), QStringList({".####.", "..#.#.", "...##.", "....#.", "......"}));
}

void TestRaster::fillBlendsTranslucentColours()
{
    RasterImage b = white(3, 1);
    b.fillRect(0, 0, 2, 1, 0x80FF0000);
    b.fillRect(1, 0, 3, 1, 0x00000000); // fully transparent: nothing
    const Color32 c = b.pixel(0, 0);
    QCOMPARE(qAlpha(c), 255);
    QCOMPARE(qRed(c), 255);
    QVERIFY(qAbs(qGreen(c) - 127) <= 1);
    QCOMPARE(b.pixel(1, 0), c);
    QCOMPARE(b.pixel(2, 0), kWhite);
    // Clear replaces, it does not blend.
    b.clear(0x80000000);
    QCOMPARE(b.pixel(1, 0), Color32(0x80000000));
}

void TestRaster::ratioTwoDrawsLogicalPixelsAsBlocks()
{
    RasterImage b = white(4, 3, 2.0);
    QCOMPARE(b.image().size(), QSize(8, 6));
    QCOMPARE(b.image().deviceIndependentSize(), QSizeF(4, 3));
    b.fillRect(1, 1, 2, 2, kBlack);
    const std::vector<FixedPoint> pts{fp(3, 0), fp(3, 2)};
    b.polyline(pts, kBlack);
    QCOMPARE(rows(b), QStringList({"...#", ".#.#", "...#"}));
    const QImage &img = b.image();
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const bool ink = (x / 2 == 1 && y / 2 == 1) || x / 2 == 3;
            QCOMPARE(img.pixel(x, y), ink ? QRgb(kBlack) : QRgb(kWhite));
        }
    // Keeping the contents on a resize at the same ratio.
    b.setSize(6, 3, 2.0);
    QCOMPARE(b.pixel(1, 1), kBlack);
    QCOMPARE(b.pixel(5, 1), Color32(0));
}

void TestRaster::antialiasedPolylineSitsOnPixelCentres()
{
    RasterImage b = white(10, 7);
    const std::vector<FixedPoint> flat{fp(2, 3), fp(7, 3)};
    b.polylineAntialiased(flat, kBlack);
    // A whole-number y is the centre of a pixel row: one dark row.
    for (int x = 3; x <= 6; ++x) {
        QVERIFY(qRed(b.pixel(x, 3)) < 40);
        QCOMPARE(b.pixel(x, 2), kWhite);
        QCOMPARE(b.pixel(x, 4), kWhite);
    }
    b.clear(kWhite);
    const std::vector<FixedPoint> slope{fp(0, 0), fp(9, 4)};
    b.polylineAntialiased(slope, kBlack);
    bool grey = false;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 10; ++x) {
            const int r = qRed(b.pixel(x, y));
            grey = grey || (r > 30 && r < 225);
        }
    QVERIFY2(grey, "an antialiased slope has partly covered pixels");
}

void TestRaster::textOutAndExtent()
{
    RasterImage b = white(80, 30);
    b.font.name = QStringLiteral("arial");
    b.font.size = 10;
    const QSize ext = b.textExtent(QStringLiteral("0123"));
    // 10 points at 96 pixels per inch: a 13.3-pixel font.
    QVERIFY2(ext.height() >= 14 && ext.height() <= 17, qPrintable(QString::number(ext.height())));
    QVERIFY2(ext.width() > 20 && ext.width() < 40, qPrintable(QString::number(ext.width())));
    b.drawText(10, 5, QStringLiteral("0123"));
    QRect ink;
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (qRed(b.pixel(x, y)) < 128)
                ink |= QRect(x, y, 1, 1);
    QVERIFY(!ink.isEmpty());
    QVERIFY(QRect(10, 5, ext.width(), ext.height()).contains(ink));
    // The extent is in logical pixels whatever the ratio.
    RasterImage hi = white(80, 30, 2.0);
    hi.font = b.font;
    QCOMPARE(hi.textExtent(QStringLiteral("0123")), ext);
}

QTEST_MAIN(TestRaster)
#include "tst_raster.moc"
