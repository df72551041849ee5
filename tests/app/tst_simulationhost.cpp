// The simulation host: switching the left pane between kinds, the menus and
// toolbars that follow the kind, routing to the shown window, the pane split
// and the Speed dialog.
#include "AppTestSupport.h"
#include "app/StartPicture.h"
#include "app/CoursePane.h"
#include "app/SimulationHost.h"
#include "app/View3DControls.h"
#include "core/SimulationKind.h"

#include "sim/framework/AlignPanel.h"
#include "app/MoviePlayer.h"
#include "app/KindsTable.h"
#include "app/SplashScreen.h"
#include "app/SpeedDialog.h"
#include "app/MainWindow.h"
#include "scene3d/SceneViewer.h"
#include "sim/framework/SimulationWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace TestSupport;

namespace {

// A window that records what the host asks of it.
class FakeWindow : public SimulationWindow
{
public:
    FakeWindow()
    {
        m_toolbar->addAction(QStringLiteral("Fake"));
        ++created;
    }
    ~FakeWindow() override { ++destroyed; }
    void setLargeButtons(bool large) override
    {
        largeCalls << large;
        visibleAtLargeCall = isVisible();
        SimulationWindow::setLargeButtons(large);
    }
    bool closeQuery() override
    {
        ++closeQueries;
        return SimulationWindow::closeQuery();
    }
    bool isClockRunning() const override { return running; }
    void copyGraph() override { calls << QStringLiteral("copy"); }
    void printGraph(QPrinter &) override { calls << QStringLiteral("print"); }
    void setTimeAxis(float s) override { calls << QStringLiteral("axis %1").arg(s); }
    void setCrossHairVisible(bool on) override { calls << QStringLiteral("xhair %1").arg(on); }
    void handlePageCommand(const QString &t) override { calls << QStringLiteral("cmd ") + t; }

    QList<bool> largeCalls;
    bool visibleAtLargeCall = true;
    bool running = false;
    QStringList calls;
    static inline int created = 0, destroyed = 0, closeQueries = 0;
};

bool isWindowKindHere(int k) { return (k >= 1 && k <= 12) || k == 14; }

FakeWindow *shown(MainWindow &w) { return dynamic_cast<FakeWindow *>(w.host()->activeWindow()); }

} // namespace

class TestSimulationHost : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void everyKind_data();
    void everyKind();
    void replacedWindowIsReleasedLater();
    void startPictureGoesWithFirstModel();
    void newToolbarGoesToChosenDockFirst();
    void largeButtonsBeforeShow();
    void pageCommandsReachOnlySuperpositionAndOscillator();
    void graphMenu();
    void timeAxis();
    void printGraphNeedsConfirmation();
    void paneSplit();
    void speedDialog();

private:
    std::unique_ptr<ScopedSettings> m_settings;
    std::unique_ptr<ScopedDialogAnswers> m_answers;
};

void TestSimulationHost::init()
{
    m_settings = std::make_unique<ScopedSettings>();
    m_answers = std::make_unique<ScopedDialogAnswers>(true);
    animationSpeeds() = defaultAnimationSpeeds();
    for (int k = 1; k <= 17; ++k) {
        if (!isWindowKindHere(k))
            continue;
        KindEntry info = *findKind(k);
        info.createWindow = [] { return new FakeWindow; };
        overrideKindForTesting(info);
    }
    FakeWindow::created = FakeWindow::destroyed = FakeWindow::closeQueries = 0;
}

void TestSimulationHost::cleanup()
{
    restoreKindsForTesting();
    m_answers.reset();
    m_settings.reset();
}

void TestSimulationHost::everyKind_data()
{
    QTest::addColumn<int>("kind");
    for (int k = 1; k <= 17; ++k)
        QTest::newRow(qPrintable(QString::number(k))) << k;
}

void TestSimulationHost::everyKind()
{
    QFETCH(int, kind);
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Arrive from another kind, as a page link would.
    w.host()->showSimulation(kind == 9 ? 1 : 9);
    w.host()->showSimulation(kind);
    QCoreApplication::processEvents();

    QCOMPARE(activeKind(), kind);
    const bool graph = kind == 2 || kind == 9 || kind == 14;
    const bool speed = kind == 4 || kind == 6 || (kind >= 9 && kind <= 15);
    const bool movie = kind == 13 || kind == 16 || kind == 17;
    const bool view3d = kind == 15 || kind == 16;
    QCOMPARE(w.host()->graphMenu()->menuAction()->isVisible(), graph);
    QCOMPARE(w.host()->speedMenu()->menuAction()->isVisible(), speed);
    QCOMPARE(w.host()->moviePlayer()->isVisible(), movie);
    QCOMPARE(w.view3D()->viewer()->isVisible(), view3d);
    QCOMPARE(w.view3D()->toolbar()->isVisible(), view3d);
    QCOMPARE(w.view3D()->angleScrollBar()->isVisible(), view3d);
    for (QAction *a : {w.view3D()->startAction(), w.view3D()->stopAction(), w.view3D()->polarAction(), w.view3D()->randomAction()})
        QCOMPARE(a->isVisible(), kind == 15);
    QVERIFY(w.view3D()->zoomInAction()->isVisible() && w.view3D()->zoomOutAction()->isVisible());
    QCOMPARE(w.leftPane()->frameShape() == QFrame::NoFrame, isWindowKindHere(kind));
    QCOMPARE(w.host()->activeWindow() != nullptr, isWindowKindHere(kind));
    if (FakeWindow *sim = shown(w)) {
        QCOMPARE(sim->geometry(), w.leftPane()->contentsRect());
        QCOMPARE(w.toolBarArea(sim->toolbar()), Qt::TopToolBarArea);
        QVERIFY(sim->toolbar()->isVisible());
    }
    if (kind == 15) {
        QCOMPARE(w.view3D()->angleScrollBar()->minimum(), 0);
        QCOMPARE(w.view3D()->angleScrollBar()->maximum(), 360);
        QCOMPARE(w.view3D()->angleScrollBar()->value(), 0);
    }
    if (kind == 16) {
        QCOMPARE(w.view3D()->angleScrollBar()->minimum(), -90);
        QCOMPARE(w.view3D()->angleScrollBar()->maximum(), 90);
        QCOMPARE(w.view3D()->angleScrollBar()->value(), 0);
        // The movie takes the upper half, the 3D view the rest above the bar.
        QCOMPARE(w.host()->moviePlayer()->y(), w.leftPane()->contentsRect().top());
        QCOMPARE(w.host()->moviePlayer()->height(), w.leftPane()->height() / 2);
        QCOMPARE(w.view3D()->viewer()->y(), w.host()->moviePlayer()->geometry().bottom() + 1);
        QCOMPARE(w.view3D()->viewer()->geometry().bottom() + 1, w.view3D()->angleScrollBar()->y());
    }
    QCOMPARE(w.view3D()->angle(), 0.0f);
    if (kind == 15) {
        QVERIFY(w.view3D()->startAction()->isEnabled());
        QVERIFY(!w.view3D()->stopAction()->isEnabled());
    }
}

void TestSimulationHost::replacedWindowIsReleasedLater()
{
    MainWindow w(fixedScreen());
    w.host()->showSimulation(9);
    QPointer<SimulationWindow> old = w.host()->activeWindow();
    QVERIFY(old);
    w.host()->showSimulation(1);
    QVERIFY(old); // still there until the current event is done
    QVERIFY(w.host()->activeWindow() != old.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!old);
    QCOMPARE(FakeWindow::closeQueries, 0);
    QCOMPARE(FakeWindow::destroyed, 1);
    // Its toolbar went with it.
    int toolbars = 0;
    for (QToolBar *tb : w.findChildren<QToolBar *>())
        toolbars += tb->objectName() == QLatin1String("Toolbar") ? 1 : 0;
    QCOMPARE(toolbars, 1);
}

void TestSimulationHost::startPictureGoesWithFirstModel()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("HTML/images");
    QImage img(64, 32, QImage::Format_ARGB32);
    img.fill(Qt::red);
    img.save(dir.path() + "/HTML/images/Splash.png");
    ScopedExeFolder exe(dir.path());
    MainWindow w(fixedScreen());
    QVERIFY(w.host()->startPicture());
    w.host()->showSimulation(13); // even a kind that leaves the pane otherwise empty
    QVERIFY(!w.host()->startPicture());
    QVERIFY(w.leftPane()->findChildren<StartPicture *>().isEmpty());
}

void TestSimulationHost::newToolbarGoesToChosenDockFirst()
{
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.setToolbarsAtBottom(true);
    w.host()->showSimulation(9);
    QCoreApplication::processEvents();
    FakeWindow *sim = shown(w);
    QCOMPARE(w.toolBarArea(sim->toolbar()), Qt::BottomToolBarArea);
    QCOMPARE(w.toolBarArea(w.coursePane()->pageToolbar()), Qt::BottomToolBarArea);
    QTRY_VERIFY(sim->toolbar()->x() < w.coursePane()->pageToolbar()->x());
    QCOMPARE(sim->toolbar()->y(), w.coursePane()->pageToolbar()->y());

    // Back to the top: every toolbar moves; the page toolbar's buttons stay
    // above the right pane.
    w.setToolbarsAtBottom(false);
    QCOMPARE(w.toolBarArea(sim->toolbar()), Qt::TopToolBarArea);
    QCOMPARE(w.toolBarArea(w.coursePane()->pageToolbar()), Qt::TopToolBarArea);
    QCOMPARE(w.toolBarArea(w.view3D()->toolbar()), Qt::TopToolBarArea);
    QTRY_VERIFY(qAbs(w.coursePane()->pageToolbarGap()->mapTo(&w, QPoint(w.coursePane()->pageToolbarGap()->width(), 0)).x()
                     - w.coursePane()->mapTo(&w, QPoint(0, 0)).x())
                <= 1);
    // Choosing the item already checked does nothing.
    w.setToolbarsAtBottom(false);
    QVERIFY(w.toolbarsAtTopAction()->isChecked() && !w.toolbarsAtBottomAction()->isChecked());
}

void TestSimulationHost::largeButtonsBeforeShow()
{
    MainWindow w(fixedScreen());
    w.show();
    w.largeButtonsAction()->setChecked(true);
    w.setLargeButtons(w.largeButtonsAction()->isChecked());
    QCOMPARE(w.coursePane()->pageToolbar()->iconSize(), QSize(48, 48));
    QCOMPARE(w.view3D()->toolbar()->iconSize(), QSize(48, 48));
    w.host()->showSimulation(9);
    FakeWindow *sim = shown(w);
    QCOMPARE(sim->largeCalls, QList<bool>{true});
    QVERIFY(!sim->visibleAtLargeCall);
    // Toggling while shown reaches the window too.
    w.largeButtonsAction()->setChecked(false);
    w.setLargeButtons(w.largeButtonsAction()->isChecked());
    QCOMPARE(sim->largeCalls, (QList<bool>{true, false}));
    QCOMPARE(w.coursePane()->pageToolbar()->iconSize(), QSize(24, 24));
}

void TestSimulationHost::pageCommandsReachOnlySuperpositionAndOscillator()
{
    MainWindow w(fixedScreen());
    for (int k : {1, 2, 8, 9, 14}) {
        w.host()->showSimulation(k);
        w.host()->routePageCommand(QStringLiteral("+CD"));
        const bool expected = k == 8 || k == 9;
        QCOMPARE(shown(w)->calls.contains(QStringLiteral("cmd +CD")), expected);
    }
    w.host()->showSimulation(13); // no window at all: nothing happens
    w.host()->routePageCommand(QStringLiteral("+am"));
}

void TestSimulationHost::graphMenu()
{
    MainWindow w(fixedScreen());
    w.host()->showSimulation(9);
    w.host()->updateGraphMenu();
    QVERIFY(w.host()->crossHairAction()->isVisible());
    QVERIFY(w.host()->timeAxisMenu()->menuAction()->isVisible());
    shown(w)->running = true;
    w.host()->updateGraphMenu();
    QVERIFY(!w.host()->timeAxisMenu()->menuAction()->isVisible());

    w.host()->crossHairAction()->setChecked(true);
    w.host()->setCrossHairVisible(w.host()->crossHairAction()->isChecked());
    QVERIFY(shown(w)->calls.contains(QStringLiteral("xhair 1")));
    w.host()->copyGraph();
    QVERIFY(shown(w)->calls.contains(QStringLiteral("copy")));

    // The resonance offers the cross-hair too, but no time axis.
    w.host()->showSimulation(14);
    w.host()->updateGraphMenu();
    QVERIFY(w.host()->crossHairAction()->isVisible());
    QVERIFY(!w.host()->timeAxisMenu()->menuAction()->isVisible());
    w.host()->setCrossHairVisible(true);
    QVERIFY(shown(w)->calls.contains(QStringLiteral("xhair 1")));
    w.host()->showSimulation(2);
    w.host()->updateGraphMenu();
    QVERIFY(!w.host()->crossHairAction()->isVisible());
    QVERIFY(!w.host()->timeAxisMenu()->menuAction()->isVisible());
    w.host()->setCrossHairVisible(true);
    QVERIFY(!shown(w)->calls.contains(QStringLiteral("xhair 1")));
    QVERIFY(w.host()->copyGraphAction()->isVisible() && w.host()->printGraphAction()->isVisible());
    // The check marks belong to the menu and outlive the window.
    QVERIFY(w.host()->crossHairAction()->isChecked());

    w.host()->showSimulation(1); // no Graph menu: routed commands do nothing
    w.host()->copyGraph();
    QVERIFY(shown(w)->calls.isEmpty());
}

void TestSimulationHost::timeAxis()
{
    MainWindow w(fixedScreen());
    w.host()->timeAxisAction(5)->trigger(); // no window: nothing, the check stays on 10 seconds
    QVERIFY(w.host()->timeAxisAction(10)->isChecked() && !w.host()->timeAxisAction(5)->isChecked());
    w.host()->showSimulation(9);
    w.host()->timeAxisAction(10)->trigger(); // already checked: nothing
    QVERIFY(w.host()->timeAxisAction(10)->isChecked());
    QVERIFY(shown(w)->calls.isEmpty());
    w.host()->timeAxisAction(20)->trigger();
    QCOMPARE(shown(w)->calls, QStringList{QStringLiteral("axis 20")});
    QVERIFY(w.host()->timeAxisAction(20)->isChecked() && !w.host()->timeAxisAction(10)->isChecked());
}

void TestSimulationHost::printGraphNeedsConfirmation()
{
    MainWindow w(fixedScreen());
    w.host()->showSimulation(14);
    m_answers->setAnswer(false);
    w.host()->printGraph();
    QVERIFY(shown(w)->calls.isEmpty());
    m_answers->setAnswer(true);
    w.host()->printGraph();
    QCOMPARE(shown(w)->calls, QStringList{QStringLiteral("print")});
}

void TestSimulationHost::paneSplit()
{
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.host()->showSimulation(9);
    FakeWindow *sim = shown(w);

    w.maxRightButton()->click();
    QVERIFY(w.maxRightButton()->isChecked());
    QVERIFY(!w.leftPane()->isVisible());
    QVERIFY(w.coursePane()->isVisible());
    QVERIFY(!sim->toolbar()->isVisible());
    QVERIFY(w.coursePane()->pageToolbar()->isVisible());

    w.maxLeftButton()->click();
    QVERIFY(w.leftPane()->isVisible());
    QVERIFY(!w.coursePane()->isVisible());
    QVERIFY(!w.coursePane()->pageToolbar()->isVisible());
    QVERIFY(sim->toolbar()->isVisible());

    w.normalSplitButton()->click();
    QVERIFY(w.coursePane()->isVisible() && w.coursePane()->pageToolbar()->isVisible() && sim->toolbar()->isVisible());
    QTRY_COMPARE(w.leftPane()->width(), 1600 / 2); // half the screen, not the window
    QCOMPARE(w.maxRightButton()->statusTip(), QStringLiteral("Maximize the right pane"));
    QCOMPARE(w.normalSplitButton()->statusTip(), QStringLiteral("Normal window split"));
    QCOMPARE(w.maxLeftButton()->statusTip(), QStringLiteral("Maximize the left pane"));
}

void TestSimulationHost::speedDialog()
{
    MainWindow w(fixedScreen());
    w.host()->showSimulation(9);
    auto answer = [](std::function<void(SpeedDialog *)> act) {
        QTimer::singleShot(0, [act] {
            auto *dlg = qobject_cast<SpeedDialog *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            act(dlg);
        });
    };
    int shownValue = 0;
    answer([&](SpeedDialog *dlg) {
        shownValue = dlg->speedSlider()->value();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Set the animation speed"));
        dlg->speedSlider()->setValue(120);
        dlg->cancelButton()->click(); // Cancel
    });
    w.host()->editSpeed();
    QCOMPARE(shownValue, 50);
    QCOMPARE(animationSpeeds()[9], 50);

    answer([](SpeedDialog *dlg) {
        dlg->speedSlider()->setValue(120);
        dlg->applyButton()->click(); // Apply
    });
    w.host()->editSpeed();
    QCOMPARE(animationSpeeds()[9], 120);

    // A stored speed outside the range is shown clamped; Apply stores what
    // the track bar shows.
    animationSpeeds()[9] = 500;
    answer([&](SpeedDialog *dlg) {
        shownValue = dlg->speedSlider()->value();
        dlg->applyButton()->click();
    });
    w.host()->editSpeed();
    QCOMPARE(shownValue, 200);
    QCOMPARE(animationSpeeds()[9], 200);
}

QTEST_MAIN(TestSimulationHost)
#include "tst_simulationhost.moc"
