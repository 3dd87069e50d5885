// An arena event on its sample track, frame and tick in lockstep: car 0
// holding accelerate from the start knocks the cone on its start straight,
// and the time limit then stands 5 s below a race without input; the cone
// leaves its mark on the floor, and a car crushed under car 0 smokes.

#include <gtest/gtest.h>

#include <cmath>

#include "frontend/frontend_state.h"
#include "race/race_state.h"
#include "race/race_test_util.h"
#include "render/polylist.h"
#include "render/render_state.h"
#include "render/scene_builder.h"
#include "race_track_util.h"

namespace {

using namespace race_track;

struct ArenaRace : TrackRaceTest {};

int SecondsLeft() { return TimeLeft.minutes * 60 + TimeLeft.seconds; }

// Code 50 for `ticks` ticks from GO, accelerating or not; the seconds left.
int RunCode50(int ticks, bool accelerate, std::string& dir) {
    dir = LoadTrack(50, 3);
    EXPECT_EQ(ArenaCounts[ARENA_CONES], 21);
    Hold(SCAN_UP, accelerate);
    for (int tick = 0; tick < ticks; tick++)
        FrameAndTick();
    Hold(SCAN_UP, false);
    return SecondsLeft();
}

struct ArenaEffects : TrackRaceTest {
    int keptEffects = EffectsEnabled;
    void SetUp() override { EffectsEnabled = 1; }
    void TearDown() override {
        EffectsEnabled = keptEffects;
        TrackRaceTest::TearDown();
    }
};

TEST_F(ArenaEffects, AKnockedConeLeavesAGroundSpriteWhereItStood) {
    dir = LoadTrack(50, 3);
    const float x = ConeProps[0].x, y = ConeProps[0].y, z = ConeProps[0].z;
    Hold(SCAN_UP, true);
    for (int tick = 0; tick < 900 && !ConeStates[0].moving && !ConeStates[0].done; tick++)
        FrameAndTick();
    Hold(SCAN_UP, false);
    ASSERT_TRUE(ConeStates[0].moving || ConeStates[0].done) << "the cone was knocked";
    int marks = 0;
    for (const GroundSprite& sprite : GroundSpritePool) {
        if (!sprite.inUse)
            continue;
        marks++;
        EXPECT_EQ(sprite.kind, 2014);
        EXPECT_EQ(sprite.life, 120) << "the scene builder ages it, not the frame";
        EXPECT_NEAR(sprite.x, x, 4.0f);
        EXPECT_EQ(sprite.y, y);
        EXPECT_NEAR(sprite.z, z, 4.0f);
    }
    EXPECT_EQ(marks, 1);
    // The scene builder draws it with the effects on, on the Direct3D path.
    const int keptKind = RenderKind, keptOption = EffectsOption, keptBlend = DeviceBlendOk;
    RenderKind = 1, EffectsOption = 1, DeviceBlendOk = 1;
    const int end = BuildScene(0, 0);
    RenderKind = keptKind, EffectsOption = keptOption, DeviceBlendOk = keptBlend;
    int drawn = 0;
    for (int c = 0; c < end; c += POLYGON_WORDS)
        drawn += PolygonAt(c).slot == 2014;
    EXPECT_GT(drawn, 0);
}

TEST_F(ArenaEffects, ACarCrushedUnderCar0SmokesAllRoundItsBody) {
    dir = LoadTrack(50, 3);
    ASSERT_EQ(ArenaOpponents, 2);
    // Car 0 comes down on the roof of the first arena car and stays there.
    const float x = SimPosX[1], z = SimPosZ[1];
    CarModel[1] = 3;   // a truck's roof, wider than car 0's wheels
    race_test::PlaceCar(0, CarModel[0], x, z, SimPosY[1] + 500.0f, SimHeading[1]);
    for (int tick = 0; tick < 300 && CrushLevel[1] == 0; tick++)
        FrameAndTick();
    ASSERT_EQ(CrushLevel[1], 1) << "car 0's wheels on car 1: " << CrushContacts[1];
    int smokes = 0;
    for (int slot = 8; slot <= 63; slot++) {
        if (EffectEmitter[slot] == -1)
            continue;
        smokes++;
        // Its particles rose from a point of car 1's body.
        const float dx = ParticleStartX[slot] - x, dz = ParticleStartZ[slot] - z;
        EXPECT_LT(std::sqrt(dx * dx + dz * dz), 400.0f) << "slot " << slot;
        EXPECT_GT(ParticleStartY[slot], SimPosY[1] + 100.0f) << "slot " << slot;
    }
    EXPECT_EQ(smokes, 25);
    // The race started again stands the car whole: its next crush smokes too.
    StartRace();
    EXPECT_EQ(CrushLevel[1], 0);
    EXPECT_EQ(CrushContacts[1], 0);
}

TEST_F(ArenaRace, TheStartStraightsConeFallsToAnAcceleratingCar) {
    const int ticks = 900;
    int penalties = PenaltyCount;
    const int still = RunCode50(ticks, false, dir);
    EXPECT_EQ(ConeStates[0].moving + ConeStates[0].done, 0);
    EXPECT_EQ(PenaltyCount, penalties);
    Remove(dir);
    penalties = PenaltyCount;
    const int driven = RunCode50(ticks, true, dir);
    EXPECT_EQ(ConeStates[0].moving + ConeStates[0].done, 1) << "car 0 at z " << SimPosZ[0];
    EXPECT_GT(SimPosZ[0], ConeProps[0].z);
    EXPECT_EQ(driven, still - 5);
    EXPECT_EQ(PenaltyCount - penalties, 1);
}

}  // namespace
