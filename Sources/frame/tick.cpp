#include "frame/tick.h"

#include "frame/frame_state.h"
#include "frame/sim_lock.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "net/lobby.h"
#include "net/net_state.h"
#include "net/remote_cars.h"
#include "platform/plat_timer.h"
#include "race/cameras.h"
#include "race/car_log.h"
#include "race/car_pose.h"
#include "race/cpu_driver.h"
#include "race/engine.h"
#include "race/laps.h"
#include "race/messages.h"
#include "race/particles.h"
#include "race/physics.h"
#include "race/presentation.h"
#include "race/race_frame.h"
#include "race/race_order.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "sound/music.h"
#include "sound/sound_state.h"
#include "track/collision.h"

static int slowTickCounter;   // 0..3: every fourth tick is a slow tick

int StartTickTimer(int periodMs, int) {
    StopTickTimer();
    return PlatTimerStart(periodMs, GameTickCallback);
}

void StopTickTimer() { PlatTimerStop(); }

// Decodes the control word of car s for the physics step.
static void DecodeControls(int s) { DecodeCarInputBits(CarInputBits[s]); }

// A finished car, or every car once the race is over, drives itself to a
// stop (or out of reverse).
static void DriveFinishedCar(int s) {
    if (LapsDone[s] != LapsToRun && RaceOver != 1)
        return;
    // Under the autopilot a finished car races on until every car is in.
    if (AutopilotRun && RaceOver != 1)
        return;
    ControlAccelerate = 0;
    ControlBrake = CarSpeed[s] > 30.0f;
    if (DriveDirection[s] == -1) {
        ControlAccelerate = 1;
        ControlBrake = 0;
    }
    CarFastFlags[s] = CarSpeed[s] > 34.0f;
}

static int CpuDriverWanted(int i) {
    if (NetSessionOpen) {
        if (NetAllLoaded && !NetPlayerGone[i])
            CpuNodeCopy[i] = PathNodeIndex[i];
        return NetPlayerGone[i] != 0;
    }
    if (i <= SplitScreen && !AutopilotRun)
        return 0;   // the local players
    return EditorOpen == 0;
}

static void RunCpuDriver(int i, int s) {
    if (!CpuDriverWanted(i))
        return;
    const int keptHandbrake = ControlHandbrake;
    ControlHandbrake = 0;
    // The arenas have no computer drivers; the autopilot still drives car 0.
    const int driverAllowed = TrackGroup != 5 || TrackCode == 55 || (AutopilotRun && i == 0);
    const int notFinished = LapsDone[s] != LapsToRun || (AutopilotRun && RaceOver != 1);
    const int hostDrives = !NetSessionOpen || (NetIsHost && NetPlayerGone[i]);
    if (driverAllowed && notFinished && hostDrives)
        DriveCpuCar(s);
    ControlHandbrake = keptHandbrake;
}

static void StepCar(int i) {
    const int s = EditorOpen == 1 ? 0 : i;
    const int netClient = NetSessionOpen && !NetIsHost;

    if (NetSessionOpen && NetIsHost && i > 0 && !NetPlayerGone[i])
        ApplyControlBits(i);
    DecodeControls(s);
    DriveFinishedCar(s);
    RunCpuDriver(i, s);

    if (!TickCarsHeld && !EditorOpen) {
        if (ReplayPlayback == 0)
            RecordReplayTick(i);
        else
            PlayReplayTick(i);
        StepCarPhysics(i, s);
        if (netClient)
            ApplyRemoteCar(i);
        UpdateCarHeading(s);
        UpdateBodyLean(i, s);
    }
    if (netClient && i != LocalCar)
        UpdateRemoteWheels(i);
    if (CollisionsOn == 1 && !TickCarsHeld) {
        CarBoxReady = 0;
        if (!(i == 0 && PresentationRun))
            CollideCars(s);
        CollideCarWalls(s);
    }
    WheelWorldPositions(s);
    StepCarBody(&CarBodies[i], s);
}

static void RaceTick() {
    TickParity = TickParity ^ 1;
    if (TrackGroup == 5 && TrackVariant != 5)
        CarCount = ArenaOpponents + 1;
    SavePreviousPositions();
    for (int i = 0; i < CarCount && i < MAX_CARS; i++)
        StepCar(i);
    UpdatePresentationCamera();
    if (TrackGroup == 5) {
        if (CarBoxReady == 0)
            BuildCarBoxes();
        if (TrackVariant == 5)
            CheckFinishZone();
    }
    ComputePositionDeltas();
    LogCarTick();
    UpdateParticles();
    if (NetSessionOpen && NetIsHost && NetSendPhase == 0 && NetAllLoaded)
        SendCarStates();
    ChooseTvCamera();
    UpdateReplayCamera();
}

static void MenuTick() {
    if (NetCountdownActive)
        NetCountdown();
    if (NetSessionOpen && NetIsHost && TimerTicks % 60 == 0 && MenuScreenShown == 11 && NetPlayerCount > 1)
        SendPlayerList();
    if (MenuScreenShown == 9)
        OnNetListGrew();
}

// Adds one tick to a clock; 60 ticks make a second, 60 seconds a minute.
static void AdvanceClock(ClockMST& clock) {
    clock.ticks += 1;
    if (clock.ticks > 59) {
        clock.ticks = 0;
        clock.seconds += 1;
        if (clock.seconds > 59) {
            clock.seconds = 0;
            clock.minutes += 1;
        }
    }
}

// One second less on the count-down of timed events; at 0:00 the arena
// events and the timed career race end.
static void CountDownTimeLeft() {
    TimeLeft.seconds -= 1;
    if (TimeLeft.seconds < 0) {
        TimeLeft.seconds = 59;
        TimeLeft.minutes -= 1;
        if (TimeLeft.minutes < 0) {
            TimeLeft.minutes = 0;
            TimeLeft.seconds = 0;
            if ((TrackGroup == 5 && TrackVariant != 5) || TrackCode == 31) {
                RaceOver = 1;
                EventFailed = 1;   // the banner names the failure
            }
        }
    }
}

static void AdvanceRaceClocks() {
    if (RacePaused != 0 || StartStage < 3 || PresentationRun || RaceOver || RecordsChanged)
        return;
    for (int c = 0; c < CarCount && c < MAX_CARS; c++) {
        AdvanceClock(CarRaceClock[c]);
        WriteRunningLapTime(c);
    }
    if (RaceClock.ticks + 1 > 59 && FrontEndActive == 0)
        CountDownTimeLeft();
    AdvanceClock(RaceClock);
}

static void TickBody() {
    if (!AppActive)
        return;
    AnimTicks += 1;
    // The race start stops the timer through the load, so the fade runs in
    // the race's first ticks.
    if (MusicFadeActive == 1)
        FadeMusicStep();
    TimerTicks += 1;
    TickPhase = (TickPhase + 1) & 7;
    if (ExitRequested || RacePaused)
        return;

    if (ConsoleLineCount() > 0)
        ConsoleAge();
    if (NetSessionOpen && !NetIsHost)
        SendControlBits();

    if (FrontEndActive)
        MenuTick();
    else if (SceneReady == 1)
        RaceTick();

    if (FrontEndActive == 1) {
        MenuCameraYaw += 0.011f;
        SimPitch[0] = 0.0f;
        SimRoll[0] = 0.0f;
        SimHeading[0] = MenuCameraYaw;
        WheelWorldPositions(0);
        ScrollCredits(1);
    }

    NetSendPhase += 1;
    if (NetSessionOpen && NetIsHost && NetSendPhase >= NetLatency)
        NetSendPhase = 0;

    slowTickCounter++;
    if (slowTickCounter >= 4) {
        slowTickCounter = 0;
        SlowTicksPending += 1;
    }

    AdvanceRaceClocks();
}

void GameTickCallback() {
    SimLockGuard lock;
    TickBody();
}
