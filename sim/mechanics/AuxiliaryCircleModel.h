#pragma once
// The auxiliary circle apart from its window: a point running round a
// circle, its height projected on the vertical axis and carried across to
// one period of a sine graph, an optional second point a phase difference
// ahead of the first, the run states with the scroll bar that sets the
// position by hand, and the layout and geometry of the picture.
//
// Phase sense: a positive phase difference is an advance. The second point
// is at angle theta + delta and its height is R sin(theta + delta), so with
// delta = 90 it reaches the top a quarter turn before the first.
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <optional>
#include <vector>

constexpr int kAuxiliaryCircleRevolution = 100; // positions per turn: the angle is 3.6 p degrees
constexpr int kAuxiliaryCirclePhaseLimit = 360; // degrees either way

// Where the picture and its scroll bar go in a window `width` by `height`
// whose scroll bar is `scrollBarHeight` high. The picture is 100 U by 50 U
// with the largest unit U that fits above the scroll bar, centred in that
// space; the scroll bar lies directly under it with the same left and right.
struct AuxiliaryCircleLayout {
    float unit = 0; // U, pixels
    QRect picture;
    QRect scrollBar;
};
AuxiliaryCircleLayout auxiliaryCircleLayout(int width, int height, int scrollBarHeight);

// The three dots of one point: on the circle, its projection on the
// vertical axis, and its place on the graph.
struct AuxiliaryCirclePoint {
    QPointF onCircle;
    QPointF onAxis;
    QPointF onGraph;
};

// Everything the picture shows, in pixels relative to the picture's centre
// (y downwards). The circle, of radius R = 23 U, is centred on (-26 U, 0),
// left of the vertical axis; the graph runs from x = 0 to 49 U for one turn.
struct AuxiliaryCirclePicture {
    float unit = 0;
    float radius = 0;
    QPointF centre;
    QRectF circle; // the circle's bounding square
    std::vector<QPointF> curve;        // R sin of the angle, 101 points
    std::vector<QPointF> shiftedCurve; // R sin of the angle + delta; empty when delta = 0
    AuxiliaryCirclePoint point;
    std::optional<AuxiliaryCirclePoint> second; // when delta != 0
};
// The picture for position p (0 to 100) and phase difference delta
// (degrees) at unit U.
AuxiliaryCirclePicture auxiliaryCirclePicture(float unit, float position, int phase);

class AuxiliaryCircleModel
{
public:
    // ---- state
    float position() const { return m_p; } // 0 to 100 for one turn
    int phase() const { return m_phase; }  // delta, degrees, -360 to 360
    bool isRunning() const { return m_running; }
    // The scroll bar: usable only while stopped; it does not follow the
    // animation, and Stop puts it at the whole part of the position.
    bool isScrollBarEnabled() const { return !m_running; }
    int scrollPosition() const { return m_scrollPosition; }

    // ---- what the user and the clock do
    void start();
    void stop();
    // The scroll bar moved to q (0 to 100).
    void scrollTo(int q);
    // The phase spin edit's value, cut to whole degrees within -360 to 360.
    // Returns whether the phase difference changed.
    bool setPhase(double value);
    // One clock tick: `position` is the old position plus speed x seconds;
    // it is brought back into one turn. Ignored while stopped.
    bool tick(float position);

    // A position moved on past the end of a turn, brought back into it.
    static float wrapPosition(float position);

private:
    float m_p = 0.0f;
    int m_phase = 0;
    bool m_running = false;
    int m_scrollPosition = 0;
};
