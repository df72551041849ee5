// The damped-oscillator window: its controls, the picture, the run states
// as the buttons show them, the Graph menu operations, the page command,
// and a whole run through the main window's host on a clock of the test's
// own.
#include "AppTestSupport.h"
#include "app/SimulationHost.h"

#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "app/MainWindow.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/Chart.h"
#include "sim/framework/DrawingSurface.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/DampedOscillatorWindow.h"

#include <QtTest>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QToolBar>
#include <cmath>

using namespace TestSupport;

namespace {

const QSize kWindow(767, 504);

// The window on its own. Its clock's time stands still, so only the test's
// Tick calls advance the run.
struct Window {
    ScopedClockTime clock;
    DampedOscillatorWindow w;
    explicit Window(QSize size = kWindow)
    {
        showOffscreen(&w, size);
    }
    // One sample per call, as a tick of 1/50 s does at the default speed.
    void tick() { w.step(1.0 / 50); }
    void runTo(int sample)
    {
        while (w.model().sample() < sample && w.isClockRunning())
            tick();
    }
    QPointF marker() const { return w.markerSeries()->points().value(0); }
    // Where the picture shows the top of the mass: the first red row below
    // the black frame, less one.
    int massTop() const
    {
        const RasterImage &b = w.picture()->bitmap();
        for (int y = 0; y < b.height(); ++y)
            if (b.pixel(b.width() / 2, y) == 0xFFFF0000u)
                return y - 1;
        return -1;
    }
};

void moveMouse(QWidget *viewport, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    sendMouse(viewport, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

void pressMouse(QWidget *viewport, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    sendMouse(viewport, type, pos, Qt::LeftButton, held);
}

QList<QPointF> curvePoints(const DisplacementCurve &c)
{
    QList<QPointF> pts;
    for (size_t i = 0; i < c.x.size(); ++i)
        pts << QPointF(c.time[i], c.x[i]);
    return pts;
}

} // namespace

class TestDampedOscillatorWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        setActiveKind(DampedOscillatorKind);
        animationSpeeds() = defaultAnimationSpeeds();
    }
    void design();
    void pictureAtRest();
    void finishedRunAndReset();
    void spinEditChangeInPause();
    void resizeRecomputesAndKeepsTheSample();
    void timeAxis();
    void pageCommands_data();
    void pageCommands();
    void crossHair();
    void prints_data();
    void prints();
    void copies();
    void hostedRunEndsByItself();
    void pageSwitchDuringAStep();
};

void TestDampedOscillatorWindow::design()
{
    Window f;
    DampedOscillatorWindow &w = f.w;
    // Toolbar order, separators after Reset, the mass and the stiffness.
    const QList<QAction *> items = w.toolbar()->actions();
    QCOMPARE(items.size(), 12);
    QCOMPARE(items[0], w.startAction());
    QCOMPARE(items[1], w.stopAction());
    QCOMPARE(items[2], w.resetAction());
    QVERIFY(items[3]->isSeparator() && items[6]->isSeparator() && items[9]->isSeparator());
    QCOMPARE(items[4], w.massLabel()->action());
    QCOMPARE(items[5], w.massSpinBox()->action());
    QCOMPARE(items[8], w.stiffnessSpinBox()->action());
    QCOMPARE(items[11], w.dampingSpinBox()->action());
    // The hints as the status bar shows them; the tooltips add the keys.
    QCOMPARE(w.startAction()->statusTip(), QStringLiteral("Start"));
    QCOMPARE(w.stopAction()->statusTip(), QStringLiteral("Stop"));
    QCOMPARE(w.resetAction()->statusTip(), QStringLiteral("Reset to start"));
    QCOMPARE(w.startAction()->toolTip(), QStringLiteral("Start (Space)"));
    QCOMPARE(w.stopAction()->toolTip(), QStringLiteral("Stop (Space)"));
    QCOMPARE(w.resetAction()->toolTip(), QStringLiteral("Reset to start (Ctrl+R)"));
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled() && !w.resetAction()->isEnabled());
    QVERIFY(!w.isClockRunning());

    struct Edit {
        ToolbarSpinBox *se;
        ToolbarLabel *label;
        const char *caption, *hint;
        double min, max, step, value;
        int decimals;
    } edits[] = {
        {w.massSpinBox(), w.massLabel(), " Mass (kg) ", "Set the mass", 0.1, 1.0, 0.1, 0.5, 1},
        {w.stiffnessSpinBox(), w.stiffnessLabel(), " Stiffness (N/m) ", "Set the stiffness of the spring", 1, 60, 1, 40, 0},
        {w.dampingSpinBox(), w.dampingLabel(), " Damping (kg/s) ", "Set the damping", 0.0, 5.0, 0.1, 0.2, 1},
    };
    for (const Edit &e : edits) {
        QCOMPARE(e.label->text(), QLatin1String(e.caption));
        QVERIFY(e.label->toolTip().isEmpty());
        QCOMPARE(e.se->toolTip(), QLatin1String(e.hint));
        QCOMPARE(e.se->minimum(), e.min);
        QCOMPARE(e.se->maximum(), e.max);
        QCOMPARE(e.se->singleStep(), e.step);
        QCOMPARE(e.se->value(), e.value);
        QCOMPARE(e.se->decimals(), e.decimals);
        QCOMPARE(e.se->width(), 55);
        QVERIFY(e.se->isEnabled());
    }

    // The scroll bar on the left edge, then the 80-pixel picture, then the chart.
    QCOMPARE(w.displacementScrollBar()->orientation(), Qt::Vertical);
    QCOMPARE(w.displacementScrollBar()->minimum(), -100);
    QCOMPARE(w.displacementScrollBar()->maximum(), 100);
    QCOMPARE(w.displacementScrollBar()->position(), -50);
    QCOMPARE(w.displacementScrollBar()->geometry(), QRect(0, 0, 17, kWindow.height()));
    QCOMPARE(w.picture()->geometry(), QRect(17, 0, 80, kWindow.height()));
    QCOMPARE(w.chart()->geometry(), QRect(97, 0, kWindow.width() - 97, kWindow.height()));
    QCOMPARE(w.unit(), kWindow.height() / 24.0f);

    // The chart: the 501 samples and the marker on the first.
    QCOMPARE(w.curveSeries()->points(), curvePoints(w.model().curve()));
    QCOMPARE(w.curveSeries()->count(), 501);
    QCOMPARE(w.markerSeries()->points(), QList<QPointF>{QPointF(0, 5)});
    QCOMPARE(w.chart()->leftAxis()->min(), -10.0);
    QCOMPARE(w.chart()->leftAxis()->max(), 10.0);
    QCOMPARE(w.chart()->bottomAxis()->max(), 10.0);
    QCOMPARE(w.chart()->leftAxis()->titleText(), QStringLiteral("displacement"));
    QCOMPARE(w.chart()->bottomAxis()->titleText(), QStringLiteral("time (s)"));

    // Large buttons: 48-pixel images, 70-pixel spin edits, labels at 150 percent.
    const int labelFont = w.massLabel()->font().pixelSize();
    w.setLargeButtons(true);
    QCOMPARE(w.toolbar()->iconSize(), QSize(48, 48));
    for (const Edit &e : edits)
        QCOMPARE(e.se->width(), 70);
    QCOMPARE(w.stiffnessLabel()->font().pixelSize(), qRound(labelFont * 1.5));
    w.setLargeButtons(false);
    QCOMPARE(w.toolbar()->iconSize(), QSize(24, 24));
    for (const Edit &e : edits)
        QCOMPARE(e.se->width(), 55);
    QCOMPARE(w.stiffnessLabel()->font().pixelSize(), labelFont);
}

// Starting displacement 0: a flat line and the mass's top at mid-height.
void TestDampedOscillatorWindow::pictureAtRest()
{
    Window f(QSize(600, 480));
    DampedOscillatorWindow &w = f.w;
    const RasterImage &b = w.picture()->bitmap();
    QCOMPARE(b.devicePixelRatio(), 1.0);
    QCOMPARE(QSize(b.width(), b.height()), QSize(80, 480));
    w.displacementScrollBar()->setValue(0); // as the user drags it
    QCOMPARE(w.model().amplitude(), 0.0f);
    for (const QPointF &p : w.curveSeries()->points())
        QCOMPARE(p.y(), 0.0);

    // s = 20, a = 20: the mass from (20, 240) to (60, 260), framed black.
    const Color32 white = 0xFFFFFFFF, black = 0xFF000000, red = 0xFFFF0000, grey = 0xFF3F3F3F;
    QCOMPARE(b.pixel(40, 250), red);
    for (QPoint p : {QPoint(20, 250), QPoint(59, 250), QPoint(40, 240), QPoint(40, 259)})
        QCOMPARE(b.pixel(p.x(), p.y()), black);
    for (QPoint p : {QPoint(19, 250), QPoint(60, 250), QPoint(40, 260)})
        QCOMPARE(b.pixel(p.x(), p.y()), white);
    // The spring: from (20, 0) to (60, 8) to (20, 16) ..., last to (40, 240).
    QCOMPARE(b.pixel(40, 4), black);
    QCOMPARE(b.pixel(40, 12), black);
    QCOMPARE(b.pixel(40, 8), white);
    QCOMPARE(b.pixel(50, 236), black);
    // The border on (0, 0, W - 1, H - 1), right and bottom exclusive.
    QCOMPARE(b.pixel(0, 0), grey);
    QCOMPARE(b.pixel(78, 100), grey);
    QCOMPARE(b.pixel(79, 100), white);
    QCOMPARE(b.pixel(30, 478), grey);
    QCOMPARE(b.pixel(30, 479), white);
    QCOMPARE(f.massTop(), 240);

    // Positive displacement moves the mass up: 5 units of 20 pixels.
    w.displacementScrollBar()->setValue(-50);
    QCOMPARE(f.massTop(), 140);
}

void TestDampedOscillatorWindow::finishedRunAndReset()
{
    Window f;
    DampedOscillatorWindow &w = f.w;
    w.startAction()->trigger();
    QVERIFY(w.isClockRunning());
    QVERIFY(!w.startAction()->isEnabled() && w.stopAction()->isEnabled() && !w.resetAction()->isEnabled());
    QVERIFY(!w.displacementScrollBar()->isEnabled() && !w.massSpinBox()->isEnabled() && !w.stiffnessSpinBox()->isEnabled() &&
            !w.dampingSpinBox()->isEnabled());

    f.tick();
    QCOMPARE(f.marker(), QPointF(w.model().curve().time[1], w.model().curve().x[1]));
    int ticks = 1;
    while (w.isClockRunning() && ticks < 1000) {
        f.tick();
        ++ticks;
    }
    QCOMPARE(ticks, 501); // the run ends by itself one tick after sample 500
    const float last = w.model().curve().x[500];
    QCOMPARE(f.marker(), QPointF(10, last));
    QCOMPARE(f.massTop(), int(std::nearbyint((12.0f - last) * double(w.unit()))));
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled() && w.resetAction()->isEnabled());
    QVERIFY(w.displacementScrollBar()->isEnabled());
    QVERIFY(!w.massSpinBox()->isEnabled() && !w.stiffnessSpinBox()->isEnabled() && !w.dampingSpinBox()->isEnabled());

    // Start again: from sample 0, so the first tick shows sample 1.
    w.startAction()->trigger();
    f.tick();
    QCOMPARE(w.model().sample(), 1);
    QCOMPARE(f.marker(), QPointF(w.model().curve().time[1], w.model().curve().x[1]));
    f.runTo(kSHMLastSample + 1);
    QVERIFY(!w.isClockRunning());

    w.resetAction()->trigger();
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled() && !w.resetAction()->isEnabled());
    QVERIFY(w.displacementScrollBar()->isEnabled() && w.massSpinBox()->isEnabled() && w.stiffnessSpinBox()->isEnabled() &&
            w.dampingSpinBox()->isEnabled());
    QCOMPARE(f.marker(), QPointF(0, 5));
    QCOMPARE(f.massTop(), int(std::nearbyint(7 * w.unit())));
}

void TestDampedOscillatorWindow::spinEditChangeInPause()
{
    Window f;
    DampedOscillatorWindow &w = f.w;
    w.startAction()->trigger();
    f.runTo(50);
    w.stopAction()->trigger();
    QVERIFY(w.resetAction()->isEnabled() && w.massSpinBox()->isEnabled());

    w.massSpinBox()->stepUp(); // 0.6 kg, as the arrow does
    QCOMPARE(w.model().mass(), 0.6f);
    QCOMPARE(w.curveSeries()->points(), curvePoints(::displacementCurve(0.6f, 40, 0.2f, 5, 10)));
    QCOMPARE(f.marker(), QPointF(0, 5));
    QCOMPARE(w.model().sample(), 0);
    QVERIFY(!w.resetAction()->isEnabled());
    QCOMPARE(f.massTop(), int(std::nearbyint(7 * w.unit())));

    w.dampingSpinBox()->setValueQuietly(0.0); // a value written by the program is not read back
    QCOMPARE(w.model().damping(), 0.2f);
    w.dampingSpinBox()->stepUp();      // 0.1
    QCOMPARE(w.model().damping(), 0.1f);
}

// A resize recomputes the graph: the marker goes back to sample 0 while n
// stays, and the next sample moves it on from n.
void TestDampedOscillatorWindow::resizeRecomputesAndKeepsTheSample()
{
    Window f;
    DampedOscillatorWindow &w = f.w;
    w.startAction()->trigger();
    f.runTo(100);
    w.resize(kWindow.width(), 360);
    QCoreApplication::processEvents();
    QCOMPARE(w.unit(), 15.0f);
    QCOMPARE(w.model().sample(), 100);
    QCOMPARE(f.marker(), QPointF(0, 5));
    QCOMPARE(f.massTop(), int(std::nearbyint((12.0f - w.model().curve().x[100]) * 15.0)));
    f.tick();
    QCOMPARE(f.marker(), QPointF(w.model().curve().time[101], w.model().curve().x[101]));
}

void TestDampedOscillatorWindow::timeAxis()
{
    Window f;
    DampedOscillatorWindow &w = f.w;
    w.startAction()->trigger();
    f.runTo(60);
    w.stopAction()->trigger();
    const QPointF marker = f.marker();

    w.setTimeAxis(10); // the span already set
    QCOMPARE(f.marker(), marker);
    QCOMPARE(w.model().sample(), 60);
    QVERIFY(w.resetAction()->isEnabled());

    QCOMPARE(w.timeAxis(), 10.0f); // what the Graph menu shows
    w.setTimeAxis(15);
    QCOMPARE(w.timeAxis(), 15.0f);
    QCOMPARE(w.curveSeries()->points().last().x(), 15.0);
    QCOMPARE(w.chart()->bottomAxis()->max(), 15.0);
    QCOMPARE(f.marker(), QPointF(0, 5));
    QVERIFY(!w.resetAction()->isEnabled());
}

void TestDampedOscillatorWindow::pageCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("loads");
    QTest::newRow("+CD") << "+CD" << true;
    QTest::newRow("lower case") << "+cd" << false;
    QTest::newRow("no plus") << "CD" << false;
    QTest::newRow("trailing space") << "+CD " << false;
    QTest::newRow("another window's") << "+beats" << false;
    QTest::newRow("empty") << "" << false;
}

void TestDampedOscillatorWindow::pageCommands()
{
    QFETCH(QString, command);
    QFETCH(bool, loads);
    Window f;
    DampedOscillatorWindow &w = f.w;
    w.startAction()->trigger();
    f.runTo(30);
    const QList<QPointF> curve = w.curveSeries()->points();
    const QPointF marker = f.marker();
    const int top = f.massTop();

    w.handlePageCommand(command);
    if (!loads) {
        QVERIFY(w.isClockRunning());
        QCOMPARE(w.model().sample(), 30);
        QCOMPARE(w.curveSeries()->points(), curve);
        QCOMPARE(f.marker(), marker);
        QCOMPARE(f.massTop(), top);
        QCOMPARE(w.massSpinBox()->value(), 0.5);
        QCOMPARE(w.displacementScrollBar()->position(), -50);
        return;
    }
    // The run stops; m 1, k 25, b 5 and A 9 are in the controls.
    QVERIFY(!w.isClockRunning());
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled() && !w.resetAction()->isEnabled());
    QVERIFY(w.displacementScrollBar()->isEnabled() && w.massSpinBox()->isEnabled() && w.stiffnessSpinBox()->isEnabled() &&
            w.dampingSpinBox()->isEnabled());
    QCOMPARE(w.massSpinBox()->value(), 1.0);
    QCOMPARE(w.stiffnessSpinBox()->value(), 25.0);
    QCOMPARE(w.dampingSpinBox()->value(), 5.0);
    QCOMPARE(w.displacementScrollBar()->position(), -90);
    // The critical curve (1 + 5t) 9 e^(-5t), the marker on its start, the
    // mass 9 units up.
    const QList<QPointF> pts = w.curveSeries()->points();
    QCOMPARE(pts.size(), 501);
    for (const QPointF &p : pts)
        QVERIFY(std::abs(p.y() - (1 + 5 * p.x()) * 9 * std::exp(-5 * p.x())) < 1e-5);
    QCOMPARE(f.marker(), QPointF(0, 9));
    QCOMPARE(f.massTop(), int(std::nearbyint(3 * w.unit())));
}

void TestDampedOscillatorWindow::crossHair()
{
    Window f;
    DampedOscillatorWindow &w = f.w;
    QWidget *vp = w.chart()->viewport();
    const QRect plot = w.chart()->plotRect();
    const QPoint p1 = plot.center(), p2 = p1 + QPoint(40, -25);
    const QPoint none(-1, -1);

    // Off (each window starts so): the mouse draws nothing.
    moveMouse(vp, p1);
    QCOMPARE(w.crossHairPosition(), none);
    QVERIFY(!w.chart()->crossHairDrawn());

    w.setCrossHairVisible(true);
    moveMouse(vp, p1);
    QCOMPARE(w.crossHairPosition(), p1);
    QCOMPARE(w.chart()->crossHairs(), QList<QPoint>{p1});
    // Moving erases the old one.
    moveMouse(vp, p2);
    QCOMPARE(w.chart()->crossHairs(), QList<QPoint>{p2});
    // Outside the plot rectangle: none.
    moveMouse(vp, plot.topLeft() - QPoint(3, 3));
    QCOMPARE(w.crossHairPosition(), none);
    QVERIFY(!w.chart()->crossHairDrawn());

    // While a button is held on the chart, moves draw nothing.
    moveMouse(vp, p1);
    pressMouse(vp, QEvent::MouseButtonPress, p1);
    moveMouse(vp, p2, Qt::LeftButton);
    QVERIFY(!w.chart()->crossHairs().contains(p2));
    pressMouse(vp, QEvent::MouseButtonRelease, p2);
    moveMouse(vp, p2);
    QCOMPARE(w.chart()->crossHairs(), QList<QPoint>{p2});

    // A repaint forgets it.
    vp->repaint();
    QCOMPARE(w.crossHairPosition(), none);
    QVERIFY(!w.chart()->crossHairDrawn());
    moveMouse(vp, p1);
    QCOMPARE(w.chart()->crossHairs(), QList<QPoint>{p1});

    // Switched off: it goes.
    w.setCrossHairVisible(false);
    QVERIFY(!w.chart()->crossHairDrawn());
    moveMouse(vp, p2);
    QVERIFY(!w.chart()->crossHairDrawn());
}

void TestDampedOscillatorWindow::prints_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("mass");
    QTest::addColumn<QString>("stiffness");
    QTest::addColumn<QString>("damping");
    QTest::newRow("point") << QLocale(QLocale::English, QLocale::UnitedKingdom) << "Mass = 0.50 kg"
                           << "Spring constant = 40.00 N/m" << "Damping = 0.20 kg/s";
    QTest::newRow("comma") << QLocale(QLocale::German, QLocale::Germany) << "Mass = 0,50 kg"
                           << "Spring constant = 40,00 N/m" << "Damping = 0,20 kg/s";
}

void TestDampedOscillatorWindow::prints()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, mass);
    QFETCH(QString, stiffness);
    QFETCH(QString, damping);
    const QLocale before;
    QLocale::setDefault(locale);
    Window f;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("shm.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        f.w.printGraph(printer);
    }
    QLocale::setDefault(before);
    const QString text = pdfText(file);
    QVERIFY2(text.contains(DampedOscillatorWindow::printTitle), qPrintable(text));
    QVERIFY(text.contains(mass));
    QVERIFY(text.contains(stiffness));
    QVERIFY(text.contains(damping));
    // The title over the chart, the lines under it, in this order.
    QVERIFY(text.indexOf(DampedOscillatorWindow::printTitle) < text.indexOf(QLatin1String("time (s)")));
    QVERIFY(text.indexOf(QLatin1String("time (s)")) < text.indexOf(mass));
    QVERIFY(text.indexOf(mass) < text.indexOf(stiffness));
    QVERIFY(text.indexOf(stiffness) < text.indexOf(damping));
}

void TestDampedOscillatorWindow::copies()
{
    Window f;
    QGuiApplication::clipboard()->clear();
    f.w.copyGraph();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasImage());
    QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("displacement"));
}

// Kind 9 through the main window: the window with its toolbar docked, and
// a run with the default speed that keeps to the clock and stops by itself.
void TestDampedOscillatorWindow::hostedRunEndsByItself()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    ScopedClockTime clock;
    MainWindow main(fixedScreen());
    QVERIFY(showAtSize(main));
    main.host()->showSimulation(DampedOscillatorKind);
    auto *w = dynamic_cast<DampedOscillatorWindow *>(main.host()->activeWindow());
    QVERIFY(w);
    QCOMPARE(main.toolBarArea(w->toolbar()), Qt::TopToolBarArea);
    QVERIFY(w->toolbar()->isVisible());
    QCOMPARE(w->picture()->bitmap().pixel(0, 0), 0xFF3F3F3Fu);
    QCOMPARE(animationSpeeds()[DampedOscillatorKind], 50);

    w->startAction()->trigger();
    const double start = clock.now;
    bool halfway = false;
    for (int i = 0; i < 5000 && w->isClockRunning(); ++i) {
        clock.tick(w->clock(), 0.01); // half a sample at speed 50
        if (!halfway && clock.now - start >= 5.0 - 1e-9) {
            // Real time: 250 samples in the first five seconds, not more.
            const int n = w->model().sample();
            QVERIFY2(n <= 250 && n >= 245, qPrintable(QString::number(n)));
            halfway = true;
        }
    }
    QVERIFY(halfway);
    QVERIFY(!w->isClockRunning());
    QVERIFY(clock.now - start >= 10.02 - 1e-9); // 501 samples' worth
    QCOMPARE(w->model().state(), OscillatorState::Finished);
    QCOMPARE(w->markerSeries()->points().value(0), QPointF(10, w->model().curve().x[500]));
    QVERIFY(w->startAction()->isEnabled() && !w->stopAction()->isEnabled() && w->resetAction()->isEnabled());

    // The Graph menu offers the time axis again now that the clock is off.
    main.host()->updateGraphMenu();
    QVERIFY(main.host()->timeAxisMenu()->menuAction()->isVisible());
    main.host()->routePageCommand(QStringLiteral("+CD"));
    QCOMPARE(w->model().damping(), 5.0f);
}

// Another page is opened while a tick is inside the window's Step (the step
// lets pending events run): the window goes with its clock, and nothing
// touches it afterwards.
void TestDampedOscillatorWindow::pageSwitchDuringAStep()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    ScopedClockTime clock;
    MainWindow main(fixedScreen());
    QVERIFY(showAtSize(main, QSize(1000, 700)));
    main.host()->showSimulation(DampedOscillatorKind);
    QPointer<DampedOscillatorWindow> w = dynamic_cast<DampedOscillatorWindow *>(main.host()->activeWindow());
    QVERIFY(w);
    QPointer<AnimationClock> shmClock = w->clock();
    bool switched = false;
    // Queued from inside Step, so it runs in the step's own event processing.
    connect(
        w->markerSeries(), &QXYSeries::pointsReplaced, &main,
        [&] {
            if (w && w->isClockRunning() && !switched) {
                switched = true;
                main.host()->showSimulation(SuperpositionKind);
            }
        },
        Qt::QueuedConnection);
    w->startAction()->trigger();
    for (int i = 0; i < 200 && (w || shmClock); ++i) {
        clock.now += 0.05;
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(switched);
    QVERIFY(!w);
    QVERIFY(!shmClock);
    QCOMPARE(activeKind(), int(SuperpositionKind));
    QVERIFY(main.host()->activeWindow());
}

QTEST_MAIN(TestDampedOscillatorWindow)
#include "tst_dampedoscillatorwindow.moc"
