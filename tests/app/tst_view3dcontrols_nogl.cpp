// A machine without OpenGL: the 3D view shows a message instead of the
// scene, and the rest of the program works.
#include "AppTestSupport.h"
#include "app/MoviePlayer.h"
#include "app/SimulationHost.h"
#include "app/View3DControls.h"

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
    QVERIFY(!w.view3D()->viewer());
    QVERIFY(w.view3D()->noOpenGLMessage());
    QVERIFY(!w.view3D()->noOpenGLMessage()->isVisible());

    w.host()->showSimulation(15);
    QVERIFY(w.view3D()->noOpenGLMessage()->isVisible());
    QVERIFY(!w.view3D()->noOpenGLMessage()->text().isEmpty());
    QVERIFY(w.view3D()->angleScrollBar()->isVisible());
    QCOMPARE(w.view3D()->scene()->sceneBase()->count(), 6);
    // The view's controls do nothing without the view.
    w.view3D()->startAction()->trigger();
    QVERIFY(!w.view3D()->clock()->isEnabled());
    QVERIFY(w.view3D()->startAction()->isEnabled());
    const float d0 = w.view3D()->scene()->camera()->distanceToTarget();
    w.view3D()->zoomInAction()->trigger();
    QCOMPARE(w.view3D()->scene()->camera()->distanceToTarget(), d0);
    w.view3D()->angleScrollBar()->setSliderPosition(100);
    w.view3D()->advanceScene(0.5, 0.5);
    QCOMPARE(w.view3D()->angle(), 0.0f);

    w.host()->showSimulation(9);
    QVERIFY(!w.view3D()->noOpenGLMessage()->isVisible());
    QCOMPARE(w.view3D()->scene()->sceneBase()->count(), 0);
    w.host()->showSimulation(16);
    QVERIFY(w.view3D()->noOpenGLMessage()->isVisible());
    // The film above the view still plays, drawn without OpenGL.
    MoviePlayer *film = w.host()->moviePlayer();
    QVERIFY(film->hasMovie());
    QTRY_COMPARE(film->grabMovie().size(), film->size());
    // The settings are still saved.
    w.close();
}

QTEST_MAIN(TestView3DControlsWithoutOpenGL)
#include "tst_view3dcontrols_nogl.moc"
