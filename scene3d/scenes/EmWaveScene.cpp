#include "scene3d/scenes/EmWaveScene.h"

#include "scene3d/Cylinder.h"
#include "scene3d/Shapes.h"

#include <cmath>

namespace {

constexpr int kVectors = 10;     // per field and segment, 0.2 units apart
constexpr int kEnvelopeNodes = 31; // 0.06 units apart
// The phase steps are kept at single precision, as the model has always
// used them.
constexpr float kVectorStep = 0.34906584f;   // 20 degrees in radians
constexpr float kEnvelopeStep = 0.10471976f; // 6 degrees in radians
// A head shorter than this would poke out of a shaft too short to see.
constexpr float kHeadThreshold = 0.04f;

Lines *addEnvelope(SceneNode &segment, bool magnetic)
{
    auto *line = segment.addNewChild<Lines>();
    line->name = magnetic ? QStringLiteral("MagneticEnvelope") : QStringLiteral("ElectricEnvelope");
    line->setLineColor(QVector4D(0.0f, 0.0f, 0.0f, 1.0f));
    line->setAntialiased(true);
    for (int i = 0; i < kEnvelopeNodes; ++i)
        line->addNode(float(0.06 * i), 0.0f, 0.0f);
    return line;
}

} // namespace

namespace EmWaveScene {

void build(SceneNode &base, MaterialLibrary &library)
{
    base.beginUpdate();
    auto *segment = base.addNewChild<SceneNode>();
    segment->name = QStringLiteral("Segment");

    // Shafts: 0 and 10 are cylinders, the rest copies of them.
    for (int field = 0; field < 2; ++field) {
        const bool magnetic = field == 1;
        auto *shaft = segment->addNewChild<Cylinder>();
        shaft->setRadius(0.015f);
        shaft->setHeight(1.0f);
        shaft->setSlices(8);
        shaft->setParts(Cylinder::AllParts);
        shaft->setLibraryMaterial(&library, magnetic ? QStringLiteral("Blue") : QStringLiteral("Red"));
        SceneNode *vector = shaft;
        for (int k = 0; k < kVectors; ++k) {
            if (k > 0)
                vector = segment->addNewChild<ProxyNode>(shaft);
            vector->setPosition(float(0.2 * k), 0.0f, 0.0f);
            if (magnetic)
                vector->setPitchAngle(-90.0f);
        }
    }

    addEnvelope(*segment, false);
    addEnvelope(*segment, true);

    // Heads: cones centred on their position, so a head at the shaft's end
    // sits half on it.
    for (int field = 0; field < 2; ++field) {
        const bool magnetic = field == 1;
        auto *head = segment->addNewChild<Cone>();
        head->setBottomRadius(0.04f);
        head->setTopRadius(0.0f);
        head->setHeight(0.08f);
        head->setSlices(8);
        head->setStacks(1);
        head->setLoops(1);
        head->setParts(Cone::Sides | Cone::Bottom);
        head->setLibraryMaterial(&library, magnetic ? QStringLiteral("Blue") : QStringLiteral("Red"));
        SceneNode *vector = head;
        for (int k = 0; k < kVectors; ++k) {
            if (k > 0)
                vector = segment->addNewChild<ProxyNode>(head);
            if (magnetic) {
                vector->setPosition(float(0.2 * k), 0.0f, 1.0f);
                vector->setPitchAngle(-90.0f);
            } else {
                vector->setPosition(float(0.2 * k), 1.0f, 0.0f);
            }
        }
    }

    // The next half wavelength is the segment turned half about x.
    struct Copy { float x; bool halfTurn; };
    for (const Copy c : {Copy{1.8f, true}, Copy{-1.8f, true}, Copy{-3.6f, false}, Copy{-5.4f, true},
                         Copy{-7.2f, false}}) {
        auto *copy = base.addNewChild<ProxyNode>(segment);
        copy->setPosition(c.x, 0.0f, 0.0f);
        if (c.halfTurn)
            copy->setPitchAngle(180.0f);
    }

    update(base, 0.0f);
    base.endUpdate();
}

void update(SceneNode &base, float angle)
{
    SceneNode *segment = base.child(0);
    if (!segment || segment->count() < SegmentChildren)
        return;
    auto *electricEnvelope = dynamic_cast<Lines *>(segment->child(ElectricEnvelope));
    auto *magneticEnvelope = dynamic_cast<Lines *>(segment->child(MagneticEnvelope));
    if (!electricEnvelope || !magneticEnvelope || electricEnvelope->nodeCount() < kEnvelopeNodes
        || magneticEnvelope->nodeCount() < kEnvelopeNodes)
        return;

    base.beginUpdate();
    const float d = float(double(angle) * M_PI / 180.0);
    for (int k = 0; k < kVectors; ++k) {
        const float f = float(std::sin(double(k) * double(kVectorStep) - double(d)));
        const bool up = f >= 0.0f;
        const QVector3D length(1.0f, std::fabs(f), 1.0f);
        const bool headShown = std::fabs(f) > kHeadThreshold;

        SceneNode *e = segment->child(ElectricShaft + k);
        e->setPitchAngle(up ? 0.0f : 180.0f);
        e->setScale(length);
        SceneNode *m = segment->child(MagneticShaft + k);
        m->setPitchAngle(up ? -90.0f : -270.0f);
        m->setScale(length);

        SceneNode *eh = segment->child(ElectricHead + k);
        eh->setY(f);
        eh->setPitchAngle(up ? 0.0f : 180.0f);
        eh->setVisible(headShown);
        SceneNode *mh = segment->child(MagneticHead + k);
        mh->setZ(f);
        mh->setPitchAngle(up ? -90.0f : -270.0f);
        mh->setVisible(headShown);
    }
    for (int i = 0; i < kEnvelopeNodes; ++i) {
        const float g = float(1.04 * std::sin(double(i) * double(kEnvelopeStep) - double(d)));
        QVector3D p = electricEnvelope->node(i);
        electricEnvelope->setNode(i, QVector3D(p.x(), g, 0.0f));
        p = magneticEnvelope->node(i);
        magneticEnvelope->setNode(i, QVector3D(p.x(), 0.0f, g));
    }
    base.endUpdate();
}

} // namespace EmWaveScene
