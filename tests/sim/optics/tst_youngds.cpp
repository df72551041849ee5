// The double-slit window: fringes on the picture, the colour menu and its
// swatch, the bench and magnifier, and the measuring line.
#include "TestSupport.h"
#include "sim/framework/PaintBox32.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/optics/uYoungDS.h"

#include <QAction>
#include <QTest>
#include <QToolBar>
#include <QMouseEvent>
#include <QToolButton>
#include <cmath>

namespace {

const QSize kWindow(767, 504);

struct Window {
    TYDSFrm w;
    Window() { ShowOffscreen(&w, kWindow); }
    QImage Picture() const { return w.pic->Bitmap().Image(); }
    // Picture pixel of a point given about the picture's centre.
    QPoint At(double x, double y) const
    {
        const QImage img = Picture();
        return QPoint(int(std::floor(img.width() / 2.0 + x)), int(std::floor(img.height() / 2.0 + y)));
    }
    QRgb Pixel(double x, double y) const { return Picture().pixel(At(x, y)); }
    // The brightest pixel of the row within a pixel of x: where a line
    // drawn at a fractional x lands.
    QRgb Brightest(double x, double y) const
    {
        const QImage img = Picture();
        const QPoint p = At(x, y);
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
void SendMouse(QWidget *w, QEvent::Type type, const QPoint &pos, Qt::MouseButton button = Qt::NoButton)
{
    // A move reports the buttons held; a press or release the one button.
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    const Qt::MouseButton which = type == QEvent::MouseMove ? Qt::NoButton : button;
    TestSupport::SendMouse(w, type, pos, which, held);
}

} // namespace

class TestYoungDS : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pictureIsAtRatioOne()
    {
        Window f;
        QCOMPARE(f.Picture().devicePixelRatio(), 1.0);
        QCOMPARE(f.Picture().size(), f.w.pic->size());
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
        f.w.ColorBtn->Items().at(item)->trigger();
        QCOMPARE(f.w.LightColor(), color);
        QCOMPARE(f.w.Wavelength(), WavelengthOf(color));
        const float u = f.w.Unit();
        const float division = 98 * u / kScreenDivisions;
        QVERIFY(std::abs(f.w.Fringes().Spacing / division - divisions) < 1e-4f);
        QCOMPARE(f.w.Fringes().Orders, orders);

        const double y = -44 * u; // inside the screen
        const double s = f.w.Fringes().Spacing;
        for (int i : {0, 1, -1, orders, -orders})
            QCOMPARE(f.Brightest(i * s, y), QRgb(color));
        // Halfway between two fringes the light has faded to black.
        const QRgb between = f.Pixel(s / 2, y);
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
        f.w.SetLargeButtons(large);
        f.w.ColorBtn->Items().at(4)->trigger(); // blue
        QToolButton *b = f.w.ColorBtn->Button();
        b->resize(b->sizeHint());
        const QRect r = f.w.ColorSwatchRect();
        QCOMPARE(r.size(), QSize(side, side));
        QCOMPARE(r.top(), (b->height() - side) / 2);
        QVERIFY(r.left() >= 4 && r.right() < b->width());
        const QImage img = b->grab().toImage();
        QCOMPARE(img.devicePixelRatio(), 1.0);
        for (const QPoint &p : {r.topLeft(), r.bottomRight(), r.center()})
            QCOMPARE(img.pixel(p), qRgb(0, 0, 255));
        QVERIFY(img.pixel(r.right() + 1, r.center().y()) != qRgb(0, 0, 255));
        QCOMPARE(f.w.SlitSE->width(), large ? 120 : 80);
    }

    // Violet, d = 0.1 mm, D = 50 cm on a small picture: the spacing falls
    // below one pixel and is held at one, so the screen is one even colour.
    void onePixelLimit()
    {
        TYDSFrm w;
        ShowOffscreen(&w, QSize(200, 220));
        w.ColorBtn->Items().at(5)->trigger();
        w.SlitSE->setValue(0.1);
        w.Xhsb->setValue(500);
        QCOMPARE(w.Separation(), 0.1f);
        QCOMPARE(w.Distance(), 50.0f);
        QCOMPARE(w.Fringes().Spacing, 1.0f);
        const QImage img = w.pic->Bitmap().Image();
        const float u = w.Unit();
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
        f.w.Xhsb->setValue(position);
        const float u = f.w.Unit();
        // Centre line at x = 0; the strip runs from y = -5u down 0.35 S.
        const double y = -5 * u + 0.1 * 30 * u;
        QCOMPARE(f.Pixel(-3 * u, y), QRgb(0xFFFFFF80)); // left of the centre: always strip
        QCOMPARE(f.Pixel(3 * u, y) == QRgb(0xFFFFFF80), stripRightOfCentre);
    }

    // D = 100 cm puts the side-view screen's left edge on the 1 m tick.
    void screenUnderTheMetreTick()
    {
        Window f;
        f.w.Xhsb->setValue(1000);
        const float u = f.w.Unit();
        const QImage img = f.Picture();
        auto firstBlack = [&](double y, double fromX) {
            const QPoint p = f.At(fromX, y);
            for (int x = p.x(); x < img.width(); ++x)
                if (img.pixel(x, p.y()) == qRgb(0, 0, 0))
                    return x;
            return -1;
        };
        const int screenEdge = firstBlack(35 * u, -30 * u); // above the beam, right of the slits
        const int tick = firstBlack(46 * u, -10 * u); // only the metre ticks reach this low
        QVERIFY(screenEdge > 0);
        QCOMPARE(tick, screenEdge);
        QCOMPARE(img.pixel(screenEdge + 2, f.At(0, 34 * u).y()), qRgb(0xAD, 0xD8, 0xE6));
    }

    // Pressing shows a 1-pixel line over the screen and its scale at the
    // pointer, moving follows it and releasing hides it; the picture's own
    // bitmap never changes.
    void measuringLine()
    {
        Window f;
        const QImage before = f.Picture().copy();
        const QRect area = f.w.MarkerArea();
        const int below = area.bottom() + 100; // a press outside the area still shows the line

        SendMouse(f.w.pic, QEvent::MouseButtonPress, QPoint(300, below), Qt::LeftButton);
        QVERIFY(f.w.Marker->Visible());
        QCOMPARE(f.w.Marker->Location(), QRectF(300, area.top(), 1, area.height()));
        QImage shown = f.w.pic->Snapshot();
        for (int y = area.top(); y <= area.top() + area.height(); ++y)
            QCOMPARE(shown.pixel(300, y), qRgb(0, 0, 0));
        QCOMPARE(f.Picture(), before);

        SendMouse(f.w.pic, QEvent::MouseMove, QPoint(420, area.top() + 5), Qt::LeftButton);
        QCOMPARE(f.w.Marker->Location(), QRectF(420, area.top(), 1, area.height()));
        QCOMPARE(f.w.pic->cursor().shape(), Qt::PointingHandCursor);
        shown = f.w.pic->Snapshot();
        QCOMPARE(shown.pixel(420, area.top() + area.height() / 2), qRgb(0, 0, 0));
        QCOMPARE(shown.pixel(300, area.top() + area.height() / 2), before.pixel(300, area.top() + area.height() / 2));
        QCOMPARE(f.Picture(), before);

        SendMouse(f.w.pic, QEvent::MouseButtonRelease, QPoint(420, area.top() + 5), Qt::LeftButton);
        QVERIFY(!f.w.Marker->Visible());
        QCOMPARE(f.w.pic->Snapshot(), before);
        SendMouse(f.w.pic, QEvent::MouseMove, QPoint(420, below));
        QCOMPARE(f.w.pic->cursor().shape(), Qt::ArrowCursor);
        QCOMPARE(f.Picture(), before);
    }

    void closingStopsDrawing()
    {
        Window f;
        f.w.FormCloseQuery();
        const QImage before = f.Picture().copy();
        f.w.ColorBtn->Items().at(2)->trigger();
        f.w.Xhsb->setValue(700);
        QCOMPARE(f.Picture(), before);
    }
};

QTEST_MAIN(TestYoungDS)
#include "tst_youngds.moc"
