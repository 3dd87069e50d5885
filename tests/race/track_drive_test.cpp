// Drives on the sample circuit (track 10), frame and tick in lockstep, with
// the player's keys through the bindings of the sample settings, checked
// after every tick: straight up the start straight, into the wall, and two
// cars into each other.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "frontend/frontend_state.h"
#include "race/car_pose.h"
#include "race/race_state.h"
#include "render/bitmaps.h"
#include "render/dial_map.h"
#include "render/objects.h"
#include "render/polylist.h"
#include "render/render_state.h"
#include "render/scene_builder.h"
#include "race_track_util.h"

namespace {

using namespace race_track;

struct TrackDrive : TrackRaceTest {};

// The countdown from the race start: the cars settle on their springs
// while the engines are held, and the race opens at GO (stage 3).
void CountDownToGo() {
    StartStage = -1;
    CountdownTimer = 0;
    int ticks = 0;
    while (StartStage < 3 && ticks < 1000) {
        FrameAndTick();
        ticks++;
    }
    ASSERT_EQ(StartStage, 3);
    EXPECT_EQ(ticks, 4 * 61) << "four stages of 61 ticks";
}

// The texture numbers of a loaded object's triangles.
std::set<int> ObjectTextures(const char* name) {
    std::set<int> textures;
    const ObjectEntry& entry = ObjectEntries[FindObject(name)];
    const int first = entry.triangleOffset / (int)sizeof(ObjectTriangle);
    for (int t = first; t < first + entry.triangleCount && t < TriangleTotal; t++)
        textures.insert((int)(TrianglePool[t].texture & 0xFFFF));
    return textures;
}

// The screen x of every vertex of the view's polygons of the given textures,
// by its texture coordinates: a vertex of the object keeps them, one that
// the near plane cut gets new ones.
using Uv = std::pair<float, float>;
std::map<Uv, float> ScreenXByUv(const std::set<int>& textures) {
    const int end = BuildScene(0, 0);
    std::map<Uv, float> drawn;
    for (int c = 0; c < end; c += POLYGON_WORDS) {
        const ScreenPolygon& p = PolygonAt(c);
        if (!textures.count(p.slot))
            continue;
        for (const ScreenVertex& v : p.vertex)
            drawn[{v.u, v.v}] = v.sx;
    }
    return drawn;
}

// The least and the largest move across the screen of the vertices seen
// near the screen at both times, and how many there were.
struct Shifts {
    float least = 1e9f, largest = -1e9f;
    int count = 0;
};
Shifts ScreenShifts(const std::map<Uv, float>& before, const std::map<Uv, float>& after) {
    Shifts s;
    for (const auto& [uv, x] : after) {
        const auto it = before.find(uv);
        if (it == before.end() || std::fabs(x) > 1000.0f || std::fabs(it->second) > 1000.0f)
            continue;
        s.least = std::fmin(s.least, x - it->second);
        s.largest = std::fmax(s.largest, x - it->second);
        s.count++;
    }
    return s;
}

TEST_F(TrackDrive, TheSkyDriftsOverTheRaceWhileTheWorldStandsStill) {
    dir = LoadTrack10(1);
    const int keptKind = RenderKind, keptSky = SkyOption;
    RenderKind = 1;   // the sky object is drawn on the Direct3D path
    SkyOption = 1;
    const std::set<int> sky = ObjectTextures("CIELO"), world = ObjectTextures("MUNDO01");
    ASSERT_FALSE(sky.empty());
    // Car 0 stands on the grid: the camera settles behind it, then stays.
    for (int tick = 0; tick < 120; tick++)
        FrameAndTick();
    const float drift = SkyDrift;
    const auto skyBefore = ScreenXByUv(sky), worldBefore = ScreenXByUv(world);
    for (int tick = 0; tick < 1200; tick++)
        FrameAndTick();
    const auto skyAfter = ScreenXByUv(sky), worldAfter = ScreenXByUv(world);
    RenderKind = keptKind;
    SkyOption = keptSky;
    // The race preparation's rate, a tick at a time: 20 seconds turn the
    // sky by half of 0.257 radians.
    EXPECT_NEAR(SkyDrift - drift, 1200 * 0.00021428571f, 1e-4f);
    // Every vertex of the sky's horizon ring in sight moved the same way,
    // by some pixels; the world's stood.
    const Shifts skyMoved = ScreenShifts(skyBefore, skyAfter), worldMoved = ScreenShifts(worldBefore, worldAfter);
    ASSERT_GE(skyMoved.count, 4);
    ASSERT_GE(worldMoved.count, 3);
    EXPECT_GT(skyMoved.least, 10.0f) << "the sky turned";
    EXPECT_LT(std::fmax(std::fabs(worldMoved.least), std::fabs(worldMoved.largest)), 0.5f) << "the camera stood";
}

TEST_F(TrackDrive, TheCollisionObjectsAreFootprintQuadsFourVerticesAModel) {
    dir = LoadTrack10(4);
    ASSERT_GE(CollisionBoxBase, 0);
    for (int model = 0; model < 20; model++) {
        char name[16];
        snprintf(name, sizeof name, "COLI%02d", model);
        const ObjectEntry& entry = ObjectEntries[FindObject(name)];
        EXPECT_EQ(entry.vertexCount, 4) << name;
        EXPECT_EQ(entry.firstVertex, CollisionBoxBase + 4 * model) << name;
    }
    // Every car's footprint lies round the car: its body's width and
    // length, the car's centre well inside.
    FrameAndTick();
    for (int car = 0; car < CarCount; car++) {
        const std::vector<Point> quad = Footprint(car);
        const float a = std::hypot(quad[1].x - quad[0].x, quad[1].z - quad[0].z);
        const float b = std::hypot(quad[2].x - quad[1].x, quad[2].z - quad[1].z);
        EXPECT_GT(std::fmin(a, b), 200.0f) << car;
        EXPECT_GT(std::fmax(a, b), 600.0f) << car;
        EXPECT_GT(DepthInside(quad, {SimPosX[car], SimPosZ[car]}), 90.0f) << car;
    }
}

TEST_F(TrackDrive, OneCarHoldingAccelerateRunsStraightUpTheStartStraight) {
    dir = LoadTrack10(1);
    CountDownToGo();
    const float x0 = SimPosX[0], z0 = SimPosZ[0], h0 = SimHeading[0];
    Hold(SCAN_UP, true);
    for (int tick = 0; tick < 300; tick++) {
        FrameAndTick();
        SCOPED_TRACE(tick);
        ASSERT_LT(std::fabs(SimPosX[0] - x0), 100.0f);
        ASSERT_LT(std::fabs(SimHeading[0] - h0), 0.01f);
        ASSERT_GE(SimPosZ[0], z0 - 1.0f) << "never backwards";
        const float height = HeightAboveGround(0);
        ASSERT_GE(height, 60.0f);
        ASSERT_LE(height, 120.0f);
    }
    EXPECT_GE(SimPosZ[0] - z0, 10000.0f);
    EXPECT_LE(SimPosZ[0] - z0, 20000.0f);
}

TEST_F(TrackDrive, SteeringIntoTheWallNeverTakesTheCarThroughIt) {
    dir = LoadTrack10(1);
    CountDownToGo();
    Hold(SCAN_UP, true);
    int touched = 0;
    float deepestCorner = -1.0e9f;
    for (int tick = 0; tick < 900; tick++) {
        // A turn towards the right-hand wall, then right held against it.
        Hold(SCAN_RIGHT, (tick >= 60 && tick < 90) || SimPosX[0] > 63000.0f);
        FrameAndTick();
        SCOPED_TRACE(tick);
        ASSERT_LE(DepthBehindWalls({SimPosX[0], SimPosZ[0]}), 0.0f) << "the centre lies behind a wall";
        for (Point corner : Footprint(0)) {
            const float depth = DepthBehindWalls(corner);
            deepestCorner = std::fmax(deepestCorner, depth);
            ASSERT_LE(depth, 25.0f);
        }
        touched += WallContactA[0] | WallContactB[0];
        ASSERT_TRUE(std::isfinite(SimPosX[0]) && std::isfinite(SimPosZ[0]));
    }
    EXPECT_GT(touched, 0) << "the drive never reached a wall";
    EXPECT_GT(deepestCorner, -50.0f) << "a corner came within 50 of a wall";
}

// Car 0 on player 1's keys, car 1 on player 2's (split screen keeps the
// computer driver off it), released after `drive` ticks; the cars must never be deep inside each other, car 1 must stay on
// its side of car 0 (`side` gives the axis), and 60 ticks after the release
// they stand apart.
void DriveIntoEachOther(float x1, float z1, float heading1, Point side, int drive, bool car0Drives) {
    SimPosX[1] = x1;
    SimPosZ[1] = z1;
    SimHeading[1] = HeadingAccum[1] = CarHeading[1] = heading1;
    cocheX[1] = x1;
    cocheZ[1] = z1;
    CarBodies[1].x = x1;
    CarBodies[1].z = z1;
    const auto sideOf = [&]() {
        return (SimPosX[1] - SimPosX[0]) * side.x + (SimPosZ[1] - SimPosZ[0]) * side.z;
    };
    ASSERT_GT(sideOf(), 0.0f);
    float deepest = 0.0f;
    int met = 0;
    SplitScreen = 1;
    for (int tick = 0; tick < drive + 60; tick++) {
        const bool driving = tick < drive;
        Hold(SCAN_UP, driving && car0Drives);
        Hold(0x11, driving);   // W: player 2 accelerates
        FrameAndTick();
        SCOPED_TRACE(tick);
        const float overlap = Overlap(0, 1);
        deepest = std::fmax(deepest, overlap);
        ASSERT_LE(overlap, 40.0f);
        ASSERT_GT(sideOf(), 0.0f) << "the cars swapped sides";
        met += CarCrashKind[0] != 0;
    }
    EXPECT_GT(met, 0) << "the cars never met";
    EXPECT_EQ(Overlap(0, 1), 0.0f) << "still inside each other 60 ticks after the release";
}

TEST_F(TrackDrive, CarsDrivenHeadOnStayApart) {
    dir = LoadTrack10(2);
    // Car 1 faces car 0 from 4,000 up the straight.
    DriveIntoEachOther(SimPosX[0], SimPosZ[0] + 4000.0f, 3.14159265f, {0.0f, 1.0f}, 200, true);
}

TEST_F(TrackDrive, ACarDrivenIntoAnothersSideStaysOnItsSide) {
    dir = LoadTrack10(2);
    // Car 1 comes across the road from the left into the side of car 0.
    DriveIntoEachOther(SimPosX[0] - 2500.0f, SimPosZ[0], 3.14159265f / 2.0f, {-1.0f, 0.0f}, 150, false);
}

// Each track's map is drawn through the window the HUD puts the cars' dots
// in: every car's dot on the grid falls on the road the map shows (a
// window of the wrong scale or offset puts the grid beside it or off it).
TEST_F(TrackDrive, EachCarsMapDotFallsOnTheMapsRoad) {
    for (int code : {10, 20, 30, 55, 60, 70, 79}) {
        SCOPED_TRACE(code);
        Remove(dir);
        dir = LoadTrack(code, code == 55 ? 2 : 4);
        const MapPlacement window = TrackMapPlacement(code);
        char path[64];
        snprintf(path, sizeof path, "ArtWork\\Extras\\S-Boards\\%04d.bmp", TrackMapTexture(code, code / 10));
        BmpImage map;
        ASSERT_EQ(LoadBitmapFromVfs(path, &map), 1) << path;
        for (int car = 0; car < CarCount; car++) {
            const int px = (int)std::floor(cocheX[car] / window.divisor + 2.0f) + window.offsetX;
            const int py = (int)std::floor(126.0f - cocheZ[car] / window.divisor) + window.offsetY;
            ASSERT_TRUE(px >= 0 && px < map.width && py >= 0 && py < map.height) << "car " << car << " off the map";
            // The map draws the guide line; the grid spreads across the road
            // some 2,000 units (under 4 pixels) either side of it.
            int road = 0;
            for (int y = std::max(py - 4, 0); y <= std::min(py + 4, map.height - 1); y++)
                for (int x = std::max(px - 4, 0); x <= std::min(px + 4, map.width - 1); x++)
                    road += BmpPixelRgb(map, x, y) != 0u;
            EXPECT_GT(road, 0) << "car " << car << " beside the road at " << px << "," << py;
        }
    }
}

}  // namespace

