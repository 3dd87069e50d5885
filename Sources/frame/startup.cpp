#include "frame/startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/display.h"
#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/frame_update.h"
#include "frame/framework.h"
#include "frame/handover_trace.h"
#include "frame/input.h"
#include "frame/joystick.h"
#include "frame/script_checks.h"
#include "frame/tick.h"
#include "frame/utils.h"
#include "frame/video.h"
#include "frame/vfs.h"
#include "frame/window_proc.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_init.h"
#include "frontend/menu_panels.h"
#include "frontend/settings.h"
#include "frontend/text_slots.h"
#include "frontend/visual_settings.h"
#include "net/net_state.h"
#include "net/session.h"
#include "platform/plat_file.h"
#include "platform/plat_ini.h"
#include "platform/plat_process.h"
#include "platform/plat_script.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "race/car_pose.h"
#include "race/presentation.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "render/d3d_textures.h"
#include "render/geometry.h"
#include "render/lookup_tables.h"
#include "render/render_state.h"
#include "render/surfaces2d.h"
#include "sound/sound_session.h"
#include "track/track_state.h"

int FramesRun;

static const char* const kDisplayConfigPath = "Config\\Vondel.cfg";

int ActivateRunningInstance() { return PlatInstanceAcquire(); }

void RunSetupProgram(int) {
    if (PlatRunProgramAndWait(".\\VideoSetup.exe") < 0)
        PlatMessageBox("Error", "Program not found.\nCheck CDROM.", PLAT_MB_OK);
}

const LanguageRecord* SelectLanguage() {
    char name[32];
    PlatIniGetString("config\\vondel.ini", "Main", "language", "english", name, sizeof name);
    for (const LanguageRecord& row : LanguageTable) {
        if (strcmp(row.name, name) == 0)
            return &row;
    }
    return &LanguageTable[0];
}

// The record is 24 bytes; a shorter file is unreadable and a longer one is
// read for its first 24 bytes.  A display kind other than 0 or 1 means the
// Direct3D path.
int ReadDisplayConfig() {
    unsigned char image[256];
    if (ReadWholeFile(kDisplayConfigPath, image, sizeof image) < 0 || LastFileSize < (int)sizeof DisplayConfig)
        return 0;
    memcpy(&DisplayConfig, image, sizeof DisplayConfig);
    if (DisplayConfig.displayKind != 0 && DisplayConfig.displayKind != 1)
        DisplayConfig.displayKind = 1;
    return 1;
}

// Every feature the game asks of DirectX 7 is provided by the platform
// layer, so the probe always finds the newest version on the NT family.
void GetDxVersion(int* version, int* platform) {
    *version = 0x700;
    *platform = 2;
}

int CheckDirectX() {
    if (QueryFileSize("config\\dx.dat"))
        return 1;
    int version = 0, platform = 0;
    GetDxVersion(&version, &platform);
    char report[128 + TEXT_BUFFER_SIZE];   // the OS and DirectX lines, then a text slot
    const char* os = platform == 1 ? "OS:\tWindows 9x\n" : platform == 2 ? "OS:\tWindows NT\n" : "Error!\n";
    const char* dx;
    switch (version) {
    case 0: dx = "Dx:\tNo DirectX installed"; break;
    case 0x100: dx = "Dx:\tDirectX 1"; break;
    case 0x200: dx = "Dx:\tDirectX 2"; break;
    case 0x300: dx = "Dx:\tDirectX 3"; break;
    case 0x500: dx = "Dx:\tDirectX 5"; break;
    case 0x600: dx = "Dx:\tDirectX 6"; break;
    case 0x601: dx = "Dx:\tDirectX 6.1"; break;
    case 0x700: dx = "Dx:\tDirectX 7 or better"; break;
    default: dx = "Unknown version of DirectX installed."; break;
    }
    if (version == 0x700) {
        const char marker[2] = {'D', 'X'};
        WriteWholeFile("Config\\dx.dat", 2, marker);
        return 1;
    }
    GetText(17);
    snprintf(report, sizeof report, "%s%s\n\n%s", os, dx, TextBufferB);
    PlatMessageBox("ERROR", report, PLAT_MB_ICONERROR);
    return 0;
}

// Drive letters do not exist on this platform, so no CD-ROM drive is found
// and the intro videos are looked for beside the program.
void FindCdDrive() { CdDriveLetter = 0; }
int GetCdDriveLetter() { return CdDriveLetter; }

uint64_t GetFreeDiskBytes() { return PlatDiskFreeBytes("."); }

void ReadCpuFeatures() {
#if defined(__x86_64__) || defined(__i386__) || defined(__MMX__)
    HasMmx = 1;
#else
    HasMmx = 0;
#endif
}

void SetStartDefaults() {
    TrackGroup = 1;
    TrackVariant = 0;
    TrackCode = 10;
    CarCount = 1;
    FrontEndActive = 1;
    CarBoxReady = 0;
    CarBoxesDirty = 1;
    DeveloperSwitch = CommandLine.developer;
    // Developer mode also wakes the race-order overlay.
    DebugMode = CommandLine.developer;
    StartMenuMachine();
}

static int StartupFailure(const char* caption, const char* text) {
    PlatMessageBox(caption, text, PLAT_MB_ICONERROR);
    return 0;
}

// Free space in whole mebibytes; more than 24 are needed.
static int CheckFreeDiskSpace() {
    const uint64_t mebibytes = GetFreeDiskBytes() / 1048576u;
    if (mebibytes > 24)
        return 1;
    char text[4 * TEXT_BUFFER_SIZE], part18[TEXT_BUFFER_SIZE], part19[TEXT_BUFFER_SIZE];
    GetText(18);
    snprintf(part18, sizeof part18, "%s", TextBufferB);
    GetText(19);
    snprintf(part19, sizeof part19, "%s", TextBufferB);
    GetText(20);
    snprintf(text, sizeof text, "%s\n%s %lluMB\n\n%s", part18, part19, (unsigned long long)mebibytes, TextBufferB);
    return StartupFailure("ERROR", text);
}

// Bytes 0..12 of CONFIG\visual.cfg, each sign-extended, into the options.
static void ApplyVisualSettings() {
    ReadVisualSettings();   // a whole 48-byte file, each byte held to its range
    const signed char* bytes = (const signed char*)VisualSettings;
    for (int i = 0; i < 13; i++)
        VisualOptions[i] = bytes[i];
    EffectsEnabled = bytes[1];
    EffectsOption = bytes[2];
    SkyOption = bytes[3];
    ViewMode[0] = bytes[11];
    ViewMode[1] = bytes[12];
    SetOptionToggles(bytes[1], bytes[2], bytes[3], bytes[5], bytes[4], bytes[0]);
}

int WinMain() {
    FramesRun = 0;   // --frames counts the frames of this run
    ExitRequested = 0;   // an earlier run in this process ended by asking to exit
    AppInstance = 1;
    if (!STEP(ActivateRunningInstance()))
        exit(1);

    if (!STEP(ReadDisplayConfig())) {
        STEP(RunSetupProgram(0));
        if (!ReadDisplayConfig()) {
            // The message file is normally read after this check; load it
            // here so the box says what is wrong instead of nothing.
            if (TextFileSize == 0)
                LoadMessageFile();
            GetText(21);
            return StartupFailure("ERROR", TextBufferB);
        }
    }

    int desktopWidth = 0, desktopHeight = 0;
    PlatDesktopSize(&desktopWidth, &desktopHeight);
    DesktopRect = {0, 0, desktopWidth, desktopHeight};

    if (!STEP(VfsScanArchives()))
        return StartupFailure("Virtual file system error!", "You must reinstall the game.");
    STEP(LoadMessageFile());
    STEP(FindCdDrive());
    if (!STEP(CheckDirectX()))
        return 0;
    if (!STEP(CheckFreeDiskSpace()))
        return 0;

    if (!STEP(PlatCreateWindow("Quorvix", MainWindowProc)))
        return StartupFailure("ERROR", "The window could not be created.");
    PlatShowCursor(0);
    MainWindow = 1;
    if (DisplayConfig.displayKind == 0)
        DisplayConfig.driverIndex = 0;
    WantedWidth = 640;
    WantedHeight = 480;
    WantedDepth = 16;
    WindowRect = DesktopRect;
    VideoRequest = 0;
    if (CommandLine.intro)
        VideoHook(3);

    if (!STEP(OpenFramework()))
        return 0;

    PlatShowCursor(0);
    STEP(UpdateScreenMetrics());
    STEP(ShowLoadingScreen());
    RenderKind = DisplayConfig.displayKind;
    if (RenderKind == 0)
        DisplayConfig.bitDepth = 16;
    AppReady = 1;

    STEP(ReadCpuFeatures());
    STEP(BuildReciprocalTable());
    STEP(BuildLightClampTable());
    if (!STEP(MouseInit(MainWindow)))
        PlatMessageBox("DImput", "Direct Input Error!", PLAT_MB_ICONERROR);
    STEP(InitSoundMixer());
    STEP(AllocWorkBuffers());
    STEP(SetStartDefaults());
    STEP(LoadHudSurfaces());
    STEP(LoadMenuGfxSet());
    STEP(PreloadMenuGfx());
    STEP(LoadMenuRawGraphics());
    STEP(BuildSqrtTable());
    STEP(StartRace());
    STEP(SetupLightDirection());
    PlatSurface* renderTarget = STEP(GetRenderTarget());
    STEP(LoadSettings(0));
    STEP(ApplyVisualSettings());

    STEP(ReadPixelFormat(renderTarget));
    STEP(InitMenus());
    STEP(StartTickTimer(17, MainWindow));

    STEP(LoadCameraTable());
    LoadPresentationSets();
    STEP(SaveWorkSurfaceCopy());

    return RunMessageLoop();
}

void RunIdleFrame() {
    PlatScriptPointerAt(MouseFloatX, MouseFloatY);
    PlatScriptFrame(FramesRun);
    PrevFrameTickCount = TimerTicks.load();
    // Lockstep runs (headless) advance the clock here, so the ticks fall
    // between the two readings of TimerTicks as they would on the timer thread.
    PlatFrameIdle();
    // A scripted run on a real display paces its frames by the tick (a
    // window without vertical sync would run thousands of frames a tick), so
    // the frame-stamped script drives the race as in the headless lockstep.
    if (CommandLine.script && !PlatIsHeadless()) {
        for (int waited = 0; TimerTicks == PrevFrameTickCount && waited < 100; waited++)
            PlatSleepMs(1);
    }

    const int lastFrame = CommandLine.frames > 0 && FramesRun + 1 >= CommandLine.frames;
    if (CommandLine.screenshot && (lastFrame || (CommandLine.frames == 0 && FramesRun == 0)))
        ScreenshotRequest = 1;

    int ran = 0;
    if (!ExitRequested) {
        ran = 1;
        MenuFrameRan = 0;
        if (MousePolling == 1)
            PollMouse(MainWindow, 1);
        if (FrameUpdate() < 0) {
            PlatMessageBox("Quorvix", "An error occurred during rendering.\n\nThis sample will now exit",
                           PLAT_MB_ICONERROR);
            PlatDestroyWindow();
        }
        KeyboardFrameDone();
        RunScriptChecks(FramesRun);
        FramesRun++;
    }
    LastFrameTicks = ran ? TimerTicks - PrevFrameTickCount : 0;

    if (MenuFrameRan == 1) {
        static int menuFrames;
        static float menuTicksSum;
        menuFrames++;
        menuTicksSum += (float)LastFrameTicks * 0.33333334f;
        MenuFrameTicksAverage = menuTicksSum / (float)menuFrames;
    }

    if (lastFrame)
        ExitRequested = 1;
    if (ExitRequested == 1 && PlatWindowExists())
        PlatSendMessage(WM_CLOSE, 0, 0);
}

int RunMessageLoop() {
    PlatMsg msg = {};
    for (;;) {
        if (AppActive) {
            if (PlatPeekMessage(&msg)) {
                if (msg.message == WM_QUIT)
                    break;
                PlatDispatchMessage(&msg);
                continue;
            }
        } else {
            if (!PlatGetMessage(&msg))
                break;
            PlatDispatchMessage(&msg);
            continue;
        }
        if (AppActive && AppReady)
            RunIdleFrame();
        else
            PlatFrameIdle();
    }
    return (int)msg.wParam;
}

void ShutdownApp() {
    ShowExitScreen();
    StopTickTimer();
    PlatSleepMs(10);
    KeyboardRelease();
    JoystickRelease();
    FreeWorkBuffers();
    FreeHudSurfaces();
    FreeMenuGfxCache();
    StopBusyChannels();
    ShutdownSound();
    MouseRelease();
    TextureFreeAll();
    FreeDriverList();
    ReleaseFramework();
    VfsClose();
    if (NetSessionOpen)
        ShutdownDirectPlay();
    PlatSurfaceRelease(WorkSurface);
    WorkSurface = nullptr;
}
