#pragma once
// State shared by the whole program: which model the left pane shows and the
// animation speed of every model.
#include <array>
#include <cstdint>

// SimulationKind: 1 to 17 names what the left pane shows; 0 = nothing yet.
enum SimulationKind : int32_t {
    skNone = 0,
    skYoungDoubleSlit = 1,
    skMultipleSlits = 2,
    skGrating = 3,
    skTransLongWaves = 4,
    skToneKeyboard = 5,
    skStandingWaves = 6,
    skSpeedOfSound = 7,
    skSuperposition = 8,
    skDampedSHM = 9,
    skGamma = 10,
    skAuxCircle = 11,
    skRippleTank = 12,
    skHydrogenSpectrum = 13,
    skResonance = 14,
    skEMWave = 15,
    skPolarisation = 16,
    skLCD = 17,
};
constexpr int kKindCount = 18; // indices 0 to 17

// The kind shown in the left pane; set by ShowSimulation.
extern int32_t ActiveKind;

// Animation speed per kind, index = SimulationKind. Each step routine
// multiplies its elapsed time by Speeds[ActiveKind].
using SpeedTable = std::array<int32_t, kKindCount>;
extern SpeedTable Speeds;

// The speeds a first run starts with.
SpeedTable DefaultSpeeds();
