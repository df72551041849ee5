// The damped-oscillator window: its controls, the picture, the run states
// as the buttons show them, the Graph menu operations, the page command,
// and a whole run through the main window's host on a clock of the test's
// own.
#include "TestSupport.h"

#include "app/CadencerEx.h"
#include "app/SimGlobals.h"
#include "app/uWaveMain.h"
#include "sim/framework/Chart.h"
#include "sim/framework/PaintBox32.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/uSHM.h"

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
    TSHMFrm w;
    explicit Window(QSize size = kWindow)
    {
        ShowOffscreen(&w, size);
    }
    // One sample per call, as a tick of 1/50 s does at the default speed.
    void Tick() { w.Step(1.0 / 50); }
    void RunTo(int sample)
    {
        while (w.Model().Sample() < sample && w.IsClockRunning())
            Tick();
    }
    QPointF Marker() const { return w.Series7->points().value(0); }
    // Where the picture shows the top of the mass: the first red row below
    // the black frame, less one.
    int MassTop() const
    {
        const TBitmap32 &b = w.Pic->Bitmap();
        for (int y = 0; y < b.Height(); ++y)
            if (b.Pixel(b.Width() / 2, y) == 0xFFFF0000u)
                return y - 1;
        return -1;
    }
};

void moveMouse(QWidget *viewport, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    SendMouse(viewport, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

void pressMouse(QWidget *viewport, QEvent::Type type, QPoint pos)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
    SendMouse(viewport, type, pos, Qt::LeftButton, held);
}

QList<QPointF> CurvePoints(const TSHMCurve &c)
{
    QList<QPointF> pts;
    for (size_t i = 0; i < c.X.size(); ++i)
        pts << QPointF(c.Time[i], c.X[i]);
    return pts;
}

} // namespace

class TestSHM : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        ActiveKind = skDampedSHM;
        Speeds = DefaultSpeeds();
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

void TestSHM::design()
{
    Window f;
    TSHMFrm &w = f.w;
    // Toolbar order, separators after Reset, the mass and the stiffness.
    const QList<QAction *> items = w.Toolbar->actions();
    QCOMPARE(items.size(), 12);
    QCOMPARE(items[0], w.StartBtn);
    QCOMPARE(items[1], w.StopBtn);
    QCOMPARE(items[2], w.ResetBtn);
    QVERIFY(items[3]->isSeparator() && items[6]->isSeparator() && items[9]->isSeparator());
    QCOMPARE(items[4], w.MassLabel->Action());
    QCOMPARE(items[5], w.MassSE->Action());
    QCOMPARE(items[8], w.StiffSE->Action());
    QCOMPARE(items[11], w.DampSE->Action());
    QCOMPARE(w.StartBtn->toolTip(), QStringLiteral("Start"));
    QCOMPARE(w.StopBtn->toolTip(), QStringLiteral("Stop"));
    QCOMPARE(w.ResetBtn->toolTip(), QStringLiteral("Reset to start"));
    QVERIFY(w.StartBtn->isEnabled() && !w.StopBtn->isEnabled() && !w.ResetBtn->isEnabled());
    QVERIFY(!w.IsClockRunning());

    struct Edit {
        TSpinEdit *se;
        TToolbarLabel *label;
        const char *caption, *hint;
        double min, max, step, value;
        int decimals;
    } edits[] = {
        {w.MassSE, w.MassLabel, " Mass (kg) ", "Set the mass", 0.1, 1.0, 0.1, 0.5, 1},
        {w.StiffSE, w.StiffLabel, " Stiffness (N/m) ", "Set the stiffness of the spring", 1, 60, 1, 40, 0},
        {w.DampSE, w.DampLabel, " Damping (kg/s) ", "Set the damping", 0.0, 5.0, 0.1, 0.2, 1},
    };
    for (const Edit &e : edits) {
        QCOMPARE(e.label->text(), QLatin1String(e.caption));
        QVERIFY(e.label->toolTip().isEmpty());
        QCOMPARE(e.se->toolTip(), QLatin1String(e.hint));
        QCOMPARE(e.se->minimum(), e.min);
        QCOMPARE(e.se->maximum(), e.max);
        QCOMPARE(e.se->singleStep(), e.step);
        QCOMPARE(e.se->Value(), e.value);
        QCOMPARE(e.se->decimals(), e.decimals);
        QCOMPARE(e.se->width(), 55);
        QVERIFY(e.se->isEnabled());
    }

    // The scroll bar on the left edge, then the 80-pixel picture, then the chart.
    QCOMPARE(w.DisplacementHsb->orientation(), Qt::Vertical);
    QCOMPARE(w.DisplacementHsb->minimum(), -100);
    QCOMPARE(w.DisplacementHsb->maximum(), 100);
    QCOMPARE(w.DisplacementHsb->Position(), -50);
    QCOMPARE(w.DisplacementHsb->geometry(), QRect(0, 0, 17, kWindow.height()));
    QCOMPARE(w.Pic->geometry(), QRect(17, 0, 80, kWindow.height()));
    QCOMPARE(w.Chart->geometry(), QRect(97, 0, kWindow.width() - 97, kWindow.height()));
    QCOMPARE(w.Unit(), kWindow.height() / 24.0f);

    // The chart: the 501 samples and the marker on the first.
    QCOMPARE(w.Series4->points(), CurvePoints(w.Model().Curve()));
    QCOMPARE(w.Series4->count(), 501);
    QCOMPARE(w.Series7->points(), QList<QPointF>{QPointF(0, 5)});
    QCOMPARE(w.Chart->LeftAxis()->min(), -10.0);
    QCOMPARE(w.Chart->LeftAxis()->max(), 10.0);
    QCOMPARE(w.Chart->BottomAxis()->max(), 10.0);
    QCOMPARE(w.Chart->LeftAxis()->titleText(), QStringLiteral("displacement"));
    QCOMPARE(w.Chart->BottomAxis()->titleText(), QStringLiteral("time (s)"));

    // Large buttons: 48-pixel images, 70-pixel spin edits, labels at 150 percent.
    const int labelFont = w.MassLabel->font().pixelSize();
    w.SetLargeButtons(true);
    QCOMPARE(w.Toolbar->iconSize(), QSize(48, 48));
    for (const Edit &e : edits)
        QCOMPARE(e.se->width(), 70);
    QCOMPARE(w.StiffLabel->font().pixelSize(), qRound(labelFont * 1.5));
    w.SetLargeButtons(false);
    QCOMPARE(w.Toolbar->iconSize(), QSize(24, 24));
    for (const Edit &e : edits)
        QCOMPARE(e.se->width(), 55);
    QCOMPARE(w.StiffLabel->font().pixelSize(), labelFont);
}

// Starting displacement 0: a flat line and the mass's top at mid-height.
void TestSHM::pictureAtRest()
{
    Window f(QSize(600, 480));
    TSHMFrm &w = f.w;
    const TBitmap32 &b = w.Pic->Bitmap();
    QCOMPARE(b.DevicePixelRatio(), 1.0);
    QCOMPARE(QSize(b.Width(), b.Height()), QSize(80, 480));
    w.DisplacementHsb->setValue(0); // as the user drags it
    QCOMPARE(w.Model().Amplitude(), 0.0f);
    for (const QPointF &p : w.Series4->points())
        QCOMPARE(p.y(), 0.0);

    // s = 20, a = 20: the mass from (20, 240) to (60, 260), framed black.
    const TColor32 white = 0xFFFFFFFF, black = 0xFF000000, red = 0xFFFF0000, grey = 0xFF3F3F3F;
    QCOMPARE(b.Pixel(40, 250), red);
    for (QPoint p : {QPoint(20, 250), QPoint(59, 250), QPoint(40, 240), QPoint(40, 259)})
        QCOMPARE(b.Pixel(p.x(), p.y()), black);
    for (QPoint p : {QPoint(19, 250), QPoint(60, 250), QPoint(40, 260)})
        QCOMPARE(b.Pixel(p.x(), p.y()), white);
    // The spring: from (20, 0) to (60, 8) to (20, 16) ..., last to (40, 240).
    QCOMPARE(b.Pixel(40, 4), black);
    QCOMPARE(b.Pixel(40, 12), black);
    QCOMPARE(b.Pixel(40, 8), white);
    QCOMPARE(b.Pixel(50, 236), black);
    // The border on (0, 0, W - 1, H - 1), right and bottom exclusive.
    QCOMPARE(b.Pixel(0, 0), grey);
    QCOMPARE(b.Pixel(78, 100), grey);
    QCOMPARE(b.Pixel(79, 100), white);
    QCOMPARE(b.Pixel(30, 478), grey);
    QCOMPARE(b.Pixel(30, 479), white);
    QCOMPARE(f.MassTop(), 240);

    // Positive displacement moves the mass up: 5 units of 20 pixels.
    w.DisplacementHsb->setValue(-50);
    QCOMPARE(f.MassTop(), 140);
}

void TestSHM::finishedRunAndReset()
{
    Window f;
    TSHMFrm &w = f.w;
    w.StartBtn->trigger();
    QVERIFY(w.IsClockRunning());
    QVERIFY(!w.StartBtn->isEnabled() && w.StopBtn->isEnabled() && !w.ResetBtn->isEnabled());
    QVERIFY(!w.DisplacementHsb->isEnabled() && !w.MassSE->isEnabled() && !w.StiffSE->isEnabled() &&
            !w.DampSE->isEnabled());

    f.Tick();
    QCOMPARE(f.Marker(), QPointF(w.Model().Curve().Time[1], w.Model().Curve().X[1]));
    int ticks = 1;
    while (w.IsClockRunning() && ticks < 1000) {
        f.Tick();
        ++ticks;
    }
    QCOMPARE(ticks, 501); // the run ends by itself one tick after sample 500
    const float last = w.Model().Curve().X[500];
    QCOMPARE(f.Marker(), QPointF(10, last));
    QCOMPARE(f.MassTop(), int(std::nearbyint((12.0f - last) * double(w.Unit()))));
    QVERIFY(w.StartBtn->isEnabled() && !w.StopBtn->isEnabled() && w.ResetBtn->isEnabled());
    QVERIFY(w.DisplacementHsb->isEnabled());
    QVERIFY(!w.MassSE->isEnabled() && !w.StiffSE->isEnabled() && !w.DampSE->isEnabled());

    // Start again: from sample 0, so the first tick shows sample 1.
    w.StartBtn->trigger();
    f.Tick();
    QCOMPARE(w.Model().Sample(), 1);
    QCOMPARE(f.Marker(), QPointF(w.Model().Curve().Time[1], w.Model().Curve().X[1]));
    f.RunTo(kSHMLastSample + 1);
    QVERIFY(!w.IsClockRunning());

    w.ResetBtn->trigger();
    QVERIFY(w.StartBtn->isEnabled() && !w.StopBtn->isEnabled() && !w.ResetBtn->isEnabled());
    QVERIFY(w.DisplacementHsb->isEnabled() && w.MassSE->isEnabled() && w.StiffSE->isEnabled() &&
            w.DampSE->isEnabled());
    QCOMPARE(f.Marker(), QPointF(0, 5));
    QCOMPARE(f.MassTop(), int(std::nearbyint(7 * w.Unit())));
}

void TestSHM::spinEditChangeInPause()
{
    Window f;
    TSHMFrm &w = f.w;
    w.StartBtn->trigger();
    f.RunTo(50);
    w.StopBtn->trigger();
    QVERIFY(w.ResetBtn->isEnabled() && w.MassSE->isEnabled());

    w.MassSE->stepUp(); // 0.6 kg, as the arrow does
    QCOMPARE(w.Model().Mass(), 0.6f);
    QCOMPARE(w.Series4->points(), CurvePoints(DisplacementCurve(0.6f, 40, 0.2f, 5, 10)));
    QCOMPARE(f.Marker(), QPointF(0, 5));
    QCOMPARE(w.Model().Sample(), 0);
    QVERIFY(!w.ResetBtn->isEnabled());
    QCOMPARE(f.MassTop(), int(std::nearbyint(7 * w.Unit())));

    w.DampSE->SetValue(0.0); // a value written by the program is not read back
    QCOMPARE(w.Model().Damping(), 0.2f);
    w.DampSE->stepUp();      // 0.1
    QCOMPARE(w.Model().Damping(), 0.1f);
}

// A resize recomputes the graph: the marker goes back to sample 0 while n
// stays, and the next sample moves it on from n.
void TestSHM::resizeRecomputesAndKeepsTheSample()
{
    Window f;
    TSHMFrm &w = f.w;
    w.StartBtn->trigger();
    f.RunTo(100);
    w.resize(kWindow.width(), 360);
    QCoreApplication::processEvents();
    QCOMPARE(w.Unit(), 15.0f);
    QCOMPARE(w.Model().Sample(), 100);
    QCOMPARE(f.Marker(), QPointF(0, 5));
    QCOMPARE(f.MassTop(), int(std::nearbyint((12.0f - w.Model().Curve().X[100]) * 15.0)));
    f.Tick();
    QCOMPARE(f.Marker(), QPointF(w.Model().Curve().Time[101], w.Model().Curve().X[101]));
}

void TestSHM::timeAxis()
{
    Window f;
    TSHMFrm &w = f.w;
    w.StartBtn->trigger();
    f.RunTo(60);
    w.StopBtn->trigger();
    const QPointF marker = f.Marker();

    w.SetTimeAxis(10); // the span already set
    QCOMPARE(f.Marker(), marker);
    QCOMPARE(w.Model().Sample(), 60);
    QVERIFY(w.ResetBtn->isEnabled());

    w.SetTimeAxis(15);
    QCOMPARE(w.Series4->points().last().x(), 15.0);
    QCOMPARE(w.Chart->BottomAxis()->max(), 15.0);
    QCOMPARE(f.Marker(), QPointF(0, 5));
    QVERIFY(!w.ResetBtn->isEnabled());
}

void TestSHM::pageCommands_data()
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

void TestSHM::pageCommands()
{
    QFETCH(QString, command);
    QFETCH(bool, loads);
    Window f;
    TSHMFrm &w = f.w;
    w.StartBtn->trigger();
    f.RunTo(30);
    const QList<QPointF> curve = w.Series4->points();
    const QPointF marker = f.Marker();
    const int top = f.MassTop();

    w.HandlePageCommand(command);
    if (!loads) {
        QVERIFY(w.IsClockRunning());
        QCOMPARE(w.Model().Sample(), 30);
        QCOMPARE(w.Series4->points(), curve);
        QCOMPARE(f.Marker(), marker);
        QCOMPARE(f.MassTop(), top);
        QCOMPARE(w.MassSE->Value(), 0.5);
        QCOMPARE(w.DisplacementHsb->Position(), -50);
        return;
    }
    // The run stops; m 1, k 25, b 5 and A 9 are in the controls.
    QVERIFY(!w.IsClockRunning());
    QVERIFY(w.StartBtn->isEnabled() && !w.StopBtn->isEnabled() && !w.ResetBtn->isEnabled());
    QVERIFY(w.DisplacementHsb->isEnabled() && w.MassSE->isEnabled() && w.StiffSE->isEnabled() &&
            w.DampSE->isEnabled());
    QCOMPARE(w.MassSE->Value(), 1.0);
    QCOMPARE(w.StiffSE->Value(), 25.0);
    QCOMPARE(w.DampSE->Value(), 5.0);
    QCOMPARE(w.DisplacementHsb->Position(), -90);
    // The critical curve (1 + 5t) 9 e^(-5t), the marker on its start, the
    // mass 9 units up.
    const QList<QPointF> pts = w.Series4->points();
    QCOMPARE(pts.size(), 501);
    for (const QPointF &p : pts)
        QVERIFY(std::abs(p.y() - (1 + 5 * p.x()) * 9 * std::exp(-5 * p.x())) < 1e-5);
    QCOMPARE(f.Marker(), QPointF(0, 9));
    QCOMPARE(f.MassTop(), int(std::nearbyint(3 * w.Unit())));
}

void TestSHM::crossHair()
{
    Window f;
    TSHMFrm &w = f.w;
    QWidget *vp = w.Chart->viewport();
    const QRect plot = w.Chart->PlotRect();
    const QPoint p1 = plot.center(), p2 = p1 + QPoint(40, -25);
    const QPoint none(-1, -1);

    // Off (each window starts so): the mouse draws nothing.
    moveMouse(vp, p1);
    QCOMPARE(w.CrossHairPosition(), none);
    QVERIFY(!w.Chart->CrossHairDrawn());

    w.SetCrossHair(true);
    moveMouse(vp, p1);
    QCOMPARE(w.CrossHairPosition(), p1);
    QCOMPARE(w.Chart->CrossHairs(), QList<QPoint>{p1});
    // Moving erases the old one.
    moveMouse(vp, p2);
    QCOMPARE(w.Chart->CrossHairs(), QList<QPoint>{p2});
    // Outside the plot rectangle: none.
    moveMouse(vp, plot.topLeft() - QPoint(3, 3));
    QCOMPARE(w.CrossHairPosition(), none);
    QVERIFY(!w.Chart->CrossHairDrawn());

    // While a button is held on the chart, moves draw nothing.
    moveMouse(vp, p1);
    pressMouse(vp, QEvent::MouseButtonPress, p1);
    moveMouse(vp, p2, Qt::LeftButton);
    QVERIFY(!w.Chart->CrossHairs().contains(p2));
    pressMouse(vp, QEvent::MouseButtonRelease, p2);
    moveMouse(vp, p2);
    QCOMPARE(w.Chart->CrossHairs(), QList<QPoint>{p2});

    // A repaint forgets it.
    vp->repaint();
    QCOMPARE(w.CrossHairPosition(), none);
    QVERIFY(!w.Chart->CrossHairDrawn());
    moveMouse(vp, p1);
    QCOMPARE(w.Chart->CrossHairs(), QList<QPoint>{p1});

    // Switched off: it goes.
    w.SetCrossHair(false);
    QVERIFY(!w.Chart->CrossHairDrawn());
    moveMouse(vp, p2);
    QVERIFY(!w.Chart->CrossHairDrawn());
}

void TestSHM::prints_data()
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

void TestSHM::prints()
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
        f.w.PrintGraph(printer);
    }
    QLocale::setDefault(before);
    const QString text = PdfText(file);
    QVERIFY2(text.contains(TSHMFrm::PrintTitle), qPrintable(text));
    QVERIFY(text.contains(mass));
    QVERIFY(text.contains(stiffness));
    QVERIFY(text.contains(damping));
    // The title over the chart, the lines under it, in this order.
    QVERIFY(text.indexOf(TSHMFrm::PrintTitle) < text.indexOf(QLatin1String("time (s)")));
    QVERIFY(text.indexOf(QLatin1String("time (s)")) < text.indexOf(mass));
    QVERIFY(text.indexOf(mass) < text.indexOf(stiffness));
    QVERIFY(text.indexOf(stiffness) < text.indexOf(damping));
}

void TestSHM::copies()
{
    Window f;
    QGuiApplication::clipboard()->clear();
    f.w.CopyGraph();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasImage());
    QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("displacement"));
}

// Kind 9 through the main window: the window with its toolbar docked, and
// a run with the default speed that keeps to the clock and stops by itself.
void TestSHM::hostedRunEndsByItself()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    ScopedClockTime clock;
    TWaveMainFrm main(FixedScreen());
    main.resize(1200, 800);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.ShowSimulation(skDampedSHM);
    auto *w = dynamic_cast<TSHMFrm *>(main.ActiveSimulationWindow());
    QVERIFY(w);
    QCOMPARE(main.toolBarArea(w->Toolbar), Qt::TopToolBarArea);
    QVERIFY(w->Toolbar->isVisible());
    QCOMPARE(w->Pic->Bitmap().Pixel(0, 0), 0xFF3F3F3Fu);
    QCOMPARE(Speeds[skDampedSHM], 50);

    w->StartBtn->trigger();
    const double start = clock.now;
    bool halfway = false;
    for (int i = 0; i < 5000 && w->IsClockRunning(); ++i) {
        clock.now += 0.01; // half a sample at speed 50
        QCoreApplication::processEvents();
        if (!halfway && clock.now - start >= 5.0 - 1e-9) {
            // Real time: 250 samples in the first five seconds, not more.
            const int n = w->Model().Sample();
            QVERIFY2(n <= 250 && n >= 245, qPrintable(QString::number(n)));
            halfway = true;
        }
    }
    QVERIFY(halfway);
    QVERIFY(!w->IsClockRunning());
    QVERIFY(clock.now - start >= 10.02 - 1e-9); // 501 samples' worth
    QCOMPARE(w->Model().State(), TSHMState::Finished);
    QCOMPARE(w->Series7->points().value(0), QPointF(10, w->Model().Curve().X[500]));
    QVERIFY(w->StartBtn->isEnabled() && !w->StopBtn->isEnabled() && w->ResetBtn->isEnabled());

    // The Graph menu offers the time axis again now that the clock is off.
    main.Graph1Click();
    QVERIFY(main.TimeScale1->menuAction()->isVisible());
    main.RoutePageCommand(QStringLiteral("+CD"));
    QCOMPARE(w->Model().Damping(), 5.0f);
}

// Another page is opened while a tick is inside the window's Step (the step
// lets pending events run): the window goes with its clock, and nothing
// touches it afterwards.
void TestSHM::pageSwitchDuringAStep()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    ScopedClockTime clock;
    TWaveMainFrm main(FixedScreen());
    main.resize(1000, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    main.ShowSimulation(skDampedSHM);
    QPointer<TSHMFrm> w = dynamic_cast<TSHMFrm *>(main.ActiveSimulationWindow());
    QVERIFY(w);
    QPointer<TNGLCadencer> shmClock = w->Clock;
    bool switched = false;
    // Queued from inside Step, so it runs in the step's own event processing.
    connect(
        w->Series7, &QXYSeries::pointsReplaced, &main,
        [&] {
            if (w && w->IsClockRunning() && !switched) {
                switched = true;
                main.ShowSimulation(skSuperposition);
            }
        },
        Qt::QueuedConnection);
    w->StartBtn->trigger();
    for (int i = 0; i < 200 && (w || shmClock); ++i) {
        clock.now += 0.05;
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(switched);
    QVERIFY(!w);
    QVERIFY(!shmClock);
    QCOMPARE(ActiveKind, int(skSuperposition));
    QVERIFY(main.ActiveSimulationWindow());
}

QTEST_MAIN(TestSHM)
#include "tst_shm.moc"
