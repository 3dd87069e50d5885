// The hand-overs between menus and race: the timer is stopped before the
// load and restarted last (16 ms in a race, 17 ms in the menus), the frame
// that starts a race is not presented, and the calls come in their order.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/handover_trace.h"
#include "frontend/frontend_state.h"
#include "platform/plat_file.h"
#include "platform/plat_headless.h"
#include "platform/plat_keys.h"
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
        // The pause menu's quit leaves the race 1.5 s after it starts: the
        // quick race starts in the first menu frame, after its 3.5 s wait.
        QueueLeaveRace(5000);
        ASSERT_EQ(RunHeadlessGame(200, 1), 0);
        HandoverTraceStop();
        steps = Steps();
        // The trace begins with start-up; the frames follow its last step.
        running = IndexOf(steps, "SaveWorkSurfaceCopy()") + 1;
        raceStart = IndexOf(steps, "StopTickTimer()", running);
        raceStarted = IndexOf(steps, "StartTickTimer(16, MainWindow)", running);
        backRestart = IndexOf(steps, "StartTickTimer(17, MainWindow)", running);
    }
    std::vector<std::string> steps;
    int running = 0, raceStart = -1, raceStarted = -1, backRestart = -1;
};

TEST_F(HandoverTest, RaceStartStopsTheTimerLoadsAndRestartsItAt16) {
    ASSERT_GT(running, 0);
    ASSERT_GE(raceStart, running);
    for (int i = running; i < raceStart; i++)
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
    const int zones = IndexOf(steps, "LoadZones()", running);
    const int clear = IndexOf(steps, "ClearScreens()", running);
    const int bank = IndexOf(steps, "LoadSoundBank()", running);
    ASSERT_GT(zones, 0);
    EXPECT_GT(clear, zones);
    if (bank >= 0) {
        EXPECT_GT(bank, zones);
        EXPECT_LT(bank, clear);
        EXPECT_EQ(IndexOf(steps, "FreeAllWaves()", zones), bank - 1);
    }
}

}  // namespace

// A race mode of 800 x 600 on the Direct3D path: both hand-overs re-create
// the display, and the old back buffer is freed with it.
namespace {

struct LargeModeHandover : ::testing::Test {
    std::string dir;
    void SetUp() override {
        dir = MakeTestGameFolder("game");
        const DisplayConfigRecord config = {800, 600, 16, 0, 0, 1};
        ASSERT_TRUE(PlatWriteFileAtomic("Config\\Vondel.cfg", &config, sizeof config));
        ScreenshotsEnabled = 1;
    }
    void TearDown() override { ScreenshotsEnabled = 0; }

    // Width and height of a screenshot the game wrote, 0 x 0 when none.
    std::pair<int, int> ShotSize(const char* name) const {
        const std::string tga = ReadHostFile(dir + "/" + name);
        if (tga.size() < 18)
            return {0, 0};
        return {(uint8_t)tga[12] | (uint8_t)tga[13] << 8, (uint8_t)tga[14] | (uint8_t)tga[15] << 8};
    }
};

}  // namespace

// F8 in the race and F8 in the very frame that returns to the menus: the
// first shot is of the race mode, the second of the menus' new back
// buffer (the frame goes on drawing after the hand-over, on the target the
// re-created display made).
TEST_F(LargeModeHandover, TheFrameOfTheWayBackDrawsOnTheNewBackBuffer) {
    HandoverTraceStart();
    // The quick race starts after the first menu frame's 3.5 s wait.
    PlatHeadlessQueueEvent(4500, WM_KEYDOWN, VK_F8, 0);
    // The pause menu's quit: its Return (at 5400) reaches the keyboard state
    // at the next 33 ms input read, in the frame the way back runs in.
    QueueLeaveRace(5000);
    PlatHeadlessQueueEvent(5433, WM_KEYDOWN, VK_F8, 0);
    ASSERT_EQ(RunHeadlessGame(140, 1), 0);
    HandoverTraceStop();
    const std::vector<std::string> steps = Steps();
    const int raceMode = IndexOf(steps, "RecreateDisplay(1)");
    const int menuMode = IndexOf(steps, "RecreateDisplay(0)");
    ASSERT_GT(raceMode, 0);
    ASSERT_GT(menuMode, raceMode);
    EXPECT_EQ(ShotSize("0000.TGA"), std::make_pair(800, 600)) << "the race ran at 800 x 600";
    // The shot of the hand-over's frame is taken in the frame the way back ran in.
    EXPECT_EQ(ShotSize("0001.TGA"), std::make_pair(640, 480));
    EXPECT_EQ(CurrentModeWidth, 640);
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 0);
}
