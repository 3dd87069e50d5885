// A threaded headless session of about ten seconds: the real clock, the
// timer thread ticking beside the frames, and races started and left.  Its
// worth is under ThreadSanitizer, which must find nothing.

#include <gtest/gtest.h>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "platform/plat_headless.h"
#include "platform/plat_timer.h"
#include "platform/plat_window.h"

namespace {

TEST(ThreadedSession, TenSecondsWithHandOvers) {
    MakeTestGameFolder("game");
    for (int round = 0; round < 3; round++) {
        const uint32_t at = 500 + round * 3000;
        PlatHeadlessQueueEvent(at, WM_CHAR, 13, 0);          // Enter: a quick race
        PlatHeadlessQueueEvent(at + 2000, WM_CHAR, 27, 0);   // Escape: back to the menus
    }
    PlatHeadlessQueueEvent(9600, WM_ACTIVATE, 0, 0);   // a focus change on the way
    PlatHeadlessQueueEvent(9700, WM_ACTIVATE, 1, 0);
    PlatHeadlessQueueEvent(10000, WM_CLOSE, 0, 0);
    const uint32_t ticksBefore = PlatTimerTickCount();
    EXPECT_EQ(RunHeadlessGame(0, 0, 0), 0);
    EXPECT_GT(FramesRun, 100);
    // About 62 ticks a second for ten seconds, less the hand-overs' pauses.
    EXPECT_GT(PlatTimerTickCount() - ticksBefore, 400u);
    EXPECT_EQ(FrontEndActive, 1);
}

}  // namespace
