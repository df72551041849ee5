#pragma once
// The electromagnetic wave: a plane wave travelling along +x drawn as rows
// of field vectors, red for the electric field (along y) and blue for the
// magnetic field (along z), with a thin black line through the tips of each
// row. One half-wavelength segment (1.8 units) is built; five copies of it,
// every other one turned half about x, draw the rest of the three
// wavelengths, so updating the segment moves the whole wave.
#include <cstdint>

class SceneNode;
class MaterialLibrary;

namespace EmWaveScene {

// Children of the segment, in the order the update addresses them.
enum Child : int32_t {
    ElectricShaft = 0,  // 0..9
    MagneticShaft = 10, // 10..19
    ElectricEnvelope = 20,
    MagneticEnvelope = 21,
    ElectricHead = 22,  // 22..31
    MagneticHead = 32,  // 32..41
    SegmentChildren = 42,
};

// Builds the wave under base (the 3D view's scene base) with materials of
// library by name, then sets it for phase 0.
void build(SceneNode &base, MaterialLibrary &library);
// Sets every vector and both envelopes for the phase angle (degrees), inside
// one update of base. Does nothing when base does not hold the wave.
void update(SceneNode &base, float angle);

} // namespace EmWaveScene
