#pragma once
// The double-slit model apart from its window: wavelengths of the six light
// colours, the fringe layout on the screen, and the geometry of the picture
// (screen, scales, bench, measuring area), all in pixels about the
// picture's centre unless said otherwise.
//
// Units: with D in centimetres, lambda in nanometres and d in millimetres,
// lambda * D / (1e6 * d) is the fringe spacing lambda*D/d in centimetres.
// The screen's 40 divisions are therefore captioned "(cm)", so that what a
// learner measures on the screen agrees with lambda*D/d (700 nm, 150 cm,
// 0.05 mm give 2.1 cm).
#include <QRect>
#include <QRectF>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

using LightColor = uint32_t; // 0xAARRGGBB

struct LightChoice {
    const char *name;     // item name and caption
    LightColor light;    // colour of the light
    float wavelength;     // nm
    uint32_t swatch;      // menu picture, RGB
};
// The colour menu in menu order: Red, Orange, Yellow, Green, Blue, Violet.
const std::array<LightChoice, 6> &lightChoices();

// The wavelength is looked up from the colour: any colour not in the table
// is violet's 400 nm.
float wavelengthOf(LightColor color);

// The screen is this many scale divisions wide.
constexpr int kScreenDivisions = 40;

struct FringeLayout {
    float spacing = 1;  // s, pixels between fringe centres (at least 1)
    int orders = 0;     // n, fringes on each side of the central one
    int alphaStep = 255; // h, alpha lost per pixel away from a fringe centre
    int halfWidth = 0;  // l, lines at most on each side of a centre
};

// Spacing of the fringes in screen divisions: lambda * D / (1e6 * d).
float fringeSpacingDivisions(float lambda, float D, float d);
// The fringes on a screen `screenWidth` pixels wide.
FringeLayout fringeLayout(float screenWidth, float lambda, float D, float d);
// Alpha of the line j pixels from a fringe centre, for each line drawn
// (j = 0, 1, ...): 255 - j * h while positive, never past the half-width.
std::vector<int> fringeLineAlphas(const FringeLayout &layout);

// ---- picture geometry, unit u = 0.01 x the smaller side

float pictureUnit(int width, int height);
QRectF screenRect(float u);       // the fringes
QRectF screenScaleRect(float u);  // divisions under the screen
QRectF benchScaleRect(float u);   // 0 to 3 m, one division per 10 cm
// The screen's place on the bench scale in the side view (D in cm).
float benchScreenX(float D, float u);
// x of bench division i (10 cm each).
float benchTickX(int i, float u);
// The magnifier's bounding square (X, Y, S).
QRectF magnifierSquare(float u);
// The screen and its scale in picture pixels, where the measuring line is
// drawn and the hand cursor shows.
QRect markerArea(int width, int height);

// ---- measuring line
// Where picture column x lies on the screen's scale, in millimetres from
// the centre (negative to the left); a division is a centimetre.
double screenPositionMm(double x, int width, int height);
// The measuring line's reading, e.g. "-21.0 mm".
QString screenReading(double millimetres);
