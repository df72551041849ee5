// The scene graph without a GPU: rotation conventions, copies, the update
// bracket, materials, the camera, and the geometry of the shapes.
#include "MeshChecks.h"

#include "scene3d/GLScene.h"
#include "scene3d/GLX_Cylinders.h"
#include "scene3d/Shapes.h"

#include <QTest>
#include <cmath>

namespace {

bool near(const QVector3D &a, const QVector3D &b, float eps = 1e-5f)
{
    return (a - b).length() <= eps;
}

bool near(const QMatrix4x4 &a, const QMatrix4x4 &b, float eps = 1e-5f)
{
    for (int i = 0; i < 16; ++i)
        if (std::fabs(a.constData()[i] - b.constData()[i]) > eps)
            return false;
    return true;
}

QString str(const QVector3D &v)
{
    return QStringLiteral("(%1, %2, %3)").arg(v.x()).arg(v.y()).arg(v.z());
}

std::vector<QPointF> square(double half, double cx = 0, double cy = 0, bool clockwise = false)
{
    std::vector<QPointF> s{{cx + half, cy + half}, {cx - half, cy + half}, {cx - half, cy - half}, {cx + half, cy - half}};
    if (clockwise)
        std::reverse(s.begin(), s.end());
    return s;
}

double area(const std::vector<QPointF> &tri)
{
    double a = 0;
    for (size_t i = 0; i + 2 < tri.size(); i += 3) {
        const QPointF u = tri[i + 1] - tri[i], v = tri[i + 2] - tri[i];
        a += (u.x() * v.y() - u.y() * v.x()) / 2.0;
    }
    return a;
}

bool covered(const std::vector<QPointF> &tri, const QPointF &p)
{
    for (size_t i = 0; i + 2 < tri.size(); i += 3) {
        auto side = [&](const QPointF &a, const QPointF &b) {
            return (b.x() - a.x()) * (p.y() - a.y()) - (b.y() - a.y()) * (p.x() - a.x());
        };
        if (side(tri[i], tri[i + 1]) >= 0 && side(tri[i + 1], tri[i + 2]) >= 0 && side(tri[i + 2], tri[i]) >= 0)
            return true;
    }
    return false;
}

// Where a world point lands on a viewport of w x h pixels (y down).
QPointF toPixels(const TGLCamera &camera, const QVector3D &p, float w, float h)
{
    const QVector4D clip = camera.ProjectionMatrix(w, h) * camera.ViewMatrix() * QVector4D(p, 1.0f);
    return QPointF((clip.x() / clip.w() + 1.0f) * w / 2.0f, (1.0f - clip.y() / clip.w()) * h / 2.0f);
}

} // namespace

class TestSceneGraph : public QObject
{
    Q_OBJECT
private slots:
    void rotationConventions_data();
    void rotationConventions();
    void rollSpinsAboutTheTurnedFacingAxis();
    void placementComposes();
    void copiesDrawTheMastersGeometry();
    void copyKeepingTheSourcesPlacement();
    void copiesSurviveTheirMaster();
    void copyThatWouldDrawItselfIsSkipped();
    void updateBracketReportsOnce();
    void deleteChildren();
    void materials();
    void zoomInThenOutRestoresDistance();
    void orbitKeepsDistance();
    void panMovesTheTargetByThePixelsDragged_data();
    void panMovesTheTargetByThePixelsDragged();
    void resetCamera();
    void meshesFaceTheirNormals_data();
    void meshesFaceTheirNormals();
    void oddWindingTriangulation_data();
    void oddWindingTriangulation();
    void extrusionWithHole();
    void pipeFollowsItsNodes();
    void coneCentredOnItsPosition();
    void polygonAnyPlane();
};

// ---------------------------------------------------------------- placement

void TestSceneGraph::rotationConventions_data()
{
    QTest::addColumn<float>("pitch");
    QTest::addColumn<float>("roll");
    QTest::addColumn<float>("turn");
    QTest::addColumn<QVector3D>("in");
    QTest::addColumn<QVector3D>("out");
    const QVector3D x(1, 0, 0), y(0, 1, 0), z(0, 0, 1);
    QTest::newRow("pitch -90: +y onto +z") << -90.0f << 0.0f << 0.0f << y << z;
    QTest::newRow("pitch 180: +y onto -y") << 180.0f << 0.0f << 0.0f << y << -y;
    QTest::newRow("pitch -270: +y onto -z") << -270.0f << 0.0f << 0.0f << y << -z;
    QTest::newRow("pitch keeps x") << 37.0f << 0.0f << 0.0f << x << x;
    QTest::newRow("pitch 90 lifts facing axis") << 90.0f << 0.0f << 0.0f << z << y;
    QTest::newRow("turn keeps up") << 0.0f << 0.0f << 63.0f << y << y;
    QTest::newRow("turn 90: +z onto +x") << 0.0f << 0.0f << 90.0f << z << x;
    QTest::newRow("roll keeps facing") << 0.0f << 41.0f << 0.0f << z << z;
    QTest::newRow("roll 90: +y onto -x") << 0.0f << 90.0f << 0.0f << y << -x;
    // Turn is about the parent's up axis, after the pitch.
    QTest::newRow("pitch -90 turn 90: +y onto +x") << -90.0f << 0.0f << 90.0f << y << x;
    // Roll is about the node's own facing axis, before pitch and turn.
    QTest::newRow("roll 90 pitch 90: +y onto -x") << 90.0f << 90.0f << 0.0f << y << -x;
}

void TestSceneGraph::rotationConventions()
{
    QFETCH(float, pitch);
    QFETCH(float, roll);
    QFETCH(float, turn);
    QFETCH(QVector3D, in);
    QFETCH(QVector3D, out);
    TSceneNode n;
    n.SetPitchAngle(pitch);
    n.SetRollAngle(roll);
    n.SetTurnAngle(turn);
    const QVector3D got = n.LocalMatrix().mapVector(in);
    QVERIFY2(near(got, out), qPrintable(str(got)));
}

void TestSceneGraph::rollSpinsAboutTheTurnedFacingAxis()
{
    // A frame laid across x by a quarter turn and rolled by -a turns exactly
    // as a pitch of a turns things about x: frame and window turn together.
    for (float a : {30.0f, 60.0f, -45.0f, 90.0f}) {
        TSceneNode frame, window;
        frame.SetTurnAngle(90.0f);
        QVERIFY(near(frame.Direction(), QVector3D(1, 0, 0)));
        frame.SetRollAngle(-a);
        window.SetPitchAngle(a);
        TSceneNode unrolled;
        unrolled.SetTurnAngle(90.0f);
        QVERIFY(near(frame.RotationMatrix(), window.RotationMatrix() * unrolled.RotationMatrix()));
        QVERIFY(near(frame.Direction(), QVector3D(1, 0, 0)));
    }
}

void TestSceneGraph::placementComposes()
{
    TSceneNode root;
    auto *group = root.AddNewChild<TSceneNode>();
    group->SetPosition(1, 2, 3);
    group->SetPitchAngle(180.0f); // y and z change sign
    auto *leaf = group->AddNewChild<TSceneNode>();
    leaf->SetPosition(0.5f, 1, 0);
    leaf->SetScale(1, 0.25f, 1); // along its own y, from its own origin
    leaf->SetPitchAngle(-90.0f); // its y onto the group's z

    QVERIFY(near(leaf->LocalMatrix().map(QVector3D(0, 1, 0)), QVector3D(0.5f, 1, 0.25f)));
    QVERIFY(near(leaf->AbsoluteMatrix().map(QVector3D(0, 1, 0)), QVector3D(1.5f, 1, 2.75f)));
    QVERIFY(near(leaf->AbsolutePosition(), QVector3D(1.5f, 1, 3)));
    QCOMPARE(group->IndexOf(leaf), 0);
    QCOMPARE(root.Child(0), group);
    QCOMPARE(root.Child(1), nullptr);
    QCOMPARE(root.Child(-1), nullptr);
}

// ---------------------------------------------------------------- copies

void TestSceneGraph::copiesDrawTheMastersGeometry()
{
    TSceneRoot root;
    auto *master = root.AddNewChild<TCone>();
    master->SetPosition(5, 0, 0);
    master->SetPitchAngle(30);
    auto *child = master->AddNewChild<TLines>();
    child->AddNode(0, 0, 0);
    child->AddNode(1, 0, 0);
    child->SetPosition(0, 0, 2);
    auto *copy = root.AddNewChild<TProxyNode>(master);
    copy->SetPosition(0, 2, 0);
    copy->SetTurnAngle(90);

    auto items = CollectDrawItems(root);
    QCOMPARE(items.size(), size_t(4));
    QCOMPARE(items[0].Geometry, master);
    QVERIFY(near(items[0].World, master->LocalMatrix()));
    QCOMPARE(items[1].Geometry, child);
    QCOMPARE(items[2].Geometry, master);
    // The copy's placement replaces the master's.
    QVERIFY(near(items[2].World, copy->LocalMatrix()));
    QCOMPARE(items[3].Geometry, child);
    QVERIFY(near(items[3].World, copy->LocalMatrix() * child->LocalMatrix()));
    QCOMPARE(items[2].Material, &master->EffectiveMaterial());

    // A hidden master still serves its copies; a hidden child of the master
    // is hidden in every copy.
    master->SetVisible(false);
    items = CollectDrawItems(root);
    QCOMPARE(items.size(), size_t(2));
    QCOMPARE(items[0].Geometry, master);
    QVERIFY(near(items[0].World, copy->LocalMatrix()));
    child->SetVisible(false);
    QCOMPARE(CollectDrawItems(root).size(), size_t(1));
    copy->SetVisible(false);
    QVERIFY(CollectDrawItems(root).empty());
}

void TestSceneGraph::copyKeepingTheSourcesPlacement()
{
    TSceneRoot root;
    auto *tube = root.AddNewChild<TPipe>();
    tube->AddNode(0, 0, 0);
    tube->AddNode(1.8f, 0, 0);
    tube->SetPosition(-3.6f, 0, 0);
    auto *follower = root.AddNewChild<TProxyNode>(tube);
    follower->SetKeepsSourcePlacement(true);
    follower->SetPosition(1.8f, 0, 0);
    auto *plain = root.AddNewChild<TProxyNode>(tube);
    plain->SetPosition(-5.4f, 0, 0);

    const auto items = CollectDrawItems(root);
    QCOMPARE(items.size(), size_t(3));
    QVERIFY(near(items[1].World.map(QVector3D()), QVector3D(-1.8f, 0, 0)));
    QVERIFY(near(items[2].World.map(QVector3D()), QVector3D(-5.4f, 0, 0)));
    // Moving the source moves the follower with it, not the plain copy.
    tube->SetPosition(-3.0f, 0, 0);
    const auto moved = CollectDrawItems(root);
    QVERIFY(near(moved[1].World.map(QVector3D()), QVector3D(-1.2f, 0, 0)));
    QVERIFY(near(moved[2].World.map(QVector3D()), QVector3D(-5.4f, 0, 0)));
}

void TestSceneGraph::copiesSurviveTheirMaster()
{
    TSceneRoot root;
    auto *master = root.AddNewChild<TGLXCylinder>();
    auto *copy = root.AddNewChild<TProxyNode>(master);
    auto *other = root.AddNewChild<TProxyNode>(master);
    delete other; // a copy going first unregisters itself
    delete master;
    QCOMPARE(copy->MasterObject(), nullptr);
    QVERIFY(CollectDrawItems(root).empty());
    QCOMPARE(root.Count(), 1);
    // And the other way round: deleting a whole tree with copies and
    // masters in any order.
    auto *group = root.AddNewChild<TSceneNode>();
    auto *m2 = group->AddNewChild<TCone>();
    group->AddNewChild<TProxyNode>(m2);
    root.AddNewChild<TProxyNode>(group);
    root.DeleteChildren();
    QCOMPARE(root.Count(), 0);
}

void TestSceneGraph::copyThatWouldDrawItselfIsSkipped()
{
    TSceneRoot root;
    auto *group = root.AddNewChild<TSceneNode>();
    group->AddNewChild<TCone>();
    auto *self = group->AddNewChild<TProxyNode>(group); // a copy of its own parent
    auto *loop = root.AddNewChild<TProxyNode>();
    loop->SetMasterObject(loop);
    const auto items = CollectDrawItems(root);
    QCOMPARE(items.size(), size_t(1)); // the cone, once
    QVERIFY(self->MasterObject() == group);
}

// ---------------------------------------------------------------- changes

void TestSceneGraph::updateBracketReportsOnce()
{
    TSceneRoot root;
    int reports = 0;
    root.OnChange = [&] { ++reports; };
    auto *base = root.AddNewChild<TSceneNode>();
    auto *a = base->AddNewChild<TLines>();
    a->AddNode(0, 0, 0);
    const uint64_t built = root.ChangeReports();
    reports = 0;

    base->BeginUpdate();
    a->SetPosition(1, 0, 0);
    a->SetNode(0, QVector3D(0, 1, 0));
    base->SetPitchAngle(10);
    base->BeginUpdate(); // nested
    a->SetVisible(false);
    base->EndUpdate();
    QCOMPARE(reports, 0);
    base->EndUpdate();
    QCOMPARE(reports, 1);

    // Outside an update every change reports; setting the same value is no change.
    a->SetPosition(2, 0, 0);
    QCOMPARE(reports, 2);
    a->SetPosition(2, 0, 0);
    a->SetNode(0, QVector3D(0, 1, 0));
    a->SetNode(7, QVector3D(1, 1, 1)); // no such node
    QCOMPARE(reports, 2);
    base->BeginUpdate();
    base->EndUpdate();
    QCOMPARE(reports, 2);
    base->EndUpdate(); // unbalanced end: ignored
    a->SetPosition(3, 0, 0);
    QCOMPARE(reports, 3);
    QCOMPARE(root.ChangeReports(), built + 3);

    // Geometry and placement are tracked apart.
    const uint64_t g = a->GeometryRevision(), r = a->Revision();
    a->SetPitchAngle(5);
    QCOMPARE(a->GeometryRevision(), g);
    QVERIFY(a->Revision() > r);
    a->SetNode(0, QVector3D(0, 2, 0));
    QVERIFY(a->GeometryRevision() > g);
}

void TestSceneGraph::deleteChildren()
{
    TSceneRoot root;
    int reports = 0;
    root.OnChange = [&] { ++reports; };
    auto *base = root.AddNewChild<TSceneNode>();
    for (int i = 0; i < 5; ++i)
        base->AddNewChild<TSceneNode>()->AddNewChild<TCone>();
    reports = 0;
    base->DeleteChildren();
    QCOMPARE(base->Count(), 0);
    QCOMPARE(reports, 1);
    base->DeleteChildren();
    QCOMPARE(reports, 1);
    // A node deleted on its own leaves its parent.
    auto *c = base->AddNewChild<TSceneNode>();
    base->AddNewChild<TSceneNode>();
    delete c;
    QCOMPARE(base->Count(), 1);
}

void TestSceneGraph::materials()
{
    TGLScene scene;
    const TMaterialLibrary &lib = scene.MatLib;
    QCOMPARE(lib.Names(), QStringList({"Red", "Blue", "Transparent", "Palegreen"}));
    const TMaterial *red = lib.Find(QStringLiteral("Red"));
    QVERIFY(red);
    QCOMPARE(red->Ambient, QVector4D(0, 0, 0, 1));
    QCOMPARE(red->Diffuse, QVector4D(0.333333f, 0, 0, 1));
    QCOMPARE(red->Emission, QVector4D(0.690196f, 0, 0, 1));
    const TMaterial *blue = lib.Find(QStringLiteral("Blue"));
    QCOMPARE(blue->Diffuse, QVector4D(0.294118f, 0.294118f, 0.52549f, 1));
    QCOMPARE(blue->Emission, QVector4D(0.156863f, 0.14902f, 0.698039f, 1));
    const TMaterial *glass = lib.Find(QStringLiteral("Transparent"));
    QCOMPARE(glass->Diffuse, QVector4D(0.929412f, 0.482353f, 0.0235294f, 0.4f));
    QCOMPARE(glass->Emission, QVector4D(0, 0, 0, 1)); // library default
    QVERIFY(glass->IsBlended());
    const TMaterial *green = lib.Find(QStringLiteral("Palegreen"));
    QCOMPARE(green->Ambient, QVector4D(0.2f, 0.2f, 0.2f, 1)); // library default
    QCOMPARE(green->Diffuse, QVector4D(0.333333f, 0.333333f, 0.427451f, 1));
    QCOMPARE(green->Emission, QVector4D(0.34902f, 0.356863f, 0.356863f, 1));
    QVERIFY(!red->IsBlended() && !blue->IsBlended() && !green->IsBlended());

    // A node follows the library's material by name; its own material is
    // used without one, or when the name is unknown.
    TSceneNode n;
    TMaterial own;
    own.Diffuse = QVector4D(0.1f, 0.2f, 0.3f, 0.5f);
    own.Blending = TBlending::Transparency;
    n.SetMaterial(own);
    QCOMPARE(n.EffectiveMaterial().Diffuse, own.Diffuse);
    n.SetLibMaterial(&lib, QStringLiteral("Blue"));
    QCOMPARE(&n.EffectiveMaterial(), blue);
    n.SetLibMaterial(&lib, QStringLiteral("NoSuchName"));
    QCOMPARE(n.EffectiveMaterial().Diffuse, own.Diffuse);
    n.SetMaterial(own);
    QCOMPARE(n.LibMaterialName(), QString());
}

// ---------------------------------------------------------------- camera

void TestSceneGraph::zoomInThenOutRestoresDistance()
{
    TGLScene scene;
    scene.ResetCamera(0.8f);
    TGLCamera &cam = *scene.GLCamera;
    const QVector3D start = cam.Position();
    const float d0 = cam.DistanceToTarget();
    cam.AdjustDistanceToTarget(std::pow(1.05f, -3.0f));
    QVERIFY(std::fabs(cam.DistanceToTarget() - d0 * 0.863838f) < 1e-4f);
    cam.AdjustDistanceToTarget(std::pow(1.05f, 3.0f));
    QVERIFY(std::fabs(cam.DistanceToTarget() - d0) < 1e-5f * d0);
    QVERIFY(near(cam.Position(), start, 1e-5f));
    // One wheel notch away from the user: 5 percent further.
    cam.AdjustDistanceToTarget(std::pow(1.05f, 120 / 120.0f));
    QVERIFY(std::fabs(cam.DistanceToTarget() - d0 * 1.05f) < 1e-5f * d0);
    // Nonsense factors leave the camera alone.
    const QVector3D before = cam.Position();
    cam.AdjustDistanceToTarget(0.0f);
    cam.AdjustDistanceToTarget(-2.0f);
    cam.AdjustDistanceToTarget(std::nanf(""));
    QCOMPARE(cam.Position(), before);
}

void TestSceneGraph::orbitKeepsDistance()
{
    TGLScene scene;
    scene.ResetCamera(1.0f);
    TGLCamera &cam = *scene.GLCamera;
    const float d0 = cam.DistanceToTarget();
    auto elevation = [&] { return std::asin(cam.Position().y() / cam.DistanceToTarget()) * 180 / M_PI; };
    auto azimuth = [&] { return std::atan2(cam.Position().x(), cam.Position().z()) * 180 / M_PI; };
    const double e0 = elevation(), a0 = azimuth();

    cam.MoveAroundTarget(10, 0); // dragging up: more from above
    QVERIFY(std::fabs(elevation() - (e0 + 10)) < 1e-3);
    QVERIFY(std::fabs(azimuth() - a0) < 1e-3);
    cam.MoveAroundTarget(0, -30); // dragging right: the camera swings towards -x
    QVERIFY(std::fabs(azimuth() - (a0 - 30)) < 1e-3);
    QVERIFY(std::fabs(elevation() - (e0 + 10)) < 1e-3);
    QVERIFY(std::fabs(cam.DistanceToTarget() - d0) < 1e-4f * d0);

    // It stops short of straight above, where the view would be undefined.
    cam.MoveAroundTarget(500, 0);
    QVERIFY(elevation() < 89.5 && elevation() > 88.5);
    const QMatrix4x4 v = cam.ViewMatrix();
    for (int i = 0; i < 16; ++i)
        QVERIFY(std::isfinite(v.constData()[i]));
    cam.MoveAroundTarget(-1000, 0);
    QVERIFY(elevation() > -89.5 && elevation() < -88.5);
}

void TestSceneGraph::panMovesTheTargetByThePixelsDragged_data()
{
    QTest::addColumn<QVector3D>("camera");
    QTest::addColumn<float>("dx");
    QTest::addColumn<float>("dy");
    QTest::newRow("front, right") << QVector3D(0, 0, 10) << 25.0f << 0.0f;
    QTest::newRow("front, down") << QVector3D(0, 0, 10) << 0.0f << 40.0f;
    QTest::newRow("side, diagonal") << QVector3D(10, 0, 0) << -30.0f << 12.0f;
    QTest::newRow("shown scene") << QVector3D(5.94f, 2.19f, 4.01f) * 0.864f << 17.0f << -23.0f;
}

void TestSceneGraph::panMovesTheTargetByThePixelsDragged()
{
    QFETCH(QVector3D, camera);
    QFETCH(float, dx);
    QFETCH(float, dy);
    TGLScene scene;
    scene.GLCamera->SetPosition(camera);
    const float w = 640, h = 480;
    const QPointF before = toPixels(*scene.GLCamera, scene.SceneBase->AbsolutePosition(), w, h);
    scene.Pan(dx, dy);
    const QPointF after = toPixels(*scene.GLCamera, scene.SceneBase->AbsolutePosition(), w, h);
    QVERIFY2(std::fabs(after.x() - before.x() - dx) < 0.01 && std::fabs(after.y() - before.y() - dy) < 0.01,
             qPrintable(QStringLiteral("moved by %1, %2").arg(after.x() - before.x()).arg(after.y() - before.y())));
}

void TestSceneGraph::resetCamera()
{
    TGLScene scene;
    QCOMPARE(scene.GLCamera->Position(), QVector3D(0, 0, 100));
    QCOMPARE(scene.GLCamera->TargetObject(), scene.RootDC);
    QCOMPARE(scene.SceneBase->Parent(), scene.RootDC);
    QCOMPARE(scene.GLLightSource1->Parent(), scene.GLCamera);
    scene.SceneBase->SetPitchAngle(120);
    scene.SceneBase->SetPosition(1, 2, 3);
    int reports = 0;
    scene.Objects.OnChange = [&] { ++reports; };
    const float r = 864.0f / 1080.0f;
    scene.ResetCamera(r);
    QCOMPARE(reports, 1);
    QCOMPARE(scene.SceneBase->PitchAngle(), 0.0f);
    QCOMPARE(scene.SceneBase->Position(), QVector3D(0, 0, 0));
    QCOMPARE(scene.GLCamera->Position(), QVector3D(5.94f * r, 2.19f * r, 4.01f * r));
    // The light moves with the camera.
    QCOMPARE(scene.GLLightSource1->AbsolutePosition(), scene.GLCamera->AbsolutePosition());
}

// ---------------------------------------------------------------- shapes

void TestSceneGraph::meshesFaceTheirNormals_data()
{
    QTest::addColumn<QString>("shape");
    for (const char *s : {"cylinder", "cone", "truncated cone", "pipe", "polygon", "extrusion"})
        QTest::newRow(s) << QString::fromLatin1(s);
}

void TestSceneGraph::meshesFaceTheirNormals()
{
    // Every lit triangle must be wound counter-clockwise seen from the side
    // its normals point to: the renderer lights back faces as turned round.
    QFETCH(QString, shape);
    TSceneRoot root;
    TSceneNode *node = nullptr;
    if (shape == "cylinder") {
        auto *c = root.AddNewChild<TGLXCylinder>();
        c->SetSlices(8);
        node = c;
    } else if (shape == "cone" || shape == "truncated cone") {
        auto *c = root.AddNewChild<TCone>();
        c->SetStacks(3);
        c->SetLoops(3);
        c->SetSlices(7);
        if (shape == "truncated cone") {
            c->SetTopRadius(0.2f);
            c->SetParts(TCone::Sides | TCone::Bottom | TCone::Top);
        }
        node = c;
    } else if (shape == "pipe") {
        auto *p = root.AddNewChild<TPipe>();
        for (int i = 0; i <= 30; ++i)
            p->AddNode(0.06f * i, 0.5f * std::sin(i * 12 * M_PI / 180), 0.1f * std::cos(i * 0.3));
        node = p;
    } else if (shape == "polygon") {
        auto *p = root.AddNewChild<TPolygon>();
        for (auto q : {QVector3D(0, 0, 0), QVector3D(2, 0, 0), QVector3D(2, 2, 0), QVector3D(1, 0.5f, 0),
                       QVector3D(0, 2, 0)})
            p->AddNode(q);
        node = p;
    } else {
        auto *e = root.AddNewChild<TExtrusionSolid>();
        e->AddContour(square(1.2));
        e->AddContour(square(1.0));
        e->SetDepth(0.2f);
        e->SetParts(TExtrusionSolid::OutsideWalls | TExtrusionSolid::StartFace | TExtrusionSolid::StopFace);
        node = e;
    }
    TMesh mesh;
    node->BuildMesh(mesh);
    const auto tris = Triangles(mesh);
    QVERIFY(!tris.empty());
    int checked = 0;
    for (const TestTriangle &t : tris) {
        if (t.Area() < 1e-7f)
            continue;
        const QVector3D n = t.n[0] + t.n[1] + t.n[2];
        QVERIFY2(QVector3D::dotProduct(t.GeometricNormal(), n) > 0,
                 qPrintable(str(t.v[0]) + str(t.v[1]) + str(t.v[2]) + " normal " + str(n)));
        ++checked;
    }
    QVERIFY(checked > 0);
}

void TestSceneGraph::oddWindingTriangulation_data()
{
    using Contours = std::vector<std::vector<QPointF>>;
    QTest::addColumn<Contours>("contours");
    QTest::addColumn<double>("expectedArea");
    QTest::newRow("square") << Contours{square(1)} << 4.0;
    QTest::newRow("clockwise square") << Contours{square(1, 0, 0, true)} << 4.0;
    QTest::newRow("square ring") << Contours{square(1.2), square(1.0)} << 5.76 - 4.0;
    QTest::newRow("ring wound both ways") << Contours{square(1.2), square(1.0, 0, 0, true)} << 1.76;
    QTest::newRow("two islands") << Contours{square(1), square(0.5, 5, 5)} << 5.0;
    QTest::newRow("concave arrow")
        << Contours{{{0, 0}, {2, 0}, {2, 2}, {1, 0.5}, {0, 2}}} << (4.0 - 1.5);
    // A bow-tie crossing itself at (1, 1): two triangles of area 1.
    QTest::newRow("bow-tie") << Contours{{{0, 0}, {2, 2}, {2, 0}, {0, 2}}} << 2.0;
    QTest::newRow("overlapping squares") << Contours{square(1), square(1, 1, 0)} << 4.0;
    QTest::newRow("degenerate") << Contours{{{0, 0}, {1, 1}}, {{0, 0}, {1, 1}, {2, 2}}} << 0.0;
}

void TestSceneGraph::oddWindingTriangulation()
{
    using Contours = std::vector<std::vector<QPointF>>;
    QFETCH(Contours, contours);
    QFETCH(double, expectedArea);
    const std::vector<QPointF> tri = TriangulateOddWinding(contours);
    QCOMPARE(tri.size() % 3, size_t(0));
    QVERIFY2(std::fabs(area(tri) - expectedArea) < 1e-9, qPrintable(QString::number(area(tri))));
    // Triangles only ever cover the filled region, counter-clockwise.
    for (size_t i = 0; i + 2 < tri.size(); i += 3)
        QVERIFY(area({tri[i], tri[i + 1], tri[i + 2]}) > 0);
    for (double x = -1.95; x < 6; x += 0.1)
        for (double y = -1.93; y < 6; y += 0.1) { // off the diagonals
            const QPointF p(x, y);
            QVERIFY2(covered(tri, p) == InsideOddWinding(contours, p),
                     qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
}

void TestSceneGraph::extrusionWithHole()
{
    TExtrusionSolid frame;
    const int outer = frame.AddContour();
    for (auto [x, y] : {std::pair{1.2f, 1.2f}, {-1.2f, 1.2f}, {-1.2f, -1.2f}, {1.2f, -1.2f}})
        frame.AddContourNode(outer, x, y);
    const int inner = frame.AddContour();
    for (auto [x, y] : {std::pair{1.0f, 1.0f}, {-1.0f, 1.0f}, {-1.0f, -1.0f}, {1.0f, -1.0f}})
        frame.AddContourNode(inner, x, y);
    frame.SetDepth(0.2f);
    frame.SetParts(TExtrusionSolid::OutsideWalls | TExtrusionSolid::StartFace | TExtrusionSolid::StopFace);
    TMesh mesh;
    frame.BuildMesh(mesh);

    double faceFront = 0, faceBack = 0, walls = 0;
    for (const TestTriangle &t : Triangles(mesh)) {
        const QVector3D n = t.n[0];
        if (n == QVector3D(0, 0, 1)) {
            faceFront += t.Area();
            QCOMPARE(t.v[0].z(), 0.2f);
        } else if (n == QVector3D(0, 0, -1)) {
            faceBack += t.Area();
            QCOMPARE(t.v[0].z(), 0.0f);
        } else {
            walls += t.Area();
            // A wall's normal points out of the solid: stepping along it
            // from the wall leaves the ring.
            const QVector3D c = (t.v[0] + t.v[1] + t.v[2]) / 3;
            const QVector3D out = c + n * 0.01f;
            QVERIFY2(!InsideOddWinding({frame.Contour(0), frame.Contour(1)}, QPointF(out.x(), out.y())),
                     qPrintable(str(c) + str(n)));
        }
    }
    QVERIFY(std::fabs(faceFront - 1.76) < 1e-5);
    QVERIFY(std::fabs(faceBack - 1.76) < 1e-5);
    QVERIFY(std::fabs(walls - (4 * 2.4 + 4 * 2.0) * 0.2) < 1e-5);

    // Without walls, just the faces; with inside walls as well, twice the walls.
    frame.SetParts(TExtrusionSolid::OutsideWalls | TExtrusionSolid::InsideWalls);
    TMesh both;
    frame.BuildMesh(both);
    double all = 0;
    for (const TestTriangle &t : Triangles(both))
        all += t.Area();
    QVERIFY(std::fabs(all - 2 * 3.52) < 1e-5);
}

void TestSceneGraph::pipeFollowsItsNodes()
{
    TPipe pipe;
    pipe.SetRadius(0.01f);
    pipe.SetSlices(6);
    std::vector<QVector3D> nodes;
    for (int i = 0; i <= 30; ++i) {
        nodes.emplace_back(0.06f * i, 0.5f * float(std::sin(i * 12 * M_PI / 180)), 0.0f);
        pipe.AddNode(nodes.back());
    }
    TMesh mesh;
    pipe.BuildMesh(mesh);
    QCOMPARE(mesh.Parts.size(), size_t(30));
    for (size_t i = 0; i < mesh.Parts.size(); ++i) {
        const TMeshPart &strip = mesh.Parts[i];
        QCOMPARE(strip.Mode, TPrimitive::TriangleStrip);
        QCOMPARE(strip.Vertices.size(), size_t(2 * 7));
        for (size_t k = 0; k < strip.Vertices.size(); ++k) {
            // Alternately a ring vertex of the next node and of this one,
            // one radius away from it along its normal.
            const QVector3D centre = nodes[k % 2 == 0 ? i + 1 : i];
            QVERIFY(near(strip.Vertices[k], centre + strip.Normals[k] * 0.01f, 1e-6f));
            QVERIFY(std::fabs(strip.Normals[k].length() - 1) < 1e-5f);
        }
    }
    // Moving a node is a geometry change.
    const uint64_t g = pipe.GeometryRevision();
    pipe.SetNode(3, QVector3D(0.18f, 0.1f, 0));
    QVERIFY(pipe.GeometryRevision() > g);
}

void TestSceneGraph::coneCentredOnItsPosition()
{
    TCone head;
    head.SetBottomRadius(0.04f);
    head.SetTopRadius(0);
    head.SetHeight(0.08f);
    head.SetSlices(8);
    head.SetStacks(1);
    head.SetLoops(1);
    head.SetParts(TCone::Sides | TCone::Bottom);
    TMesh mesh;
    head.BuildMesh(mesh);
    QCOMPARE(mesh.Parts.size(), size_t(2));
    float lo = 1, hi = -1, maxR = 0;
    for (const TMeshPart &p : mesh.Parts)
        for (const QVector3D &v : p.Vertices) {
            lo = std::min(lo, v.y());
            hi = std::max(hi, v.y());
            maxR = std::max(maxR, std::hypot(v.x(), v.z()));
        }
    QCOMPARE(lo, -0.04f);
    QCOMPARE(hi, 0.04f);
    QVERIFY(std::fabs(maxR - 0.04f) < 1e-6f);
    // The base disc faces down, its fan centred on the axis.
    const TMeshPart &base = mesh.Parts[1];
    QCOMPARE(base.Mode, TPrimitive::TriangleFan);
    QCOMPARE(base.Vertices.front(), QVector3D(0, -0.04f, 0));
    QCOMPARE(base.Normals.front(), QVector3D(0, -1, 0));
}

void TestSceneGraph::polygonAnyPlane()
{
    // The window square of the polarisation scene, in the yz plane.
    TPolygon window;
    for (auto q : {QVector3D(0, 1, -1), QVector3D(0, 1, 1), QVector3D(0, -1, 1), QVector3D(0, -1, -1)})
        window.AddNode(q);
    TMesh mesh;
    window.BuildMesh(mesh);
    double a = 0;
    for (const TestTriangle &t : Triangles(mesh)) {
        a += t.Area();
        for (const QVector3D &v : t.v)
            QVERIFY(std::fabs(v.x()) < 1e-6f && std::fabs(v.y()) <= 1.00001f && std::fabs(v.z()) <= 1.00001f);
        QVERIFY(near(t.n[0], QVector3D(-1, 0, 0)) || near(t.n[0], QVector3D(1, 0, 0)));
    }
    QVERIFY(std::fabs(a - 4) < 1e-5);
    // Nodes on one line fill nothing.
    TPolygon line;
    line.AddNode(0, 0, 0);
    line.AddNode(1, 1, 1);
    line.AddNode(2, 2, 2);
    TMesh none;
    line.BuildMesh(none);
    QCOMPARE(none.VertexCount(), 0);
}

QTEST_MAIN(TestSceneGraph)
#include "tst_scenegraph.moc"
