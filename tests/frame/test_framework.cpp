// The framework: enumeration and the default choice, creation on the
// headless display, the hardware-to-software fallback and the ladder of
// lower race modes, presenting and restoring, and the error texts.

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <string>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/input.h"
#include "frame/window_proc.h"
#include "frontend/frontend_state.h"
#include "platform/plat_clock.h"
#include "platform/plat_device.h"
#include "platform/plat_headless.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_keys.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"

namespace {

struct FrameworkTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(PlatInit(PLAT_BACKEND_HEADLESS));
        DisplayConfig = {640, 480, 16, 0, 0, 1};
        WantedWidth = 640;
        WantedHeight = 480;
        WantedDepth = 16;
        RenderKind = 1;
        WindowedMode = 0;
        HardwareFailure = 0;
        CurrentModeWidth = CurrentModeHeight = CurrentModeDepth = 0;
    }
    void TearDown() override {
        ReleaseFramework();
        FreeDriverList();
        PlatHeadlessSetHardwareLimit(0);
        PlatHeadlessSetDesktop(640, 480, 32);
        PlatShutdown();
    }

    static const DeviceNode& Selected() {
        int driver = -1, device = -1;
        EXPECT_EQ(GetSelectedDriver(&driver, &device), 0);
        return FrameworkDriver(driver)->devices[device];
    }

    static int Create() {
        const int code = EnumerateDrivers(ConfirmDevice);
        return code != 0 ? code : CreateFramework(1);
    }

    static void Key(int vk) { MainWindowProc(WM_KEYDOWN, (uintptr_t)vk, 0); }
    static void Drain() {
        PlatMsg msg;
        while (PlatPeekMessage(&msg)) {
        }
    }
    // Keys the driver dialog will read, one press every 50 ms from now.
    static void DialogKeys(std::initializer_list<int> keys) {
        uint32_t at = PlatTimeMs() + 20;
        for (int vk : keys) {
            PlatHeadlessQueueEvent(at, WM_KEYDOWN, (uintptr_t)vk, 0);
            PlatHeadlessQueueEvent(at + 20, WM_KEYUP, (uintptr_t)vk, 0);
            at += 50;
        }
    }
    // Shift+F12 opens the driver dialog.
    static void DriverDialogKey() {
        Key(VK_SHIFT);
        Key(VK_F12);
        MainWindowProc(WM_KEYUP, VK_SHIFT, 0);
    }

    static std::string TargetSize() {
        PlatSurface* t = FrameworkRenderTarget();
        if (!t)
            return "none";
        return std::to_string(PlatSurfaceWidth(t)) + "x" + std::to_string(PlatSurfaceHeight(t));
    }
};

int RejectEverything(const PlatDeviceCaps*) { return 1; }

}  // namespace

TEST_F(FrameworkTest, ADriverIndexBeyondTheListLeavesNoDevices) {
    DisplayConfig.driverIndex = 1;
    EXPECT_EQ(EnumerateDrivers(ConfirmDevice), (int)FWERR_ENUMERATION_FAILED);
    EXPECT_EQ(FrameworkDriverCount(), 0);
    EXPECT_EQ(GetSelectedDriver(nullptr, nullptr), (int)FWERR_ENUMERATION_FAILED);
    // A device that exists but is refused is another failure.
    DisplayConfig.driverIndex = 0;
    EXPECT_EQ(EnumerateDrivers(RejectEverything), (int)FWERR_NO_COMPATIBLE_DEVICES);
}

TEST_F(FrameworkTest, TheDefaultIsTheHardwareDeviceAndTheWantedMode) {
    ASSERT_EQ(EnumerateDrivers(ConfirmDevice), 0);
    const DeviceNode& device = Selected();
    EXPECT_TRUE(device.hardware);
    EXPECT_TRUE(device.windowed);   // the first pass: a driver that can draw in a window
    EXPECT_STREQ(device.modes[0].label, "640 x 480 x 16 bit");
    EXPECT_EQ(device.selectedMode, 0);
    EXPECT_EQ(CurrentModeWidth, 640);
    EXPECT_EQ(CurrentModeDepth, 16);

    ASSERT_EQ(SelectDefaultDriver(SELECT_SOFTWARE_ONLY), 0);
    EXPECT_FALSE(Selected().hardware);
    ASSERT_EQ(SelectDefaultDriver(SELECT_FULLSCREEN_ONLY), 0);
    EXPECT_TRUE(Selected().hardware);
    EXPECT_FALSE(Selected().windowed);
    EXPECT_EQ(SelectDefaultDriver(SELECT_REFERENCE), (int)FWERR_NO_COMPATIBLE_DEVICES);
}

TEST_F(FrameworkTest, AnUnlistedModeGivesTheDevicesFirstMode) {
    WantedWidth = 700;
    WantedHeight = 500;
    ASSERT_EQ(EnumerateDrivers(ConfirmDevice), 0);
    EXPECT_EQ(Selected().selectedMode, 0);
    EXPECT_EQ(CurrentModeWidth, 0);   // the current mode is only set by a match
    ASSERT_EQ(CreateFramework(1), 0);
    EXPECT_EQ(TargetSize(), "640x480");
}

TEST_F(FrameworkTest, TheSoftwarePathRacesAtMost640By480) {
    DisplayConfig = {800, 600, 16, 0, 0, 0};
    WantedWidth = 800;
    WantedHeight = 600;
    RenderKind = 0;
    ASSERT_EQ(Create(), 0);
    EXPECT_EQ(TargetSize(), "640x480");
    EXPECT_EQ(CurrentModeWidth, 640);
    ReleaseFramework();
    RenderKind = 1;
    ASSERT_EQ(Create(), 0);
    EXPECT_EQ(TargetSize(), "800x600");
    EXPECT_EQ(CurrentModeHeight, 600);
}

TEST_F(FrameworkTest, CreationBuildsTheScreenSurfacesDeviceAndViewports) {
    ASSERT_EQ(Create(), 0);
    PlatSurface* target = FrameworkRenderTarget();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(PlatSurfaceFormat(target), PLAT_PF_RGB565);
    EXPECT_EQ(PlatSurfacePitch(target), 1280);
    PlatSurface* z = PlatSurfaceAttached(target, PLAT_SURF_ZBUFFER);
    ASSERT_NE(z, nullptr);
    EXPECT_EQ(PlatSurfaceFormat(z), PLAT_PF_Z16);   // the first 16-bit format ends the search
    ASSERT_NE(FrameworkDevice(), nullptr);
    EXPECT_TRUE(PlatDeviceIsHardware(FrameworkDevice()));
    EXPECT_EQ(PlatDeviceRenderTarget(FrameworkDevice()), target);
    EXPECT_EQ(CurrentViewport, 2);
    EXPECT_FALSE(HardwareFailure);
    EXPECT_TRUE(TestCooperativeLevel());

    const PlatViewport expected[3] = {{0, 0, 640, 480}, {0, 0, 640, 240}, {0, 240, 640, 240}};
    for (int i = 0; i < 3; i++) {
        FrameworkSelectViewport(i);
        PlatViewport v;
        PlatDeviceGetViewport(FrameworkDevice(), &v);
        EXPECT_EQ(v.y, expected[i].y) << i;
        EXPECT_EQ(v.height, expected[i].height) << i;
        EXPECT_EQ(v.width, 640);
    }
    const int presents = PlatDisplayPresentCount();
    EXPECT_EQ(ShowFrame(), DD_OK);
    EXPECT_EQ(PlatDisplayPresentCount(), presents + 1);

    ReleaseFramework();
    EXPECT_EQ(FrameworkRenderTarget(), nullptr);
    EXPECT_EQ(ShowFrame(), (int)FWERR_NO_PRIMARY_NOW);
    EXPECT_FALSE(TestCooperativeLevel());
    EXPECT_EQ(AppReady.load(), 0);
    EXPECT_EQ(PlatSurfaceLiveCount(), 0);
}

TEST_F(FrameworkTest, AFailingHardwareDeviceIsReplacedBySoftwareQuietly) {
    PlatHeadlessSetHardwareLimit(512);
    ASSERT_EQ(Create(), 0);
    EXPECT_FALSE(PlatDeviceIsHardware(FrameworkDevice()));
    EXPECT_EQ(HardwareFailure, 1);
    EXPECT_EQ(TargetSize(), "640x480");
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 0);
}

TEST_F(FrameworkTest, TheLadderWalksDownToTheFirstModeTheHardwareTakes) {
    ASSERT_EQ(Create(), 0);   // the menus' 640 x 480
    PlatHeadlessSetHardwareLimit(512);
    DisplayConfig = {800, 600, 16, 0, 0, 1};
    WantedWidth = 800;
    WantedHeight = 600;
    ASSERT_EQ(RecreateDisplay(1), 1);
    EXPECT_EQ(HardwareFailure, 1);
    TryLowerModes();   // 640 x 480 fails as well, 512 x 384 works
    EXPECT_EQ(TargetSize(), "512x384");
    EXPECT_TRUE(PlatDeviceIsHardware(FrameworkDevice()));
    EXPECT_EQ(HardwareFailure, 0);
    EXPECT_EQ(SurfaceWidth, 512);
}

TEST_F(FrameworkTest, AWideRaceModeFallsStraightTo640By480) {
    ASSERT_EQ(Create(), 0);
    PlatHeadlessSetHardwareLimit(1024);
    DisplayConfig = {1280, 1024, 16, 0, 0, 1};
    WantedWidth = 1280;
    WantedHeight = 1024;
    ASSERT_EQ(RecreateDisplay(1), 1);
    TryLowerModes();
    EXPECT_EQ(TargetSize(), "640x480");
    EXPECT_TRUE(PlatDeviceIsHardware(FrameworkDevice()));
}

TEST_F(FrameworkTest, TheLadderEndsAtItsLastRung) {
    ASSERT_EQ(Create(), 0);
    PlatHeadlessSetHardwareLimit(100);   // no mode works on the hardware
    DisplayConfig = {640, 480, 16, 0, 0, 1};
    ForceDisplayRecreate = 1;
    ASSERT_EQ(RecreateDisplay(1), 1);
    ForceDisplayRecreate = 0;
    TryLowerModes();
    EXPECT_EQ(TargetSize(), "320x240");   // on the software device
    EXPECT_FALSE(PlatDeviceIsHardware(FrameworkDevice()));
    EXPECT_EQ(HardwareFailure, 1);
}

TEST_F(FrameworkTest, AnEightBitDesktopCannotRunInAWindow) {
    PlatHeadlessSetDesktop(640, 480, 8);
    WindowedMode = 1;
    const int code = Create();
    EXPECT_EQ(code, (int)FWERR_NEEDS_16BIT_DESKTOP);
    EXPECT_EQ(FrameworkRenderTarget(), nullptr);
    ShowFrameworkError(code, 1);
    ASSERT_EQ(PlatHeadlessMessageBoxCount(), 1);
    EXPECT_STREQ(PlatHeadlessMessageBoxCaption(0), "Quorvix");
    const std::string text = PlatHeadlessMessageBoxText(0);
    EXPECT_EQ(text.rfind("This sample requires a 16-bit (or higher) display mode\nto run in a window.", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 28), "\n\nThis sample will now exit.");
}

TEST_F(FrameworkTest, InAWindowTheBackBufferTakesTheClientSize) {
    PlatHeadlessSetDesktop(800, 600, 32);
    WindowedMode = 1;
    ASSERT_EQ(Create(), 0);
    EXPECT_EQ(TargetSize(), "800x600");
    // The game's 16-bit pixels on a 32-bit desktop: the presenter converts.
    EXPECT_EQ(PlatSurfaceFormat(FrameworkRenderTarget()), PLAT_PF_RGB565);
    EXPECT_EQ(ShowFrame(), DD_OK);
}

TEST_F(FrameworkTest, RunningOutOfVideoMemoryIsReportedAsSuch) {
    PlatSetVideoMemorySize(640 * 480 * 2);   // room for the primary only
    const int code = Create();
    EXPECT_EQ(code, (int)FWERR_OUT_OF_VIDEO_MEMORY);
    EXPECT_EQ(HardwareFailure, 1);   // the software device was tried as well
    EXPECT_EQ(PlatSurfaceLiveCount(), 0);
    PlatSetVideoMemorySize(256u << 20);
    EXPECT_EQ(Create(), 0);
}

TEST_F(FrameworkTest, ErrorKindsAndTexts) {
    ShowFrameworkError((int)FWERR_OUT_OF_VIDEO_MEMORY, 1);
    ShowFrameworkError((int)0x81000004u, 1);   // no text of its own
    ShowFrameworkError((int)FWERR_NO_ZBUFFER, 0);
    ASSERT_EQ(PlatHeadlessMessageBoxCount(), 2);
    EXPECT_STREQ(PlatHeadlessMessageBoxText(0),
                 "There was insufficient video memory to use the\nhardware device.\n\nThis sample will now exit.");
    EXPECT_STREQ(PlatHeadlessMessageBoxText(1),
                 "Generic application error.\n\nEnable debug output for detailed information.\n\nThis sample will "
                 "now exit.");
    EXPECT_EQ(HardwareFailure, 0);
    ShowFrameworkError((int)FWERR_NO_3D_DEVICE, 2);
    EXPECT_EQ(HardwareFailure, 1);
    EXPECT_EQ(PlatHeadlessMessageBoxCount(), 2);
    EXPECT_STREQ(FrameworkErrorText((int)FWERR_NO_ZBUFFER), "Sin ZBuffer");
}

TEST_F(FrameworkTest, LostSurfacesAreRestoredWhenTheFrameIsPresented) {
    ASSERT_EQ(Create(), 0);
    PlatSurfaceSimulateLost(FrameworkRenderTarget());
    EXPECT_EQ(ShowFrame(), DDERR_SURFACELOST);
    PresentFrame();   // restores
    EXPECT_EQ(PlatSurfaceIsLost(FrameworkRenderTarget()), DD_OK);
    EXPECT_EQ(ShowFrame(), DD_OK);
}

TEST_F(FrameworkTest, BackBufferCopiesRetryABoundedNumberOfTimes) {
    ASSERT_EQ(Create(), 0);
    PlatSurface* source = nullptr;
    ASSERT_EQ(PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &source), DD_OK);
    PlatSurfaceFill(source, nullptr, 0x1234, PLAT_WAIT);
    PlatSurface* target = FrameworkRenderTarget();
    auto corner = [&] {
        void* bits = nullptr;
        PlatSurfaceLock(target, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, nullptr);
        const uint16_t v = *(uint16_t*)bits;
        PlatSurfaceUnlock(target);
        return v;
    };
    PlatSurfaceSimulateBusy(target, 1000000000);   // never finishes
    CopyToBackBuffer(source, 640, 480);
    EXPECT_EQ(corner(), 0);   // given up, and the frame goes on
    PlatSurfaceSimulateBusy(target, 3);
    CopyToBackBuffer(source, 640, 480);
    EXPECT_EQ(corner(), 0x1234);
    PlatSurfaceRelease(source);
}

// The developer's window keys: F12 puts the game in a window and back,
// the window keeping its place and size between the two; without the
// developer switch the key does nothing, while the command itself works.
TEST_F(FrameworkTest, TheWindowedKeySwitchesTheWindowAndKeepsItsPlace) {
    PlatHeadlessSetDesktop(800, 600, 32);
    ASSERT_EQ(Create(), 0);
    AppActive = 1;
    AppReady = 1;
    WindowRect = {0, 0, 800, 600};   // as start-up keeps it
    Key(VK_F12);
    EXPECT_EQ(WindowedMode, 0) << "not a developer";

    DeveloperSwitch = 1;
    SingleStepRequest = 0;
    Key(VK_F12);
    EXPECT_EQ(WindowedMode, 1);
    EXPECT_EQ(PlatHeadlessWindowIsFullScreen(), 0);
    EXPECT_EQ(PlatHeadlessWindowModeChanges(), 1);
    EXPECT_EQ(TargetSize(), "800x600") << "the window's client";
    EXPECT_EQ(SingleStepRequest, 1);
    EXPECT_EQ(AppReady.load(), 1);

    // The player moves and sizes the window; full screen keeps its place.
    const PlatRect moved = {100, 50, 800, 550};
    PlatWindowSetRect(&moved);
    Key(VK_F12);
    EXPECT_EQ(WindowedMode, 0);
    EXPECT_EQ(PlatHeadlessWindowIsFullScreen(), 1);
    EXPECT_EQ(TargetSize(), "640x480") << "the display mode again";
    EXPECT_EQ(WindowRect.left, 100);
    EXPECT_EQ(WindowRect.bottom, 550);

    // Meanwhile the window was put elsewhere; back in a window it has its
    // kept place again.
    const PlatRect elsewhere = {0, 0, 320, 240};
    PlatWindowSetRect(&elsewhere);
    EXPECT_EQ(MainWindowProc(WM_COMMAND, CMD_TOGGLE_WINDOWED, 0), 0);
    EXPECT_EQ(WindowedMode, 1);
    PlatRect now;
    PlatWindowGetRect(&now);
    EXPECT_EQ(now.left, 100);
    EXPECT_EQ(now.top, 50);
    EXPECT_EQ(TargetSize(), "700x500");
    EXPECT_EQ(PlatHeadlessWindowModeChanges(), 3);
    EXPECT_EQ(PlatHeadlessCursorShown(), 1) << "nobody hid it yet";
    EXPECT_EQ(MainWindowProc(WM_SETCURSOR, 0, 0), 1);
    EXPECT_EQ(PlatHeadlessCursorShown(), 0) << "the game draws its own pointer, in a window too";
}

// In a window the game's pointer is where the system pointer is: in the
// menus, whose 640 x 480 picture lies in the back buffer's corner as it is,
// pixel for pixel; in a race, whose 2D is scaled over the whole surface,
// scaled down to the layout.  Full screen keeps the game's own pointer.
TEST_F(FrameworkTest, InAWindowTheGamesPointerIsTheSystemPointer) {
    PlatHeadlessSetDesktop(1024, 768, 32);
    ASSERT_EQ(Create(), 0);
    AppActive = 1;
    AppReady = 1;
    DeveloperSwitch = 1;
    ASSERT_EQ(MouseInit(1), 1);
    PollMouse(1, 0);
    auto systemPointer = [](int x, int y) {
        PlatHeadlessQueueEvent(PlatTimeMs(), WM_MOUSEPOSITION, (uintptr_t)x, y);
        Drain();
        PollMouse(1, 1);
    };

    MouseFloatX = 320.0f;
    MouseFloatY = 250.0f;
    systemPointer(900, 700);
    EXPECT_EQ(MouseX, 320) << "full screen: the pointer moves by counts only";
    EXPECT_EQ(MouseY, 250);

    Key(VK_F12);
    ASSERT_EQ(WindowedMode, 1);
    PresentFrame();
    FrontEndActive = 1;
    systemPointer(500, 300);
    EXPECT_EQ(MouseX, 500);
    EXPECT_EQ(MouseY, 300);
    systemPointer(900, 700);
    EXPECT_EQ(MouseX, 637) << "beyond the menus' picture: at its edge";
    EXPECT_EQ(MouseY, 477);

    FrontEndActive = 0;
    UpdateScreenMetrics();
    systemPointer(512, 384);
    EXPECT_EQ(MouseX, 320);
    EXPECT_EQ(MouseY, 240);
    // A poll in which the system pointer did not move leaves the game's
    // own moves alone (the return to the menus puts it at 320, 250).
    MouseFloatX = 320.0f;
    MouseFloatY = 250.0f;
    PollMouse(1, 1);
    EXPECT_EQ(MouseY, 250);

    Key(VK_F12);
    ASSERT_EQ(WindowedMode, 0);
    systemPointer(10, 10);
    EXPECT_EQ(MouseX, 320);
    MouseRelease();
}

// The driver dialog, answered by keys: Up moves the focus from OK to the
// mode list, Right steps through the modes, Enter ends it; the choice goes
// through the framework's change path to a new device in that mode.
TEST_F(FrameworkTest, TheDriverDialogChoosesAModeThatTheDisplayTakes) {
    ASSERT_EQ(Create(), 0);
    AppActive = 1;
    AppReady = 1;
    DeveloperSwitch = 1;
    SingleStepRequest = 0;
    const int presents = PlatDisplayPresentCount();
    // 640 x 480 x 16, then 320 x 240, 400 x 300, 512 x 384, 800 x 600.
    DialogKeys({VK_UP, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN});
    DriverDialogKey();
    EXPECT_EQ(TargetSize(), "800x600");
    EXPECT_STREQ(Selected().modes[Selected().selectedMode].label, "800 x 600 x 16 bit");
    EXPECT_EQ(WindowedMode, 0);
    EXPECT_EQ(AppReady.load(), 1) << "the pause of the dialog is over";
    EXPECT_EQ(SingleStepRequest, 1);
    EXPECT_GT(PlatDisplayPresentCount(), presents + 5) << "the dialog was shown while it waited";
    EXPECT_FALSE(PlatHeadlessEventsWaiting());

    // Escape, or Enter on Cancel, or OK with nothing changed: no change.
    DialogKeys({VK_UP, VK_LEFT, VK_ESCAPE});
    DriverDialogKey();
    DialogKeys({VK_RIGHT, VK_RETURN});   // OK -> Cancel
    DriverDialogKey();
    DialogKeys({VK_UP, VK_RIGHT, VK_LEFT, VK_RETURN});
    DriverDialogKey();
    EXPECT_EQ(TargetSize(), "800x600");
    EXPECT_EQ(PlatHeadlessWindowModeChanges(), 0);

    // Left of the first mode is "Windowed mode".
    DialogKeys({VK_UP, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_LEFT, VK_RETURN});
    DriverDialogKey();
    EXPECT_EQ(WindowedMode, 1);
    EXPECT_EQ(PlatHeadlessWindowIsFullScreen(), 0);
    EXPECT_EQ(TargetSize(), "640x480") << "the window's client";
    EXPECT_TRUE(PlatDeviceIsHardware(FrameworkDevice()));

    // The device list: the software device, with its own mode and window.
    DialogKeys({VK_UP, VK_UP, VK_RIGHT, VK_RETURN});
    DriverDialogKey();
    EXPECT_FALSE(PlatDeviceIsHardware(FrameworkDevice()));
    EXPECT_STREQ(Selected().name, "RGB Emulation");
    EXPECT_EQ(WindowedMode, 1);
}

// Nobody left to answer (the queued input is spent), or the window asked
// to close: the dialog ends as Cancel, and the close request is put back
// for the message loop.
TEST_F(FrameworkTest, TheDriverDialogEndsWhenNobodyCanAnswerOrTheWindowCloses) {
    ASSERT_EQ(Create(), 0);
    AppActive = 1;
    AppReady = 1;
    EXPECT_EQ(DriverDialog(1, 0), 2);
    DialogKeys({VK_UP, VK_RIGHT});
    PlatHeadlessQueueEvent(PlatTimeMs() + 200, WM_CLOSE, 0, 0);
    EXPECT_EQ(MainWindowProc(WM_COMMAND, CMD_DRIVER_DIALOG, 0), 0);
    EXPECT_EQ(TargetSize(), "640x480");
    EXPECT_EQ(AppReady.load(), 1);
    PlatMsg msg = {};
    ASSERT_EQ(PlatPeekMessage(&msg), 1);
    EXPECT_EQ(msg.message, WM_CLOSE);
}

TEST_F(FrameworkTest, PausesAreCountedAndReadyOnlyAtZero) {
    ASSERT_EQ(Create(), 0);
    PauseFramework(1);
    PauseFramework(1);
    EXPECT_EQ(AppReady.load(), 0);
    PauseFramework(0);
    EXPECT_EQ(AppReady.load(), 0);
    PauseFramework(0);
    EXPECT_EQ(AppReady.load(), 1);
    PauseFramework(0);   // an extra resume does not go negative
    PauseFramework(1);
    EXPECT_EQ(AppReady.load(), 0);
}
