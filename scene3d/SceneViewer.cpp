#include "scene3d/SceneViewer.h"

#include "scene3d/Scene3D.h"
#include "scene3d/SceneSurface.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QWheelEvent>

SceneViewer::SceneViewer(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::ClickFocus);
    setMouseTracking(false);
    // The surface covers the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_surface = new SceneSurface;
    m_container = QWidget::createWindowContainer(m_surface, this);
    m_container->setObjectName(QStringLiteral("viewerSurface"));
    // Input passes the surface by; this widget takes it, as any widget does.
    m_container->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_container->setFocusPolicy(Qt::NoFocus);
    m_container->setGeometry(rect());
    m_surface->onInput = [this](QEvent *event) {
        // Where the platform does not let input through the surface. A
        // widget without mouse tracking sees moves only while a button is
        // held; so does this one.
        if (event->type() == QEvent::MouseMove && static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            return;
        QCoreApplication::sendEvent(this, event);
    };
}

SceneViewer::~SceneViewer()
{
    setScene(nullptr);
}

bool SceneViewer::isOpenGLAvailable()
{
    static const bool available = [] {
        QOpenGLContext ctx;
        if (!ctx.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(ctx.format());
        surface.create();
        if (!surface.isValid() || !ctx.makeCurrent(&surface))
            return false;
        ctx.doneCurrent();
        return true;
    }();
    return available;
}

QString SceneViewer::errorText() const
{
    return m_surface->errorText();
}

quint64 SceneViewer::framesDrawn() const
{
    return m_surface->framesDrawn();
}

int SceneViewer::samples() const
{
    return m_surface->samples();
}

QImage SceneViewer::grabFramebuffer()
{
    return m_surface->grab();
}

void SceneViewer::setBackgroundColor(quint32 bgr)
{
    m_background = bgr & 0x00FFFFFF;
    m_surface->setBackground(m_background);
}

void SceneViewer::setScene(Scene3D *scene)
{
    if (m_scene)
        m_scene->root().onChange = nullptr;
    m_scene = scene;
    if (m_scene)
        m_scene->root().onChange = [this] { m_surface->scheduleFrame(); };
    m_surface->setScene(m_scene);
}

void SceneViewer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_container->setGeometry(rect());
}

// ---------------------------------------------------------------- input

void SceneViewer::mousePressEvent(QMouseEvent *event)
{
    emit mousePressed(event->button(), event->position());
    event->accept();
}

void SceneViewer::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved(event->buttons(), event->position());
    event->accept();
}

void SceneViewer::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    event->accept();
}

void SceneViewer::wheelEvent(QWheelEvent *event)
{
    emit wheelTurned(event->angleDelta().y());
    event->accept();
}
