// The 3D view in the left pane: its scene, clock, mouse, zoom and scroll bar.
#include "app/uWaveMain.h"

#include "app/AlignPanel.h"
#include "app/CadencerEx.h"
#include "app/Hints.h"
#include "app/MoviePlayer.h"
#include "app/SimulationRegistry.h"
#include "scene3d/GLScene.h"
#include "scene3d/GLViewer.h"

#include <QAction>
#include <QEvent>
#include <QLabel>
#include <QScrollBar>
#include <QToolBar>
#include <cmath>

namespace {

// A whole number of degrees for the plane of the "Random" mode.
float randomPitch(TGLScene &scene)
{
    return float(scene.Random.bounded(360));
}

} // namespace

void TWaveMainFrm::Setup3D()
{
    Flash = new TMoviePlayer(LeftTW);
    Flash->setObjectName(QStringLiteral("Flash"));
    Flash->hide();
    TAlignPanel::SetAlign(Flash, TAlign::Client);

    GLhsb = new QScrollBar(Qt::Horizontal, LeftTW);
    GLhsb->setObjectName(QStringLiteral("GLhsb"));
    GLhsb->setFixedHeight(20);
    GLhsb->setPageStep(0);
    GLhsb->hide();
    TAlignPanel::SetAlign(GLhsb, TAlign::Bottom);
    // Only the user's moves count: the clock and the host set the position
    // without scrolling the scene.
    connect(GLhsb, &QAbstractSlider::actionTriggered, this,
            [this](int action) {
                if (action != QAbstractSlider::SliderNoAction)
                    GLhsbScroll(GLhsb->sliderPosition());
            });

    GLScene1 = new TGLScene;
    RootDC = GLScene1->RootDC;
    SceneBase = GLScene1->SceneBase;
    GLCamera = GLScene1->GLCamera;
    MatLib = &GLScene1->MatLib;
    GLCadencer = &GLScene1->GLCadencer;
    GLCadencer->SetEnabled(false);
    GLCadencer->OnProgress = [this](TNGLCadencer *, double deltaTime, double newTime) {
        GLCadencerProgress(deltaTime, newTime);
    };

    if (TGLViewer::OpenGLAvailable()) {
        GLViewer = new TGLViewer(LeftTW);
        GLViewer->setObjectName(QStringLiteral("GLViewer"));
        GLViewer->hide();
        GLViewer->SetBackgroundColor(GLColor);
        GLViewer->SetScene(GLScene1);
        SetHint(GLViewer, QStringLiteral("Use left mouse button to rotate and right mouse button to pan"));
        TAlignPanel::SetAlign(GLViewer, TAlign::Client);
        connect(GLViewer, &TGLViewer::MouseDown, this, &TWaveMainFrm::GLViewerMouseDown);
        connect(GLViewer, &TGLViewer::MouseMove, this, &TWaveMainFrm::GLViewerMouseMove);
        connect(GLViewer, &TGLViewer::MouseWheel, this, &TWaveMainFrm::GLViewerMouseWheel);
        connect(GLViewer, &TGLViewer::Click, this, &TWaveMainFrm::GLViewerClick);
    } else {
        GLMessage = new QLabel(tr("The 3D view needs OpenGL, which could not be started on this computer."),
                               LeftTW);
        GLMessage->setObjectName(QStringLiteral("GLMessage"));
        GLMessage->setAlignment(Qt::AlignCenter);
        GLMessage->setWordWrap(true);
        GLMessage->hide();
        TAlignPanel::SetAlign(GLMessage, TAlign::Client);
    }

    GLToolbar->hide();
}

void TWaveMainFrm::ClearScene3D()
{
    SceneBase->DeleteChildren();
}

void TWaveMainFrm::BuildScene3D(int kind)
{
    const KindInfo *info = FindKind(kind);
    if (info && info->buildScene)
        info->buildScene(*SceneBase, *MatLib);
}

void TWaveMainFrm::ResetCamera()
{
    const int height = Screen().size.height();
    const float r = height > 0 ? 864.0f / float(height) : 1.0f;
    GLScene1->ResetCamera(r);
}

void TWaveMainFrm::StopSceneClock()
{
    GLCadencer->SetEnabled(false);
    StartBtn->setEnabled(true);
    StopBtn->setEnabled(false);
}

void TWaveMainFrm::GLStartBtnClick(QAction *sender)
{
    if (!GLViewer)
        return;
    const bool start = sender == StartBtn;
    GLCadencer->SetEnabled(start);
    StartBtn->setEnabled(!start);
    StopBtn->setEnabled(start);
}

void TWaveMainFrm::GLCadencerProgress(double deltaTime, double)
{
    if (!GLViewer || ActiveKind != skEMWave)
        return;
    GLAngle = float(double(GLAngle) + double(Speeds[skEMWave]) * deltaTime);
    if (GLAngle > float(GLhsb->maximum()))
        GLAngle = 0.0f; // the overshoot is dropped
    if (const KindInfo *info = FindKind(skEMWave); info && info->updateScene)
        info->updateScene(*SceneBase, GLAngle);
    const int whole = int(std::trunc(GLAngle));
    GLhsb->setValue(whole);
    RandomPlaneAt(whole);
}

void TWaveMainFrm::RandomPlaneAt(int degrees)
{
    // Unpolarised light: the plane jumps every sixth of a cycle.
    if (RandomBtn->isChecked() && degrees % 60 == 0)
        SceneBase->SetPitchAngle(randomPitch(*GLScene1));
}

void TWaveMainFrm::GLhsbScroll(int position)
{
    if (!GLViewer)
        return;
    if (ActiveKind != skEMWave && ActiveKind != skPolarisation)
        return;
    if (const KindInfo *info = FindKind(ActiveKind); info && info->updateScene)
        info->updateScene(*SceneBase, float(position));
    if (ActiveKind == skEMWave)
        RandomPlaneAt(position);
    else
        SendMovieAngle(float(position));
}

void TWaveMainFrm::RandomBtnClick(QAction *sender)
{
    // The action has already toggled itself: unchecked now means it was the
    // checked one, and clicking that does nothing.
    if (!sender->isChecked()) {
        sender->setChecked(true);
        return;
    }
    (sender == PolarBtn ? RandomBtn : PolarBtn)->setChecked(false);
    if (PolarBtn->isChecked())
        SceneBase->SetPitchAngle(0.0f);
}

void TWaveMainFrm::ZoomInBtnClick(QAction *sender)
{
    if (!GLViewer)
        return;
    GLScene1->Zoom(sender == ZoomInBtn ? 3.0f : -3.0f);
}

// ---------------------------------------------------------------- mouse

void TWaveMainFrm::GLViewerMouseDown(Qt::MouseButton, QPointF pos)
{
    GLMouseAnchor = pos;
}

void TWaveMainFrm::GLViewerMouseMove(Qt::MouseButtons buttons, QPointF pos)
{
    const float x = float(pos.x()), y = float(pos.y());
    const float ax = float(GLMouseAnchor.x()), ay = float(GLMouseAnchor.y());
    if (buttons & Qt::LeftButton)
        GLCamera->MoveAroundTarget(ay - y, ax - x);
    else if (buttons & Qt::RightButton)
        GLScene1->Pan(x - ax, y - ay);
    GLMouseAnchor = pos;
}

void TWaveMainFrm::GLViewerMouseWheel(int delta)
{
    // Turning the wheel towards the user (negative) brings the scene closer.
    GLScene1->Zoom(-float(delta) / 120.0f);
}

void TWaveMainFrm::GLViewerClick()
{
    if (GLViewer)
        GLViewer->setFocus(Qt::MouseFocusReason);
}
