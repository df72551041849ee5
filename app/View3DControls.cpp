// The 3D view in the left pane: its scene, clock, mouse, zoom and scroll bar.
#include "app/MainWindow.h"

#include "sim/framework/AlignPanel.h"
#include "core/AnimationClock.h"
#include "sim/framework/Hints.h"
#include "app/MoviePlayer.h"
#include "app/KindsTable.h"
#include "scene3d/Scene3D.h"
#include "scene3d/SceneViewer.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QToolBar>
#include <cmath>

namespace {

// A whole number of degrees for the plane of the "Random" mode.
float randomPitch(Scene3D &scene)
{
    return float(scene.random().bounded(360));
}

} // namespace

void MainWindow::setup3D()
{
    moviePlayer = new MoviePlayer(leftPane);
    moviePlayer->setObjectName(QStringLiteral("Flash"));
    moviePlayer->hide();
    AlignPanel::setAlign(moviePlayer, PanelAlign::Client);

    angleScrollBar = new QScrollBar(Qt::Horizontal, leftPane);
    angleScrollBar->setObjectName(QStringLiteral("GLhsb"));
    angleScrollBar->setFixedHeight(20);
    angleScrollBar->setPageStep(0);
    angleScrollBar->hide();
    AlignPanel::setAlign(angleScrollBar, PanelAlign::Bottom);
    // Only the user's moves count: the clock and the host set the position
    // without scrolling the scene.
    connect(angleScrollBar, &QAbstractSlider::actionTriggered, this,
            [this](int action) {
                if (action != QAbstractSlider::SliderNoAction)
                    angleScrolled(angleScrollBar->sliderPosition());
            });

    scene = new Scene3D;
    origin = scene->origin();
    sceneBase = scene->sceneBase();
    camera = scene->camera();
    materials = &scene->materials();
    clock = &scene->clock();
    clock->setEnabled(false);
    clock->onProgress = [this](AnimationClock *, double deltaTime, double newTime) {
        advanceScene(deltaTime, newTime);
    };

    if (SceneViewer::isOpenGLAvailable()) {
        viewer = new SceneViewer(leftPane);
        viewer->setObjectName(QStringLiteral("GLViewer"));
        viewer->hide();
        viewer->setBackgroundColor(sceneBackground);
        viewer->setScene(scene);
        setHint(viewer, QStringLiteral("Use left mouse button to rotate and right mouse button to pan"));
        AlignPanel::setAlign(viewer, PanelAlign::Client);
        connect(viewer, &SceneViewer::mousePressed, this, &MainWindow::viewerMousePressed);
        connect(viewer, &SceneViewer::mouseMoved, this, &MainWindow::viewerMouseMoved);
        connect(viewer, &SceneViewer::wheelTurned, this, &MainWindow::viewerWheelTurned);
        connect(viewer, &SceneViewer::clicked, this, &MainWindow::viewerClicked);
    } else {
        noOpenGLMessage = new QLabel(tr("The 3D view needs OpenGL, which could not be started on this computer."),
                               leftPane);
        noOpenGLMessage->setObjectName(QStringLiteral("GLMessage"));
        noOpenGLMessage->setAlignment(Qt::AlignCenter);
        noOpenGLMessage->setWordWrap(true);
        noOpenGLMessage->hide();
        AlignPanel::setAlign(noOpenGLMessage, PanelAlign::Client);
    }

    view3DToolbar->hide();
}

void MainWindow::clearScene()
{
    sceneBase->deleteChildren();
}

void MainWindow::buildScene(int kind)
{
    const KindEntry *info = findKind(kind);
    if (info && info->buildScene)
        info->buildScene(*sceneBase, *materials);
}

void MainWindow::resetCamera()
{
    const int height = screenInfo().size.height();
    const float r = height > 0 ? 864.0f / float(height) : 1.0f;
    scene->resetCamera(r);
}

void MainWindow::stopSceneClock()
{
    clock->setEnabled(false);
    startAction->setEnabled(true);
    stopAction->setEnabled(false);
}

void MainWindow::sceneRunButtonClicked(QAction *sender)
{
    if (!viewer)
        return;
    const bool start = sender == startAction;
    clock->setEnabled(start);
    startAction->setEnabled(!start);
    stopAction->setEnabled(start);
}

void MainWindow::advanceScene(double deltaTime, double)
{
    if (!viewer || activeKind() != EmWaveKind)
        return;
    sceneAngle = float(double(sceneAngle) + double(animationSpeeds()[EmWaveKind]) * deltaTime);
    if (sceneAngle > float(angleScrollBar->maximum()))
        sceneAngle = 0.0f; // the overshoot is dropped
    if (const KindEntry *info = findKind(EmWaveKind); info && info->updateScene)
        info->updateScene(*sceneBase, sceneAngle);
    const int whole = int(std::trunc(sceneAngle));
    angleScrollBar->setValue(whole);
    randomPlaneAt(whole);
}

void MainWindow::randomPlaneAt(int degrees)
{
    // Unpolarised light: the plane jumps every sixth of a cycle.
    if (randomAction->isChecked() && degrees % 60 == 0)
        sceneBase->setPitchAngle(randomPitch(*scene));
}

void MainWindow::angleScrolled(int position)
{
    if (!viewer)
        return;
    if (activeKind() != EmWaveKind && activeKind() != PolarisationKind)
        return;
    if (const KindEntry *info = findKind(activeKind()); info && info->updateScene)
        info->updateScene(*sceneBase, float(position));
    if (activeKind() == EmWaveKind)
        randomPlaneAt(position);
    else
        sendMovieAngle(float(position));
}

void MainWindow::polarisationModeChosen(QAction *sender)
{
    // The action has already toggled itself: unchecked now means it was the
    // checked one, and clicking that does nothing.
    if (!sender->isChecked()) {
        sender->setChecked(true);
        return;
    }
    (sender == polarAction ? randomAction : polarAction)->setChecked(false);
    if (polarAction->isChecked())
        sceneBase->setPitchAngle(0.0f);
}

void MainWindow::zoomButtonClicked(QAction *sender)
{
    if (!viewer)
        return;
    scene->zoom(sender == zoomInAction ? 3.0f : -3.0f);
}

// ---------------------------------------------------------------- mouse

void MainWindow::viewerMousePressed(Qt::MouseButton, QPointF pos)
{
    mouseAnchor = pos;
}

void MainWindow::viewerMouseMoved(Qt::MouseButtons buttons, QPointF pos)
{
    const float x = float(pos.x()), y = float(pos.y());
    const float ax = float(mouseAnchor.x()), ay = float(mouseAnchor.y());
    if (buttons & Qt::LeftButton)
        camera->moveAroundTarget(ay - y, ax - x);
    else if (buttons & Qt::RightButton)
        scene->pan(x - ax, y - ay);
    mouseAnchor = pos;
}

void MainWindow::viewerWheelTurned(int delta)
{
    // Turning the wheel towards the user (negative) brings the scene closer.
    scene->zoom(-float(delta) / 120.0f);
}

void MainWindow::viewerClicked()
{
    if (viewer)
        viewer->setFocus(Qt::MouseFocusReason);
}
