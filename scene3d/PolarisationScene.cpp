#include "scene3d/PolarisationScene.h"

#include "scene3d/Shapes.h"

#include <cmath>

namespace {

constexpr int kWaveNodes = 31;            // 0.06 units apart: one wavelength of 1.8
constexpr float kWaveStep = 0.20943952f;  // 12 degrees in radians, single precision
constexpr float kAmplitude = 0.5f;
constexpr float kWavelength = 1.8f;
// Where the filters stand and the pieces of the wave before them begin.
constexpr float kPolariserX = -3.6f;
constexpr float kUnpolarisedNearX = -5.4f;
constexpr float kUnpolarisedFarX = -7.2f;

// The analyser window at angle 0 is the polariser's orange; it darkens to
// an opaque olive as the transmitted share e falls to 0.
QVector4D analyserWindowColour(float e)
{
    return QVector4D(0.729f * e + 0.2f, 0.282f * e + 0.2f, 0.024f * e, 0.6f * (1.0f - e) + 0.4f);
}

float waveHeight(int i, float amplitude)
{
    return amplitude * float(std::sin(double(float(i) * kWaveStep)));
}

TPipe *addWave(TSceneNode &parent, const QString &name, TMaterialLibrary &library)
{
    auto *tube = parent.AddNewChild<TPipe>();
    tube->Name = name;
    tube->SetRadius(0.01f);
    tube->SetSlices(6);
    tube->SetLibMaterial(&library, QStringLiteral("Blue"));
    for (int i = 0; i < kWaveNodes; ++i)
        tube->AddNode(float(0.06 * i), waveHeight(i, kAmplitude), 0.0f);
    return tube;
}

// A square of side 2 in the yz plane, seen from both sides.
TPolygon *addWindow(TSceneNode &parent, const QString &name, float x)
{
    auto *window = parent.AddNewChild<TPolygon>();
    window->Name = name;
    window->AddNode(0.0f, 1.0f, -1.0f);
    window->AddNode(0.0f, 1.0f, 1.0f);
    window->AddNode(0.0f, -1.0f, 1.0f);
    window->AddNode(0.0f, -1.0f, -1.0f);
    window->SetX(x);
    return window;
}

TProxyNode *addCopy(TSceneNode &parent, TSceneNode *master, float x, float pitch = 0.0f)
{
    auto *copy = parent.AddNewChild<TProxyNode>(master);
    copy->SetPosition(x, 0.0f, 0.0f);
    copy->SetPitchAngle(pitch);
    return copy;
}

} // namespace

void BuildPolarisationScene(TSceneNode &base, TMaterialLibrary &library)
{
    base.BeginUpdate();

    // 0: behind the analyser, two wavelengths that turn as one.
    auto *analysed = base.AddNewChild<TSceneNode>();
    analysed->Name = QStringLiteral("AnalysedWave");
    TPipe *analysedTube = addWave(*analysed, QStringLiteral("AnalysedTube"), library);
    addCopy(*analysed, analysedTube, kWavelength);

    // 1 to 6: the polarised wave between the two filters, and the
    // unpolarised light before the polariser as two perpendicular waves.
    TPipe *polarised = addWave(base, QStringLiteral("PolarisedTube"), library);
    polarised->SetX(kPolariserX);
    auto *polarisedCopy = base.AddNewChild<TProxyNode>(polarised);
    polarisedCopy->SetKeepsSourcePlacement(true);
    polarisedCopy->SetX(kWavelength);
    addCopy(base, polarised, kUnpolarisedNearX);
    addCopy(base, polarised, kUnpolarisedFarX);
    addCopy(base, polarised, kUnpolarisedNearX, -90.0f);
    addCopy(base, polarised, kUnpolarisedFarX, -90.0f);

    // 7: the direction of travel.
    auto *axis = base.AddNewChild<TLines>();
    axis->Name = QStringLiteral("Axis");
    axis->SetLineColor(QVector4D(0.0f, 0.0f, 0.0f, 1.0f));
    axis->AddNode(-8.0f, 0.0f, 0.0f);
    axis->AddNode(8.0f, 0.0f, 0.0f);

    // 8, 9: the frames, square rings extruded 0.2 and laid across the beam
    // by a quarter turn about y.
    auto *frame = base.AddNewChild<TExtrusionSolid>();
    frame->Name = QStringLiteral("AnalyserFrame");
    frame->AddContour({{1.2, 1.2}, {-1.2, 1.2}, {-1.2, -1.2}, {1.2, -1.2}});
    frame->AddContour({{1.0, 1.0}, {-1.0, 1.0}, {-1.0, -1.0}, {1.0, -1.0}}); // the hole
    frame->SetDepth(0.2f);
    frame->SetParts(TExtrusionSolid::OutsideWalls | TExtrusionSolid::StartFace | TExtrusionSolid::StopFace);
    frame->SetLibMaterial(&library, QStringLiteral("Palegreen"));
    frame->SetTurnAngle(90.0f);
    frame->SetX(-0.1f);
    auto *polariserFrame = addCopy(base, frame, kPolariserX);
    polariserFrame->SetTurnAngle(90.0f);

    // 10, 11: the windows in the frames.
    addWindow(base, QStringLiteral("PolariserWindow"), kPolariserX)
        ->SetLibMaterial(&library, QStringLiteral("Transparent"));
    TPolygon *analyserWindow = addWindow(base, QStringLiteral("AnalyserWindow"), 0.0f);
    TMaterial glass;
    glass.Blending = TBlending::Transparency;
    glass.Ambient = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    glass.Diffuse = analyserWindowColour(1.0f);
    analyserWindow->SetMaterial(glass);

    base.EndUpdate();
}

void UpdatePolarisationScene(TSceneNode &base, float angle)
{
    if (base.Count() < polChildren)
        return;
    TSceneNode *analysed = base.Child(polAnalysedWave);
    auto *tube = analysed ? dynamic_cast<TPipe *>(analysed->Child(0)) : nullptr;
    auto *frame = dynamic_cast<TExtrusionSolid *>(base.Child(polAnalyserFrame));
    auto *window = dynamic_cast<TPolygon *>(base.Child(polAnalyserWindow));
    if (!tube || tube->NodeCount() < kWaveNodes || !frame || !window)
        return;

    base.BeginUpdate();
    const float d = float(double(angle) * M_PI / 180.0);
    const float e = std::fabs(float(std::cos(double(d))));
    const float a = kAmplitude * e;

    analysed->SetPitchAngle(angle);
    for (int i = 0; i < kWaveNodes; ++i) {
        const QVector3D p = tube->Node(i);
        tube->SetNode(i, QVector3D(p.x(), waveHeight(i, a), p.z()));
    }
    frame->SetRollAngle(-angle);
    window->SetPitchAngle(angle);
    TMaterial glass = window->Material();
    glass.Diffuse = analyserWindowColour(e);
    window->SetMaterial(glass);
    base.EndUpdate();
}
