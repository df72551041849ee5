#pragma once
// The ripple tank apart from its window: a square tank 30 wavelengths wide
// seen from above as a wavefront diagram. Straight crests arrive from the
// left and meet a barrier 6 wavelengths in; behind it they spread from one
// slit, or from two slits as two families of circles that cross where
// crests meet. The time t runs from 0 to 5; its fractional part is how far
// every crest has moved on, in wavelengths.
#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QVector>

enum class SlitMode { Single, Double };

// Which slit a circular crest spreads from. Two slits are told apart on the
// picture by colour.
enum class RippleSource { Slit, UpperSlit, LowerSlit };

// A circular crest behind the barrier: the part of the circle of `Radius`
// (whole pixels) about Centre from StartAngle, sweeping SweepAngle (degrees,
// clockwise on the screen, 0 pointing right).
struct RippleArc {
    QPointF centre;
    int radius = 0;
    float startAngle = 0;
    float sweepAngle = 0;
    RippleSource source = RippleSource::Slit;
};

// Everything drawn in the tank, in pixels of the tank's picture.
struct RipplePicture {
    QVector<QLineF> incident; // straight crests before the barrier, and the
                              // one standing in the opening(s) at whole t
    QVector<QLineF> flat;     // a wide slit: the flat middle of each crest
    QVector<RippleArc> arcs;
    QVector<QRectF> barrier;  // filled blocks, drawn last
};

// Where the tank and its time slider go in a window `width` x `height` whose
// slider is `sliderHeight` high.
struct RippleLayout {
    float cell = 0; // pixels per cell, and per wavelength
    QRect tank;     // square
    QRect slider;   // directly under the tank, as wide
};

class RippleTankModel
{
public:
    static constexpr int kTankCells = 30;
    static constexpr int kBarrierCells = 6; // from the tank's left edge
    static constexpr int kWavelength = 1;   // cells
    static constexpr int kIncidentCrests = 6;
    static constexpr int kMinSlitWidth = 1;
    static constexpr int kMaxSlitWidth = 10;
    static constexpr int kMinSeparation = 2;
    static constexpr int kMaxSeparation = 10;
    static constexpr float kTimeWrap = 5.0f;
    static constexpr int kSliderMax = 100; // 20 steps per unit of t

    // The last circular crest, counted from 0 at the slit: far enough to
    // reach the tank's far corners behind the barrier (28).
    static int lastCircularCrest();

    // ---- time
    float time() const { return m_time; }
    // From the clock, already wrapped.
    void setTime(float t) { m_time = t; }
    // The slider at `position` (0 to 100): t = position x 0.05.
    void setSliderPosition(int position);
    // round(20 t), halves to even.
    int sliderPosition() const;
    // How far the crests have moved on, in pixels: frac(t) x cell.
    float advance(float cell) const;

    // ---- slits
    SlitMode mode() const { return m_mode; }
    // False (and nothing changes) when the mode is already the one shown.
    bool setMode(SlitMode mode);
    int slitWidth() const { return m_width; }       // cells, one slit
    int slitSeparation() const { return m_separation; } // cells between centres, two slits
    // The values of the two editors, cut to whole cells.
    void setSlits(double width, double separation);

    // ---- layout and picture
    static RippleLayout layout(int width, int height, int sliderHeight);
    // The picture of a tank `side` pixels square at `cell` pixels per cell.
    RipplePicture picture(float cell, int side) const;

private:
    float m_time = 0.0f;
    SlitMode m_mode = SlitMode::Single;
    int m_width = 1;
    int m_separation = 2;
};
