#pragma once
// Instrument read-outs drawn with DrawingContext.
#include "sim/framework/DrawingContext.h"

// An orange read-out box (x, y, w, h) with a white value window in its upper
// part showing valueText, and unitText centred at (x + w/2, y + 3h/4); texts
// bold Arial sized from w. Leaves `brush` black, smoothing off and text
// rendering antialiased; `pen` (the outlines) is not changed.
void drawReadoutPanel(DrawingContext &dc, const DrawPen &pen, DrawBrush &brush, float x, float y, float w, float h,
                      const QString &valueText, const QString &unitText);
