#include "core/SimulationKind.h"

namespace {
int32_t g_activeKind = 0;
} // namespace

int32_t activeKind()
{
    return g_activeKind;
}

void setActiveKind(int32_t kind)
{
    g_activeKind = kind;
}

SpeedTable &animationSpeeds()
{
    static SpeedTable speeds = defaultAnimationSpeeds();
    return speeds;
}

int32_t activeSpeed()
{
    return g_activeKind >= 0 && g_activeKind < kKindCount ? animationSpeeds()[size_t(g_activeKind)] : 1;
}

SpeedTable defaultAnimationSpeeds()
{
    SpeedTable s;
    s.fill(1);
    s[TransverseLongitudinalKind] = 200;
    s[StandingWavesKind] = 50;
    s[DampedOscillatorKind] = 50;
    s[AuxiliaryCircleKind] = 60;
    s[RippleTankKind] = 50;
    s[ResonanceKind] = 100;
    s[EmWaveKind] = 100;
    return s;
}
