// The 3D view through the main window: showing the wave, Start and Stop,
// the clock's tick, the scroll bar, Polar and Random, zoom and the mouse.
#include "AppTestSupport.h"

#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "app/KindsTable.h"
#include "app/MainWindow.h"
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"
#include "scene3d/scenes/EmWaveScene.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <cmath>

using namespace TestSupport;

namespace {

// The electric value of vector k at a phase angle.
float field(int k, float angle)
{
    const float d = float(double(angle) * M_PI / 180.0);
    return float(std::sin(double(k) * double(0.34906584f) - double(d)));
}

// The phase the shown wave is set to, read back from its first shafts.
bool waveShows(MainWindow &w, float angle)
{
    SceneNode *segment = w.sceneBase->child(0);
    if (!segment)
        return false;
    for (int k = 0; k < 10; ++k)
        if (std::fabs(segment->child(ElectricHead + k)->y() - field(k, angle)) > 1e-6f)
            return false;
    return true;
}

// A user's move of the scroll bar's thumb (the position the program sets
// itself does not scroll the scene).
void drag(QScrollBar *bar, int position)
{
    bar->setSliderPosition(position);
}

} // namespace

class TestView3DControls : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void showsAStillWave();
    void startStopAndComingBack();
    void runsOnItsClock();
    void clockTick();
    void scrollBarWhileStopped();
    void polarAndRandom();
    void zoomButtons();
    void mouseRotatePanWheel();
    void scrollBarOfThePolarisationKind();

private:
    std::unique_ptr<ScopedSettings> m_settings;
    std::unique_ptr<ScopedDialogAnswers> m_answers;
    std::unique_ptr<MainWindow> m_w;
};

void TestView3DControls::init()
{
    if (!SceneViewer::isOpenGLAvailable())
        QSKIP("no OpenGL on this display");
    m_settings = std::make_unique<ScopedSettings>();
    m_answers = std::make_unique<ScopedDialogAnswers>(true);
    animationSpeeds() = defaultAnimationSpeeds();
    m_w = std::make_unique<MainWindow>(fixedScreen());
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
}

void TestView3DControls::cleanup()
{
    m_w.reset();
    restoreKindsForTesting();
    m_answers.reset();
    m_settings.reset();
}

void TestView3DControls::showsAStillWave()
{
    MainWindow &w = *m_w;
    w.showSimulation(15);
    QVERIFY(w.viewer->isVisible());
    QCOMPARE(w.viewer->scene(), w.scene);
    QCOMPARE(w.sceneBase->count(), 6);
    QVERIFY(waveShows(w, 0));
    QVERIFY(w.startAction->isEnabled());
    QVERIFY(!w.stopAction->isEnabled());
    QVERIFY(!w.clock->isEnabled());
    const float r = 864.0f / 1000.0f;
    QCOMPARE(w.camera->position(), QVector3D(5.94f * r, 2.19f * r, 4.01f * r));
    QCOMPARE(w.camera->targetObject(), w.origin);
    QCOMPARE(w.sceneBase->position(), QVector3D());
    QCOMPARE(w.viewer->toolTip(), QStringLiteral("Use left mouse button to rotate and right mouse button to pan"));
    // The viewer draws it.
    QTRY_VERIFY(w.viewer->framesDrawn() > 0);
    QVERIFY(w.viewer->errorText().isEmpty());
}

void TestView3DControls::startStopAndComingBack()
{
    MainWindow &w = *m_w;
    w.showSimulation(15);
    w.startAction->trigger();
    QVERIFY(w.clock->isEnabled());
    QVERIFY(!w.startAction->isEnabled());
    QVERIFY(w.stopAction->isEnabled());
    // The clock's ticks reach the wave.
    w.clock->onProgress(w.clock, 0.5, 0.5);
    QCOMPARE(w.sceneAngle, 50.0f);
    QVERIFY(waveShows(w, 50));

    w.stopAction->trigger();
    QVERIFY(!w.clock->isEnabled());
    QVERIFY(w.startAction->isEnabled());
    QVERIFY(!w.stopAction->isEnabled());
    w.startAction->trigger();

    // Leaving while it runs, and coming back: a still wave, Start enabled.
    w.showSimulation(9);
    QVERIFY(!w.clock->isEnabled());
    QCOMPARE(w.sceneBase->count(), 0);
    w.showSimulation(15);
    QVERIFY(!w.clock->isEnabled());
    QVERIFY(w.startAction->isEnabled());
    QVERIFY(!w.stopAction->isEnabled());
    QCOMPARE(w.sceneAngle, 0.0f);
    QCOMPARE(w.angleScrollBar->value(), 0);
    QCOMPARE(w.sceneBase->count(), 6);
    QVERIFY(waveShows(w, 0));
}

void TestView3DControls::runsOnItsClock()
{
    MainWindow &w = *m_w;
    w.showSimulation(15);
    QTRY_VERIFY(w.viewer->framesDrawn() > 0);
    const quint64 frames = w.viewer->framesDrawn();
    w.startAction->trigger();
    // 100 degrees a second by default; the viewer shows the ticks.
    QTRY_VERIFY(w.sceneAngle > 5.0f);
    QTRY_VERIFY(w.viewer->framesDrawn() > frames + 2);
    QCOMPARE(w.angleScrollBar->value(), int(std::trunc(w.sceneAngle)));
    QVERIFY(waveShows(w, w.sceneAngle));
    w.stopAction->trigger();
    const float stopped = w.sceneAngle;
    QTest::qWait(150);
    QCOMPARE(w.sceneAngle, stopped);
}

void TestView3DControls::clockTick()
{
    MainWindow &w = *m_w;
    w.showSimulation(15);
    w.advanceScene(0.25, 0.25);
    QCOMPARE(w.sceneAngle, 25.0f);
    QCOMPARE(w.angleScrollBar->value(), 25);
    QVERIFY(waveShows(w, 25));
    // The speed is read at every tick.
    animationSpeeds()[15] = 40;
    w.advanceScene(0.5, 0.75);
    QCOMPARE(w.sceneAngle, 45.0f);
    animationSpeeds()[15] = 100;
    w.advanceScene(0.0456, 0.8);
    QCOMPARE(w.angleScrollBar->value(), 49); // truncated
    // Up to 360 inclusive, then back to 0 with the overshoot dropped.
    w.sceneAngle = 350.0f;
    w.advanceScene(0.1, 1.0);
    QCOMPARE(w.sceneAngle, 360.0f);
    QCOMPARE(w.angleScrollBar->value(), 360);
    w.advanceScene(0.05, 1.05);
    QCOMPARE(w.sceneAngle, 0.0f);
    QCOMPARE(w.angleScrollBar->value(), 0);
    QVERIFY(waveShows(w, 0));
    // Not for another kind.
    w.showSimulation(16);
    w.advanceScene(0.5, 2.0);
    QCOMPARE(w.sceneAngle, 0.0f);
}

void TestView3DControls::scrollBarWhileStopped()
{
    MainWindow &w = *m_w;
    w.showSimulation(15);
    w.advanceScene(0.3, 0.3); // angle 30
    drag(w.angleScrollBar, 200);
    QVERIFY(waveShows(w, 200));
    QCOMPARE(w.sceneAngle, 30.0f); // the clock's angle stays
    // What the program sets itself does not move the wave.
    w.angleScrollBar->setValue(123);
    QVERIFY(waveShows(w, 200));
    // Start continues from the clock's angle, and the bar jumps back to it.
    w.startAction->trigger();
    w.clock->onProgress(w.clock, 0.1, 0.4);
    QCOMPARE(w.sceneAngle, 40.0f);
    QCOMPARE(w.angleScrollBar->value(), 40);
    QVERIFY(waveShows(w, 40));
}

void TestView3DControls::polarAndRandom()
{
    MainWindow &w = *m_w;
    w.showSimulation(15);
    QVERIFY(w.polarAction->isChecked() && !w.randomAction->isChecked());
    // Polar: the plane never moves.
    drag(w.angleScrollBar, 60);
    QCOMPARE(w.sceneBase->pitchAngle(), 0.0f);

    w.randomAction->trigger();
    QVERIFY(w.randomAction->isChecked() && !w.polarAction->isChecked());
    w.scene->random().seed(7);
    auto next = [&] {
        QRandomGenerator copy = w.scene->random();
        return float(copy.bounded(360));
    };
    float expected = next();
    drag(w.angleScrollBar, 61);
    QCOMPARE(w.sceneBase->pitchAngle(), 0.0f); // not a multiple of 60
    drag(w.angleScrollBar, 120);
    QCOMPARE(w.sceneBase->pitchAngle(), expected);
    QVERIFY(expected >= 0 && expected <= 359);

    // The clock: only when the truncated angle is a multiple of 60.
    float pitch = w.sceneBase->pitchAngle();
    w.sceneAngle = 58.0f;
    w.advanceScene(0.015, 1.0); // 59.5
    QCOMPARE(w.sceneBase->pitchAngle(), pitch);
    expected = next();
    w.advanceScene(0.01, 1.1); // 60.5
    QCOMPARE(w.sceneBase->pitchAngle(), expected);

    // Clicking the checked button does nothing.
    w.sceneBase->setPitchAngle(33.0f);
    w.randomAction->trigger();
    QVERIFY(w.randomAction->isChecked() && !w.polarAction->isChecked());
    QCOMPARE(w.sceneBase->pitchAngle(), 33.0f);
    // Showing the scene again levels it; the choice stays.
    w.showSimulation(9);
    w.showSimulation(15);
    QCOMPARE(w.sceneBase->pitchAngle(), 0.0f);
    QVERIFY(w.randomAction->isChecked());
    // Back to Polar levels the plane.
    w.sceneBase->setPitchAngle(250.0f);
    w.polarAction->trigger();
    QVERIFY(w.polarAction->isChecked() && !w.randomAction->isChecked());
    QCOMPARE(w.sceneBase->pitchAngle(), 0.0f);
    w.sceneBase->setPitchAngle(12.0f);
    w.polarAction->trigger();
    QVERIFY(w.polarAction->isChecked());
    QCOMPARE(w.sceneBase->pitchAngle(), 12.0f);
}

void TestView3DControls::zoomButtons()
{
    MainWindow &w = *m_w;
    w.showSimulation(15);
    const float d0 = w.camera->distanceToTarget();
    w.zoomInAction->trigger();
    QVERIFY(std::fabs(w.camera->distanceToTarget() - d0 * 0.8638376f) < 1e-4f);
    w.zoomOutAction->trigger();
    QVERIFY(std::fabs(w.camera->distanceToTarget() - d0) < 1e-5f * d0);
    w.zoomOutAction->trigger();
    QVERIFY(std::fabs(w.camera->distanceToTarget() - d0 * 1.157625f) < 1e-4f);
}

void TestView3DControls::mouseRotatePanWheel()
{
    MainWindow &w = *m_w;
    w.showSimulation(15);
    SceneViewer *v = w.viewer;
    Camera &cam = *w.camera;
    auto elevation = [&] { return std::asin(cam.position().y() / cam.distanceToTarget()) * 180 / M_PI; };
    auto azimuth = [&] { return std::atan2(cam.position().x(), cam.position().z()) * 180 / M_PI; };
    const double e0 = elevation(), a0 = azimuth();

    // Left drag up by 5 and left by 10 pixels: 5 degrees more from above,
    // 10 degrees round.
    sendMouse(v, QEvent::MouseButtonPress, QPointF(100, 100), Qt::LeftButton, Qt::LeftButton);
    sendMouse(v, QEvent::MouseMove, QPointF(95, 98), Qt::NoButton, Qt::LeftButton);
    sendMouse(v, QEvent::MouseMove, QPointF(90, 95), Qt::NoButton, Qt::LeftButton);
    sendMouse(v, QEvent::MouseButtonRelease, QPointF(90, 95), Qt::LeftButton, Qt::NoButton);
    QVERIFY(std::fabs(elevation() - (e0 + 5)) < 1e-3);
    QVERIFY(std::fabs(azimuth() - (a0 + 10)) < 1e-3);

    // Right drag pans the base in the screen plane.
    const QVector3D cameraPos = cam.absolutePosition();
    const float step = cam.unitsPerPixel();
    sendMouse(v, QEvent::MouseButtonPress, QPointF(50, 50), Qt::RightButton, Qt::RightButton);
    sendMouse(v, QEvent::MouseMove, QPointF(60, 40), Qt::NoButton, Qt::RightButton);
    QVERIFY((w.sceneBase->position() - panOffset(cameraPos, 10, -10, step)).length() < 1e-6f);
    QCOMPARE(w.mouseAnchor, QPointF(60, 40));
    sendMouse(v, QEvent::MouseButtonRelease, QPointF(60, 40), Qt::RightButton, Qt::NoButton);
    // Moving with no button only follows the anchor.
    const QVector3D camBefore = cam.position(), baseBefore = w.sceneBase->position();
    sendMouse(v, QEvent::MouseMove, QPointF(300, 10), Qt::NoButton, Qt::NoButton);
    QCOMPARE(cam.position(), camBefore);
    QCOMPARE(w.sceneBase->position(), baseBefore);

    // Two wheel notches away from the user: 1.05 squared further.
    const float d0 = cam.distanceToTarget();
    QWheelEvent wheel(QPointF(20, 20), v->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(v, &wheel);
    QVERIFY(wheel.isAccepted());
    QVERIFY(std::fabs(cam.distanceToTarget() - d0 * 1.1025f) < 1e-4f);

    // A click gives the viewer the keyboard and the wheel.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.angleScrollBar->setFocus();
    QTest::mouseClick(v, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(v));
}

void TestView3DControls::scrollBarOfThePolarisationKind()
{
    // The scroll bar of kind 16 turns its scene and tells the movie.
    QList<float> angles;
    KindEntry pol = *findKind(16);
    pol.buildScene = [](SceneNode &base, MaterialLibrary &) { base.addNewChild<SceneNode>(); };
    pol.updateScene = [&](SceneNode &, float angle) { angles << angle; };
    overrideKindForTesting(pol);
    MainWindow &w = *m_w;
    w.showSimulation(16);
    QCOMPARE(w.sceneBase->count(), 1);
    QVERIFY(angles.isEmpty()); // setting the range moves nothing
    drag(w.angleScrollBar, -30);
    drag(w.angleScrollBar, 90);
    QCOMPARE(angles, QList<float>({-30.0f, 90.0f}));
}

QTEST_MAIN(TestView3DControls)
#include "tst_view3dcontrols.moc"
