// Races on the sample circuit (track 10) in lockstep, for the race set-up,
// race frame and collision tests: the race start's own loading steps in a
// fresh game folder, then frames and ticks driven one by one, with the keys
// and control words the test gives.
#pragma once

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/tick.h"
#include "frontend/frontend_state.h"
#include "frontend/race_select.h"
#include "frontend/settings.h"
#include "net/net_state.h"
#include "platform/plat_keys.h"
#include "race/hud.h"
#include "race/race_frame.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/model_sets.h"
#include "render/render_state.h"
#include "track/asset_paths.h"
#include "track/collision.h"
#include "track/ground.h"
#include "track/track_files.h"
#include "track/track_state.h"

namespace race_track {

// Track `code` with `cars` cars, loaded as the race start loads it, in a
// game folder of its own (removed by Remove()); the race stands at GO.
inline std::string LoadTrack(int code, int cars) {
    const std::string dir = MakeTestGameFolder("track" + std::to_string(code), false, {code});
    // What other tests of the same process may have left.
    AppActive = 1;
    ExitRequested = 0;
    EditorOpen = 0;
    TickCarsHeld = 0;
    CollisionsOn = 1;
    PauseMenuOpen = 0;
    BackToMenusRequest = 0;
    RaceOver = 0;
    RecordsChanged = 0;
    LapsToRun = 3;
    for (int car = 0; car < MAX_CARS; car++) {
        LapsDone[car] = 0;
        motor[car] = 0;
        ManualGearbox[car] = 0;
    }
    FrontEndActive = 1;
    LoadSettings(0);
    CommandLine.track = code;
    PrepareRace();
    CommandLine.track = 0;
    FrontEndActive = 0;
    SplitScreen = 0;
    NetSessionOpen = 0;
    NetworkGame = 0;
    ReplayPlaying = 0;
    ReplayPlayback = 0;
    static const int models[8] = {0, 6, 1, 12, 2, 3, 5, 8};
    CarCount = cars;
    for (int car = 0; car < MAX_CARS; car++) {
        CarModel[car] = models[car];
        CarColour[car] = car % 4;
    }
    SetTrackFolder();   // the zones come from the track's own folder
    LoadZones();
    StartRace();
    ClearRaceObjectCounters();
    VertexTotal = 0;
    TriangleTotal = 0;
    LoadTrackData();
    TexturesReloading = 0;
    RacePhase = 0;
    PresentationRun = 0;
    PresentationCamera = 0;
    SceneReady = 1;
    TickResetPending = 0;
    StartStage = 3;
    for (unsigned char& key : KeyState)
        key = 0;
    return dir;
}

inline std::string LoadTrack10(int cars) { return LoadTrack(10, cars); }

inline void Remove(const std::string& dir) {
    if (!dir.empty())
        (void)system(("rm -rf '" + dir + "'").c_str());
}

// A test that races on a sample track: the keys released, the race closed
// and its folder removed after it, the quick race's track 10 selected again.
struct TrackRaceTest : ::testing::Test {
    std::string dir;
    void TearDown() override {
        for (unsigned char& key : KeyState)
            key = 0;
        SceneReady = 0;
        FrontEndActive = 1;
        TrackGroup = 1;
        TrackVariant = 0;
        TrackCode = 10;
        Remove(dir);
    }
};

// One frame of one tick: the frame's race update (the keys into the control
// words) and the countdown, then the tick, as the lockstep backend runs them.
inline void FrameAndTick() {
    LastFrameTicks = 1;
    UpdateRaceFrame();
    DrawRaceHudPanel(nullptr);
    GameTickCallback();
}

inline void Hold(int scan, bool down) { KeyState[scan] = down ? 0x80 : 0; }

struct Point {
    float x, z;
};

// The car's footprint as the collisions build it, from the tick's pose.
inline std::vector<Point> Footprint(int car) {
    BuildCarBoxes();
    std::vector<Point> corners;
    for (int k = 0; k < 4; k++)
        corners.push_back({CarFootprints[car][2 * k], CarFootprints[car][2 * k + 1]});
    return corners;
}

// How far point p lies inside the convex quad: its distance to the nearest
// edge, or 0 when outside.
inline float DepthInside(const std::vector<Point>& quad, Point p) {
    float area = 0.0f;
    for (int k = 0; k < 4; k++)
        area += quad[k].x * quad[(k + 1) % 4].z - quad[(k + 1) % 4].x * quad[k].z;
    const float sign = area > 0.0f ? 1.0f : -1.0f;
    float depth = 1.0e9f;
    for (int k = 0; k < 4; k++) {
        const Point a = quad[k], b = quad[(k + 1) % 4];
        const float length = std::hypot(b.x - a.x, b.z - a.z);
        const float d = sign * ((b.x - a.x) * (p.z - a.z) - (b.z - a.z) * (p.x - a.x)) / length;
        if (d <= 0.0f)
            return 0.0f;
        depth = std::fmin(depth, d);
    }
    return depth;
}

// The deepest corner of either car inside the other.
inline float Overlap(int a, int b) {
    const std::vector<Point> fa = Footprint(a), fb = Footprint(b);
    float deepest = 0.0f;
    for (Point p : fa)
        deepest = std::fmax(deepest, DepthInside(fb, p));
    for (Point p : fb)
        deepest = std::fmax(deepest, DepthInside(fa, p));
    return deepest;
}

// How far the point lies behind the walls it faces within `reach` (the
// deepest; negative: every one is in front, on the road side).
inline float DepthBehindWalls(Point p, float reach = 1500.0f) {
    float deepest = -1.0e9f;
    for (int i = 0; i < CollisionLineCount(); i++) {
        const CollisionLine& wall = CollisionLineTable[i];
        const float dx = wall.x2 - wall.x1, dz = wall.z2 - wall.z1;
        const float length = std::hypot(dx, dz);
        if (!(length > 0.0f))
            continue;
        const float along = ((p.x - wall.x1) * dx + (p.z - wall.z1) * dz) / length;
        if (along < 0.0f || along > length)
            continue;
        const float front = ((p.x - wall.x1) * -dz + (p.z - wall.z1) * dx) / length;
        if (std::fabs(front) > reach)
            continue;
        deepest = std::fmax(deepest, -front);
    }
    return deepest;
}

inline float HeightAboveGround(int car) { return SimPosY[car] - GroundHeight(SimPosX[car], SimPosZ[car], -1, 0); }

}  // namespace race_track
