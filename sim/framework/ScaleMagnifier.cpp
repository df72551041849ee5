#include "sim/framework/ScaleMagnifier.h"

#include <cmath>

void DrawScaleMagnifier(DrawingContext &dc, TDrawPen &pen, float X, float Y, float S, float P,
                        const TMagnifierSettings &settings)
{
    TMagnifierGlass glass;
    glass.X = X;
    glass.Y = Y;
    glass.S = S;
    glass.g = S / 30.0f; // one scale unit is 10 g; the glass spans three
    glass.cx = X + S / 2.0f;
    glass.cy = Y + S / 2.0f;
    const float g = glass.g, cx = glass.cx, cy = glass.cy;

    const TDrawFont font(QStringLiteral("Arial"), 0.1f * S, true);
    const TTextFormat topCentre(TTextAlign::Center, TTextAlign::Near);

    TDrawPath circle;
    circle.AddEllipse(X, Y, S, S);
    dc.SetClip(circle);

    const float whole = std::trunc(P);
    int n = int(whole) - 2;
    const float off = (P - whole) * (10.0f * g);

    // Where the scale's zero or its end falls inside the glass, the strip
    // stops there.
    const float xl = P >= 1.5f ? X : cx - 10.0f * P * g;
    const float L = settings.BenchLength.value_or(0.0f);
    const float xr = settings.BenchLength && P > L - 1.5f ? cx + (L - P) * (10.0f * g) : X + S;

    pen.Width = 1;
    pen.Color = settings.PenColor;
    const float f = settings.StripHeight;
    TDrawBrush brush(0xFFFFFF80);
    dc.FillAndDrawRectangle(brush, pen, xl, cy, xr - xl, f * S);

    if (settings.ContentBefore)
        settings.ContentBefore(dc, pen, glass);

    dc.SetTextRendering(TTextRendering::AntiAlias);
    brush.Color = 0xFF000000;
    for (int k = -25; k <= 25; ++k) {
        const float x = cx + float(k) * g - off;
        if (xl < x && x < xr) {
            if (k % 10 == 0) {
                dc.DrawLine(pen, x, cy, x, cy + 6 * g);
                dc.DrawString(QString::number(n), font, QPointF(x, cy + 6 * g), topCentre, brush);
            } else if (k % 5 == 0) {
                dc.DrawLine(pen, x, cy, x, cy + 4 * g);
            } else {
                dc.DrawLine(pen, x, cy, x, cy + 2 * g);
            }
        }
        if (k % 10 == 0)
            ++n; // counted whether drawn or not, so k = 0 carries trunc(P)
    }

    if (!settings.UnitLabel.isEmpty())
        dc.DrawString(settings.UnitLabel, font, QPointF(cx, cy + f * S), topCentre, brush);

    if (settings.ContentAfter)
        settings.ContentAfter(dc, pen, glass);

    dc.ResetClip();
    pen.Width = 2;
    pen.Color = 0xFF3F3F3F;
    dc.SetSmoothing(TSmoothing::HighQuality);
    dc.DrawEllipse(pen, X, Y, S, S);
}
