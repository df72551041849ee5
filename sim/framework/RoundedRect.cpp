#include "sim/framework/RoundedRect.h"

void addRoundedRect(DrawPath &path, float x, float y, float w, float h, float r)
{
    // Each line ends short of its corner; the join to the next arc's start
    // completes the straight edge.
    const float d = 2 * r;
    path.addLine(x + r, y, x + w - d, y);
    path.addArc(x + w - d, y, d, d, 270, 90);
    path.addLine(x + w, y + r, x + w, y + h - d);
    path.addArc(x + w - d, y + h - d, d, d, 0, 90);
    path.addLine(x + w - d, y + h, x + r, y + h);
    path.addArc(x, y + h - d, d, d, 90, 90);
    path.addLine(x, y + h - d, x, y + r);
    path.addArc(x, y, d, d, 180, 90);
}
