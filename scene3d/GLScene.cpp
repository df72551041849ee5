#include "scene3d/GLScene.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
// The orbit stops this far short of the poles, where "up" would be lost.
constexpr double kMaxElevation = 89.0;
// Units per pixel at the target = distance x this / focal length.
constexpr float kPixelSpread = 0.12f;
} // namespace

// ---------------------------------------------------------------- camera

void TGLCamera::SetTargetObject(TSceneNode *target)
{
    SetField(m_target, target);
}

void TGLCamera::SetFocalLength(float f)
{
    if (f > 0.0f)
        SetField(m_focalLength, f);
}

void TGLCamera::SetDepthOfView(float d)
{
    if (d > 0.0f)
        SetField(m_depthOfView, d);
}

QVector3D TGLCamera::TargetPosition() const
{
    return m_target ? m_target->AbsolutePosition() : QVector3D();
}

float TGLCamera::DistanceToTarget() const
{
    return (AbsolutePosition() - TargetPosition()).length();
}

void TGLCamera::AdjustDistanceToTarget(float factor)
{
    if (!(factor > 0.0f) || !std::isfinite(factor))
        return;
    const QVector3D t = TargetPosition();
    // Position is in the parent's frame; the camera sits under the scene
    // root, so parent and world coincide up to the parent's placement.
    const QMatrix4x4 parentToWorld = Parent() ? Parent()->AbsoluteMatrix() : QMatrix4x4();
    const QVector3D localTarget = parentToWorld.inverted().map(t);
    SetPosition(localTarget + (Position() - localTarget) * factor);
}

void TGLCamera::MoveAroundTarget(float pitchDelta, float turnDelta)
{
    const QMatrix4x4 parentToWorld = Parent() ? Parent()->AbsoluteMatrix() : QMatrix4x4();
    const QVector3D localTarget = parentToWorld.inverted().map(TargetPosition());
    const QVector3D v = Position() - localTarget;
    const double r = v.length();
    if (r <= 0.0)
        return;
    double elevation = std::asin(std::clamp(double(v.y()) / r, -1.0, 1.0)) / kDegToRad;
    double azimuth = std::atan2(double(v.x()), double(v.z())) / kDegToRad;
    elevation = std::clamp(elevation + double(pitchDelta), -kMaxElevation, kMaxElevation);
    azimuth += double(turnDelta);
    const double e = elevation * kDegToRad, a = azimuth * kDegToRad;
    const QVector3D w(float(r * std::cos(e) * std::sin(a)), float(r * std::sin(e)),
                      float(r * std::cos(e) * std::cos(a)));
    SetPosition(localTarget + w);
}

float TGLCamera::UnitsPerPixel() const
{
    return DistanceToTarget() * kPixelSpread / m_focalLength;
}

QMatrix4x4 TGLCamera::ViewMatrix() const
{
    QMatrix4x4 m;
    const QVector3D eye = AbsolutePosition();
    QVector3D target = TargetPosition();
    if ((target - eye).lengthSquared() < 1e-12f)
        target = eye - QVector3D(0.0f, 0.0f, 1.0f);
    m.lookAt(eye, target, QVector3D(0.0f, 1.0f, 0.0f));
    return m;
}

float TGLCamera::NearPlane() const
{
    // Close enough for the camera to zoom far in, far enough to keep depth
    // precision over the depth of view.
    return std::clamp(DistanceToTarget() * 0.01f, 1e-4f, 1.0f);
}

QMatrix4x4 TGLCamera::ProjectionMatrix(float widthPx, float heightPx) const
{
    const float w = std::max(widthPx, 1.0f), h = std::max(heightPx, 1.0f);
    const float n = NearPlane();
    // A pixel spans kPixelSpread / focal length units per unit of distance.
    const float sx = n * (w / 2.0f) * kPixelSpread / m_focalLength;
    const float sy = n * (h / 2.0f) * kPixelSpread / m_focalLength;
    QMatrix4x4 m;
    m.frustum(-sx, sx, -sy, sy, n, n + m_depthOfView);
    return m;
}

// ---------------------------------------------------------------- scene

TGLScene::TGLScene() : Random(QRandomGenerator::securelySeeded())
{
    RootDC = Objects.AddNewChild<TSceneNode>();
    RootDC->Name = QStringLiteral("RootDC");
    SceneBase = RootDC->AddNewChild<TSceneNode>();
    SceneBase->Name = QStringLiteral("SceneBase");
    GLCamera = Objects.AddNewChild<TGLCamera>();
    GLCamera->Name = QStringLiteral("GLCamera");
    GLCamera->SetTargetObject(RootDC);
    GLCamera->SetFocalLength(100.0f);
    GLCamera->SetDepthOfView(1000.0f);
    GLCamera->SetPosition(0.0f, 0.0f, 100.0f);
    GLLightSource1 = GLCamera->AddNewChild<TLightSource>();
    GLLightSource1->Name = QStringLiteral("GLLightSource1");

    TMaterial &red = MatLib.Add(QStringLiteral("Red"));
    red.Ambient = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    red.Diffuse = QVector4D(0.333333f, 0.0f, 0.0f, 1.0f);
    red.Emission = QVector4D(0.690196f, 0.0f, 0.0f, 1.0f);
    TMaterial &blue = MatLib.Add(QStringLiteral("Blue"));
    blue.Ambient = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    blue.Diffuse = QVector4D(0.294118f, 0.294118f, 0.52549f, 1.0f);
    blue.Emission = QVector4D(0.156863f, 0.14902f, 0.698039f, 1.0f);
    TMaterial &transparent = MatLib.Add(QStringLiteral("Transparent"));
    transparent.Ambient = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    transparent.Diffuse = QVector4D(0.929412f, 0.482353f, 0.0235294f, 0.4f);
    transparent.Blending = TBlending::Transparency;
    TMaterial &palegreen = MatLib.Add(QStringLiteral("Palegreen"));
    palegreen.Diffuse = QVector4D(0.333333f, 0.333333f, 0.427451f, 1.0f);
    palegreen.Emission = QVector4D(0.34902f, 0.356863f, 0.356863f, 1.0f);
}

TGLScene::~TGLScene()
{
    GLCadencer.SetEnabled(false);
    Objects.OnChange = nullptr;
    // The camera's target is a sibling that may go first.
    GLCamera->SetTargetObject(nullptr);
}

void TGLScene::ResetCamera(float r)
{
    Objects.BeginUpdate();
    SceneBase->SetPitchAngle(0.0f);
    GLCamera->SetPosition(5.94f * r, 2.19f * r, 4.01f * r);
    SceneBase->SetPosition(0.0f, 0.0f, 0.0f);
    Objects.EndUpdate();
}

void TGLScene::Pan(float dx, float dy)
{
    const QVector3D offset = PanOffset(GLCamera->AbsolutePosition(), dx, dy, GLCamera->UnitsPerPixel());
    SceneBase->SetPosition(SceneBase->Position() + offset);
}

void TGLScene::Zoom(float steps)
{
    GLCamera->AdjustDistanceToTarget(std::pow(1.05f, -steps));
}

QVector3D PanOffset(const QVector3D &cameraPos, float dx, float dy, float step)
{
    const QVector3D right = QVector3D::crossProduct(QVector3D(0.0f, 1.0f, 0.0f), cameraPos).normalized();
    const QVector3D up = QVector3D::crossProduct(cameraPos, right).normalized();
    return right * (dx * step) + up * (-dy * step);
}
