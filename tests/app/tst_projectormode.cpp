// Projector mode in the main window: the menu item and F11, the stored
// setting, the large buttons it brings, the course page one size up.
#include "AppTestSupport.h"
#include "app/CoursePane.h"
#include "app/MainWindow.h"
#include "app/PageBrowser.h"
#include "app/SimulationHost.h"
#include "core/SimulationKind.h"
#include "sim/framework/Chart.h"
#include "sim/framework/ProjectorMode.h"
#include "sim/framework/SimulationWindow.h"

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QTest>

using namespace TestSupport;

namespace {
QSettings store()
{
    return QSettings(QStringLiteral("Quillon"), QStringLiteral("Orvanta"));
}
} // namespace

class TestProjectorModeWindow : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { ProjectorMode::setOn(false); }

    void menuItemAndShortcut();
    void roundTripsThroughTheSettings();
    void storedValue_data();
    void storedValue();
};

void TestProjectorModeWindow::menuItemAndShortcut()
{
    ScopedSettings settings;
    MainWindow w(fixedScreen());
    QAction *a = w.projectorModeAction();
    QVERIFY(a);
    QVERIFY(a->isCheckable());
    QVERIFY(w.appearanceMenu()->actions().contains(a));
    QCOMPARE(a->shortcut(), QKeySequence(Qt::Key_F11));
    // F11 is nobody else's.
    for (QAction *other : w.findChildren<QAction *>())
        if (other != a)
            QVERIFY2(other->shortcut() != QKeySequence(Qt::Key_F11), qPrintable(other->objectName()));
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F11);
    QVERIFY(a->isChecked());
    QVERIFY(ProjectorMode::isOn());
    QTest::keyClick(&w, Qt::Key_F11);
    QVERIFY(!ProjectorMode::isOn());
}

void TestProjectorModeWindow::roundTripsThroughTheSettings()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    {
        MainWindow w(fixedScreen());
        w.coursePane()->setTextSize(2);
        w.host()->showSimulation(DampedOscillatorKind);
        SimulationWindow *sim = w.host()->activeWindow();
        QVERIFY(sim);
        auto *chart = sim->findChild<Chart *>();
        QVERIFY(chart);
        const int titlePixels = chart->leftAxis()->titleFont().pixelSize();
        QVERIFY(!sim->largeButtons());

        w.projectorModeAction()->trigger();
        QVERIFY(ProjectorMode::isOn());
        QVERIFY(chart->leftAxis()->titleFont().pixelSize() > titlePixels);
        // Large buttons come with it; the stored choice stays as it was.
        QVERIFY(sim->largeButtons());
        QVERIFY(!w.largeButtonsAction()->isChecked());
        QVERIFY(!w.largeButtonsAction()->isEnabled());
        // The page one size up; the chosen size is kept.
        QCOMPARE(w.coursePane()->textSize(), 2);
        QCOMPARE(w.coursePane()->browser()->font().pointSizeF(), PageBrowser::pointSizeForTextSize(3));
        w.saveSettings();
    }
    QCOMPARE(store().value(QStringLiteral("Projector")).toInt(), 1);
    QCOMPARE(store().value(QStringLiteral("Large")).toInt(), 0);
    QCOMPARE(store().value(QStringLiteral("zoom")).toInt(), 2);
    ProjectorMode::setOn(false);
    {
        MainWindow w(fixedScreen());
        QVERIFY(w.projectorModeAction()->isChecked());
        QVERIFY(ProjectorMode::isOn());
        QCOMPARE(w.coursePane()->browser()->font().pointSizeF(), PageBrowser::pointSizeForTextSize(3));
        w.host()->showSimulation(DampedOscillatorKind);
        SimulationWindow *sim = w.host()->activeWindow();
        QVERIFY(sim && sim->largeButtons());
        auto *chart = sim->findChild<Chart *>();
        QVERIFY(chart);
        const int bigTitle = chart->leftAxis()->titleFont().pixelSize();
        auto *curve = qobject_cast<QLineSeries *>(chart->chart()->series().value(0));
        QVERIFY(curve);
        const qreal bigCurve = curve->pen().widthF();
        QVERIFY(bigCurve >= 2.0);

        w.setProjectorMode(false);
        QVERIFY(chart->leftAxis()->titleFont().pixelSize() < bigTitle);
        QVERIFY(curve->pen().widthF() < bigCurve);
        QVERIFY(!sim->largeButtons());
        QVERIFY(w.largeButtonsAction()->isEnabled());
        QCOMPARE(w.coursePane()->browser()->font().pointSizeF(), PageBrowser::pointSizeForTextSize(2));
        w.saveSettings();
    }
    QCOMPARE(store().value(QStringLiteral("Projector")).toInt(), 0);
    MainWindow w(fixedScreen());
    QVERIFY(!w.projectorModeAction()->isChecked());
    QVERIFY(!ProjectorMode::isOn());
}

void TestProjectorModeWindow::storedValue_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("on");
    QTest::newRow("one") << QVariant(1) << true;
    QTest::newRow("true as text") << QVariant(QStringLiteral("true")) << true;
    QTest::newRow("zero") << QVariant(0) << false;
    QTest::newRow("not a flag") << QVariant(QStringLiteral("bright")) << false;
    QTest::newRow("out of range") << QVariant(7) << false;
    QTest::newRow("bytes") << QVariant(QByteArray("\x01\x02", 2)) << false;
}

void TestProjectorModeWindow::storedValue()
{
    QFETCH(QVariant, value);
    QFETCH(bool, on);
    ScopedSettings settings;
    {
        QSettings s = store();
        s.setValue(QStringLiteral("Large"), 1);
        s.setValue(QStringLiteral("zoom"), 4);
        s.setValue(QStringLiteral("Projector"), value);
    }
    MainWindow w(fixedScreen());
    QCOMPARE(w.projectorModeAction()->isChecked(), on);
    QCOMPARE(ProjectorMode::isOn(), on);
    // A bad value costs nothing else.
    QVERIFY(w.largeButtonsAction()->isChecked());
    QCOMPARE(w.coursePane()->textSize(), 4);
    // At the largest size the page still goes one up.
    QCOMPARE(w.coursePane()->browser()->font().pointSizeF(), PageBrowser::pointSizeForTextSize(on ? 5 : 4));
    QVERIFY(PageBrowser::pointSizeForTextSize(5) > PageBrowser::pointSizeForTextSize(4));
}

QTEST_MAIN(TestProjectorModeWindow)
#include "tst_projectormode.moc"
