// The grating window: the rays on the table and the lines in the telescope
// as drawn, the three controls, the button sizes, the closing flag, and what
// the controls tell assistive technology.
#include "WidgetTestSupport.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/optics/GratingWindow.h"

#include <QTest>
#include <QToolBar>
#include <cmath>
#include <numbers>

using namespace TestSupport;

namespace {

struct Window {
    GratingWindow w;
    explicit Window(QSize size = QSize(767, 504)) { showOffscreen(&w, size); }
    QImage picture() const { return w.picture()->bitmap().image(); }
    // The user moves the scroll bars and edits the spin box.
    void setAngle(int tenths) { w.angleScrollBar()->setValue(tenths); }
    void setWavelength(int nm) { w.wavelengthScrollBar()->setValue(nm); }
    void setLines(int lines) { w.linesSpinBox()->setValue(lines); }
};

const QRgb kTableGrey = 0xFFF0F0F0;

// How far a pixel is from a colour, channel by channel.
int distance(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
}

// The rays that cross a circle of `radius` about the table's centre below
// the grating: runs of the ray colour met walking from one side to the other.
int raysCrossing(const Window &f, double radius)
{
    const QImage img = f.picture();
    const QPointF c = f.w.layout().tableCentre;
    const QRgb colour = f.w.model().rayColour();
    int runs = 0;
    bool inRun = false;
    for (double a = -89.5; a <= 89.5; a += 0.02) {
        const double r = a * std::numbers::pi / 180;
        const QPoint p(int(std::floor(c.x() + radius * std::sin(r))), int(std::floor(c.y() + radius * std::cos(r))));
        // Smoothed one-pixel lines: a pixel partly covered is part of the
        // ray; a block of two by two, so that a walk stepping diagonally
        // cannot slip between the diagonal steps of a line.
        bool ray = false;
        for (const QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
            ray = ray || distance(img.pixel(p + d), kTableGrey) > distance(colour, kTableGrey) / 4;
        if (ray && !inRun)
            ++runs;
        inRun = ray;
    }
    return runs;
}

} // namespace

class TestGratingWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaults()
    {
        Window f;
        QCOMPARE(f.w.model().linesPerMm(), 300.0f);
        QCOMPARE(f.w.model().wavelength(), 500.0f);
        QCOMPARE(f.w.model().telescopeAngle(), 0.0f);
        QCOMPARE(f.w.linesLabel()->text(), QStringLiteral(" Lines per mm "));
        QCOMPARE(f.w.wavelengthLabel()->text(), QStringLiteral(" Wavelength "));
        QCOMPARE(f.w.linesSpinBox()->toolTip(), QStringLiteral("Set the line spacing of the grating"));
        QCOMPARE(f.w.wavelengthScrollBar()->toolTip(), QStringLiteral("Set the wavelength"));
        QCOMPARE(f.w.angleScrollBar()->toolTip(), QStringLiteral("Rotate the telescope"));
        QCOMPARE(f.w.wavelengthScrollBar()->size(), QSize(150, 20));
        QCOMPARE(f.w.angleScrollBar()->height(), 20);
        QCOMPARE(f.w.angleScrollBar()->minimum(), -900);
        QCOMPARE(f.w.angleScrollBar()->maximum(), 900);
        // Framed in grey.
        QCOMPARE(f.picture().pixel(0, 0), 0xFF3F3F3Fu);
    }

    // Every order with sin < 1 leaves the grating on both sides, with the
    // straight-through beam between them.
    void raysOnTheTable_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<int>("nanometres");
        QTest::addColumn<int>("orders");
        QTest::addColumn<uint>("colour");
        QTest::newRow("defaults") << 300 << 500 << 6 << 0xFF00FF7Fu;
        QTest::newRow("600/mm, 700 nm") << 600 << 700 << 2 << 0xFFFF0000u;
        QTest::newRow("500/mm, 500 nm: no ray along the grating") << 500 << 500 << 3 << 0xFF00FF7Fu;
        QTest::newRow("100/mm, 400 nm") << 100 << 400 << 24 << 0xFFAA00FFu;
    }
    void raysOnTheTable()
    {
        QFETCH(int, lines);
        QFETCH(int, nanometres);
        QFETCH(int, orders);
        QFETCH(uint, colour);
        Window f(QSize(1600, 1300)); // rays of neighbouring orders stay apart
        f.setLines(lines);
        f.setWavelength(nanometres);
        QCOMPARE(f.w.model().rayColour(), QRgb(colour));
        // Inside the table, clear of the grating's ends and the telescope.
        QCOMPARE(raysCrossing(f, 1.5 * f.w.layout().unit), 1 + 2 * orders);
        // The straight-through beam in the ray colour, above and below.
        const QPointF c = f.w.layout().tableCentre;
        const QImage img = f.picture();
        for (double dy : {-1.2, 1.2})
            QCOMPARE(img.pixel(int(c.x()), int(c.y() + dy * f.w.layout().unit)), QRgb(colour));
    }

    // The strip at the top shows 30 degrees; at 8.6 degrees the first order
    // on the right is 0.03 degrees off the cross-hairs' centre, and the
    // straight-through beam 8.6 degrees to the left.
    void telescopeView()
    {
        Window f(QSize(1000, 800));
        f.setAngle(86);
        QCOMPARE(f.w.model().telescopeAngle(), 8.6f);
        const QRectF view = f.w.layout().telescopeView;
        const double k = view.width() / 30;
        const int top = int(view.top()) + 1; // above the cross-hairs' circle
        const QImage img = f.picture();
        const QRgb colour = f.w.model().rayColour();
        const int centre = int(std::floor(view.center().x()));
        const auto lit = [&](double x) {
            for (int dx = -1; dx <= 1; ++dx)
                if (img.pixel(int(std::floor(x)) + dx, top) == colour)
                    return true;
            return false;
        };
        QVERIFY(lit(centre));
        QVERIFY(lit(view.center().x() - 8.6 * k));
        QVERIFY(lit(view.center().x() + (17.46 - 8.6) * k)); // second order
        QVERIFY(!lit(view.center().x() + 4 * k));           // dark between orders
        // The cross-hairs' circle is white (smoothed over a pixel or two),
        // where no line crosses it.
        const int my = int(view.center().y());
        const int rimX = int(std::floor(view.center().x() + 0.45 * view.height()));
        QRgb rim = 0xFF000000;
        for (int dx = -1; dx <= 1; ++dx)
            if (qGray(img.pixel(rimX + dx, my)) > qGray(rim))
                rim = img.pixel(rimX + dx, my);
        QVERIFY2(qGray(rim) > 100 && qRed(rim) == qGreen(rim) && qGreen(rim) == qBlue(rim), qPrintable(QString::number(rim, 16)));
    }

    // The telescope's tube follows the angle: down at 0, left at -90.
    void telescopeSwings()
    {
        Window f(QSize(1000, 800));
        const SpectrometerLayout &l = f.w.layout();
        const double u = l.unit;
        const QPointF c = l.tableCentre;
        const QRgb tube = 0xFFC0E1FF;
        QCOMPARE(f.picture().pixel(int(c.x() + 3), int(c.y() + 2.6 * u)), tube);
        f.setAngle(-900);
        QCOMPARE(f.w.model().telescopeAngle(), -90.0f);
        QCOMPARE(f.picture().pixel(int(c.x() - 2.6 * u), int(c.y() + 3)), tube);
        QVERIFY(f.picture().pixel(int(c.x() + 3), int(c.y() + 2.6 * u)) != tube);
        // From the keyboard a tenth of a degree a press: the right arrow
        // swings the telescope to the right, as the thumb moves.
        f.setAngle(0);
        QTest::keyClick(f.w.angleScrollBar(), Qt::Key_Right);
        QCOMPARE(f.w.model().telescopeAngle(), 0.1f);
        QTest::keyClick(f.w.angleScrollBar(), Qt::Key_Left);
        QTest::keyClick(f.w.angleScrollBar(), Qt::Key_Left);
        QCOMPARE(f.w.model().telescopeAngle(), -0.1f);
    }

    // The spin box only redraws when the whole number of lines changes.
    void linesEdited()
    {
        Window f;
        const QImage before = f.picture();
        f.setLines(450);
        QCOMPARE(f.w.model().linesPerMm(), 450.0f);
        QVERIFY(f.picture() != before);
        f.w.linesSpinBox()->setValue(450); // no change, no redraw
        QCOMPARE(f.w.model().linesPerMm(), 450.0f);
    }

    void largeButtons()
    {
        Window f;
        const int font = f.w.linesLabel()->fontInfo().pixelSize();
        f.w.setLargeButtons(true);
        QCOMPARE(f.w.linesSpinBox()->width(), 80);
        QVERIFY(f.w.wavelengthLabel()->fontInfo().pixelSize() > font);
        QCOMPARE(f.w.wavelengthScrollBar()->size(), QSize(150, 20)); // not resized
        f.w.setLargeButtons(false);
        QCOMPARE(f.w.linesSpinBox()->width(), 50);
        QCOMPARE(f.w.linesLabel()->fontInfo().pixelSize(), font);
    }

    void nothingDrawnWhileClosing()
    {
        Window f;
        const QImage before = f.picture();
        f.w.closeQuery();
        f.setAngle(300);
        QCOMPARE(f.picture(), before);
    }

    // Screen readers hear the quantities, and the scroll bars take focus.
    void describedToAssistiveTechnology()
    {
        Window f;
        f.setAngle(-123);
        f.setWavelength(650);
        QCOMPARE(f.w.angleScrollBar()->accessibleName(), QStringLiteral("Telescope angle"));
        QCOMPARE(f.w.angleScrollBar()->accessibleDescription(), QStringLiteral("Telescope angle, -12.3 degrees"));
        QCOMPARE(f.w.wavelengthScrollBar()->accessibleDescription(), QStringLiteral("Wavelength, 650 nm"));
        QCOMPARE(f.w.linesSpinBox()->accessibleDescription(), QStringLiteral("Lines per mm, 300"));
        QVERIFY(f.w.picture()->accessibleDescription().contains(QStringLiteral("at 11.2, 23.0, 35.8, 51.3, 77.2 degrees")));
        QCOMPARE(f.w.angleScrollBar()->focusPolicy(), Qt::StrongFocus);
        QCOMPARE(f.w.wavelengthScrollBar()->focusPolicy(), Qt::StrongFocus);
    }
};

QTEST_MAIN(TestGratingWindow)
#include "tst_gratingwindow.moc"
