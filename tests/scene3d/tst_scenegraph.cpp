// The scene graph without a GPU: rotation conventions, copies, the update
// bracket, materials, the camera, and the geometry of the shapes.
#include "MeshChecks.h"

#include "scene3d/Scene3D.h"
#include "scene3d/Cylinder.h"
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
QPointF toPixels(const Camera &camera, const QVector3D &p, float w, float h)
{
    const QVector4D clip = camera.projectionMatrix(w, h) * camera.viewMatrix() * QVector4D(p, 1.0f);
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
    SceneNode n;
    n.setPitchAngle(pitch);
    n.setRollAngle(roll);
    n.setTurnAngle(turn);
    const QVector3D got = n.localMatrix().mapVector(in);
    QVERIFY2(near(got, out), qPrintable(str(got)));
}

void TestSceneGraph::rollSpinsAboutTheTurnedFacingAxis()
{
    // A frame laid across x by a quarter turn and rolled by -a turns exactly
    // as a pitch of a turns things about x: frame and window turn together.
    for (float a : {30.0f, 60.0f, -45.0f, 90.0f}) {
        SceneNode frame, window;
        frame.setTurnAngle(90.0f);
        QVERIFY(near(frame.direction(), QVector3D(1, 0, 0)));
        frame.setRollAngle(-a);
        window.setPitchAngle(a);
        SceneNode unrolled;
        unrolled.setTurnAngle(90.0f);
        QVERIFY(near(frame.rotationMatrix(), window.rotationMatrix() * unrolled.rotationMatrix()));
        QVERIFY(near(frame.direction(), QVector3D(1, 0, 0)));
    }
}

void TestSceneGraph::placementComposes()
{
    SceneNode root;
    auto *group = root.addNewChild<SceneNode>();
    group->setPosition(1, 2, 3);
    group->setPitchAngle(180.0f); // y and z change sign
    auto *leaf = group->addNewChild<SceneNode>();
    leaf->setPosition(0.5f, 1, 0);
    leaf->setScale(1, 0.25f, 1); // along its own y, from its own origin
    leaf->setPitchAngle(-90.0f); // its y onto the group's z

    QVERIFY(near(leaf->localMatrix().map(QVector3D(0, 1, 0)), QVector3D(0.5f, 1, 0.25f)));
    QVERIFY(near(leaf->absoluteMatrix().map(QVector3D(0, 1, 0)), QVector3D(1.5f, 1, 2.75f)));
    QVERIFY(near(leaf->absolutePosition(), QVector3D(1.5f, 1, 3)));
    QCOMPARE(group->indexOf(leaf), 0);
    QCOMPARE(root.child(0), group);
    QCOMPARE(root.child(1), nullptr);
    QCOMPARE(root.child(-1), nullptr);
}

// ---------------------------------------------------------------- copies

void TestSceneGraph::copiesDrawTheMastersGeometry()
{
    SceneRoot root;
    auto *master = root.addNewChild<Cone>();
    master->setPosition(5, 0, 0);
    master->setPitchAngle(30);
    auto *child = master->addNewChild<Lines>();
    child->addNode(0, 0, 0);
    child->addNode(1, 0, 0);
    child->setPosition(0, 0, 2);
    auto *copy = root.addNewChild<ProxyNode>(master);
    copy->setPosition(0, 2, 0);
    copy->setTurnAngle(90);

    auto items = collectDrawItems(root);
    QCOMPARE(items.size(), size_t(4));
    QCOMPARE(items[0].geometry, master);
    QVERIFY(near(items[0].world, master->localMatrix()));
    QCOMPARE(items[1].geometry, child);
    QCOMPARE(items[2].geometry, master);
    // The copy's placement replaces the master's.
    QVERIFY(near(items[2].world, copy->localMatrix()));
    QCOMPARE(items[3].geometry, child);
    QVERIFY(near(items[3].world, copy->localMatrix() * child->localMatrix()));
    QCOMPARE(items[2].material, &master->effectiveMaterial());

    // A hidden master still serves its copies; a hidden child of the master
    // is hidden in every copy.
    master->setVisible(false);
    items = collectDrawItems(root);
    QCOMPARE(items.size(), size_t(2));
    QCOMPARE(items[0].geometry, master);
    QVERIFY(near(items[0].world, copy->localMatrix()));
    child->setVisible(false);
    QCOMPARE(collectDrawItems(root).size(), size_t(1));
    copy->setVisible(false);
    QVERIFY(collectDrawItems(root).empty());
}

void TestSceneGraph::copyKeepingTheSourcesPlacement()
{
    SceneRoot root;
    auto *tube = root.addNewChild<Pipe>();
    tube->addNode(0, 0, 0);
    tube->addNode(1.8f, 0, 0);
    tube->setPosition(-3.6f, 0, 0);
    auto *follower = root.addNewChild<ProxyNode>(tube);
    follower->setKeepsSourcePlacement(true);
    follower->setPosition(1.8f, 0, 0);
    auto *plain = root.addNewChild<ProxyNode>(tube);
    plain->setPosition(-5.4f, 0, 0);

    const auto items = collectDrawItems(root);
    QCOMPARE(items.size(), size_t(3));
    QVERIFY(near(items[1].world.map(QVector3D()), QVector3D(-1.8f, 0, 0)));
    QVERIFY(near(items[2].world.map(QVector3D()), QVector3D(-5.4f, 0, 0)));
    // Moving the source moves the follower with it, not the plain copy.
    tube->setPosition(-3.0f, 0, 0);
    const auto moved = collectDrawItems(root);
    QVERIFY(near(moved[1].world.map(QVector3D()), QVector3D(-1.2f, 0, 0)));
    QVERIFY(near(moved[2].world.map(QVector3D()), QVector3D(-5.4f, 0, 0)));
}

void TestSceneGraph::copiesSurviveTheirMaster()
{
    SceneRoot root;
    auto *master = root.addNewChild<Cylinder>();
    auto *copy = root.addNewChild<ProxyNode>(master);
    auto *other = root.addNewChild<ProxyNode>(master);
    delete other; // a copy going first unregisters itself
    delete master;
    QCOMPARE(copy->masterObject(), nullptr);
    QVERIFY(collectDrawItems(root).empty());
    QCOMPARE(root.count(), 1);
    // And the other way round: deleting a whole tree with copies and
    // masters in any order.
    auto *group = root.addNewChild<SceneNode>();
    auto *m2 = group->addNewChild<Cone>();
    group->addNewChild<ProxyNode>(m2);
    root.addNewChild<ProxyNode>(group);
    root.deleteChildren();
    QCOMPARE(root.count(), 0);
}

void TestSceneGraph::copyThatWouldDrawItselfIsSkipped()
{
    SceneRoot root;
    auto *group = root.addNewChild<SceneNode>();
    group->addNewChild<Cone>();
    auto *self = group->addNewChild<ProxyNode>(group); // a copy of its own parent
    auto *loop = root.addNewChild<ProxyNode>();
    loop->setMasterObject(loop);
    const auto items = collectDrawItems(root);
    QCOMPARE(items.size(), size_t(1)); // the cone, once
    QVERIFY(self->masterObject() == group);
}

// ---------------------------------------------------------------- changes

void TestSceneGraph::updateBracketReportsOnce()
{
    SceneRoot root;
    int reports = 0;
    root.onChange = [&] { ++reports; };
    auto *base = root.addNewChild<SceneNode>();
    auto *a = base->addNewChild<Lines>();
    a->addNode(0, 0, 0);
    const uint64_t built = root.changeReports();
    reports = 0;

    base->beginUpdate();
    a->setPosition(1, 0, 0);
    a->setNode(0, QVector3D(0, 1, 0));
    base->setPitchAngle(10);
    base->beginUpdate(); // nested
    a->setVisible(false);
    base->endUpdate();
    QCOMPARE(reports, 0);
    base->endUpdate();
    QCOMPARE(reports, 1);

    // Outside an update every change reports; setting the same value is no change.
    a->setPosition(2, 0, 0);
    QCOMPARE(reports, 2);
    a->setPosition(2, 0, 0);
    a->setNode(0, QVector3D(0, 1, 0));
    a->setNode(7, QVector3D(1, 1, 1)); // no such node
    QCOMPARE(reports, 2);
    base->beginUpdate();
    base->endUpdate();
    QCOMPARE(reports, 2);
    base->endUpdate(); // unbalanced end: ignored
    a->setPosition(3, 0, 0);
    QCOMPARE(reports, 3);
    QCOMPARE(root.changeReports(), built + 3);

    // Geometry and placement are tracked apart.
    const uint64_t g = a->geometryRevision(), r = a->revision();
    a->setPitchAngle(5);
    QCOMPARE(a->geometryRevision(), g);
    QVERIFY(a->revision() > r);
    a->setNode(0, QVector3D(0, 2, 0));
    QVERIFY(a->geometryRevision() > g);
}

void TestSceneGraph::deleteChildren()
{
    SceneRoot root;
    int reports = 0;
    root.onChange = [&] { ++reports; };
    auto *base = root.addNewChild<SceneNode>();
    for (int i = 0; i < 5; ++i)
        base->addNewChild<SceneNode>()->addNewChild<Cone>();
    reports = 0;
    base->deleteChildren();
    QCOMPARE(base->count(), 0);
    QCOMPARE(reports, 1);
    base->deleteChildren();
    QCOMPARE(reports, 1);
    // A node deleted on its own leaves its parent.
    auto *c = base->addNewChild<SceneNode>();
    base->addNewChild<SceneNode>();
    delete c;
    QCOMPARE(base->count(), 1);
}

void TestSceneGraph::materials()
{
    Scene3D scene;
    const MaterialLibrary &lib = scene.materials();
    QCOMPARE(lib.names(), QStringList({"Red", "Blue", "Transparent", "Palegreen"}));
    const Material *red = lib.find(QStringLiteral("Red"));
    QVERIFY(red);
    QCOMPARE(red->ambient, QVector4D(0, 0, 0, 1));
    QCOMPARE(red->diffuse, QVector4D(0.333333f, 0, 0, 1));
    QCOMPARE(red->emission, QVector4D(0.690196f, 0, 0, 1));
    const Material *blue = lib.find(QStringLiteral("Blue"));
    QCOMPARE(blue->diffuse, QVector4D(0.294118f, 0.294118f, 0.52549f, 1));
    QCOMPARE(blue->emission, QVector4D(0.156863f, 0.14902f, 0.698039f, 1));
    const Material *glass = lib.find(QStringLiteral("Transparent"));
    QCOMPARE(glass->diffuse, QVector4D(0.929412f, 0.482353f, 0.0235294f, 0.4f));
    QCOMPARE(glass->emission, QVector4D(0, 0, 0, 1)); // library default
    QVERIFY(glass->isBlended());
    const Material *green = lib.find(QStringLiteral("Palegreen"));
    QCOMPARE(green->ambient, QVector4D(0.2f, 0.2f, 0.2f, 1)); // library default
    QCOMPARE(green->diffuse, QVector4D(0.333333f, 0.333333f, 0.427451f, 1));
    QCOMPARE(green->emission, QVector4D(0.34902f, 0.356863f, 0.356863f, 1));
    QVERIFY(!red->isBlended() && !blue->isBlended() && !green->isBlended());

    // A node follows the library's material by name; its own material is
    // used without one, or when the name is unknown.
    SceneNode n;
    Material own;
    own.diffuse = QVector4D(0.1f, 0.2f, 0.3f, 0.5f);
    own.blending = Blending::Transparency;
    n.setMaterial(own);
    QCOMPARE(n.effectiveMaterial().diffuse, own.diffuse);
    n.setLibraryMaterial(&lib, QStringLiteral("Blue"));
    QCOMPARE(&n.effectiveMaterial(), blue);
    n.setLibraryMaterial(&lib, QStringLiteral("NoSuchName"));
    QCOMPARE(n.effectiveMaterial().diffuse, own.diffuse);
    n.setMaterial(own);
    QCOMPARE(n.libraryMaterialName(), QString());
}

// ---------------------------------------------------------------- camera

void TestSceneGraph::zoomInThenOutRestoresDistance()
{
    Scene3D scene;
    scene.resetCamera(0.8f);
    Camera &cam = *scene.camera();
    const QVector3D start = cam.position();
    const float d0 = cam.distanceToTarget();
    cam.adjustDistanceToTarget(std::pow(1.05f, -3.0f));
    QVERIFY(std::fabs(cam.distanceToTarget() - d0 * 0.863838f) < 1e-4f);
    cam.adjustDistanceToTarget(std::pow(1.05f, 3.0f));
    QVERIFY(std::fabs(cam.distanceToTarget() - d0) < 1e-5f * d0);
    QVERIFY(near(cam.position(), start, 1e-5f));
    // One wheel notch away from the user: 5 percent further.
    cam.adjustDistanceToTarget(std::pow(1.05f, 120 / 120.0f));
    QVERIFY(std::fabs(cam.distanceToTarget() - d0 * 1.05f) < 1e-5f * d0);
    // Nonsense factors leave the camera alone.
    const QVector3D before = cam.position();
    cam.adjustDistanceToTarget(0.0f);
    cam.adjustDistanceToTarget(-2.0f);
    cam.adjustDistanceToTarget(std::nanf(""));
    QCOMPARE(cam.position(), before);
}

void TestSceneGraph::orbitKeepsDistance()
{
    Scene3D scene;
    scene.resetCamera(1.0f);
    Camera &cam = *scene.camera();
    const float d0 = cam.distanceToTarget();
    auto elevation = [&] { return std::asin(cam.position().y() / cam.distanceToTarget()) * 180 / M_PI; };
    auto azimuth = [&] { return std::atan2(cam.position().x(), cam.position().z()) * 180 / M_PI; };
    const double e0 = elevation(), a0 = azimuth();

    cam.moveAroundTarget(10, 0); // dragging up: more from above
    QVERIFY(std::fabs(elevation() - (e0 + 10)) < 1e-3);
    QVERIFY(std::fabs(azimuth() - a0) < 1e-3);
    cam.moveAroundTarget(0, -30); // dragging right: the camera swings towards -x
    QVERIFY(std::fabs(azimuth() - (a0 - 30)) < 1e-3);
    QVERIFY(std::fabs(elevation() - (e0 + 10)) < 1e-3);
    QVERIFY(std::fabs(cam.distanceToTarget() - d0) < 1e-4f * d0);

    // It stops short of straight above, where the view would be undefined.
    cam.moveAroundTarget(500, 0);
    QVERIFY(elevation() < 89.5 && elevation() > 88.5);
    const QMatrix4x4 v = cam.viewMatrix();
    for (int i = 0; i < 16; ++i)
        QVERIFY(std::isfinite(v.constData()[i]));
    cam.moveAroundTarget(-1000, 0);
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
    Scene3D scene;
    scene.camera()->setPosition(camera);
    const float w = 640, h = 480;
    const QPointF before = toPixels(*scene.camera(), scene.sceneBase()->absolutePosition(), w, h);
    scene.pan(dx, dy);
    const QPointF after = toPixels(*scene.camera(), scene.sceneBase()->absolutePosition(), w, h);
    QVERIFY2(std::fabs(after.x() - before.x() - dx) < 0.01 && std::fabs(after.y() - before.y() - dy) < 0.01,
             qPrintable(QStringLiteral("moved by %1, %2").arg(after.x() - before.x()).arg(after.y() - before.y())));
}

void TestSceneGraph::resetCamera()
{
    Scene3D scene;
    QCOMPARE(scene.camera()->position(), QVector3D(0, 0, 100));
    QCOMPARE(scene.camera()->targetObject(), scene.origin());
    QCOMPARE(scene.sceneBase()->parent(), scene.origin());
    QCOMPARE(scene.light()->parent(), scene.camera());
    scene.sceneBase()->setPitchAngle(120);
    scene.sceneBase()->setPosition(1, 2, 3);
    int reports = 0;
    scene.root().onChange = [&] { ++reports; };
    const float r = 864.0f / 1080.0f;
    scene.resetCamera(r);
    QCOMPARE(reports, 1);
    QCOMPARE(scene.sceneBase()->pitchAngle(), 0.0f);
    QCOMPARE(scene.sceneBase()->position(), QVector3D(0, 0, 0));
    QCOMPARE(scene.camera()->position(), QVector3D(5.94f * r, 2.19f * r, 4.01f * r));
    // The light moves with the camera.
    QCOMPARE(scene.light()->absolutePosition(), scene.camera()->absolutePosition());
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
    SceneRoot root;
    SceneNode *node = nullptr;
    if (shape == "cylinder") {
        auto *c = root.addNewChild<Cylinder>();
        c->setSlices(8);
        node = c;
    } else if (shape == "cone" || shape == "truncated cone") {
        auto *c = root.addNewChild<Cone>();
        c->setStacks(3);
        c->setLoops(3);
        c->setSlices(7);
        if (shape == "truncated cone") {
            c->setTopRadius(0.2f);
            c->setParts(Cone::Sides | Cone::Bottom | Cone::Top);
        }
        node = c;
    } else if (shape == "pipe") {
        auto *p = root.addNewChild<Pipe>();
        for (int i = 0; i <= 30; ++i)
            p->addNode(0.06f * i, 0.5f * std::sin(i * 12 * M_PI / 180), 0.1f * std::cos(i * 0.3));
        node = p;
    } else if (shape == "polygon") {
        auto *p = root.addNewChild<Polygon3D>();
        for (auto q : {QVector3D(0, 0, 0), QVector3D(2, 0, 0), QVector3D(2, 2, 0), QVector3D(1, 0.5f, 0),
                       QVector3D(0, 2, 0)})
            p->addNode(q);
        node = p;
    } else {
        auto *e = root.addNewChild<ExtrusionSolid>();
        e->addContour(square(1.2));
        e->addContour(square(1.0));
        e->setDepth(0.2f);
        e->setParts(ExtrusionSolid::OutsideWalls | ExtrusionSolid::StartFace | ExtrusionSolid::StopFace);
        node = e;
    }
    Mesh mesh;
    node->buildMesh(mesh);
    const auto tris = triangles(mesh);
    QVERIFY(!tris.empty());
    int checked = 0;
    for (const TestTriangle &t : tris) {
        if (t.area() < 1e-7f)
            continue;
        const QVector3D n = t.n[0] + t.n[1] + t.n[2];
        QVERIFY2(QVector3D::dotProduct(t.geometricNormal(), n) > 0,
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
    const std::vector<QPointF> tri = triangulateOddWinding(contours);
    QCOMPARE(tri.size() % 3, size_t(0));
    QVERIFY2(std::fabs(area(tri) - expectedArea) < 1e-9, qPrintable(QString::number(area(tri))));
    // Triangles only ever cover the filled region, counter-clockwise.
    for (size_t i = 0; i + 2 < tri.size(); i += 3)
        QVERIFY(area({tri[i], tri[i + 1], tri[i + 2]}) > 0);
    for (double x = -1.95; x < 6; x += 0.1)
        for (double y = -1.93; y < 6; y += 0.1) { // off the diagonals
            const QPointF p(x, y);
            QVERIFY2(covered(tri, p) == insideOddWinding(contours, p),
                     qPrintable(QStringLiteral("%1, %2").arg(x).arg(y)));
        }
}

void TestSceneGraph::extrusionWithHole()
{
    ExtrusionSolid frame;
    const int outer = frame.addContour();
    for (auto [x, y] : {std::pair{1.2f, 1.2f}, {-1.2f, 1.2f}, {-1.2f, -1.2f}, {1.2f, -1.2f}})
        frame.addContourNode(outer, x, y);
    const int inner = frame.addContour();
    for (auto [x, y] : {std::pair{1.0f, 1.0f}, {-1.0f, 1.0f}, {-1.0f, -1.0f}, {1.0f, -1.0f}})
        frame.addContourNode(inner, x, y);
    frame.setDepth(0.2f);
    frame.setParts(ExtrusionSolid::OutsideWalls | ExtrusionSolid::StartFace | ExtrusionSolid::StopFace);
    Mesh mesh;
    frame.buildMesh(mesh);

    double faceFront = 0, faceBack = 0, walls = 0;
    for (const TestTriangle &t : triangles(mesh)) {
        const QVector3D n = t.n[0];
        if (n == QVector3D(0, 0, 1)) {
            faceFront += t.area();
            QCOMPARE(t.v[0].z(), 0.2f);
        } else if (n == QVector3D(0, 0, -1)) {
            faceBack += t.area();
            QCOMPARE(t.v[0].z(), 0.0f);
        } else {
            walls += t.area();
            // A wall's normal points out of the solid: stepping along it
            // from the wall leaves the ring.
            const QVector3D c = (t.v[0] + t.v[1] + t.v[2]) / 3;
            const QVector3D out = c + n * 0.01f;
            QVERIFY2(!insideOddWinding({frame.contour(0), frame.contour(1)}, QPointF(out.x(), out.y())),
                     qPrintable(str(c) + str(n)));
        }
    }
    QVERIFY(std::fabs(faceFront - 1.76) < 1e-5);
    QVERIFY(std::fabs(faceBack - 1.76) < 1e-5);
    QVERIFY(std::fabs(walls - (4 * 2.4 + 4 * 2.0) * 0.2) < 1e-5);

    // Without walls, just the faces; with inside walls as well, twice the walls.
    frame.setParts(ExtrusionSolid::OutsideWalls | ExtrusionSolid::InsideWalls);
    Mesh both;
    frame.buildMesh(both);
    double all = 0;
    for (const TestTriangle &t : triangles(both))
        all += t.area();
    QVERIFY(std::fabs(all - 2 * 3.52) < 1e-5);
}

void TestSceneGraph::pipeFollowsItsNodes()
{
    Pipe pipe;
    pipe.setRadius(0.01f);
    pipe.setSlices(6);
    std::vector<QVector3D> nodes;
    for (int i = 0; i <= 30; ++i) {
        nodes.emplace_back(0.06f * i, 0.5f * float(std::sin(i * 12 * M_PI / 180)), 0.0f);
        pipe.addNode(nodes.back());
    }
    Mesh mesh;
    pipe.buildMesh(mesh);
    QCOMPARE(mesh.parts.size(), size_t(30));
    for (size_t i = 0; i < mesh.parts.size(); ++i) {
        const MeshPart &strip = mesh.parts[i];
        QCOMPARE(strip.mode, Primitive::TriangleStrip);
        QCOMPARE(strip.vertices.size(), size_t(2 * 7));
        for (size_t k = 0; k < strip.vertices.size(); ++k) {
            // Alternately a ring vertex of the next node and of this one,
            // one radius away from it along its normal.
            const QVector3D centre = nodes[k % 2 == 0 ? i + 1 : i];
            QVERIFY(near(strip.vertices[k], centre + strip.normals[k] * 0.01f, 1e-6f));
            QVERIFY(std::fabs(strip.normals[k].length() - 1) < 1e-5f);
        }
    }
    // Moving a node is a geometry change.
    const uint64_t g = pipe.geometryRevision();
    pipe.setNode(3, QVector3D(0.18f, 0.1f, 0));
    QVERIFY(pipe.geometryRevision() > g);
}

void TestSceneGraph::coneCentredOnItsPosition()
{
    Cone head;
    head.setBottomRadius(0.04f);
    head.setTopRadius(0);
    head.setHeight(0.08f);
    head.setSlices(8);
    head.setStacks(1);
    head.setLoops(1);
    head.setParts(Cone::Sides | Cone::Bottom);
    Mesh mesh;
    head.buildMesh(mesh);
    QCOMPARE(mesh.parts.size(), size_t(2));
    float lo = 1, hi = -1, maxR = 0;
    for (const MeshPart &p : mesh.parts)
        for (const QVector3D &v : p.vertices) {
            lo = std::min(lo, v.y());
            hi = std::max(hi, v.y());
            maxR = std::max(maxR, std::hypot(v.x(), v.z()));
        }
    QCOMPARE(lo, -0.04f);
    QCOMPARE(hi, 0.04f);
    QVERIFY(std::fabs(maxR - 0.04f) < 1e-6f);
    // The base disc faces down, its fan centred on the axis.
    const MeshPart &base = mesh.parts[1];
    QCOMPARE(base.mode, Primitive::TriangleFan);
    QCOMPARE(base.vertices.front(), QVector3D(0, -0.04f, 0));
    QCOMPARE(base.normals.front(), QVector3D(0, -1, 0));
}

void TestSceneGraph::polygonAnyPlane()
{
    // The window square of the polarisation scene, in the yz plane.
    Polygon3D window;
    for (auto q : {QVector3D(0, 1, -1), QVector3D(0, 1, 1), QVector3D(0, -1, 1), QVector3D(0, -1, -1)})
        window.addNode(q);
    Mesh mesh;
    window.buildMesh(mesh);
    double a = 0;
    for (const TestTriangle &t : triangles(mesh)) {
        a += t.area();
        for (const QVector3D &v : t.v)
            QVERIFY(std::fabs(v.x()) < 1e-6f && std::fabs(v.y()) <= 1.00001f && std::fabs(v.z()) <= 1.00001f);
        QVERIFY(near(t.n[0], QVector3D(-1, 0, 0)) || near(t.n[0], QVector3D(1, 0, 0)));
    }
    QVERIFY(std::fabs(a - 4) < 1e-5);
    // Nodes on one line fill nothing.
    Polygon3D line;
    line.addNode(0, 0, 0);
    line.addNode(1, 1, 1);
    line.addNode(2, 2, 2);
    Mesh none;
    line.buildMesh(none);
    QCOMPARE(none.vertexCount(), 0);
}

QTEST_MAIN(TestSceneGraph)
#include "tst_scenegraph.moc"
