#include "scene3d/SceneSurface.h"

#include <QExposeEvent>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QOpenGLFunctions>

SceneSurface::SceneSurface()
{
    setSurfaceType(QSurface::OpenGLSurface);
    QSurfaceFormat f = format();
    f.setDepthBufferSize(24); // for drawing straight into the window, where offscreen frames are missing
    setFormat(f);
    // Clicks, moves and the wheel go to the widget beneath.
    setFlag(Qt::WindowTransparentForInput);
}

SceneSurface::~SceneSurface()
{
    releaseGl();
}

void SceneSurface::releaseGl()
{
    if (m_context && handle() && m_context->makeCurrent(this)) {
        m_renderer.release();
        m_frame.reset();
        m_context->doneCurrent();
    }
    m_context.reset();
}

void SceneSurface::setScene(const Scene3D *scene)
{
    m_scene = scene;
    scheduleFrame();
}

void SceneSurface::setBackground(quint32 bgr)
{
    m_background = bgr & 0x00FFFFFF;
    scheduleFrame();
}

void SceneSurface::scheduleFrame()
{
    requestUpdate();
}

bool SceneSurface::makeCurrent()
{
    if (m_contextFailed)
        return false;
    if (!handle())
        create();
    if (!m_context) {
        m_context = std::make_unique<QOpenGLContext>();
        m_context->setFormat(requestedFormat());
        if (!m_context->create()) {
            m_context.reset();
            m_contextFailed = true;
            qWarning("3D view: no OpenGL context for the view's window");
            return false;
        }
    }
    return m_context->makeCurrent(this);
}

QOpenGLFramebufferObject *SceneSurface::drawFrame()
{
    const QSize logical = size();
    const qreal ratio = devicePixelRatio();
    const QSize pixels = logical * ratio;
    if (pixels.isEmpty())
        return nullptr;
    // Where frames can be drawn offscreen and copied over, they are
    // multisampled whatever the window's own format offers.
    if (QOpenGLFramebufferObject::hasOpenGLFramebufferBlit()) {
        if (!m_frame || m_frame->size() != pixels) {
            QOpenGLFramebufferObjectFormat format;
            format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
            format.setSamples(4);
            m_frame.reset();
            m_frame = std::make_unique<QOpenGLFramebufferObject>(pixels, format);
            if (!m_frame->isValid())
                m_frame.reset();
        }
    }
    if (m_frame)
        m_frame->bind();
    m_renderer.draw(m_scene, logical, m_background, ratio);
    return m_frame.get();
}

void SceneSurface::present()
{
    if (!isExposed() || !makeCurrent())
        return;
    if (QOpenGLFramebufferObject *frame = drawFrame()) {
        const QRect all(QPoint(0, 0), frame->size());
        QOpenGLFramebufferObject::bindDefault();
        QOpenGLFramebufferObject::blitFramebuffer(nullptr, all, frame, all, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    }
    m_context->swapBuffers(this);
    ++m_frames;
    if (onFrameShown)
        onFrameShown();
}

QImage SceneSurface::grab()
{
    if (!makeCurrent())
        return QImage();
    QImage image;
    if (QOpenGLFramebufferObject *frame = drawFrame()) {
        image = frame->toImage();
        QOpenGLFramebufferObject::bindDefault();
    } else {
        // Drawn straight into the window's back buffer.
        const QSize pixels = size() * devicePixelRatio();
        image = QImage(pixels, QImage::Format_RGBA8888_Premultiplied);
        m_context->functions()->glReadPixels(0, 0, pixels.width(), pixels.height(), GL_RGBA, GL_UNSIGNED_BYTE,
                                             image.bits());
        image = image.mirrored();
    }
    image.setDevicePixelRatio(devicePixelRatio());
    return image;
}

QImage SceneSurface::grabAtSize(const QSize &pixels)
{
    if (pixels.isEmpty() || !QOpenGLFramebufferObject::hasOpenGLFramebufferBlit() || !makeCurrent())
        return QImage();
    QOpenGLFramebufferObjectFormat format;
    format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
    format.setSamples(4);
    QOpenGLFramebufferObject frame(pixels, format);
    QImage image;
    if (frame.isValid() && frame.bind()) {
        // The camera's projection depends on the size in logical pixels:
        // drawn as the window at a higher pixel ratio, the picture shows
        // what the window shows, across its width.
        const qreal ratio = size().width() > 0 ? qreal(pixels.width()) / size().width() : 1.0;
        const QSize logical(qMax(1, qRound(pixels.width() / ratio)), qMax(1, qRound(pixels.height() / ratio)));
        m_renderer.draw(m_scene, logical, m_background, ratio);
        image = frame.toImage();
    }
    QOpenGLFramebufferObject::bindDefault();
    return image;
}

void SceneSurface::exposeEvent(QExposeEvent *)
{
    if (isExposed())
        present();
}

bool SceneSurface::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::UpdateRequest:
        present();
        return true;
    case QEvent::Resize:
        scheduleFrame();
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress: // where the surface itself has the focus
        if (onInput) {
            onInput(event);
            return true;
        }
        break;
    default:
        break;
    }
    return QWindow::event(event);
}
