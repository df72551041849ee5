// The standing-waves window: its controls, the two graphs read back from
// the picture at the phases the course points to, the harmonics, Start and
// Stop with the phase scroll bar, and a picture much wider than high.
#include "WidgetTestSupport.h"

#include "core/SimulationKind.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/StandingWavesWindow.h"
#include "PictureHues.h"

#include <QtTest>
#include <QAction>
#include <QToolBar>
#include <cmath>
#include <optional>

using namespace TestSupport;

namespace {

struct Window {
    ScopedClockTime clock;
    StandingWavesWindow w;
    explicit Window(QSize size = QSize(767, 504)) { showOffscreen(&w, size); }
    const RasterImage &bitmap() const { return w.picture()->bitmap(); }
    float u() const { return w.unit(); }
    double cx() const { return bitmap().width() / 2.0; }
    double cy() const { return bitmap().height() / 2.0; }
    // Where the curve of a hue crosses the pixel column nearest to x
    // (relative to the centre) between two heights (relative too): the
    // centroid of its pixels. Curves are drawn with whole coordinates on
    // pixel centres.
    std::optional<double> curveAt(double x, double top, double bottom, Hue hue) const
    {
        const int px = int(std::lround(cx() + x));
        double sum = 0, weight = 0;
        for (int y = int(std::floor(cy() + top)); y <= int(std::ceil(cy() + bottom)); ++y) {
            const int s = hueStrength(bitmap().pixel(px, y), hue);
            sum += s * y;
            weight += s;
        }
        if (weight < 60)
            return std::nullopt;
        return sum / weight - cy();
    }
    // The upper graph's middle line is 3.2 units above the centre, the
    // lower one's 1.9 units below; each graph spans 4.9 units either side.
    std::optional<double> upper(double x, Hue hue) const { return curveAt(x, -4.7 * u(), -1.7 * u(), hue); }
    std::optional<double> lower(double x) const { return curveAt(x, -1.1 * u(), 4.9 * u(), Hue::Green); }
    // Columns across the graphs, away from their ends.
    QVector<double> columns(int count = 40) const
    {
        QVector<double> xs;
        for (int i = 1; i < count; ++i)
            xs << -4.9 * u() + i * 9.8 * u() / count;
        return xs;
    }
    void setPhase(int p) { w.phaseScrollBar()->setValue(p); }
    void setFrequency(int f)
    {
        w.frequencySpinBox()->setValue(f);
        Q_EMIT w.frequencySpinBox()->valueEdited();
    }
};

} // namespace

class TestStandingWavesWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        setActiveKind(StandingWavesKind);
        animationSpeeds() = defaultAnimationSpeeds();
    }
    void design();
    void mirrorImagesAtNinety_data();
    void mirrorImagesAtNinety();
    void coincidentWavesAtZero_data();
    void coincidentWavesAtZero();
    void harmonics_data();
    void harmonics();
    void stopBeforeStart();
    void runAndStop();
    void frequencyChangeStoppedAndRunning();
    void widePictureKeepsTheGraphsCentred();
};

void TestStandingWavesWindow::design()
{
    Window f;
    StandingWavesWindow &w = f.w;
    const QList<QAction *> items = w.toolbar()->actions();
    QCOMPARE(items.size(), 4);
    QCOMPARE(items[0], w.startAction());
    QCOMPARE(items[1], w.stopAction());
    QCOMPARE(items[2], w.frequencyLabel()->action());
    QCOMPARE(items[3], w.frequencySpinBox()->action());
    QCOMPARE(w.startAction()->text(), QStringLiteral("Start"));
    QCOMPARE(w.stopAction()->text(), QStringLiteral("Stop"));
    // Both begin enabled.
    QVERIFY(w.startAction()->isEnabled() && w.stopAction()->isEnabled());
    QCOMPARE(w.frequencyLabel()->text(), QStringLiteral(" Frequency"));
    ToolbarSpinBox *freq = w.frequencySpinBox();
    QCOMPARE(freq->minimum(), 1.0);
    QCOMPARE(freq->maximum(), 10.0);
    QCOMPARE(freq->singleStep(), 1.0);
    QCOMPARE(freq->value(), 2.0);
    QCOMPARE(freq->decimals(), 0);
    QCOMPARE(freq->width(), 40);
    QCOMPARE(freq->accessibleDescription(), QStringLiteral("Frequency, harmonic 2"));

    ToolbarScrollBar *bar = w.phaseScrollBar();
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 360);
    QCOMPARE(bar->position(), 0);
    QCOMPARE(bar->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(bar->geometry(), QRect(0, 485, 767, 19));
    // No control of this window has a hint.
    QVERIFY(freq->toolTip().isEmpty() && bar->toolTip().isEmpty());
    QCOMPARE(w.picture()->geometry(), QRect(0, 0, 767, 485));
    QCOMPARE(f.bitmap().width(), 767);
    QCOMPARE(f.bitmap().height(), 485);
    QCOMPARE(f.u(), 48.5f);
    QCOMPARE(f.bitmap().pixel(0, 0), 0xFF3F3F3Fu);
    QCOMPARE(f.bitmap().pixel(766, 484), 0xFF3F3F3Fu);

    w.setLargeButtons(true);
    QCOMPARE(freq->width(), 60);
    w.setLargeButtons(false);
    QCOMPARE(freq->width(), 40);
}

// At 90 (and 270) the two waves are mirror images about their middle line
// and the green sum lies flat on its own.
void TestStandingWavesWindow::mirrorImagesAtNinety_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<int>("frequency");
    QTest::newRow("90") << 90 << 2;
    QTest::newRow("270") << 270 << 2;
    QTest::newRow("90, harmonic 5") << 90 << 5;
}

void TestStandingWavesWindow::mirrorImagesAtNinety()
{
    QFETCH(int, phase);
    QFETCH(int, frequency);
    Window f;
    f.setFrequency(frequency);
    f.setPhase(phase);
    const double u = f.u(), ym = -3.2 * u, ym2 = 1.9 * u;
    int compared = 0;
    for (double x : f.columns()) {
        const auto green = f.lower(x);
        QVERIFY2(green, qPrintable(QString::number(x)));
        QVERIFY2(std::abs(*green - ym2) < 1.0, qPrintable(QStringLiteral("%1: %2").arg(x).arg(*green - ym2)));
        const auto blue = f.upper(x, Hue::Blue), red = f.upper(x, Hue::Red);
        // Where the two cross (on the middle line) one hides the other.
        if (!blue || !red || std::abs(*blue - ym) < 4)
            continue;
        QVERIFY2(std::abs((*blue - ym) + (*red - ym)) < 1.5,
                 qPrintable(QStringLiteral("%1: blue %2, red %3").arg(x).arg(*blue - ym).arg(*red - ym)));
        ++compared;
    }
    QVERIFY(compared > 20);
}

// At 0 and 360 the waves coincide (the red one, drawn second, covers the
// blue) and the sum swings to its full 2.7 units.
void TestStandingWavesWindow::coincidentWavesAtZero_data()
{
    QTest::addColumn<int>("phase");
    QTest::newRow("0") << 0;
    QTest::newRow("360") << 360;
}

void TestStandingWavesWindow::coincidentWavesAtZero()
{
    QFETCH(int, phase);
    Window f;
    f.setPhase(180);
    f.setPhase(phase);
    const double u = f.u(), ym2 = 1.9 * u;
    double peak = 0;
    for (double x : f.columns(200)) {
        QVERIFY(!f.upper(x, Hue::Blue));
        QVERIFY(f.upper(x, Hue::Red));
        if (const auto green = f.lower(x))
            peak = std::max(peak, std::abs(*green - ym2));
    }
    QVERIFY2(std::abs(peak - 2.7 * u) < 1.5, qPrintable(QString::number(peak / u)));
}

// Harmonic f: f loops between fixed nodes, each loop the other way up from
// its neighbours (at phase 0 the first is above the middle line).
void TestStandingWavesWindow::harmonics_data()
{
    QTest::addColumn<int>("frequency");
    QTest::newRow("1") << 1;
    QTest::newRow("3") << 3;
    QTest::newRow("10") << 10;
}

void TestStandingWavesWindow::harmonics()
{
    QFETCH(int, frequency);
    Window f;
    f.setFrequency(frequency);
    QCOMPARE(f.w.model().frequency(), float(frequency));
    const double u = f.u(), ym2 = 1.9 * u, loop = 9.8 * u / frequency;
    for (int j = 0; j < frequency; ++j) {
        const double x = -4.9 * u + (j + 0.5) * loop;
        const auto green = f.lower(x);
        QVERIFY(green);
        const double want = (j % 2 == 0 ? -1 : 1) * 2.7 * u;
        QVERIFY2(std::abs((*green - ym2) - want) < 1.5, qPrintable(QStringLiteral("loop %1: %2").arg(j).arg(*green - ym2)));
        // The nodes between loops stay on the middle line (within half the
        // curve's steepness there: a column is a pixel wide).
        if (j > 0) {
            const auto node = f.lower(-4.9 * u + j * loop);
            const double slope = 2.7 * u * M_PI / loop;
            QVERIFY2(node && std::abs(*node - ym2) < slope / 2 + 1.5, qPrintable(QStringLiteral("node %1: %2, slope %3").arg(j).arg(node ? *node - ym2 : 999).arg(slope)));
        }
    }
}

// Stop pressed before Start leaves the picture as it is and puts the
// scroll bar at the phase, cut to whole degrees.
void TestStandingWavesWindow::stopBeforeStart()
{
    Window f;
    f.setPhase(90);
    const QImage before = f.w.picture()->snapshot();
    f.w.stopAction()->trigger();
    QCOMPARE(f.w.picture()->snapshot(), before);
    QCOMPARE(f.w.phaseScrollBar()->position(), 90);
    QVERIFY(f.w.phaseScrollBar()->isEnabled());
    QVERIFY(f.w.startAction()->isEnabled() && !f.w.stopAction()->isEnabled());
    QVERIFY(!f.w.isClockRunning());
}

// Running: the phase turns 50 x f degrees a second, the scroll bar is
// locked where it was; Stop frees it at the phase cut to whole degrees.
void TestStandingWavesWindow::runAndStop()
{
    Window f;
    f.setPhase(10);
    f.w.startAction()->trigger();
    QVERIFY(f.w.isClockRunning());
    QVERIFY(!f.w.phaseScrollBar()->isEnabled());
    QVERIFY(!f.w.startAction()->isEnabled() && f.w.stopAction()->isEnabled());
    f.w.step(1.0); // + 100
    QCOMPARE(f.w.model().phase(), 110.0f);
    f.w.step(0.0137); // + 1.37
    QCOMPARE(f.w.phaseScrollBar()->position(), 10);
    f.w.step(2.5); // + 250: 361.37 wraps to 1.37
    QVERIFY(std::abs(f.w.model().phase() - 1.37f) < 1e-3f);
    f.w.stopAction()->trigger();
    QCOMPARE(f.w.phaseScrollBar()->position(), 1);
    QVERIFY(f.w.phaseScrollBar()->isEnabled());
    QVERIFY(!f.w.isClockRunning());
    QCOMPARE(f.w.phaseScrollBar()->accessibleDescription(), QStringLiteral("Phase, 1 degrees"));

    // A higher harmonic turns faster.
    f.setFrequency(10);
    f.w.startAction()->trigger();
    f.w.step(0.1);
    QVERIFY(std::abs(f.w.model().phase() - 51.37f) < 1e-3f);
}

void TestStandingWavesWindow::frequencyChangeStoppedAndRunning()
{
    Window f;
    const QImage two = f.w.picture()->snapshot();
    f.setFrequency(3);
    const QImage three = f.w.picture()->snapshot();
    QVERIFY(three != two);
    f.setFrequency(2);
    QCOMPARE(f.w.picture()->snapshot(), two);

    f.w.startAction()->trigger();
    f.setFrequency(3);
    QCOMPARE(f.w.picture()->snapshot(), two); // until the next tick
    f.w.step(0.0);
    QCOMPARE(f.w.picture()->snapshot(), three);
}

// U comes from the smaller side, so a wide picture keeps the graphs 9.8
// units wide, centred.
void TestStandingWavesWindow::widePictureKeepsTheGraphsCentred()
{
    Window f(QSize(1800, 419));
    QCOMPARE(f.bitmap().width(), 1800);
    QCOMPARE(f.u(), 40.0f);
    const RasterImage &b = f.bitmap();
    const int y = int(f.cy() - 4.0 * f.u()); // inside the upper graph, off its grid
    const int left = int(std::floor(f.cx() - 196)), right = int(std::floor(f.cx() + 196));
    QCOMPARE(b.pixel(left, y), 0xFF000000u);
    QCOMPARE(b.pixel(right, y), 0xFF000000u);
    for (int x : {left - 3, right + 3, 10, 1790})
        QCOMPARE(b.pixel(x, y), 0xFFFFFFFFu);
}

QTEST_MAIN(TestStandingWavesWindow)
#include "tst_standingwaveswindow.moc"
