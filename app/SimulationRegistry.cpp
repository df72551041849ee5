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
KindInfo window(int kind, const char *page, std::function<TSimulationForm *()> create = {})
{
    KindInfo k;
    k.kind = kind;
    k.page = QLatin1String(page);
    k.mode = PaneMode::Window;
    k.createWindow = std::move(create);
    return k;
}

KindInfo movie(int kind, const char *page, const char *file, PaneMode mode = PaneMode::Movie)
{
    KindInfo k;
    k.kind = kind;
    k.page = QLatin1String(page);
    k.mode = mode;
    k.movie = QLatin1String(file);
    return k;
}

KindInfo scene(int kind, const char *page, decltype(KindInfo::buildScene) build,
               decltype(KindInfo::updateScene) update)
{
    KindInfo k;
    k.kind = kind;
    k.page = QLatin1String(page);
    k.mode = PaneMode::View3D;
    k.buildScene = std::move(build);
    k.updateScene = std::move(update);
    return k;
}

// One entry per kind; a model's window, movie or scene is added here.
std::array<KindInfo, 17> makeTable()
{
    std::array<KindInfo, 17> t;
    auto at = [&t](int kind) -> KindInfo & { return t[size_t(kind - 1)]; };
    at(skYoungDoubleSlit) = window(skYoungDoubleSlit, "YDS.HTM", [] { return new TYDSFrm; });
    at(skMultipleSlits) = window(skMultipleSlits, "MULTISLIT.HTM");
    at(skGrating) = window(skGrating, "GRATING.HTM");
    at(skTransLongWaves) = window(skTransLongWaves, "TLWAVE.HTM");
    at(skToneKeyboard) = window(skToneKeyboard, "SOUND.HTM");
    at(skStandingWaves) = window(skStandingWaves, "STATWAVE.HTM");
    at(skSpeedOfSound) = window(skSpeedOfSound, "SNDSPEED.HTM", [] { return new TSndSpeedFrm; });
    at(skSuperposition) = window(skSuperposition, "SUPERWAVE.HTM", [] { return new TSumWaveFrm; });
    at(skDampedSHM) = window(skDampedSHM, "DAMPSHM.HTM", [] { return new TSHMFrm; });
    at(skGamma) = window(skGamma, "GAMMA.HTM");
    at(skAuxCircle) = window(skAuxCircle, "AUXCIRCLE.HTM");
    at(skRippleTank) = window(skRippleTank, "RIPPLE.HTM");
    at(skHydrogenSpectrum) = movie(skHydrogenSpectrum, "HSPECTRUM.HTM", "Flash/HSpectrum.swf");
    at(skResonance) = window(skResonance, "RESONANCE.HTM");
    at(skEMWave) = scene(skEMWave, "EM_WAVES.HTM", BuildEMWaveScene, UpdateEMWaveScene);
    at(skPolarisation) =
        movie(skPolarisation, "POLARIZATION.HTM", "Flash/Polarization.swf", PaneMode::MovieOver3D);
    at(skLCD) = movie(skLCD, "LCD.HTM", "Flash/LCD.swf");

    for (int k : {skDampedSHM, skResonance, skMultipleSlits})
        at(k).graphMenu = true;
    for (int k : {skTransLongWaves, skStandingWaves, skDampedSHM, skGamma, skAuxCircle, skRippleTank,
                  skHydrogenSpectrum, skResonance, skEMWave})
        at(k).speedMenu = true;
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
    const KindInfo *k = FindKind(kind);
    return k && k->mode == PaneMode::Window;
}

bool HasGraphMenu(int kind)
{
    const KindInfo *k = FindKind(kind);
    return k && k->graphMenu;
}

bool HasSpeedMenu(int kind)
{
    const KindInfo *k = FindKind(kind);
    return k && k->speedMenu;
}

int KindOfPageFile(const QString &upperFileName)
{
    for (const KindInfo &k : table())
        if (k.page == upperFileName)
            return k.kind;
    return 0;
}
