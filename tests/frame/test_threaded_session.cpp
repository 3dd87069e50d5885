// A threaded headless session of some twenty seconds: the real clock, the
// timer thread ticking beside the frames, a race started, its fly-by ended
// (a restart from the grid), the race left, and the game quit through the
// menus.  Its worth is under ThreadSanitizer, which must find nothing.
//
// The script is timed on the real clock, so a busy machine may deliver
// several of its keys at once; the typed keys are read one per frame, in
// order.  The end does not depend on how they bunch up: each closing round
// is Escape (out of a race still running; nothing in the menus), E (the main
// menu's EXIT) and S (YES of its pop-up).  An S read in the frame right
// after its E finds no pop-up yet, so the rounds repeat; only S in the
// pop-up quits, and a window close after the rounds ends a run whose
// rounds all came too early.

#include <gtest/gtest.h>

#include <chrono>

#include "common/test_game.h"
#include "frame/frame_state.h"
#include "frame/startup.h"
#include "platform/plat_headless.h"
#include "platform/plat_keys.h"
#include "platform/plat_timer.h"
#include "platform/plat_window.h"

namespace {

TEST(ThreadedSession, TenSecondsWithHandOvers) {
    MakeTestGameFolder("game");
    // --autorace: the quick race after the first menu frame (which waits
    // 3.5 s on the platform clock).
    for (uint32_t at : {4000u, 6000u}) {
        PlatHeadlessQueueEvent(at, WM_KEYDOWN, VK_SPACE, 0);   // the fly-by ends
        PlatHeadlessQueueEvent(at + 50, WM_KEYUP, VK_SPACE, 0);
    }
    QueueLeaveRace(7500);                              // the pause menu's quit: back to the menus
    PlatHeadlessQueueEvent(9600, WM_ACTIVATE, 0, 0);   // a focus change on the way
    PlatHeadlessQueueEvent(9700, WM_ACTIVATE, 1, 0);
    // The race's way back to the menus takes its end sequence (7.5 s) and
    // the menus' first frame: the rounds start well after.
    for (uint32_t round = 0; round < 8; round++) {
        const uint32_t at = 17000 + round * 600;
        PlatHeadlessQueueEvent(at, WM_CHAR, 27, 0);
        PlatHeadlessQueueEvent(at + 100, WM_CHAR, 'E', 0);
        PlatHeadlessQueueEvent(at + 300, WM_CHAR, 'S', 0);
    }
    // Should a loaded machine bunch every round, the window is closed at
    // 30 s: the session must end, whichever way.
    PlatHeadlessQueueEvent(30000, WM_CLOSE, 0, 0);
    const uint32_t ticksBefore = PlatTimerTickCount();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(RunHeadlessGame(0, 1, 0), 0);
    // Only the closing rounds can quit, so the game ran until the clock
    // reached them, however slowly its frames came.
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(17000));
    EXPECT_GE(FramesRun, 8);   // a frame reads one key
    EXPECT_GT(PlatTimerTickCount() - ticksBefore, 0u);
    // A session that ended before the window's close at 30 s was quit by the
    // main menu's pop-up, so it ended in the menus.  On a machine too loaded
    // for the script's times the close may come first, in the race.
    if (std::chrono::steady_clock::now() - started < std::chrono::milliseconds(29000)) {
        EXPECT_EQ(FrontEndActive, 1);
    }
}

}  // namespace
