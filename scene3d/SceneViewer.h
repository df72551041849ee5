#pragma once
// The 3D view of the left pane: draws a Scene3D with OpenGL through its
// camera, lit by the scene's light, with 4-sample antialiasing where the
// driver offers it. Mouse input is passed on as signals; the main window
// decides what it does to the camera.
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPointF>
#include <memory>
#include <unordered_map>
#include <vector>

#include "scene3d/SceneGraph.h"

class QOpenGLShaderProgram;
class QOpenGLVertexArrayObject;
class Scene3D;

class SceneViewer : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit SceneViewer(QWidget *parent = nullptr);
    ~SceneViewer() override;

    // Background colour as stored in the settings: 0x00BBGGRR.
    void setBackgroundColor(quint32 bgr);
    quint32 backgroundColor() const { return m_background; }

    // The scene drawn (not owned; it must outlive the viewer or be replaced
    // first). Its changes ask the viewer for a redraw.
    void setScene(Scene3D *scene);
    Scene3D *scene() const { return m_scene; }

    // Whether an OpenGL context can be made on this machine at all. Without
    // one no viewer may be created: the toolkit cannot show it.
    static bool isOpenGLAvailable();
    // Empty while drawing works; otherwise why it does not (the view then
    // shows this text).
    QString errorText() const { return m_error; }
    // Frames drawn so far.
    quint64 framesDrawn() const { return m_frames; }
    // Samples per pixel of the last frame (0 or 1: no multisampling).
    int samples() const { return m_samples; }

Q_SIGNALS:
    void mousePressed(Qt::MouseButton button, QPointF pos);
    void mouseMoved(Qt::MouseButtons buttons, QPointF pos);
    // Wheel turned by delta eighths of a degree (120 per notch, positive
    // away from the user).
    void wheelTurned(int delta);
    void clicked();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

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
    void drawItem(const DrawItem &item, GpuMesh &mesh, const QMatrix4x4 &view,
                  const QMatrix4x4 &projection);
    void paintMessage(const QString &text);
    void releaseGl();

    Scene3D *m_scene = nullptr;
    quint32 m_background = 0x00FFFFFF;
    QString m_error;
    quint64 m_frames = 0;
    int m_samples = 0;
    bool m_core = false;
    std::unique_ptr<QOpenGLShaderProgram> m_program;
    std::unique_ptr<QOpenGLVertexArrayObject> m_vao;
    std::unordered_map<uint64_t, std::unique_ptr<GpuMesh>> m_meshes;
};
