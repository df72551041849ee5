#pragma once
// The table of SimulationKinds: what the left pane shows for each kind.
// Adding a model is one entry in KindsTable.cpp.
#include <QString>
#include <functional>

class SimulationWindow;
class SceneNode;
class MaterialLibrary;

// How the left pane is laid out for a kind.
enum class PaneMode { Window, Movie, View3D, MovieOver3D };

struct KindEntry {
    int kind = 0;
    PaneMode mode = PaneMode::Window;
    // The course page that opens this kind, as its file name in capitals.
    QString page;
    // The "Graph" menu (chart windows) and the "Speed" menu are shown.
    bool graphMenu = false;
    bool speedMenu = false;
    // The Graph menu offers "Show X hair cursor" (chart windows that read
    // values off their chart).
    bool crossHair = false;
    // Window kinds: creates the simulation window (no parent, hidden).
    std::function<SimulationWindow *()> createWindow;
    // Movie kinds: the movie file, relative to the executable's folder.
    QString movie;
    // 3D kinds: builds the scene under the 3D view's base node.
    std::function<void(SceneNode &base, MaterialLibrary &library)> buildScene;
    // 3D kinds: sets the built scene for an angle in degrees (the clock's
    // angle for kind 15, the scroll bar's position for both).
    std::function<void(SceneNode &base, float angle)> updateScene;
};

// The entry for `kind` (1 to 17), or null for any other number.
const KindEntry *findKind(int kind);

// Tests replace an entry (for example with a window of their own) and put
// the table back afterwards.
void overrideKindForTesting(const KindEntry &info);
void restoreKindsForTesting();

// Kinds whose window has a toolbar: the window mode.
bool isWindowKind(int kind);
// Kinds with the "Graph" menu.
bool hasGraphMenu(int kind);
// Kinds with the "Speed" menu.
bool hasSpeedMenu(int kind);
// Kinds whose Graph menu offers the cross-hair.
bool hasCrossHair(int kind);
// The kind whose page has this file name (compared in capitals); 0 for none.
int kindOfPageFile(const QString &upperFileName);
