#include "scene3d/SceneViewer.h"

#include "scene3d/Scene3D.h"
#include "scene3d/SceneSurface.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QWheelEvent>

SceneViewer::SceneViewer(QWidget *parent) : QWidget(parent)
{
    // Tab reaches the view: the arrows turn it and + and - zoom.
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(false);
    // The surface covers the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface();
}

SceneSurface *SceneViewer::surface()
{
    if (m_surface)
        return m_surface;
    // Made here, and again when Qt has deleted it: a window that starts
    // composing through OpenGL (a movie's Qt Quick widget opening in it)
    // recreates its native windows, and the embedded one goes with them.
    delete m_container.data();
    m_surface = new SceneSurface;
    m_container = QWidget::createWindowContainer(m_surface, this);
    m_container->setObjectName(QStringLiteral("viewerSurface"));
    // Input passes the surface by; this widget takes it, as any widget does.
    m_container->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_container->setFocusPolicy(Qt::NoFocus);
    m_container->setAccessibleName(QStringLiteral("3D scene"));
    m_container->setGeometry(rect());
    m_container->show();
    m_surface->onInput = [this](QEvent *event) {
        // Where the platform does not let input through the surface. A
        // widget without mouse tracking sees moves only while a button is
        // held; so does this one.
        if (event->type() == QEvent::MouseMove && static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton)
            return;
        QCoreApplication::sendEvent(this, event);
    };
    m_surface->onFrameShown = [this] { ++m_frames; };
    m_surface->setBackground(m_background);
    m_surface->setScene(m_scene);
    return m_surface;
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
    return m_surface ? m_surface->errorText() : QString();
}

quint64 SceneViewer::framesDrawn() const
{
    return m_frames;
}

int SceneViewer::samples() const
{
    return m_surface ? m_surface->samples() : 0;
}

QImage SceneViewer::grabFramebuffer()
{
    return surface()->grab();
}

QSize SceneViewer::exportPictureSize() const
{
    return size() * devicePixelRatioF();
}

QImage SceneViewer::exportPicture(const QSize &size)
{
    if (size.isEmpty())
        return QImage();
    if (size == exportPictureSize())
        return grabFramebuffer();
    QImage image = surface()->grabAtSize(size);
    if (image.isNull()) {
        image = grabFramebuffer();
        if (!image.isNull())
            image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

void SceneViewer::setBackgroundColor(quint32 bgr)
{
    m_background = bgr & 0x00FFFFFF;
    surface()->setBackground(m_background);
}

void SceneViewer::setScene(Scene3D *scene)
{
    if (m_scene)
        m_scene->root().onChange = nullptr;
    m_scene = scene;
    if (m_scene)
        m_scene->root().onChange = [this] { surface()->scheduleFrame(); };
    surface()->setScene(m_scene);
}

void SceneViewer::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    surface();
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

void SceneViewer::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        emit turnKeyPressed(1, 0);
        break;
    case Qt::Key_Down:
        emit turnKeyPressed(-1, 0);
        break;
    case Qt::Key_Left:
        emit turnKeyPressed(0, 1);
        break;
    case Qt::Key_Right:
        emit turnKeyPressed(0, -1);
        break;
    case Qt::Key_Plus:
    case Qt::Key_Equal: // + without Shift on most layouts
        emit zoomKeyPressed(1);
        break;
    case Qt::Key_Minus:
        emit zoomKeyPressed(-1);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}
