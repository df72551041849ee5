// The double-slit model: wavelengths, fringe spacing and orders, the fade
// of each fringe, the one-pixel limit and the bench geometry.
#include "sim/optics/DoubleSlitModel.h"

#include <QTest>
#include <cmath>

class TestDoubleSlitModel : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void wavelengths_data()
    {
        QTest::addColumn<uint>("color");
        QTest::addColumn<float>("lambda");
        for (const LightChoice &c : lightChoices())
            QTest::newRow(c.name) << uint(c.light) << c.wavelength;
        QTest::newRow("any other colour") << 0xFF123456u << 400.0f;
    }
    void wavelengths()
    {
        QFETCH(uint, color);
        QFETCH(float, lambda);
        QCOMPARE(wavelengthOf(color), lambda);
    }

    // Spacing in screen divisions is lambda*D/d in centimetres.
    void fringes_data()
    {
        QTest::addColumn<float>("lambda");
        QTest::addColumn<float>("D");
        QTest::addColumn<float>("d");
        QTest::addColumn<float>("screenWidth");
        QTest::addColumn<float>("divisions");
        QTest::addColumn<int>("orders");
        QTest::newRow("defaults") << 700.0f << 150.0f << 0.05f << 784.0f << 2.1f << 9;
        QTest::newRow("orange") << 620.0f << 150.0f << 0.05f << 784.0f << 1.86f << 10;
        QTest::newRow("violet, near, wide") << 400.0f << 50.0f << 0.1f << 800.0f << 0.2f << 100;
        QTest::newRow("red, far, narrow") << 700.0f << 300.0f << 0.01f << 784.0f << 21.0f << 0;
    }
    void fringes()
    {
        QFETCH(float, lambda);
        QFETCH(float, D);
        QFETCH(float, d);
        QFETCH(float, screenWidth);
        QFETCH(float, divisions);
        QFETCH(int, orders);
        QVERIFY(std::abs(fringeSpacingDivisions(lambda, D, d) - divisions) < 1e-4f);
        const FringeLayout f = fringeLayout(screenWidth, lambda, D, d);
        QVERIFY(std::abs(f.spacing / (screenWidth / kScreenDivisions) - divisions) < 1e-4f);
        QCOMPARE(f.orders, orders);
    }

    // Each bright fringe fades linearly from full colour at its centre to
    // black about halfway to the next one.
    void linearFade()
    {
        const FringeLayout f = fringeLayout(588.0f, 700.0f, 150.0f, 0.05f); // s = 30.87 px
        QCOMPARE(f.alphaStep, 17); // round(510 / 30.87)
        QCOMPARE(f.halfWidth, 15);
        const std::vector<int> alphas = fringeLineAlphas(f);
        QCOMPARE(int(alphas.size()), 15);
        for (int j = 0; j < int(alphas.size()); ++j)
            QCOMPARE(alphas[j], 255 - 17 * j);
        QVERIFY(alphas.back() > 0);
    }

    // Narrow fringes become single full-colour lines; below one pixel the
    // spacing is held at one pixel and the lines touch.
    void pixelLimits_data()
    {
        QTest::addColumn<float>("screenWidth");
        QTest::addColumn<float>("spacing");
        QTest::addColumn<int>("orders");
        QTest::newRow("1.5 px") << 300.0f << 1.5f << 100;
        QTest::newRow("0.8 px raised to 1") << 160.0f << 1.0f << 80;
    }
    void pixelLimits()
    {
        QFETCH(float, screenWidth);
        QFETCH(float, spacing);
        QFETCH(int, orders);
        const FringeLayout f = fringeLayout(screenWidth, 400.0f, 50.0f, 0.1f);
        QVERIFY(std::abs(f.spacing - spacing) < 1e-5f);
        QCOMPARE(f.orders, orders);
        QCOMPARE(f.alphaStep, 255);
        QCOMPARE(fringeLineAlphas(f), std::vector<int>{255});
    }

    void benchGeometry()
    {
        const float u = 7.3f;
        // D = 100 cm puts the side-view screen under the 1 m tick, 300 cm
        // under the 3 m tick; the bench's zero is the scale's left edge.
        QVERIFY(std::abs(benchScreenX(100, u) - benchTickX(10, u)) < 1e-4f);
        QVERIFY(std::abs(benchScreenX(300, u) - benchTickX(30, u)) < 1e-4f);
        QVERIFY(std::abs(benchTickX(0, u) - float(benchScaleRect(u).left())) < 1e-4f);
    }

    void markerArea_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRect>("area");
        // u = 5: from (W/2 - 245, H/2 - 245) to (W/2 + 245, H/2 - 165).
        QTest::newRow("wide") << QSize(800, 500) << QRect(155, 5, 490, 80);
        // u = 3.33: left 166.5 - 163.17, right 166.5 + 163.17, bottom 300 - 109.89.
        QTest::newRow("tall") << QSize(333, 600) << QRect(3, 137, 327, 53);
    }
    void markerArea()
    {
        QFETCH(QSize, picture);
        QFETCH(QRect, area);
        QCOMPARE(::markerArea(picture.width(), picture.height()), area);
    }

    // The measuring line's reading agrees with the screen's scale (each
    // division a centimetre) and with the fringes the model lays out.
    void screenPosition_data()
    {
        QTest::addColumn<QSize>("picture");
        QTest::newRow("window") << QSize(767, 484);
        QTest::newRow("wide") << QSize(800, 500);
        QTest::newRow("tall, odd width") << QSize(333, 600);
    }
    void screenPosition()
    {
        QFETCH(QSize, picture);
        const int W = picture.width(), H = picture.height();
        const float u = pictureUnit(W, H);
        const QRectF screen = screenScaleRect(u);
        for (int i = 0; i <= kScreenDivisions; ++i) {
            const double tick = W / 2.0 + screen.left() + i * screen.width() / kScreenDivisions;
            QVERIFY(std::abs(screenPositionMm(tick, W, H) - (i - 20) * 10.0) < 1e-6);
        }
        // Fringe m of red light with d = 0.05 mm, D = 150 cm: m x 21 mm.
        const FringeLayout f = fringeLayout(float(screenRect(u).width()), 700, 150, 0.05f);
        for (int m : {-9, -5, -1, 0, 1, 5, 9})
            QVERIFY(std::abs(screenPositionMm(W / 2.0 + m * f.spacing, W, H) - m * 21.0) < 1e-3);
    }
    void screenReading_data()
    {
        QTest::addColumn<double>("mm");
        QTest::addColumn<QString>("text");
        QTest::newRow("right") << 21.04 << QStringLiteral("21.0 mm");
        QTest::newRow("left") << -105.06 << QStringLiteral("-105.1 mm");
        QTest::newRow("just left of the centre") << -0.04 << QStringLiteral("0.0 mm");
        QTest::newRow("edge") << 200.0 << QStringLiteral("200.0 mm");
    }
    void screenReading()
    {
        QFETCH(double, mm);
        QFETCH(QString, text);
        QCOMPARE(::screenReading(mm), text);
    }
};

QTEST_MAIN(TestDoubleSlitModel)
#include "tst_doubleslitmodel.moc"
