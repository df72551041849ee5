#include "scene3d/Camera.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kDegToRad = 3.14159265358979323846 / 180.0;
// The orbit stops this far short of the poles, where "up" would be lost.
constexpr double kMaxElevation = 89.0;
// Units per pixel at the target = distance x this / focal length.
constexpr float kPixelSpread = 0.12f;
} // namespace

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
