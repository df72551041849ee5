// The electromagnetic wave scene: its objects, their state for a phase
// angle, and the copies that carry one segment's update to the whole wave.
#include "scene3d/Scene3D.h"
#include "scene3d/Cylinder.h"
#include "scene3d/scenes/EmWaveScene.h"
#include "scene3d/Shapes.h"

#include <QTest>
#include <cmath>
#include <map>

using namespace EmWaveScene; // the segment's child numbers

namespace {

// The field value of vector k for a phase angle, worked out independently
// of the scene code: single-precision phase, as the scene keeps it.
float field(int k, float angle)
{
    const float d = float(double(angle) * M_PI / 180.0);
    return float(std::sin(double(k) * double(0.34906584f) - double(d)));
}

float envelope(int i, float angle)
{
    const float d = float(double(angle) * M_PI / 180.0);
    return float(1.04 * std::sin(double(i) * double(0.10471976f) - double(d)));
}

struct Fixture {
    Scene3D scene;
    SceneNode &base = *scene.sceneBase();
    Fixture() { EmWaveScene::build(base, scene.materials()); }
    SceneNode *segment() const { return base.child(0); }
    SceneNode *at(int order) const { return segment()->child(order); }
    Lines *line(int order) const { return dynamic_cast<Lines *>(at(order)); }
};

bool near(const QVector3D &a, const QVector3D &b, float eps = 1e-5f)
{
    return (a - b).length() <= eps;
}

// Where a node's +y axis ends up in world coordinates.
QVector3D pointing(const QMatrix4x4 &world)
{
    return world.mapVector(QVector3D(0, 1, 0)).normalized();
}

} // namespace

class TestEmWaveScene : public QObject
{
    Q_OBJECT
private slots:
    void buildsOneSegmentAndFiveCopies();
    void segmentObjectsInOrder();
    void stateForAngle_data();
    void stateForAngle();
    void edgeValues();
    void oneUpdateChangesFortyObjectsAndSixtyTwoNodes();
    void copiesFollowTheSegment_data();
    void copiesFollowTheSegment();
    void updateWithoutWaveDoesNothing();
};

void TestEmWaveScene::buildsOneSegmentAndFiveCopies()
{
    Fixture f;
    QCOMPARE(f.base.count(), 6);
    QCOMPARE(f.segment()->position(), QVector3D(0, 0, 0));
    QCOMPARE(f.segment()->count(), 42);
    const struct { float x; float pitch; } copies[] = {{1.8f, 180}, {-1.8f, 180}, {-3.6f, 0}, {-5.4f, 180}, {-7.2f, 0}};
    for (int i = 0; i < 5; ++i) {
        auto *copy = dynamic_cast<ProxyNode *>(f.base.child(i + 1));
        QVERIFY(copy);
        QCOMPARE(copy->masterObject(), f.segment());
        QVERIFY(!copy->keepsSourcePlacement());
        QCOMPARE(copy->position(), QVector3D(copies[i].x, 0, 0));
        QCOMPARE(copy->pitchAngle(), copies[i].pitch);
        QCOMPARE(copy->rollAngle(), 0.0f);
        QCOMPARE(copy->turnAngle(), 0.0f);
    }
    // Six segments of 20 shafts, 20 heads (some hidden) and 2 lines.
    const auto items = collectDrawItems(f.scene.root());
    std::map<const SceneNode *, int> drawn;
    for (const DrawItem &i : items)
        ++drawn[i.geometry];
    QCOMPARE(drawn[f.at(ElectricShaft)], 60);
    QCOMPARE(drawn[f.at(MagneticShaft)], 60);
    QCOMPARE(drawn[f.at(ElectricEnvelope)], 6);
    QCOMPARE(drawn[f.at(MagneticEnvelope)], 6);
}

void TestEmWaveScene::segmentObjectsInOrder()
{
    Fixture f;
    const Material *red = f.scene.materials().find(QStringLiteral("Red"));
    const Material *blue = f.scene.materials().find(QStringLiteral("Blue"));
    for (int field = 0; field < 2; ++field) {
        const bool magnetic = field == 1;
        // Shafts: the first a cylinder, the rest copies of it.
        auto *shaft = dynamic_cast<Cylinder *>(f.at(magnetic ? MagneticShaft : ElectricShaft));
        QVERIFY(shaft);
        QCOMPARE(shaft->radius(), 0.015f);
        QCOMPARE(shaft->height(), 1.0f);
        QCOMPARE(shaft->slices(), 8);
        QCOMPARE(shaft->parts(), int(Cylinder::AllParts));
        QCOMPARE(&shaft->effectiveMaterial(), magnetic ? blue : red);
        auto *head = dynamic_cast<Cone *>(f.at(magnetic ? MagneticHead : ElectricHead));
        QVERIFY(head);
        QCOMPARE(head->bottomRadius(), 0.04f);
        QCOMPARE(head->topRadius(), 0.0f);
        QCOMPARE(head->height(), 0.08f);
        QCOMPARE(head->slices(), 8);
        QCOMPARE(head->stacks(), 1);
        QCOMPARE(head->loops(), 1);
        QCOMPARE(head->parts(), int(Cone::Sides | Cone::Bottom));
        QCOMPARE(&head->effectiveMaterial(), magnetic ? blue : red);
        for (int k = 1; k < 10; ++k) {
            auto *s = dynamic_cast<ProxyNode *>(f.at((magnetic ? MagneticShaft : ElectricShaft) + k));
            QVERIFY(s && s->masterObject() == shaft);
            QCOMPARE(s->x(), float(0.2 * k));
            auto *h = dynamic_cast<ProxyNode *>(f.at((magnetic ? MagneticHead : ElectricHead) + k));
            QVERIFY(h && h->masterObject() == head);
            QCOMPARE(h->x(), float(0.2 * k));
        }
    }
    for (int order : {ElectricEnvelope, MagneticEnvelope}) {
        Lines *l = f.line(order);
        QVERIFY(l);
        QCOMPARE(l->nodeCount(), 31);
        QCOMPARE(l->lineColor(), QVector4D(0, 0, 0, 1));
        QVERIFY(l->antialiased());
        for (int i = 0; i < 31; ++i)
            QCOMPARE(l->node(i).x(), float(0.06 * i));
    }
}

void TestEmWaveScene::stateForAngle_data()
{
    QTest::addColumn<float>("angle");
    for (float a : {0.0f, 90.0f, 360.0f, 37.5f, 200.0f})
        QTest::newRow(qPrintable(QString::number(a))) << a;
}

void TestEmWaveScene::stateForAngle()
{
    QFETCH(float, angle);
    Fixture f;
    EmWaveScene::update(f.base, 17.0f); // start from elsewhere
    EmWaveScene::update(f.base, angle);
    for (int k = 0; k < 10; ++k) {
        const float v = field(k, angle);
        const bool up = v >= 0;
        const QString where = QStringLiteral("k = %1, f = %2").arg(k).arg(v);
        SceneNode *e = f.at(ElectricShaft + k), *m = f.at(MagneticShaft + k);
        SceneNode *eh = f.at(ElectricHead + k), *mh = f.at(MagneticHead + k);
        QVERIFY2(e->pitchAngle() == (up ? 0.0f : 180.0f), qPrintable(where));
        QVERIFY2(m->pitchAngle() == (up ? -90.0f : -270.0f), qPrintable(where));
        QCOMPARE(e->scale(), QVector3D(1, std::fabs(v), 1));
        QCOMPARE(m->scale(), QVector3D(1, std::fabs(v), 1));
        QCOMPARE(eh->position(), QVector3D(float(0.2 * k), v, 0));
        QCOMPARE(mh->position(), QVector3D(float(0.2 * k), 0, v));
        QCOMPARE(eh->pitchAngle(), up ? 0.0f : 180.0f);
        QCOMPARE(mh->pitchAngle(), up ? -90.0f : -270.0f);
        QCOMPARE(eh->visible(), std::fabs(v) > 0.04f);
        QCOMPARE(mh->visible(), std::fabs(v) > 0.04f);
        // The shaft reaches from the axis to the value, along y or z, and
        // the head sits on its end.
        const QVector3D eTip = e->localMatrix().map(QVector3D(0, 1, 0));
        const QVector3D mTip = m->localMatrix().map(QVector3D(0, 1, 0));
        QVERIFY2(near(eTip, QVector3D(float(0.2 * k), v, 0)), qPrintable(where));
        QVERIFY2(near(mTip, QVector3D(float(0.2 * k), 0, v)), qPrintable(where));
        if (std::fabs(v) > 0.04f) {
            QVERIFY(near(pointing(eh->localMatrix()), QVector3D(0, up ? 1 : -1, 0)));
            QVERIFY(near(pointing(mh->localMatrix()), QVector3D(0, 0, up ? 1 : -1)));
        }
    }
    for (int i = 0; i < 31; ++i) {
        const float g = envelope(i, angle);
        QCOMPARE(f.line(ElectricEnvelope)->node(i), QVector3D(float(0.06 * i), g, 0));
        QCOMPARE(f.line(MagneticEnvelope)->node(i), QVector3D(float(0.06 * i), 0, g));
    }
}

void TestEmWaveScene::edgeValues()
{
    Fixture f;
    // Angle 0: shaft 0 has no length and no heads; shaft 8 (160 degrees) is
    // about 0.342; shaft 9 (180 degrees) is about zero, upright, headless.
    EmWaveScene::update(f.base, 0.0f);
    QCOMPARE(f.at(ElectricShaft)->scale().y(), 0.0f);
    QCOMPARE(f.at(ElectricShaft)->pitchAngle(), 0.0f);
    QVERIFY(!f.at(ElectricHead)->visible() && !f.at(MagneticHead)->visible());
    QVERIFY(std::fabs(f.at(ElectricShaft + 8)->scale().y() - 0.342f) < 1e-3f);
    QVERIFY(f.at(ElectricShaft + 9)->scale().y() < 1e-6f);
    QCOMPARE(f.at(ElectricShaft + 9)->pitchAngle(), 0.0f);
    QVERIFY(!f.at(ElectricHead + 9)->visible());
    QVERIFY(f.at(ElectricHead + 8)->visible());
    QCOMPARE(f.line(ElectricEnvelope)->node(0).y(), 0.0f);

    // Angle 90: shaft 0 points down with length 1; the envelope starts at -1.04.
    EmWaveScene::update(f.base, 90.0f);
    QCOMPARE(f.at(ElectricShaft)->pitchAngle(), 180.0f);
    QCOMPARE(f.at(MagneticShaft)->pitchAngle(), -270.0f);
    QVERIFY(std::fabs(f.at(ElectricShaft)->scale().y() - 1.0f) < 1e-6f);
    QVERIFY(std::fabs(f.line(ElectricEnvelope)->node(0).y() + 1.04f) < 1e-6f);
    QVERIFY(std::fabs(f.line(MagneticEnvelope)->node(0).z() + 1.04f) < 1e-6f);
    QVERIFY(near(f.at(ElectricShaft)->localMatrix().map(QVector3D(0, 1, 0)), QVector3D(0, -1, 0)));

    // Angle 360 looks like angle 0.
    EmWaveScene::update(f.base, 360.0f);
    for (int k = 0; k < 10; ++k) {
        QVERIFY(std::fabs(f.at(ElectricHead + k)->y() - field(k, 0.0f)) < 1e-6f);
        QCOMPARE(f.at(ElectricHead + k)->visible(), std::fabs(field(k, 0.0f)) > 0.04f);
    }
}

void TestEmWaveScene::oneUpdateChangesFortyObjectsAndSixtyTwoNodes()
{
    Fixture f;
    int reports = 0;
    f.scene.root().onChange = [&] { ++reports; };
    std::vector<SceneNode *> all;
    std::function<void(SceneNode *)> walk = [&](SceneNode *n) {
        all.push_back(n);
        for (int i = 0; i < n->count(); ++i)
            walk(n->child(i));
    };
    walk(&f.scene.root());
    std::map<SceneNode *, uint64_t> before;
    for (SceneNode *n : all)
        before[n] = n->revision();
    const std::vector<QVector3D> eBefore = f.line(ElectricEnvelope)->nodes();
    const std::vector<QVector3D> mBefore = f.line(MagneticEnvelope)->nodes();

    EmWaveScene::update(f.base, 90.0f);

    QCOMPARE(reports, 1); // one redraw
    int changed = 0;
    for (SceneNode *n : all)
        if (n->revision() != before[n]) {
            ++changed;
            QCOMPARE(n->parent(), f.segment()); // copies of the segment untouched
        }
    QCOMPARE(changed, 40 + 2);
    int nodes = 0;
    for (int i = 0; i < 31; ++i) {
        nodes += f.line(ElectricEnvelope)->node(i) != eBefore[size_t(i)];
        nodes += f.line(MagneticEnvelope)->node(i) != mBefore[size_t(i)];
    }
    QCOMPARE(nodes, 62);
}

void TestEmWaveScene::copiesFollowTheSegment_data()
{
    QTest::addColumn<float>("angle");
    QTest::newRow("0") << 0.0f;
    QTest::newRow("90") << 90.0f;
    QTest::newRow("360") << 360.0f;
    QTest::newRow("123") << 123.0f;
}

void TestEmWaveScene::copiesFollowTheSegment()
{
    // Over the whole wave, x = -7.2 to 3.6, every drawn electric shaft ends
    // at sin(100 degrees x - angle) along y and every magnetic one along z.
    QFETCH(float, angle);
    Fixture f;
    EmWaveScene::update(f.base, angle);
    const auto items = collectDrawItems(f.scene.root());
    int electric = 0, magnetic = 0, heads = 0;
    for (const DrawItem &item : items) {
        const QVector3D origin = item.world.map(QVector3D());
        const double expected = std::sin((100.0 * origin.x() - angle) * M_PI / 180.0);
        const QVector3D tip = item.world.map(QVector3D(0, 1, 0));
        if (item.geometry == f.at(ElectricShaft)) {
            ++electric;
            QVERIFY2(std::fabs(tip.y() - expected) < 2e-5 && std::fabs(tip.z()) < 2e-5,
                     qPrintable(QStringLiteral("x %1 tip %2").arg(origin.x()).arg(tip.y())));
            QVERIFY(std::fabs(origin.y()) < 1e-6f && std::fabs(origin.z()) < 1e-6f);
        } else if (item.geometry == f.at(MagneticShaft)) {
            ++magnetic;
            QVERIFY2(std::fabs(tip.z() - expected) < 2e-5 && std::fabs(tip.y()) < 2e-5,
                     qPrintable(QStringLiteral("x %1 tip %2").arg(origin.x()).arg(tip.z())));
        } else if (item.geometry == f.at(ElectricHead) || item.geometry == f.at(MagneticHead)) {
            ++heads;
            const bool e = item.geometry == f.at(ElectricHead);
            QVERIFY(std::fabs(expected) > 0.04 - 1e-6);
            QVERIFY(std::fabs((e ? origin.y() : origin.z()) - expected) < 2e-5);
            // Heads point away from the axis.
            const QVector3D dir = item.world.mapVector(QVector3D(0, 1, 0));
            QVERIFY((e ? dir.y() : dir.z()) * expected > 0);
        } else if (auto *line = dynamic_cast<const Lines *>(item.geometry)) {
            const bool e = line == f.line(ElectricEnvelope);
            for (const QVector3D &node : line->nodes()) {
                const QVector3D w = item.world.map(node);
                const double g = 1.04 * std::sin((100.0 * w.x() - angle) * M_PI / 180.0);
                QVERIFY(std::fabs((e ? w.y() : w.z()) - g) < 2e-5);
            }
        }
    }
    QCOMPARE(electric, 60);
    QCOMPARE(magnetic, 60);
    int shown = 0;
    for (int k = 0; k < 10; ++k)
        shown += std::fabs(field(k, angle)) > 0.04f;
    QCOMPARE(heads, 2 * 6 * shown);
}

void TestEmWaveScene::updateWithoutWaveDoesNothing()
{
    Scene3D scene;
    EmWaveScene::update(*scene.sceneBase(), 45.0f); // empty base
    QCOMPARE(scene.sceneBase()->count(), 0);
    scene.sceneBase()->addNewChild<SceneNode>()->addNewChild<SceneNode>();
    EmWaveScene::update(*scene.sceneBase(), 45.0f); // something else
    QCOMPARE(scene.sceneBase()->child(0)->count(), 1);
}

QTEST_MAIN(TestEmWaveScene)
#include "tst_emwavescene.moc"
