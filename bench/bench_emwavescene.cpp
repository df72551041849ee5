// Speed of the running electromagnetic wave: frames per second of an
// 800 x 600 viewer (each frame one update of the wave, as a clock tick
// makes it, then the redraw it asks for), and the cost of the update and
// of walking the scene without drawing.
//
// Run by hand under the display to be measured, e.g.
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/bench_emwavescene
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"
#include "scene3d/scenes/EmWaveScene.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

// The wave as a shown scene presents it, in an 800 x 600 viewer.
struct ShownWave {
    Scene3D scene;
    SceneViewer viewer;
    bool show()
    {
        EmWaveScene::build(*scene.sceneBase(), scene.materials());
        scene.resetCamera(864.0f / 1000.0f);
        viewer.setScene(&scene);
        viewer.resize(800, 600);
        viewer.show();
        if (!QTest::qWaitForWindowExposed(&viewer))
            return false;
        return QTest::qWaitFor([&] { return viewer.framesDrawn() > 0; });
    }
};

} // namespace

class BenchEmWaveScene : public QObject
{
    Q_OBJECT
private slots:
    void framesPerSecond();
    void runningOnTheClock();
    void updateOnly();
    void updateAndCollect();
};

void BenchEmWaveScene::framesPerSecond()
{
    if (!SceneViewer::isOpenGLAvailable())
        QSKIP("no OpenGL on this display");
    ShownWave shown;
    QVERIFY(shown.show());
    Scene3D &scene = shown.scene;
    SceneViewer &viewer = shown.viewer;

    float angle = 0.0f;
    auto frame = [&] {
        const quint64 before = viewer.framesDrawn();
        angle += 1.7f;
        if (angle > 360.0f)
            angle = 0.0f;
        EmWaveScene::update(*scene.sceneBase(), angle);
        while (viewer.framesDrawn() == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    };
    for (int i = 0; i < 10; ++i)
        frame(); // warm up
    QElapsedTimer t;
    t.start();
    int frames = 0;
    while (t.elapsed() < 4000) {
        frame();
        ++frames;
    }
    const double fps = frames * 1000.0 / double(t.elapsed());
    qInfo("EM wave at %dx%d, %d samples: %.1f frames per second (%d frames)", viewer.width(), viewer.height(),
          viewer.samples(), fps, frames);
}

void BenchEmWaveScene::runningOnTheClock()
{
    // As the program runs it: the view's clock ticks as fast as the event
    // loop allows, each tick advancing the wave 100 degrees a second, and
    // the viewer redraws whenever a tick changed the scene.
    if (!SceneViewer::isOpenGLAvailable())
        QSKIP("no OpenGL on this display");
    ShownWave shown;
    QVERIFY(shown.show());
    Scene3D &scene = shown.scene;
    SceneViewer &viewer = shown.viewer;

    float angle = 0.0f;
    int ticks = 0;
    scene.clock().onProgress = [&](AnimationClock *, double dt, double) {
        angle = float(double(angle) + 100.0 * dt);
        if (angle > 360.0f)
            angle = 0.0f;
        EmWaveScene::update(*scene.sceneBase(), angle);
        ++ticks;
    };
    const quint64 startFrames = viewer.framesDrawn();
    QElapsedTimer t;
    t.start();
    scene.clock().setEnabled(true);
    while (t.elapsed() < 4000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    scene.clock().setEnabled(false);
    const double seconds = double(t.elapsed()) / 1000.0;
    qInfo("EM wave on its clock at %dx%d: %.1f frames per second, %.0f ticks per second",
          viewer.width(), viewer.height(), double(viewer.framesDrawn() - startFrames) / seconds, ticks / seconds);
}

void BenchEmWaveScene::updateOnly()
{
    Scene3D scene;
    EmWaveScene::build(*scene.sceneBase(), scene.materials());
    float angle = 0.0f;
    QBENCHMARK {
        angle = angle > 360.0f ? 0.0f : angle + 0.7f;
        EmWaveScene::update(*scene.sceneBase(), angle);
    }
}

void BenchEmWaveScene::updateAndCollect()
{
    Scene3D scene;
    EmWaveScene::build(*scene.sceneBase(), scene.materials());
    float angle = 0.0f;
    size_t items = 0;
    QBENCHMARK {
        angle = angle > 360.0f ? 0.0f : angle + 0.7f;
        EmWaveScene::update(*scene.sceneBase(), angle);
        items += collectDrawItems(scene.root()).size();
    }
    QVERIFY(items > 0);
}

QTEST_MAIN(BenchEmWaveScene)
#include "bench_emwavescene.moc"
