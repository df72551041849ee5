#pragma once
// The 3D view's scene: the node tree with the camera's target (RootDC) and
// the base node every scene hangs from (SceneBase), the orbiting camera with
// its light, the material library and the view's own clock. Plain objects:
// the whole view can be built, moved and checked without a GPU.
#include "app/CadencerEx.h"
#include "scene3d/SceneGraph.h"

#include <QRandomGenerator>

// A perspective camera that aims at a target node. A pixel at the target's
// distance covers DistanceToTarget x 0.12 / FocalLength scene units, so the
// scene follows the mouse when panned by that step.
class TGLCamera : public TSceneNode
{
public:
    using TSceneNode::TSceneNode;

    // The node the camera aims at (null: the origin). It must outlive the
    // camera or be cleared first.
    TSceneNode *TargetObject() const { return m_target; }
    void SetTargetObject(TSceneNode *target);
    float FocalLength() const { return m_focalLength; }
    void SetFocalLength(float f);
    // Distance from the near to the far clipping plane.
    float DepthOfView() const { return m_depthOfView; }
    void SetDepthOfView(float d);

    QVector3D TargetPosition() const;
    float DistanceToTarget() const;
    // Moves the camera along the line to its target: the distance is
    // multiplied by factor.
    void AdjustDistanceToTarget(float factor);
    // Orbits the target: raises the camera's elevation by pitchDelta
    // degrees (positive looks more from above; it stops a little short of
    // straight above or below) and swings it about the vertical axis by
    // turnDelta degrees (positive moves it from +z towards +x).
    void MoveAroundTarget(float pitchDelta, float turnDelta);
    // Scene units per pixel at the target's distance.
    float UnitsPerPixel() const;

    // World to eye coordinates (the camera looks at its target, +y up).
    QMatrix4x4 ViewMatrix() const;
    // Eye to clip coordinates for a viewport of that many pixels.
    QMatrix4x4 ProjectionMatrix(float widthPx, float heightPx) const;
    float NearPlane() const;

private:
    TSceneNode *m_target = nullptr;
    float m_focalLength = 100.0f;
    float m_depthOfView = 1000.0f;
};

// A point light. Placed under the camera it moves with it.
class TLightSource : public TSceneNode
{
public:
    using TSceneNode::TSceneNode;
    QVector4D Ambient{0.0f, 0.0f, 0.0f, 1.0f};
    QVector4D Diffuse{1.0f, 1.0f, 1.0f, 1.0f};
    QVector4D Specular{1.0f, 1.0f, 1.0f, 1.0f};
    float ConstAttenuation = 1.0f;
    float LinearAttenuation = 0.0f;
    float QuadraticAttenuation = 0.0f;
    float SpotCutOff = 180.0f; // 180: light in all directions
};

// Everything the 3D view shows and moves.
class TGLScene
{
public:
    TGLScene();
    ~TGLScene();

    TMaterialLibrary MatLib;      // outlives the nodes that name its materials
    TSceneRoot Objects;           // the scene root; OnChange asks for a redraw
    TSceneNode *RootDC = nullptr; // stays at the origin; the camera's target
    TSceneNode *SceneBase = nullptr; // parent of every object of the current scene
    TGLCamera *GLCamera = nullptr;
    TLightSource *GLLightSource1 = nullptr;
    TNGLCadencer GLCadencer;      // the view's clock; created disabled
    QRandomGenerator Random;      // plane of the "Random" mode
    // Light of the whole scene added to every material's ambient colour.
    QVector4D GlobalAmbient{0.2f, 0.2f, 0.2f, 1.0f};

    // Camera and base as a newly shown scene has them; r scales the camera's
    // distance (864 / screen height in pixels).
    void ResetCamera(float r);
    // Moves SceneBase in the screen plane by a mouse move of (dx, dy) pixels
    // (dy positive downwards).
    void Pan(float dx, float dy);
    // Brings the camera closer by 1.05 per step (negative steps move it
    // away): a wheel notch is one step, a zoom button three.
    void Zoom(float steps);
};

// The offset that moves a scene by (dx, dy) pixels on the screen seen from
// a camera at cameraPos aiming at the origin, step units per pixel.
QVector3D PanOffset(const QVector3D &cameraPos, float dx, float dy, float step);
