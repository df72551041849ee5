#include "sim/framework/ScaleMagnifier.h"

#include <cmath>

void drawScaleMagnifier(DrawingContext &dc, DrawPen &pen, float X, float Y, float S, float P,
                        const MagnifierSettings &settings)
{
    MagnifierGlass glass;
    glass.x = X;
    glass.y = Y;
    glass.s = S;
    glass.g = S / 30.0f; // one scale unit is 10 g; the glass spans three
    glass.cx = X + S / 2.0f;
    glass.cy = Y + S / 2.0f;
    const float g = glass.g, cx = glass.cx, cy = glass.cy;

    const DrawFont font(QStringLiteral("Arial"), 0.1f * S, true);
    const TextFormat topCentre(TextAlign::Center, TextAlign::Near);

    DrawPath circle;
    circle.addEllipse(X, Y, S, S);
    dc.setClip(circle);

    const float whole = std::trunc(P);
    int n = int(whole) - 2;
    const float off = (P - whole) * (10.0f * g);

    // Where the scale's zero or its end falls inside the glass, the strip
    // stops there.
    const float xl = P >= 1.5f ? X : cx - 10.0f * P * g;
    const float L = settings.benchLength.value_or(0.0f);
    const float xr = settings.benchLength && P > L - 1.5f ? cx + (L - P) * (10.0f * g) : X + S;

    pen.width = 1;
    pen.color = settings.penColor;
    const float f = settings.stripHeight;
    DrawBrush brush(0xFFFFFF80);
    dc.fillAndDrawRectangle(brush, pen, xl, cy, xr - xl, f * S);

    if (settings.contentBefore)
        settings.contentBefore(dc, pen, glass);

    dc.setTextRendering(TextRendering::AntiAlias);
    brush.color = 0xFF000000;
    for (int k = -25; k <= 25; ++k) {
        const float x = cx + float(k) * g - off;
        if (xl < x && x < xr) {
            if (k % 10 == 0) {
                dc.drawLine(pen, x, cy, x, cy + 6 * g);
                dc.drawString(QString::number(n), font, QPointF(x, cy + 6 * g), topCentre, brush);
            } else if (k % 5 == 0) {
                dc.drawLine(pen, x, cy, x, cy + 4 * g);
            } else {
                dc.drawLine(pen, x, cy, x, cy + 2 * g);
            }
        }
        if (k % 10 == 0)
            ++n; // counted whether drawn or not, so k = 0 carries trunc(P)
    }

    if (!settings.unitLabel.isEmpty())
        dc.drawString(settings.unitLabel, font, QPointF(cx, cy + f * S), topCentre, brush);

    if (settings.contentAfter)
        settings.contentAfter(dc, pen, glass);

    dc.resetClip();
    pen.width = 2;
    pen.color = 0xFF3F3F3F;
    dc.setSmoothing(Smoothing::HighQuality);
    dc.drawEllipse(pen, X, Y, S, S);
}
