// The polarisation scene: its twelve objects, the analyser's angle turning
// the analysed wave, its frame and its window together, and the parts before
// the analyser that no angle may touch.
#include "scene3d/GLScene.h"
#include "scene3d/PolarisationScene.h"
#include "scene3d/Shapes.h"

#include <QTest>
#include <cmath>
#include <functional>
#include <map>

namespace {

struct Fixture {
    TGLScene scene;
    TSceneNode &base = *scene.SceneBase;
    Fixture() { BuildPolarisationScene(base, scene.MatLib); }
    TSceneNode *at(int order) const { return base.Child(order); }
    TPipe *analysedTube() const { return dynamic_cast<TPipe *>(at(polAnalysedWave)->Child(0)); }
    const TMaterial &window(int order) const { return at(order)->EffectiveMaterial(); }
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
std::vector<QVector3D> drawnNodes(const TSceneRoot &root, const TNodeListShape *shape)
{
    std::vector<QVector3D> nodes;
    for (const TDrawItem &item : CollectDrawItems(root))
        if (item.Geometry == shape)
            for (const QVector3D &n : shape->Nodes())
                nodes.push_back(item.World.map(n));
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
float amplitude(const TPipe &tube)
{
    return float(tube.Node(7).y() / std::sin(84.0 * M_PI / 180.0));
}

void walk(TSceneNode *n, const std::function<void(TSceneNode *)> &visit)
{
    visit(n);
    for (int i = 0; i < n->Count(); ++i)
        walk(n->Child(i), visit);
}

} // namespace

class TestPolarisationScene : public QObject
{
    Q_OBJECT
private slots:
    void buildsTwelveObjectsInOrder();
    void buildIsTheStateForAngleZero();
    void analyserFollowsTheAngle_data();
    void analyserFollowsTheAngle();
    void edgeAngles();
    void scrollingNeverTouchesTheLightBeforeTheAnalyser();
    void updateWithoutSceneDoesNothing();
};

void TestPolarisationScene::buildsTwelveObjectsInOrder()
{
    Fixture f;
    QCOMPARE(f.base.Count(), int(polChildren));
    const TMaterial *blue = f.scene.MatLib.Find(QStringLiteral("Blue"));

    // 0: a group at the origin holding the analysed tube and a copy one
    // wavelength on.
    TSceneNode *group = f.at(polAnalysedWave);
    QVERIFY(!group->HasGeometry());
    QCOMPARE(group->Position(), QVector3D());
    QCOMPARE(group->Count(), 2);
    TPipe *tube = f.analysedTube();
    QVERIFY(tube);
    QCOMPARE(tube->Position(), QVector3D());
    auto *tubeCopy = dynamic_cast<TProxyNode *>(group->Child(1));
    QVERIFY(tubeCopy && tubeCopy->MasterObject() == tube);
    QCOMPARE(tubeCopy->Position(), QVector3D(1.8f, 0, 0));

    // 1: the polarised tube; every tube is 31 nodes of one wavelength, 0.5
    // high, radius 0.01, six sides, blue.
    auto *polarised = dynamic_cast<TPipe *>(f.at(polPolarisedWave));
    QVERIFY(polarised);
    QCOMPARE(polarised->Position(), QVector3D(-3.6f, 0, 0));
    for (TPipe *t : {tube, polarised}) {
        QCOMPARE(t->NodeCount(), 31);
        QCOMPARE(t->Radius(), 0.01f);
        QCOMPARE(t->Slices(), 6);
        QCOMPARE(&t->EffectiveMaterial(), blue);
        for (int i = 0; i < 31; ++i)
            QVERIFY(near(t->Node(i), QVector3D(float(0.06 * i), float(0.5 * std::sin(i * 12.0 * M_PI / 180.0)), 0),
                         1e-6f));
    }

    // 2 to 6: copies of 1.
    const struct { int order; bool keep; float x; float pitch; QVector3D drawnAt; } copies[] = {
        {polPolarisedCopy, true, 1.8f, 0, {-1.8f, 0, 0}},
        {polUnpolarisedXy, false, -5.4f, 0, {-5.4f, 0, 0}},
        {polUnpolarisedXy + 1, false, -7.2f, 0, {-7.2f, 0, 0}},
        {polUnpolarisedXz, false, -5.4f, -90, {-5.4f, 0, 0}},
        {polUnpolarisedXz + 1, false, -7.2f, -90, {-7.2f, 0, 0}},
    };
    const auto items = CollectDrawItems(f.scene.Objects);
    for (const auto &c : copies) {
        auto *copy = dynamic_cast<TProxyNode *>(f.at(c.order));
        QVERIFY(copy && copy->MasterObject() == polarised);
        QCOMPARE(copy->KeepsSourcePlacement(), c.keep);
        QCOMPARE(copy->Position(), QVector3D(c.x, 0, 0));
        QCOMPARE(copy->PitchAngle(), c.pitch);
        // Where it is really drawn, and in which plane.
        const QVector3D plane = c.pitch == 0 ? QVector3D(0, 1, 0) : QVector3D(0, 0, 1);
        int found = 0;
        for (const TDrawItem &item : items)
            found += item.Geometry == polarised && near(item.World.map(QVector3D()), c.drawnAt)
                     && near(item.World.mapVector(QVector3D(0, 1, 0)), plane);
        QCOMPARE(found, 1);
    }

    // 7: the black axis from -8 to 8.
    auto *axis = dynamic_cast<TLines *>(f.at(polAxis));
    QVERIFY(axis);
    QCOMPARE(axis->Nodes(), (std::vector<QVector3D>{{-8, 0, 0}, {8, 0, 0}}));
    QCOMPARE(axis->LineColor(), QVector4D(0, 0, 0, 1));

    // 8, 9: the frames, a square ring 2.4 wide with a hole of 2, 0.2 deep,
    // standing across the beam.
    auto *frame = dynamic_cast<TExtrusionSolid *>(f.at(polAnalyserFrame));
    QVERIFY(frame);
    QCOMPARE(frame->ContourCount(), 2);
    QCOMPARE(frame->Contour(0), (std::vector<QPointF>{{1.2, 1.2}, {-1.2, 1.2}, {-1.2, -1.2}, {1.2, -1.2}}));
    QCOMPARE(frame->Contour(1), (std::vector<QPointF>{{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}));
    QCOMPARE(frame->Depth(), 0.2f);
    QCOMPARE(frame->Parts(),
             int(TExtrusionSolid::OutsideWalls | TExtrusionSolid::StartFace | TExtrusionSolid::StopFace));
    QCOMPARE(&frame->EffectiveMaterial(), f.scene.MatLib.Find(QStringLiteral("Palegreen")));
    QVERIFY(InsideOddWinding({frame->Contour(0), frame->Contour(1)}, QPointF(1.1, 0)));
    QVERIFY(!InsideOddWinding({frame->Contour(0), frame->Contour(1)}, QPointF(0, 0)));
    // Its depth runs along x from -0.1 to 0.1.
    QVERIFY(near(frame->LocalMatrix().map(QVector3D(0, 0, 0)), QVector3D(-0.1f, 0, 0)));
    QVERIFY(near(frame->LocalMatrix().map(QVector3D(0, 0, 0.2f)), QVector3D(0.1f, 0, 0)));
    auto *polariserFrame = dynamic_cast<TProxyNode *>(f.at(polPolariserFrame));
    QVERIFY(polariserFrame && polariserFrame->MasterObject() == frame);
    // The copy stands at -3.6 itself: it spans -3.6 to -3.4, its window on
    // its face towards the light.
    QVERIFY(near(polariserFrame->LocalMatrix().map(QVector3D(0, 0, 0)), QVector3D(-3.6f, 0, 0)));
    QVERIFY(near(polariserFrame->LocalMatrix().map(QVector3D(0, 0, 0.2f)), QVector3D(-3.4f, 0, 0)));

    // 10, 11: the windows, squares of side 2 in the yz plane.
    const std::vector<QVector3D> square{{0, 1, -1}, {0, 1, 1}, {0, -1, 1}, {0, -1, -1}};
    auto *polariserWindow = dynamic_cast<TPolygon *>(f.at(polPolariserWindow));
    auto *analyserWindow = dynamic_cast<TPolygon *>(f.at(polAnalyserWindow));
    QVERIFY(polariserWindow && analyserWindow);
    QCOMPARE(polariserWindow->Nodes(), square);
    QCOMPARE(analyserWindow->Nodes(), square);
    QCOMPARE(polariserWindow->Position(), QVector3D(-3.6f, 0, 0));
    QCOMPARE(analyserWindow->Position(), QVector3D(0, 0, 0));
    QCOMPARE(polariserWindow->LibMaterialName(), QStringLiteral("Transparent"));
    QVERIFY(analyserWindow->LibMaterialName().isEmpty()); // a material of its own
    QVERIFY(analyserWindow->Material().IsBlended());
    QCOMPARE(analyserWindow->Material().Ambient, QVector4D(0, 0, 0, 1));
}

void TestPolarisationScene::buildIsTheStateForAngleZero()
{
    Fixture f;
    std::map<TSceneNode *, uint64_t> before;
    walk(&f.scene.Objects, [&](TSceneNode *n) { before[n] = n->Revision(); });
    UpdatePolarisationScene(f.base, 0.0f);
    walk(&f.scene.Objects, [&](TSceneNode *n) { QCOMPARE(n->Revision(), before[n]); });
    // And coming back to 0 from elsewhere gives the built state again.
    const std::vector<QVector3D> built = f.analysedTube()->Nodes();
    const TMaterial builtGlass = f.window(polAnalyserWindow);
    UpdatePolarisationScene(f.base, 37.0f);
    UpdatePolarisationScene(f.base, 0.0f);
    QCOMPARE(f.analysedTube()->Nodes(), built);
    QVERIFY(f.window(polAnalyserWindow) == builtGlass);
    QCOMPARE(f.at(polAnalysedWave)->PitchAngle(), 0.0f);
    QCOMPARE(f.at(polAnalyserFrame)->RollAngle(), 0.0f);
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
    UpdatePolarisationScene(f.base, 23.0f); // start from elsewhere
    UpdatePolarisationScene(f.base, angle);
    const double e = std::fabs(std::cos(angle * M_PI / 180.0));
    const QVector3D up = turnedUp(angle);

    // The wave behind the analyser, both wavelengths of it, lies in the
    // turned plane with amplitude 0.5 |cos angle|.
    const auto nodes = drawnNodes(f.scene.Objects, f.analysedTube());
    QCOMPARE(int(nodes.size()), 2 * 31);
    for (const QVector3D &w : nodes) {
        const double phase = (w.x() / 1.8) * 2 * M_PI;
        const QVector3D expected(w.x(), 0, 0);
        QVERIFY2(near(w, expected + up * float(0.5 * e * std::sin(phase)), 2e-5f),
                 qPrintable(QStringLiteral("node at x %1").arg(w.x())));
    }

    // The frame and the window turn with it: their own +y ends on the same
    // direction, and they stay across the beam at their places.
    const QMatrix4x4 frame = f.at(polAnalyserFrame)->AbsoluteMatrix();
    const QMatrix4x4 window = f.at(polAnalyserWindow)->AbsoluteMatrix();
    QVERIFY(near(frame.mapVector(QVector3D(0, 1, 0)), up));
    QVERIFY(near(window.mapVector(QVector3D(0, 1, 0)), up));
    QVERIFY(near(frame.mapVector(QVector3D(0, 0, 1)), QVector3D(1, 0, 0)));
    QVERIFY(near(frame.map(QVector3D(0, 0, 0.1f)), QVector3D(0, 0, 0)));
    QVERIFY(near(window.mapVector(QVector3D(1, 0, 0)), QVector3D(1, 0, 0)));

    // The window darkens from the polariser's orange to opaque olive.
    const TMaterial &glass = f.window(polAnalyserWindow);
    const QVector4D colour(float(0.729 * e + 0.2), float(0.282 * e + 0.2), float(0.024 * e),
                           float(0.6 * (1 - e) + 0.4));
    QVERIFY2((glass.Diffuse - colour).length() < 1e-5f, qPrintable(QStringLiteral("alpha %1").arg(glass.Diffuse.w())));
    QVERIFY(glass.IsBlended());
}

void TestPolarisationScene::edgeAngles()
{
    Fixture f;
    const TMaterial &polariserGlass = f.window(polPolariserWindow);

    // 0: the polarised wave lines up in one plane from the polariser to the
    // end, 0.5 high, and both windows show the same colour.
    UpdatePolarisationScene(f.base, 0.0f);
    for (const TNodeListShape *shape : {static_cast<TNodeListShape *>(f.analysedTube()),
                                        static_cast<TNodeListShape *>(dynamic_cast<TPipe *>(f.at(polPolarisedWave)))})
        for (const TDrawItem &item : CollectDrawItems(f.scene.Objects))
            if (item.Geometry == shape && item.World.map(QVector3D()).x() > -3.7f)
                for (const QVector3D &n : shape->Nodes())
                    QVERIFY(std::fabs(item.World.map(n).z()) < 1e-6f);
    QVERIFY(std::fabs(amplitude(*f.analysedTube()) - 0.5f) < 1e-6f);
    QCOMPARE(bytes(f.window(polAnalyserWindow).Diffuse), bytes(polariserGlass.Diffuse));

    // +-90: the analysed tube lies flat on the axis; the window is opaque
    // dark olive.
    for (float a : {90.0f, -90.0f}) {
        UpdatePolarisationScene(f.base, a);
        for (const QVector3D &w : drawnNodes(f.scene.Objects, f.analysedTube()))
            QVERIFY(std::fabs(w.y()) < 1e-6f && std::fabs(w.z()) < 1e-6f);
        QCOMPARE(bytes(f.window(polAnalyserWindow).Diffuse), qRgba(51, 51, 0, 255));
    }

    // 60: amplitude 0.25, plane turned 60 degrees about x.
    UpdatePolarisationScene(f.base, 60.0f);
    QVERIFY(std::fabs(amplitude(*f.analysedTube()) - 0.25f) < 1e-6f);
    const QVector3D plane = f.at(polAnalysedWave)->AbsoluteMatrix().mapVector(QVector3D(0, 1, 0));
    QVERIFY(std::fabs(std::acos(QVector3D::dotProduct(plane, QVector3D(0, 1, 0))) * 180 / M_PI - 60) < 1e-3);
    QVERIFY(std::fabs(plane.x()) < 1e-6f);
}

void TestPolarisationScene::scrollingNeverTouchesTheLightBeforeTheAnalyser()
{
    Fixture f;
    int reports = 0;
    f.scene.Objects.OnChange = [&] { ++reports; };
    std::map<TSceneNode *, uint64_t> before;
    walk(&f.base, [&](TSceneNode *n) { before[n] = n->Revision(); });

    for (int p = -90; p <= 90; p += 7) {
        const int was = reports;
        UpdatePolarisationScene(f.base, float(p));
        QVERIFY(reports - was <= 1); // one redraw per move at most
    }
    UpdatePolarisationScene(f.base, 90.0f);
    QVERIFY(reports > 0);

    for (int order : {1, 2, 3, 4, 5, 6, 7, 9, 10})
        walk(f.at(order), [&](TSceneNode *n) {
            QVERIFY2(n->Revision() == before[n], qPrintable(QStringLiteral("order %1 changed").arg(order)));
        });
    // What the angle moves did move.
    for (int order : {polAnalysedWave, polAnalyserFrame, polAnalyserWindow})
        QVERIFY(f.at(order)->Revision() != before[f.at(order)]);
}

void TestPolarisationScene::updateWithoutSceneDoesNothing()
{
    TGLScene scene;
    UpdatePolarisationScene(*scene.SceneBase, 45.0f); // empty base
    QCOMPARE(scene.SceneBase->Count(), 0);
    // Twelve objects of another kind are not the scene either.
    for (int i = 0; i < polChildren; ++i)
        scene.SceneBase->AddNewChild<TSceneNode>();
    UpdatePolarisationScene(*scene.SceneBase, 45.0f);
    for (int i = 0; i < polChildren; ++i)
        QCOMPARE(scene.SceneBase->Child(i)->PitchAngle(), 0.0f);
}

QTEST_MAIN(TestPolarisationScene)
#include "tst_polarisationscene.moc"
