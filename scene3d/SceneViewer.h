#pragma once
// The 3D view of the left pane: shows a Scene3D through its camera, lit by
// the scene's light, with 4-sample antialiasing where the driver offers it.
// The drawing happens in a native window of its own inside this widget
// (SceneSurface), so that OpenGL never takes part in drawing the rest of
// the main window. The widget itself takes the input: mouse input is passed
// on as signals; the main window decides what it does to the camera.
#include <QPointF>
#include <QPointer>
#include <QWidget>

class Scene3D;
class SceneSurface;

class SceneViewer : public QWidget
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
    QString errorText() const;
    // Frames shown so far.
    quint64 framesDrawn() const;
    // Samples per pixel of the last frame (0 or 1: no multisampling).
    int samples() const;
    // The scene drawn now at the view's size and read back (what the view
    // shows; for tests and copies).
    QImage grabFramebuffer();

    // ---- export (File > Export picture...)
    // The size of the picture shown, in pixels.
    virtual QSize exportPictureSize() const;
    // The scene drawn at `size` pixels and read back: at the size shown the
    // frame the view shows, at another size drawn again offscreen (scaled
    // from the frame shown where the driver cannot). Null when nothing can
    // be drawn.
    virtual QImage exportPicture(const QSize &size);

Q_SIGNALS:
    void mousePressed(Qt::MouseButton button, QPointF pos);
    void mouseMoved(Qt::MouseButtons buttons, QPointF pos);
    // Wheel turned by delta eighths of a degree (120 per notch, positive
    // away from the user).
    void wheelTurned(int delta);
    void clicked();
    // Keys while the view has the focus: an arrow turns the scene one step
    // (pitchSteps: Up +1, Down -1; turnSteps: Left +1, Right -1, as a drag
    // in that direction does), + and - zoom one step in or out.
    void turnKeyPressed(int pitchSteps, int turnSteps);
    void zoomKeyPressed(int steps);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The surface, made again if Qt deleted it.
    SceneSurface *surface();

    QPointer<SceneSurface> m_surface; // owned by the container
    QPointer<QWidget> m_container;
    quint64 m_frames = 0;
    Scene3D *m_scene = nullptr;
    quint32 m_background = 0x00FFFFFF;
};
