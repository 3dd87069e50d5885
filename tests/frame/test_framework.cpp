// The framework: enumeration and the default choice, creation on the
// headless display, the hardware-to-software fallback and the ladder of
// lower race modes, presenting and restoring, and the error texts.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/window_proc.h"
#include "platform/plat_device.h"
#include "platform/plat_headless.h"
#include "platform/plat_headless_devices.h"
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
    EXPECT_EQ(PlatSurfaceFormat(FrameworkRenderTarget()), PLAT_PF_XRGB8888);
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

TEST_F(FrameworkTest, TheWindowedCommandRecreatesTheDeviceInAWindow) {
    ASSERT_EQ(Create(), 0);
    AppActive = 1;
    AppReady = 1;
    SingleStepRequest = 0;
    EXPECT_EQ(MainWindowProc(WM_COMMAND, CMD_TOGGLE_WINDOWED, 0), 0);
    EXPECT_EQ(WindowedMode, 1);
    EXPECT_EQ(SingleStepRequest, 1);
    EXPECT_EQ(AppReady.load(), 1);
    ASSERT_NE(FrameworkDevice(), nullptr);
    // The driver dialog has nothing to offer: no change, and still ready.
    EXPECT_EQ(MainWindowProc(WM_COMMAND, CMD_DRIVER_DIALOG, 0), 0);
    EXPECT_EQ(AppReady.load(), 1);
    EXPECT_EQ(DriverDialog(1, 0), 2);
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
