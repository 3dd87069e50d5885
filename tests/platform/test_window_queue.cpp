// The headless message queue: scripted events arrive at their time, the
// window timer ticks every 33 ms, quit ends the queue, message boxes are
// recorded.

#include <gtest/gtest.h>

#include <vector>

#include "platform/plat_clock.h"
#include "platform/plat_headless.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"

namespace {

std::vector<PlatMsg> received;

intptr_t RecordingProc(int message, uintptr_t wParam, intptr_t lParam) {
    received.push_back({message, wParam, lParam, 0});
    return 0;
}

class QueueTest : public ::testing::Test {
protected:
    void SetUp() override {
        received.clear();
        PlatHeadlessSetLockstep(1);
        ASSERT_EQ(PlatInit(PLAT_BACKEND_HEADLESS), 1);
        ASSERT_EQ(PlatCreateWindow("Quorvix", RecordingProc), 1);
    }
    void TearDown() override { PlatShutdown(); }

    std::vector<int> Drain() {
        std::vector<int> messages;
        PlatMsg msg;
        while (PlatPeekMessage(&msg))
            messages.push_back(msg.message);
        return messages;
    }
};

TEST_F(QueueTest, CreationSendsCreateAndQueuesActivation) {
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_CREATE);
    EXPECT_EQ(Drain(), std::vector<int>{WM_ACTIVATE});
}

TEST_F(QueueTest, ScriptedEventsArriveAtTheirTime) {
    Drain();
    PlatHeadlessQueueEvent(100, WM_CHAR, 'b', 0);
    PlatHeadlessQueueEvent(50, WM_CHAR, 'a', 0);
    PlatClockAdvance(49);
    EXPECT_TRUE(Drain().empty());
    PlatClockAdvance(1);
    PlatMsg msg;
    ASSERT_TRUE(PlatPeekMessage(&msg));
    EXPECT_EQ(msg.message, WM_CHAR);
    EXPECT_EQ(msg.wParam, (uintptr_t)'a');
    PlatClockAdvance(50);
    ASSERT_TRUE(PlatPeekMessage(&msg));
    EXPECT_EQ(msg.wParam, (uintptr_t)'b');
}

TEST_F(QueueTest, WindowTimerTicksEvery33Milliseconds) {
    Drain();
    PlatSetTimer(0, 33);
    int timers = 0;
    for (int ms = 0; ms < 330; ms++) {
        PlatClockAdvance(1);
        for (int m : Drain())
            timers += m == WM_TIMER;
    }
    EXPECT_EQ(timers, 10);
    PlatKillTimer(0);
    PlatClockAdvance(100);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(QueueTest, GetMessageWaitsForTheNextScriptedEvent) {
    Drain();
    PlatHeadlessQueueEvent(5000, WM_KEYDOWN, 0x20, 0);
    PlatMsg msg;
    ASSERT_TRUE(PlatGetMessage(&msg));
    EXPECT_EQ(msg.message, WM_KEYDOWN);
    EXPECT_GE(PlatTimeMs(), 5000u);
    // With nothing left to happen the window is closed rather than wait for ever.
    ASSERT_TRUE(PlatGetMessage(&msg));
    EXPECT_EQ(msg.message, WM_CLOSE);
}

TEST_F(QueueTest, QuitEndsGetMessageWithItsCode) {
    Drain();
    PlatPostQuitMessage(3);
    PlatMsg msg;
    EXPECT_EQ(PlatGetMessage(&msg), 0);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(QueueTest, DestroyingTheWindowSendsDestroy) {
    received.clear();
    PlatDestroyWindow();
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].message, WM_DESTROY);
    EXPECT_FALSE(PlatWindowExists());
    EXPECT_EQ(PlatSendMessage(WM_CLOSE, 0, 0), 0) << "no window, no procedure";
}

TEST_F(QueueTest, MessageBoxesAreRecorded) {
    PlatHeadlessClearMessageBoxes();
    PlatMessageBox("ERROR", "text one", PLAT_MB_ICONERROR);
    PlatMessageBox("Quorvix", "text two", PLAT_MB_OK);
    ASSERT_EQ(PlatHeadlessMessageBoxCount(), 2);
    EXPECT_STREQ(PlatHeadlessMessageBoxCaption(0), "ERROR");
    EXPECT_STREQ(PlatHeadlessMessageBoxText(1), "text two");
}

}  // namespace
