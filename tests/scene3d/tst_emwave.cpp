// The electromagnetic wave scene: its objects, their state for a phase
// angle, and the copies that carry one segment's update to the whole wave.
#include "scene3d/GLScene.h"
#include "scene3d/GLX_Cylinders.h"
#include "scene3d/GL_EMWave.h"
#include "scene3d/Shapes.h"

#include <QTest>
#include <cmath>
#include <map>

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
    TGLScene scene;
    TSceneNode &base = *scene.SceneBase;
    Fixture() { BuildEMWaveScene(base, scene.MatLib); }
    TSceneNode *segment() const { return base.Child(0); }
    TSceneNode *at(int order) const { return segment()->Child(order); }
    TLines *line(int order) const { return dynamic_cast<TLines *>(at(order)); }
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

class TestEMWave : public QObject
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

void TestEMWave::buildsOneSegmentAndFiveCopies()
{
    Fixture f;
    QCOMPARE(f.base.Count(), 6);
    QCOMPARE(f.segment()->Position(), QVector3D(0, 0, 0));
    QCOMPARE(f.segment()->Count(), 42);
    const struct { float x; float pitch; } copies[] = {{1.8f, 180}, {-1.8f, 180}, {-3.6f, 0}, {-5.4f, 180}, {-7.2f, 0}};
    for (int i = 0; i < 5; ++i) {
        auto *copy = dynamic_cast<TProxyNode *>(f.base.Child(i + 1));
        QVERIFY(copy);
        QCOMPARE(copy->MasterObject(), f.segment());
        QVERIFY(!copy->KeepsSourcePlacement());
        QCOMPARE(copy->Position(), QVector3D(copies[i].x, 0, 0));
        QCOMPARE(copy->PitchAngle(), copies[i].pitch);
        QCOMPARE(copy->RollAngle(), 0.0f);
        QCOMPARE(copy->TurnAngle(), 0.0f);
    }
    // Six segments of 20 shafts, 20 heads (some hidden) and 2 lines.
    const auto items = CollectDrawItems(f.scene.Objects);
    std::map<const TSceneNode *, int> drawn;
    for (const TDrawItem &i : items)
        ++drawn[i.Geometry];
    QCOMPARE(drawn[f.at(emElectricShaft)], 60);
    QCOMPARE(drawn[f.at(emMagneticShaft)], 60);
    QCOMPARE(drawn[f.at(emElectricEnvelope)], 6);
    QCOMPARE(drawn[f.at(emMagneticEnvelope)], 6);
}

void TestEMWave::segmentObjectsInOrder()
{
    Fixture f;
    const TMaterial *red = f.scene.MatLib.Find(QStringLiteral("Red"));
    const TMaterial *blue = f.scene.MatLib.Find(QStringLiteral("Blue"));
    for (int field = 0; field < 2; ++field) {
        const bool magnetic = field == 1;
        // Shafts: the first a cylinder, the rest copies of it.
        auto *shaft = dynamic_cast<TGLXCylinder *>(f.at(magnetic ? emMagneticShaft : emElectricShaft));
        QVERIFY(shaft);
        QCOMPARE(shaft->Radius(), 0.015f);
        QCOMPARE(shaft->Height(), 1.0f);
        QCOMPARE(shaft->Slices(), 8);
        QCOMPARE(shaft->Parts(), int(TGLXCylinder::AllParts));
        QCOMPARE(&shaft->EffectiveMaterial(), magnetic ? blue : red);
        auto *head = dynamic_cast<TCone *>(f.at(magnetic ? emMagneticHead : emElectricHead));
        QVERIFY(head);
        QCOMPARE(head->BottomRadius(), 0.04f);
        QCOMPARE(head->TopRadius(), 0.0f);
        QCOMPARE(head->Height(), 0.08f);
        QCOMPARE(head->Slices(), 8);
        QCOMPARE(head->Stacks(), 1);
        QCOMPARE(head->Loops(), 1);
        QCOMPARE(head->Parts(), int(TCone::Sides | TCone::Bottom));
        QCOMPARE(&head->EffectiveMaterial(), magnetic ? blue : red);
        for (int k = 1; k < 10; ++k) {
            auto *s = dynamic_cast<TProxyNode *>(f.at((magnetic ? emMagneticShaft : emElectricShaft) + k));
            QVERIFY(s && s->MasterObject() == shaft);
            QCOMPARE(s->X(), float(0.2 * k));
            auto *h = dynamic_cast<TProxyNode *>(f.at((magnetic ? emMagneticHead : emElectricHead) + k));
            QVERIFY(h && h->MasterObject() == head);
            QCOMPARE(h->X(), float(0.2 * k));
        }
    }
    for (int order : {emElectricEnvelope, emMagneticEnvelope}) {
        TLines *l = f.line(order);
        QVERIFY(l);
        QCOMPARE(l->NodeCount(), 31);
        QCOMPARE(l->LineColor(), QVector4D(0, 0, 0, 1));
        QVERIFY(l->Antialiased());
        for (int i = 0; i < 31; ++i)
            QCOMPARE(l->Node(i).x(), float(0.06 * i));
    }
}

void TestEMWave::stateForAngle_data()
{
    QTest::addColumn<float>("angle");
    for (float a : {0.0f, 90.0f, 360.0f, 37.5f, 200.0f})
        QTest::newRow(qPrintable(QString::number(a))) << a;
}

void TestEMWave::stateForAngle()
{
    QFETCH(float, angle);
    Fixture f;
    UpdateEMWaveScene(f.base, 17.0f); // start from elsewhere
    UpdateEMWaveScene(f.base, angle);
    for (int k = 0; k < 10; ++k) {
        const float v = field(k, angle);
        const bool up = v >= 0;
        const QString where = QStringLiteral("k = %1, f = %2").arg(k).arg(v);
        TSceneNode *e = f.at(emElectricShaft + k), *m = f.at(emMagneticShaft + k);
        TSceneNode *eh = f.at(emElectricHead + k), *mh = f.at(emMagneticHead + k);
        QVERIFY2(e->PitchAngle() == (up ? 0.0f : 180.0f), qPrintable(where));
        QVERIFY2(m->PitchAngle() == (up ? -90.0f : -270.0f), qPrintable(where));
        QCOMPARE(e->Scale(), QVector3D(1, std::fabs(v), 1));
        QCOMPARE(m->Scale(), QVector3D(1, std::fabs(v), 1));
        QCOMPARE(eh->Position(), QVector3D(float(0.2 * k), v, 0));
        QCOMPARE(mh->Position(), QVector3D(float(0.2 * k), 0, v));
        QCOMPARE(eh->PitchAngle(), up ? 0.0f : 180.0f);
        QCOMPARE(mh->PitchAngle(), up ? -90.0f : -270.0f);
        QCOMPARE(eh->Visible(), std::fabs(v) > 0.04f);
        QCOMPARE(mh->Visible(), std::fabs(v) > 0.04f);
        // The shaft reaches from the axis to the value, along y or z, and
        // the head sits on its end.
        const QVector3D eTip = e->LocalMatrix().map(QVector3D(0, 1, 0));
        const QVector3D mTip = m->LocalMatrix().map(QVector3D(0, 1, 0));
        QVERIFY2(near(eTip, QVector3D(float(0.2 * k), v, 0)), qPrintable(where));
        QVERIFY2(near(mTip, QVector3D(float(0.2 * k), 0, v)), qPrintable(where));
        if (std::fabs(v) > 0.04f) {
            QVERIFY(near(pointing(eh->LocalMatrix()), QVector3D(0, up ? 1 : -1, 0)));
            QVERIFY(near(pointing(mh->LocalMatrix()), QVector3D(0, 0, up ? 1 : -1)));
        }
    }
    for (int i = 0; i < 31; ++i) {
        const float g = envelope(i, angle);
        QCOMPARE(f.line(emElectricEnvelope)->Node(i), QVector3D(float(0.06 * i), g, 0));
        QCOMPARE(f.line(emMagneticEnvelope)->Node(i), QVector3D(float(0.06 * i), 0, g));
    }
}

void TestEMWave::edgeValues()
{
    Fixture f;
    // Angle 0: shaft 0 has no length and no heads; shaft 8 (160 degrees) is
    // about 0.342; shaft 9 (180 degrees) is about zero, upright, headless.
    UpdateEMWaveScene(f.base, 0.0f);
    QCOMPARE(f.at(emElectricShaft)->Scale().y(), 0.0f);
    QCOMPARE(f.at(emElectricShaft)->PitchAngle(), 0.0f);
    QVERIFY(!f.at(emElectricHead)->Visible() && !f.at(emMagneticHead)->Visible());
    QVERIFY(std::fabs(f.at(emElectricShaft + 8)->Scale().y() - 0.342f) < 1e-3f);
    QVERIFY(f.at(emElectricShaft + 9)->Scale().y() < 1e-6f);
    QCOMPARE(f.at(emElectricShaft + 9)->PitchAngle(), 0.0f);
    QVERIFY(!f.at(emElectricHead + 9)->Visible());
    QVERIFY(f.at(emElectricHead + 8)->Visible());
    QCOMPARE(f.line(emElectricEnvelope)->Node(0).y(), 0.0f);

    // Angle 90: shaft 0 points down with length 1; the envelope starts at -1.04.
    UpdateEMWaveScene(f.base, 90.0f);
    QCOMPARE(f.at(emElectricShaft)->PitchAngle(), 180.0f);
    QCOMPARE(f.at(emMagneticShaft)->PitchAngle(), -270.0f);
    QVERIFY(std::fabs(f.at(emElectricShaft)->Scale().y() - 1.0f) < 1e-6f);
    QVERIFY(std::fabs(f.line(emElectricEnvelope)->Node(0).y() + 1.04f) < 1e-6f);
    QVERIFY(std::fabs(f.line(emMagneticEnvelope)->Node(0).z() + 1.04f) < 1e-6f);
    QVERIFY(near(f.at(emElectricShaft)->LocalMatrix().map(QVector3D(0, 1, 0)), QVector3D(0, -1, 0)));

    // Angle 360 looks like angle 0.
    UpdateEMWaveScene(f.base, 360.0f);
    for (int k = 0; k < 10; ++k) {
        QVERIFY(std::fabs(f.at(emElectricHead + k)->Y() - field(k, 0.0f)) < 1e-6f);
        QCOMPARE(f.at(emElectricHead + k)->Visible(), std::fabs(field(k, 0.0f)) > 0.04f);
    }
}

void TestEMWave::oneUpdateChangesFortyObjectsAndSixtyTwoNodes()
{
    Fixture f;
    int reports = 0;
    f.scene.Objects.OnChange = [&] { ++reports; };
    std::vector<TSceneNode *> all;
    std::function<void(TSceneNode *)> walk = [&](TSceneNode *n) {
        all.push_back(n);
        for (int i = 0; i < n->Count(); ++i)
            walk(n->Child(i));
    };
    walk(&f.scene.Objects);
    std::map<TSceneNode *, uint64_t> before;
    for (TSceneNode *n : all)
        before[n] = n->Revision();
    const std::vector<QVector3D> eBefore = f.line(emElectricEnvelope)->Nodes();
    const std::vector<QVector3D> mBefore = f.line(emMagneticEnvelope)->Nodes();

    UpdateEMWaveScene(f.base, 90.0f);

    QCOMPARE(reports, 1); // one redraw
    int changed = 0;
    for (TSceneNode *n : all)
        if (n->Revision() != before[n]) {
            ++changed;
            QCOMPARE(n->Parent(), f.segment()); // copies of the segment untouched
        }
    QCOMPARE(changed, 40 + 2);
    int nodes = 0;
    for (int i = 0; i < 31; ++i) {
        nodes += f.line(emElectricEnvelope)->Node(i) != eBefore[size_t(i)];
        nodes += f.line(emMagneticEnvelope)->Node(i) != mBefore[size_t(i)];
    }
    QCOMPARE(nodes, 62);
}

void TestEMWave::copiesFollowTheSegment_data()
{
    QTest::addColumn<float>("angle");
    QTest::newRow("0") << 0.0f;
    QTest::newRow("90") << 90.0f;
    QTest::newRow("360") << 360.0f;
    QTest::newRow("123") << 123.0f;
}

void TestEMWave::copiesFollowTheSegment()
{
    // Over the whole wave, x = -7.2 to 3.6, every drawn electric shaft ends
    // at sin(100 degrees x - angle) along y and every magnetic one along z.
    QFETCH(float, angle);
    Fixture f;
    UpdateEMWaveScene(f.base, angle);
    const auto items = CollectDrawItems(f.scene.Objects);
    int electric = 0, magnetic = 0, heads = 0;
    for (const TDrawItem &item : items) {
        const QVector3D origin = item.World.map(QVector3D());
        const double expected = std::sin((100.0 * origin.x() - angle) * M_PI / 180.0);
        const QVector3D tip = item.World.map(QVector3D(0, 1, 0));
        if (item.Geometry == f.at(emElectricShaft)) {
            ++electric;
            QVERIFY2(std::fabs(tip.y() - expected) < 2e-5 && std::fabs(tip.z()) < 2e-5,
                     qPrintable(QStringLiteral("x %1 tip %2").arg(origin.x()).arg(tip.y())));
            QVERIFY(std::fabs(origin.y()) < 1e-6f && std::fabs(origin.z()) < 1e-6f);
        } else if (item.Geometry == f.at(emMagneticShaft)) {
            ++magnetic;
            QVERIFY2(std::fabs(tip.z() - expected) < 2e-5 && std::fabs(tip.y()) < 2e-5,
                     qPrintable(QStringLiteral("x %1 tip %2").arg(origin.x()).arg(tip.z())));
        } else if (item.Geometry == f.at(emElectricHead) || item.Geometry == f.at(emMagneticHead)) {
            ++heads;
            const bool e = item.Geometry == f.at(emElectricHead);
            QVERIFY(std::fabs(expected) > 0.04 - 1e-6);
            QVERIFY(std::fabs((e ? origin.y() : origin.z()) - expected) < 2e-5);
            // Heads point away from the axis.
            const QVector3D dir = item.World.mapVector(QVector3D(0, 1, 0));
            QVERIFY((e ? dir.y() : dir.z()) * expected > 0);
        } else if (auto *line = dynamic_cast<const TLines *>(item.Geometry)) {
            const bool e = line == f.line(emElectricEnvelope);
            for (const QVector3D &node : line->Nodes()) {
                const QVector3D w = item.World.map(node);
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

void TestEMWave::updateWithoutWaveDoesNothing()
{
    TGLScene scene;
    UpdateEMWaveScene(*scene.SceneBase, 45.0f); // empty base
    QCOMPARE(scene.SceneBase->Count(), 0);
    scene.SceneBase->AddNewChild<TSceneNode>()->AddNewChild<TSceneNode>();
    UpdateEMWaveScene(*scene.SceneBase, 45.0f); // something else
    QCOMPARE(scene.SceneBase->Child(0)->Count(), 1);
}

QTEST_MAIN(TestEMWave)
#include "tst_emwave.moc"
