// The double-slit window: fringes on the picture, the colour menu and its
// swatch, the bench and magnifier, and the measuring line.
#include "WidgetTestSupport.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/optics/DoubleSlitWindow.h"

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <QMouseEvent>
#include <QToolButton>
#include <cmath>

namespace {

const QSize kWindow(767, 504);

struct Window {
    DoubleSlitWindow w;
    Window() { showOffscreen(&w, kWindow); }
    QImage picture() const { return w.picture()->bitmap().image(); }
    // Picture pixel of a point given about the picture's centre.
    QPoint at(double x, double y) const
    {
        const QImage img = picture();
        return QPoint(int(std::floor(img.width() / 2.0 + x)), int(std::floor(img.height() / 2.0 + y)));
    }
    QRgb pixel(double x, double y) const { return picture().pixel(at(x, y)); }
    // The brightest pixel of the row within a pixel of x: where a line
    // drawn at a fractional x lands.
    QRgb brightest(double x, double y) const
    {
        const QImage img = picture();
        const QPoint p = at(x, y);
        QRgb best = img.pixel(p);
        for (int dx : {-1, 1}) {
            const QRgb c = img.pixel(p.x() + dx, p.y());
            if (qRed(c) + qGreen(c) + qBlue(c) > qRed(best) + qGreen(best) + qBlue(best))
                best = c;
        }
        return best;
    }
};

// Mouse events as the picture receives them.
void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButton button = Qt::NoButton)
{
    // A move reports the buttons held; a press or release the one button.
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    const Qt::MouseButton which = type == QEvent::MouseMove ? Qt::NoButton : button;
    TestSupport::sendMouse(w, type, pos, which, held);
}

} // namespace

class TestDoubleSlitWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pictureIsAtRatioOne()
    {
        Window f;
        QCOMPARE(f.picture().devicePixelRatio(), 1.0);
        QCOMPARE(f.picture().size(), f.w.picture()->size());
    }

    // The fringes as drawn: full colour at each fringe centre, black halfway
    // between, spacing lambda*D/d in screen divisions.
    void fringes_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<uint>("color");
        QTest::addColumn<float>("divisions");
        QTest::addColumn<int>("orders");
        QTest::newRow("red, defaults") << 0 << 0xFFFF0000u << 2.1f << 9;
        QTest::newRow("orange") << 1 << 0xFFFF8000u << 1.86f << 10;
        QTest::newRow("green") << 3 << 0xFF008000u << 1.56f << 12;
    }
    void fringes()
    {
        QFETCH(int, item);
        QFETCH(uint, color);
        QFETCH(float, divisions);
        QFETCH(int, orders);
        Window f;
        f.w.colourButton()->items().at(item)->trigger();
        QCOMPARE(f.w.lightColor(), color);
        QCOMPARE(f.w.wavelength(), wavelengthOf(color));
        const float u = f.w.unit();
        const float division = 98 * u / kScreenDivisions;
        QVERIFY(std::abs(f.w.fringes().spacing / division - divisions) < 1e-4f);
        QCOMPARE(f.w.fringes().orders, orders);

        const double y = -44 * u; // inside the screen
        const double s = f.w.fringes().spacing;
        for (int i : {0, 1, -1, orders, -orders})
            QCOMPARE(f.brightest(i * s, y), QRgb(color));
        // Halfway between two fringes the light has faded to black.
        const QRgb between = f.pixel(s / 2, y);
        QVERIFY(qRed(between) < 40 && qGreen(between) < 40 && qBlue(between) < 40);
    }

    // The button shows a square of the light's colour, 20 pixels (40 with
    // large buttons), vertically centred over the button's picture.
    void colourSwatch_data()
    {
        QTest::addColumn<bool>("large");
        QTest::addColumn<int>("side");
        QTest::newRow("normal") << false << 20;
        QTest::newRow("large") << true << 40;
    }
    void colourSwatch()
    {
        QFETCH(bool, large);
        QFETCH(int, side);
        Window f;
        f.w.setLargeButtons(large);
        f.w.colourButton()->items().at(4)->trigger(); // blue
        QToolButton *b = f.w.colourButton()->button();
        b->resize(b->sizeHint());
        const QRect r = f.w.colorSwatchRect();
        QCOMPARE(r.size(), QSize(side, side));
        QCOMPARE(r.top(), (b->height() - side) / 2);
        QVERIFY(r.left() >= 4 && r.right() < b->width());
        const QImage img = b->grab().toImage();
        QCOMPARE(img.devicePixelRatio(), 1.0);
        for (const QPoint &p : {r.topLeft(), r.bottomRight(), r.center()})
            QCOMPARE(img.pixel(p), qRgb(0, 0, 255));
        QVERIFY(img.pixel(r.right() + 1, r.center().y()) != qRgb(0, 0, 255));
        QCOMPARE(f.w.separationSpinBox()->width(), large ? 120 : 80);
    }

    // Violet, d = 0.1 mm, D = 50 cm on a small picture: the spacing falls
    // below one pixel and is held at one, so the screen is one even colour.
    void onePixelLimit()
    {
        DoubleSlitWindow w;
        showOffscreen(&w, QSize(200, 220));
        w.colourButton()->items().at(5)->trigger();
        w.separationSpinBox()->setValue(0.1);
        w.distanceScrollBar()->setValue(500);
        QCOMPARE(w.separation(), 0.1f);
        QCOMPARE(w.distance(), 50.0f);
        QCOMPARE(w.fringes().spacing, 1.0f);
        const QImage img = w.picture()->bitmap().image();
        const float u = w.unit();
        const int y = int(img.height() / 2.0 - 44 * u);
        const int left = int(std::ceil(img.width() / 2.0 - 49 * u)) + 1;
        const int right = int(std::floor(img.width() / 2.0 + 49 * u)) - 1;
        for (int x = left; x < right; ++x)
            QCOMPARE(img.pixel(x, y), qRgb(255, 0, 255));
    }

    // The magnifier's ruler ends on its centre line at the bench's end.
    void magnifierAtTheBenchEnd_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<bool>("stripRightOfCentre");
        QTest::newRow("150 cm") << 1500 << true;
        QTest::newRow("298.6 cm") << 2986 << true;
        QTest::newRow("300 cm") << 3000 << false;
    }
    void magnifierAtTheBenchEnd()
    {
        QFETCH(int, position);
        QFETCH(bool, stripRightOfCentre);
        Window f;
        f.w.distanceScrollBar()->setValue(position);
        const float u = f.w.unit();
        // Centre line at x = 0; the strip runs from y = -5u down 0.35 S.
        const double y = -5 * u + 0.1 * 30 * u;
        QCOMPARE(f.pixel(-3 * u, y), QRgb(0xFFFFFF80)); // left of the centre: always strip
        QCOMPARE(f.pixel(3 * u, y) == QRgb(0xFFFFFF80), stripRightOfCentre);
    }

    // D = 100 cm puts the side-view screen's left edge on the 1 m tick.
    void screenUnderTheMetreTick()
    {
        Window f;
        f.w.distanceScrollBar()->setValue(1000);
        const float u = f.w.unit();
        const QImage img = f.picture();
        auto firstBlack = [&](double y, double fromX) {
            const QPoint p = f.at(fromX, y);
            for (int x = p.x(); x < img.width(); ++x)
                if (img.pixel(x, p.y()) == qRgb(0, 0, 0))
                    return x;
            return -1;
        };
        const int screenEdge = firstBlack(35 * u, -30 * u); // above the beam, right of the slits
        const int tick = firstBlack(46 * u, -10 * u); // only the metre ticks reach this low
        QVERIFY(screenEdge > 0);
        QCOMPARE(tick, screenEdge);
        QCOMPARE(img.pixel(screenEdge + 2, f.at(0, 34 * u).y()), qRgb(0xAD, 0xD8, 0xE6));
    }

    // Pressing shows a 1-pixel line over the screen and its scale at the
    // pointer, moving follows it and releasing hides it; the picture's own
    // bitmap never changes.
    void measuringLine()
    {
        Window f;
        const QImage before = f.picture().copy();
        const QRect area = f.w.markerArea();
        const int below = area.bottom() + 100; // a press outside the area still shows the line

        sendMouse(f.w.picture(), QEvent::MouseButtonPress, QPoint(300, below), Qt::LeftButton);
        QVERIFY(f.w.markerLayer()->visible());
        QCOMPARE(f.w.markerLayer()->location(), QRectF(300, area.top(), 1, area.height()));
        QImage shown = f.w.picture()->snapshot();
        for (int y = area.top(); y <= area.top() + area.height(); ++y)
            QCOMPARE(shown.pixel(300, y), qRgb(0, 0, 0));
        QCOMPARE(f.picture(), before);

        sendMouse(f.w.picture(), QEvent::MouseMove, QPoint(420, area.top() + 5), Qt::LeftButton);
        QCOMPARE(f.w.markerLayer()->location(), QRectF(420, area.top(), 1, area.height()));
        QCOMPARE(f.w.picture()->cursor().shape(), Qt::PointingHandCursor);
        shown = f.w.picture()->snapshot();
        QCOMPARE(shown.pixel(420, area.top() + area.height() / 2), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(300, area.top() + area.height() / 2), before.pixel(300, area.top() + area.height() / 2));
        QCOMPARE(f.picture(), before);

        sendMouse(f.w.picture(), QEvent::MouseButtonRelease, QPoint(420, area.top() + 5), Qt::LeftButton);
        QVERIFY(!f.w.markerLayer()->visible());
        QCOMPARE(f.w.picture()->snapshot(), before);
        sendMouse(f.w.picture(), QEvent::MouseMove, QPoint(420, below));
        QCOMPARE(f.w.picture()->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.picture(), before);
    }

    // The line reads its place on the screen's scale: fringe m of the
    // default pattern (2.1 divisions apart) is m x 21 mm from the centre.
    void measuringLineReading_data()
    {
        QTest::addColumn<int>("order");
        for (int m : {0, 1, -1, 5, -9})
            QTest::newRow(QByteArray::number(m)) << m;
    }
    void measuringLineReading()
    {
        QFETCH(int, order);
        Window f;
        const QRect area = f.w.markerArea();
        const double s = f.w.fringes().spacing;
        const float u = f.w.unit();
        const int x = f.at(order * s, -44 * u).x();
        QVERIFY(f.w.lineReading().isEmpty()); // hidden: nothing to read
        sendMouse(f.w.picture(), QEvent::MouseButtonPress, QPoint(x, area.center().y()), Qt::LeftButton);
        const QString reading = f.w.lineReading();
        QVERIFY2(reading.endsWith(QLatin1String(" mm")), qPrintable(reading));
        const double mm = reading.chopped(3).toDouble();
        const double pixel = 10.0 / (98 * u / kScreenDivisions); // mm
        QVERIFY2(std::abs(mm - order * 21.0) <= pixel + 0.05, qPrintable(reading));
        QCOMPARE(reading, screenReading(screenPositionMm(x, f.w.picture()->width(), f.w.picture()->height())));

        // Shown under the scale beside the line, inside the picture.
        const QImage shown = f.w.picture()->snapshot();
        const QImage before = f.picture();
        int changed = 0;
        for (int y = area.bottom() + 2; y < area.bottom() + 8 * u; ++y)
            for (int dx = -30; dx <= 30; ++dx)
                changed += shown.pixel(x + dx, y) != before.pixel(x + dx, y);
        QVERIFY(changed > 20);
        sendMouse(f.w.picture(), QEvent::MouseButtonRelease, QPoint(x, area.center().y()), Qt::LeftButton);
        QVERIFY(f.w.lineReading().isEmpty());
    }

    // The line shows on a bright fringe, on a dark one and on the scale:
    // down its whole length some pixel of it stands out from what it covers.
    void measuringLineShowsOnBrightAndDark_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<double>("fringes"); // where, in fringe spacings from the centre
        QTest::newRow("red, bright") << 0 << 2.0;
        QTest::newRow("red, dark") << 0 << 2.5;
        QTest::newRow("yellow, bright") << 2 << -1.0;
        QTest::newRow("blue, dark") << 4 << -3.5;
    }
    void measuringLineShowsOnBrightAndDark()
    {
        QFETCH(int, item);
        QFETCH(double, fringes);
        Window f;
        f.w.colourButton()->items().at(item)->trigger();
        const QRect area = f.w.markerArea();
        const float u = f.w.unit();
        const int x = f.at(fringes * f.w.fringes().spacing, -44 * u).x();
        const QImage before = f.picture();
        const QRgb under = before.pixel(x, f.at(0, -44 * u).y());
        if (fringes == std::floor(fringes))
            QVERIFY(qRed(under) + qGreen(under) + qBlue(under) >= 255); // a bright fringe
        else
            QVERIFY(qRed(under) + qGreen(under) + qBlue(under) < 60); // a dark one
        sendMouse(f.w.picture(), QEvent::MouseButtonPress, QPoint(x, area.center().y()), Qt::LeftButton);
        const QImage shown = f.w.picture()->snapshot();
        auto contrast = [](QRgb a, QRgb b) {
            return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
        };
        for (int y = area.top() + 1; y < area.bottom(); ++y) {
            int best = 0;
            for (int dx = -1; dx <= 1; ++dx)
                best = std::max(best, contrast(shown.pixel(x + dx, y), before.pixel(x + dx, y)));
            QVERIFY2(best >= 200, qPrintable(QStringLiteral("row %1: contrast %2").arg(y).arg(best)));
        }
    }

    void closingStopsDrawing()
    {
        Window f;
        f.w.closeQuery();
        const QImage before = f.picture().copy();
        f.w.colourButton()->items().at(2)->trigger();
        f.w.distanceScrollBar()->setValue(700);
        QCOMPARE(f.picture(), before);
    }
};

QTEST_MAIN(TestDoubleSlitWindow)
#include "tst_doubleslitwindow.moc"
