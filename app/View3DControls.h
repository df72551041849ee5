#pragma once
// The 3D view of the left pane and everything the user does with it: the
// scene and its clock, the viewer (made on the first 3D page; a message
// instead where OpenGL cannot start),
// the angle scroll bar along the pane's bottom, the mouse (rotate, pan,
// wheel) and the "3D animation" toolbar (Start, Stop, Zoom in, Zoom out,
// Polar, Random). The simulation host decides when the view is shown and
// which scene it holds.
#include "scene3d/SceneViewer.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <functional>
#include <memory>

class AlignPanel;
class AnimationClock;
class QAction;
class QLabel;
class QMainWindow;
class QScrollBar;
class QToolBar;
class Scene3D;


class View3DControls : public QObject
{
    Q_OBJECT
public:
    // Builds the controls, hidden, into `pane`, and the toolbar for
    // `window`'s docks. `screenHeight` tells the screen's height in pixels,
    // which sets the camera's distance.
    View3DControls(QMainWindow *window, AlignPanel *pane, std::function<int()> screenHeight);
    ~View3DControls() override;

    // ---- what the host asks of the view
    // Stops the clock: Start enabled, Stop disabled.
    void stopClock();
    // Empties the scene and puts the animation angle back to 0.
    void clearScene();
    // Shows or hides the viewer (or the message standing in for it), the
    // scroll bar and the toolbar. The first time it is shown, the viewer is
    // made, if OpenGL can start.
    void setShown(bool shown);
    // Start, Stop, Polar and Random belong to the electromagnetic wave only.
    void showButtonsFor(int kind);
    // The camera back where it starts, the scroll bar at 0 from `minimum` to
    // `maximum` degrees, and the scene of `kind` built.
    void showScene(int kind, int minimum, int maximum);
    // The background as 0x00BBGGRR.
    quint32 backgroundColor() const;
    void setBackgroundColor(quint32 bgr);

    // ---- parts
    QToolBar *toolbar() const { return m_toolbar; }
    Scene3D *scene() const { return m_scene.get(); }
    AnimationClock *clock() const;
    // Null until the first 3D page, and for good where OpenGL cannot start.
    SceneViewer *viewer() const { return m_viewer; }
    QLabel *noOpenGLMessage() const { return m_noOpenGLMessage; }
    QScrollBar *angleScrollBar() const { return m_angleScrollBar; }
    QAction *startAction() const { return m_startAction; }
    QAction *stopAction() const { return m_stopAction; }
    QAction *zoomInAction() const { return m_zoomInAction; }
    QAction *zoomOutAction() const { return m_zoomOutAction; }
    QAction *polarAction() const { return m_polarAction; }
    QAction *randomAction() const { return m_randomAction; }
    // The animation angle in degrees; the clock goes on from a new one.
    float angle() const { return m_angle; }
    void setAngle(float degrees) { m_angle = degrees; }
    // Where the last mouse press or move in the viewer was.
    QPointF mouseAnchor() const { return m_mouseAnchor; }

    // ---- what the user and the clock do
    void start();
    void stop();
    // One tick of the clock: the electromagnetic wave turns on.
    void advanceScene(double deltaTime, double newTime);
    // The user moved the scroll bar to `position` degrees.
    void angleScrolled(int position);
    void zoomIn();
    void zoomOut();
    // Polar and Random work as a radio pair; choosing the one already chosen
    // changes nothing.
    void polarisationModeChosen(QAction *chosen);
    void viewerMousePressed(Qt::MouseButton button, QPointF pos);
    void viewerMouseMoved(Qt::MouseButtons buttons, QPointF pos);
    void viewerWheelTurned(int delta);
    // Keys: Space presses Stop or Start (electromagnetic wave only; false
    // when neither is shown), the arrows turn the camera round its target.
    bool toggleRunning();
    void viewerTurnKeyPressed(int pitchSteps, int turnSteps);
    void viewerClicked();

Q_SIGNALS:
    // The user moved the scroll bar while the polarisation scene is shown:
    // the movie above the view follows the angle.
    void polarisationAngleScrolled(float angle);

private:
    void createToolbar(QMainWindow *window);
    void createViewer();
    void resetCamera();
    // In "Random" mode, a new plane at each multiple of 60 degrees.
    void randomPlaneAt(int degrees);

    AlignPanel *m_pane;
    std::function<int()> m_screenHeight;
    std::unique_ptr<Scene3D> m_scene;
    QPointer<SceneViewer> m_viewer;
    QLabel *m_noOpenGLMessage = nullptr;
    QScrollBar *m_angleScrollBar = nullptr;
    QToolBar *m_toolbar = nullptr;
    QAction *m_startAction = nullptr;
    QAction *m_stopAction = nullptr;
    QAction *m_zoomInAction = nullptr;
    QAction *m_zoomOutAction = nullptr;
    QAction *m_polarAction = nullptr;
    QAction *m_randomAction = nullptr;
    quint32 m_background = 0x00FFFFFF; // kept for when there is no viewer
    bool m_openGLProbed = false;
    float m_angle = 0.0f;
    QPointF m_mouseAnchor; // last mouse-down or mouse-move in the viewer
};
