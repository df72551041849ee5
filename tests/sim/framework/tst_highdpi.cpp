// On a screen of device pixel ratio 2 the surfaces keep twice the pixels,
// while the drawing code keeps working in logical pixels.
#include "sim/framework/DrawingContext.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"

#include <QtTest>

namespace {
// Set before the application starts, so every screen has ratio 2.
const bool kScaled = qputenv("QT_SCALE_FACTOR", "2");
} // namespace

class TestHighDpi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void paintBoxAtRatioTwo();
};

void TestHighDpi::paintBoxAtRatioTwo()
{
    QVERIFY(kScaled);
    PaintBox pic;
    showOffscreen(&pic, QSize(100, 80));
    QCOMPARE(pic.devicePixelRatioF(), 2.0);
    RasterImage &b = pic.bitmap();
    QCOMPARE(QSize(b.width(), b.height()), QSize(100, 80));
    QCOMPARE(b.image().size(), QSize(200, 160));

    pic.beginUpdate();
    b.clear(0xFFFFFFFF);
    {
        DrawingContext dc(b);
        dc.fillRectangle(DrawBrush(0xFFFF0000), 10, 10, 20, 5);
        dc.drawLine(DrawPen(0xFF000000, 1), 0, 40, 100, 40);
    }
    b.frameRect(0, 0, 100, 80, 0xFF0000FF);
    pic.endUpdate();

    const QImage img = b.image();
    QCOMPARE(img.pixel(20, 20), QRgb(0xFFFF0000));  // logical (10, 10)
    QCOMPARE(img.pixel(59, 29), QRgb(0xFFFF0000));  // logical (29.5, 14.5)
    QCOMPARE(img.pixel(60, 30), QRgb(0xFFFFFFFF));
    QCOMPARE(img.pixel(1, 1), QRgb(0xFF0000FF));    // the 1-pixel frame is two device pixels wide
    QCOMPARE(img.pixel(2, 2), QRgb(0xFFFFFFFF));
    QCOMPARE(b.pixel(50, 40), Color32(0xFF000000));
    QCOMPARE(b.pixel(50, 38), Color32(0xFFFFFFFF));
    // The surface shows the bitmap at its logical size.
    const QImage shown = pic.grab().toImage();
    QCOMPARE(shown.size(), QSize(200, 160));
    QCOMPARE(shown.pixel(20, 20), QRgb(0xFFFF0000));
}

QTEST_MAIN(TestHighDpi)
#include "tst_highdpi.moc"
