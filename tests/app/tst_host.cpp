// The simulation host: switching the left pane between kinds, the menus and
// toolbars that follow the kind, routing to the shown window, the pane split
// and the Speed dialog.
#include "TestSupport.h"

#include "app/AlignPanel.h"
#include "app/MoviePlayer.h"
#include "app/SimulationRegistry.h"
#include "app/Splash.h"
#include "app/uSpeed.h"
#include "app/uWaveMain.h"
#include "scene3d/GLViewer.h"
#include "sim/framework/SimulationForm.h"

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
class FakeWindow : public TSimulationForm
{
public:
    FakeWindow()
    {
        Toolbar->addAction(QStringLiteral("Fake"));
        ++created;
    }
    ~FakeWindow() override { ++destroyed; }
    void SetLargeButtons(bool large) override
    {
        largeCalls << large;
        visibleAtLargeCall = isVisible();
        TSimulationForm::SetLargeButtons(large);
    }
    bool FormCloseQuery() override
    {
        ++closeQueries;
        return TSimulationForm::FormCloseQuery();
    }
    bool IsClockRunning() const override { return running; }
    void CopyGraph() override { calls << QStringLiteral("copy"); }
    void PrintGraph(QPrinter &) override { calls << QStringLiteral("print"); }
    void SetTimeAxis(float s) override { calls << QStringLiteral("axis %1").arg(s); }
    void SetCrossHair(bool on) override { calls << QStringLiteral("xhair %1").arg(on); }
    void HandlePageCommand(const QString &t) override { calls << QStringLiteral("cmd ") + t; }

    QList<bool> largeCalls;
    bool visibleAtLargeCall = true;
    bool running = false;
    QStringList calls;
    static inline int created = 0, destroyed = 0, closeQueries = 0;
};

bool isWindowKind(int k) { return (k >= 1 && k <= 12) || k == 14; }

FakeWindow *shown(TWaveMainFrm &w) { return dynamic_cast<FakeWindow *>(w.ActiveSimulationWindow()); }

} // namespace

class TestHost : public QObject
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

void TestHost::init()
{
    m_settings = std::make_unique<ScopedSettings>();
    m_answers = std::make_unique<ScopedDialogAnswers>(true);
    Speeds = DefaultSpeeds();
    for (int k = 1; k <= 17; ++k) {
        if (!isWindowKind(k))
            continue;
        KindInfo info = *FindKind(k);
        info.createWindow = [] { return new FakeWindow; };
        OverrideKindForTesting(info);
    }
    FakeWindow::created = FakeWindow::destroyed = FakeWindow::closeQueries = 0;
}

void TestHost::cleanup()
{
    RestoreKindsForTesting();
    m_answers.reset();
    m_settings.reset();
}

void TestHost::everyKind_data()
{
    QTest::addColumn<int>("kind");
    for (int k = 1; k <= 17; ++k)
        QTest::newRow(qPrintable(QString::number(k))) << k;
}

void TestHost::everyKind()
{
    QFETCH(int, kind);
    TWaveMainFrm w(FixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Arrive from another kind, as a page link would.
    w.ShowSimulation(kind == 9 ? 1 : 9);
    w.ShowSimulation(kind);
    QCoreApplication::processEvents();

    QCOMPARE(ActiveKind, kind);
    const bool graph = kind == 2 || kind == 9 || kind == 14;
    const bool speed = kind == 4 || kind == 6 || (kind >= 9 && kind <= 15);
    const bool movie = kind == 13 || kind == 16 || kind == 17;
    const bool view3d = kind == 15 || kind == 16;
    QCOMPARE(w.Graph1->menuAction()->isVisible(), graph);
    QCOMPARE(w.Speed1->menuAction()->isVisible(), speed);
    QCOMPARE(w.Flash->isVisible(), movie);
    QCOMPARE(w.GLViewer->isVisible(), view3d);
    QCOMPARE(w.GLToolbar->isVisible(), view3d);
    QCOMPARE(w.GLhsb->isVisible(), view3d);
    for (QAction *a : {w.StartBtn, w.StopBtn, w.PolarBtn, w.RandomBtn})
        QCOMPARE(a->isVisible(), kind == 15);
    QVERIFY(w.ZoomInBtn->isVisible() && w.ZoomOutBtn->isVisible());
    QCOMPARE(w.LeftTW->frameShape() == QFrame::NoFrame, isWindowKind(kind));
    QCOMPARE(w.ActiveSimulationWindow() != nullptr, isWindowKind(kind));
    if (FakeWindow *sim = shown(w)) {
        QCOMPARE(sim->geometry(), w.LeftTW->contentsRect());
        QCOMPARE(w.toolBarArea(sim->Toolbar), Qt::TopToolBarArea);
        QVERIFY(sim->Toolbar->isVisible());
    }
    if (kind == 15) {
        QCOMPARE(w.GLhsb->minimum(), 0);
        QCOMPARE(w.GLhsb->maximum(), 360);
        QCOMPARE(w.GLhsb->value(), 0);
    }
    if (kind == 16) {
        QCOMPARE(w.GLhsb->minimum(), -90);
        QCOMPARE(w.GLhsb->maximum(), 90);
        QCOMPARE(w.GLhsb->value(), 0);
        // The movie takes the upper half, the 3D view the rest above the bar.
        QCOMPARE(w.Flash->y(), w.LeftTW->contentsRect().top());
        QCOMPARE(w.Flash->height(), w.LeftTW->height() / 2);
        QCOMPARE(w.GLViewer->y(), w.Flash->geometry().bottom() + 1);
        QCOMPARE(w.GLViewer->geometry().bottom() + 1, w.GLhsb->y());
    }
    QCOMPARE(w.GLAngle, 0.0f);
    if (kind == 15) {
        QVERIFY(w.StartBtn->isEnabled());
        QVERIFY(!w.StopBtn->isEnabled());
    }
}

void TestHost::replacedWindowIsReleasedLater()
{
    TWaveMainFrm w(FixedScreen());
    w.ShowSimulation(9);
    QPointer<TSimulationForm> old = w.ActiveSimulationWindow();
    QVERIFY(old);
    w.ShowSimulation(1);
    QVERIFY(old); // still there until the current event is done
    QVERIFY(w.ActiveSimulationWindow() != old.data());
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

void TestHost::startPictureGoesWithFirstModel()
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("HTML/images");
    QImage img(64, 32, QImage::Format_ARGB32);
    img.fill(Qt::red);
    img.save(dir.path() + "/HTML/images/Splash.png");
    ScopedExeFolder exe(dir.path());
    TWaveMainFrm w(FixedScreen());
    QVERIFY(w.SplashImage);
    w.ShowSimulation(13); // even a kind that leaves the pane otherwise empty
    QVERIFY(!w.SplashImage);
    QVERIFY(w.LeftTW->findChildren<TSplashImage *>().isEmpty());
}

void TestHost::newToolbarGoesToChosenDockFirst()
{
    TWaveMainFrm w(FixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.Top1Click(w.Bottom1);
    w.ShowSimulation(9);
    QCoreApplication::processEvents();
    FakeWindow *sim = shown(w);
    QCOMPARE(w.toolBarArea(sim->Toolbar), Qt::BottomToolBarArea);
    QCOMPARE(w.toolBarArea(w.HTMLToolbar), Qt::BottomToolBarArea);
    QTRY_VERIFY(sim->Toolbar->x() < w.HTMLToolbar->x());
    QCOMPARE(sim->Toolbar->y(), w.HTMLToolbar->y());

    // Back to the top: every toolbar moves; the page toolbar's buttons stay
    // above the right pane.
    w.Top1Click(w.Top1);
    QCOMPARE(w.toolBarArea(sim->Toolbar), Qt::TopToolBarArea);
    QCOMPARE(w.toolBarArea(w.HTMLToolbar), Qt::TopToolBarArea);
    QCOMPARE(w.toolBarArea(w.GLToolbar), Qt::TopToolBarArea);
    QTRY_VERIFY(qAbs(w.HTMLToolbarGap->mapTo(&w, QPoint(w.HTMLToolbarGap->width(), 0)).x()
                     - w.EWBPanel->mapTo(&w, QPoint(0, 0)).x())
                <= 1);
    // Choosing the item already checked does nothing.
    w.Top1Click(w.Top1);
    QVERIFY(w.Top1->isChecked() && !w.Bottom1->isChecked());
}

void TestHost::largeButtonsBeforeShow()
{
    TWaveMainFrm w(FixedScreen());
    w.show();
    w.Large1->setChecked(true);
    w.Large1Click();
    QCOMPARE(w.HTMLToolbar->iconSize(), QSize(48, 48));
    QCOMPARE(w.GLToolbar->iconSize(), QSize(48, 48));
    w.ShowSimulation(9);
    FakeWindow *sim = shown(w);
    QCOMPARE(sim->largeCalls, QList<bool>{true});
    QVERIFY(!sim->visibleAtLargeCall);
    // Toggling while shown reaches the window too.
    w.Large1->setChecked(false);
    w.Large1Click();
    QCOMPARE(sim->largeCalls, (QList<bool>{true, false}));
    QCOMPARE(w.HTMLToolbar->iconSize(), QSize(24, 24));
}

void TestHost::pageCommandsReachOnlySuperpositionAndOscillator()
{
    TWaveMainFrm w(FixedScreen());
    for (int k : {1, 2, 8, 9, 14}) {
        w.ShowSimulation(k);
        w.RoutePageCommand(QStringLiteral("+CD"));
        const bool expected = k == 8 || k == 9;
        QCOMPARE(shown(w)->calls.contains(QStringLiteral("cmd +CD")), expected);
    }
    w.ShowSimulation(13); // no window at all: nothing happens
    w.RoutePageCommand(QStringLiteral("+am"));
}

void TestHost::graphMenu()
{
    TWaveMainFrm w(FixedScreen());
    w.ShowSimulation(9);
    w.Graph1Click();
    QVERIFY(w.XHair1->isVisible());
    QVERIFY(w.TimeScale1->menuAction()->isVisible());
    shown(w)->running = true;
    w.Graph1Click();
    QVERIFY(!w.TimeScale1->menuAction()->isVisible());

    w.XHair1->setChecked(true);
    w.XHair1Click();
    QVERIFY(shown(w)->calls.contains(QStringLiteral("xhair 1")));
    w.CopyGraph1Click();
    QVERIFY(shown(w)->calls.contains(QStringLiteral("copy")));

    w.ShowSimulation(2);
    w.Graph1Click();
    QVERIFY(!w.XHair1->isVisible());
    QVERIFY(!w.TimeScale1->menuAction()->isVisible());
    QVERIFY(w.CopyGraph1->isVisible() && w.PrintGraph1->isVisible());
    // The check marks belong to the menu and outlive the window.
    QVERIFY(w.XHair1->isChecked());

    w.ShowSimulation(1); // no Graph menu: routed commands do nothing
    w.CopyGraph1Click();
    QVERIFY(shown(w)->calls.isEmpty());
}

void TestHost::timeAxis()
{
    TWaveMainFrm w(FixedScreen());
    w.T5->trigger(); // no window: nothing, the check stays on 10 seconds
    QVERIFY(w.T10->isChecked() && !w.T5->isChecked());
    w.ShowSimulation(9);
    w.T10->trigger(); // already checked: nothing
    QVERIFY(w.T10->isChecked());
    QVERIFY(shown(w)->calls.isEmpty());
    w.T20->trigger();
    QCOMPARE(shown(w)->calls, QStringList{QStringLiteral("axis 20")});
    QVERIFY(w.T20->isChecked() && !w.T10->isChecked());
}

void TestHost::printGraphNeedsConfirmation()
{
    TWaveMainFrm w(FixedScreen());
    w.ShowSimulation(14);
    m_answers->SetAnswer(false);
    w.PrintGraph1Click();
    QVERIFY(shown(w)->calls.isEmpty());
    m_answers->SetAnswer(true);
    w.PrintGraph1Click();
    QCOMPARE(shown(w)->calls, QStringList{QStringLiteral("print")});
}

void TestHost::paneSplit()
{
    TWaveMainFrm w(FixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.ShowSimulation(9);
    FakeWindow *sim = shown(w);

    w.MaxRightBtn->click();
    QVERIFY(w.MaxRightBtn->isChecked());
    QVERIFY(!w.LeftTW->isVisible());
    QVERIFY(w.EWBPanel->isVisible());
    QVERIFY(!sim->Toolbar->isVisible());
    QVERIFY(w.HTMLToolbar->isVisible());

    w.MaxLeftBtn->click();
    QVERIFY(w.LeftTW->isVisible());
    QVERIFY(!w.EWBPanel->isVisible());
    QVERIFY(!w.HTMLToolbar->isVisible());
    QVERIFY(sim->Toolbar->isVisible());

    w.NormalSplitBtn->click();
    QVERIFY(w.EWBPanel->isVisible() && w.HTMLToolbar->isVisible() && sim->Toolbar->isVisible());
    QTRY_COMPARE(w.LeftTW->width(), 1600 / 2); // half the screen, not the window
    QCOMPARE(w.MaxRightBtn->statusTip(), QStringLiteral("Maximize the right pane"));
    QCOMPARE(w.NormalSplitBtn->statusTip(), QStringLiteral("Normal window split"));
    QCOMPARE(w.MaxLeftBtn->statusTip(), QStringLiteral("Maximize the left pane"));
}

void TestHost::speedDialog()
{
    TWaveMainFrm w(FixedScreen());
    w.ShowSimulation(9);
    auto answer = [](std::function<void(TSpeedFrm *)> act) {
        QTimer::singleShot(0, [act] {
            auto *dlg = qobject_cast<TSpeedFrm *>(QApplication::activeModalWidget());
            QVERIFY(dlg);
            act(dlg);
        });
    };
    int shownValue = 0;
    answer([&](TSpeedFrm *dlg) {
        shownValue = dlg->SpeedHsb->value();
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Set the animation speed"));
        dlg->SpeedHsb->setValue(120);
        dlg->SpTBXButton2->click(); // Cancel
    });
    w.Speed2Click();
    QCOMPARE(shownValue, 50);
    QCOMPARE(Speeds[9], 50);

    answer([](TSpeedFrm *dlg) {
        dlg->SpeedHsb->setValue(120);
        dlg->SpTBXButton1->click(); // Apply
    });
    w.Speed2Click();
    QCOMPARE(Speeds[9], 120);

    // A stored speed outside the range is shown clamped; Apply stores what
    // the track bar shows.
    Speeds[9] = 500;
    answer([&](TSpeedFrm *dlg) {
        shownValue = dlg->SpeedHsb->value();
        dlg->SpTBXButton1->click();
    });
    w.Speed2Click();
    QCOMPARE(shownValue, 200);
    QCOMPARE(Speeds[9], 200);
}

QTEST_MAIN(TestHost)
#include "tst_host.moc"
