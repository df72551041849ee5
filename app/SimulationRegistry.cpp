#include "app/SimulationRegistry.h"

#include "app/SimGlobals.h"
#include "scene3d/GL_EMWave.h"
#include "sim/mechanics/uSHM.h"
#include "sim/mechanics/uSumWave.h"
#include "sim/optics/uYoungDS.h"
#include "sim/sound/uSndSpeed.h"

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

// One entry per kind; a model's window, movie or scene is added here.
std::array<KindInfo, 17> makeTable()
{
    std::array<KindInfo, 17> t;
    t[0] = window(skYoungDoubleSlit, [] { return new TYDSFrm; });
    t[1] = window(skMultipleSlits);
    t[2] = window(skGrating);
    t[3] = window(skTransLongWaves);
    t[4] = window(skToneKeyboard);
    t[5] = window(skStandingWaves);
    t[6] = window(skSpeedOfSound, [] { return new TSndSpeedFrm; });
    t[7] = window(skSuperposition, [] { return new TSumWaveFrm; });
    t[8] = window(skDampedSHM, [] { return new TSHMFrm; });
    t[9] = window(skGamma);
    t[10] = window(skAuxCircle);
    t[11] = window(skRippleTank);
    t[12] = movie(skHydrogenSpectrum, "Flash/HSpectrum.swf");
    t[13] = window(skResonance);
    t[14].kind = skEMWave;
    t[14].mode = PaneMode::View3D;
    t[14].buildScene = BuildEMWaveScene;
    t[14].updateScene = UpdateEMWaveScene;
    t[15].kind = skPolarisation;
    t[15].mode = PaneMode::MovieOver3D;
    t[15].movie = QStringLiteral("Flash/Polarization.swf");
    t[16] = movie(skLCD, "Flash/LCD.swf");
    return t;
}

std::array<KindInfo, 17> &table()
{
    static std::array<KindInfo, 17> kinds = makeTable();
    return kinds;
}

} // namespace

const KindInfo *FindKind(int kind)
{
    if (kind < 1 || kind > 17)
        return nullptr;
    return &table()[kind - 1];
}

void OverrideKindForTesting(const KindInfo &info)
{
    if (info.kind >= 1 && info.kind <= 17)
        table()[info.kind - 1] = info;
}

void RestoreKindsForTesting()
{
    table() = makeTable();
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
