// The OpenGL viewer, drawn by the software renderer: the wave's vectors on
// the background colour, redraw after an update, translucent objects over
// opaque ones.
#include "scene3d/GLScene.h"
#include "scene3d/GLViewer.h"
#include "scene3d/GL_EMWave.h"
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

TSceneNode *square(TSceneNode *parent, float z, const TMaterial &m)
{
    auto *p = parent->AddNewChild<TPolygon>();
    for (auto q : {QVector3D(-1, -1, z), QVector3D(1, -1, z), QVector3D(1, 1, z), QVector3D(-1, 1, z)})
        p->AddNode(q);
    p->SetMaterial(m);
    return p;
}

} // namespace

class TestGLViewer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void drawsTheWaveOnTheBackground();
    void redrawsAfterAnUpdate();
    void translucentDrawnOverOpaque();
};

void TestGLViewer::initTestCase()
{
    if (!TGLViewer::OpenGLAvailable())
        QSKIP("no OpenGL on this display");
}

void TestGLViewer::drawsTheWaveOnTheBackground()
{
    TGLScene scene;
    BuildEMWaveScene(*scene.SceneBase, scene.MatLib);
    UpdateEMWaveScene(*scene.SceneBase, 90.0f);
    scene.ResetCamera(864.0f / 1000.0f);
    TGLViewer viewer;
    viewer.SetScene(&scene);
    // Stored as 0x00BBGGRR: red D0, green E0, blue F0.
    viewer.SetBackgroundColor(0x00F0E0D0);
    viewer.resize(640, 480);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    const QImage img = viewer.grabFramebuffer();
    QCOMPARE(viewer.Samples(), 4);
    QVERIFY(viewer.ErrorText().isEmpty());
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
    viewer.SetScene(nullptr);
    const QImage empty = viewer.grabFramebuffer();
    QCOMPARE(count(empty, bg).background, empty.width() * empty.height());
}

void TestGLViewer::redrawsAfterAnUpdate()
{
    TGLScene scene;
    BuildEMWaveScene(*scene.SceneBase, scene.MatLib);
    scene.ResetCamera(1.0f);
    TGLViewer viewer;
    viewer.SetScene(&scene);
    viewer.resize(320, 240);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTRY_VERIFY(viewer.FramesDrawn() > 0);
    const QImage before = viewer.grabFramebuffer();
    const quint64 frames = viewer.FramesDrawn();
    UpdateEMWaveScene(*scene.SceneBase, 45.0f); // asks for one redraw
    QTRY_VERIFY(viewer.FramesDrawn() > frames);
    QVERIFY(viewer.grabFramebuffer() != before);
}

void TestGLViewer::translucentDrawnOverOpaque()
{
    // A half-transparent green square in front of an opaque red one, added
    // to the scene before it: the red must show through.
    TGLScene scene;
    TMaterial glass;
    glass.Ambient = QVector4D(0, 0, 0, 1);
    glass.Diffuse = QVector4D(0, 0, 0, 0.5f);
    glass.Emission = QVector4D(0, 1, 0, 1);
    glass.Blending = TBlending::Transparency;
    TMaterial wall;
    wall.Ambient = QVector4D(0, 0, 0, 1);
    wall.Diffuse = QVector4D(0, 0, 0, 1);
    wall.Emission = QVector4D(1, 0, 0, 1);
    square(scene.SceneBase, 0.5f, glass);
    square(scene.SceneBase, -0.5f, wall);
    scene.GLCamera->SetPosition(0, 0, 5);
    TGLViewer viewer;
    viewer.SetScene(&scene);
    viewer.resize(200, 200);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    const QImage img = viewer.grabFramebuffer();
    const QRgb centre = img.pixel(img.width() / 2, img.height() / 2);
    QVERIFY2(qAbs(qRed(centre) - 128) <= 2 && qAbs(qGreen(centre) - 128) <= 2 && qBlue(centre) <= 2,
             qPrintable(QString::number(centre, 16)));
    // Seen from behind, both faces are drawn: the wall hides the glass.
    scene.GLCamera->SetPosition(0, 0, -5);
    const QImage back = viewer.grabFramebuffer();
    const QRgb behind = back.pixel(back.width() / 2, back.height() / 2);
    QVERIFY2(qRed(behind) >= 250 && qGreen(behind) <= 2, qPrintable(QString::number(behind, 16)));
}

QTEST_MAIN(TestGLViewer)
#include "tst_glviewer.moc"
