// The 3D view through the main window: showing the wave, Start and Stop,
// the clock's tick, the scroll bar, Polar and Random, zoom and the mouse.
#include "TestSupport.h"

#include "app/CadencerEx.h"
#include "app/SimGlobals.h"
#include "app/SimulationRegistry.h"
#include "app/uWaveMain.h"
#include "scene3d/GLScene.h"
#include "scene3d/GLViewer.h"
#include "scene3d/GL_EMWave.h"

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
bool waveShows(TWaveMainFrm &w, float angle)
{
    TSceneNode *segment = w.SceneBase->Child(0);
    if (!segment)
        return false;
    for (int k = 0; k < 10; ++k)
        if (std::fabs(segment->Child(emElectricHead + k)->Y() - field(k, angle)) > 1e-6f)
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

class TestView3D : public QObject
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
    std::unique_ptr<TWaveMainFrm> m_w;
};

void TestView3D::init()
{
    if (!TGLViewer::OpenGLAvailable())
        QSKIP("no OpenGL on this display");
    m_settings = std::make_unique<ScopedSettings>();
    m_answers = std::make_unique<ScopedDialogAnswers>(true);
    Speeds = DefaultSpeeds();
    m_w = std::make_unique<TWaveMainFrm>(FixedScreen());
    m_w->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
}

void TestView3D::cleanup()
{
    m_w.reset();
    RestoreKindsForTesting();
    m_answers.reset();
    m_settings.reset();
}

void TestView3D::showsAStillWave()
{
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(15);
    QVERIFY(w.GLViewer->isVisible());
    QCOMPARE(w.GLViewer->Scene(), w.GLScene1);
    QCOMPARE(w.SceneBase->Count(), 6);
    QVERIFY(waveShows(w, 0));
    QVERIFY(w.StartBtn->isEnabled());
    QVERIFY(!w.StopBtn->isEnabled());
    QVERIFY(!w.GLCadencer->Enabled());
    const float r = 864.0f / 1000.0f;
    QCOMPARE(w.GLCamera->Position(), QVector3D(5.94f * r, 2.19f * r, 4.01f * r));
    QCOMPARE(w.GLCamera->TargetObject(), w.RootDC);
    QCOMPARE(w.SceneBase->Position(), QVector3D());
    QCOMPARE(w.GLViewer->toolTip(), QStringLiteral("Use left mouse button to rotate and right mouse button to pan"));
    // The viewer draws it.
    QTRY_VERIFY(w.GLViewer->FramesDrawn() > 0);
    QVERIFY(w.GLViewer->ErrorText().isEmpty());
}

void TestView3D::startStopAndComingBack()
{
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(15);
    w.StartBtn->trigger();
    QVERIFY(w.GLCadencer->Enabled());
    QVERIFY(!w.StartBtn->isEnabled());
    QVERIFY(w.StopBtn->isEnabled());
    // The clock's ticks reach the wave.
    w.GLCadencer->OnProgress(w.GLCadencer, 0.5, 0.5);
    QCOMPARE(w.GLAngle, 50.0f);
    QVERIFY(waveShows(w, 50));

    w.StopBtn->trigger();
    QVERIFY(!w.GLCadencer->Enabled());
    QVERIFY(w.StartBtn->isEnabled());
    QVERIFY(!w.StopBtn->isEnabled());
    w.StartBtn->trigger();

    // Leaving while it runs, and coming back: a still wave, Start enabled.
    w.ShowSimulation(9);
    QVERIFY(!w.GLCadencer->Enabled());
    QCOMPARE(w.SceneBase->Count(), 0);
    w.ShowSimulation(15);
    QVERIFY(!w.GLCadencer->Enabled());
    QVERIFY(w.StartBtn->isEnabled());
    QVERIFY(!w.StopBtn->isEnabled());
    QCOMPARE(w.GLAngle, 0.0f);
    QCOMPARE(w.GLhsb->value(), 0);
    QCOMPARE(w.SceneBase->Count(), 6);
    QVERIFY(waveShows(w, 0));
}

void TestView3D::runsOnItsClock()
{
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(15);
    QTRY_VERIFY(w.GLViewer->FramesDrawn() > 0);
    const quint64 frames = w.GLViewer->FramesDrawn();
    w.StartBtn->trigger();
    // 100 degrees a second by default; the viewer shows the ticks.
    QTRY_VERIFY(w.GLAngle > 5.0f);
    QTRY_VERIFY(w.GLViewer->FramesDrawn() > frames + 2);
    QCOMPARE(w.GLhsb->value(), int(std::trunc(w.GLAngle)));
    QVERIFY(waveShows(w, w.GLAngle));
    w.StopBtn->trigger();
    const float stopped = w.GLAngle;
    QTest::qWait(150);
    QCOMPARE(w.GLAngle, stopped);
}

void TestView3D::clockTick()
{
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(15);
    w.GLCadencerProgress(0.25, 0.25);
    QCOMPARE(w.GLAngle, 25.0f);
    QCOMPARE(w.GLhsb->value(), 25);
    QVERIFY(waveShows(w, 25));
    // The speed is read at every tick.
    Speeds[15] = 40;
    w.GLCadencerProgress(0.5, 0.75);
    QCOMPARE(w.GLAngle, 45.0f);
    Speeds[15] = 100;
    w.GLCadencerProgress(0.0456, 0.8);
    QCOMPARE(w.GLhsb->value(), 49); // truncated
    // Up to 360 inclusive, then back to 0 with the overshoot dropped.
    w.GLAngle = 350.0f;
    w.GLCadencerProgress(0.1, 1.0);
    QCOMPARE(w.GLAngle, 360.0f);
    QCOMPARE(w.GLhsb->value(), 360);
    w.GLCadencerProgress(0.05, 1.05);
    QCOMPARE(w.GLAngle, 0.0f);
    QCOMPARE(w.GLhsb->value(), 0);
    QVERIFY(waveShows(w, 0));
    // Not for another kind.
    w.ShowSimulation(16);
    w.GLCadencerProgress(0.5, 2.0);
    QCOMPARE(w.GLAngle, 0.0f);
}

void TestView3D::scrollBarWhileStopped()
{
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(15);
    w.GLCadencerProgress(0.3, 0.3); // angle 30
    drag(w.GLhsb, 200);
    QVERIFY(waveShows(w, 200));
    QCOMPARE(w.GLAngle, 30.0f); // the clock's angle stays
    // What the program sets itself does not move the wave.
    w.GLhsb->setValue(123);
    QVERIFY(waveShows(w, 200));
    // Start continues from the clock's angle, and the bar jumps back to it.
    w.StartBtn->trigger();
    w.GLCadencer->OnProgress(w.GLCadencer, 0.1, 0.4);
    QCOMPARE(w.GLAngle, 40.0f);
    QCOMPARE(w.GLhsb->value(), 40);
    QVERIFY(waveShows(w, 40));
}

void TestView3D::polarAndRandom()
{
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(15);
    QVERIFY(w.PolarBtn->isChecked() && !w.RandomBtn->isChecked());
    // Polar: the plane never moves.
    drag(w.GLhsb, 60);
    QCOMPARE(w.SceneBase->PitchAngle(), 0.0f);

    w.RandomBtn->trigger();
    QVERIFY(w.RandomBtn->isChecked() && !w.PolarBtn->isChecked());
    w.GLScene1->Random.seed(7);
    auto next = [&] {
        QRandomGenerator copy = w.GLScene1->Random;
        return float(copy.bounded(360));
    };
    float expected = next();
    drag(w.GLhsb, 61);
    QCOMPARE(w.SceneBase->PitchAngle(), 0.0f); // not a multiple of 60
    drag(w.GLhsb, 120);
    QCOMPARE(w.SceneBase->PitchAngle(), expected);
    QVERIFY(expected >= 0 && expected <= 359);

    // The clock: only when the truncated angle is a multiple of 60.
    float pitch = w.SceneBase->PitchAngle();
    w.GLAngle = 58.0f;
    w.GLCadencerProgress(0.015, 1.0); // 59.5
    QCOMPARE(w.SceneBase->PitchAngle(), pitch);
    expected = next();
    w.GLCadencerProgress(0.01, 1.1); // 60.5
    QCOMPARE(w.SceneBase->PitchAngle(), expected);

    // Clicking the checked button does nothing.
    w.SceneBase->SetPitchAngle(33.0f);
    w.RandomBtn->trigger();
    QVERIFY(w.RandomBtn->isChecked() && !w.PolarBtn->isChecked());
    QCOMPARE(w.SceneBase->PitchAngle(), 33.0f);
    // Showing the scene again levels it; the choice stays.
    w.ShowSimulation(9);
    w.ShowSimulation(15);
    QCOMPARE(w.SceneBase->PitchAngle(), 0.0f);
    QVERIFY(w.RandomBtn->isChecked());
    // Back to Polar levels the plane.
    w.SceneBase->SetPitchAngle(250.0f);
    w.PolarBtn->trigger();
    QVERIFY(w.PolarBtn->isChecked() && !w.RandomBtn->isChecked());
    QCOMPARE(w.SceneBase->PitchAngle(), 0.0f);
    w.SceneBase->SetPitchAngle(12.0f);
    w.PolarBtn->trigger();
    QVERIFY(w.PolarBtn->isChecked());
    QCOMPARE(w.SceneBase->PitchAngle(), 12.0f);
}

void TestView3D::zoomButtons()
{
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(15);
    const float d0 = w.GLCamera->DistanceToTarget();
    w.ZoomInBtn->trigger();
    QVERIFY(std::fabs(w.GLCamera->DistanceToTarget() - d0 * 0.8638376f) < 1e-4f);
    w.ZoomOutBtn->trigger();
    QVERIFY(std::fabs(w.GLCamera->DistanceToTarget() - d0) < 1e-5f * d0);
    w.ZoomOutBtn->trigger();
    QVERIFY(std::fabs(w.GLCamera->DistanceToTarget() - d0 * 1.157625f) < 1e-4f);
}

void TestView3D::mouseRotatePanWheel()
{
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(15);
    TGLViewer *v = w.GLViewer;
    TGLCamera &cam = *w.GLCamera;
    auto elevation = [&] { return std::asin(cam.Position().y() / cam.DistanceToTarget()) * 180 / M_PI; };
    auto azimuth = [&] { return std::atan2(cam.Position().x(), cam.Position().z()) * 180 / M_PI; };
    const double e0 = elevation(), a0 = azimuth();

    // Left drag up by 5 and left by 10 pixels: 5 degrees more from above,
    // 10 degrees round.
    SendMouse(v, QEvent::MouseButtonPress, QPointF(100, 100), Qt::LeftButton, Qt::LeftButton);
    SendMouse(v, QEvent::MouseMove, QPointF(95, 98), Qt::NoButton, Qt::LeftButton);
    SendMouse(v, QEvent::MouseMove, QPointF(90, 95), Qt::NoButton, Qt::LeftButton);
    SendMouse(v, QEvent::MouseButtonRelease, QPointF(90, 95), Qt::LeftButton, Qt::NoButton);
    QVERIFY(std::fabs(elevation() - (e0 + 5)) < 1e-3);
    QVERIFY(std::fabs(azimuth() - (a0 + 10)) < 1e-3);

    // Right drag pans the base in the screen plane.
    const QVector3D cameraPos = cam.AbsolutePosition();
    const float step = cam.UnitsPerPixel();
    SendMouse(v, QEvent::MouseButtonPress, QPointF(50, 50), Qt::RightButton, Qt::RightButton);
    SendMouse(v, QEvent::MouseMove, QPointF(60, 40), Qt::NoButton, Qt::RightButton);
    QVERIFY((w.SceneBase->Position() - PanOffset(cameraPos, 10, -10, step)).length() < 1e-6f);
    QCOMPARE(w.GLMouseAnchor, QPointF(60, 40));
    SendMouse(v, QEvent::MouseButtonRelease, QPointF(60, 40), Qt::RightButton, Qt::NoButton);
    // Moving with no button only follows the anchor.
    const QVector3D camBefore = cam.Position(), baseBefore = w.SceneBase->Position();
    SendMouse(v, QEvent::MouseMove, QPointF(300, 10), Qt::NoButton, Qt::NoButton);
    QCOMPARE(cam.Position(), camBefore);
    QCOMPARE(w.SceneBase->Position(), baseBefore);

    // Two wheel notches away from the user: 1.05 squared further.
    const float d0 = cam.DistanceToTarget();
    QWheelEvent wheel(QPointF(20, 20), v->mapToGlobal(QPointF(20, 20)), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(v, &wheel);
    QVERIFY(wheel.isAccepted());
    QVERIFY(std::fabs(cam.DistanceToTarget() - d0 * 1.1025f) < 1e-4f);

    // A click gives the viewer the keyboard and the wheel.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.GLhsb->setFocus();
    QTest::mouseClick(v, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(v));
}

void TestView3D::scrollBarOfThePolarisationKind()
{
    // The scroll bar of kind 16 turns its scene and tells the movie.
    QList<float> angles;
    KindInfo pol = *FindKind(16);
    pol.buildScene = [](TSceneNode &base, TMaterialLibrary &) { base.AddNewChild<TSceneNode>(); };
    pol.updateScene = [&](TSceneNode &, float angle) { angles << angle; };
    OverrideKindForTesting(pol);
    TWaveMainFrm &w = *m_w;
    w.ShowSimulation(16);
    QCOMPARE(w.SceneBase->Count(), 1);
    QVERIFY(angles.isEmpty()); // setting the range moves nothing
    drag(w.GLhsb, -30);
    drag(w.GLhsb, 90);
    QCOMPARE(angles, QList<float>({-30.0f, 90.0f}));
}

QTEST_MAIN(TestView3D)
#include "tst_view3d.moc"
