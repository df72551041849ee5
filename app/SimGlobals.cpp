#include "app/SimGlobals.h"

int32_t ActiveKind = 0;
SpeedTable Speeds = DefaultSpeeds();

SpeedTable DefaultSpeeds()
{
    SpeedTable s;
    s.fill(1);
    s[skTransLongWaves] = 200;
    s[skStandingWaves] = 50;
    s[skDampedSHM] = 50;
    s[skAuxCircle] = 60;
    s[skRippleTank] = 50;
    s[skResonance] = 100;
    s[skEMWave] = 100;
    return s;
}
