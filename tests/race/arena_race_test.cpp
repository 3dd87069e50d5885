// An arena event on its sample track, frame and tick in lockstep: car 0
// holding accelerate from the start knocks the cone on its start straight,
// and the time limit then stands 5 s below a race without input.

#include <gtest/gtest.h>

#include "race/race_state.h"
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
