// The transverse and longitudinal waves window: its controls, the row as
// drawn (read back pixel by pixel at the places the wave puts the
// particles), mode and marker changes stopped and running, the phase
// scroll bar following the clock, and narrow pictures.
#include "WidgetTestSupport.h"

#include "core/SimulationKind.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/TransverseLongitudinalWindow.h"

#include <QtTest>
#include <QAction>
#include <QToolBar>
#include <QToolButton>

using namespace TestSupport;

namespace {

const Color32 kBlue = 0xFF0000FF;
const Color32 kRed = 0xFFFF0000;
const Color32 kWhite = 0xFFFFFFFF;
const Color32 kGrey = 0xFF7F7F7F;
const Color32 kFrame = 0xFF3F3F3F;

struct Window {
    ScopedClockTime clock; // time stands still: only step() moves the wave
    TransverseLongitudinalWindow w;
    explicit Window(int width = 767) { showOffscreen(&w, QSize(width, 504)); }
    const RasterImage &bitmap() const { return w.picture()->bitmap(); }
    Color32 pixel(double x, double y) const { return bitmap().pixel(int(std::lround(x)), int(std::lround(y))); }
    void setAmplitude(int p) { w.amplitudeScrollBar()->setValue(p); } // as the user moves it
    void setPhase(int p) { w.phaseScrollBar()->setValue(p); }
    void choose(QAction *item) { item->trigger(); }
};

// The model the picture should show, set up apart from the window.
TransverseLongitudinalModel Reference(int amplitude, float phase, WaveMotion motion = WaveMotion::Transverse)
{
    TransverseLongitudinalModel m;
    m.setAmplitudePosition(amplitude);
    m.setPhase(phase);
    m.setMotion(motion);
    return m;
}

// Every disc centre (but particle 0's, cut by the edge) is the disc's colour.
void CheckDiscs(const Window &f, const TransverseLongitudinalModel &ref, Color32 marked = kBlue)
{
    const RasterImage &b = f.bitmap();
    const TransverseRow row = ref.transverseRow(b.width(), b.height());
    for (int i = 1; i < kRowParticles; ++i) {
        const QPointF c = row.centres[size_t(i)];
        if (c.x() >= b.width() - 1 || c.y() < 1 || c.y() >= b.height() - 1)
            continue;
        const Color32 want = i == kMarkedParticle ? marked : kBlue;
        QVERIFY2(f.pixel(c.x(), c.y()) == want, qPrintable(QStringLiteral("disc %1 at (%2, %3): %4")
                                                           .arg(i).arg(c.x()).arg(c.y()).arg(f.pixel(c.x(), c.y()), 0, 16)));
    }
}

// Every line of the longitudinal row is drawn from y = 5 to H - 5, and
// nothing is drawn beside the lines' rest positions halfway between them.
void CheckLines(const Window &f, const TransverseLongitudinalModel &ref, Color32 marked = kBlue)
{
    const RasterImage &b = f.bitmap();
    const LongitudinalRow row = ref.longitudinalRow(b.width(), b.height());
    for (int i = 0; i < kRowParticles; ++i) {
        const int x = row.x[size_t(i)];
        if (x >= b.width() - 1)
            continue;
        const Color32 want = i == kMarkedParticle ? marked : kBlue;
        for (int y : {5, b.height() / 2, b.height() - 5})
            QVERIFY2(b.pixel(x, y) == want, qPrintable(QStringLiteral("line %1 at x = %2, y = %3").arg(i).arg(x).arg(y)));
        QCOMPARE(b.pixel(x, 4), kWhite);
        QCOMPARE(b.pixel(x, b.height() - 4), kWhite);
    }
    for (int x = row.blockLeft; x < row.blockRight; ++x) {
        QCOMPARE(b.pixel(x, 5), kGrey);
        QCOMPARE(b.pixel(x, b.height() - 5), kGrey);
    }
}

// A longitudinal line runs from y = 5 to H - 5; no disc of the transverse
// row does.
bool HasLines(const Window &f)
{
    const RasterImage &b = f.bitmap();
    for (int x = 1; x < b.width() - 1; ++x)
        if (b.pixel(x, 5) == kBlue && b.pixel(x, b.height() / 2) == kBlue && b.pixel(x, b.height() - 5) == kBlue)
            return true;
    return false;
}

} // namespace

class TestTransverseLongitudinalWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        setActiveKind(TransverseLongitudinalKind);
        animationSpeeds() = defaultAnimationSpeeds();
    }
    void design();
    void startPicture();
    void restingRow_data();
    void restingRow();
    void switchingModesWhileStopped();
    void changesWhileRunningWaitForTheTick();
    void marker();
    void phaseWrapsAndTheScrollBarFollows();
    void scrollingWhileRunning();
    void largeButtons();
};

void TestTransverseLongitudinalWindow::design()
{
    Window f;
    TransverseLongitudinalWindow &w = f.w;
    const QList<QAction *> items = w.toolbar()->actions();
    QCOMPARE(items.size(), 7);
    QCOMPARE(items[0], w.startAction());
    QCOMPARE(items[1], w.stopAction());
    QVERIFY(items[2]->isSeparator() && items[5]->isSeparator());
    QCOMPARE(items[3], w.amplitudeLabel()->action());
    QCOMPARE(items[4], w.amplitudeScrollBar()->action());
    QCOMPARE(items[6], w.optionsButton()->action());
    QCOMPARE(w.startAction()->text(), QStringLiteral("Start"));
    QCOMPARE(w.stopAction()->text(), QStringLiteral("Stop"));
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled());
    QVERIFY(!w.isClockRunning());

    QCOMPARE(w.amplitudeLabel()->text(), QStringLiteral(" Amplitude "));
    ToolbarScrollBar *amp = w.amplitudeScrollBar();
    QCOMPARE(amp->minimum(), 0);
    QCOMPARE(amp->maximum(), 50);
    QCOMPARE(amp->position(), 25);
    QCOMPARE(amp->size(), QSize(121, 20));
    QCOMPARE(amp->toolTip(), QStringLiteral("Set the amplitude"));
    QCOMPARE(w.optionsButton()->action()->text(), QStringLiteral("Options"));
    QCOMPARE(w.optionsButton()->button()->toolTip(), QStringLiteral("Select transverse or longitudinal waves"));
    QCOMPARE(w.transverseAction()->text(), QStringLiteral("Transverse"));
    QCOMPARE(w.longitudinalAction()->text(), QStringLiteral("Longitudinal"));
    QCOMPARE(w.markerAction()->text(), QStringLiteral("Show marker"));
    QVERIFY(w.transverseAction()->isChecked() && !w.longitudinalAction()->isChecked());
    QVERIFY(!w.markerAction()->isChecked());

    ToolbarScrollBar *phase = w.phaseScrollBar();
    QCOMPARE(phase->minimum(), 0);
    QCOMPARE(phase->maximum(), 360);
    QCOMPARE(phase->position(), 0);
    QCOMPARE(phase->toolTip(), QStringLiteral("Scroll through the animation"));
    // The row keeps its height along the top; the scroll bar sits under it.
    QCOMPARE(w.picture()->geometry(), QRect(0, 0, 767, 191));
    QCOMPARE(phase->geometry(), QRect(0, 191, 767, 20));

    // Keyboard and screen-reader users reach both scroll bars.
    for (ToolbarScrollBar *bar : {amp, phase}) {
        QCOMPARE(bar->focusPolicy(), Qt::StrongFocus);
        QVERIFY(!bar->accessibleName().isEmpty());
    }
    QCOMPARE(amp->accessibleDescription(), QStringLiteral("Amplitude, 25 of 50"));
    QCOMPARE(phase->accessibleDescription(), QStringLiteral("Phase, 0 degrees"));
    f.setAmplitude(7);
    QCOMPARE(amp->accessibleDescription(), QStringLiteral("Amplitude, 7 of 50"));
}

void TestTransverseLongitudinalWindow::startPicture()
{
    Window f;
    QCOMPARE(f.bitmap().width(), 767);
    QCOMPARE(f.bitmap().height(), 191);
    CheckDiscs(f, Reference(25, 0));
    // Framed in dark grey.
    QCOMPARE(f.bitmap().pixel(0, 0), kFrame);
    QCOMPARE(f.bitmap().pixel(766, 190), kFrame);
    QCOMPARE(f.bitmap().pixel(400, 190), kFrame);
}

// Amplitude 0: a straight row of discs on the middle line, or evenly spaced
// lines from x = 7; a narrow picture keeps 4 or 6 pixels between particles
// and shows the first part of the row.
void TestTransverseLongitudinalWindow::restingRow_data()
{
    QTest::addColumn<bool>("longitudinal");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("spacing");
    QTest::newRow("discs") << false << 767 << 767 / 45.0;
    QTest::newRow("discs, narrow") << false << 150 << 4.0;
    QTest::newRow("lines") << true << 767 << 767 / 45.0;
    QTest::newRow("lines, narrow") << true << 200 << 6.0;
}

void TestTransverseLongitudinalWindow::restingRow()
{
    QFETCH(bool, longitudinal);
    QFETCH(int, width);
    QFETCH(double, spacing);
    Window f(width);
    f.setPhase(77);
    f.setAmplitude(0);
    if (longitudinal)
        f.choose(f.w.longitudinalAction());
    const RasterImage &b = f.bitmap();
    const int mid = b.height() / 2;
    for (int i = 1; i < kRowParticles; ++i) {
        if (longitudinal) {
            const double x = 7 + i * spacing;
            if (x + spacing / 2 >= width - 1)
                break;
            QCOMPARE(f.pixel(x, mid), kBlue);
            QCOMPARE(f.pixel(x + spacing / 2, mid), kWhite);
        } else {
            const double x = i * spacing;
            if (x >= width - 1)
                break;
            QCOMPARE(f.pixel(x, mid), kBlue);
            // Discs of diameter 10 on one line: nothing above or below them.
            QCOMPARE(f.pixel(x, mid - 7), kWhite);
            QCOMPARE(f.pixel(x, mid + 7), kWhite);
        }
    }
    if (longitudinal) {
        QCOMPARE(b.pixel(7, mid), kBlue);
        QCOMPARE(b.pixel(6, mid), kGrey);
        QCOMPARE(b.pixel(3, mid), kGrey);
        QCOMPARE(b.pixel(2, mid), kWhite);
    }
}

// Stopped, switching the mode redraws at once, at the same phase and
// amplitude; choosing the mode shown again changes nothing.
void TestTransverseLongitudinalWindow::switchingModesWhileStopped()
{
    Window f;
    f.setPhase(100);
    f.setAmplitude(40);
    CheckDiscs(f, Reference(40, 100));
    f.choose(f.w.longitudinalAction());
    QVERIFY(f.w.longitudinalAction()->isChecked() && !f.w.transverseAction()->isChecked());
    CheckLines(f, Reference(40, 100, WaveMotion::Longitudinal));
    QVERIFY(HasLines(f));
    const QImage lines = f.w.picture()->snapshot();
    f.choose(f.w.longitudinalAction());
    QVERIFY(f.w.longitudinalAction()->isChecked());
    QCOMPARE(f.w.model().motion(), WaveMotion::Longitudinal);
    QCOMPARE(f.w.picture()->snapshot(), lines);
    f.choose(f.w.transverseAction());
    CheckDiscs(f, Reference(40, 100));
    QVERIFY(!HasLines(f));
}

// Running, mode, marker and amplitude changes show at the next tick.
void TestTransverseLongitudinalWindow::changesWhileRunningWaitForTheTick()
{
    Window f;
    f.w.startAction()->trigger();
    QVERIFY(f.w.isClockRunning());
    QVERIFY(!f.w.startAction()->isEnabled() && f.w.stopAction()->isEnabled());
    const QImage before = f.w.picture()->snapshot();
    f.choose(f.w.longitudinalAction());
    f.choose(f.w.markerAction());
    f.setAmplitude(10);
    QCOMPARE(f.w.picture()->snapshot(), before);
    f.w.step(0.0);
    CheckLines(f, Reference(10, 0, WaveMotion::Longitudinal), kRed);
    f.w.stopAction()->trigger();
    QVERIFY(!f.w.isClockRunning());
    QVERIFY(f.w.startAction()->isEnabled() && !f.w.stopAction()->isEnabled());
}

void TestTransverseLongitudinalWindow::marker()
{
    Window f;
    f.setPhase(45);
    f.choose(f.w.markerAction());
    QVERIFY(f.w.model().markerShown());
    CheckDiscs(f, Reference(25, 45), kRed);
    f.choose(f.w.longitudinalAction());
    CheckLines(f, Reference(25, 45, WaveMotion::Longitudinal), kRed);
    f.choose(f.w.markerAction());
    QVERIFY(!f.w.model().markerShown());
    CheckLines(f, Reference(25, 45, WaveMotion::Longitudinal), kBlue);
}

// 200 degrees a second by default; past 360 the phase starts again, and the
// scroll bar shows it in whole degrees (halves to even).
void TestTransverseLongitudinalWindow::phaseWrapsAndTheScrollBarFollows()
{
    Window f;
    ToolbarScrollBar *bar = f.w.phaseScrollBar();
    f.setPhase(350);
    f.w.startAction()->trigger();
    f.w.step(0.1); // + 20
    QCOMPARE(f.w.model().phase(), 10.0f);
    QCOMPARE(bar->position(), 10);
    CheckDiscs(f, Reference(25, 10));
    f.w.step(0.0025); // + 0.5
    QCOMPARE(f.w.model().phase(), 10.5f);
    QCOMPARE(bar->position(), 10);
    f.w.step(0.005); // + 1
    QCOMPARE(bar->position(), 12);
    QCOMPARE(bar->accessibleDescription(), QStringLiteral("Phase, 12 degrees"));

    // 360 itself stays; only passing it wraps.
    f.setPhase(359);
    f.w.step(0.005);
    QCOMPARE(f.w.model().phase(), 360.0f);
    QCOMPARE(bar->position(), 360);
    f.w.step(0.005);
    QCOMPARE(f.w.model().phase(), 1.0f);
    QCOMPARE(bar->position(), 1);

    // The speed table sets the rate.
    animationSpeeds()[TransverseLongitudinalKind] = 20;
    f.w.step(0.5);
    QCOMPARE(f.w.model().phase(), 11.0f);
}

// The scroll bar stays usable while the wave runs: the next tick goes on
// from where it was put.
void TestTransverseLongitudinalWindow::scrollingWhileRunning()
{
    Window f;
    f.w.startAction()->trigger();
    f.w.step(0.2);
    QVERIFY(f.w.phaseScrollBar()->isEnabled());
    f.setPhase(300);
    QCOMPARE(f.w.model().phase(), 300.0f);
    CheckDiscs(f, Reference(25, 300));
    f.w.step(0.05);
    QCOMPARE(f.w.model().phase(), 310.0f);
    QCOMPARE(f.w.phaseScrollBar()->position(), 310);
}

void TestTransverseLongitudinalWindow::largeButtons()
{
    Window f;
    auto size = [](const QFont &font) { return font.pixelSize() > 0 ? double(font.pixelSize()) : font.pointSizeF(); };
    const double label = size(f.w.amplitudeLabel()->font());
    const double item = size(f.w.longitudinalAction()->font());
    f.w.setLargeButtons(true);
    QCOMPARE(f.w.amplitudeScrollBar()->height(), 25);
    QVERIFY(std::abs(size(f.w.amplitudeLabel()->font()) - 1.5 * label) <= 1.0);
    QVERIFY(std::abs(size(f.w.longitudinalAction()->font()) - 1.5 * item) <= 1.0);
    f.w.setLargeButtons(false);
    QCOMPARE(f.w.amplitudeScrollBar()->height(), 20);
    QCOMPARE(size(f.w.amplitudeLabel()->font()), label);
}

QTEST_MAIN(TestTransverseLongitudinalWindow)
#include "tst_transverselongitudinalwindow.moc"
