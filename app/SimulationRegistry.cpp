#include "app/SimulationRegistry.h"

#include "app/SimGlobals.h"

#include <array>

namespace {

// A window kind whose window is not built yet leaves the pane empty.
KindInfo window(int kind, std::function<TSimulationForm *()> create = {})
{
    KindInfo k;
    k.kind = kind;
    k.mode = PaneMode::Window;
    k.createWindow = std::move(create);
    return k;
}

KindInfo movie(int kind, const char *file)
{
    KindInfo k;
    k.kind = kind;
    k.mode = PaneMode::Movie;
    k.movie = QLatin1String(file);
    return k;
}

const std::array<KindInfo, 17> &table()
{
    static const std::array<KindInfo, 17> kinds = [] {
        std::array<KindInfo, 17> t;
        t[0] = window(skYoungDoubleSlit);
        t[1] = window(skMultipleSlits);
        t[2] = window(skGrating);
        t[3] = window(skTransLongWaves);
        t[4] = window(skToneKeyboard);
        t[5] = window(skStandingWaves);
        t[6] = window(skSpeedOfSound);
        t[7] = window(skSuperposition);
        t[8] = window(skDampedSHM);
        t[9] = window(skGamma);
        t[10] = window(skAuxCircle);
        t[11] = window(skRippleTank);
        t[12] = movie(skHydrogenSpectrum, "Flash/HSpectrum.swf");
        t[13] = window(skResonance);
        KindInfo em;
        em.kind = skEMWave;
        em.mode = PaneMode::View3D;
        t[14] = em;
        KindInfo pol;
        pol.kind = skPolarisation;
        pol.mode = PaneMode::MovieOver3D;
        pol.movie = QStringLiteral("Flash/Polarization.swf");
        t[15] = pol;
        t[16] = movie(skLCD, "Flash/LCD.swf");
        return t;
    }();
    return kinds;
}

} // namespace

const KindInfo *FindKind(int kind)
{
    if (kind < 1 || kind > 17)
        return nullptr;
    return &table()[kind - 1];
}

bool IsWindowKind(int kind)
{
    return (kind >= 1 && kind <= 12) || kind == 14;
}

bool HasGraphMenu(int kind)
{
    return kind == skDampedSHM || kind == skResonance || kind == skMultipleSlits;
}

bool HasSpeedMenu(int kind)
{
    return kind == skTransLongWaves || kind == skStandingWaves || (kind >= 9 && kind <= 15);
}
