// The resonance window: its controls, the two-spring picture, the chart with
// its marker, what a spin box changes while stopped, Stop then Start on the
// window's own clock, the Graph menu operations, and the window opened from
// its course page through the main window.
#include "AppTestSupport.h"

#include "app/CoursePane.h"
#include "app/MainWindow.h"
#include "app/PageBrowser.h"
#include "app/SimulationHost.h"
#include "core/AnimationClock.h"
#include "core/NumberText.h"
#include "core/SimulationKind.h"
#include "sim/framework/Chart.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/ResonanceWindow.h"

#include <QtTest>
#include <QAction>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QToolBar>
#include <cmath>

using namespace TestSupport;

namespace {

const QSize kWindow(767, 504);

struct Window {
    ScopedClockTime clock;
    ResonanceWindow w;
    explicit Window(QSize size = kWindow) { showOffscreen(&w, size); }
    QPointF marker() const { return w.markerSeries()->points().value(0); }
    // The top of the mass as the picture shows it: the first red row in the
    // middle column, less one for the black frame.
    int massTop() const
    {
        const RasterImage &b = w.picture()->bitmap();
        for (int y = 0; y < b.height(); ++y)
            if (b.pixel(b.width() / 2, y) == 0xFFFF0000u)
                return y - 1;
        return -1;
    }
};

// The clock's ticks arrive as posted events; lets them all run.
void runTicks()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestResonanceWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        setActiveKind(ResonanceKind);
        animationSpeeds() = defaultAnimationSpeeds();
    }
    void design();
    void pictureAtRest();
    void theMassSwingsWithTheAmplitude();
    void spinBoxWhileStoppedMovesTheMarkerNotTheMass();
    void stopThenStartContinues();
    void printsTheChartAndSettings();
    void crossHair();
    void copies();
    void openedFromItsPage();
};

void TestResonanceWindow::design()
{
    Window f;
    ResonanceWindow &w = f.w;
    // Start and Stop with their captions, a separator, then the two settings.
    const QList<QAction *> items = w.toolbar()->actions();
    QCOMPARE(items.size(), 7);
    QCOMPARE(items[0], w.startAction());
    QCOMPARE(items[1], w.stopAction());
    QVERIFY(items[2]->isSeparator());
    QCOMPARE(items[3], w.dampingLabel()->action());
    QCOMPARE(items[4], w.dampingSpinBox()->action());
    QCOMPARE(items[5], w.drivingFrequencyLabel()->action());
    QCOMPARE(items[6], w.drivingFrequencySpinBox()->action());
    QCOMPARE(w.startAction()->text(), QStringLiteral("Start"));
    QCOMPARE(w.stopAction()->text(), QStringLiteral("Stop"));
    QCOMPARE(w.toolbar()->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    // Both begin enabled; Stop pressed first just shows the stopped state.
    QVERIFY(w.startAction()->isEnabled() && w.stopAction()->isEnabled());
    QVERIFY(!w.isClockRunning());
    w.stopAction()->trigger();
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled() && !w.isClockRunning());

    struct Edit {
        ToolbarSpinBox *box;
        ToolbarLabel *label;
        const char *caption, *hint;
        double min, max, value;
    } edits[] = {
        {w.dampingSpinBox(), w.dampingLabel(), " Damping (kg/s) ", "Set the damping factor", 0.25, 2.0, 1.0},
        {w.drivingFrequencySpinBox(), w.drivingFrequencyLabel(), " Driving frequency (Hz) ",
         "Set the driving frequency", 0.1, 10.0, 5.0},
    };
    for (const Edit &e : edits) {
        QCOMPARE(e.label->text(), QLatin1String(e.caption));
        QVERIFY(e.label->toolTip().isEmpty());
        QCOMPARE(e.box->toolTip(), QLatin1String(e.hint));
        QCOMPARE(e.box->minimum(), e.min);
        QCOMPARE(e.box->maximum(), e.max);
        QCOMPARE(e.box->singleStep(), 0.1);
        QCOMPARE(e.box->value(), e.value);
        QCOMPARE(e.box->width(), 50);
        QVERIFY(!e.box->accessibleName().isEmpty() && !e.box->accessibleDescription().isEmpty());
    }

    // The 68-pixel picture on the left, the chart filling the rest.
    QCOMPARE(w.picture()->geometry(), QRect(0, 0, 68, kWindow.height()));
    QCOMPARE(w.chart()->geometry(), QRect(68, 0, kWindow.width() - 68, kWindow.height()));
    QCOMPARE(w.unit(), kWindow.height() / 24.0f);

    // The chart: fixed 0 to 10 both ways, the curve and the marker at 5 Hz.
    QCOMPARE(w.chart()->chart()->title(), QStringLiteral("Graph of amplitude v driving frequency"));
    QCOMPARE(w.chart()->bottomAxis()->min(), 0.0);
    QCOMPARE(w.chart()->bottomAxis()->max(), 10.0);
    QCOMPARE(w.chart()->leftAxis()->min(), 0.0);
    QCOMPARE(w.chart()->leftAxis()->max(), 10.0);
    QCOMPARE(w.chart()->bottomAxis()->titleText(), QStringLiteral("driving frequency (Hz)"));
    QCOMPARE(w.chart()->leftAxis()->titleText(), QStringLiteral("amplitude"));
    const std::vector<QPointF> &curve = w.model().curve();
    QCOMPARE(w.curveSeries()->points(), QList<QPointF>(curve.begin(), curve.end()));
    QCOMPARE(w.curveSeries()->count(), 101);
    QCOMPARE(f.marker(), w.model().marker());
    QCOMPARE(f.marker().x(), 5.0);
    QVERIFY(std::abs(f.marker().y() - 2.38732414637843) < 1e-5); // damping 1.0 at 5 Hz

    // Large buttons: 48-pixel pictures, 75-pixel spin boxes, labels at 150
    // percent; and back.
    const int labelFont = w.dampingLabel()->font().pixelSize();
    w.setLargeButtons(true);
    QCOMPARE(w.toolbar()->iconSize(), QSize(48, 48));
    for (const Edit &e : edits)
        QCOMPARE(e.box->width(), 75);
    QCOMPARE(w.drivingFrequencyLabel()->font().pixelSize(), qRound(labelFont * 1.5));
    w.setLargeButtons(false);
    QCOMPARE(w.toolbar()->iconSize(), QSize(24, 24));
    for (const Edit &e : edits)
        QCOMPARE(e.box->width(), 50);
    QCOMPARE(w.drivingFrequencyLabel()->font().pixelSize(), labelFont);
}

// x = 0: the middle of the mass at mid-height, a spring above and below.
void TestResonanceWindow::pictureAtRest()
{
    Window f(QSize(600, 480));
    const RasterImage &b = f.w.picture()->bitmap();
    QCOMPARE(QSize(b.width(), b.height()), QSize(68, 480));
    QCOMPARE(f.w.unit(), 20.0f);
    // s = 20, a = 17: the mass from (17, 235) to (51, 245), framed black.
    const Color32 white = 0xFFFFFFFF, black = 0xFF000000, red = 0xFFFF0000, grey = 0xFF3F3F3F;
    QCOMPARE(b.pixel(34, 240), red);
    for (QPoint p : {QPoint(17, 240), QPoint(50, 240), QPoint(34, 235), QPoint(34, 244)})
        QCOMPARE(b.pixel(p.x(), p.y()), black);
    // Beside the mass, and under it clear of the lower spring's last turn.
    for (QPoint p : {QPoint(16, 240), QPoint(45, 246)})
        QCOMPARE(b.pixel(p.x(), p.y()), white);
    QCOMPARE(f.massTop(), 235);
    // The upper spring leaves the top edge from (17, 0) to (51, 8); the lower
    // one the bottom of the 24 units from (51, 480) to (17, 472).
    QCOMPARE(b.pixel(34, 4), black);
    QCOMPARE(b.pixel(34, 476), black);
    QCOMPARE(b.pixel(34, 8), white);
    // The border on (0, 0, W - 1, H - 1), right and bottom exclusive.
    QCOMPARE(b.pixel(0, 0), grey);
    QCOMPARE(b.pixel(66, 100), grey);
    QCOMPARE(b.pixel(67, 100), white);
    QCOMPARE(b.pixel(30, 478), grey);
    QCOMPARE(b.pixel(30, 479), white);
}

// Damping 0.25 at 5 Hz: a quarter swing later the mass is 9.55 units up.
void TestResonanceWindow::theMassSwingsWithTheAmplitude()
{
    Window f(QSize(600, 480));
    ResonanceWindow &w = f.w;
    w.dampingSpinBox()->setValue(0.25); // as the user types it
    QCOMPARE(w.model().dampingRate(), 2.5f);
    w.startAction()->trigger();
    QVERIFY(w.isClockRunning());
    QVERIFY(!w.startAction()->isEnabled() && w.stopAction()->isEnabled());
    QVERIFY(w.dampingSpinBox()->isEnabled() && w.drivingFrequencySpinBox()->isEnabled());

    // Speed 100 x 0.02: the model time grows by 2 a second; sin(5 t) = 1 at
    // t = pi / 10.
    w.clock()->onProgress(w.clock(), M_PI / 20, 0);
    QVERIFY(std::abs(w.model().time() - M_PI / 10) < 1e-6);
    QVERIFY(std::abs(w.model().displacement() - 9.54929658551372) < 1e-4);
    // 12 - 9.55 units from the top to the middle, the top a quarter unit
    // above it: row 44 at 20 pixels a unit. Positive is up.
    QCOMPARE(f.massTop(), 44);
    w.clock()->onProgress(w.clock(), M_PI / 10, 0); // half a swing on: the bottom
    QCOMPARE(f.massTop(), int(std::nearbyint((12 + 9.549297 - 0.25) * 20)));
}

void TestResonanceWindow::spinBoxWhileStoppedMovesTheMarkerNotTheMass()
{
    Window f;
    ResonanceWindow &w = f.w;
    w.startAction()->trigger();
    w.clock()->onProgress(w.clock(), 0.2, 0);
    w.stopAction()->trigger();
    const QImage picture = w.picture()->bitmap().image().copy();
    const float time = w.model().time();
    const float x = w.model().displacement();
    QVERIFY(x != 0.0f);

    w.drivingFrequencySpinBox()->stepDown(); // 4.9 Hz, as the arrow does
    QCOMPARE(w.model().drivingFrequency(), 4.9f);
    QCOMPARE(f.marker().x(), double(4.9f));
    QVERIFY(std::abs(f.marker().y() - 2.431152630626718) < 1e-5); // damping 1.0 at 4.9 Hz
    w.dampingSpinBox()->stepDown(); // 0.9: the whole curve moves
    QCOMPARE(w.curveSeries()->points().value(49), w.model().curve()[49]);
    QVERIFY(w.curveSeries()->points().value(50).y() > 2.6);
    // The mass and the model time stay as they were.
    QCOMPARE(w.picture()->bitmap().image(), picture);
    QCOMPARE(w.model().displacement(), x);
    QCOMPARE(w.model().time(), time);
    // A value written by the program is not read back.
    w.drivingFrequencySpinBox()->setValueQuietly(7.0);
    QCOMPARE(w.model().drivingFrequency(), 4.9f);
}

// Stop, a pause, Start: the model time goes on from where it stopped, on
// the window's own clock.
void TestResonanceWindow::stopThenStartContinues()
{
    Window f;
    ResonanceWindow &w = f.w;
    w.startAction()->trigger();
    QVERIFY(f.clock.tick(w.clock(), 0));
    QVERIFY(f.clock.tick(w.clock(), 0.5)); // 100 x 0.5 s x 0.02: one unit of model time
    QVERIFY2(std::abs(w.model().time() - 1.0) < 1e-5, qPrintable(QString::number(w.model().time())));
    const float x = w.model().displacement();
    QCOMPARE(x, float(std::sin(double(w.model().time()) * 5.0) * w.model().drivingAmplitude()));

    w.stopAction()->trigger();
    f.clock.now += 5.0; // the pause
    runTicks();
    QCOMPARE(w.model().time(), 1.0f);
    QCOMPARE(w.model().displacement(), x);

    w.startAction()->trigger();
    QVERIFY(f.clock.tick(w.clock(), 0));
    QVERIFY(f.clock.tick(w.clock(), 0.25));
    QVERIFY2(std::abs(w.model().time() - 1.5) < 1e-5, qPrintable(QString::number(w.model().time())));
}

// The chart with its own title, and under it the two settings, in order.
void TestResonanceWindow::printsTheChartAndSettings()
{
    Window f;
    f.w.dampingSpinBox()->setValue(0.5);
    f.w.drivingFrequencySpinBox()->setValue(4.5);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("resonance.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        f.w.printGraph(printer);
    }
    const QString text = pdfText(file);
    QVERIFY2(text.contains(ResonanceWindow::chartTitle), qPrintable(text));
    QVERIFY(text.contains(QLatin1String("driving frequency (Hz)")));
    QVERIFY(text.contains(QLatin1String("amplitude")));
    const qsizetype damping = text.indexOf(QStringLiteral("Damping = %1 kg/s").arg(formatFixed2(0.5)));
    const qsizetype frequency = text.indexOf(QStringLiteral("Driving frequency = %1 Hz").arg(formatFixed2(4.5)));
    QVERIFY2(damping >= 0 && frequency > damping, qPrintable(text));
}

// The cross-hair follows the mouse over the plot when switched on, and
// not while a button is held (the chart zooms then).
void TestResonanceWindow::crossHair()
{
    Window f;
    QWidget *vp = f.w.chart()->viewport();
    const QPoint p = f.w.chart()->plotRect().center() + QPoint(-25, 15);
    sendMouse(vp, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    QVERIFY(!f.w.chart()->crossHairDrawn());
    f.w.setCrossHairVisible(true);
    QVERIFY(f.w.isCrossHairVisible());
    sendMouse(vp, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    QCOMPARE(f.w.crossHairPosition(), p);
    QCOMPARE(f.w.chart()->crossHairs(), QList<QPoint>{p});
    // Outside the plot: the one drawn goes, none comes.
    sendMouse(vp, QEvent::MouseMove, QPoint(1, 1), Qt::NoButton, Qt::NoButton);
    QCOMPARE(f.w.crossHairPosition(), QPoint(-1, -1));
    QVERIFY(!f.w.chart()->crossHairDrawn());
    sendMouse(vp, QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton);
    f.w.setCrossHairVisible(false);
    QVERIFY(!f.w.chart()->crossHairDrawn());
}

void TestResonanceWindow::copies()
{
    Window f;
    QGuiApplication::clipboard()->clear();
    f.w.copyGraph();
    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data && data->hasImage());
    QVERIFY(data->data(QStringLiteral("image/svg+xml")).contains("driving frequency"));
}

// RESONANCE.HTM opens the window in the left pane, with its toolbar docked,
// the Graph menu (copy, print and the cross-hair) and the Speed menu; the run keeps to
// the test's clock.
void TestResonanceWindow::openedFromItsPage()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    ScopedClockTime clock;
    MainWindow main(fixedScreen());
    QVERIFY(showAtSize(main));
    QVERIFY(main.coursePane()->browser()->navigate(builtProgramFolder() + QStringLiteral("/HTML/RESONANCE.HTM")));
    QCOMPARE(activeKind(), int(ResonanceKind));
    auto *w = dynamic_cast<ResonanceWindow *>(main.host()->activeWindow());
    QVERIFY(w);
    QCOMPARE(main.toolBarArea(w->toolbar()), Qt::TopToolBarArea);
    QVERIFY(w->toolbar()->isVisible());
    QCOMPARE(w->picture()->bitmap().pixel(0, 0), 0xFF3F3F3Fu);
    QVERIFY(main.host()->graphMenu()->menuAction()->isVisible());
    QVERIFY(main.host()->speedMenu()->menuAction()->isVisible());
    main.host()->updateGraphMenu();
    QVERIFY(!main.host()->timeAxisMenu()->menuAction()->isVisible());
    QVERIFY(main.host()->crossHairAction()->isVisible());
    QCOMPARE(animationSpeeds()[ResonanceKind], 100);

    w->startAction()->trigger();
    QVERIFY(clock.tick(w->clock(), 0));
    QVERIFY(clock.tick(w->clock(), 1.0));
    QVERIFY2(std::abs(w->model().time() - 2.0) < 1e-5, qPrintable(QString::number(w->model().time())));

    QGuiApplication::clipboard()->clear();
    main.host()->copyGraph();
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());
}

QTEST_MAIN(TestResonanceWindow)
#include "tst_resonancewindow.moc"
