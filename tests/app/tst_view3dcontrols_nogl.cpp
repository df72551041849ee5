// A machine without OpenGL: the 3D view shows a message instead of the
// scene, and the rest of the program works.
#include "AppTestSupport.h"

#include "core/SimulationKind.h"
#include "app/MainWindow.h"
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"

#include <QAction>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

using namespace TestSupport;

namespace {
// Before the application object exists: no OpenGL from the display.
const bool noGL = qputenv("QT_XCB_GL_INTEGRATION", "none");
} // namespace

class TestView3DControlsWithoutOpenGL : public QObject
{
    Q_OBJECT
private slots:
    void messageInsteadOfTheView();
};

void TestView3DControlsWithoutOpenGL::messageInsteadOfTheView()
{
    QVERIFY(noGL);
    if (SceneViewer::isOpenGLAvailable())
        QSKIP("this platform still offers OpenGL");
    ScopedSettings settings;
    ScopedDialogAnswers answers(true);
    MainWindow w(fixedScreen());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.viewer);
    QVERIFY(w.noOpenGLMessage);
    QVERIFY(!w.noOpenGLMessage->isVisible());

    w.showSimulation(15);
    QVERIFY(w.noOpenGLMessage->isVisible());
    QVERIFY(!w.noOpenGLMessage->text().isEmpty());
    QVERIFY(w.angleScrollBar->isVisible());
    QCOMPARE(w.sceneBase->count(), 6);
    // The view's controls do nothing without the view.
    w.startAction->trigger();
    QVERIFY(!w.clock->isEnabled());
    QVERIFY(w.startAction->isEnabled());
    const float d0 = w.camera->distanceToTarget();
    w.zoomInAction->trigger();
    QCOMPARE(w.camera->distanceToTarget(), d0);
    w.angleScrollBar->setSliderPosition(100);
    w.advanceScene(0.5, 0.5);
    QCOMPARE(w.sceneAngle, 0.0f);

    w.showSimulation(9);
    QVERIFY(!w.noOpenGLMessage->isVisible());
    QCOMPARE(w.sceneBase->count(), 0);
    w.showSimulation(16);
    QVERIFY(w.noOpenGLMessage->isVisible());
    // The settings are still saved.
    w.close();
}

QTEST_MAIN(TestView3DControlsWithoutOpenGL)
#include "tst_view3dcontrols_nogl.moc"
