// The window procedure's keys, commands and typed characters, and the
// keyboard and mouse as the frame reads them from scripted events.

#include <gtest/gtest.h>

#include <cstring>

#include "frame/frame_state.h"
#include "frame/input.h"
#include "frame/window_proc.h"
#include "frontend/frontend_state.h"
#include "net/net_state.h"
#include "platform/plat_clock.h"
#include "platform/plat_headless.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_keys.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "race/race_state.h"

namespace {

struct WindowTest : ::testing::Test {
    void SetUp() override {
        PlatHeadlessClearEvents();
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        TypedCharCount = 0;
        TypedChar = 0;
        ControlHandbrake = 0;
        MenuScreenShown = 0;
        TextEditActive = 0;
        TextEditHasText = 0;
        MouseKeptOff = 0;
        MousePolling = 0;
        AppActive = 1;
    }
    void TearDown() override {
        MouseRelease();
        KeyboardRelease();
        PlatShutdown();
    }
    static void Char(int c) { MainWindowProc(WM_CHAR, (uintptr_t)c, 0); }
    static void Key(int vk) { MainWindowProc(WM_KEYDOWN, (uintptr_t)vk, 0); }
    static void Script(int message, uintptr_t wParam, intptr_t lParam) {
        PlatHeadlessQueueEvent(PlatTimeMs(), message, wParam, lParam);
        PlatMsg msg;
        while (PlatPeekMessage(&msg)) {
        }
    }
    // Delivers what the queue holds to the window procedure.
    static void Pump() {
        PlatMsg msg;
        while (PlatPeekMessage(&msg))
            PlatDispatchMessage(&msg);
    }
    static void Move(int dx, int dy) { Script(WM_MOUSEMOVE, (uintptr_t)(intptr_t)dx, dy); }
    static void Buttons(int mask) { Script(WM_MOUSEBUTTON, (uintptr_t)mask, 0); }
};

}  // namespace

TEST_F(WindowTest, TypedCharactersAreFilteredAndQueuedOldestFirst) {
    const int ignored[] = {9, 10, 123, 124, 125, 127, 130, 135, 137, 139, 141, 144, 149,
                           153, 155, 157, 158, 166, 173, 176, 208, 215, 222, 240, 247, 254};
    for (int c : ignored)
        Char(c);
    EXPECT_EQ(TypedCharCount, 0);
    Char('a');
    Char(0xE9);   // é
    Char(136);    // not in the ignored list
    ASSERT_EQ(TypedCharCount, 3);
    PopTypedChar();
    EXPECT_EQ(TypedChar, 'a');
    PopTypedChar();
    EXPECT_EQ(TypedChar, 0xE9);
    PopTypedChar();
    EXPECT_EQ(TypedChar, 136);
    PopTypedChar();
    EXPECT_EQ(TypedChar, 0);
    EXPECT_EQ(TypedCharCount, 0);
}

TEST_F(WindowTest, EnterAndEscapeDependOnTheTextField) {
    TextEditActive = 1;
    Char(13);   // an empty field takes no Enter
    Char(27);   // nor Escape
    EXPECT_EQ(TypedCharCount, 0);
    TextEditHasText = 1;
    Char(13);
    EXPECT_EQ(TypedCharCount, 1);
    TextEditActive = 0;
    Char(27);
    EXPECT_EQ(TypedCharCount, 2);
    EXPECT_EQ(MousePolling, 1);   // Escape brings the mouse back
    MousePolling = 0;
    MouseKeptOff = 1;
    Char(27);
    EXPECT_EQ(MousePolling, 0);
}

TEST_F(WindowTest, FileNameCharactersOnlyOnTheChatScreen) {
    const char* special = "\"*./:?\\";
    for (const char* p = special; *p; p++)
        Char(*p);
    EXPECT_EQ(TypedCharCount, 0);
    MenuScreenShown = 11;
    for (const char* p = special; *p; p++)
        Char(*p);
    EXPECT_EQ(TypedCharCount, 7);
}

TEST_F(WindowTest, The127thCharacterReplacesThe126th) {
    for (int i = 0; i < TYPED_CHAR_QUEUE_SIZE; i++)
        Char('a' + i % 26);
    EXPECT_EQ(TypedCharCount, 126);
    Char('Z');
    EXPECT_EQ(TypedCharCount, 126);
    EXPECT_EQ(TypedCharQueue[125], 'Z');
    EXPECT_EQ(TypedCharQueue[124], 'a' + 124 % 26);
}

TEST_F(WindowTest, CtrlHoldsTheHandbrakeAndBlocksTypingUntilReleased) {
    Key(VK_CONTROL);
    EXPECT_EQ(ControlHandbrake.load(), 1);
    Char('x');
    EXPECT_EQ(TypedCharCount, 0);
    MainWindowProc(WM_KEYUP, VK_CONTROL, 0);
    EXPECT_EQ(ControlHandbrake.load(), 0);
    Char('x');
    EXPECT_EQ(TypedCharCount, 1);
    Key(VK_SHIFT);
    EXPECT_EQ(ShiftHeld, 1);
    MainWindowProc(WM_KEYUP, VK_SHIFT, 0);
    EXPECT_EQ(ShiftHeld, 0);
}

TEST_F(WindowTest, GlobalKeysAndTheirConditions) {
    FrontEndActive = 1;
    HudVisible = 1;
    MapVisible = 1;
    ScreenshotsEnabled = 0;
    WireframeKeyArmed = 1;
    Wireframe = 0;
    Key(VK_F2);
    EXPECT_EQ(HudVisible, 0);
    Key(VK_F3);   // the map key works only in a race
    Key(VK_F9);
    EXPECT_EQ(MapVisible, 1);
    EXPECT_EQ(Wireframe, 0);
    Key(VK_F8);
    EXPECT_EQ(ScreenshotRequest, 0);
    ScreenshotsEnabled = 1;
    Key(VK_F8);
    EXPECT_EQ(ScreenshotRequest, 1);
    FrontEndActive = 0;
    Key(VK_F3);
    Key(VK_F4);
    Key(VK_F9);
    EXPECT_EQ(MapVisible, 0);
    EXPECT_EQ(NameTagsVisible, 1);
    EXPECT_EQ(Wireframe, 1);
    WireframeKeyArmed = 0;
    Key(VK_F9);
    EXPECT_EQ(Wireframe, 1);
}

TEST_F(WindowTest, SpaceEndsThePresentationWaitButNotOnANetworkClient) {
    RacePhase = 2;
    PresentationCamera = 1;
    NetSessionOpen = 1;
    NetIsHost = 0;
    Key(VK_SPACE);
    EXPECT_EQ(RacePhase, 2);
    NetSessionOpen = 0;
    Key(VK_SPACE);
    EXPECT_EQ(RacePhase, 0);
    EXPECT_EQ(PresentationCamera, 0);
    PresentationCamera = 1;
    Key(VK_SPACE);   // the running race ignores it
    EXPECT_EQ(PresentationCamera, 1);
}

TEST_F(WindowTest, DeveloperCommands) {
    GameLogicRunning = 1;
    SingleStepRequest = 0;
    MainWindowProc(WM_COMMAND, CMD_TOGGLE_GAME_LOGIC, 0);
    EXPECT_EQ(GameLogicRunning, 0);
    MainWindowProc(WM_COMMAND, CMD_SINGLE_STEP, 0);
    EXPECT_EQ(SingleStepRequest, 1);
    EXPECT_EQ(MainWindowProc(WM_COMMAND, CMD_NO_DEFAULT, 0), 1);
    // Not ready: the windowed toggle does nothing and answers 0.
    AppReady = 0;
    WindowedMode = 0;
    EXPECT_EQ(MainWindowProc(WM_COMMAND, CMD_TOGGLE_WINDOWED, 0), 0);
    EXPECT_EQ(WindowedMode, 0);
    // A command with a key's number acts as the key.
    HudVisible = 1;
    MainWindowProc(WM_COMMAND, VK_F2, 0);
    EXPECT_EQ(HudVisible, 0);
}

// Under the developer switch Pause freezes and thaws the game logic and
// F10 asks for one step; Shift or Ctrl with them is another key, and a
// modifier counts as the key messages bring it, released or not since.
TEST_F(WindowTest, TheDeveloperKeysSendTheFreezeAndStepCommands) {
    GameLogicRunning = 1;
    SingleStepRequest = 0;
    DeveloperSwitch = 0;
    Key(VK_PAUSE);
    Key(VK_F10);
    EXPECT_EQ(GameLogicRunning, 1);
    EXPECT_EQ(SingleStepRequest, 0);

    DeveloperSwitch = 1;
    Key(VK_PAUSE);
    EXPECT_EQ(GameLogicRunning, 0);
    Key(VK_F10);
    EXPECT_EQ(SingleStepRequest, 1);
    SingleStepRequest = 0;
    Key(VK_SHIFT);
    Key(VK_F10);
    Key(VK_PAUSE);
    MainWindowProc(WM_KEYUP, VK_SHIFT, 0);
    EXPECT_EQ(SingleStepRequest, 0);
    EXPECT_EQ(GameLogicRunning, 0);
    Key(VK_CONTROL);
    Key(VK_PAUSE);
    EXPECT_EQ(GameLogicRunning, 0);
    MainWindowProc(WM_KEYUP, VK_CONTROL, 0);
    ControlHandbrake = 0;
    Key(VK_PAUSE);
    EXPECT_EQ(GameLogicRunning, 1);
    DeveloperSwitch = 0;
}

TEST_F(WindowTest, TheInputTimerReadsTheKeyboardIntoKeyState) {
    ASSERT_EQ(KeyboardInit(1), 0);
    KeyboardAcquire(1);
    Script(WM_KEYDOWN, VK_LEFT, 0);
    Script(WM_KEYDOWN, 'A', 0);
    MainWindowProc(WM_TIMER, 0, 0);
    EXPECT_EQ(KeyState[SCAN_LEFT], 0x80);
    EXPECT_EQ(KeyState[0x1E], 0x80);
    EXPECT_EQ(IsKeyDown('A'), 1);
    EXPECT_EQ(IsKeyDown(VK_RIGHT), 0);
    Script(WM_KEYUP, VK_LEFT, 0);
    // A key let go stays down until the frame that read it has run.
    MainWindowProc(WM_TIMER, 0, 0);
    EXPECT_EQ(KeyState[SCAN_LEFT], 0x80);
    KeyboardFrameDone();
    EXPECT_EQ(KeyState[SCAN_LEFT], 0);
    EXPECT_EQ(KeyState[0x1E], 0x80) << "a key held stays down";
    // A tap between two reads is read once, and up after its frame.
    Script(WM_KEYDOWN, VK_LEFT, 0);
    Script(WM_KEYUP, VK_LEFT, 0);
    MainWindowProc(WM_TIMER, 0, 0);
    EXPECT_EQ(KeyState[SCAN_LEFT], 0x80);
    MainWindowProc(WM_TIMER, 0, 0);
    EXPECT_EQ(KeyState[SCAN_LEFT], 0x80) << "a second read in the same frame keeps it";
    KeyboardFrameDone();
    MainWindowProc(WM_TIMER, 0, 0);
    EXPECT_EQ(KeyState[SCAN_LEFT], 0) << "counted once";
    // Input lost with the focus comes back by itself at the next read.
    Script(WM_ACTIVATE, 0, 0);
    MainWindowProc(WM_TIMER, 0, 0);
    EXPECT_EQ(KeyState[SCAN_LEFT], 0);
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 0);
    // A keyboard that cannot be read is reported.
    KeyboardRelease();
    MainWindowProc(WM_TIMER, 0, 0);
    ASSERT_EQ(PlatHeadlessMessageBoxCount(), 1);
    EXPECT_STREQ(PlatHeadlessMessageBoxCaption(0), "DirectInput");
    EXPECT_STREQ(PlatHeadlessMessageBoxText(0), "Error Reading Input State");
}

TEST_F(WindowTest, AHeldButtonClicksOnceAndOnlyTheLeftAloneClicks) {
    ASSERT_EQ(MouseInit(1), 1);
    PollMouse(1, 1);   // all up: armed
    Buttons(1);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 1);
    EXPECT_EQ(MouseButtons, 0x80);
    PollMouse(1, 1);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 0);   // still held: no second click
    EXPECT_EQ(MouseButtons, 0x80);
    Buttons(0);
    PollMouse(1, 1);
    EXPECT_EQ(MouseButtons, 0);
    Buttons(2);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 0);   // the right button alone
    Buttons(3);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 0);   // both
    Buttons(0);
    PollMouse(1, 1);   // released: armed again
    Buttons(1);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 1);
    // The input timer's polls move the cursor but leave the click alone.
    PollMouse(1, 0);
    EXPECT_EQ(MouseClick, 1);
}

// A click pressed and let go between two frames, the input timer's poll
// reading it in between, is the next frame's click; a press held across
// both polls is one click.
TEST_F(WindowTest, AClickBetweenTwoFramesIsTheNextFramesClick) {
    ASSERT_EQ(MouseInit(1), 1);
    PollMouse(1, 1);   // armed
    Buttons(1);
    Buttons(0);
    PollMouse(1, 0);   // the input timer
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 1);
    EXPECT_EQ(MouseButtons, 0);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 0);
    Buttons(1);
    PollMouse(1, 0);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 1);
    PollMouse(1, 0);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 0) << "held: no second click";
    Buttons(0);
    PollMouse(1, 0);
    PollMouse(1, 1);
    EXPECT_EQ(MouseClick, 0) << "let go: nothing to click";
}

TEST_F(WindowTest, MotionMovesTheCursorHalfACountAndStopsAtTheEdges) {
    ASSERT_EQ(MouseInit(1), 1);
    PollMouse(1, 0);   // the first poll takes hold of the mouse
    MouseFloatX = 320.0f;
    MouseFloatY = 240.0f;
    Move(3, 0);
    PollMouse(1, 0);
    EXPECT_FLOAT_EQ(MouseFloatX, 321.5f);
    EXPECT_EQ(MouseX, 321);
    Move(10000, -10000);
    PollMouse(1, 1);
    EXPECT_FLOAT_EQ(MouseFloatX, 637.0f);
    EXPECT_EQ(MouseX, 637);
    EXPECT_EQ(MouseY, 0);
    Move(-1, 2000);
    PollMouse(1, 1);
    EXPECT_FLOAT_EQ(MouseFloatX, 636.5f);
    EXPECT_EQ(MouseX, 636);
    EXPECT_EQ(MouseY, 477);
}

// Leaving a menu loop or a move: active again when the window is the active
// one, or when it is not minimised.
TEST_F(WindowTest, LeavingAMenuLoopReactivatesAnActiveOrShownWindow) {
    ASSERT_TRUE(PlatCreateWindow("Quorvix", MainWindowProc));
    Pump();
    ASSERT_EQ(AppActive, 1);
    ASSERT_EQ(PlatWindowIsActive(), 1);

    PlatHeadlessSetMinimised(1);
    MainWindowProc(WM_ENTERMENULOOP, 0, 0);
    EXPECT_EQ(AppActive, 0);
    MainWindowProc(WM_EXITMENULOOP, 0, 0);
    EXPECT_EQ(AppActive, 1) << "minimised, but still the active window";

    PlatSendMessage(WM_ACTIVATE, 0, 0);
    EXPECT_EQ(PlatWindowIsActive(), 0);
    MainWindowProc(WM_ENTERSIZEMOVE, 0, 0);
    MainWindowProc(WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(AppActive, 0) << "neither active nor shown";
    PlatHeadlessSetMinimised(0);
    MainWindowProc(WM_EXITSIZEMOVE, 0, 0);
    EXPECT_EQ(AppActive, 1);
    PlatDestroyWindow();
}
