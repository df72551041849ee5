#pragma once
// The 3D view's scene: the node tree with the camera's target (origin) and
// the base node every scene hangs from (sceneBase), the orbiting camera with
// its light, the material library and the view's own clock. Plain objects:
// the whole view can be built, moved and checked without a GPU.
#include "core/AnimationClock.h"
#include "scene3d/SceneGraph.h"

#include <QRandomGenerator>

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

// A point light. Placed under the camera it moves with it.
class LightSource : public SceneNode
{
public:
    using SceneNode::SceneNode;
    QVector4D ambient{0.0f, 0.0f, 0.0f, 1.0f};
    QVector4D diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    QVector4D specular{1.0f, 1.0f, 1.0f, 1.0f};
    float constAttenuation = 1.0f;
    float linearAttenuation = 0.0f;
    float quadraticAttenuation = 0.0f;
    float spotCutOff = 180.0f; // 180: light in all directions
};

// Everything the 3D view shows and moves.
class Scene3D
{
public:
    Scene3D();
    ~Scene3D();

    MaterialLibrary &materials() { return m_materials; }  // outlives the nodes that name its materials
    const MaterialLibrary &materials() const { return m_materials; }
    SceneRoot &root() { return m_root; }  // the scene root; onChange asks for a redraw
    const SceneRoot &root() const { return m_root; }
    SceneNode *origin() const { return m_origin; }  // stays at the origin; the camera's target
    SceneNode *sceneBase() const { return m_sceneBase; }  // parent of every object of the current scene
    Camera *camera() const { return m_camera; }
    LightSource *light() const { return m_light; }
    AnimationClock &clock() { return m_clock; }  // the view's clock; created disabled
    const AnimationClock &clock() const { return m_clock; }
    QRandomGenerator &random() { return m_random; }  // plane of the "Random" mode
    const QRandomGenerator &random() const { return m_random; }
    // Light of the whole scene added to every material's ambient colour.
    QVector4D globalAmbient() const { return m_globalAmbient; }
    void setGlobalAmbient(QVector4D value) { m_globalAmbient = value; }

    // Camera and base as a newly shown scene has them; r scales the camera's
    // distance (864 / screen height in pixels).
    void resetCamera(float r);
    // Moves sceneBase in the screen plane by a mouse move of (dx, dy) pixels
    // (dy positive downwards).
    void pan(float dx, float dy);
    // Brings the camera closer by 1.05 per step (negative steps move it
    // away): a wheel notch is one step, a zoom button three.
    void zoom(float steps);

private:
    MaterialLibrary m_materials; // outlives the nodes that name its materials
    SceneRoot m_root; // the scene root; onChange asks for a redraw
    SceneNode *m_origin = nullptr; // stays at the origin; the camera's target
    SceneNode *m_sceneBase = nullptr; // parent of every object of the current scene
    Camera *m_camera = nullptr;
    LightSource *m_light = nullptr;
    AnimationClock m_clock; // the view's clock; created disabled
    QRandomGenerator m_random; // plane of the "Random" mode
    QVector4D m_globalAmbient{0.2f, 0.2f, 0.2f, 1.0f};
};

// The offset that moves a scene by (dx, dy) pixels on the screen seen from
// a camera at cameraPos aiming at the origin, step units per pixel.
QVector3D panOffset(const QVector3D &cameraPos, float dx, float dy, float step);
