#pragma once
// Draws a Scene3D with OpenGL into the framebuffer bound: lit as the
// classic fixed pipeline lights one point light, per fragment; opaque
// objects first in scene order, translucent ones after them farthest first.
// Each call needs the same context current; the GL objects are made on the
// first draw and freed by release().
#include "scene3d/SceneGraph.h"

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QString>

#include <memory>
#include <unordered_map>
#include <vector>

class QOpenGLContext;
class QOpenGLShaderProgram;
class QOpenGLVertexArrayObject;
class Scene3D;

class SceneRenderer : protected QOpenGLFunctions
{
public:
    SceneRenderer();
    ~SceneRenderer();

    // Compiles the shaders for the current context. False when the driver
    // refuses them; errorText() then says so and draw() shows it.
    bool initialize();
    // Clears to the background (0x00BBGGRR) and draws the scene (none:
    // only the background) for a view of `size` logical pixels, or the
    // error text where drawing cannot work.
    void draw(const Scene3D *scene, const QSize &size, quint32 backgroundBgr, qreal pixelRatio);
    // Frees the GL objects; the context must be current.
    void release();

    QString errorText() const { return m_error; }
    // Samples per pixel of the framebuffer drawn into last (0 or 1: none).
    int samples() const { return m_samples; }

private:
    struct GpuPart {
        Primitive mode;
        int first;
        int count;
    };
    struct GpuMesh {
        uint64_t revision = 0;
        QOpenGLBuffer buffer{QOpenGLBuffer::VertexBuffer};
        std::vector<GpuPart> parts;
        Mesh style; // colour, lighting and line settings (no vertices)
        bool used = false;
    };

    GpuMesh *meshFor(const SceneNode &node);
    void drawItem(const DrawItem &item, GpuMesh &mesh, const QMatrix4x4 &view, const QMatrix4x4 &projection);
    void drawMessage(const QString &text, const QSize &size, quint32 backgroundBgr, qreal pixelRatio);

    bool m_initialized = false;
    QString m_error;
    int m_samples = 0;
    bool m_core = false;
    bool m_es = false;
    std::unique_ptr<QOpenGLShaderProgram> m_program;
    std::unique_ptr<QOpenGLVertexArrayObject> m_vao;
    std::unordered_map<uint64_t, std::unique_ptr<GpuMesh>> m_meshes;
};
