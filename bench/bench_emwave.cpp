// Speed of the running electromagnetic wave: frames per second of an
// 800 x 600 viewer (each frame one update of the wave, as a clock tick
// makes it, then the redraw it asks for), and the cost of the update and
// of walking the scene without drawing.
//
// Run by hand under the display to be measured, e.g.
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bin/bench_emwave
#include "scene3d/GLScene.h"
#include "scene3d/GLViewer.h"
#include "scene3d/GL_EMWave.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

// The wave as a shown scene presents it, in an 800 x 600 viewer.
struct ShownWave {
    TGLScene scene;
    TGLViewer viewer;
    bool Show()
    {
        BuildEMWaveScene(*scene.SceneBase, scene.MatLib);
        scene.ResetCamera(864.0f / 1000.0f);
        viewer.SetScene(&scene);
        viewer.resize(800, 600);
        viewer.show();
        if (!QTest::qWaitForWindowExposed(&viewer))
            return false;
        return QTest::qWaitFor([&] { return viewer.FramesDrawn() > 0; });
    }
};

} // namespace

class BenchEMWave : public QObject
{
    Q_OBJECT
private slots:
    void framesPerSecond();
    void runningOnTheClock();
    void updateOnly();
    void updateAndCollect();
};

void BenchEMWave::framesPerSecond()
{
    if (!TGLViewer::OpenGLAvailable())
        QSKIP("no OpenGL on this display");
    ShownWave shown;
    QVERIFY(shown.Show());
    TGLScene &scene = shown.scene;
    TGLViewer &viewer = shown.viewer;

    float angle = 0.0f;
    auto frame = [&] {
        const quint64 before = viewer.FramesDrawn();
        angle += 1.7f;
        if (angle > 360.0f)
            angle = 0.0f;
        UpdateEMWaveScene(*scene.SceneBase, angle);
        while (viewer.FramesDrawn() == before)
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
          viewer.Samples(), fps, frames);
}

void BenchEMWave::runningOnTheClock()
{
    // As the program runs it: the view's clock ticks as fast as the event
    // loop allows, each tick advancing the wave 100 degrees a second, and
    // the viewer redraws whenever a tick changed the scene.
    if (!TGLViewer::OpenGLAvailable())
        QSKIP("no OpenGL on this display");
    ShownWave shown;
    QVERIFY(shown.Show());
    TGLScene &scene = shown.scene;
    TGLViewer &viewer = shown.viewer;

    float angle = 0.0f;
    int ticks = 0;
    scene.GLCadencer.OnProgress = [&](TNGLCadencer *, double dt, double) {
        angle = float(double(angle) + 100.0 * dt);
        if (angle > 360.0f)
            angle = 0.0f;
        UpdateEMWaveScene(*scene.SceneBase, angle);
        ++ticks;
    };
    const quint64 startFrames = viewer.FramesDrawn();
    QElapsedTimer t;
    t.start();
    scene.GLCadencer.SetEnabled(true);
    while (t.elapsed() < 4000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    scene.GLCadencer.SetEnabled(false);
    const double seconds = double(t.elapsed()) / 1000.0;
    qInfo("EM wave on its clock at %dx%d: %.1f frames per second, %.0f ticks per second",
          viewer.width(), viewer.height(), double(viewer.FramesDrawn() - startFrames) / seconds, ticks / seconds);
}

void BenchEMWave::updateOnly()
{
    TGLScene scene;
    BuildEMWaveScene(*scene.SceneBase, scene.MatLib);
    float angle = 0.0f;
    QBENCHMARK {
        angle = angle > 360.0f ? 0.0f : angle + 0.7f;
        UpdateEMWaveScene(*scene.SceneBase, angle);
    }
}

void BenchEMWave::updateAndCollect()
{
    TGLScene scene;
    BuildEMWaveScene(*scene.SceneBase, scene.MatLib);
    float angle = 0.0f;
    size_t items = 0;
    QBENCHMARK {
        angle = angle > 360.0f ? 0.0f : angle + 0.7f;
        UpdateEMWaveScene(*scene.SceneBase, angle);
        items += CollectDrawItems(scene.Objects).size();
    }
    QVERIFY(items > 0);
}

QTEST_MAIN(BenchEMWave)
#include "bench_emwave.moc"
