// A machine without OpenGL: the 3D view shows a message instead of the
// scene, and the rest of the program works.
#include "TestSupport.h"

#include "app/SimGlobals.h"
#include "app/uWaveMain.h"
#include "scene3d/GLScene.h"
#include "scene3d/GLViewer.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace TestSupport;

namespace {
// Before the application object exists: no OpenGL from the display.
const bool noGL = qputenv("QT_XCB_GL_INTEGRATION", "none");
} // namespace

class TestView3DWithoutOpenGL : public QObject
{
    Q_OBJECT
private slots:
    void messageInsteadOfTheView();
};

void TestView3DWithoutOpenGL::messageInsteadOfTheView()
{
    QVERIFY(noGL);
    if (TGLViewer::OpenGLAvailable())
        QSKIP("this platform still offers OpenGL");
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    TWaveMainFrm w(FixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.GLViewer);
    QVERIFY(w.GLMessage);
    QVERIFY(!w.GLMessage->isVisible());

    w.ShowSimulation(15);
    QVERIFY(w.GLMessage->isVisible());
    QVERIFY(!w.GLMessage->text().isEmpty());
    QVERIFY(w.GLhsb->isVisible());
    QCOMPARE(w.SceneBase->Count(), 6);
    // The view's controls do nothing without the view.
    w.StartBtn->trigger();
    QVERIFY(!w.GLCadencer->Enabled());
    QVERIFY(w.StartBtn->isEnabled());
    const float d0 = w.GLCamera->DistanceToTarget();
    w.ZoomInBtn->trigger();
    QCOMPARE(w.GLCamera->DistanceToTarget(), d0);
    w.GLhsb->setSliderPosition(100);
    w.GLCadencerProgress(0.5, 0.5);
    QCOMPARE(w.GLAngle, 0.0f);

    w.ShowSimulation(9);
    QVERIFY(!w.GLMessage->isVisible());
    QCOMPARE(w.SceneBase->Count(), 0);
    w.ShowSimulation(16);
    QVERIFY(w.GLMessage->isVisible());
    // The settings are still saved.
    w.close();
}

QTEST_MAIN(TestView3DWithoutOpenGL)
#include "tst_view3d_nogl.moc"
