#pragma once
// Reading the wave pictures back: how strongly a pixel shows one of the
// pure hues the pictures draw in, so antialiased curves can be found
// without knowing their exact edge colours.
#include "sim/framework/RasterImage.h"

#include <algorithm>

enum class Hue { Blue, Red, Green };

// 0 for white, greys, black and the other hues; up to 255 for the pure hue
// (0x008000 green gives 128). Antialiased edges count for less.
inline int hueStrength(Color32 c, Hue hue)
{
    const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
    switch (hue) {
    case Hue::Blue:
        return std::max(0, b - std::max(r, g));
    case Hue::Red:
        return std::max(0, r - std::max(g, b));
    case Hue::Green:
        return std::max(0, g - std::max(r, b));
    }
    return 0;
}

// The strongest showing of the hue within `radius` pixels of (x, y).
inline int hueNear(const RasterImage &b, int x, int y, Hue hue, int radius = 1)
{
    int best = 0;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            best = std::max(best, hueStrength(b.pixel(x + dx, y + dy), hue));
    return best;
}
