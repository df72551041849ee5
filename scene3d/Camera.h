#pragma once
#include "scene3d/SceneGraph.h"

// A perspective camera that aims at a target node. A pixel at the target's
// distance covers distanceToTarget x 0.12 / focalLength scene units, so the
// scene follows the mouse when panned by that step.
class Camera : public SceneNode
{
public:
    using SceneNode::SceneNode;

    // The node the camera aims at (null: the origin). It must outlive the
    // camera or be cleared first.
    SceneNode *targetObject() const { return m_target; }
    void setTargetObject(SceneNode *target);
    float focalLength() const { return m_focalLength; }
    void setFocalLength(float f);
    // Distance from the near to the far clipping plane.
    float depthOfView() const { return m_depthOfView; }
    void setDepthOfView(float d);

    QVector3D targetPosition() const;
    float distanceToTarget() const;
    // Moves the camera along the line to its target: the distance is
    // multiplied by factor.
    void adjustDistanceToTarget(float factor);
    // Orbits the target: raises the camera's elevation by pitchDelta
    // degrees (positive looks more from above; it stops a little short of
    // straight above or below) and swings it about the vertical axis by
    // turnDelta degrees (positive moves it from +z towards +x).
    void moveAroundTarget(float pitchDelta, float turnDelta);
    // Scene units per pixel at the target's distance.
    float unitsPerPixel() const;

    // World to eye coordinates (the camera looks at its target, +y up).
    QMatrix4x4 viewMatrix() const;
    // Eye to clip coordinates for a viewport of that many pixels.
    QMatrix4x4 projectionMatrix(float widthPx, float heightPx) const;
    float nearPlane() const;

private:
    SceneNode *m_target = nullptr;
    float m_focalLength = 100.0f;
    float m_depthOfView = 1000.0f;
};
