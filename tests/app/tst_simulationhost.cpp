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
#include <QActionGroup>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QPushButton>
#include <QSet>
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
    void setTimeAxis(float s) override
    {
        calls << QStringLiteral("axis %1").arg(s);
        axis = s;
    }
    void setCrossHairVisible(bool on) override
    {
        calls << QStringLiteral("xhair %1").arg(on);
        crossHair = on;
    }
    float timeAxis() const override { return axis; }
    bool isCrossHairVisible() const override { return crossHair; }
    void handlePageCommand(const QString &t) override { calls << QStringLiteral("cmd ") + t; }

    QList<bool> largeCalls;
    bool visibleAtLargeCall = true;
    bool running = false;
    float axis = 10; // as a chart window starts
    bool crossHair = false;
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
    void realWindowsComeAndGoCleanly();
    void startPictureGoesWithFirstModel();
    void newToolbarGoesToChosenDockFirst();
    void largeButtonsBeforeShow();
    void pageCommandsReachOnlySuperpositionAndOscillator();
    void graphMenu();
    void graphMenuFollowsTheWindow();
    void timeAxis();
    void printGraphNeedsConfirmation();
    void paneSplit();
    void speedDialog();
    void moviesOfTheCourse_data();
    void moviesOfTheCourse();
    void polarisationMovieTakesTheAngle();
    void missingMovieLeavesThePaneEmpty();

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
    // The viewer is made on the first 3D page.
    QCOMPARE(w.view3D()->viewer() && w.view3D()->viewer()->isVisible(), view3d);
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
        // And keeps it when the window changes size (as after a start page).
        w.resize(w.width(), w.height() + 200);
        QTRY_COMPARE(w.host()->moviePlayer()->height(), w.leftPane()->height() / 2);
        QCOMPARE(w.view3D()->viewer()->y(), w.host()->moviePlayer()->geometry().bottom() + 1);
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

void TestSimulationHost::realWindowsComeAndGoCleanly()
{
    // The models' own windows, as the program has them. Their toolbars live
    // in the main window's dock and some windows watch a toolbar button, so
    // both ways a toolbar can go are taken: with its window (the pane
    // switches), and with the main window (a window shown and one released
    // but not yet gone). The sanitized build checks that nothing is touched
    // after or while it is destroyed.
    restoreKindsForTesting();
    QList<int> windowKinds;
    for (int k = 1; k <= 17; ++k)
        if (const KindEntry *e = findKind(k); e && e->mode == PaneMode::Window && e->createWindow)
            windowKinds << k;
    QVERIFY(!windowKinds.isEmpty());
    {
        MainWindow w(fixedScreen());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        for (int k : windowKinds) {
            w.host()->showSimulation(k);
            QCoreApplication::processEvents();
            QVERIFY(w.host()->activeWindow());
        }
        w.host()->showSimulation(windowKinds.first());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    for (int k : windowKinds) {
        MainWindow w(fixedScreen());
        w.host()->showSimulation(k);
        w.host()->showSimulation(windowKinds.at((windowKinds.indexOf(k) + 1) % windowKinds.size()));
        // w goes now, with one window shown and one still to be released.
    }
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

    // The resonance and the multiple slits offer the cross-hair too, but no
    // time axis; each new window starts with it off.
    for (int kind : {14, 2}) {
        w.host()->showSimulation(kind);
        w.host()->updateGraphMenu();
        QVERIFY(w.host()->crossHairAction()->isVisible());
        QVERIFY(!w.host()->timeAxisMenu()->menuAction()->isVisible());
        QVERIFY(!shown(w)->calls.contains(QStringLiteral("xhair 1")));
        w.host()->setCrossHairVisible(true);
        QVERIFY(shown(w)->calls.contains(QStringLiteral("xhair 1")));
    }
    QVERIFY(w.host()->copyGraphAction()->isVisible() && w.host()->printGraphAction()->isVisible());

    w.host()->showSimulation(1); // no Graph menu: routed commands do nothing
    w.host()->copyGraph();
    QVERIFY(shown(w)->calls.isEmpty());
}

// The menu shows what the window shown has: a new window starts at its own
// 10 seconds with the cross-hair off, whatever the last window had, and the
// time-axis items are radio items.
void TestSimulationHost::graphMenuFollowsTheWindow()
{
    MainWindow w(fixedScreen());
    SimulationHost *host = w.host();
    // QMenu draws a checkable item of an exclusive group as a radio item.
    for (int seconds : {5, 10, 15, 20}) {
        QAction *a = host->timeAxisAction(seconds);
        QVERIFY(a->isCheckable() && a->actionGroup() && a->actionGroup()->isExclusive());
    }

    host->showSimulation(9);
    host->timeAxisAction(5)->trigger();
    host->crossHairAction()->trigger();
    QCOMPARE(shown(w)->calls, (QStringList{QStringLiteral("axis 5"), QStringLiteral("xhair 1")}));
    QVERIFY(host->timeAxisAction(5)->isChecked() && host->crossHairAction()->isChecked());

    host->showSimulation(8);
    host->showSimulation(9); // a new window: 10 seconds, no cross-hair
    QVERIFY(host->timeAxisAction(10)->isChecked());
    QVERIFY(!host->timeAxisAction(5)->isChecked());
    QVERIFY(!host->crossHairAction()->isChecked());
    // "5 seconds" now does what it says.
    host->timeAxisAction(5)->trigger();
    QCOMPARE(shown(w)->calls, QStringList{QStringLiteral("axis 5")});
    QVERIFY(host->timeAxisAction(5)->isChecked() && !host->timeAxisAction(10)->isChecked());
    // The cross-hair item turns it on, not off.
    host->crossHairAction()->trigger();
    QCOMPARE(shown(w)->calls.last(), QStringLiteral("xhair 1"));

    // Changed behind the menu's back (a page command, say): the menu agrees
    // when it opens.
    shown(w)->axis = 15;
    shown(w)->crossHair = false;
    host->updateGraphMenu();
    QVERIFY(host->timeAxisAction(15)->isChecked() && !host->timeAxisAction(5)->isChecked());
    QVERIFY(!host->crossHairAction()->isChecked());
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

void TestSimulationHost::moviesOfTheCourse_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("hydrogen spectrum") << 13;
    QTest::newRow("polarisation") << 16;
    QTest::newRow("liquid crystal display") << 17;
}

void TestSimulationHost::moviesOfTheCourse()
{
    // The course's own movies load from the program folder and draw: a
    // picture with many strong colours, not a blank pane.
    QFETCH(int, kind);
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.host()->showSimulation(kind);
    MoviePlayer *player = w.host()->moviePlayer();
    QVERIFY(player->hasMovie());
    auto colourful = [player] {
        const QImage shot = player->grabMovie();
        QSet<int> hues;
        int strong = 0;
        for (int y = 0; y < shot.height(); y += 2)
            for (int x = 0; x < shot.width(); x += 2) {
                const QColor c = shot.pixelColor(x, y);
                if (c.hsvSaturation() > 120 && c.value() > 80) {
                    ++strong;
                    hues.insert(c.hsvHue() / 30);
                }
            }
        return strong > 200 && hues.size() >= 3;
    };
    QTRY_VERIFY_WITH_TIMEOUT(colourful(), 10000);
    QCOMPARE(player->grabMovie().size(), player->size());
    QVERIFY(m_answers->shown().isEmpty());
    if (kind == 13) {
        // The red Balmer line (656 nm) is drawn in its own colour.
        QVariant red;
        QVERIFY(QMetaObject::invokeMethod(player->movieRoot(), "spectralColour", Q_RETURN_ARG(QVariant, red),
                                          Q_ARG(QVariant, 656.3)));
        const QColor line = red.value<QColor>();
        QVERIFY(line.isValid() && line.red() > 150 && line.green() < 80);
        const QImage shot = player->grabMovie();
        bool found = false;
        for (int y = 0; y < shot.height() && !found; ++y)
            for (int x = 0; x < shot.width() && !found; ++x) {
                const QColor c = shot.pixelColor(x, y);
                found = std::abs(c.red() - line.red()) < 8 && std::abs(c.green() - line.green()) < 8
                        && std::abs(c.blue() - line.blue()) < 8;
            }
        QVERIFY(found);
    }
}

void TestSimulationHost::polarisationMovieTakesTheAngle()
{
    MainWindow w(fixedScreen());
    w.host()->showSimulation(16);
    QObject *movie = w.host()->moviePlayer()->movieRoot();
    QVERIFY(movie);
    QCOMPARE(movie->property("angle").toString(), QStringLiteral("0"));
    // The angle goes as text truncated toward zero, then the analyser turns.
    w.host()->sendMovieAngle(-45.7f);
    QCOMPARE(movie->property("angle").toString(), QStringLiteral("-45"));
    QCOMPARE(movie->property("targetAngle").toDouble(), -45.0);
    w.host()->sendMovieAngle(89.9f);
    QCOMPARE(movie->property("angle").toString(), QStringLiteral("89"));
    QCOMPARE(movie->property("targetAngle").toDouble(), 89.0);
}

void TestSimulationHost::missingMovieLeavesThePaneEmpty()
{
    MainWindow w(fixedScreen());
    w.host()->showSimulation(17);
    QVERIFY(w.host()->moviePlayer()->hasMovie());
    QTemporaryDir empty;
    ScopedExeFolder exe(empty.path());
    w.host()->showSimulation(13);
    QVERIFY(w.host()->moviePlayer()->isVisible() || !w.isVisible());
    QVERIFY(!w.host()->moviePlayer()->hasMovie()); // not the last page's movie
    QVERIFY(m_answers->shown().isEmpty());
}

QTEST_MAIN(TestSimulationHost)
#include "tst_simulationhost.moc"
