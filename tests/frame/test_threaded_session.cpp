// A threaded headless session of about ten seconds: the real clock, the
// timer thread ticking beside the frames, and races started and left.  Its
// worth is under ThreadSanitizer, which must find nothing.
//
// The script is timed on the real clock, so a busy machine may deliver
// several of its keys at once.  The keys are read one per frame, and the
// script is built so that its end does not depend on how they bunch up:
// Enter and Escape alternate, so Escape is never read on the title page
// until the two closing ones, which first leave a race if one is running
// and then quit from the title page.

#include <gtest/gtest.h>

#include <chrono>

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
    PlatHeadlessQueueEvent(10000, WM_CHAR, 27, 0);     // out of a race left running, if any
    PlatHeadlessQueueEvent(10100, WM_CHAR, 27, 0);     // quit from the title page
    const uint32_t ticksBefore = PlatTimerTickCount();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(RunHeadlessGame(0, 0, 0), 0);
    // Only the closing Escapes can quit, so the game ran until the clock
    // reached them, however slowly its frames came.
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(10000));
    EXPECT_GE(FramesRun, 8);   // a frame reads one key
    EXPECT_GT(PlatTimerTickCount() - ticksBefore, 0u);
    EXPECT_EQ(FrontEndActive, 1);
}

}  // namespace
