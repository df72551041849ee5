// The ripple-tank window: its controls, the tank read back from the picture
// (straight crests, the crest in the opening, circles about the slit or the
// slits, the barrier's openings), the time slider with the clock, the
// Options menu with its editors, and the layout of tank and slider.
#include "WidgetTestSupport.h"

#include "core/SimulationKind.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/RippleTankWindow.h"
#include "PictureHues.h"

#include <QtTest>
#include <QAction>
#include <QToolBar>
#include <cmath>

using namespace TestSupport;

namespace {

const Color32 kWhite = 0xFFFFFFFF;
const Color32 kBlack = 0xFF000000;
const Color32 kSingleBarrier = 0xFF3F3F3F;
const Color32 kDoubleBarrier = 0xFF808080;

int Rounded(double v)
{
    return int(std::nearbyint(v));
}

struct Window {
    ScopedClockTime clock;
    RippleTankWindow w;
    explicit Window(QSize size = QSize(767, 504)) { showOffscreen(&w, size); }
    const RasterImage &bitmap() const { return w.picture()->bitmap(); }
    double c() const { return w.cell(); }
    double ym() const { return bitmap().height() / 2.0; }
    double barrier() const { return 6 * c(); }
    Color32 at(double x, double y) const { return bitmap().pixel(int(std::floor(x)), int(std::floor(y))); }
    // A crest drawn 2 pixels wide passes within a pixel of (x, y).
    bool crest(double x, double y, Hue hue) const
    {
        return hueNear(bitmap(), int(std::floor(x)), int(std::floor(y)), hue) >= 200;
    }
    bool blackNear(int x, int y) const
    {
        for (int dx = -1; dx <= 1; ++dx)
            if (bitmap().pixel(x + dx, y) == kBlack)
                return true;
        return false;
    }
    void setSlider(int p) { w.timeScrollBar()->setValue(p); }
    void edit(ToolbarSpinBox *box, int v)
    {
        box->setValue(v);
        Q_EMIT box->valueEdited();
    }
};

// The six straight crests from the left edge, frac(t) wavelengths on, in
// blue (one slit) or black (two); nothing but white halfway between them.
void CheckIncident(const Window &f, double advance, bool black = false)
{
    const double c = f.c();
    const int y = int(f.ym() + 0.25 * c); // clear of the frame and the barrier
    for (int i = 0; i < 6; ++i) {
        const int x = Rounded(i * c + advance);
        if (x < 2)
            continue; // on the frame
        QVERIFY2(black ? f.blackNear(x, y) : f.crest(x, y, Hue::Blue),
                 qPrintable(QStringLiteral("crest %1 at x = %2").arg(i).arg(x)));
        QCOMPARE(f.at(x + c / 2, y), kWhite);
    }
}

} // namespace

class TestRippleTankWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        setActiveKind(RippleTankKind);
        animationSpeeds() = defaultAnimationSpeeds();
    }
    void design();
    void startPicture();
    void wideSlit_data();
    void wideSlit();
    void doubleSlit_data();
    void doubleSlit();
    void sliderAndClock();
    void optionsAndEditors();
    void layout_data();
    void layout();
};

void TestRippleTankWindow::design()
{
    Window f;
    RippleTankWindow &w = f.w;
    const QList<QAction *> items = w.toolbar()->actions();
    QCOMPARE(items.size(), 9);
    QCOMPARE(items[0], w.startAction());
    QCOMPARE(items[1], w.stopAction());
    QVERIFY(items[2]->isSeparator() && items[7]->isSeparator());
    QCOMPARE(items[3], w.slitWidthLabel()->action());
    QCOMPARE(items[4], w.slitWidthSpinBox()->action());
    QCOMPARE(items[5], w.separationLabel()->action());
    QCOMPARE(items[6], w.separationSpinBox()->action());
    QCOMPARE(items[8], w.optionsButton()->action());
    QVERIFY(w.startAction()->isEnabled() && w.stopAction()->isEnabled());
    QCOMPARE(w.slitWidthLabel()->text(), QStringLiteral(" Slit width "));
    QCOMPARE(w.separationLabel()->text(), QStringLiteral(" Slit separation "));
    QVERIFY(w.slitWidthSpinBox()->action()->isVisible() && w.slitWidthLabel()->action()->isVisible());
    QVERIFY(!w.separationSpinBox()->action()->isVisible() && !w.separationLabel()->action()->isVisible());
    struct Edit {
        ToolbarSpinBox *box;
        double min, max, value;
    } edits[] = {{w.slitWidthSpinBox(), 1, 10, 1}, {w.separationSpinBox(), 2, 10, 2}};
    for (const Edit &e : edits) {
        QCOMPARE(e.box->minimum(), e.min);
        QCOMPARE(e.box->maximum(), e.max);
        QCOMPARE(e.box->value(), e.value);
        QCOMPARE(e.box->singleStep(), 1.0);
        QCOMPARE(e.box->decimals(), 0);
        QCOMPARE(e.box->width(), 40);
        QVERIFY(!e.box->accessibleName().isEmpty() && !e.box->toolTip().isEmpty());
    }
    QCOMPARE(w.optionsButton()->action()->text(), QStringLiteral("Options"));
    QCOMPARE(w.singleSlitAction()->text(), QStringLiteral("Single slit"));
    QCOMPARE(w.doubleSlitAction()->text(), QStringLiteral("Double slit"));
    QVERIFY(w.singleSlitAction()->isChecked() && !w.doubleSlitAction()->isChecked());
    ToolbarScrollBar *slider = w.timeScrollBar();
    QCOMPARE(slider->minimum(), 0);
    QCOMPARE(slider->maximum(), 100);
    QCOMPARE(slider->position(), 0);
    QCOMPARE(slider->focusPolicy(), Qt::StrongFocus);

    w.setLargeButtons(true);
    QCOMPARE(w.slitWidthSpinBox()->width(), 60);
    QCOMPARE(w.separationSpinBox()->width(), 60);
    w.setLargeButtons(false);
    QCOMPARE(w.slitWidthSpinBox()->width(), 40);

    w.startAction()->trigger();
    QVERIFY(w.isClockRunning() && !w.startAction()->isEnabled() && w.stopAction()->isEnabled());
    w.stopAction()->trigger();
    QVERIFY(!w.isClockRunning() && w.startAction()->isEnabled() && !w.stopAction()->isEnabled());
}

// One slit one wavelength wide at t = 0: six straight crests, the crest in
// the opening, and half circles of radius 0, c, 2c, ... about the slit.
void TestRippleTankWindow::startPicture()
{
    Window f;
    const RasterImage &b = f.bitmap();
    const double c = f.c(), ym = f.ym(), x6 = f.barrier();
    QCOMPARE(b.width(), b.height());
    QCOMPARE(f.w.cell(), float(b.width()) / 30.0f);
    QCOMPARE(b.pixel(0, 0), 0xFF3F3F3Fu);
    CheckIncident(f, 0);
    // The crest in the opening, with the barrier above and below it.
    QVERIFY(f.crest(Rounded(x6), ym, Hue::Blue));
    QCOMPARE(f.at(x6, ym - c / 2 - 2), kSingleBarrier);
    QCOMPARE(f.at(x6, ym + c / 2 + 2), kSingleBarrier);
    QCOMPARE(f.at(x6, 2), kSingleBarrier);
    QCOMPARE(f.at(x6 + 6, ym - c), kWhite);
    // Half circles: through the point at 45 degrees above and below, and
    // through the rightmost point while it is inside the tank.
    for (int h = 1; h <= 28; ++h) {
        const int r = Rounded(h * c);
        const double d = r / std::sqrt(2.0);
        if (x6 + d < b.width() - 2 && d < ym - 2) {
            QVERIFY2(f.crest(x6 + d, ym - d, Hue::Blue), qPrintable(QString::number(h)));
            QVERIFY2(f.crest(x6 + d, ym + d, Hue::Blue), qPrintable(QString::number(h)));
        }
        if (x6 + r < b.width() - 2) {
            QVERIFY(f.crest(x6 + r, ym, Hue::Blue));
            QCOMPARE(f.at(x6 + r + c / 2, ym), kWhite);
        }
    }
    // Nothing spreads to the left of the barrier.
    QCOMPARE(f.at(x6 - c / 2, ym - 3 * c), kWhite);
}

// Wider slits: each crest runs flat across the opening and bends round both
// edges in quarter circles; the opening is w cells high.
void TestRippleTankWindow::wideSlit_data()
{
    QTest::addColumn<int>("width");
    for (int w : {2, 3, 6, 10})
        QTest::addRow("%d", w) << w;
}

void TestRippleTankWindow::wideSlit()
{
    QFETCH(int, width);
    Window f;
    f.edit(f.w.slitWidthSpinBox(), width);
    QCOMPARE(f.w.model().slitWidth(), width);
    f.setSlider(3); // t = 0.15
    const double c = f.c(), ym = f.ym(), x6 = f.barrier();
    const double yt = ym - width * c / 2, yb = ym + width * c / 2, phi = 0.15 * c;
    const int side = f.bitmap().width();
    CheckIncident(f, phi);
    // No crest stands in the opening between whole values of t.
    QCOMPARE(f.at(x6 - 2, ym), kWhite);
    // The opening, w cells high.
    QCOMPARE(f.at(x6, yt - 2), kSingleBarrier);
    QCOMPARE(f.at(x6, yb + 2), kSingleBarrier);
    QVERIFY(f.at(x6, yt + 2) != kSingleBarrier);
    QVERIFY(f.at(x6, yb - 2) != kSingleBarrier);
    for (int h = 1; h <= 28; ++h) {
        const int r = Rounded(h * c + phi);
        if (x6 + r >= side - 2)
            break;
        // Flat across the beam...
        for (double y : {yt + 1, ym, yb - 1})
            QVERIFY2(f.crest(x6 + r, y, Hue::Blue), qPrintable(QStringLiteral("crest %1, y = %2").arg(h).arg(y)));
        // ...and round the edges.
        const double d = r / std::sqrt(2.0);
        if (yb + d < side - 2) {
            QVERIFY(f.crest(x6 + d, yb + d, Hue::Blue));
            QVERIFY(f.crest(x6 + d, yt - d, Hue::Blue));
        }
        QCOMPARE(f.at(x6 + r + c / 2, ym), kWhite);
    }
}

// Two slits s cells apart, one cell high each: the middle block is s - 1
// cells high; red circles from the upper slit, blue from the lower one,
// straight crests in black.
void TestRippleTankWindow::doubleSlit_data()
{
    QTest::addColumn<int>("separation");
    QTest::newRow("2") << 2;
    QTest::newRow("5") << 5;
    QTest::newRow("10") << 10;
}

void TestRippleTankWindow::doubleSlit()
{
    QFETCH(int, separation);
    Window f;
    f.w.doubleSlitAction()->trigger();
    f.edit(f.w.separationSpinBox(), separation);
    QCOMPARE(f.w.model().slitSeparation(), separation);
    const double c = f.c(), ym = f.ym(), x6 = f.barrier();
    const double yu = ym - separation * c / 2, yl = ym + separation * c / 2;
    CheckIncident(f, 0, true);
    // The middle block.
    QCOMPARE(f.at(x6, ym), kDoubleBarrier);
    QCOMPARE(f.at(x6, yu + c / 2 + 2), kDoubleBarrier);
    QCOMPARE(f.at(x6, yl - c / 2 - 2), kDoubleBarrier);
    // The openings, where the crest at t = 0 shows in black.
    QVERIFY(f.blackNear(Rounded(x6), int(yu)));
    QVERIFY(f.blackNear(Rounded(x6), int(yl)));
    QCOMPARE(f.at(x6, yu - c / 2 - 2), kDoubleBarrier);
    QCOMPARE(f.at(x6, yl + c / 2 + 2), kDoubleBarrier);
    // Each family about its own slit, where the other family's circles do
    // not pass.
    int seen = 0;
    for (int h = 2; h <= 16; ++h) {
        const int r = Rounded(h * c);
        const double across = std::hypot(double(r), separation * c); // to the other slit
        const double off = std::abs(across - std::round(across / c) * c);
        if (off < 3)
            continue;
        QVERIFY(f.crest(x6 + r, yu, Hue::Red));
        QVERIFY(f.crest(x6 + r, yl, Hue::Blue));
        ++seen;
    }
    QVERIFY(seen >= 5);
}

// The slider sets t = position x 0.05 and the clock moves it along at 20
// steps a unit; 100 is t = 5, whose whole value puts the crest in the
// opening; 5.02 wraps to 0.02.
void TestRippleTankWindow::sliderAndClock()
{
    Window f;
    const double c = f.c(), ym = f.ym(), x6 = f.barrier();
    f.setSlider(37);
    QCOMPARE(f.w.model().time(), 1.85f);
    CheckIncident(f, 0.85 * c);
    QCOMPARE(f.at(Rounded(x6), ym), kWhite); // no crest in the opening
    f.setSlider(100);
    QCOMPARE(f.w.model().time(), 5.0f);
    CheckIncident(f, 0);
    QVERIFY(f.crest(Rounded(x6), ym, Hue::Blue));

    // 50 x 0.05 = 2.5 units a second by default.
    f.w.startAction()->trigger();
    f.w.step(0.008);
    QVERIFY(std::abs(f.w.model().time() - 0.02f) < 1e-5f);
    QCOMPARE(f.w.timeScrollBar()->position(), 0);
    f.w.step(0.1);
    QVERIFY(std::abs(f.w.model().time() - 0.27f) < 1e-5f);
    QCOMPARE(f.w.timeScrollBar()->position(), 5);
    CheckIncident(f, 0.27 * c);
    // The slider stays usable while running.
    f.setSlider(60);
    QCOMPARE(f.w.model().time(), 3.0f);
    f.w.step(0.2);
    QCOMPARE(f.w.timeScrollBar()->position(), 70);
}

// "Double slit" swaps the width editor for the separation editor; choosing
// the checked item again changes nothing.
void TestRippleTankWindow::optionsAndEditors()
{
    Window f;
    RippleTankWindow &w = f.w;
    const QImage single = w.picture()->snapshot();
    w.singleSlitAction()->trigger();
    QVERIFY(w.singleSlitAction()->isChecked());
    QCOMPARE(w.model().mode(), SlitMode::Single);
    QCOMPARE(w.picture()->snapshot(), single);
    QVERIFY(w.slitWidthSpinBox()->action()->isVisible());

    w.doubleSlitAction()->trigger();
    QVERIFY(w.doubleSlitAction()->isChecked() && !w.singleSlitAction()->isChecked());
    QCOMPARE(w.model().mode(), SlitMode::Double);
    QVERIFY(!w.slitWidthSpinBox()->action()->isVisible() && !w.slitWidthLabel()->action()->isVisible());
    QVERIFY(w.separationSpinBox()->action()->isVisible() && w.separationLabel()->action()->isVisible());
    const QImage twoSlits = w.picture()->snapshot();
    QVERIFY(twoSlits != single);
    w.doubleSlitAction()->trigger();
    QVERIFY(w.doubleSlitAction()->isChecked());
    QVERIFY(w.separationSpinBox()->action()->isVisible());
    QCOMPARE(w.picture()->snapshot(), twoSlits);

    // Each editor keeps its value across the switch.
    f.edit(w.separationSpinBox(), 7);
    w.singleSlitAction()->trigger();
    QVERIFY(w.slitWidthSpinBox()->action()->isVisible() && !w.separationSpinBox()->action()->isVisible());
    QCOMPARE(w.picture()->snapshot(), single);
    QCOMPARE(w.model().slitSeparation(), 7);
}

// The largest square above the slider, centred across, with equal margins
// above the tank and below the slider; the slider as wide as the tank.
void TestRippleTankWindow::layout_data()
{
    QTest::addColumn<QSize>("window");
    QTest::newRow("design") << QSize(767, 504);
    QTest::newRow("wide") << QSize(1600, 700);
    QTest::newRow("tall") << QSize(400, 900);
    QTest::newRow("small") << QSize(120, 90);
}

void TestRippleTankWindow::layout()
{
    QFETCH(QSize, window);
    Window f(window);
    const QRect tank = f.w.picture()->geometry();
    const QRect slider = f.w.timeScrollBar()->geometry();
    const int sh = slider.height();
    QVERIFY(sh > 0);
    const int side = std::min(window.width(), window.height() - sh);
    QCOMPARE(tank.size(), QSize(side, side));
    QCOMPARE(tank.left(), (window.width() - side) / 2);
    QCOMPARE(tank.top(), (window.height() - sh - side) / 2);
    QCOMPARE(slider, QRect(tank.left(), tank.bottom() + 1, side, sh));
    QCOMPARE(f.bitmap().width(), side);
    QCOMPARE(f.w.cell(), float(side) / 30.0f);
}

QTEST_MAIN(TestRippleTankWindow)
#include "tst_rippletankwindow.moc"
