#include "app/View3DControls.h"

#include "app/KindsTable.h"
#include "core/AnimationClock.h"
#include "core/SimulationKind.h"
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"
#include "sim/framework/AccessibleText.h"
#include "sim/framework/AlignPanel.h"
#include "sim/framework/SimulationWindow.h"
#include "sim/framework/Hints.h"
#include "sim/framework/IconLibrary.h"
#include "sim/framework/ToolbarItems.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QScrollBar>
#include <QShortcut>
#include <QToolBar>
#include <cmath>

namespace {

// A whole number of degrees for the plane of the "Random" mode.
float randomPitch(Scene3D &scene)
{
    return float(scene.random().bounded(360));
}

} // namespace

View3DControls::View3DControls(QMainWindow *window, AlignPanel *pane, std::function<int()> screenHeight)
    : QObject(window), m_pane(pane), m_screenHeight(std::move(screenHeight)), m_scene(std::make_unique<Scene3D>())
{
    m_angleScrollBar = new QScrollBar(Qt::Horizontal, pane);
    m_angleScrollBar->setObjectName(QStringLiteral("angleScrollBar"));
    m_angleScrollBar->setFixedHeight(20);
    m_angleScrollBar->setPageStep(0);
    // Reachable by Tab; the arrow keys then move the angle a degree.
    m_angleScrollBar->setFocusPolicy(Qt::StrongFocus);
    setAccessibleText(m_angleScrollBar, tr("Angle"), tr("The angle shown, in degrees"));
    m_angleScrollBar->hide();
    AlignPanel::setAlign(m_angleScrollBar, PanelAlign::Bottom);
    // Only the user's moves count: the clock and the host set the position
    // without scrolling the scene.
    connect(m_angleScrollBar, &QAbstractSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderNoAction)
            angleScrolled(m_angleScrollBar->sliderPosition());
    });

    AnimationClock *sceneClock = clock();
    sceneClock->setEnabled(false);
    sceneClock->onProgress = [this](AnimationClock *, double deltaTime, double newTime) {
        advanceScene(deltaTime, newTime);
    };

    // Stands where the viewer would be when OpenGL cannot start; whether it
    // can is first asked on the first 3D page.
    m_noOpenGLMessage =
        new QLabel(tr("The 3D view needs OpenGL, which could not be started on this computer."), pane);
    m_noOpenGLMessage->setObjectName(QStringLiteral("noOpenGLMessage"));
    m_noOpenGLMessage->setAlignment(Qt::AlignCenter);
    m_noOpenGLMessage->setWordWrap(true);
    m_noOpenGLMessage->hide();
    AlignPanel::setAlign(m_noOpenGLMessage, PanelAlign::Client);

    createToolbar(window);
    m_toolbar->hide();
}

View3DControls::~View3DControls()
{
    // The viewer goes before the scene it draws.
    delete m_viewer.data();
}

void View3DControls::createToolbar(QMainWindow *window)
{
    m_toolbar = new QToolBar(QStringLiteral("3D animation"), window);
    m_toolbar->setObjectName(QStringLiteral("view3DToolbar"));
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolbar->setAllowedAreas(Qt::TopToolBarArea | Qt::BottomToolBarArea);
    auto button = [this](const char *name, const QString &caption, const QString &hint, int icon) {
        QAction *a = addToolButton(m_toolbar, caption, icon, hint);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    m_startAction = button("startAction", QString(), QStringLiteral("Start animation"), StartIcon);
    m_stopAction = button("stopAction", QString(), QStringLiteral("Stop animation"), StopIcon);
    m_stopAction->setEnabled(false);
    m_zoomInAction = button("zoomInAction", QString(), QStringLiteral("Zoom in"), ZoomInIcon);
    m_zoomOutAction = button("zoomOutAction", QString(), QStringLiteral("Zoom out"), ZoomOutIcon);
    m_toolbar->addSeparator();
    m_polarAction = button("polarAction", QStringLiteral("Polar"), QStringLiteral("Show polarised light"), PolarisedIcon);
    m_randomAction =
        button("randomAction", QStringLiteral("Random"), QStringLiteral("Show unpolarised light"), UnpolarisedIcon);
    m_polarAction->setCheckable(true);
    m_randomAction->setCheckable(true);
    m_polarAction->setChecked(true);
    connect(m_startAction, &QAction::triggered, this, &View3DControls::start);
    connect(m_stopAction, &QAction::triggered, this, &View3DControls::stop);
    connect(m_zoomInAction, &QAction::triggered, this, &View3DControls::zoomIn);
    connect(m_zoomOutAction, &QAction::triggered, this, &View3DControls::zoomOut);
    connect(m_polarAction, &QAction::triggered, this, [this] { polarisationModeChosen(m_polarAction); });
    connect(m_randomAction, &QAction::triggered, this, [this] { polarisationModeChosen(m_randomAction); });
    applyIconList(m_toolbar, IconLibrary::instance()->smallIcons());
    m_toolbar->setAccessibleName(m_toolbar->windowTitle());
    // The same run key as in the 2D models, while the focus is in the
    // toolbar or the view; the tooltips tell it.
    const QKeySequence runKey = SimulationWindow::runKey();
    for (QAction *a : {m_startAction, m_stopAction})
        a->setToolTip(a->toolTip() + QStringLiteral(" (") + runKey.toString(QKeySequence::NativeText) + QLatin1Char(')'));
    auto *space = new QShortcut(runKey, m_toolbar, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(space, &QShortcut::activated, this, &View3DControls::toggleRunning);
}

bool View3DControls::toggleRunning()
{
    return SimulationWindow::toggleRunButtons(m_startAction, m_stopAction, clock()->isEnabled());
}

AnimationClock *View3DControls::clock() const
{
    return &m_scene->clock();
}

// ---------------------------------------------------------------- host

void View3DControls::stopClock()
{
    clock()->setEnabled(false);
    m_startAction->setEnabled(true);
    m_stopAction->setEnabled(false);
}

void View3DControls::clearScene()
{
    m_scene->sceneBase()->deleteChildren();
    m_angle = 0.0f;
}

void View3DControls::setShown(bool shown)
{
    if (shown)
        createViewer();
    if (m_viewer)
        m_viewer->setVisible(shown);
    // The message stands where the viewer would be without OpenGL.
    m_noOpenGLMessage->setVisible(shown && !m_viewer);
    m_toolbar->setVisible(shown);
    m_angleScrollBar->setVisible(shown);
}

void View3DControls::createViewer()
{
    // Once, on the first 3D page: OpenGL (and its driver, which is large)
    // is loaded only when a 3D page opens.
    if (m_openGLProbed)
        return;
    m_openGLProbed = true;
    if (!SceneViewer::isOpenGLAvailable())
        return;
    m_viewer = new SceneViewer(m_pane);
    m_viewer->setObjectName(QStringLiteral("viewer"));
    m_viewer->hide();
    m_viewer->setBackgroundColor(m_background);
    m_viewer->setScene(m_scene.get());
    setHint(m_viewer, QStringLiteral("Use left mouse button to rotate and right mouse button to pan"));
    setAccessibleText(m_viewer, tr("3D view"),
                      tr("Arrow keys turn the view, + and - zoom in and out, Space starts and stops"));
    auto *space = new QShortcut(SimulationWindow::runKey(), m_viewer, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(space, &QShortcut::activated, this, &View3DControls::toggleRunning);
    connect(m_viewer, &SceneViewer::turnKeyPressed, this, &View3DControls::viewerTurnKeyPressed);
    connect(m_viewer, &SceneViewer::zoomKeyPressed, this, [this](int steps) { steps > 0 ? zoomIn() : zoomOut(); });
    AlignPanel::setAlign(m_viewer, PanelAlign::Client);
    connect(m_viewer, &SceneViewer::mousePressed, this, &View3DControls::viewerMousePressed);
    connect(m_viewer, &SceneViewer::mouseMoved, this, &View3DControls::viewerMouseMoved);
    connect(m_viewer, &SceneViewer::wheelTurned, this, &View3DControls::viewerWheelTurned);
    connect(m_viewer, &SceneViewer::clicked, this, &View3DControls::viewerClicked);
}

void View3DControls::showButtonsFor(int kind)
{
    m_toolbar->setUpdatesEnabled(false);
    const bool emWave = kind == EmWaveKind;
    for (QAction *a : {m_startAction, m_stopAction, m_randomAction, m_polarAction})
        a->setVisible(emWave);
    m_toolbar->setUpdatesEnabled(true);
}

void View3DControls::showScene(int kind, int minimum, int maximum)
{
    resetCamera();
    m_angleScrollBar->setValue(0);
    m_angleScrollBar->setRange(minimum, maximum);
    const KindEntry *info = findKind(kind);
    if (info && info->buildScene)
        info->buildScene(*m_scene->sceneBase(), m_scene->materials());
}

void View3DControls::resetCamera()
{
    const int height = m_screenHeight ? m_screenHeight() : 0;
    const float r = height > 0 ? 864.0f / float(height) : 1.0f;
    m_scene->resetCamera(r);
}

quint32 View3DControls::backgroundColor() const
{
    return m_viewer ? m_viewer->backgroundColor() : m_background;
}

void View3DControls::setBackgroundColor(quint32 bgr)
{
    m_background = bgr & 0x00FFFFFF;
    if (m_viewer)
        m_viewer->setBackgroundColor(m_background);
}

// ---------------------------------------------------------------- user and clock

void View3DControls::start()
{
    if (!m_viewer)
        return;
    clock()->setEnabled(true);
    m_startAction->setEnabled(false);
    m_stopAction->setEnabled(true);
}

void View3DControls::stop()
{
    if (!m_viewer)
        return;
    stopClock();
}

void View3DControls::advanceScene(double deltaTime, double)
{
    if (!m_viewer || activeKind() != EmWaveKind)
        return;
    m_angle = float(double(m_angle) + double(animationSpeeds()[EmWaveKind]) * deltaTime);
    if (m_angle > float(m_angleScrollBar->maximum()))
        m_angle = 0.0f; // the overshoot is dropped
    if (const KindEntry *info = findKind(EmWaveKind); info && info->updateScene)
        info->updateScene(*m_scene->sceneBase(), m_angle);
    const int whole = int(std::trunc(m_angle));
    m_angleScrollBar->setValue(whole);
    randomPlaneAt(whole);
}

void View3DControls::randomPlaneAt(int degrees)
{
    // Unpolarised light: the plane jumps every sixth of a cycle.
    if (m_randomAction->isChecked() && degrees % 60 == 0)
        m_scene->sceneBase()->setPitchAngle(randomPitch(*m_scene));
}

void View3DControls::angleScrolled(int position)
{
    if (!m_viewer)
        return;
    const int kind = activeKind();
    if (kind != EmWaveKind && kind != PolarisationKind)
        return;
    if (const KindEntry *info = findKind(kind); info && info->updateScene)
        info->updateScene(*m_scene->sceneBase(), float(position));
    if (kind == EmWaveKind)
        randomPlaneAt(position);
    else
        Q_EMIT polarisationAngleScrolled(float(position));
}

void View3DControls::polarisationModeChosen(QAction *chosen)
{
    // The action has already toggled itself: unchecked now means it was the
    // checked one, and clicking that does nothing.
    if (!chosen->isChecked()) {
        chosen->setChecked(true);
        return;
    }
    (chosen == m_polarAction ? m_randomAction : m_polarAction)->setChecked(false);
    if (m_polarAction->isChecked())
        m_scene->sceneBase()->setPitchAngle(0.0f);
}

void View3DControls::zoomIn()
{
    if (m_viewer)
        m_scene->zoom(3.0f);
}

void View3DControls::zoomOut()
{
    if (m_viewer)
        m_scene->zoom(-3.0f);
}

void View3DControls::viewerMousePressed(Qt::MouseButton, QPointF pos)
{
    m_mouseAnchor = pos;
}

void View3DControls::viewerMouseMoved(Qt::MouseButtons buttons, QPointF pos)
{
    const float x = float(pos.x()), y = float(pos.y());
    const float ax = float(m_mouseAnchor.x()), ay = float(m_mouseAnchor.y());
    if (buttons & Qt::LeftButton)
        m_scene->camera()->moveAroundTarget(ay - y, ax - x);
    else if (buttons & Qt::RightButton)
        m_scene->pan(x - ax, y - ay);
    m_mouseAnchor = pos;
}

void View3DControls::viewerTurnKeyPressed(int pitchSteps, int turnSteps)
{
    // One key press turns as far as a short drag.
    constexpr float degreesPerStep = 5.0f;
    if (m_viewer)
        m_scene->camera()->moveAroundTarget(degreesPerStep * float(pitchSteps), degreesPerStep * float(turnSteps));
}

void View3DControls::viewerWheelTurned(int delta)
{
    // Turning the wheel towards the user (negative) brings the scene closer.
    m_scene->zoom(-float(delta) / 120.0f);
}

void View3DControls::viewerClicked()
{
    if (m_viewer)
        m_viewer->setFocus(Qt::MouseFocusReason);
}
