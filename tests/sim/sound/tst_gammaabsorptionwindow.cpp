// The gamma absorption window: the bench at 800 x 680 and 800 x 340, the
// plate gone at t = 0 with its glass still there, the bars pushing each
// other, the stop clock and counter through a run on the window's clock,
// Stop and Reset, the time options, the source toggle, and the window shown
// by the main window for its page.
#include "AppTestSupport.h"

#include "app/KindsTable.h"
#include "app/MainWindow.h"
#include "app/SimulationHost.h"
#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "sim/framework/AlignPanel.h"
#include "sim/framework/DropDownButton.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/sound/GammaAbsorptionWindow.h"

#include <QAction>
#include <QTest>
#include <QToolBar>

using namespace TestSupport;

namespace {

constexpr Color32 kPlate = 0xFF3F3F3F;
constexpr Color32 kDetector = 0xFFC0DCC0;
constexpr Color32 kRuler = 0xFFFFFF80;
constexpr Color32 kWhite = 0xFFFFFFFF;

// The rate as expected, no random error.
float noError(float mean, float)
{
    return mean;
}

// The window on its own, sized so that its picture is `picture` (the panel
// of bars takes 78 pixels below it). Its clock's time stands still unless
// the test moves it.
struct Window {
    ScopedClockTime clock;
    GammaAbsorptionWindow w{nullptr, noError};
    explicit Window(QSize picture = QSize(800, 680)) { showOffscreen(&w, picture + QSize(0, 78)); }
    const RasterImage &bench() const { return w.picture()->bitmap(); }
    // Runs the window's own clock for `seconds` of clock time in steps.
    void run(double seconds, double step = 0.05)
    {
        for (double t = 0; t < seconds - 1e-9 && w.isClockRunning(); t += step)
            clock.tick(w.clock(), step);
    }
};

} // namespace

class TestGammaAbsorptionWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void benchFitsThePicture_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<float>("scale");
        QTest::addColumn<float>("zero");
        QTest::newRow("800 x 680") << QSize(800, 680) << 2.0f << 50.0f;
        QTest::newRow("800 x 340") << QSize(800, 340) << 1.0f << 250.0f;
    }
    void benchFitsThePicture()
    {
        QFETCH(QSize, size);
        QFETCH(float, scale);
        QFETCH(float, zero);
        Window f(size);
        QCOMPARE(QSize(f.bench().width(), f.bench().height()), size);
        QCOMPARE(f.w.model().scale(), scale);
        QCOMPARE(f.w.model().rulerZero(), zero);
        // The ruler runs from x0 s to (x0 + 300) s: yellow just inside both
        // ends, white just outside.
        const int left = int(zero * scale), right = int((zero + 300) * scale);
        const int y = int(160 * scale);
        QCOMPARE(f.bench().pixel(left + 2, y), kRuler);
        QCOMPARE(f.bench().pixel(right - 2, y), kRuler);
        QCOMPARE(f.bench().pixel(left - 2, y), kWhite);
        QCOMPARE(f.bench().pixel(right + 2, y), kWhite);
        // The detector at 100 cm.
        QCOMPARE(f.bench().pixel(int((zero + 115) * scale), int(130 * scale)), kDetector);
        QCOMPARE(f.bench().pixel(0, 0), 0xFF3F3F3Fu);
    }

    void noPlateWithoutThickness()
    {
        Window f; // s = 2, x0 = 50: the plate at 2 (x0 + 50) = 200
        const QPoint plate(201, 260);
        QCOMPARE(f.bench().pixel(plate.x(), plate.y()), kPlate);
        // Under the absorber's glass (centre x = 220): the absorber, 5 mm wide
        // at g = 8 px per mm.
        const QPoint glassAbsorber(222, 410);
        QCOMPARE(f.bench().pixel(glassAbsorber.x(), glassAbsorber.y()), kPlate);

        f.w.thicknessSpinBox()->setValue(0);
        QCOMPARE(f.w.model().thickness(), 0.0f);
        QCOMPARE(f.bench().pixel(plate.x(), plate.y()), kWhite);
        QVERIFY(f.bench().pixel(glassAbsorber.x(), glassAbsorber.y()) != kPlate);
        // The glass still reads the position: its strip is there (cy = 520,
        // between the small ticks at 228 and 236).
        QCOMPARE(f.bench().pixel(232, 530), kRuler);
    }

    void barsPushEachOther()
    {
        Window f;
        ToolbarScrollBar *absorber = f.w.absorberScrollBar();
        ToolbarScrollBar *detector = f.w.detectorScrollBar();
        detector->setValue(20);
        QCOMPARE(absorber->position(), 10);
        QCOMPARE(f.w.model().absorberPosition(), 1.0f);
        absorber->setValue(2980);
        QCOMPARE(detector->position(), 2990);
        QCOMPARE(f.w.model().detectorPosition(), 299.0f);
        QCOMPARE(detector->accessibleDescription(), QStringLiteral("299.0 cm"));
        QCOMPARE(detector->focusPolicy(), Qt::StrongFocus);
    }

    void countingRun()
    {
        Window f;
        QVERIFY(f.w.startAction()->isEnabled());
        QVERIFY(!f.w.stopAction()->isEnabled());
        QVERIFY(!f.w.resetAction()->isEnabled());

        // Stop before the first step leaves Reset disabled.
        f.w.startAction()->trigger();
        QVERIFY(f.w.isClockRunning());
        f.w.stopAction()->trigger();
        QVERIFY(!f.w.resetAction()->isEnabled());

        // X 10: 1.25 s of clock time is 12.5 s on the stop clock.
        f.w.startAction()->trigger();
        QVERIFY(!f.w.startAction()->isEnabled() && f.w.stopAction()->isEnabled());
        f.run(1.25);
        f.w.stopAction()->trigger();
        QCOMPARE(f.w.model().elapsed(), 12.5f);
        QCOMPARE(stopClockText(f.w.model().elapsed()), QStringLiteral("12.00"));
        QVERIFY(f.w.resetAction()->isEnabled());
        QVERIFY(f.w.startAction()->isEnabled());
        // The default bench: 1.77 counts per second.
        QCOMPARE(f.w.model().counts(), 12.5f * expectedCountRate(5, 100, true));

        f.w.resetAction()->trigger();
        QCOMPARE(f.w.model().elapsed(), 0.0f);
        QCOMPARE(f.w.model().counts(), 0.0f);
        QVERIFY(!f.w.resetAction()->isEnabled());
    }

    // X 50 finishes a count in 1.2 s of clock time; a click on the option
    // already checked changes nothing.
    void timeOptions()
    {
        Window f;
        QVERIFY(f.w.timeOption(10)->isChecked());
        f.w.timeOption(10)->trigger();
        QVERIFY(f.w.timeOption(10)->isChecked());
        QCOMPARE(f.w.model().multiplier(), 10);
        f.w.timeOption(50)->trigger();
        QVERIFY(f.w.timeOption(50)->isChecked());
        QVERIFY(!f.w.timeOption(10)->isChecked());
        QCOMPARE(f.w.model().multiplier(), 50);

        f.w.thicknessSpinBox()->setValue(0);
        f.w.detectorScrollBar()->setValue(100); // 10 cm: the capped rate
        f.w.startAction()->trigger();
        f.run(1.15);
        QVERIFY(f.w.isClockRunning());
        f.run(0.1);
        QVERIFY(!f.w.isClockRunning());
        QCOMPARE(f.w.model().elapsed(), 60.0f);
        QCOMPARE(counterText(f.w.model().counts()), QStringLiteral("60000"));
        QVERIFY(f.w.startAction()->isEnabled() && !f.w.stopAction()->isEnabled() && f.w.resetAction()->isEnabled());
    }

    void sourceToggle()
    {
        Window f;
        QVERIFY(f.w.sourceAction()->isChecked());
        // The pot: dark grey left of the ruler (x0 = 50, s = 2; its wall at
        // bench x 12 .. 16, y 110 .. 150).
        const QPoint wall(2 * 12, 2 * 130);
        QCOMPARE(f.bench().pixel(wall.x(), wall.y()), kPlate);
        f.w.sourceAction()->trigger();
        QVERIFY(!f.w.model().sourceShown());
        QCOMPARE(f.w.model().rate(), 0.3f);
        QCOMPARE(f.bench().pixel(wall.x(), wall.y()), kWhite);
        f.w.sourceAction()->trigger();
        QVERIFY(f.w.model().sourceShown());
        QCOMPARE(f.bench().pixel(wall.x(), wall.y()), kPlate);
    }

    void largeButtons()
    {
        Window f;
        f.w.setLargeButtons(true);
        QCOMPARE(f.w.thicknessSpinBox()->width(), 100);
        f.w.setLargeButtons(false);
        QCOMPARE(f.w.thicknessSpinBox()->width(), 70);
        QCOMPARE(f.w.barPanel()->height(), 78);
    }

    void closingStopsTheClock()
    {
        Window f;
        f.w.startAction()->trigger();
        f.w.closeQuery();
        QVERIFY(!f.w.isClockRunning());
        const QImage before = f.bench().image().copy();
        f.w.drawBench();
        QCOMPARE(f.bench().image(), before);
    }

    void hostedForItsPage()
    {
        ScopedSettings settings;
        ScopedDialogAnswers answers(true);
        ScopedClockTime clock;
        MainWindow main(fixedScreen());
        QVERIFY(showAtSize(main));
        QCOMPARE(kindOfPageFile(QStringLiteral("GAMMA.HTM")), int(GammaAbsorptionKind));
        main.host()->showSimulation(GammaAbsorptionKind);
        auto *w = dynamic_cast<GammaAbsorptionWindow *>(main.host()->activeWindow());
        QVERIFY(w);
        QCOMPARE(main.toolBarArea(w->toolbar()), Qt::TopToolBarArea);
        QVERIFY(w->toolbar()->isVisible());
        QCOMPARE(w->picture()->bitmap().pixel(0, 0), 0xFF3F3F3Fu);
        // The stop clock follows the clock's time at X 10, whatever the
        // animation speed of the kind.
        animationSpeeds()[GammaAbsorptionKind] = 7;
        w->startAction()->trigger();
        for (int i = 0; i < 10; ++i)
            clock.tick(w->clock(), 0.1);
        QVERIFY(std::abs(w->model().elapsed() - 10.0f) < 1.01f);
        QVERIFY(w->isClockRunning());
        main.host()->showSimulation(SpeedOfSoundKind);
    }
};

QTEST_MAIN(TestGammaAbsorptionWindow)
#include "tst_gammaabsorptionwindow.moc"
