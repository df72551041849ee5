#include "scene3d/GLViewer.h"

TGLViewer::TGLViewer(QWidget *parent) : QOpenGLWidget(parent) {}

void TGLViewer::SetBackgroundColor(quint32 bgr)
{
    m_background = bgr & 0x00FFFFFF;
    update();
}
