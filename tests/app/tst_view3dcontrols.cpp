// The 3D view through the main window: showing the wave, Start and Stop,
// the clock's tick, the scroll bar, Polar and Random, zoom and the mouse.
#include "AppTestSupport.h"
#include "app/SimulationHost.h"
#include "app/View3DControls.h"

#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "app/KindsTable.h"
#include "app/MoviePlayer.h"
#include "app/MainWindow.h"
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"
#include "scene3d/scenes/EmWaveScene.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
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
    SceneNode *segment = w.view3D()->scene()->sceneBase()->child(0);
    if (!segment)
        return false;
    for (int k = 0; k < 10; ++k)
        if (std::fabs(segment->child(EmWaveScene::ElectricHead + k)->y() - field(k, angle)) > 1e-6f)
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
    void viewerMadeOnTheFirst3DPage();
    void showsAStillWave();
    void startStopAndComingBack();
    void runsOnItsClock();
    void clockTick();
    void scrollBarWhileStopped();
    void polarAndRandom();
    void zoomButtons();
    void mouseRotatePanWheel();
    void keysTurnZoomAndRun();
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

void TestView3DControls::viewerMadeOnTheFirst3DPage()
{
    // Nothing of OpenGL until a 3D page opens; then the view draws in a
    // window of its own, and no widget of the main window draws through
    // OpenGL (that would make the whole window compose through it).
    MainWindow &w = *m_w;
    QVERIFY(!w.view3D()->viewer());
    w.host()->showSimulation(9);
    QVERIFY(!w.view3D()->viewer());
    w.view3D()->setBackgroundColor(0x00405060);
    w.host()->showSimulation(15);
    SceneViewer *viewer = w.view3D()->viewer();
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->backgroundColor(), 0x00405060u);
    QVERIFY(!w.view3D()->noOpenGLMessage()->isVisible());
    QWidget *surface = viewer->findChild<QWidget *>(QStringLiteral("viewerSurface"));
    QVERIFY(surface);
    QCOMPARE(surface->geometry(), viewer->rect());
    QTRY_VERIFY(viewer->framesDrawn() > 0);
    const auto noWidgetDrawsThroughOpenGL = [&w] {
        for (const QWidget *child : w.findChildren<QWidget *>())
            if (child->inherits("QOpenGLWidget") || child->inherits("QQuickWidget"))
                return QByteArray(child->metaObject()->className());
        return QByteArray();
    };
    QCOMPARE(noWidgetDrawsThroughOpenGL(), QByteArray());
    // The same viewer serves every later 3D page.
    w.host()->showSimulation(9);
    QVERIFY(!viewer->isVisible());
    w.host()->showSimulation(16);
    QCOMPARE(w.view3D()->viewer(), viewer);
    QVERIFY(viewer->isVisible());
    // The movie above it may make the window recreate its native windows;
    // the view still draws, in a surface covering it.
    const quint64 frames = viewer->framesDrawn();
    w.view3D()->setBackgroundColor(0x00405061);
    QTRY_VERIFY(viewer->framesDrawn() > frames);
    surface = viewer->findChild<QWidget *>(QStringLiteral("viewerSurface"));
    QVERIFY(surface && surface->isVisible());
    QCOMPARE(surface->geometry(), viewer->rect());
    // Nor does the film above it: it plays in a window of its own.
    QVERIFY(w.host()->moviePlayer()->hasMovie());
    QCOMPARE(noWidgetDrawsThroughOpenGL(), QByteArray());
}

void TestView3DControls::showsAStillWave()
{
    MainWindow &w = *m_w;
    w.host()->showSimulation(15);
    QVERIFY(w.view3D()->viewer()->isVisible());
    QCOMPARE(w.view3D()->viewer()->scene(), w.view3D()->scene());
    QCOMPARE(w.view3D()->scene()->sceneBase()->count(), 6);
    QVERIFY(waveShows(w, 0));
    QVERIFY(w.view3D()->startAction()->isEnabled());
    QVERIFY(!w.view3D()->stopAction()->isEnabled());
    QVERIFY(!w.view3D()->clock()->isEnabled());
    const float r = 864.0f / 1000.0f;
    QCOMPARE(w.view3D()->scene()->camera()->position(), QVector3D(5.94f * r, 2.19f * r, 4.01f * r));
    QCOMPARE(w.view3D()->scene()->camera()->targetObject(), w.view3D()->scene()->origin());
    QCOMPARE(w.view3D()->scene()->sceneBase()->position(), QVector3D());
    QCOMPARE(w.view3D()->viewer()->toolTip(), QStringLiteral("Use left mouse button to rotate and right mouse button to pan"));
    // The viewer draws it.
    QTRY_VERIFY(w.view3D()->viewer()->framesDrawn() > 0);
    QVERIFY(w.view3D()->viewer()->errorText().isEmpty());
}

void TestView3DControls::startStopAndComingBack()
{
    MainWindow &w = *m_w;
    w.host()->showSimulation(15);
    w.view3D()->startAction()->trigger();
    QVERIFY(w.view3D()->clock()->isEnabled());
    QVERIFY(!w.view3D()->startAction()->isEnabled());
    QVERIFY(w.view3D()->stopAction()->isEnabled());
    // The clock's ticks reach the wave.
    w.view3D()->clock()->onProgress(w.view3D()->clock(), 0.5, 0.5);
    QCOMPARE(w.view3D()->angle(), 50.0f);
    QVERIFY(waveShows(w, 50));

    w.view3D()->stopAction()->trigger();
    QVERIFY(!w.view3D()->clock()->isEnabled());
    QVERIFY(w.view3D()->startAction()->isEnabled());
    QVERIFY(!w.view3D()->stopAction()->isEnabled());
    w.view3D()->startAction()->trigger();

    // Leaving while it runs, and coming back: a still wave, Start enabled.
    w.host()->showSimulation(9);
    QVERIFY(!w.view3D()->clock()->isEnabled());
    QCOMPARE(w.view3D()->scene()->sceneBase()->count(), 0);
    w.host()->showSimulation(15);
    QVERIFY(!w.view3D()->clock()->isEnabled());
    QVERIFY(w.view3D()->startAction()->isEnabled());
    QVERIFY(!w.view3D()->stopAction()->isEnabled());
    QCOMPARE(w.view3D()->angle(), 0.0f);
    QCOMPARE(w.view3D()->angleScrollBar()->value(), 0);
    QCOMPARE(w.view3D()->scene()->sceneBase()->count(), 6);
    QVERIFY(waveShows(w, 0));
}

void TestView3DControls::runsOnItsClock()
{
    MainWindow &w = *m_w;
    w.host()->showSimulation(15);
    QTRY_VERIFY(w.view3D()->viewer()->framesDrawn() > 0);
    const quint64 frames = w.view3D()->viewer()->framesDrawn();
    w.view3D()->startAction()->trigger();
    // 100 degrees a second by default; the viewer shows the ticks.
    QTRY_VERIFY(w.view3D()->angle() > 5.0f);
    QTRY_VERIFY(w.view3D()->viewer()->framesDrawn() > frames + 2);
    QCOMPARE(w.view3D()->angleScrollBar()->value(), int(std::trunc(w.view3D()->angle())));
    QVERIFY(waveShows(w, w.view3D()->angle()));
    w.view3D()->stopAction()->trigger();
    const float stopped = w.view3D()->angle();
    QTest::qWait(150);
    QCOMPARE(w.view3D()->angle(), stopped);
}

void TestView3DControls::clockTick()
{
    MainWindow &w = *m_w;
    w.host()->showSimulation(15);
    w.view3D()->advanceScene(0.25, 0.25);
    QCOMPARE(w.view3D()->angle(), 25.0f);
    QCOMPARE(w.view3D()->angleScrollBar()->value(), 25);
    QVERIFY(waveShows(w, 25));
    // The speed is read at every tick.
    animationSpeeds()[15] = 40;
    w.view3D()->advanceScene(0.5, 0.75);
    QCOMPARE(w.view3D()->angle(), 45.0f);
    animationSpeeds()[15] = 100;
    w.view3D()->advanceScene(0.0456, 0.8);
    QCOMPARE(w.view3D()->angleScrollBar()->value(), 49); // truncated
    // Up to 360 inclusive, then back to 0 with the overshoot dropped.
    w.view3D()->setAngle(350.0f);
    w.view3D()->advanceScene(0.1, 1.0);
    QCOMPARE(w.view3D()->angle(), 360.0f);
    QCOMPARE(w.view3D()->angleScrollBar()->value(), 360);
    w.view3D()->advanceScene(0.05, 1.05);
    QCOMPARE(w.view3D()->angle(), 0.0f);
    QCOMPARE(w.view3D()->angleScrollBar()->value(), 0);
    QVERIFY(waveShows(w, 0));
    // Not for another kind.
    w.host()->showSimulation(16);
    w.view3D()->advanceScene(0.5, 2.0);
    QCOMPARE(w.view3D()->angle(), 0.0f);
}

void TestView3DControls::scrollBarWhileStopped()
{
    MainWindow &w = *m_w;
    w.host()->showSimulation(15);
    w.view3D()->advanceScene(0.3, 0.3); // angle 30
    drag(w.view3D()->angleScrollBar(), 200);
    QVERIFY(waveShows(w, 200));
    QCOMPARE(w.view3D()->angle(), 30.0f); // the clock's angle stays
    // What the program sets itself does not move the wave.
    w.view3D()->angleScrollBar()->setValue(123);
    QVERIFY(waveShows(w, 200));
    // Start continues from the clock's angle, and the bar jumps back to it.
    w.view3D()->startAction()->trigger();
    w.view3D()->clock()->onProgress(w.view3D()->clock(), 0.1, 0.4);
    QCOMPARE(w.view3D()->angle(), 40.0f);
    QCOMPARE(w.view3D()->angleScrollBar()->value(), 40);
    QVERIFY(waveShows(w, 40));
}

void TestView3DControls::polarAndRandom()
{
    MainWindow &w = *m_w;
    w.host()->showSimulation(15);
    QVERIFY(w.view3D()->polarAction()->isChecked() && !w.view3D()->randomAction()->isChecked());
    // Polar: the plane never moves.
    drag(w.view3D()->angleScrollBar(), 60);
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), 0.0f);

    w.view3D()->randomAction()->trigger();
    QVERIFY(w.view3D()->randomAction()->isChecked() && !w.view3D()->polarAction()->isChecked());
    w.view3D()->scene()->random().seed(7);
    auto next = [&] {
        QRandomGenerator copy = w.view3D()->scene()->random();
        return float(copy.bounded(360));
    };
    float expected = next();
    drag(w.view3D()->angleScrollBar(), 61);
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), 0.0f); // not a multiple of 60
    drag(w.view3D()->angleScrollBar(), 120);
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), expected);
    QVERIFY(expected >= 0 && expected <= 359);

    // The clock: only when the truncated angle is a multiple of 60.
    float pitch = w.view3D()->scene()->sceneBase()->pitchAngle();
    w.view3D()->setAngle(58.0f);
    w.view3D()->advanceScene(0.015, 1.0); // 59.5
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), pitch);
    expected = next();
    w.view3D()->advanceScene(0.01, 1.1); // 60.5
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), expected);

    // Clicking the checked button does nothing.
    w.view3D()->scene()->sceneBase()->setPitchAngle(33.0f);
    w.view3D()->randomAction()->trigger();
    QVERIFY(w.view3D()->randomAction()->isChecked() && !w.view3D()->polarAction()->isChecked());
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), 33.0f);
    // Showing the scene again levels it; the choice stays.
    w.host()->showSimulation(9);
    w.host()->showSimulation(15);
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), 0.0f);
    QVERIFY(w.view3D()->randomAction()->isChecked());
    // Back to Polar levels the plane.
    w.view3D()->scene()->sceneBase()->setPitchAngle(250.0f);
    w.view3D()->polarAction()->trigger();
    QVERIFY(w.view3D()->polarAction()->isChecked() && !w.view3D()->randomAction()->isChecked());
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), 0.0f);
    w.view3D()->scene()->sceneBase()->setPitchAngle(12.0f);
    w.view3D()->polarAction()->trigger();
    QVERIFY(w.view3D()->polarAction()->isChecked());
    QCOMPARE(w.view3D()->scene()->sceneBase()->pitchAngle(), 12.0f);
}

void TestView3DControls::zoomButtons()
{
    MainWindow &w = *m_w;
    w.host()->showSimulation(15);
    const float d0 = w.view3D()->scene()->camera()->distanceToTarget();
    w.view3D()->zoomInAction()->trigger();
    QVERIFY(std::fabs(w.view3D()->scene()->camera()->distanceToTarget() - d0 * 0.8638376f) < 1e-4f);
    w.view3D()->zoomOutAction()->trigger();
    QVERIFY(std::fabs(w.view3D()->scene()->camera()->distanceToTarget() - d0) < 1e-5f * d0);
    w.view3D()->zoomOutAction()->trigger();
    QVERIFY(std::fabs(w.view3D()->scene()->camera()->distanceToTarget() - d0 * 1.157625f) < 1e-4f);
}

void TestView3DControls::mouseRotatePanWheel()
{
    MainWindow &w = *m_w;
    w.host()->showSimulation(15);
    SceneViewer *v = w.view3D()->viewer();
    Camera &cam = *w.view3D()->scene()->camera();
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
    QVERIFY((w.view3D()->scene()->sceneBase()->position() - panOffset(cameraPos, 10, -10, step)).length() < 1e-6f);
    QCOMPARE(w.view3D()->mouseAnchor(), QPointF(60, 40));
    sendMouse(v, QEvent::MouseButtonRelease, QPointF(60, 40), Qt::RightButton, Qt::NoButton);
    // Moving with no button only follows the anchor.
    const QVector3D camBefore = cam.position(), baseBefore = w.view3D()->scene()->sceneBase()->position();
    sendMouse(v, QEvent::MouseMove, QPointF(300, 10), Qt::NoButton, Qt::NoButton);
    QCOMPARE(cam.position(), camBefore);
    QCOMPARE(w.view3D()->scene()->sceneBase()->position(), baseBefore);

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
    w.view3D()->angleScrollBar()->setFocus();
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
    w.host()->showSimulation(16);
    QCOMPARE(w.view3D()->scene()->sceneBase()->count(), 1);
    QVERIFY(angles.isEmpty()); // setting the range moves nothing
    drag(w.view3D()->angleScrollBar(), -30);
    drag(w.view3D()->angleScrollBar(), 90);
    QCOMPARE(angles, QList<float>({-30.0f, 90.0f}));
}

QTEST_MAIN(TestView3DControls)
#include "tst_view3dcontrols.moc"

// The keyboard does what the mouse and the buttons do: Tab reaches the view,
// the arrows turn the camera a step, + and - zoom like the buttons, Space
// starts and stops the wave; keys in the view never reach the camera while
// another widget has the focus.
void TestView3DControls::keysTurnZoomAndRun()
{
    MainWindow &w = *m_w;
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.host()->showSimulation(15);
    SceneViewer *v = w.view3D()->viewer();
    QVERIFY(v->focusPolicy() & Qt::TabFocus);
    v->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(v->hasFocus());
    Camera &cam = *w.view3D()->scene()->camera();
    auto elevation = [&] { return std::asin(cam.position().y() / cam.distanceToTarget()) * 180 / M_PI; };
    auto azimuth = [&] { return std::atan2(cam.position().x(), cam.position().z()) * 180 / M_PI; };
    const double e0 = elevation(), a0 = azimuth();
    const float d0 = cam.distanceToTarget();

    QTest::keyClick(v, Qt::Key_Left);
    QVERIFY(std::fabs(azimuth() - (a0 + 5)) < 1e-3);
    QTest::keyClick(v, Qt::Key_Right);
    QTest::keyClick(v, Qt::Key_Right);
    QVERIFY(std::fabs(azimuth() - (a0 - 5)) < 1e-3);
    QVERIFY(std::fabs(elevation() - e0) < 1e-3);
    QTest::keyClick(v, Qt::Key_Up);
    QVERIFY(std::fabs(elevation() - (e0 + 5)) < 1e-3);
    QTest::keyClick(v, Qt::Key_Down);
    QTest::keyClick(v, Qt::Key_Down);
    QVERIFY(std::fabs(elevation() - (e0 - 5)) < 1e-3);

    QTest::keyClick(v, Qt::Key_Plus, Qt::ShiftModifier);
    QVERIFY(std::fabs(cam.distanceToTarget() - d0 * 0.8638376f) < 1e-4f);
    QTest::keyClick(v, Qt::Key_Minus);
    QVERIFY(std::fabs(cam.distanceToTarget() - d0) < 1e-5f * d0);
    QTest::keyClick(v, Qt::Key_Equal);
    QVERIFY(cam.distanceToTarget() < d0 * 0.9f);

    // Space in the view starts and stops the wave, as the buttons do.
    QVERIFY(!w.view3D()->clock()->isEnabled());
    QTest::keyClick(v, Qt::Key_Space);
    QVERIFY(w.view3D()->clock()->isEnabled());
    QVERIFY(!w.view3D()->startAction()->isEnabled() && w.view3D()->stopAction()->isEnabled());
    QTest::keyClick(v, Qt::Key_Space);
    QVERIFY(!w.view3D()->clock()->isEnabled());
    QVERIFY(w.view3D()->startAction()->isEnabled());
    QVERIFY(w.view3D()->startAction()->toolTip().contains(QStringLiteral("Space")));

    // The polarisation scene has no Start: Space does nothing there.
    w.host()->showSimulation(16);
    QTRY_VERIFY(v->isVisible());
    // The movie's Qt Quick view makes the window's native windows anew, and
    // the test's display has no window manager to activate it again.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    v->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(v->hasFocus());
    QTest::keyClick(v, Qt::Key_Space);
    QVERIFY(!w.view3D()->clock()->isEnabled());
    const double a1 = azimuth();
    QTest::keyClick(v, Qt::Key_Left);
    QVERIFY(std::fabs(azimuth() - (a1 + 5)) < 1e-3);
}
