// The race-order overlay of developer mode: key 0 pauses the race, Ctrl
// with the arrows swaps neighbouring ranks, closing it ends the race.

#include <gtest/gtest.h>

#include <cstring>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "net/net_state.h"
#include "platform/plat_keys.h"
#include "race/race_state.h"
#include "race/rank_overlay.h"

namespace {

enum { SCAN_0 = 0x0B };

struct RankOverlay : ::testing::Test {
    void SetUp() override {
        DebugMode = 1;
        EditorOpen = 0;
        FrontEndActive = 0;
        NetworkGame = 0;
        RacePaused = 0;
        RaceOver = 0;
        ForceRaceEnd = 0;
        CarCount = 4;
        memset(KeyState, 0, sizeof KeyState);
        for (int c = 0; c < MAX_CARS; c++) {
            rank_coche[c] = c;
            rank_pos[c] = c;
            PathNodeIndex[c] = 100 * c;
            PathNodeBase[c] = 1000.0f * (float)c;
            RaceDistance[c] = 5.0f * (float)c;
        }
    }
    void TearDown() override {
        memset(KeyState, 0, sizeof KeyState);
        RankDebugOverlay(nullptr);
        DebugMode = 0;
        RacePaused = 0;
        RaceOver = 0;
        ForceRaceEnd = 0;
        CarCount = 0;
        FrontEndActive = 1;
    }
    // One frame with these keys held.
    void Frame(std::initializer_list<int> held) {
        memset(KeyState, 0, sizeof KeyState);
        for (int scan : held)
            KeyState[scan] = 0x80;
        RankDebugOverlay(nullptr);
    }
};

TEST_F(RankOverlay, KeyZeroPausesCtrlDownSwapsAndClosingEndsTheRace) {
    Frame({SCAN_DOWN});   // arrows do nothing while it is shut
    EXPECT_EQ(rank_coche[0], 0);
    Frame({SCAN_0});
    EXPECT_EQ(RacePaused, 1);
    Frame({});
    Frame({SCAN_LCONTROL, SCAN_DOWN});   // ranks 0 and 1
    Frame({SCAN_LCONTROL});
    Frame({SCAN_LCONTROL, SCAN_DOWN});   // ranks 1 and 2: car 0 goes on down
    EXPECT_EQ(rank_coche[0], 1);
    EXPECT_EQ(rank_coche[1], 2);
    EXPECT_EQ(rank_coche[2], 0);
    for (int c = 0; c < MAX_CARS; c++)
        EXPECT_EQ(rank_coche[rank_pos[c]], c) << c;
    // The progress along the guide line travels with the rank.
    EXPECT_EQ(PathNodeIndex[0], 200);
    EXPECT_FLOAT_EQ(PathNodeBase[0], 2000.0f);
    EXPECT_FLOAT_EQ(RaceDistance[0], 10.0f);
    EXPECT_EQ(PathNodeIndex[2], 100);

    Frame({SCAN_UP});   // a plain arrow only moves the cursor
    EXPECT_EQ(rank_coche[1], 2);
    Frame({});
    Frame({SCAN_0});
    EXPECT_EQ(RacePaused, 0);
    EXPECT_EQ(ForceRaceEnd, 1);
    EXPECT_EQ(RaceOver, 1);
}

TEST_F(RankOverlay, NothingAnswersOutsideDeveloperMode) {
    DebugMode = 0;
    Frame({SCAN_0});
    EXPECT_EQ(RacePaused, 0);
    SwapRanks(MAX_CARS - 1);   // no neighbour below the last rank
    SwapRanks(-1);
    for (int c = 0; c < MAX_CARS; c++)
        EXPECT_EQ(rank_coche[c], c);
}

}  // namespace
