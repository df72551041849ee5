#pragma once
#include "scene3d/SceneGraph.h"

#include <QVector4D>

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
