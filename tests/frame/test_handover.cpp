// The hand-overs between menus and race: the timer is stopped before the
// load and restarted last (16 ms in a race, 17 ms in the menus), the frame
// that starts a race is not presented, and the calls come in their order.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/handover_trace.h"
#include "platform/plat_headless.h"
#include "platform/plat_timer.h"
#include "platform/plat_window.h"

namespace {

std::vector<std::string> Steps() {
    std::vector<std::string> steps;
    for (int i = 0; i < HandoverTraceCount(); i++)
        steps.push_back(HandoverTraceStep(i));
    return steps;
}

int IndexOf(const std::vector<std::string>& steps, const std::string& step, int from = 0) {
    for (int i = from; i < (int)steps.size(); i++) {
        if (steps[i] == step)
            return i;
    }
    return -1;
}

class HandoverTest : public ::testing::Test {
protected:
    void SetUp() override {
        MakeTestGameFolder("game");
        HandoverTraceStart();
        // Escape leaves the race at 1.5 s (the quick race starts at once).
        PlatHeadlessQueueEvent(1500, WM_CHAR, 27, 0);
        ASSERT_EQ(RunHeadlessGame(200, 1), 0);
        HandoverTraceStop();
        steps = Steps();
        raceStart = IndexOf(steps, "StopTickTimer()");
        raceStarted = IndexOf(steps, "StartTickTimer(16, MainWindow)");
        backRestart = IndexOf(steps, "StartTickTimer(17, MainWindow)");
    }
    std::vector<std::string> steps;
    int raceStart = -1, raceStarted = -1, backRestart = -1;
};

TEST_F(HandoverTest, RaceStartStopsTheTimerLoadsAndRestartsItAt16) {
    ASSERT_GE(raceStart, 0);
    for (int i = 0; i < raceStart; i++)
        EXPECT_EQ(steps[i], "frame presented") << "the timer stops before anything else";
    EXPECT_EQ(steps[raceStart + 1], "PlatSleepMs(10)");
    ASSERT_GT(raceStarted, 0);
    const char* const loads[] = {"PrepareRace()", "LoadZones()", "StartRace()", "LoadTrackData()",
                                 "PrepareTrackGraphics(GetRenderTarget())", "ApplyReplayHeader()",
                                 "ReloadTextureTable()"};
    int last = raceStart;
    for (const char* load : loads) {
        const int at = IndexOf(steps, load, last);
        ASSERT_GT(at, last) << load << " is missing or out of order";
        last = at;
    }
    EXPECT_GT(raceStarted, last) << "the timer restarts last";
    EXPECT_EQ(steps[raceStarted + 1], "PlatSleepMs(10)");
}

TEST_F(HandoverTest, TheFrameThatStartsARaceIsNotPresented) {
    ASSERT_GT(raceStarted, 0);
    const int startFrame = HandoverTraceFrame(raceStarted);
    for (int i = 0; i < (int)steps.size(); i++) {
        if (steps[i] == "frame presented") {
            EXPECT_NE(HandoverTraceFrame(i), startFrame) << "step " << i;
        }
    }
}

TEST_F(HandoverTest, TheWayBackRestartsTheTimerAt17) {
    ASSERT_GT(backRestart, raceStarted);
    const int stop = IndexOf(steps, "StopTickTimer()", raceStarted + 1);
    EXPECT_EQ(stop + 1, backRestart);
    const char* const order[] = {"DrawTimedMessages(1)", "CaptureScreen()", "CheckProgressNotice()",
                                 "RecreateDisplay(0)", "LoadMenuGfxSet()", "BuildColourRamp(0, 0, 0)",
                                 "StartTickTimer(17, MainWindow)"};
    int last = raceStarted;
    for (const char* step : order) {
        const int at = IndexOf(steps, step, last + 1);
        ASSERT_GT(at, last) << step << " is missing or out of order";
        last = at;
    }
    EXPECT_EQ(PlatTimerPeriod(), 17);
}

TEST_F(HandoverTest, TheRaceBankLoadsAfterTheZonesAndBeforeTheScreens) {
    // The bank reads the zone types; without a mixer the sound steps are
    // skipped and the rest keeps its order.
    const int zones = IndexOf(steps, "LoadZones()");
    const int clear = IndexOf(steps, "ClearScreens()");
    const int bank = IndexOf(steps, "LoadSoundBank()");
    ASSERT_GT(zones, 0);
    EXPECT_GT(clear, zones);
    if (bank >= 0) {
        EXPECT_GT(bank, zones);
        EXPECT_LT(bank, clear);
        EXPECT_EQ(IndexOf(steps, "FreeAllWaves()", zones), bank - 1);
    }
}

}  // namespace
