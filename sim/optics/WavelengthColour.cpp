#include "sim/optics/WavelengthColour.h"

#include <cmath>

QRgb wavelengthColour(float nanometres)
{
    const double l = nanometres;
    const int t = int(std::trunc(l));
    double r = 0, g = 0, b = 0;
    if (t >= 380 && t <= 439) {
        r = -(l - 440) / 60;
        b = 1;
    } else if (t >= 440 && t <= 489) {
        g = (l - 440) / 50;
        b = 1;
    } else if (t >= 490 && t <= 509) {
        g = 1;
        b = -(l - 510) / 20;
    } else if (t >= 510 && t <= 579) {
        r = (l - 510) / 70;
        g = 1;
    } else if (t >= 580 && t <= 644) {
        r = 1;
        g = -(l - 645) / 65;
    } else if (t >= 645 && t <= 780) {
        r = 1;
    }
    const auto byte = [](double fraction) { return int(std::trunc(fraction * 255)); };
    return qRgba(byte(r), byte(g), byte(b), 255);
}
