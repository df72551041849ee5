// The polarisation scene: its twelve objects, the analyser's angle turning
// the analysed wave, its frame and its window together, and the parts before
// the analyser that no angle may touch.
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"
#include "scene3d/scenes/PolarisationScene.h"
#include "scene3d/Shapes.h"

#include <QTest>
#include <cmath>
#include <functional>
#include <map>

using namespace PolarisationScene;

namespace {

struct Fixture {
    Scene3D scene;
    SceneNode &base = *scene.sceneBase();
    Fixture() { PolarisationScene::build(base, scene.materials()); }
    SceneNode *at(int order) const { return base.child(order); }
    Pipe *analysedTube() const { return dynamic_cast<Pipe *>(at(AnalysedWave)->child(0)); }
    const Material &window(int order) const { return at(order)->effectiveMaterial(); }
};

bool near(const QVector3D &a, const QVector3D &b, float eps = 1e-5f)
{
    return (a - b).length() <= eps;
}

// A colour as an 8-bit frame buffer would hold it.
QRgb bytes(const QVector4D &c)
{
    return QColor::fromRgbF(c.x(), c.y(), c.z(), c.w()).rgba();
}

// Every node of every drawn copy of shape, in world coordinates.
std::vector<QVector3D> drawnNodes(const SceneRoot &root, const NodeListShape *shape)
{
    std::vector<QVector3D> nodes;
    for (const DrawItem &item : collectDrawItems(root))
        if (item.geometry == shape)
            for (const QVector3D &n : shape->nodes())
                nodes.push_back(item.world.map(n));
    return nodes;
}

// The direction the analyser's angle turns +y onto, worked out apart from
// the scene: a positive angle swings +y towards -z about the x axis.
QVector3D turnedUp(float angle)
{
    const double r = angle * M_PI / 180.0;
    return QVector3D(0.0f, float(std::cos(r)), float(-std::sin(r)));
}

// The amplitude of a tube's sine, read at a quarter wavelength (between
// nodes 7 and 8, at 84 and 96 degrees).
float amplitude(const Pipe &tube)
{
    return float(tube.node(7).y() / std::sin(84.0 * M_PI / 180.0));
}

void walk(SceneNode *n, const std::function<void(SceneNode *)> &visit)
{
    visit(n);
    for (int i = 0; i < n->count(); ++i)
        walk(n->child(i), visit);
}

} // namespace

class TestPolarisationScene : public QObject
{
    Q_OBJECT
private slots:
    void buildsTwelveobjectsInOrder();
    void buildIsTheStateForAngleZero();
    void analyserFollowsTheAngle_data();
    void analyserFollowsTheAngle();
    void edgeAngles();
    void scrollingNeverTouchesTheLightBeforeTheAnalyser();
    void updateWithoutSceneDoesNothing();
    void renderedAnalyserWindow();
};

void TestPolarisationScene::buildsTwelveobjectsInOrder()
{
    Fixture f;
    QCOMPARE(f.base.count(), int(ChildCount));
    const Material *blue = f.scene.materials().find(QStringLiteral("Blue"));

    // 0: a group at the origin holding the analysed tube and a copy one
    // wavelength on.
    SceneNode *group = f.at(AnalysedWave);
    QVERIFY(!group->hasGeometry());
    QCOMPARE(group->position(), QVector3D());
    QCOMPARE(group->count(), 2);
    Pipe *tube = f.analysedTube();
    QVERIFY(tube);
    QCOMPARE(tube->position(), QVector3D());
    auto *tubeCopy = dynamic_cast<ProxyNode *>(group->child(1));
    QVERIFY(tubeCopy && tubeCopy->masterObject() == tube);
    QCOMPARE(tubeCopy->position(), QVector3D(1.8f, 0, 0));

    // 1: the polarised tube; every tube is 31 nodes of one wavelength, 0.5
    // high, radius 0.01, six sides, blue.
    auto *polarised = dynamic_cast<Pipe *>(f.at(PolarisedWave));
    QVERIFY(polarised);
    QCOMPARE(polarised->position(), QVector3D(-3.6f, 0, 0));
    for (Pipe *t : {tube, polarised}) {
        QCOMPARE(t->nodeCount(), 31);
        QCOMPARE(t->radius(), 0.01f);
        QCOMPARE(t->slices(), 6);
        QCOMPARE(&t->effectiveMaterial(), blue);
        for (int i = 0; i < 31; ++i)
            QVERIFY(near(t->node(i), QVector3D(float(0.06 * i), float(0.5 * std::sin(i * 12.0 * M_PI / 180.0)), 0),
                         1e-6f));
    }

    // 2 to 6: copies of 1.
    const struct { int order; bool keep; float x; float pitch; QVector3D drawnAt; } copies[] = {
        {PolarisedCopy, true, 1.8f, 0, {-1.8f, 0, 0}},
        {UnpolarisedXy, false, -5.4f, 0, {-5.4f, 0, 0}},
        {UnpolarisedXy + 1, false, -7.2f, 0, {-7.2f, 0, 0}},
        {UnpolarisedXz, false, -5.4f, -90, {-5.4f, 0, 0}},
        {UnpolarisedXz + 1, false, -7.2f, -90, {-7.2f, 0, 0}},
    };
    const auto items = collectDrawItems(f.scene.root());
    for (const auto &c : copies) {
        auto *copy = dynamic_cast<ProxyNode *>(f.at(c.order));
        QVERIFY(copy && copy->masterObject() == polarised);
        QCOMPARE(copy->keepsSourcePlacement(), c.keep);
        QCOMPARE(copy->position(), QVector3D(c.x, 0, 0));
        QCOMPARE(copy->pitchAngle(), c.pitch);
        // Where it is really drawn, and in which plane.
        const QVector3D plane = c.pitch == 0 ? QVector3D(0, 1, 0) : QVector3D(0, 0, 1);
        int found = 0;
        for (const DrawItem &item : items)
            found += item.geometry == polarised && near(item.world.map(QVector3D()), c.drawnAt)
                     && near(item.world.mapVector(QVector3D(0, 1, 0)), plane);
        QCOMPARE(found, 1);
    }

    // 7: the black axis from -8 to 8.
    auto *axis = dynamic_cast<Lines *>(f.at(Axis));
    QVERIFY(axis);
    QCOMPARE(axis->nodes(), (std::vector<QVector3D>{{-8, 0, 0}, {8, 0, 0}}));
    QCOMPARE(axis->lineColor(), QVector4D(0, 0, 0, 1));

    // 8, 9: the frames, a square ring 2.4 wide with a hole of 2, 0.2 deep,
    // standing across the beam.
    auto *frame = dynamic_cast<ExtrusionSolid *>(f.at(AnalyserFrame));
    QVERIFY(frame);
    QCOMPARE(frame->contourCount(), 2);
    QCOMPARE(frame->contour(0), (std::vector<QPointF>{{1.2, 1.2}, {-1.2, 1.2}, {-1.2, -1.2}, {1.2, -1.2}}));
    QCOMPARE(frame->contour(1), (std::vector<QPointF>{{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}));
    QCOMPARE(frame->depth(), 0.2f);
    QCOMPARE(frame->parts(),
             int(ExtrusionSolid::OutsideWalls | ExtrusionSolid::StartFace | ExtrusionSolid::StopFace));
    QCOMPARE(&frame->effectiveMaterial(), f.scene.materials().find(QStringLiteral("Palegreen")));
    QVERIFY(insideOddWinding({frame->contour(0), frame->contour(1)}, QPointF(1.1, 0)));
    QVERIFY(!insideOddWinding({frame->contour(0), frame->contour(1)}, QPointF(0, 0)));
    // Its depth runs along x from -0.1 to 0.1.
    QVERIFY(near(frame->localMatrix().map(QVector3D(0, 0, 0)), QVector3D(-0.1f, 0, 0)));
    QVERIFY(near(frame->localMatrix().map(QVector3D(0, 0, 0.2f)), QVector3D(0.1f, 0, 0)));
    auto *polariserFrame = dynamic_cast<ProxyNode *>(f.at(PolariserFrame));
    QVERIFY(polariserFrame && polariserFrame->masterObject() == frame);
    // The copy stands at -3.6 itself: it spans -3.6 to -3.4, its window on
    // its face towards the light.
    QVERIFY(near(polariserFrame->localMatrix().map(QVector3D(0, 0, 0)), QVector3D(-3.6f, 0, 0)));
    QVERIFY(near(polariserFrame->localMatrix().map(QVector3D(0, 0, 0.2f)), QVector3D(-3.4f, 0, 0)));

    // 10, 11: the windows, squares of side 2 in the yz plane.
    const std::vector<QVector3D> square{{0, 1, -1}, {0, 1, 1}, {0, -1, 1}, {0, -1, -1}};
    auto *polariserWindow = dynamic_cast<Polygon3D *>(f.at(PolariserWindow));
    auto *analyserWindow = dynamic_cast<Polygon3D *>(f.at(AnalyserWindow));
    QVERIFY(polariserWindow && analyserWindow);
    QCOMPARE(polariserWindow->nodes(), square);
    QCOMPARE(analyserWindow->nodes(), square);
    QCOMPARE(polariserWindow->position(), QVector3D(-3.6f, 0, 0));
    QCOMPARE(analyserWindow->position(), QVector3D(0, 0, 0));
    QCOMPARE(polariserWindow->libraryMaterialName(), QStringLiteral("Transparent"));
    QVERIFY(analyserWindow->libraryMaterialName().isEmpty()); // a material of its own
    QVERIFY(analyserWindow->material().isBlended());
    QCOMPARE(analyserWindow->material().ambient, QVector4D(0, 0, 0, 1));
}

void TestPolarisationScene::buildIsTheStateForAngleZero()
{
    Fixture f;
    std::map<SceneNode *, uint64_t> before;
    walk(&f.scene.root(), [&](SceneNode *n) { before[n] = n->revision(); });
    PolarisationScene::update(f.base, 0.0f);
    walk(&f.scene.root(), [&](SceneNode *n) { QCOMPARE(n->revision(), before[n]); });
    // And coming back to 0 from elsewhere gives the built state again.
    const std::vector<QVector3D> built = f.analysedTube()->nodes();
    const Material builtGlass = f.window(AnalyserWindow);
    PolarisationScene::update(f.base, 37.0f);
    PolarisationScene::update(f.base, 0.0f);
    QCOMPARE(f.analysedTube()->nodes(), built);
    QVERIFY(f.window(AnalyserWindow) == builtGlass);
    QCOMPARE(f.at(AnalysedWave)->pitchAngle(), 0.0f);
    QCOMPARE(f.at(AnalyserFrame)->rollAngle(), 0.0f);
}

void TestPolarisationScene::analyserFollowsTheAngle_data()
{
    QTest::addColumn<float>("angle");
    for (float a : {0.0f, 60.0f, -60.0f, 45.0f, -17.0f, 89.0f, 90.0f, -90.0f})
        QTest::newRow(qPrintable(QString::number(a))) << a;
}

void TestPolarisationScene::analyserFollowsTheAngle()
{
    QFETCH(float, angle);
    Fixture f;
    PolarisationScene::update(f.base, 23.0f); // start from elsewhere
    PolarisationScene::update(f.base, angle);
    const double e = std::fabs(std::cos(angle * M_PI / 180.0));
    const QVector3D up = turnedUp(angle);

    // The wave behind the analyser, both wavelengths of it, lies in the
    // turned plane with amplitude 0.5 |cos angle|.
    const auto nodes = drawnNodes(f.scene.root(), f.analysedTube());
    QCOMPARE(int(nodes.size()), 2 * 31);
    for (const QVector3D &w : nodes) {
        const double phase = (w.x() / 1.8) * 2 * M_PI;
        const QVector3D expected(w.x(), 0, 0);
        QVERIFY2(near(w, expected + up * float(0.5 * e * std::sin(phase)), 2e-5f),
                 qPrintable(QStringLiteral("node at x %1").arg(w.x())));
    }

    // The frame and the window turn with it: their own +y ends on the same
    // direction, and they stay across the beam at their places.
    const QMatrix4x4 frame = f.at(AnalyserFrame)->absoluteMatrix();
    const QMatrix4x4 window = f.at(AnalyserWindow)->absoluteMatrix();
    QVERIFY(near(frame.mapVector(QVector3D(0, 1, 0)), up));
    QVERIFY(near(window.mapVector(QVector3D(0, 1, 0)), up));
    QVERIFY(near(frame.mapVector(QVector3D(0, 0, 1)), QVector3D(1, 0, 0)));
    QVERIFY(near(frame.map(QVector3D(0, 0, 0.1f)), QVector3D(0, 0, 0)));
    QVERIFY(near(window.mapVector(QVector3D(1, 0, 0)), QVector3D(1, 0, 0)));

    // The window darkens from the polariser's orange to opaque olive.
    const Material &glass = f.window(AnalyserWindow);
    const QVector4D colour(float(0.729 * e + 0.2), float(0.282 * e + 0.2), float(0.024 * e),
                           float(0.6 * (1 - e) + 0.4));
    QVERIFY2((glass.diffuse - colour).length() < 1e-5f, qPrintable(QStringLiteral("alpha %1").arg(glass.diffuse.w())));
    QVERIFY(glass.isBlended());
}

void TestPolarisationScene::edgeAngles()
{
    Fixture f;
    const Material &polariserGlass = f.window(PolariserWindow);

    // 0: the polarised wave lines up in one plane from the polariser to the
    // end, 0.5 high, and both windows show the same colour.
    PolarisationScene::update(f.base, 0.0f);
    for (const NodeListShape *shape : {static_cast<NodeListShape *>(f.analysedTube()),
                                        static_cast<NodeListShape *>(dynamic_cast<Pipe *>(f.at(PolarisedWave)))})
        for (const DrawItem &item : collectDrawItems(f.scene.root()))
            if (item.geometry == shape && item.world.map(QVector3D()).x() > -3.7f)
                for (const QVector3D &n : shape->nodes())
                    QVERIFY(std::fabs(item.world.map(n).z()) < 1e-6f);
    QVERIFY(std::fabs(amplitude(*f.analysedTube()) - 0.5f) < 1e-6f);
    QCOMPARE(bytes(f.window(AnalyserWindow).diffuse), bytes(polariserGlass.diffuse));

    // +-90: the analysed tube lies flat on the axis; the window is opaque
    // dark olive.
    for (float a : {90.0f, -90.0f}) {
        PolarisationScene::update(f.base, a);
        for (const QVector3D &w : drawnNodes(f.scene.root(), f.analysedTube()))
            QVERIFY(std::fabs(w.y()) < 1e-6f && std::fabs(w.z()) < 1e-6f);
        QCOMPARE(bytes(f.window(AnalyserWindow).diffuse), qRgba(51, 51, 0, 255));
    }

    // 60: amplitude 0.25, plane turned 60 degrees about x.
    PolarisationScene::update(f.base, 60.0f);
    QVERIFY(std::fabs(amplitude(*f.analysedTube()) - 0.25f) < 1e-6f);
    const QVector3D plane = f.at(AnalysedWave)->absoluteMatrix().mapVector(QVector3D(0, 1, 0));
    QVERIFY(std::fabs(std::acos(QVector3D::dotProduct(plane, QVector3D(0, 1, 0))) * 180 / M_PI - 60) < 1e-3);
    QVERIFY(std::fabs(plane.x()) < 1e-6f);
}

void TestPolarisationScene::scrollingNeverTouchesTheLightBeforeTheAnalyser()
{
    Fixture f;
    int reports = 0;
    f.scene.root().onChange = [&] { ++reports; };
    std::map<SceneNode *, uint64_t> before;
    walk(&f.base, [&](SceneNode *n) { before[n] = n->revision(); });

    for (int p = -90; p <= 90; p += 7) {
        const int was = reports;
        PolarisationScene::update(f.base, float(p));
        QVERIFY(reports - was <= 1); // one redraw per move at most
    }
    PolarisationScene::update(f.base, 90.0f);
    QVERIFY(reports > 0);

    for (int order : {1, 2, 3, 4, 5, 6, 7, 9, 10})
        walk(f.at(order), [&](SceneNode *n) {
            QVERIFY2(n->revision() == before[n], qPrintable(QStringLiteral("order %1 changed").arg(order)));
        });
    // What the angle moves did move.
    for (int order : {AnalysedWave, AnalyserFrame, AnalyserWindow})
        QVERIFY(f.at(order)->revision() != before[f.at(order)]);
}

void TestPolarisationScene::updateWithoutSceneDoesNothing()
{
    Scene3D scene;
    PolarisationScene::update(*scene.sceneBase(), 45.0f); // empty base
    QCOMPARE(scene.sceneBase()->count(), 0);
    // Twelve objects of another kind are not the scene either.
    for (int i = 0; i < ChildCount; ++i)
        scene.sceneBase()->addNewChild<SceneNode>();
    PolarisationScene::update(*scene.sceneBase(), 45.0f);
    for (int i = 0; i < ChildCount; ++i)
        QCOMPARE(scene.sceneBase()->child(i)->pitchAngle(), 0.0f);
}

void TestPolarisationScene::renderedAnalyserWindow()
{
    // Looking back along the beam at the analyser, beside the axis: at 0
    // the translucent orange window lets the background through, at +-90
    // it is opaque dark olive, whatever lies behind it.
    if (!SceneViewer::isOpenGLAvailable())
        QSKIP("no OpenGL on this display");
    Fixture f;
    f.scene.camera()->setPosition(5.0f, 0.0f, 0.0f);
    SceneViewer viewer;
    viewer.setScene(&f.scene);
    viewer.resize(200, 200);
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    auto windowPixel = [&](float angle, QRgb background) {
        PolarisationScene::update(f.base, angle);
        viewer.setBackgroundColor(background);
        const QImage img = viewer.grabFramebuffer();
        return img.pixel(img.width() / 2 + img.width() / 10, img.height() / 2 + img.height() / 10);
    };
    // Backgrounds stored as 0x00BBGGRR.
    const QRgb white = 0x00FFFFFF, blue = 0x00FF0000;
    for (float angle : {90.0f, -90.0f}) {
        const QRgb onWhite = windowPixel(angle, white);
        QCOMPARE(windowPixel(angle, blue), onWhite);
        QVERIFY2(qRed(onWhite) > 10 && qRed(onWhite) < 110 && qAbs(qRed(onWhite) - qGreen(onWhite)) <= 4
                     && qBlue(onWhite) <= 4,
                 qPrintable(QString::number(onWhite, 16)));
    }
    const QRgb clearOnWhite = windowPixel(0.0f, white);
    QVERIFY(windowPixel(0.0f, blue) != clearOnWhite);
    QVERIFY2(qRed(clearOnWhite) > qGreen(clearOnWhite) + 30, qPrintable(QString::number(clearOnWhite, 16)));
}

QTEST_MAIN(TestPolarisationScene)
#include "tst_polarisationscene.moc"
