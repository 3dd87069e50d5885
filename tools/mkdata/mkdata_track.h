// The sample tracks' roads: a closed loop (straights joined by circular
// bends at the corners of a polygon) with its world object, walls, zones,
// driving lines, lights, and the grids and shading files made by the game's
// own builders.  The jump and arena tracks reuse the path and the writer.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct MkObject;

// One corner of a loop's polygon, as an offset from the circuit's grid
// point.  The centre line rounds it on a circle of `radius`; `hill` raises
// the straight that leaves the corner by that much at its middle.
struct MkCorner {
    float x, z;
    float radius;
    float hill = 0.0f;
};

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
    // The loop's polygon in driving order, the grid on the edge from corner
    // 0 to corner 1; empty: the stadium of the fields above (two straights
    // and two half circles).
    std::vector<MkCorner> corners = {};
    int vergeType = 4;         // zone type of the verges: 4 grass, 9 sand
    int roadType = 0;          // zone type over the road: 0 none (asphalt), 3 dirt
    float guideAhead = 0.0f;   // guide point 0 this far ahead of the grid point (0: the straight's start)
    // Driving-line points from `fixedFrom` on at these distances from the
    // grid point (increasing); the other points spread evenly over the rest
    // of the loop.  Empty: every point evenly from guideAhead.
    std::vector<float> fixedPoints = {};
    int fixedFrom = 0;
    float lightsFrom = -1.0f, lightsTo = -1.0f;   // a covered stretch (CAJA_FAROS), by distance from the grid point
    float waterFrom = -1.0f, waterTo = -1.0f;     // water (CAJA_AGUA) on the outer verge, likewise
    // A jump: where the loop first crosses z = lipZ driving north, the road
    // climbs rampHeight over rampLength and drops to the ground again; the
    // ramp and the straight beyond it lie in a jump zone (CAJA_SALTO).
    float lipZ = 0.0f;
    float rampLength = 8000.0f, rampHeight = 1200.0f;
    int checkpoints = 1;       // the lap logic's checkpoint zones
    // An arena: a flat floor over x0..x1, z0..z1 at groundY, walled round;
    // the loop is then only the course over it (no walls of its own).
    float floorX0 = 0.0f, floorZ0 = 0.0f, floorX1 = 0.0f, floorZ1 = 0.0f;
};

// One circuit per track group, variant 0; the group 1 circuit (track 10)
// fits the starting grid and start pose the race sets up for that group.
const MkCircuitParams& MkCircuitForGroup(int group);

// The same loop driven the other way, from a grid at (gridX, gridZ).
MkCircuitParams MkReversed(const MkCircuitParams& params, int variant, float gridX, float gridZ,
                           float finishAhead);

// A point of the sampled centre line.
struct MkRing {
    double x, z, y;
    double heading;
    double s;              // distance along the centre line from the start of the first straight
    double bend;           // 0..1 through a bend, -1 on the straights
    int bendSign;          // +1 turning toward a growing heading, -1 the other way, 0 straight
};

// The centre line of a loop, closed: the last ring repeats the first.
struct MkPath {
    std::vector<MkRing> rings;
    int segments = 0;
    double length = 0.0;
    double gridS = 0.0;    // the grid point's distance along the line
    double lipS = -1.0;    // the jump's take-off edge (two rings: its top, then its foot)
    double landingEnd = -1.0;   // the end of the straight beyond it
};

// Samples the loop's centre line; false (with a message) when the corners
// leave no room for their bends.
bool MkSampleLoop(const MkCircuitParams& params, MkPath& path);

// Builds the circuit into the game's track tables and pools (TrackGroup and
// TrackVariant become the circuit's); false when it leaves the grids.
bool MkBuildCircuit(const MkCircuitParams& params, MkObject& world);

// Builds, runs the builders and writes every file of the track folder,
// then empties the pools and restores the race selection.
bool MkMakeCircuit(const MkCircuitParams& params);

// Runs `build` and then puts the track group, variant, code, asset folder
// and object pools back as they were.
bool MkKeepingTrackState(const std::function<bool()>& build);

// A folder holding only this circuit, made as MakeGameFolder makes the game
// folder (for trying the validator on a changed track); with looseTracks the
// BIN files are plain files, as the track editors need them.
bool MkMakeCircuitFolder(const std::string& outDir, const MkCircuitParams& params, bool looseTracks = false);

// ---------------------------------------------------------------------------
// Shared by the other kinds of track (mkdata_jump.cpp, mkdata_arena.cpp).

// The world object becomes the first and only object in the pools, as the
// race loads it ("MUNDO%02d").
void MkPlaceWorldInPools(int group, const MkObject& world);
// Driving lines 0-3 from the centre line: `count` points, each the ring at
// distance first + k x length / count along the loop; the driving lines cut
// the bends.  Line 4 gets cameras outside the bends.
void MkBuildLines(const MkPath& path, double firstS, int count, double outside);
// The distances of `count` points with points fixedFrom.. at gridS + the
// fixed offsets and the rest evenly over the remaining loop.
std::vector<double> MkFixedLineDistances(const MkPath& path, const std::vector<float>& fixed, int fixedFrom,
                                         int count);
// Guide-line point k at distances[k] along the loop (wrapping): lines 0-3
// all on the centre line's point at that distance.
void MkBuildLinesAt(const MkPath& path, const std::vector<double>& distances, double outside);
// Lights high above the ring points, every path.segments / count rings.
void MkBuildLights(const MkPath& path, int count, double outside);
// A zone over rings first..last between two lateral offsets.
struct ZoneRecord;
void MkStripZone(ZoneRecord& zone, const MkPath& path, int first, int last, double inner, double outer, int type);
// The ring at distance s along the loop (wrapping).
int MkRingAt(const MkPath& path, double s);
// Runs the builders and writes the BIN folder and the world object.
bool MkWriteTrackFiles(int group, int variant, const MkObject& world);
// A quad p0 p1 p2 p3 (around its edge) facing `view`, its texture laid
// once over it (coordinates 0..1).
void MkAddQuad(MkObject& world, const int p[4], const double view[3], unsigned textureWord);
int MkAddVertex(MkObject& world, double x, double y, double z);

// ---------------------------------------------------------------------------
// Every track the menus can start (mkdata_tracks.cpp, RaceTrackCodes).
// The BIN files go out as plain files (MkOptions::looseTracks) while set.
extern bool LooseTrackFiles;
// The loop of a track code, as its folder is made of it.
MkCircuitParams MkTrackParams(int code);
// One track's folder: its world, tables, scenery, sky and map; false (with a
// message) when its loop cannot be laid.
bool MkMakeTrack(int code);
