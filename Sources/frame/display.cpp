#include "frame/display.h"

#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/sim_lock.h"
#include "frame/video.h"
#include "platform/plat_clock.h"
#include "platform/plat_surface.h"
#include "platform/plat_window.h"
#include "race/race_frame.h"
#include "race/race_state.h"
#include "render/d3d_scene.h"
#include "render/d3d_textures.h"
#include "render/lookup_tables.h"
#include "render/render_state.h"
#include "render/surfaces2d.h"
#include "render/text_printer.h"
#include "sound/music.h"
#include "sound/sound_control.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/scene_points.h"

int OpenFramework() {
    int code = EnumerateDrivers(ConfirmDevice);
    if (code >= 0) {
        int driver = 0, device = 0;
        GetSelectedDriver(&driver, &device);
        code = CreateFramework(MainWindow);
    }
    if (code < 0) {
        ReleaseFramework();
        ShowFrameworkError(code, 1);
        return 0;
    }
    return 1;
}

int RecreateDisplay(int raceDisplay) {
    DisplayRecreated = 0;
    if (WantedWidth == CurrentModeWidth && WantedHeight == CurrentModeHeight && WantedDepth == CurrentModeDepth &&
        !ForceDisplayRecreate)
        return 0;

    DisplayRecreated = 1;
    DeleteDeviceObjects();
    // A race's textures outlive its display: the device hooks make them
    // again for the new device.
    if (!raceDisplay)
        TextureFreeAll();
    FreeDriverList();
    ReleaseFramework();
    // A video the menus asked for plays on the display in between.
    if (ForceDisplayRecreate)
        VideoHook(VideoRequest);

    if (!OpenFramework())
        return 0;

    PlatShowCursor(0);
    AppActive = 1;
    AppReady = 1;
    InitDeviceObjects(FrameworkDevice(), CurrentViewport);
    UpdateScreenMetrics();
    if (WorkSurface) {
        PlatSurfaceRelease(WorkSurface);
        WorkSurface = nullptr;
        PlatSurfaceCreate(640, 1440, PLAT_PF_DISPLAY, PLAT_SURF_SYSTEMMEMORY, &WorkSurface);
    }
    ClearScreens();
    PresentFrame();
    ClearScreens();
    PresentFrame();
    return 1;
}

// After a race start: when the race mode fell back to a software device,
// walk down the modes until the hardware device works.
void TryLowerModes() {
    if (!HardwareFailure)
        return;
    WantedWidth = DisplayConfig.width;
    WantedHeight = DisplayConfig.height;
    WantedDepth = DisplayConfig.bitDepth;
    if (DisplayConfig.width > 1024) {
        WantedWidth = 640;
        WantedHeight = 480;
        RecreateDisplay(1);
        return;
    }
    static const int ladder[5][2] = {{1024, 768}, {800, 600}, {640, 480}, {512, 384}, {320, 240}};
    int first;
    switch (DisplayConfig.width) {
    case 1024: first = 1; break;
    case 800: first = 2; break;
    case 640: first = 3; break;
    case 512: first = 4; break;
    default: return;
    }
    for (int i = first; i < 5 && HardwareFailure; i++) {
        HardwareFailure = 0;
        WantedWidth = ladder[i][0];
        WantedHeight = ladder[i][1];
        RecreateDisplay(1);
    }
}

void ReinitDisplayAndMenus() {
    VideoSkipped = 0;   // the menus read it afterwards: set by this video only
    SceneReady = 0;
    RacePaused = 1;
    FreeHudSurfaces();
    FreeMenuGfxCache();
    FreePreloadedMenuGfx();
    StopMusicAndMute();
    StopBusyChannels();
    FreeAllWaves();
    WantedWidth = 640;
    WantedHeight = 480;
    WantedDepth = 16;
    ForceDisplayRecreate = 1;
    RecreateDisplay(0);
    LoadSoundBank();
    SetCrowdPoints();
    if (MusicEnabled == 1)
        PlayTrackMusic(0);
    LoadHudSurfaces();
    LoadMenuGfxSet();
    PreloadMenuGfx();
    BuildColourRamp(0, 0, 0);
    SceneReady = 1;
    RacePaused = 0;
}

void UpdateScreenMetrics() {
    // The render target's own size; 640 x 480 while there is none.
    PlatSurface* target = FrameworkRenderTarget();
    ScreenRight = (float)(target ? PlatSurfaceWidth(target) : 640);
    ScreenBottom = (float)(target ? PlatSurfaceHeight(target) : 480);
    SurfaceWidth = (int)(ScreenRight + 0.5f);
    SurfaceHeight = (int)(ScreenBottom + 0.5f);
    ScreenCentreX = ScreenRight * 0.5f;
    ScreenCentreY = ScreenBottom * 0.5f;
    SmallScreen = DisplayConfig.width < 640 || DisplayConfig.height < 480;
    // A replay's cameras set their own zoom: the replay being shown, or the
    // replay camera feeding the view in playback.
    const int editorOpen = EditorOpen;
    if ((ReplayPlaying || ReplayPlayback) && !editorOpen)
        return;
    if (!PresentationCamera) {
        ViewFocalScale = ScreenRight * 0.35f;
        ViewFocalScaleCopy = ViewFocalScale;
    }
}

float MeasureFrameRate() {
    static int frames;
    static float windowStart;
    static float rate;
    static float raceSum;
    static int raceCount;
    const float now = (float)PlatTimeMs() * 0.001f;
    frames++;
    if (FrameRateRestart) {
        windowStart = now;
        FrameRateRestart = 0;
    }
    if (now - windowStart > 1.0f) {
        rate = (float)frames / (now - windowStart);
        frames = 0;
        windowStart = now;
        if (!FrontEndActive) {
            raceSum += rate;
            raceCount++;
            FramesPerSecond = (int)rate;
            FramesPerSecondMean = raceSum / (float)raceCount;
        }
    }
    return rate;
}

void PresentFrame() {
    if (!TestCooperativeLevel())
        return;
    if (ShowFrame() != 0) {
        RestoreSurfaces();
        RestoreSurfacesHook();
    }
}

void BlitLoadingScreen() {
    StretchToBackBuffer(ScreenCopySurface);
    FrameTicks = 1;
}

void SelectViewport(int index) {
    if (index < 0 || index > 2)
        return;
    CurrentViewport = index;
    FrameworkSelectViewport(index);
}

PlatSurface* GetRenderTarget() { return FrameworkRenderTarget(); }
PlatDevice* GetDevice3D() { return FrameworkDevice(); }

void PrintOnBackBuffer(int x, int y, const char* text, int font, int align) {
    PrintText(x, y, text, font, align, GetRenderTarget(), 0);
}

void LoadProgressHook(int) {}

void WaitSeconds(float seconds) {
    const uint32_t start = PlatTimeMs();
    const uint32_t span = seconds > 0.0f ? (uint32_t)(seconds * 1000.0f) : 0;
    while (PlatTimeMs() - start < span)
        PlatClockSpin();
    SimLockGuard lock;
    SnapshotCars();
    SortCarsByCameraDistance();
}
