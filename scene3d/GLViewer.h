#pragma once
// The 3D view of the left pane.
#include <QOpenGLWidget>

class TGLViewer : public QOpenGLWidget
{
    Q_OBJECT
public:
    explicit TGLViewer(QWidget *parent = nullptr);

    // Background colour as stored in the settings: 0x00BBGGRR.
    void SetBackgroundColor(quint32 bgr);
    quint32 BackgroundColor() const { return m_background; }

private:
    quint32 m_background = 0x00FFFFFF;
};
