#include "scene3d/Scene3D.h"

#include <algorithm>
#include <cmath>

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
