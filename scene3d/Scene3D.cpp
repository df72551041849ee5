#include "scene3d/Scene3D.h"

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

void Camera::setTargetObject(SceneNode *target)
{
    setField(m_target, target);
}

void Camera::setFocalLength(float f)
{
    if (f > 0.0f)
        setField(m_focalLength, f);
}

void Camera::setDepthOfView(float d)
{
    if (d > 0.0f)
        setField(m_depthOfView, d);
}

QVector3D Camera::targetPosition() const
{
    return m_target ? m_target->absolutePosition() : QVector3D();
}

float Camera::distanceToTarget() const
{
    return (absolutePosition() - targetPosition()).length();
}

void Camera::adjustDistanceToTarget(float factor)
{
    if (!(factor > 0.0f) || !std::isfinite(factor))
        return;
    const QVector3D t = targetPosition();
    // Position is in the parent's frame; the camera sits under the scene
    // root, so parent and world coincide up to the parent's placement.
    const QMatrix4x4 parentToWorld = parent() ? parent()->absoluteMatrix() : QMatrix4x4();
    const QVector3D localTarget = parentToWorld.inverted().map(t);
    setPosition(localTarget + (position() - localTarget) * factor);
}

void Camera::moveAroundTarget(float pitchDelta, float turnDelta)
{
    const QMatrix4x4 parentToWorld = parent() ? parent()->absoluteMatrix() : QMatrix4x4();
    const QVector3D localTarget = parentToWorld.inverted().map(targetPosition());
    const QVector3D v = position() - localTarget;
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
    setPosition(localTarget + w);
}

float Camera::unitsPerPixel() const
{
    return distanceToTarget() * kPixelSpread / m_focalLength;
}

QMatrix4x4 Camera::viewMatrix() const
{
    QMatrix4x4 m;
    const QVector3D eye = absolutePosition();
    QVector3D target = targetPosition();
    if ((target - eye).lengthSquared() < 1e-12f)
        target = eye - QVector3D(0.0f, 0.0f, 1.0f);
    m.lookAt(eye, target, QVector3D(0.0f, 1.0f, 0.0f));
    return m;
}

float Camera::nearPlane() const
{
    // Close enough for the camera to zoom far in, far enough to keep depth
    // precision over the depth of view.
    return std::clamp(distanceToTarget() * 0.01f, 1e-4f, 1.0f);
}

QMatrix4x4 Camera::projectionMatrix(float widthPx, float heightPx) const
{
    const float w = std::max(widthPx, 1.0f), h = std::max(heightPx, 1.0f);
    const float n = nearPlane();
    // A pixel spans kPixelSpread / focal length units per unit of distance.
    const float sx = n * (w / 2.0f) * kPixelSpread / m_focalLength;
    const float sy = n * (h / 2.0f) * kPixelSpread / m_focalLength;
    QMatrix4x4 m;
    m.frustum(-sx, sx, -sy, sy, n, n + m_depthOfView);
    return m;
}

// ---------------------------------------------------------------- scene

Scene3D::Scene3D() : m_random(QRandomGenerator::securelySeeded())
{
    m_origin = m_root.addNewChild<SceneNode>();
    m_origin->name = QStringLiteral("origin");
    m_sceneBase = m_origin->addNewChild<SceneNode>();
    m_sceneBase->name = QStringLiteral("sceneBase");
    m_camera = m_root.addNewChild<Camera>();
    m_camera->name = QStringLiteral("camera");
    m_camera->setTargetObject(m_origin);
    m_camera->setFocalLength(100.0f);
    m_camera->setDepthOfView(1000.0f);
    m_camera->setPosition(0.0f, 0.0f, 100.0f);
    m_light = m_camera->addNewChild<LightSource>();
    m_light->name = QStringLiteral("light");

    Material &red = m_materials.add(QStringLiteral("Red"));
    red.ambient = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    red.diffuse = QVector4D(0.333333f, 0.0f, 0.0f, 1.0f);
    red.emission = QVector4D(0.690196f, 0.0f, 0.0f, 1.0f);
    Material &blue = m_materials.add(QStringLiteral("Blue"));
    blue.ambient = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    blue.diffuse = QVector4D(0.294118f, 0.294118f, 0.52549f, 1.0f);
    blue.emission = QVector4D(0.156863f, 0.14902f, 0.698039f, 1.0f);
    Material &transparent = m_materials.add(QStringLiteral("Transparent"));
    transparent.ambient = QVector4D(0.0f, 0.0f, 0.0f, 1.0f);
    transparent.diffuse = QVector4D(0.929412f, 0.482353f, 0.0235294f, 0.4f);
    transparent.blending = Blending::Transparency;
    Material &palegreen = m_materials.add(QStringLiteral("Palegreen"));
    palegreen.diffuse = QVector4D(0.333333f, 0.333333f, 0.427451f, 1.0f);
    palegreen.emission = QVector4D(0.34902f, 0.356863f, 0.356863f, 1.0f);
}

Scene3D::~Scene3D()
{
    m_clock.setEnabled(false);
    m_root.onChange = nullptr;
    // The camera's target is a sibling that may go first.
    m_camera->setTargetObject(nullptr);
}

void Scene3D::resetCamera(float r)
{
    m_root.beginUpdate();
    m_sceneBase->setPitchAngle(0.0f);
    m_camera->setPosition(5.94f * r, 2.19f * r, 4.01f * r);
    m_sceneBase->setPosition(0.0f, 0.0f, 0.0f);
    m_root.endUpdate();
}

void Scene3D::pan(float dx, float dy)
{
    const QVector3D offset = panOffset(m_camera->absolutePosition(), dx, dy, m_camera->unitsPerPixel());
    m_sceneBase->setPosition(m_sceneBase->position() + offset);
}

void Scene3D::zoom(float steps)
{
    m_camera->adjustDistanceToTarget(std::pow(1.05f, -steps));
}

QVector3D panOffset(const QVector3D &cameraPos, float dx, float dy, float step)
{
    const QVector3D right = QVector3D::crossProduct(QVector3D(0.0f, 1.0f, 0.0f), cameraPos).normalized();
    const QVector3D up = QVector3D::crossProduct(cameraPos, right).normalized();
    return right * (dx * step) + up * (-dy * step);
}
