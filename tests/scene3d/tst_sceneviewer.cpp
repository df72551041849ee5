// The OpenGL viewer, drawn by the software renderer: the wave's vectors on
// the background colour, redraw after an update, translucent objects over
// opaque ones.
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"
#include "scene3d/scenes/EmWaveScene.h"
#include "scene3d/Shapes.h"

#include <QTest>

namespace {

struct Counts {
    int red = 0, blue = 0, background = 0, total = 0;
};

Counts count(const QImage &img, QRgb bg)
{
    Counts c;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            ++c.total;
            if ((p & 0xFFFFFF) == (bg & 0xFFFFFF))
                ++c.background;
            else if (r > 150 && g < 60 && b < 60)
                ++c.red;
            else if (b > 150 && r < 160 && b > r + 50 && b > g + 50)
                ++c.blue;
        }
    return c;
}

SceneNode *square(SceneNode *parent, float z, const Material &m)
{
    auto *p = parent->addNewChild<Polygon3D>();
    for (auto q : {QVector3D(-1, -1, z), QVector3D(1, -1, z), QVector3D(1, 1, z), QVector3D(-1, 1, z)})
        p->addNode(q);
    p->setMaterial(m);
    return p;
}

} // namespace

class TestSceneViewer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsTheWaveOnTheBackground();
    void redrawsAfterAnUpdate();
    void translucentDrawnOverOpaque();
};

void TestSceneViewer::initTestCase()
{
    if (!SceneViewer::isOpenGLAvailable())
        QSKIP("no OpenGL on this display");
}

void TestSceneViewer::drawsTheWaveOnTheBackground()
{
    Scene3D scene;
    EmWaveScene::build(*scene.sceneBase(), scene.materials());
    EmWaveScene::update(*scene.sceneBase(), 90.0f);
    scene.resetCamera(864.0f / 1000.0f);
    SceneViewer viewer;
    viewer.setScene(&scene);
    // Stored as 0x00BBGGRR: red D0, green E0, blue F0.
    viewer.setBackgroundColor(0x00F0E0D0);
    viewer.resize(640, 480);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    const QImage img = viewer.grabFramebuffer();
    QCOMPARE(viewer.samples(), 4);
    QVERIFY(viewer.errorText().isEmpty());
    QVERIFY(!img.isNull());
    const QRgb bg = qRgb(0xD0, 0xE0, 0xF0);
    QCOMPARE(img.pixel(0, 0) & 0xFFFFFF, bg & 0xFFFFFF);
    const Counts c = count(img, bg);
    QVERIFY2(c.red > 1500 && c.blue > 1500, qPrintable(QStringLiteral("red %1 blue %2").arg(c.red).arg(c.blue)));
    QVERIFY(c.background > c.total / 2);
    // The electric vectors stand vertically, the magnetic ones lie flat:
    // red reaches higher and lower on the picture than blue does.
    int redTop = img.height(), blueTop = img.height();
    for (int y = img.height() - 1; y >= 0; --y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            if (qRed(p) > 150 && qGreen(p) < 60 && qBlue(p) < 60)
                redTop = y;
            else if (qBlue(p) > 150 && qRed(p) < 160 && qBlue(p) > qRed(p) + 50)
                blueTop = y;
        }
    QVERIFY(redTop < blueTop);

    // Without a scene only the background is drawn.
    viewer.setScene(nullptr);
    const QImage empty = viewer.grabFramebuffer();
    QCOMPARE(count(empty, bg).background, empty.width() * empty.height());
}

void TestSceneViewer::redrawsAfterAnUpdate()
{
    Scene3D scene;
    EmWaveScene::build(*scene.sceneBase(), scene.materials());
    scene.resetCamera(1.0f);
    SceneViewer viewer;
    viewer.setScene(&scene);
    viewer.resize(320, 240);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTRY_VERIFY(viewer.framesDrawn() > 0);
    const QImage before = viewer.grabFramebuffer();
    const quint64 frames = viewer.framesDrawn();
    EmWaveScene::update(*scene.sceneBase(), 45.0f); // asks for one redraw
    QTRY_VERIFY(viewer.framesDrawn() > frames);
    QVERIFY(viewer.grabFramebuffer() != before);
}

void TestSceneViewer::translucentDrawnOverOpaque()
{
    // A half-transparent green square in front of an opaque red one, added
    // to the scene before it: the red must show through.
    Scene3D scene;
    Material glass;
    glass.ambient = QVector4D(0, 0, 0, 1);
    glass.diffuse = QVector4D(0, 0, 0, 0.5f);
    glass.emission = QVector4D(0, 1, 0, 1);
    glass.blending = Blending::Transparency;
    Material wall;
    wall.ambient = QVector4D(0, 0, 0, 1);
    wall.diffuse = QVector4D(0, 0, 0, 1);
    wall.emission = QVector4D(1, 0, 0, 1);
    square(scene.sceneBase(), 0.5f, glass);
    square(scene.sceneBase(), -0.5f, wall);
    scene.camera()->setPosition(0, 0, 5);
    SceneViewer viewer;
    viewer.setScene(&scene);
    viewer.resize(200, 200);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    const QImage img = viewer.grabFramebuffer();
    const QRgb centre = img.pixel(img.width() / 2, img.height() / 2);
    QVERIFY2(qAbs(qRed(centre) - 128) <= 2 && qAbs(qGreen(centre) - 128) <= 2 && qBlue(centre) <= 2,
             qPrintable(QString::number(centre, 16)));
    // Seen from behind, both faces are drawn: the wall hides the glass.
    scene.camera()->setPosition(0, 0, -5);
    const QImage back = viewer.grabFramebuffer();
    const QRgb behind = back.pixel(back.width() / 2, back.height() / 2);
    QVERIFY2(qRed(behind) >= 250 && qGreen(behind) <= 2, qPrintable(QString::number(behind, 16)));
}

QTEST_MAIN(TestSceneViewer)
#include "tst_sceneviewer.moc"
