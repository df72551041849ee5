// The program measured as users run it: the real main window with its
// course pane and left pane, the models taken from the kinds table. One
// measurement per process, so each starts as cold as a user's first visit;
// bench_runall runs them all and prints the table of ratios.
//
//   bench_app kinds                 the kinds table: kind, page, what it shows
//   bench_app switch <kind>         index page -> the kind's page: wall and CPU
//                                   milliseconds until both panes have painted
//   bench_app frame <kind>          one frame of a model (a static model: one
//                                   step of its first spin box; an animated
//                                   one: one tick of its clock), CPU ms until
//                                   painted, against the floor: the left pane
//                                   cleared and shown by a paint box
//   bench_app run <kind> [speed]    an animated model running for a few
//                                   seconds: CPU % of one core, ticks, paints
//                                   and (damped oscillator) samples a second
//   bench_app marker                the damped oscillator's chart marker moved
//                                   one sample, against the floor
//   bench_app emwave <w> <h>        the wave drawn as fast as possible by a
//                                   bare viewer of that size (what bench_emwavescene
//                                   measures), for the in-app figure of "run 15"
//
// Each prints "key value" lines on standard output.
#include "app/CoursePane.h"
#include "app/KindsTable.h"
#include "app/MainWindow.h"
#include "app/PageBrowser.h"
#include "app/SimulationHost.h"
#include "app/View3DControls.h"
#include "core/AnimationClock.h"
#include "core/FileLookup.h"
#include "core/SimulationKind.h"
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"
#include "scene3d/scenes/EmWaveScene.h"
#include "sim/framework/AlignPanel.h"
#include "sim/framework/Chart.h"
#include "sim/framework/PaintBox.h"
#include "sim/framework/SimulationWindow.h"
#include "sim/framework/ToolbarSpinBox.h"
#include "sim/mechanics/DampedOscillatorWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QScatterSeries>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <numeric>
#include <vector>

namespace {

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) * 1e-6;
}

void print(const char *key, double value)
{
    std::printf("%s %.4f\n", key, value);
    std::fflush(stdout);
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Counts the paints of every widget inside `root` (the left pane).
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *root) : m_root(root) { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    int count() const { return m_count; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            auto *w = static_cast<QWidget *>(watched);
            if (w == m_root || m_root->isAncestorOf(w))
                ++m_count;
        }
        return false;
    }

private:
    QWidget *m_root;
    int m_count = 0;
};

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Runs the event loop until `done` holds or `ms` have passed. The loop
// sleeps between events (a 1 ms timer wakes it to look again), so the wait
// itself costs next to no CPU in the figures.
bool waitFor(const std::function<bool()> &done, int ms = 5000)
{
    QElapsedTimer t;
    t.start();
    QTimer wake;
    wake.start(1);
    while (!done()) {
        if (t.elapsed() > ms)
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// Something that repaints part of the left pane, and the paint it causes.
// Returns the CPU milliseconds of `action` plus its paint (median of
// `rounds`); the wait for a paint that a frame pacer holds back costs no CPU.
double paintedCpuMs(PaintCounter &paints, int rounds, const std::function<void(int)> &action)
{
    std::vector<double> costs;
    for (int i = 0; i < rounds; ++i) {
        settle();
        const int before = paints.count();
        const double c0 = cpuMs();
        action(i);
        waitFor([&] { return paints.count() > before; }, 200);
        settle();
        costs.push_back(cpuMs() - c0);
    }
    return median(costs);
}

struct App {
    MainWindow window;
    QString html = FileLookup::join(FileLookup::exeFolder(), QStringLiteral("HTML/"));

    bool show()
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        waitFor([&] { return !window.coursePane()->browser()->isBusy(); });
        QTest::qWait(300);
        return true;
    }

    // Opens the kind's page as a link would; true once the pane has switched.
    bool open(int kind)
    {
        const KindEntry *entry = findKind(kind);
        if (!entry)
            return false;
        window.coursePane()->browser()->navigate(html + entry->page);
        return waitFor([&] { return activeKind() == kind && !window.coursePane()->browser()->isBusy(); });
    }

    SimulationWindow *model() const { return window.host()->activeWindow(); }
};

// The floor: a paint box over the whole left pane, cleared and shown.
double floorCpuMs(App &app, PaintCounter &paints, int rounds)
{
    AlignPanel *pane = app.window.leftPane();
    PaintBox box(pane);
    box.setGeometry(pane->contentsRect());
    box.show();
    box.raise();
    settle();
    const double ms = paintedCpuMs(paints, rounds, [&](int i) {
        box.beginUpdate();
        box.bitmap().clear(i % 2 ? 0xFFFFFFFF : 0xFFFFFFFE);
        box.endUpdate();
    });
    return ms;
}

int listKinds()
{
    for (int k = 1; k <= 17; ++k) {
        const KindEntry *e = findKind(k);
        QString what;
        switch (e->mode) {
        case PaneMode::Window:
            if (!e->createWindow) {
                what = QStringLiteral("none");
            } else {
                // Built once to see whether it runs on a clock.
                SimulationWindow *w = e->createWindow();
                what = w->clock() ? QStringLiteral("animated") : QStringLiteral("static");
                delete w;
            }
            break;
        case PaneMode::Movie:
            what = QStringLiteral("movie");
            break;
        case PaneMode::View3D:
        case PaneMode::MovieOver3D:
            what = e->buildScene ? QStringLiteral("scene") : QStringLiteral("none");
            break;
        }
        std::printf("kind %d %s %s\n", k, qPrintable(e->page), qPrintable(what));
    }
    return 0;
}

int pageSwitch(int kind)
{
    App app;
    if (!app.show())
        return 1;
    PaintCounter paints(app.window.leftPane());
    const int before = paints.count();
    QElapsedTimer wall;
    const double c0 = cpuMs();
    wall.start();
    if (!app.open(kind))
        return 2;
    SceneViewer *viewer = app.window.view3D()->viewer();
    if (viewer)
        waitFor([&] { return viewer->framesDrawn() > 0; });
    else
        waitFor([&] { return paints.count() > before; }, 1000);
    settle();
    print("switch_wall_ms", double(wall.nsecsElapsed()) / 1e6);
    print("switch_cpu_ms", cpuMs() - c0);
    return 0;
}

// Starts an animated window and takes its clock off the driver, so that
// only the benchmark's ticks move it.
void startHeld(SimulationWindow *w)
{
    if (w->resetAction() && w->resetAction()->isEnabled())
        w->resetAction()->trigger();
    if (w->startAction() && w->startAction()->isEnabled())
        w->startAction()->trigger();
    w->clock()->setEnabled(false);
}

// visitFirst: a kind whose page is opened before (a movie page, to see what
// the movie leaves behind in the main window); 0 for none.
int frame(int kind, int rounds, int visitFirst)
{
    App app;
    if (!app.show())
        return 1;
    if (visitFirst > 0) {
        if (!app.open(visitFirst))
            return 1;
        QTest::qWait(500);
    }
    if (!app.open(kind))
        return 1;
    SimulationWindow *w = app.model();
    if (!w)
        return 2;
    QTest::qWait(200);
    PaintCounter paints(app.window.leftPane());
    double ms = 0;
    if (AnimationClock *clock = w->clock()) {
        startHeld(w);
        const int speed = std::max(1, activeSpeed());
        double t = 0;
        ms = paintedCpuMs(paints, rounds, [&](int) {
            if (w->startAction() && w->startAction()->isEnabled())
                startHeld(w); // it ran to its end
            t += 1.0 / speed;
            clock->onProgress(clock, 1.0 / speed, t);
        });
    } else {
        const auto boxes = w->toolbar()->findChildren<ToolbarSpinBox *>();
        auto it = std::find_if(boxes.begin(), boxes.end(), [](ToolbarSpinBox *b) { return b->isEnabled(); });
        if (it == boxes.end())
            return 3;
        ToolbarSpinBox *box = *it;
        ms = paintedCpuMs(paints, rounds, [&](int i) {
            // Up and down in turn: always a change, always inside the range.
            const bool up = box->value() < box->maximum() && (i % 2 == 0 || box->value() <= box->minimum());
            box->stepBy(up ? 1 : -1);
        });
    }
    print("frame_cpu_ms", ms);
    print("floor_cpu_ms", floorCpuMs(app, paints, rounds));
    return 0;
}

int run(int kind, int speed, int seconds)
{
    if (speed > 0) {
        // The speed table is read at start-up from the settings; the bench's
        // store is empty, so it is set after the window exists.
    }
    App app;
    if (!app.show() || !app.open(kind))
        return 1;
    if (speed > 0)
        animationSpeeds()[size_t(kind)] = speed;
    QTest::qWait(300);
    PaintCounter paints(app.window.leftPane());
    AnimationClock *clock = nullptr;
    SceneViewer *viewer = app.window.view3D()->viewer();
    auto *oscillator = qobject_cast<DampedOscillatorWindow *>(app.model());
    if (SimulationWindow *w = app.model()) {
        clock = w->clock();
        if (!clock)
            return 2;
    } else if (viewer) {
        clock = app.window.view3D()->clock();
    } else {
        return 3;
    }
    long ticks = 0, samples = 0;
    std::vector<double> sampleTimes;
    QElapsedTimer wall;
    const ClockStep original = clock->onProgress;
    clock->onProgress = [&](AnimationClock *c, double dt, double t) {
        ++ticks;
        const int before = oscillator ? oscillator->model().sample() : 0;
        original(c, dt, t);
        if (oscillator && oscillator->model().sample() != before) {
            ++samples;
            sampleTimes.push_back(double(wall.nsecsElapsed()) / 1e6);
        }
    };
    const quint64 frames0 = viewer ? viewer->framesDrawn() : 0;
    const int paints0 = paints.count();
    if (app.model())
        app.model()->startAction()->trigger();
    else
        app.window.view3D()->startAction()->trigger();
    // The damped oscillator stops by itself after its last sample: start it
    // again, as a user would, so the whole interval runs.
    if (SimulationWindow *w = app.model())
        QObject::connect(w->startAction(), &QAction::enabledChanged, w, [w](bool enabled) {
            if (enabled)
                QTimer::singleShot(0, w->startAction(), &QAction::trigger);
        });
    QEventLoop loop;
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    const double c0 = cpuMs();
    wall.start();
    loop.exec();
    const double s = double(wall.nsecsElapsed()) / 1e9;
    print("cpu_percent", (cpuMs() - c0) / 10.0 / s);
    print("ticks_per_s", double(ticks) / s);
    print("paints_per_s", double(paints.count() - paints0) / s);
    if (viewer) {
        print("frames_per_s", double(viewer->framesDrawn() - frames0) / s);
        print("viewer_width", viewer->width());
        print("viewer_height", viewer->height());
    }
    if (oscillator) {
        print("samples_per_s", double(samples) / s);
        // Smoothness: how regularly the samples came.
        std::vector<double> gaps;
        for (size_t i = 1; i < sampleTimes.size(); ++i)
            gaps.push_back(sampleTimes[i] - sampleTimes[i - 1]);
        if (!gaps.empty()) {
            const double mean = std::accumulate(gaps.begin(), gaps.end(), 0.0) / double(gaps.size());
            double var = 0;
            for (double g : gaps)
                var += (g - mean) * (g - mean);
            print("sample_gap_mean_ms", mean);
            print("sample_gap_sd_ms", std::sqrt(var / double(gaps.size())));
            std::sort(gaps.begin(), gaps.end());
            print("sample_gap_p99_ms", gaps[std::min(gaps.size() - 1, size_t(double(gaps.size()) * 0.99))]);
        }
    }
    clock->onProgress = original;
    return 0;
}

int marker(int rounds)
{
    App app;
    if (!app.show() || !app.open(DampedOscillatorKind))
        return 1;
    auto *w = qobject_cast<DampedOscillatorWindow *>(app.model());
    if (!w)
        return 2;
    QTest::qWait(200);
    PaintCounter paints(app.window.leftPane());
    const auto &curve = w->model().curve();
    const double ms = paintedCpuMs(paints, rounds, [&](int i) {
        const size_t k = size_t(i + 1) % curve.x.size();
        w->chart()->setPoints(w->markerSeries(), {QPointF(curve.time[k], curve.x[k])});
    });
    print("marker_cpu_ms", ms);
    print("floor_cpu_ms", floorCpuMs(app, paints, rounds));
    return 0;
}

int bareWave(int width, int height, int seconds)
{
    if (!SceneViewer::isOpenGLAvailable())
        return 1;
    Scene3D scene;
    EmWaveScene::build(*scene.sceneBase(), scene.materials());
    scene.resetCamera(864.0f / 1000.0f);
    SceneViewer viewer;
    viewer.setScene(&scene);
    viewer.resize(width, height);
    viewer.show();
    if (!QTest::qWaitForWindowExposed(&viewer) || !waitFor([&] { return viewer.framesDrawn() > 0; }))
        return 2;
    float angle = 0;
    auto frame = [&] {
        const quint64 before = viewer.framesDrawn();
        angle = angle > 360.0f ? 0.0f : angle + 1.7f;
        EmWaveScene::update(*scene.sceneBase(), angle);
        waitFor([&] { return viewer.framesDrawn() > before; });
    };
    for (int i = 0; i < 10; ++i)
        frame();
    QElapsedTimer t;
    t.start();
    int frames = 0;
    while (t.elapsed() < seconds * 1000) {
        frame();
        ++frames;
    }
    print("frames_per_s", frames * 1000.0 / double(t.elapsed()));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quillon"));
    QApplication::setApplicationName(QStringLiteral("Orvanta"));
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    const int a = args.value(2).toInt();
    const int b = args.value(3).toInt();
    if (mode == QLatin1String("kinds"))
        return listKinds();
    if (mode == QLatin1String("switch"))
        return pageSwitch(a);
    if (mode == QLatin1String("frame"))
        return frame(a, 41, b);
    if (mode == QLatin1String("run"))
        return run(a, b, 4);
    if (mode == QLatin1String("marker"))
        return marker(41);
    if (mode == QLatin1String("emwave"))
        return bareWave(a, b, 4);
    std::fprintf(stderr, "usage: bench_app kinds | switch K | frame K [first K] | run K [speed] | marker | emwave W H\n");
    return 64;
}
