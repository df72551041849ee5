#pragma once
// The round magnifying glass over a bench scale: it shows the scale ten
// times enlarged around position P, with P on the glass's vertical centre
// line, to a tenth of a scale unit. The double slit, speed-of-sound and
// gamma windows each draw it with settings of their own, for example
//   double slit:    L 300, strip 0.35, pen 0xFF000000, unit "cm", the
//                   screen drawn after the ticks;
//   gamma absorber: no L, strip 0.4, pen 0xFF3F3F3F, no unit, the absorber
//                   drawn before the ticks.
#include "sim/framework/DrawingContext.h"

#include <functional>
#include <optional>

// The glass as the content routines see it: the bounding square (X, Y, S),
// g = S/30 pixels per tenth of a scale unit and the centre (cx, cy).
struct MagnifierGlass {
    float x = 0, y = 0, s = 0;
    float g = 0, cx = 0, cy = 0;
};

struct MagnifierSettings {
    // The scale ends at this position (the bench length); none: it runs on.
    std::optional<float> benchLength;
    // Height of the scale strip as a fraction of S.
    float stripHeight = 0.35f;
    // Colour of the strip outline and the ticks (pen width 1).
    Color32 penColor = 0xFF000000;
    // Caption under the strip; empty: none.
    QString unitLabel;
    // Drawn inside the glass's clip, before and after the ticks; they get the
    // context, the pen in use and the glass.
    std::function<void(DrawingContext &, DrawPen &, const MagnifierGlass &)> contentBefore;
    std::function<void(DrawingContext &, DrawPen &, const MagnifierGlass &)> contentAfter;
};

// Draws the glass in the square (X, Y, side S) reading position P. Ticks and
// labels are drawn only strictly inside the strip's ends, so a tick lying
// exactly on the scale's zero or on its end is left out. The pen ends at
// width 2, colour 0xFF3F3F3F (the glass's rim) for the caller to see;
// smoothing is left high quality and text antialiased.
void drawScaleMagnifier(DrawingContext &dc, DrawPen &pen, float X, float Y, float S, float P,
                        const MagnifierSettings &settings);
