#include "sim/framework/ReadoutPanel.h"

void drawReadoutPanel(DrawingContext &dc, const DrawPen &pen, DrawBrush &brush, float x, float y, float w, float h,
                      const QString &valueText, const QString &unitText)
{
    brush.color = 0xFFFF8000;
    dc.setSmoothing(Smoothing::None);
    dc.fillAndDrawRectangle(brush, pen, x, y, w, h);

    // The value window's top margin is a tenth of the width, like its sides.
    const QRectF window(x + 0.1f * w, y + 0.1f * w, 0.8f * w, 0.4f * h);
    brush.color = 0xFFFFFFFF;
    dc.fillAndDrawRectangle(brush, pen, window);

    const TextFormat centred(TextAlign::Center, TextAlign::Center);
    brush.color = 0xFF000000;
    dc.setTextRendering(TextRendering::AntiAlias);
    dc.drawString(valueText, DrawFont(QStringLiteral("Arial"), 0.22f * w, true), window, centred, brush);
    dc.drawString(unitText, DrawFont(QStringLiteral("Arial"), 0.12f * w, true), QPointF(x + 0.5f * w, y + 0.75f * h),
                  centred, brush);
}
