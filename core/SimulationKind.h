#pragma once
// State shared by the whole program: which model the left pane shows and the
// animation speed of every model.
#include <array>
#include <cstdint>

// SimulationKind: 1 to 17 names what the left pane shows; 0 = nothing yet.
enum SimulationKind : int32_t {
    NoKind = 0,
    DoubleSlitKind = 1,
    MultipleSlitsKind = 2,
    GratingKind = 3,
    TransverseLongitudinalKind = 4,
    ToneKeyboardKind = 5,
    StandingWavesKind = 6,
    SpeedOfSoundKind = 7,
    SuperpositionKind = 8,
    DampedOscillatorKind = 9,
    GammaAbsorptionKind = 10,
    AuxiliaryCircleKind = 11,
    RippleTankKind = 12,
    HydrogenSpectrumKind = 13,
    ResonanceKind = 14,
    EmWaveKind = 15,
    PolarisationKind = 16,
    LiquidCrystalKind = 17,
};
constexpr int kKindCount = 18; // indices 0 to 17

// The kind shown in the left pane (0 before the first model); the host sets
// it when it switches the pane.
int32_t activeKind();
void setActiveKind(int32_t kind);

// Animation speed per kind, index = SimulationKind, as the Speed dialog and
// the "Speeds" setting keep them. Each step routine multiplies its elapsed
// time by the speed of the active kind.
using SpeedTable = std::array<int32_t, kKindCount>;
SpeedTable &animationSpeeds();
// The speed of the active kind; 1 when no kind is active.
int32_t activeSpeed();

// The speeds a first run starts with.
SpeedTable defaultAnimationSpeeds();
