#include "scene3d/GL_EMWave.h"

#include "scene3d/GLX_Cylinders.h"
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

TLines *addEnvelope(TSceneNode &segment, bool magnetic)
{
    auto *line = segment.AddNewChild<TLines>();
    line->Name = magnetic ? QStringLiteral("MagneticEnvelope") : QStringLiteral("ElectricEnvelope");
    line->SetLineColor(QVector4D(0.0f, 0.0f, 0.0f, 1.0f));
    line->SetAntialiased(true);
    for (int i = 0; i < kEnvelopeNodes; ++i)
        line->AddNode(float(0.06 * i), 0.0f, 0.0f);
    return line;
}

} // namespace

void BuildEMWaveScene(TSceneNode &base, TMaterialLibrary &library)
{
    base.BeginUpdate();
    auto *segment = base.AddNewChild<TSceneNode>();
    segment->Name = QStringLiteral("Segment");

    // Shafts: 0 and 10 are cylinders, the rest copies of them.
    for (int field = 0; field < 2; ++field) {
        const bool magnetic = field == 1;
        auto *shaft = segment->AddNewChild<TGLXCylinder>();
        shaft->SetRadius(0.015f);
        shaft->SetHeight(1.0f);
        shaft->SetSlices(8);
        shaft->SetParts(TGLXCylinder::AllParts);
        shaft->SetLibMaterial(&library, magnetic ? QStringLiteral("Blue") : QStringLiteral("Red"));
        TSceneNode *vector = shaft;
        for (int k = 0; k < kVectors; ++k) {
            if (k > 0)
                vector = segment->AddNewChild<TProxyNode>(shaft);
            vector->SetPosition(float(0.2 * k), 0.0f, 0.0f);
            if (magnetic)
                vector->SetPitchAngle(-90.0f);
        }
    }

    addEnvelope(*segment, false);
    addEnvelope(*segment, true);

    // Heads: cones centred on their position, so a head at the shaft's end
    // sits half on it.
    for (int field = 0; field < 2; ++field) {
        const bool magnetic = field == 1;
        auto *head = segment->AddNewChild<TCone>();
        head->SetBottomRadius(0.04f);
        head->SetTopRadius(0.0f);
        head->SetHeight(0.08f);
        head->SetSlices(8);
        head->SetStacks(1);
        head->SetLoops(1);
        head->SetParts(TCone::Sides | TCone::Bottom);
        head->SetLibMaterial(&library, magnetic ? QStringLiteral("Blue") : QStringLiteral("Red"));
        TSceneNode *vector = head;
        for (int k = 0; k < kVectors; ++k) {
            if (k > 0)
                vector = segment->AddNewChild<TProxyNode>(head);
            if (magnetic) {
                vector->SetPosition(float(0.2 * k), 0.0f, 1.0f);
                vector->SetPitchAngle(-90.0f);
            } else {
                vector->SetPosition(float(0.2 * k), 1.0f, 0.0f);
            }
        }
    }

    // The next half wavelength is the segment turned half about x.
    struct Copy { float x; bool halfTurn; };
    for (const Copy c : {Copy{1.8f, true}, Copy{-1.8f, true}, Copy{-3.6f, false}, Copy{-5.4f, true},
                         Copy{-7.2f, false}}) {
        auto *copy = base.AddNewChild<TProxyNode>(segment);
        copy->SetPosition(c.x, 0.0f, 0.0f);
        if (c.halfTurn)
            copy->SetPitchAngle(180.0f);
    }

    UpdateEMWaveScene(base, 0.0f);
    base.EndUpdate();
}

void UpdateEMWaveScene(TSceneNode &base, float angle)
{
    TSceneNode *segment = base.Child(0);
    if (!segment || segment->Count() < emSegmentChildren)
        return;
    auto *electricEnvelope = dynamic_cast<TLines *>(segment->Child(emElectricEnvelope));
    auto *magneticEnvelope = dynamic_cast<TLines *>(segment->Child(emMagneticEnvelope));
    if (!electricEnvelope || !magneticEnvelope || electricEnvelope->NodeCount() < kEnvelopeNodes
        || magneticEnvelope->NodeCount() < kEnvelopeNodes)
        return;

    base.BeginUpdate();
    const float d = float(double(angle) * M_PI / 180.0);
    for (int k = 0; k < kVectors; ++k) {
        const float f = float(std::sin(double(k) * double(kVectorStep) - double(d)));
        const bool up = f >= 0.0f;
        const QVector3D length(1.0f, std::fabs(f), 1.0f);
        const bool headShown = std::fabs(f) > kHeadThreshold;

        TSceneNode *e = segment->Child(emElectricShaft + k);
        e->SetPitchAngle(up ? 0.0f : 180.0f);
        e->SetScale(length);
        TSceneNode *m = segment->Child(emMagneticShaft + k);
        m->SetPitchAngle(up ? -90.0f : -270.0f);
        m->SetScale(length);

        TSceneNode *eh = segment->Child(emElectricHead + k);
        eh->SetY(f);
        eh->SetPitchAngle(up ? 0.0f : 180.0f);
        eh->SetVisible(headShown);
        TSceneNode *mh = segment->Child(emMagneticHead + k);
        mh->SetZ(f);
        mh->SetPitchAngle(up ? -90.0f : -270.0f);
        mh->SetVisible(headShown);
    }
    for (int i = 0; i < kEnvelopeNodes; ++i) {
        const float g = float(1.04 * std::sin(double(i) * double(kEnvelopeStep) - double(d)));
        QVector3D p = electricEnvelope->Node(i);
        electricEnvelope->SetNode(i, QVector3D(p.x(), g, 0.0f));
        p = magneticEnvelope->Node(i);
        magneticEnvelope->SetNode(i, QVector3D(p.x(), 0.0f, g));
    }
    base.EndUpdate();
}
