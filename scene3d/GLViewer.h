#pragma once
// The 3D view of the left pane: draws a TGLScene with OpenGL through its
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
class TGLScene;

class TGLViewer : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit TGLViewer(QWidget *parent = nullptr);
    ~TGLViewer() override;

    // Background colour as stored in the settings: 0x00BBGGRR.
    void SetBackgroundColor(quint32 bgr);
    quint32 BackgroundColor() const { return m_background; }

    // The scene drawn (not owned; it must outlive the viewer or be replaced
    // first). Its changes ask the viewer for a redraw.
    void SetScene(TGLScene *scene);
    TGLScene *Scene() const { return m_scene; }

    // Whether an OpenGL context can be made on this machine at all. Without
    // one no viewer may be created: the toolkit cannot show it.
    static bool OpenGLAvailable();
    // Empty while drawing works; otherwise why it does not (the view then
    // shows this text).
    QString ErrorText() const { return m_error; }
    // Frames drawn so far.
    quint64 FramesDrawn() const { return m_frames; }
    // Samples per pixel of the last frame (0 or 1: no multisampling).
    int Samples() const { return m_samples; }

Q_SIGNALS:
    void MouseDown(Qt::MouseButton button, QPointF pos);
    void MouseMove(Qt::MouseButtons buttons, QPointF pos);
    // Wheel turned by delta eighths of a degree (120 per notch, positive
    // away from the user).
    void MouseWheel(int delta);
    void Click();

protected:
    void initializeGL() override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    struct GpuPart {
        TPrimitive mode;
        int first;
        int count;
    };
    struct GpuMesh {
        uint64_t revision = 0;
        QOpenGLBuffer buffer{QOpenGLBuffer::VertexBuffer};
        std::vector<GpuPart> parts;
        TMesh style; // colour, lighting and line settings (no vertices)
        bool used = false;
    };

    GpuMesh *MeshFor(const TSceneNode &node);
    void DrawItem(const TDrawItem &item, GpuMesh &mesh, const QMatrix4x4 &view,
                  const QMatrix4x4 &projection);
    void PaintMessage(const QString &text);
    void ReleaseGL();

    TGLScene *m_scene = nullptr;
    quint32 m_background = 0x00FFFFFF;
    QString m_error;
    quint64 m_frames = 0;
    int m_samples = 0;
    bool m_core = false;
    std::unique_ptr<QOpenGLShaderProgram> m_program;
    std::unique_ptr<QOpenGLVertexArrayObject> m_vao;
    std::unordered_map<uint64_t, std::unique_ptr<GpuMesh>> m_meshes;
};
