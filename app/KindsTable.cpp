#include "app/KindsTable.h"

#include "core/SimulationKind.h"
#include "scene3d/scenes/EmWaveScene.h"
#include "scene3d/scenes/PolarisationScene.h"
#include "sim/mechanics/AuxiliaryCircleWindow.h"
#include "sim/mechanics/DampedOscillatorWindow.h"
#include "sim/mechanics/ResonanceWindow.h"
#include "sim/mechanics/RippleTankWindow.h"
#include "sim/mechanics/StandingWavesWindow.h"
#include "sim/mechanics/SuperpositionWindow.h"
#include "sim/mechanics/TransverseLongitudinalWindow.h"
#include "sim/optics/DoubleSlitWindow.h"
#include "sim/optics/GratingWindow.h"
#include "sim/optics/MultipleSlitsWindow.h"
#include "sim/sound/GammaAbsorptionWindow.h"
#include "sim/sound/SpeedOfSoundWindow.h"
#include "sim/sound/ToneKeyboardWindow.h"

#include <array>

namespace {

// A window kind whose window is not built yet leaves the pane empty.
KindEntry window(int kind, const char *page, std::function<SimulationWindow *()> create = {})
{
    KindEntry k;
    k.kind = kind;
    k.page = QLatin1String(page);
    k.mode = PaneMode::Window;
    k.createWindow = std::move(create);
    return k;
}

KindEntry movie(int kind, const char *page, const char *file, PaneMode mode = PaneMode::Movie)
{
    KindEntry k;
    k.kind = kind;
    k.page = QLatin1String(page);
    k.mode = mode;
    k.movie = QLatin1String(file);
    return k;
}

KindEntry scene(int kind, const char *page, decltype(KindEntry::buildScene) build,
               decltype(KindEntry::updateScene) update)
{
    KindEntry k;
    k.kind = kind;
    k.page = QLatin1String(page);
    k.mode = PaneMode::View3D;
    k.buildScene = std::move(build);
    k.updateScene = std::move(update);
    return k;
}

// One entry per kind; a model's window, movie or scene is added here.
std::array<KindEntry, 17> makeTable()
{
    std::array<KindEntry, 17> t;
    auto at = [&t](int kind) -> KindEntry & { return t[size_t(kind - 1)]; };
    at(DoubleSlitKind) = window(DoubleSlitKind, "YDS.HTM", [] { return new DoubleSlitWindow; });
    at(MultipleSlitsKind) = window(MultipleSlitsKind, "MULTISLIT.HTM", [] { return new MultipleSlitsWindow; });
    at(GratingKind) = window(GratingKind, "GRATING.HTM", [] { return new GratingWindow; });
    at(TransverseLongitudinalKind) = window(TransverseLongitudinalKind, "TLWAVE.HTM",
                                           [] { return new TransverseLongitudinalWindow; });
    at(ToneKeyboardKind) = window(ToneKeyboardKind, "SOUND.HTM", [] { return new ToneKeyboardWindow; });
    at(StandingWavesKind) = window(StandingWavesKind, "STATWAVE.HTM", [] { return new StandingWavesWindow; });
    at(SpeedOfSoundKind) = window(SpeedOfSoundKind, "SNDSPEED.HTM", [] { return new SpeedOfSoundWindow; });
    at(SuperpositionKind) = window(SuperpositionKind, "SUPERWAVE.HTM", [] { return new SuperpositionWindow; });
    at(DampedOscillatorKind) = window(DampedOscillatorKind, "DAMPSHM.HTM", [] { return new DampedOscillatorWindow; });
    at(GammaAbsorptionKind) = window(GammaAbsorptionKind, "GAMMA.HTM", [] { return new GammaAbsorptionWindow; });
    at(AuxiliaryCircleKind) = window(AuxiliaryCircleKind, "AUXCIRCLE.HTM", [] { return new AuxiliaryCircleWindow; });
    at(RippleTankKind) = window(RippleTankKind, "RIPPLE.HTM", [] { return new RippleTankWindow; });
    at(HydrogenSpectrumKind) = movie(HydrogenSpectrumKind, "HSPECTRUM.HTM", "Flash/HSpectrum.qml");
    at(ResonanceKind) = window(ResonanceKind, "RESONANCE.HTM", [] { return new ResonanceWindow; });
    at(EmWaveKind) = scene(EmWaveKind, "EM_WAVES.HTM", EmWaveScene::build, EmWaveScene::update);
    at(PolarisationKind) =
        movie(PolarisationKind, "POLARIZATION.HTM", "Flash/Polarization.qml", PaneMode::MovieOver3D);
    at(PolarisationKind).buildScene = PolarisationScene::build;
    at(PolarisationKind).updateScene = PolarisationScene::update;
    at(LiquidCrystalKind) = movie(LiquidCrystalKind, "LCD.HTM", "Flash/LCD.qml");

    for (int k : {DampedOscillatorKind, ResonanceKind, MultipleSlitsKind})
        at(k).graphMenu = true;
    for (int k : {DampedOscillatorKind, ResonanceKind, MultipleSlitsKind})
        at(k).crossHair = true;
    for (int k : {TransverseLongitudinalKind, StandingWavesKind, DampedOscillatorKind, GammaAbsorptionKind, AuxiliaryCircleKind, RippleTankKind,
                  HydrogenSpectrumKind, ResonanceKind, EmWaveKind})
        at(k).speedMenu = true;
    return t;
}

std::array<KindEntry, 17> &table()
{
    static std::array<KindEntry, 17> kinds = makeTable();
    return kinds;
}

} // namespace

const KindEntry *findKind(int kind)
{
    if (kind < 1 || kind > 17)
        return nullptr;
    return &table()[kind - 1];
}

void overrideKindForTesting(const KindEntry &info)
{
    if (info.kind >= 1 && info.kind <= 17)
        table()[info.kind - 1] = info;
}

void restoreKindsForTesting()
{
    table() = makeTable();
}

bool isWindowKind(int kind)
{
    const KindEntry *k = findKind(kind);
    return k && k->mode == PaneMode::Window;
}

bool hasGraphMenu(int kind)
{
    const KindEntry *k = findKind(kind);
    return k && k->graphMenu;
}

bool hasCrossHair(int kind)
{
    const KindEntry *k = findKind(kind);
    return k && k->crossHair;
}

bool hasSpeedMenu(int kind)
{
    const KindEntry *k = findKind(kind);
    return k && k->speedMenu;
}

int kindOfPageFile(const QString &upperFileName)
{
    for (const KindEntry &k : table())
        if (k.page == upperFileName)
            return k.kind;
    return 0;
}
