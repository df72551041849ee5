#pragma once
// The native window the 3D view draws in: a surface of its own, so that
// OpenGL never takes part in drawing the rest of the main window. Frames
// are drawn 4-sample antialiased into an offscreen framebuffer and copied
// to the window; the same drawing read back is grab(). The window lets all
// input through to the widget beneath it (SceneViewer), which handles the
// mouse, the wheel, hints and focus as any widget does.
#include "scene3d/SceneRenderer.h"

#include <QWindow>

#include <functional>
#include <memory>

class QOpenGLContext;
class QOpenGLFramebufferObject;
class Scene3D;

class SceneSurface : public QWindow
{
    Q_OBJECT
public:
    SceneSurface();
    ~SceneSurface() override;

    void setScene(const Scene3D *scene);
    void setBackground(quint32 bgr);
    // A frame at the next update the platform gives (once a display frame
    // at most, however often it is asked).
    void scheduleFrame();
    // The scene drawn now at the window's size, read back.
    QImage grab();
    // The scene drawn now into an offscreen frame of `pixels` (a picture at
    // another size than the window's), read back; null where no frame of
    // that size can be made.
    QImage grabAtSize(const QSize &pixels);

    QString errorText() const { return m_renderer.errorText(); }
    quint64 framesDrawn() const { return m_frames; }
    int samples() const { return m_renderer.samples(); }

    // Input that still reaches the window where the platform cannot let it
    // through goes here.
    std::function<void(QEvent *event)> onInput;
    // After each frame shown.
    std::function<void()> onFrameShown;

protected:
    void exposeEvent(QExposeEvent *event) override;
    bool event(QEvent *event) override;

private:
    // The context current on this window; false where none can be made.
    bool makeCurrent();
    // Draws into the offscreen framebuffer (made or resized as needed).
    QOpenGLFramebufferObject *drawFrame();
    void present();
    void releaseGl();

    std::unique_ptr<QOpenGLContext> m_context;
    std::unique_ptr<QOpenGLFramebufferObject> m_frame;
    SceneRenderer m_renderer;
    const Scene3D *m_scene = nullptr;
    quint32 m_background = 0x00FFFFFF;
    quint64 m_frames = 0;
    bool m_contextFailed = false;
};
