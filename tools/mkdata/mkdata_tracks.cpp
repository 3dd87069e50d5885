// Every track the menus can start: one folder per track code, each a loop
// laid through the places the race set-up puts its cars on.
//
// The circuits run their start straight through the code's grid (and the
// group's start pose when the code starts from the group's own grid); the
// JUMP events run from car 0's pose north over a ramp whose edge lies on
// the take-off line; the arena events lay their course over a walled floor;
// the two-car sprint and the special race start from their own poses.

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "mkdata.h"
#include "mkdata_objects.h"
#include "mkdata_scenery.h"
#include "mkdata_track.h"
#include "mkdata_track_art.h"
#include "race/car_setup.h"
#include "race/presentation.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/dial_map.h"
#include "render/objects.h"
#include "render/textures.h"
#include "track/asset_paths.h"
#include "track/track_state.h"


namespace {

const double Pi = 3.14159265358979323846;
const float JumpTakeOffZ = 158812.0f;
// The JUMP loops turn at this z, far enough past the take-off line that a
// car flying 50 units still lands on the straight's jump zone.
const double JumpNorthZ = 188000.0;

// The start poses' headings of groups 1..7 (the race set-up's).
const float GroupHeading[8] = {0.0f, 0.0f, -1.0f, -0.133981f, 0.0f, 0.0f, 0.0f, -0.12f};

int IsReversed(int code) {
    return code == 12 || code == 13 || code == 22 || code == 23 || code == 65 || code == 66 || code == 69 ||
           code == 76;
}

struct Point2 {
    double x, z;
};

// The places a code's race puts its cars on, and their heading.
void StartPlaces(int code, std::vector<Point2>& places, float* y, double* heading) {
    const int group = code / 10, variant = code % 10;
    *heading = GroupHeading[group] + (IsReversed(code) ? Pi : 0.0);
    places.clear();
    if (code == 67) {
        places.push_back({31000, 13000});
        *y = 84.0f;
        return;
    }
    if (code == 55) {
        places = {{23432, 54383}, {24999, 54401}};
        *y = 95.0f;
        return;
    }
    if (group == 5) {
        places.push_back({30904, 37586});
        *y = 0.0f;
        return;
    }
    if (group == 4) {
        if (variant == 0)
            places.push_back({47404, 85569}), *heading = -0.7;
        else if (variant == 3 || variant == 4)
            places.push_back({78393.97, 41801.65}), *heading = -2.35249;
        else
            places.push_back({50612, 57110}), *heading = 0.0;
        *y = 60.0f;
        return;
    }
    float x, z, gy = 0.0f;
    for (int place = 0; place < MAX_CARS; place++) {
        GridPlacePosition(code, place, &x, &gy, &z);
        places.push_back({x, z});
        *y = gy;
    }
    if (GridLayoutOf(code) == group) {
        StartPosePosition(group, &x, &z);
        places.push_back({x, z});
    }
}

// A stadium loop whose start straight carries every place: the centre line
// runs through the middle of their spread across the heading.
MkCircuitParams LoopThrough(int code, const std::vector<Point2>& places, float y, double heading, int turn) {
    const double fx = sin(heading), fz = cos(heading), rx = cos(heading), rz = -sin(heading);
    double minA = 1e9, maxA = -1e9, minL = 1e9, maxL = -1e9;
    for (const Point2& p : places) {
        const double a = p.x * fx + p.z * fz, l = p.x * rx + p.z * rz;
        minA = fmin(minA, a), maxA = fmax(maxA, a), minL = fmin(minL, l), maxL = fmax(maxL, l);
    }
    const double mid = (minL + maxL) * 0.5;
    MkCircuitParams p = MkCircuitForGroup(code / 10);
    p.corners.clear();
    p.group = code / 10;
    p.variant = code % 10;
    p.gridX = (float)(maxA * fx + mid * rx);
    p.gridZ = (float)(maxA * fz + mid * rz);
    p.groundY = y;
    p.heading = (float)heading;
    p.straightBehind = (float)(maxA - minA) + 6000.0f;
    p.straightAhead = 14000.0f;
    p.radius = 11000.0f;
    p.turn = turn;
    p.hill = 0.0f;
    p.finishAhead = 4000.0f;
    p.roadHalfWidth = (float)fmax(3500.0, (maxL - minL) * 0.5 + 1800.0);
    p.vergeWidth = 1500.0f;
    return p;
}

// The JUMP events: from car 0's pose a polygon that turns north and runs
// over the ramp, whose edge lies on the take-off line.
MkCircuitParams JumpLoop(int code, const Point2& pose, double heading) {
    std::vector<Point2> one = {pose};
    MkCircuitParams p = LoopThrough(code, one, 60.0f, heading, 1);
    const double fx = sin(heading), fz = cos(heading);
    const double x0 = pose.x - 6000 * fx, z0 = pose.z - 6000 * fz;
    const double x1 = pose.x + 8000 * fx, z1 = pose.z + 8000 * fz;
    std::vector<MkCorner> corners;
    auto add = [&](double x, double z, float r) { corners.push_back({(float)(x - p.gridX), (float)(z - p.gridZ), r}); };
    if (fz > 0.9) {
        // Already facing north: straight on to the top.
        p.straightBehind = 8000.0f;
        p.straightAhead = (float)(JumpNorthZ - 6000.0 - pose.z);
        p.radius = 9000.0f;
        p.turn = -1;
    } else if (fx < 0 && fz > 0) {
        // North-west: the road bends north at once.
        add(x0, z0, 8000);
        add(x1, z1, 8000);
        add(x1, JumpNorthZ, 8000);
        add(x1 + 26000, JumpNorthZ, 8000);
        add(x1 + 26000, z0 - 4000, 8000);
    } else {
        // South-west: round to the west and then north.
        add(pose.x - 4000 * fx, pose.z - 4000 * fz, 7000);
        add(x1, z1, 7000);
        add(50000, z1 - 6000, 8000);
        add(50000, JumpNorthZ, 8000);
        add(80000, JumpNorthZ, 8000);
        add(80000, pose.z + 12000, 7000);
    }
    p.corners = corners;
    p.lipZ = JumpTakeOffZ;
    p.rampLength = 6000.0f;
    p.rampHeight = 900.0f;
    p.finishAhead = 3000.0f;
    return p;
}

// The cars start on the driving lines' first stretch, aiming at point 1:
// point 0 lies behind the last place and point 1 ahead of the first, so no
// car turns back to a point behind it, and each one's guide distance
// starts at its place on the grid.
void LineThroughPlaces(MkCircuitParams& p, const std::vector<Point2>& places) {
    const double fx = sin(p.heading), fz = cos(p.heading);
    double back = 0.0, front = 0.0;
    for (const Point2& q : places) {
        const double a = (q.x - p.gridX) * fx + (q.z - p.gridZ) * fz;
        back = fmin(back, a), front = fmax(front, a);
    }
    p.fixedPoints = {(float)(back - 800.0), (float)(front + 1500.0)};
    p.fixedFrom = 0;
}

// The two-car sprint: its loop runs north from the two places past the
// finish point, which the race checks while car 0 is at guide points 50-53;
// both cars start at point 48.
const Point2 SprintFinish = {25803.0, 68000.0};

MkCircuitParams SprintLoop(std::vector<Point2> places, float y, double heading, int turn) {
    places.push_back(SprintFinish);
    MkCircuitParams p = LoopThrough(55, places, y, heading, turn);
    // The grid point is the finish point's distance along the straight.
    const double fx = sin(heading), fz = cos(heading);
    const float start = (float)((places[0].x - p.gridX) * fx + (places[0].z - p.gridZ) * fz);
    p.fixedPoints = {start - 100.0f, start * 0.5f, -600.0f, -200.0f, 200.0f, 600.0f};
    p.fixedFrom = 48;
    return p;
}

MkCircuitParams ParamsFor(int code, int turn) {
    std::vector<Point2> places;
    float y = 0.0f;
    double heading = 0.0;
    StartPlaces(code, places, &y, &heading);
    if (code / 10 == 4) {
        MkCircuitParams p = JumpLoop(code, places[0], heading);
        LineThroughPlaces(p, places);
        return p;
    }
    if (code == 55)
        return SprintLoop(places, y, heading, turn);
    MkCircuitParams p = LoopThrough(code, places, y, heading, turn);
    // Group 1's codes share the group's own loop, 12 and 13 driving it the
    // other way from their grid.
    if (code == 10 || code == 11 || code == 15) {
        MkCircuitParams own = MkCircuitForGroup(1);
        own.variant = code % 10;
        LineThroughPlaces(own, places);
        return own;
    }
    if (code == 12 || code == 13) {
        const MkCircuitParams& own = MkCircuitForGroup(1);
        MkCircuitParams reversed = MkReversed(own, code % 10, own.gridX, p.gridZ, own.finishAhead);
        LineThroughPlaces(reversed, places);
        return reversed;
    }
    const int group = code / 10;
    if (group == 6)
        p.roadType = 3;   // dirt
    if (group == 7)
        p.vergeType = 9;  // sand
    if (code == 20)
        p.lightsFrom = 20000.0f, p.lightsTo = 26000.0f;   // CAJA_FAROS
    if (group == 7)
        p.waterFrom = 30000.0f, p.waterTo = 36000.0f;
    if (code == 67) {
        // Car 0 alone near the grid's southern edge: the loop runs north.
        p.straightBehind = 200.0f;
        p.straightAhead = 30000.0f;
        p.radius = 5000.0f;
        p.roadHalfWidth = 2500.0f;
    }
    if (code == 79)
        p.guideAhead = 1500.0f;   // path point 0 just ahead of the grid
    else
        LineThroughPlaces(p, places);
    if (group == 5 && code != 55) {
        // The arena: a course north from car 0's start over a walled floor.
        p.straightBehind = 12000.0f;
        p.straightAhead = 44000.0f;
        p.radius = 4000.0f;
        p.turn = -1;
        p.roadHalfWidth = 2500.0f;
        p.vergeWidth = 500.0f;
        p.wallHeight = 0.0f;
        p.floorX0 = 19000.0f, p.floorX1 = 42000.0f, p.floorZ0 = 20000.0f, p.floorZ1 = 92000.0f;
    }
    return p;
}

// The loop turns toward the middle of the world, where the grids leave it
// the most room.
int RoomySide(int code) {
    std::vector<Point2> places;
    float y;
    double heading;
    StartPlaces(code, places, &y, &heading);
    const double rx = cos(heading), rz = -sin(heading);
    return (80000.0 - places[0].x) * rx + (100000.0 - places[0].z) * rz >= 0 ? 1 : -1;
}

// The fly-by sets written so far: a set is flown along its own code's
// guide line, or the first code built that shares it.
bool PresentSetDone[PRESENTATION_SETS];

bool WriteTrack(int code) {
    const bool ok = MkKeepingTrackState([code] {
        MkObject world;
        const MkCircuitParams params = MkTrackParams(code);
        if (!MkBuildCircuit(params, world) || !MkWriteTrackFiles(params.group, params.variant, world))
            return false;
        const int set = PresentationSetFor(code);
        if (set == code || !PresentSetDone[set]) {
            MkPresentationSet(set);
            PresentSetDone[set] = true;
        }
        MkSceneryPlace place = {};
        place.centreX = params.gridX;
        place.centreZ = params.gridZ;
        place.groundY = params.groundY;
        place.waterX0 = params.gridX - 200000.0f, place.waterX1 = params.gridX + 200000.0f;
        place.waterZ0 = params.gridZ - 200000.0f, place.waterZ1 = params.gridZ + 200000.0f;
        // The map is drawn through the window the HUD puts the cars' dots in.
        const int map = TrackMapTexture(TrackCode, TrackGroup);
        const MapPlacement window = TrackMapPlacement(code);
        return MkWriteScenery(code, place) && MkWriteArtSet(code / 10, code % 10) &&
               (map == 0 || MkWriteTrackMap(map, window.divisor, window.offsetX, window.offsetY));
    });
    if (!ok)
        fprintf(stderr, "mkdata: cannot make track %d\n", code);
    return ok;
}

}  // namespace

MkCircuitParams MkTrackParams(int code) { return ParamsFor(code, RoomySide(code)); }

bool MkMakeTrack(int code) { return WriteTrack(code); }

bool MakeTrackData(const MkOptions& options) {
    std::vector<int> codes = options.trackCodes;
    if (codes.empty())
        codes.assign(RaceTrackCodes, RaceTrackCodes + RACE_TRACK_CODES);
    int groupsDone[8] = {};
    for (bool& done : PresentSetDone)
        done = false;
    LooseTrackFiles = options.looseTracks != 0;
    bool ok = true;
    for (int code : codes) {
        const int group = code / 10;
        ok = group >= 1 && group <= 7 && (groupsDone[group] || MkWriteGroupArt(group)) && WriteTrack(code);
        if (!ok)
            break;
        groupsDone[group] = 1;
    }
    LooseTrackFiles = false;
    return ok;
}
