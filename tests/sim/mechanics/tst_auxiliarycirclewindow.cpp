// The auxiliary-circle window: its controls, where the picture and the
// scroll bar go in wide and tall windows, the dots as the picture shows
// them for a position and a phase difference, what Start, Stop, the scroll
// bar and the label do, and the window opened from its course page.
#include "AppTestSupport.h"

#include "app/CoursePane.h"
#include "app/MainWindow.h"
#include "app/PageBrowser.h"
#include "app/SimulationHost.h"
#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "sim/framework/ImageSurface.h"
#include "sim/framework/ToolbarItems.h"
#include "sim/mechanics/AuxiliaryCircleWindow.h"

#include <QtTest>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <cmath>

using namespace TestSupport;

namespace {

const QSize kWindow(767, 504);
const Color32 kRed = 0xFFFF0000;
const Color32 kBlue = 0xFF0000FF;

struct Window {
    ScopedClockTime clock;
    AuxiliaryCircleWindow w;
    explicit Window(QSize size = kWindow) { showOffscreen(&w, size); }
    const RasterImage &bitmap() const { return w.picture()->bitmap(); }
    // The pixel at (x, y) units from the picture's centre (y down).
    Color32 at(double x, double y) const
    {
        const RasterImage &b = bitmap();
        const double U = w.unit();
        return b.pixel(int(std::floor(b.width() / 2.0 + x * U)), int(std::floor(b.height() / 2.0 + y * U)));
    }
    bool shows(Color32 colour) const
    {
        const RasterImage &b = bitmap();
        for (int y = 0; y < b.height(); ++y)
            for (int x = 0; x < b.width(); ++x)
                if (b.pixel(x, y) == colour)
                    return true;
        return false;
    }
};

} // namespace

class TestAuxiliaryCircleWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        setActiveKind(AuxiliaryCircleKind);
        animationSpeeds() = defaultAnimationSpeeds();
    }
    void design();
    void layout_data();
    void layout();
    void quarterTurn();
    void secondPoint_data();
    void secondPoint();
    void runAndStop();
    void openedFromItsPage();
};

void TestAuxiliaryCircleWindow::design()
{
    Window f;
    AuxiliaryCircleWindow &w = f.w;
    const QList<QAction *> items = w.toolbar()->actions();
    QCOMPARE(items.size(), 5);
    QCOMPARE(items[0], w.startAction());
    QCOMPARE(items[1], w.stopAction());
    QVERIFY(items[2]->isSeparator());
    QCOMPARE(items[3], w.phaseLabel()->action());
    QCOMPARE(items[4], w.phaseSpinBox()->action());
    QCOMPARE(w.startAction()->text(), QStringLiteral("Start"));
    QCOMPARE(w.stopAction()->text(), QStringLiteral("Stop"));
    QVERIFY(w.startAction()->isEnabled() && w.stopAction()->isEnabled());
    QVERIFY(!w.isClockRunning());

    QCOMPARE(w.phaseLabel()->text(), QStringLiteral("Phase"));
    QVERIFY(w.phaseLabel()->toolTip().isEmpty());
    ToolbarSpinBox *phase = w.phaseSpinBox();
    QCOMPARE(phase->toolTip(), QStringLiteral("Set the phase angle"));
    QCOMPARE(phase->minimum(), -360.0);
    QCOMPARE(phase->maximum(), 360.0);
    QCOMPARE(phase->singleStep(), 10.0);
    QCOMPARE(phase->value(), 0.0);
    QCOMPARE(phase->decimals(), 0);
    QVERIFY(!phase->accessibleName().isEmpty() && !phase->accessibleDescription().isEmpty());

    QCOMPARE(w.angleLabel()->text(), QStringLiteral("Angle = 0.00°"));
    QCOMPARE(w.angleLabel()->font().pixelSize(), 13);
    QCOMPARE(w.angleLabel()->geometry(), QRect(0, 0, kWindow.width(), 16));

    ToolbarScrollBar *bar = w.positionScrollBar();
    QCOMPARE(bar->orientation(), Qt::Horizontal);
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(bar->position(), 0);
    QCOMPARE(bar->toolTip(), QStringLiteral("Scroll through the animation"));
    QCOMPARE(bar->focusPolicy(), Qt::StrongFocus);
    QVERIFY(bar->isEnabled());
    QVERIFY(!bar->accessibleName().isEmpty());

    // Large buttons change only the pictures.
    w.setLargeButtons(true);
    QCOMPARE(w.toolbar()->iconSize(), QSize(48, 48));
    w.setLargeButtons(false);
    QCOMPARE(w.toolbar()->iconSize(), QSize(24, 24));
}

void TestAuxiliaryCircleWindow::layout_data()
{
    QTest::addColumn<QSize>("window");
    QTest::addColumn<float>("unit");
    QTest::addColumn<QRect>("picture");
    // The free height a is the window's less the scroll bar's 20 pixels.
    QTest::newRow("design size") << kWindow << 7.67f << QRect(0, 50, 767, 384);
    // W > 2a: U = 0.02 a, the picture fills the free height, centred across.
    QTest::newRow("wide") << QSize(1000, 420) << 8.0f << QRect(100, 0, 800, 400);
    // Tall and narrow: U = 0.01 W, the picture fills the width, centred in
    // the free height.
    QTest::newRow("tall") << QSize(400, 900) << 4.0f << QRect(0, 340, 400, 200);
}

void TestAuxiliaryCircleWindow::layout()
{
    QFETCH(QSize, window);
    QFETCH(float, unit);
    QFETCH(QRect, picture);
    Window f(window);
    AuxiliaryCircleWindow &w = f.w;
    QCOMPARE(w.unit(), unit);
    QCOMPARE(w.picture()->geometry(), picture);
    QCOMPARE(QSize(f.bitmap().width(), f.bitmap().height()), picture.size());
    // The scroll bar directly under the picture, as wide as it.
    QCOMPARE(w.positionScrollBar()->geometry(), QRect(picture.left(), picture.bottom() + 1, picture.width(), 20));
    // The whole bitmap is framed; the middle holds the crossing axes.
    QCOMPARE(f.bitmap().pixel(0, 0), 0xFF3F3F3Fu);
    QCOMPARE(f.bitmap().pixel(picture.width() - 1, picture.height() - 1), 0xFF3F3F3Fu);
    QCOMPARE(f.at(10, 0), 0xFF808080u);
    QCOMPARE(f.at(10.5, -20), 0xFFFFFFFFu);
}

// The scroll bar at 25: 90 degrees. The red dots are at the top of the
// circle, at height R on the axis and on the graph's crest at 12.25 U.
void TestAuxiliaryCircleWindow::quarterTurn()
{
    Window f;
    AuxiliaryCircleWindow &w = f.w;
    QCOMPARE(f.at(-3, 0), kRed); // at rest: the right-hand end of the diameter
    w.positionScrollBar()->setValue(25); // as the user drags it
    QCOMPARE(w.angleLabel()->text(), QStringLiteral("Angle = 90.00°"));
    QCOMPARE(w.model().position(), 25.0f);
    QCOMPARE(f.at(-26, -23), kRed);
    QCOMPARE(f.at(0, -23), kRed);
    QCOMPARE(f.at(12.25, -23), kRed);
    QVERIFY(f.at(-3, 0) != kRed);
    QVERIFY(f.at(12.25, 0) != kRed);
    QVERIFY(!f.shows(kBlue));

    // The course's questions: a tenth and four tenths of the bar.
    w.positionScrollBar()->setValue(10);
    QCOMPARE(w.angleLabel()->text(), QStringLiteral("Angle = 36.00°"));
    w.positionScrollBar()->setValue(40);
    QCOMPARE(w.angleLabel()->text(), QStringLiteral("Angle = 144.00°"));
}

void TestAuxiliaryCircleWindow::secondPoint_data()
{
    QTest::addColumn<double>("phase");
    QTest::addColumn<QPointF>("onCircle"); // the blue point at 90 degrees, units
    QTest::newRow("a whole turn ahead: over the red dots") << 360.0 << QPointF(-26, -23);
    QTest::newRow("a whole turn behind: over the red dots") << -360.0 << QPointF(-26, -23);
    QTest::newRow("90 ahead: the left end") << 90.0 << QPointF(-49, 0);
    QTest::newRow("90 behind: the right end") << -90.0 << QPointF(-3, 0);
    QTest::newRow("180: the bottom") << 180.0 << QPointF(-26, 23);
}

void TestAuxiliaryCircleWindow::secondPoint()
{
    QFETCH(double, phase);
    QFETCH(QPointF, onCircle);
    Window f;
    AuxiliaryCircleWindow &w = f.w;
    w.positionScrollBar()->setValue(25);
    w.phaseSpinBox()->setValue(phase); // as the user types it
    QCOMPARE(w.model().phase(), int(phase));
    // Blue dots on the circle, on the axis and on the graph at the red
    // point's x, drawn over the red ones.
    QCOMPARE(f.at(onCircle.x(), onCircle.y()), kBlue);
    QCOMPARE(f.at(0, onCircle.y()), kBlue);
    QCOMPARE(f.at(12.25, onCircle.y()), kBlue);
    // Its own curve: at x = 49 U x 0.75 the red curve is at its trough, R
    // below; the blue one is wherever the phase puts it.
    const double y = -23 * std::sin(1.5 * M_PI + phase * M_PI / 180);
    QVERIFY(f.at(36.75, y) != 0xFFFFFFFFu);
    if (std::abs(phase) == 360.0)
        QVERIFY(!f.shows(kRed)); // hidden under the blue ones
    else
        QCOMPARE(f.at(12.25, -23), kRed);

    // Back to 0: the second point goes.
    w.phaseSpinBox()->setValue(0);
    QVERIFY(!f.shows(kBlue));
    QCOMPARE(f.at(12.25, -23), kRed);
}

// Start and Stop: the scroll bar is off while running, follows neither the
// point nor the label, and Stop puts it at the whole part of the position
// while the label keeps its text.
void TestAuxiliaryCircleWindow::runAndStop()
{
    Window f;
    AuxiliaryCircleWindow &w = f.w;
    w.positionScrollBar()->setValue(10);
    w.startAction()->trigger();
    QVERIFY(w.isClockRunning());
    QVERIFY(!w.startAction()->isEnabled() && w.stopAction()->isEnabled());
    QVERIFY(!w.positionScrollBar()->isEnabled());

    // Speed 60: a turn in 1 2/3 seconds.
    w.clock()->onProgress(w.clock(), 0.5, 0);
    QCOMPARE(w.model().position(), 40.0f);
    QCOMPARE(f.at(40 * 0.49, -23 * std::sin(0.4 * 2 * M_PI)), kRed);
    QCOMPARE(w.positionScrollBar()->position(), 10);
    QCOMPARE(w.angleLabel()->text(), QStringLiteral("Angle = 36.00°"));
    w.clock()->onProgress(w.clock(), 1.0, 0);
    QCOMPARE(w.model().position(), 100.0f);
    w.clock()->onProgress(w.clock(), 0.01, 0); // past the end of the turn
    QVERIFY(std::abs(w.model().position() - 0.6f) < 1e-4);

    w.clock()->onProgress(w.clock(), 0.61, 0); // 37.2
    w.stopAction()->trigger();
    QVERIFY(!w.isClockRunning());
    QVERIFY(w.startAction()->isEnabled() && !w.stopAction()->isEnabled());
    QVERIFY(w.positionScrollBar()->isEnabled());
    QCOMPARE(w.positionScrollBar()->position(), 37);
    QCOMPARE(w.angleLabel()->text(), QStringLiteral("Angle = 36.00°"));
    // The point stays where it stopped, between the bar's steps.
    QVERIFY(std::abs(w.model().position() - 37.2f) < 1e-4);

    // Start goes on from there.
    w.startAction()->trigger();
    w.clock()->onProgress(w.clock(), 0.1, 0);
    QVERIFY(std::abs(w.model().position() - 43.2f) < 1e-4);
}

// AUXCIRCLE.HTM opens the window in the left pane; the run keeps to the
// test's clock at the default speed.
void TestAuxiliaryCircleWindow::openedFromItsPage()
{
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    ScopedClockTime clock;
    MainWindow main(fixedScreen());
    QVERIFY(showAtSize(main));
    QVERIFY(main.coursePane()->browser()->navigate(builtProgramFolder() + QStringLiteral("/HTML/AUXCIRCLE.HTM")));
    QCOMPARE(activeKind(), int(AuxiliaryCircleKind));
    auto *w = dynamic_cast<AuxiliaryCircleWindow *>(main.host()->activeWindow());
    QVERIFY(w);
    QCOMPARE(main.toolBarArea(w->toolbar()), Qt::TopToolBarArea);
    QVERIFY(w->toolbar()->isVisible());
    QVERIFY(!main.host()->graphMenu()->menuAction()->isVisible());
    QVERIFY(main.host()->speedMenu()->menuAction()->isVisible());
    QCOMPARE(animationSpeeds()[AuxiliaryCircleKind], 60);
    QVERIFY(w->picture()->width() > 0);
    QCOMPARE(w->positionScrollBar()->geometry().top(), w->picture()->geometry().bottom() + 1);

    w->startAction()->trigger();
    QVERIFY(clock.tick(w->clock(), 0));
    QVERIFY(clock.tick(w->clock(), 0.25));
    QVERIFY2(std::abs(w->model().position() - 15.0f) < 1e-3, qPrintable(QString::number(w->model().position())));
    w->stopAction()->trigger();
    QCOMPARE(w->positionScrollBar()->position(), 15);
}

QTEST_MAIN(TestAuxiliaryCircleWindow)
#include "tst_auxiliarycirclewindow.moc"
