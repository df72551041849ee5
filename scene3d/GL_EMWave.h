#pragma once
// The electromagnetic wave: a plane wave travelling along +x drawn as rows
// of field vectors, red for the electric field (along y) and blue for the
// magnetic field (along z), with a thin black line through the tips of each
// row. One half-wavelength segment (1.8 units) is built; five copies of it,
// every other one turned half about x, draw the rest of the three
// wavelengths, so updating the segment moves the whole wave.
#include <cstdint>

class TSceneNode;
class TMaterialLibrary;

// Children of the segment, in the order the update addresses them.
enum TEMWaveOrder : int32_t {
    emElectricShaft = 0,  // 0..9
    emMagneticShaft = 10, // 10..19
    emElectricEnvelope = 20,
    emMagneticEnvelope = 21,
    emElectricHead = 22,  // 22..31
    emMagneticHead = 32,  // 32..41
    emSegmentChildren = 42,
};

// Builds the wave under base (the 3D view's SceneBase) with materials of
// library by name, then sets it for phase 0.
void BuildEMWaveScene(TSceneNode &base, TMaterialLibrary &library);
// Sets every vector and both envelopes for the phase angle (degrees), inside
// one update of base. Does nothing when base does not hold the wave.
void UpdateEMWaveScene(TSceneNode &base, float angle);
