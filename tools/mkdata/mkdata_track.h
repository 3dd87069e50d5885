// The sample circuits: a closed loop (two straights joined by two half
// circles) with its world object, walls, zones, driving lines, lights, and
// the grids and shading files made by the game's own builders.
#pragma once

#include <string>

struct MkObject;

struct MkCircuitParams {
    int group;                 // track group 1..7
    int variant;               // 0..7
    float gridX, gridZ;        // a centre-line point among the starting grid
    float groundY;             // road height at the grid
    float heading;             // driving direction on the start straight
    float straightBehind;      // start straight behind the grid point
    float straightAhead;       // and ahead of it
    float radius;              // bend radius of the centre line
    int turn;                  // +1: the bends turn toward a growing heading, -1 the other way
    float hill;                // height of the hill along the back straight
    float finishAhead;         // the finish line lies this far ahead of the grid point
    float roadHalfWidth = 3500.0f;
    float vergeWidth = 2000.0f;
    float wallHeight = 700.0f;
    int reverseWall = -1;      // a collision line written back to front (to try the validator)
};

// One circuit per track group, variant 0; the group 1 circuit (track 10)
// fits the starting grid and start pose the race sets up for that group.
const MkCircuitParams& MkCircuitForGroup(int group);

// Builds the circuit into the game's track tables and pools (TrackGroup and
// TrackVariant become the circuit's); false when it leaves the grids.
bool MkBuildCircuit(const MkCircuitParams& params, MkObject& world);

// Builds, runs the builders and writes every file of the track folder,
// then empties the pools and restores the race selection.
bool MkMakeCircuit(const MkCircuitParams& params);

// A folder holding only this circuit, made as MakeGameFolder makes the game
// folder (for trying the validator on a changed track); with looseTracks the
// BIN files are plain files, as the track editors need them.
bool MkMakeCircuitFolder(const std::string& outDir, const MkCircuitParams& params, bool looseTracks = false);
