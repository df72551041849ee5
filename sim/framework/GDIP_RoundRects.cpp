#include "sim/framework/GDIP_RoundRects.h"

void AddRoundedRect(TDrawPath &path, float x, float y, float w, float h, float r)
{
    // Each line ends short of its corner; the join to the next arc's start
    // completes the straight edge.
    const float d = 2 * r;
    path.AddLine(x + r, y, x + w - d, y);
    path.AddArc(x + w - d, y, d, d, 270, 90);
    path.AddLine(x + w, y + r, x + w, y + h - d);
    path.AddArc(x + w - d, y + h - d, d, d, 0, 90);
    path.AddLine(x + w - d, y + h, x + r, y + h);
    path.AddArc(x, y + h - d, d, d, 90, 90);
    path.AddLine(x, y + h - d, x, y + r);
    path.AddArc(x, y, d, d, 180, 90);
}
