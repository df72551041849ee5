#pragma once
// Polarisation by a polariser and an analyser. Light travels along +x:
// unpolarised light (two perpendicular sine waves) reaches the polariser at
// x = -3.6 and leaves it oscillating in the xy plane; the analyser at x = 0
// is turned by the learner, and behind it the wave is turned with it and its
// amplitude multiplied by |cos angle| (Malus's law for the amplitude). The
// analyser's window darkens as less light passes.
//
// The scene has no clock: it changes only when the angle is set.
//
// Sense of the angle: a positive angle turns the analyser, its window and
// the wave behind it from +y towards -z, that is clockwise for someone who
// looks back at the analyser from where the light goes (the default camera
// stands there) and anticlockwise seen along the direction of travel. The
// wave group and the window get pitch = angle, the frame roll = -angle; with
// the scene graph's conventions (pitch lifts +z towards +y, roll tips +y
// towards -x) all three are the same turn about +x.
#include <cstdint>

class SceneNode;
class MaterialLibrary;

namespace PolarisationScene {

// Children of the scene's base node, in the order the update addresses them.
enum Child : int32_t {
    AnalysedWave = 0,     // group: the analysed tube and a copy of it at x = 1.8
    PolarisedWave = 1,    // tube at x = -3.6
    PolarisedCopy = 2,    // copy of 1 keeping its placement, at x = -1.8
    UnpolarisedXy = 3,    // copies of 1 at x = -5.4 and -7.2
    UnpolarisedXz = 5,    // the same, turned a quarter about x
    Axis = 7,             // black line along the direction of travel
    AnalyserFrame = 8,    // extruded square ring, x = -0.1 .. 0.1
    PolariserFrame = 9,   // copy of 8 at x = -3.6
    PolariserWindow = 10, // translucent square, x = -3.6
    AnalyserWindow = 11,  // square with its own material, x = 0
    ChildCount = 12,
};

// Builds the scene under base (the 3D view's sceneBase) with materials of
// library by name. The result is the state for angle 0.
void build(SceneNode &base, MaterialLibrary &library);
// Turns the analyser to angle (degrees, -90 to 90), inside one update of
// base. Does nothing when base does not hold the scene.
void update(SceneNode &base, float angle);

} // namespace PolarisationScene
