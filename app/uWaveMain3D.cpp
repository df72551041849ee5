// The 3D view in the left pane: its clock, mouse, zoom and scroll bar.
#include "app/uWaveMain.h"

#include "app/AlignPanel.h"
#include "app/MoviePlayer.h"
#include "scene3d/GLViewer.h"

#include <QAction>
#include <QScrollBar>
#include <QToolBar>

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
    connect(GLhsb, &QScrollBar::valueChanged, this, &TWaveMainFrm::GLhsbScroll);

    GLViewer = new TGLViewer(LeftTW);
    GLViewer->setObjectName(QStringLiteral("GLViewer"));
    GLViewer->hide();
    GLViewer->SetBackgroundColor(GLColor);
    TAlignPanel::SetAlign(GLViewer, TAlign::Client);

    GLToolbar->hide();
}

void TWaveMainFrm::ClearScene3D() {}
void TWaveMainFrm::BuildScene3D(int) {}
void TWaveMainFrm::ResetCamera() {}

void TWaveMainFrm::StopSceneClock()
{
    StartBtn->setEnabled(true);
    StopBtn->setEnabled(false);
}

void TWaveMainFrm::GLStartBtnClick(QAction *) {}
void TWaveMainFrm::GLCadencerProgress(double, double) {}
void TWaveMainFrm::GLhsbScroll(int) {}
void TWaveMainFrm::RandomBtnClick(QAction *) {}
void TWaveMainFrm::ZoomInBtnClick(QAction *) {}
