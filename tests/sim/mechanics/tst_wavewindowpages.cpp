// The three wave windows through the main window: each course page opens
// its window in the left pane with its toolbar docked and the Speed menu
// shown, and Start runs the animation at the speed of its kind on the
// clock's own time.
#include "AppTestSupport.h"

#include "app/CoursePane.h"
#include "app/MainWindow.h"
#include "app/PageBrowser.h"
#include "app/SimulationHost.h"
#include "core/SimulationKind.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/RippleTankWindow.h"
#include "sim/mechanics/StandingWavesWindow.h"
#include "sim/mechanics/TransverseLongitudinalWindow.h"

#include <QtTest>
#include <QAction>
#include <QMenu>
#include <QToolBar>

using namespace TestSupport;

namespace {

struct Hosted {
    ScopedSettings settings;
    ScopedDialogAnswers answers{true};
    ScopedClockTime clock;
    MainWindow main{fixedScreen()};
    QImage before;

    Hosted()
    {
        animationSpeeds() = defaultAnimationSpeeds();
        main.resize(1200, 800);
        main.show();
    }

    // Opens the page from the folder beside the program, as a link would.
    template <class Window>
    Window *open(const char *page, int kind)
    {
        if (!QTest::qWaitForWindowExposed(&main))
            return nullptr;
        if (!main.coursePane()->browser()->navigate(builtProgramFolder() + QStringLiteral("HTML/") + page))
            return nullptr;
        if (!QTest::qWaitFor([&] { return activeKind() == kind; }))
            return nullptr;
        auto *w = qobject_cast<Window *>(main.host()->activeWindow());
        if (w)
            before = picture(w)->snapshot();
        return w;
    }

    static DrawingSurface *picture(QWidget *w) { return w->findChild<DrawingSurface *>(); }

    // The window's toolbar is docked and shown, the Speed menu too; Start
    // runs the clock for `seconds` of its time.
    void run(SimulationWindow *w, double seconds)
    {
        QCOMPARE(main.toolBarArea(w->toolbar()), Qt::TopToolBarArea);
        QVERIFY(w->toolbar()->isVisible());
        QVERIFY(main.host()->speedMenu()->menuAction()->isVisible());
        QVERIFY(w->isVisible());
        w->startAction()->trigger();
        QVERIFY(w->isClockRunning());
        for (int i = 0; i < qRound(seconds / 0.01); ++i) {
            clock.now += 0.01;
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
        QVERIFY(picture(w)->snapshot() != before);
        w->stopAction()->trigger();
        QVERIFY(!w->isClockRunning());
    }
};

} // namespace

class TestWaveWindowPages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void transverseAndLongitudinal();
    void standingWaves();
    void rippleTank();
};

// 200 degrees a second; the scroll bar follows.
void TestWaveWindowPages::transverseAndLongitudinal()
{
    Hosted h;
    auto *w = h.open<TransverseLongitudinalWindow>("TLWAVE.HTM", TransverseLongitudinalKind);
    QVERIFY(w);
    h.run(w, 0.5);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(std::abs(w->model().phase() - 100.0f) < 2.0f, qPrintable(QString::number(w->model().phase())));
    QCOMPARE(w->phaseScrollBar()->position(), w->model().phasePosition());
}

// 50 degrees a second for each step of the harmonic (2 at the start); Stop
// puts the scroll bar at the phase reached.
void TestWaveWindowPages::standingWaves()
{
    Hosted h;
    auto *w = h.open<StandingWavesWindow>("STATWAVE.HTM", StandingWavesKind);
    QVERIFY(w);
    h.run(w, 0.5);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(std::abs(w->model().phase() - 50.0f) < 2.0f, qPrintable(QString::number(w->model().phase())));
    QCOMPARE(w->phaseScrollBar()->position(), int(w->model().phase()));
}

// 2.5 units of t a second; the slider follows at 20 steps a unit.
void TestWaveWindowPages::rippleTank()
{
    Hosted h;
    auto *w = h.open<RippleTankWindow>("RIPPLE.HTM", RippleTankKind);
    QVERIFY(w);
    h.run(w, 0.5);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(std::abs(w->model().time() - 1.25f) < 0.05f, qPrintable(QString::number(w->model().time())));
    QCOMPARE(w->timeScrollBar()->position(), w->model().sliderPosition());
}

QTEST_MAIN(TestWaveWindowPages)
#include "tst_wavewindowpages.moc"
