#pragma once
// The 3D view's scene: the node tree with the camera's target (origin) and
// the base node every scene hangs from (sceneBase), the orbiting camera with
// its light, the material library and the view's own clock. Plain objects:
// the whole view can be built, moved and checked without a GPU.
#include "core/AnimationClock.h"
#include "scene3d/Camera.h"
#include "scene3d/LightSource.h"
#include "scene3d/SceneGraph.h"

#include <QRandomGenerator>

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
