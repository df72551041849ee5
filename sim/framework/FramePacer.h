#pragma once
// Repaints at most once per displayed frame. A picture redrawn faster than
// the display shows frames (a model stepping hundreds of times a second)
// asks for its repaint here instead of calling update(): the widget is
// updated at once when the last paced repaint lies a frame or more back,
// otherwise at the next frame, everything asked for meanwhile in one
// repaint. The frame is AnimationClock::displayFrameInterval().
#include <QRegion>

class QWidget;

namespace FramePacer {

// A repaint of `region` of `widget` (the whole widget when empty).
void update(QWidget *widget, const QRegion &region = QRegion());

} // namespace FramePacer
