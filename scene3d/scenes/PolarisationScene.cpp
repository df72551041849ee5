#include "scene3d/scenes/PolarisationScene.h"

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

Pipe *addWave(SceneNode &parent, const QString &name, MaterialLibrary &library)
{
    auto *tube = parent.addNewChild<Pipe>();
    tube->name = name;
    tube->setRadius(0.01f);
    tube->setSlices(6);
    tube->setLibraryMaterial(&library, QStringLiteral("Blue"));
    for (int i = 0; i < kWaveNodes; ++i)
        tube->addNode(float(0.06 * i), waveHeight(i, kAmplitude), 0.0f);
    return tube;
}

// A square of side 2 in the yz plane, seen from both sides.
Polygon3D *addWindow(SceneNode &parent, const QString &name, float x)
{
    auto *window = parent.addNewChild<Polygon3D>();
    window->name = name;
    window->addNode(0.0f, 1.0f, -1.0f);
    window->addNode(0.0f, 1.0f, 1.0f);
    window->addNode(0.0f, -1.0f, 1.0f);
    window->addNode(0.0f, -1.0f, -1.0f);
    window->setX(x);
    return window;
}

ProxyNode *addCopy(SceneNode &parent, SceneNode *master, float x, float pitch = 0.0f)
{
    auto *copy = parent.addNewChild<ProxyNode>(master);
    copy->setPosition(x, 0.0f, 0.0f);
    copy->setPitchAngle(pitch);
    return copy;
}

} // namespace

namespace PolarisationScene {

void build(SceneNode &base, MaterialLibrary &library)
{
    base.beginUpdate();

    // 0: behind the analyser, two wavelengths that turn as one.
    auto *analysed = base.addNewChild<SceneNode>();
    analysed->name = QStringLiteral("AnalysedWave");
    Pipe *analysedTube = addWave(*analysed, QStringLiteral("AnalysedTube"), library);
    addCopy(*analysed, analysedTube, kWavelength);

    // 1 to 6: the polarised wave between the two filters, and the
    // unpolarised light before the polariser as two perpendicular waves.
    Pipe *polarised = addWave(base, QStringLiteral("PolarisedTube"), library);
    polarised->setX(kPolariserX);
    auto *polarisedCopy = base.addNewChild<ProxyNode>(polarised);
    polarisedCopy->setKeepsSourcePlacement(true);
    polarisedCopy->setX(kWavelength);
    addCopy(base, polarised, kUnpolarisedNearX);
    addCopy(base, polarised, kUnpolarisedFarX);
    addCopy(base, polarised, kUnpolarisedNearX, -90.0f);
    addCopy(base, polarised, kUnpolarisedFarX, -90.0f);

    // 7: the direction of travel.
    auto *axis = base.addNewChild<Lines>();
    axis->name = QStringLiteral("Axis");
    axis->setLineColor(QVector4D(0.0f, 0.0f, 0.0f, 1.0f));
    axis->addNode(-8.0f, 0.0f, 0.0f);
    axis->addNode(8.0f, 0.0f, 0.0f);

    // 8, 9: the frames, square rings extruded 0.2 and laid across the beam
    // by a quarter turn about y.
    auto *frame = base.addNewChild<ExtrusionSolid>();
    frame->name = QStringLiteral("AnalyserFrame");
    frame->addContour({{1.2, 1.2}, {-1.2, 1.2}, {-1.2, -1.2}, {1.2, -1.2}});
    frame->addContour({{1.0, 1.0}, {-1.0, 1.0}, {-1.0, -1.0}, {1.0, -1.0}}); // the hole
    frame->setDepth(0.2f);
    frame->setParts(ExtrusionSolid::OutsideWalls | ExtrusionSolid::StartFace | ExtrusionSolid::StopFace);
    frame->setLibraryMaterial(&library, QStringLiteral("Palegreen"));
    frame->setTurnAngle(90.0f);
    frame->setX(-0.1f);
    auto *polariserFrame = addCopy(base, frame, kPolariserX);
    polariserFrame->setTurnAngle(90.0f);

    // 10, 11: the windows in the frames.
    addWindow(base, QStringLiteral("PolariserWindow"), kPolariserX)
        ->setLibraryMaterial(&library, QStringLiteral("Transparent"));
    Polygon3D *analyserWindow = addWindow(base, QStringLiteral("AnalyserWindow"), 0.0f);
    Material glass;
    glass.blending = Blending::Transparency;
    glass.ambient = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    glass.diffuse = analyserWindowColour(1.0f);
    analyserWindow->setMaterial(glass);

    base.endUpdate();
}

void update(SceneNode &base, float angle)
{
    if (base.count() < ChildCount)
        return;
    SceneNode *analysed = base.child(AnalysedWave);
    auto *tube = analysed ? dynamic_cast<Pipe *>(analysed->child(0)) : nullptr;
    auto *frame = dynamic_cast<ExtrusionSolid *>(base.child(AnalyserFrame));
    auto *window = dynamic_cast<Polygon3D *>(base.child(AnalyserWindow));
    if (!tube || tube->nodeCount() < kWaveNodes || !frame || !window)
        return;

    base.beginUpdate();
    const float d = float(double(angle) * M_PI / 180.0);
    const float e = std::fabs(float(std::cos(double(d))));
    const float a = kAmplitude * e;

    analysed->setPitchAngle(angle);
    for (int i = 0; i < kWaveNodes; ++i) {
        const QVector3D p = tube->node(i);
        tube->setNode(i, QVector3D(p.x(), waveHeight(i, a), p.z()));
    }
    frame->setRollAngle(-angle);
    window->setPitchAngle(angle);
    Material glass = window->material();
    glass.diffuse = analyserWindowColour(e);
    window->setMaterial(glass);
    base.endUpdate();
}

} // namespace PolarisationScene
