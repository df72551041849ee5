#include "sim/framework/GDIP_StopClocks.h"

void DrawReadoutPanel(DrawingContext &dc, const TDrawPen &pen, TDrawBrush &brush, float x, float y, float w, float h,
                      const QString &valueText, const QString &unitText)
{
    brush.Color = 0xFFFF8000;
    dc.SetSmoothing(TSmoothing::None);
    dc.FillAndDrawRectangle(brush, pen, x, y, w, h);

    // The value window's top margin is a tenth of the width, like its sides.
    const QRectF window(x + 0.1f * w, y + 0.1f * w, 0.8f * w, 0.4f * h);
    brush.Color = 0xFFFFFFFF;
    dc.FillAndDrawRectangle(brush, pen, window);

    const TTextFormat centred(TTextAlign::Center, TTextAlign::Center);
    brush.Color = 0xFF000000;
    dc.SetTextRendering(TTextRendering::AntiAlias);
    dc.DrawString(valueText, TDrawFont(QStringLiteral("Arial"), 0.22f * w, true), window, centred, brush);
    dc.DrawString(unitText, TDrawFont(QStringLiteral("Arial"), 0.12f * w, true), QPointF(x + 0.5f * w, y + 0.75f * h),
                  centred, brush);
}
