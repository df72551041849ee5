#pragma once
// The grating spectrometer apart from its window: the diffraction orders of
// a grating for one wavelength, the colour of that light, and the geometry
// of the picture (table, collimator, telescope, angle scale with its
// vernier, and the telescope's view with its cross-hairs).
//
// Quantities are 32-bit floats where the controls store them; the first
// order's sine and each order's sine are rounded to 32-bit floats as they
// are computed, which decides whether an order whose sine comes out at
// exactly 1 is drawn (it is not).
#include "sim/optics/WavelengthColour.h"

#include <QPointF>
#include <QPolygonF>
#include <QRectF>
#include <QRgb>
#include <vector>

struct GratingOrder {
    int order = 0;      // m, 1 upwards
    float sine = 0;     // m x sine of the first order
    double radians = 0; // the angle of the order from the straight-through beam
    double degrees() const;
};

// A tick of the telescope's angle scale or of its vernier, in picture pixels.
struct ScaleTick {
    float x = 0;
    float y1 = 0;
    float y2 = 0;
};
// A number of the main scale: its text centred on x with its top at y.
struct ScaleLabel {
    float x = 0;
    float y = 0;
    int degrees = 0;
};
struct AngleScale {
    QRectF mainScale; // the lower half, moving under the vernier
    QRectF vernier;   // the upper half's middle, fixed
    std::vector<ScaleTick> mainTicks;
    std::vector<ScaleLabel> labels;
    std::vector<ScaleTick> vernierTicks;
    // The vernier's "0": centred on x, its lower edge on y.
    QPointF vernierZero;
    float fontPixels = 0;
};

// The fixed parts of the picture for a surface of the given size; u is a
// tenth of the smaller side, the table's centre lies 6.5u down, halfway
// across.
struct SpectrometerLayout {
    float unit = 0;
    float centreX = 0;
    QPointF tableCentre;
    float tableRadius = 0;
    QRectF collimator;
    QRectF grating;
    QRectF angleScale;    // over the table
    QRectF telescopeView; // the strip at the top

    static SpectrometerLayout forSize(int width, int height);
    // The telescope swung to `degrees` (positive to the right): a tube 0.4u
    // wide and 1.5u long, its near end 1.9u from the table's centre. The
    // corners go round the tube: near, far, far, near.
    QPolygonF telescope(float degrees) const;
    // Where the ray of `order` meets the table's rim, right or left of the
    // straight-through beam (both leave the grating downwards).
    QPointF rayEnd(const GratingOrder &order, bool right) const;
};

class GratingModel
{
public:
    static constexpr int kMinLines = 100;
    static constexpr int kMaxLines = 600;
    static constexpr int kMinWavelength = 400;
    static constexpr int kMaxWavelength = 700;
    // The telescope's scroll bar counts tenths of a degree.
    static constexpr int kMinAnglePosition = -900;
    static constexpr int kMaxAnglePosition = 900;
    // The telescope's view spans this many degrees.
    static constexpr float kViewDegrees = 30.0f;

    float linesPerMm() const { return m_lines; }
    float wavelength() const { return m_wavelength; } // nm
    float telescopeAngle() const { return m_telescope; } // degrees

    // The spin edit's value, truncated to a whole number; false (and nothing
    // changes) when it equals the lines already set. Values outside the
    // controls' ranges are held at the nearest end.
    bool setLinesPerMm(double value);
    void setWavelength(int nanometres);
    // Scroll bar position in tenths of a degree.
    void setTelescopePosition(int position);

    // N x lambda with lambda in millimetres.
    float firstOrderSine() const;
    // M = trunc(1 / sine of the first order): the highest order tried.
    int highestOrder() const;
    // The orders whose sine is below 1, lowest first; each is drawn on both
    // sides of the straight-through beam.
    std::vector<GratingOrder> orders() const;
    QRgb rayColour() const { return wavelengthColour(m_wavelength); }

    // The strip the telescope sees, `view` in picture pixels: x of the
    // straight-through beam first, then of each order on the right and on
    // the left. Lines outside the strip are included; the strip clips them.
    std::vector<float> viewLines(const QRectF &view) const;
    // The angle scale on `rect` for the current telescope angle: the degree
    // the telescope points at stands at the rectangle's centre.
    AngleScale angleScale(const QRectF &rect) const;

private:
    float m_lines = 300.0f;
    float m_wavelength = 500.0f;
    float m_telescope = 0.0f;
};
