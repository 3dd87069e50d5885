#include "frame/frame_update.h"

#include <cstdio>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "frame/framework.h"
#include "frame/handover_trace.h"
#include "frame/input.h"
#include "frame/joystick.h"
#include "frame/sim_lock.h"
#include "frame/tick.h"
#include "frame/utils.h"
#include "frame/window_proc.h"
#include "frontend/career.h"
#include "frontend/frontend_state.h"
#include "frontend/menu_frame.h"
#include "frontend/menu_panels.h"
#include "frontend/progress.h"
#include "frontend/race_overlays.h"
#include "frontend/race_select.h"
#include "frontend/records.h"
#include "frontend/replay_header.h"
#include "frontend/text_entry.h"
#include "frontend/text_slots.h"
#include "net/net_drive.h"
#include "net/net_state.h"
#include "net/net_texts.h"
#include "net/remote_cars.h"
#include "net/session.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "race/hud.h"
#include "race/laps.h"
#include "race/messages.h"
#include "race/presentation.h"
#include "race/race_frame.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/race_switches.h"
#include "race/rank_overlay.h"
#include "race/tuning.h"
#include "race/wrong_way.h"
#include "render/d3d_scene.h"
#include "render/d3d_textures.h"
#include "render/debug_labels.h"
#include "render/lookup_tables.h"
#include "render/model_sets.h"
#include "render/render_state.h"
#include "render/scene_builder.h"
#include "render/soft_frame.h"
#include "render/surfaces2d.h"
#include "render/text_printer.h"
#include "render/textures.h"
#include "sound/music.h"
#include "sound/sound_control.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"
#include "track/asset_paths.h"
#include "track/editors.h"
#include "track/scene_points.h"
#include "track/track_files.h"

// Prints a text slot on the back buffer with ForceTargetBlit on.
static void PrintSlotOnTarget(int slot, int x, int y, int font) {
    GetText(slot);
    ForceTargetBlit = 1;
    PrintText(x, y, TextBufferB, font, ALIGN_CENTRE, GetRenderTarget(), 0);
    ForceTargetBlit = 0;
}

void StartRaceHandover() {
    const int keptSoundOn = SoundOn;
    SoundOn = 0;
    STEP(StopTickTimer());
    STEP(PlatSleepMs(10));
    FrontEndActive = 0;

    if (!STEP(PrepareRace())) {
        // No track to load: the menus go on where they were.
        StartRaceRequest = 0;
        FrontEndActive = 1;
        SoundOn = keptSoundOn;
        STEP(PlayErrorSound());
        STEP(StartTickTimer(17, MainWindow));
        return;
    }
    STEP(ApplyReplayHeader());   // a playback keeps the track and cars of its header
    STEP(ApplyRaceSwitches());
    STEP(FadeEffectsStep());
    STEP(SetTrackFolder());
    STEP(LoadZones());

    // The menu music fades out over the race's first ticks; its wave
    // outlives the bank freed here.
    MusicFadeActive = 1;
    if (!SoundUnavailable) {
        STEP(ResetRaceSounds());
        STEP(FreeAllWaves());
        STEP(LoadSoundBank());
        STEP(SetCrowdPoints());
    }

    TimerTicks = 0;
    PrevFrameTickCount = 0;
    LastFrameTicks = 1;
    DayCarArt = 1;
    SceneReady = 0;

    STEP(ClearScreens());
    STEP(PresentFrame());
    STEP(ClearScreens());
    STEP(PresentFrame());
    RaceClock.seconds = 0;

    if (SettingsInts[0] == 1 || (SplitScreen && SettingsInts[1] == 1)) {
        if (JoystickActive)
            STEP(JoystickRelease());
        JoystickDeadzone = 1000;
        JoystickActive = STEP(JoystickInit(AppInstance, MainWindow)) != 0;
    }

    WantedWidth = DisplayConfig.width;
    WantedHeight = DisplayConfig.height;
    WantedDepth = DisplayConfig.bitDepth;
    STEP(RecreateDisplay(1));
    STEP(TryLowerModes());

    STEP(FreeHudSurfaces());
    STEP(LoadHudSurfaces());
    STEP(FreePreloadedMenuGfx());
    STEP(FreeMenuGfxCache());
    GetRenderTarget();

    RacePhase = 1;
    AnimTicks = 31;
    LastFrameTicks = 0;
    STEP(ShowWorldPreview());
    STEP(BlitLoadingScreen());
    FullSizeFonts = 0;
    STEP(PrintSlotOnTarget(26, 320, 440, 1));
    STEP(PresentFrame());

    FinishSequence = 0;
    RacePhase = 0;
    ReplayPlaying = 0;
    RaceOver = 0;
    STEP(SetTrackFolder());
    STEP(StartRace());

    STEP(ClearRaceObjectCounters());
    VertexTotal = 0;
    TriangleTotal = 0;
    STEP(LoadTrackData());
    TextureReloadFlag = 1;
    TexturesReloading = 1;
    STEP(PrepareTrackGraphics(GetRenderTarget()));

    StartRaceRequest = 0;
    ReplayRecording = 1;
    ReplayPlayback = 0;
    RacePhase = 2;
    InRaceMenuCounter = 12;

    if (NetSessionOpen) {
        STEP(PrintSlotOnTarget(27, 320, 400, 1));
        STEP(PresentFrame());
        STEP(WarmUpRemoteCars());
        STEP(WaitAllLoaded());
        if (!NetIsHost)
            STEP(PlatSleepMs(1000));
    }

    STEP(ApplyReplayHeader());

    if (!SplitScreen && !NetworkGame && !ReplayPlayback) {
        StartStage = 4;
        PresentationRun = 1;
        PresentationCamera = 1;
    } else {
        PresentationRun = 0;
        PresentationCamera = 0;
    }

    STEP(ReloadTextureTable());

    SoundOn = keptSoundOn;
    SceneReady = 1;
    TimerTicks = 0;
    PrevFrameTickCount = 0;
    LastFrameTicks = 1;
    TextureSortPairCount = 0;

    STEP(StartTickTimer(16, MainWindow));
    STEP(PlatSleepMs(10));
    FrameRateRestart = 1;
    FramesPerSecond = 11;
}

void BackToMenusHandover() {
    STEP(SaveRaceLeft());
    ReplayFromFile = 0;
    AttractIdleTimer = 0;
    SaveFallenRecords();

    STEP(ClearScreens());
    STEP(PresentFrame());
    STEP(ClearScreens());
    STEP(PresentFrame());

    SceneReady = 0;
    STEP(DrawTimedMessages(1));
    STEP(CaptureScreen());
    STEP(FreeHudSurfaces());
    STEP(FreeMenuGfxCache());

    WantedWidth = 640;
    WantedHeight = 480;
    WantedDepth = 16;
    BackToMenusRequest = 0;
    MenuScreenShown = 0;
    FrontEndActive = 1;

    if (!SoundUnavailable) {
        STEP(FadeEffectsStep());
        STEP(StopMusicAndMute());
        {
            // The tick may still run here and step the engine sounds.
            SimLockGuard lock;
            STEP(ResetRaceSounds());
        }
        STEP(FreeAllWaves());
        STEP(LoadSoundBank());
        STEP(SetCrowdPoints());
        STEP(ResetChannelFrequencies());
    }

    STEP(CheckProgressNotice());
    if (CareerWinMarker > 0)
        STEP(AwardRaceWin());

    STEP(RecreateDisplay(0));
    GetRenderTarget();
    STEP(LoadHudSurfaces());
    STEP(PrintSlotOnTarget(26, 320, 440, 1));
    STEP(PresentFrame());
    STEP(LoadMenuGfxSet());
    STEP(PreloadMenuGfx());
    STEP(BuildColourRamp(0, 0, 0));

    BackToMenusRequest = 0;
    MenuScreenShown = 0;
    FrontEndActive = 1;
    STEP(StopTickTimer());
    STEP(StartTickTimer(17, MainWindow));

    TextureSortPairCount = 0;
    STEP(ClearRaceObjectCounters());
    VertexTotal = 0;
    TriangleTotal = 0;
    ReplayPlaying = 0;
    TypedChar = 0;
    RacePaused = 0;
    MouseFloatX = 320.0f;
    MouseFloatY = 250.0f;
    MouseX = 320;
    MouseY = 250;
    SceneReady = 1;

    if (MusicEnabled == 1 && !MenuMusicHeld)
        STEP(PlayTrackMusic(0));
    if (NewBonusSoundPending == 1)
        STEP(PlayNewBonusSound());

    TimerTicks = 0;
    PrevFrameTickCount = 0;
    LastFrameTicks = 1;
}

static int EditorSum() {
    return TuningPanelOn + ZoneEditorOn + LightEditorOn + CollisionEditorOn + CpuLineEditorOn + TextLabelsOn;
}

static void RunDeveloperOverlays(PlatSurface* target) {
    EditorOpen = EditorSum();
    BeginEditorFrame();
    if (TuningPanelOn == 1) {
        SimLockGuard lock;   // the panel edits the cars' bodies
        DrawTuningPanel(target);
    }
    if (ZoneEditorOn == 0) {
        SimLockGuard lock;
        DrawPhysicsValues(target);
    } else if (ZoneEditorOn == 1)
        RunZoneEditor(target);
    if (LightEditorOn == 1)
        DrawEditorInfo(target);
    if (CollisionEditorOn == 1)
        RunCollisionEditor(target);
    if (CpuLineEditorOn == 1)
        RunCpuLineEditor(target);
    if (EditorMenuOn == 1)
        RunEditorMenu(target);
    if (TextLabelsOn == 1)
        DrawTextLabels(target);
    DrawZoneDisplay(target);
    RunLightEditor(target);
    DrawLightCursor(target);
    DrawReplayLogo(target);
    ShowTimedNotice(0);
}

static void WriteRequestedScreenshot(PlatSurface* target) {
    if (ScreenshotRequest != 1)
        return;
    char name[16];
    snprintf(name, sizeof name, "%04d.TGA", ScreenshotCounter);
    ScreenshotCounter++;
    SaveScreenshotTga(name, target);
    ScreenshotRequest = 0;
}

int FrameUpdate() {
    if (!TestCooperativeLevel() || !AppActive)
        return 0;

    PopTypedChar();
    NetDriveFrame();
    if (!FrontEndActive) {
        // Leaving closes the session, which waits for the receive thread:
        // not under the lock, which that thread's handlers take.
        NetLeaveLostRace();
        // The menus carry out the network's lines in their own frame; the
        // tick ages the console lines under the lock.
        SimLockGuard lock;
        NetFrameWork();
    }
    {
        // The fly-by camera reads the screen's width on the tick.
        SimLockGuard lock;
        UpdateScreenMetrics();
    }

    if (GameLogicRunning || SingleStepRequest) {
        SingleStepRequest = 0;
        // Floats are single precision throughout, so no precision switch
        // is needed around the race update.
        if (!EditorMenuOn) {
            SimLockGuard lock;
            UpdateRaceFrame();
        }
        if (!FrontEndActive && FrameTicks != 0 && RenderKind == 0) {
            SimLockGuard lock;
            DrawRaceFrame();
        }
    }

    SelectViewport(0);
    RectI screenRect = {0, 0, SurfaceWidth, SurfaceHeight};
    if ((FrameTicks != 0 && !FrontEndActive && RenderKind == 1) || PauseMenuOpen) {
        SimLockGuard lock;
        if (RenderScene(GetDevice3D(), CurrentViewport, &screenRect) < 0)
            return FRAME_E_FAIL;
    }

    PlatSurface* target = GetRenderTarget();
    DrawPresentationText(target);
    RunHelpOverlay(target);
    RunPauseMenu(target);
    if (ConsoleLineCount() > 0)
        ConsoleDraw();
    SaveReplayPrompt(target);
    DrawCarNameTags(target);

    if (NetSessionOpen && NetWaitingForPlayer) {
        GetText(595);
        PrintOnBackBuffer(320, 400, TextBufferB, 2, ALIGN_CENTRE);
    }

    if (!FrontEndActive) {
        SimLockGuard lock;
        for (int p = 0; p <= SplitScreen && p < 2; p++) {
            if (LapsDone[p] != LapsToRun) {
                PlayerRaceTime[p].minutes = RaceClock.minutes;
                PlayerRaceTime[p].seconds = RaceClock.seconds;
                PlayerRaceTime[p].ticks = RaceClock.ticks;
            }
        }
        const int keptCar = CurrentCar;
        for (CurrentCar = 0; CurrentCar < CarCount; CurrentCar++)
            LapAndFinish();
        CurrentCar = keptCar;
    }

    DrawRaceHudPanel(target);
    RecordsChanged = 0;
    DrawTimedMessages(0);

    if (NetSessionOpen && NetStartSignal && RacePhase != 0) {
        NetStartSignal = 0;
        RacePhase = 0;
        FinishSequence = 0;
    }

    if (StartRaceRequest == 1) {
        StartRaceHandover();
        return 0;
    }

    if (FrontEndActive == 1) {
        if (StartRaceRequest == 0) {
            MenuFrameRan = 1;
            RunMenuFrame(target, GetDevice3D(), CurrentViewport, &screenRect);
            if (!SoundUnavailable) {
                UpdateMenuHoverSounds();
                PlayScrollSound(MenuRefreshFlag, 1);
            }
        }
        ClearTargetFrames = 0;
        if (RenderKind == 1)
            CopyToBackBuffer(WorkSurface, 640, 480);
        const int screen = MenuScreenShown;
        if (screen == 5 || (screen == 19 && StartRaceRequest == 0)) {
            SimLockGuard lock;
            BuildScene(0, 0);
            if (!ShowroomHidden) {
                if (RenderKind == 1)
                    RenderScene(GetDevice3D(), CurrentViewport, &screenRect);
                else
                    DrawRaceFrame();
            }
        }
        if (RenderKind == 0)
            CopyToBackBuffer(WorkSurface, 640, 480);
    } else if (RenderKind == 0 && BackToMenusRequest != 1) {
        CopyToBackBuffer(WorkSurface, SurfaceWidth, SurfaceHeight);
    }

    // The way back re-creates the display, which frees the back buffer this
    // frame has drawn on so far: the rest of the frame draws on the new one.
    if (BackToMenusRequest == 1) {
        BackToMenusHandover();
        target = GetRenderTarget();
    }

    DrawFrameRate(target, MeasureFrameRate());
    if (SceneReady == 1 && !FrontEndActive && !PresentationCamera)
        CheckWrongWay(target);
    RankDebugOverlay(target);
    DrawMapDots(target);

    RunDeveloperOverlays(target);

    if (FrameTicks > 0 || FrontEndActive == 1 || RacePaused == 1 || PauseMenuOpen == 1) {
        HandoverTrace("frame presented");
        PresentFrame();
    }

    WriteRequestedScreenshot(target);
    return 0;
}
