// The race's share of every frame (main thread, under the simulation lock):
// the local players' bindings into their cars' control words, the
// per-tick sub-steps of the frame, the snapshot of the simulated cars, the
// distance order, and every car's pose, zones and camera.  Also the three
// routines of the tick that keep each car's movement over the tick.

#include "race/race_frame.h"

#include <cfloat>
#include <cmath>

#include "frame/frame_state.h"
#include "frame/joystick.h"
#include "frame/utils.h"
#include "frontend/frontend_state.h"
#include "net/net_state.h"
#include "race/arena_props.h"
#include "race/cameras.h"
#include "race/car_pose.h"
#include "race/particles.h"
#include "race/race_order.h"
#include "race/race_setup.h"
#include "race/race_state.h"
#include "race/tuning.h"
#include "render/geometry.h"
#include "render/render_state.h"
#include "sound/car_sounds.h"
#include "sound/effect_sounds.h"
#include "sound/sound_state.h"
#include "track/editors.h"
#include "track/ground.h"
#include "track/zones.h"

enum {
    ACTION_ACCELERATE,
    ACTION_BRAKE,
    ACTION_LEFT,
    ACTION_RIGHT,
    ACTION_HANDBRAKE,
    ACTION_HORN,
    ACTION_TURBO,
    ACTION_LOOK_BACK,
    ACTION_GEAR_UP,
    ACTION_GEAR_DOWN,
    ACTION_CHANGE_CAMERA,
    CONTROL_ACTIONS,
};

// Rough ground shakes a force-feedback joystick: earth, grass, water,
// mixed, stone, sand, beach, surf, cross dirt, cobbles and deep water.
static const int RoughGround = 0x000ec | 0x68f00;

static int CarsInRace() { return CarCount < MAX_CARS ? (int)CarCount : MAX_CARS; }
static int ArenaRules() { return TrackGroup == 5 && TrackVariant != 5; }

// The binding set of a local player: player x 2 + device.  A device other
// than the joystick is the keyboard.
static int BindingSet(int player) { return player * 2 + (SettingsInts[player] == 1 ? 1 : 0); }

int IsControlActive(int set, int action, int player) {
    if (FrontEndActive == 1)
        return 0;
    if (set < 0 || set > 3 || action < 0 || action >= CONTROL_ACTIONS || player < 0 || player > 1)
        return 0;
    const KeyBinding& binding = ControlBindings[set][action];
    if (binding.isJoystick != 1)
        return binding.code >= 0 && binding.code <= 255 && KeyState[binding.code] == 0x80;

    // Without a joystick no joystick binding is held.
    if (!JoystickActive)
        return 0;
    const int mask = JoystickPoll();
    if ((binding.code & mask) == 0)
        return 0;
    if (action == ACTION_LEFT || action == ACTION_RIGHT) {
        // A jerk of the stick steers nothing this frame.
        if (JoyJerk)
            return 1;
        const int direction = action == ACTION_LEFT ? JOY_LEFT : JOY_RIGHT;
        SteeringAngle[player] = (mask & direction) ? (float)JoyX * 0.001f * JoystickSteerScale[player] : 0.0f;
    }
    return 1;
}

// One local player's bindings into the car's control word, look-back flag
// and horn.
static void ReadPlayerControls(int player) {
    const int set = BindingSet(player);
    int bits = 0;
    if (IsControlActive(set, ACTION_LEFT, player))
        bits |= INPUT_LEFT;
    if (IsControlActive(set, ACTION_RIGHT, player))
        bits |= INPUT_RIGHT;
    if (IsControlActive(set, ACTION_ACCELERATE, player))
        bits |= INPUT_ACCELERATE;
    if (IsControlActive(set, ACTION_BRAKE, player))
        bits |= INPUT_BRAKE;
    if (IsControlActive(set, ACTION_TURBO, player))
        bits |= INPUT_TURBO;
    if (IsControlActive(set, ACTION_HANDBRAKE, player))
        bits |= INPUT_HANDBRAKE;
    CarInputBits[player] = bits;
    LookBack[player] = IsControlActive(set, ACTION_LOOK_BACK, player);

    // Both horns held: player 1's wins.
    if (IsControlActive(set, ACTION_HORN, player)) {
        if (player == 0 || HornFlags[0] == 0) {
            for (int& flag : HornFlags)
                flag = 0;
            HornFlags[player] = 1;
        }
    } else if (HornFlags[player] == 1) {
        HornFlags[player] = 0;
    }
}

// A held gear key shifts once: the latch opens again on release.
static void ReadGearKey(int player, int action, int* latch, int shift) {
    const int pressed = IsControlActive(BindingSet(player), action, player);
    if (pressed && *latch == 1)
        GearShiftRequest[player] = shift;
    *latch = !pressed;
}

static void ReadGearKeys(int player) {
    if (ManualGearbox[player] != 1)
        return;
    ReadGearKey(player, ACTION_GEAR_UP, &GearUpLatch[player], 1);
    ReadGearKey(player, ACTION_GEAR_DOWN, &GearDownLatch[player], -1);
}

static void ReadCameraKey(int player) {
    const int pressed = IsControlActive(BindingSet(player), ACTION_CHANGE_CAMERA, player);
    if (pressed && CameraChangeLatch[player] == 1)
        CycleCameraMode(player);
    CameraChangeLatch[player] = !pressed;
}

static int LocalPlayerDevice(int car) { return SettingsInts[car] == 1; }

// A local player's joystick shakes on rough ground at speed.
static void ShakeOnRoughGround(int car) {
    const int zones = CarZoneMask[car] > 0 ? CarZoneMask[car] : 0;
    if (SlowTicksPending > 0 && ForceFeedbackPresent && WheelsInAir[car] <= 2 && CarSpeed[car] > 30.0f &&
        JoystickActive && ForceFeedbackLevel > 0 && LocalPlayerDevice(car) && (zones & RoughGround) &&
        !RacePaused && !ReplayPlayback)
        PlayForceEffects(FORCE_EXPLODE, 0);
}

static void RunSubSteps() {
    for (int car = 0; car < CarsInRace(); car++) {
        const int view = car < 2 ? ViewMode[car] : 0;
        if (view != 2)
            DustTickAccumulator[car] += LastFrameTicks;
    }
    const int keptCar = CurrentCar;
    for (int tick = 0; tick < LastFrameTicks; tick++) {
        for (int car = 0; car < CarsInRace(); car++) {
            CurrentCar = car;
            if (ArenaRules() && !PresentationRun) {
                UpdateSlalomPoles();
                UpdateCones();
            }
            if (TrackCode == 51 || TrackCode == 54)
                UpdatePoles();
            if (ArenaRules() && car == 0)
                BuildCarRoofTriangles();
            const int view = car < 2 ? ViewMode[car] : 0;
            if (TurboValue > 1.0f && TrackGroup == 4 && view != 2)
                SpawnTurboSprites(car, 0x808080);
        }
        AnimateDecorations();
    }
    CurrentCar = keptCar;
}

static void UpdateCarOnFrame(int car) {
    CurrentCar = car;
    if (FramesPerSecondMean > 18.0f || car == 0)
        EmitWheelDust(car);

    PlaceCarOnGround();
    CameraTiltFromBody();
    GroundUnderCar(cocheX[car], cocheZ[car]);
    CarShadeFromGround();
    CarZoneMask[car] = ZoneMaskAt(cocheX[car], cocheZ[car]);
    // The terrain decoder reads the surface under the car; outside the
    // track's range there is none.
    SurfaceWord[car] = CarZoneMask[car] > 0 ? CarZoneMask[car] : 0;

    if (!ReplayPlaying && !PresentationCamera)
        EyeY[car] = -cocheY[car] - ChaseEyeHeight[car];

    CarAttachmentPoints();
    CarLightsOn[car] = CarZoneMask[car] > 0 && (CarZoneMask[car] & ZONE_BIT_LIGHTS) != 0;

    if (car <= SplitScreen)
        ShakeOnRoughGround(car);
    // In a replay the trackside camera aims at the viewed car.
    if (!(ReplayPlaying && ReplayCameraMode != 3))
        UpdateChaseCamera(car);
    else if (car == ViewedCar[0])
        AimCameraAtCar();
    UpdateTerrainSounds(car);
}

void UpdateRaceFrame() {
    // 1.
    CurrentCar = 0;
    if (TexturesReloading == 1 || RacePhase == 1)
        return;
    RaceFrameCounter++;
    // The race runs: the particle spawners the race start held may spawn.
    ParticleHold = 0;

    // 2. The local players' controls.
    // Under the autopilot in network play the computer driver's word is the
    // one the tick sends, so the keys do not overwrite it between ticks.
    if (ReplayPlayback == 0 && RacePaused == 0 && RacePhase == 0) {
        if (!(AutopilotRun && NetSessionOpen))
            ReadPlayerControls(0);
        if (SplitScreen == 1)
            ReadPlayerControls(1);
        ReadGearKeys(0);
        if (SplitScreen == 1)
            ReadGearKeys(1);
    }

    // 3. Car 0's word (the tick decodes every car again).
    const int bits = CarInputBits[0];
    ControlBrake = (bits & INPUT_BRAKE) != 0;
    ControlAccelerate = (bits & INPUT_ACCELERATE) != 0;
    ControlRight = (bits & INPUT_RIGHT) != 0;
    ControlLeft = (bits & INPUT_LEFT) != 0;
    ControlTurbo = (bits & INPUT_TURBO) != 0;

    // 4.
    FrameTicks = LastFrameTicks;
    if (TickResetPending == 1) {
        TickResetPending = 0;
        TimerTicks = 0;
        PrevFrameTickCount = 0;
        LastFrameTicks = 1;
    }

    // 5.
    if (FrontEndActive == 1)
        return;
    TranslucentPairCount = 0;
    RaceCarCount = ArenaRules() ? ArenaOpponents + 1 : CarsInRace();

    // 6.  The tuning overlay shows what the engines and the horn cost.
    SortCarsByCameraDistance();
    StartCycleTimer();
    if (!ReplayPlaying && !PresentationRun && !SplitScreen)
        DriveEngineSoundsSolo();
    else if (SplitScreen == 1)
        DriveEngineSoundsSplit();
    else
        DriveEngineSoundsReplay();
    UpdateHornSound(0);
    SoundStepCycles = ReadCycleTimer();

    // 7.
    if (EditorActive == 0 && RacePaused == 0)
        RunSubSteps();

    // 8.
    TuningKeys();
    AdjustCameraByKeys(0);
    if (SplitScreen == 1)
        AdjustCameraByKeys(1);
    if (!RacePaused)
        SnapshotCars();

    // 9. Rain on tracks 61 and 30.
    if ((TrackCode == 61 || TrackCode == 30) && RenderKind == 1 && EffectsOption && !RacePaused)
        EmitRain();

    // 10.
    UpdateRacePositions();
    if (TrackCode == 79 && PathNodeIndex[0] == 0)
        RankingFrozen = 0;

    // 11.
    for (int car = 0; car < CarsInRace(); car++)
        UpdateCarOnFrame(car);

    // 12.
    CurrentCar = LocalCar;
    if (SoundOn == 1) {
        UpdateCrowdSound(LocalCar, &CarBodies[LocalCar]);
        if (TrackGroup == 7)
            UpdateOceanSound(LocalCar);
    }

    // 13.
    const int local = LocalCar >= 0 && LocalCar < MAX_CARS ? LocalCar : 0;
    for (int k = 0; k < 4; k++)
        WheelZoneMask[k] = ZoneMaskAt(WheelPosX[local][k], WheelPosZ[local][k]);
    EmitSparks();

    // 14.
    if (ReplayPlayback == 0 && RacePhase == 0) {
        ReadCameraKey(0);
        if (SplitScreen == 1)
            ReadCameraKey(1);
    }
}

void SnapshotCars() {
    for (int car = 0; car < CarsInRace(); car++) {
        cocheX[car] = SimPosX[car];
        cocheY[car] = SimPosY[car];
        cocheZ[car] = SimPosZ[car];
        CarHeading[car] = SimHeading[car];
        AnguloDeCaida[car] = SimPitch[car];
        AnguloDeBalanza[car] = SimRoll[car];
        EyeX[car] = ChaseEyeX[car];
        EyeZ[car] = ChaseEyeZ[car];
        EyeY[car] = ChaseEyeY[car];
        // The Doppler terms hear the cars move, but a player's eye moves
        // with its own car.
        const int player = car == LocalCar || (SplitScreen == 1 && car == 1);
        SoundVelocityX[car] = player ? 0.0f : VelocityX[car];
        SoundVelocityZ[car] = player ? 0.0f : VelocityZ[car];
        for (int k = 0; k < 4; k++) {
            WheelPosX[car][k] = WheelWorldX[car][k];
            WheelPosY[car][k] = WheelHeights[car][k];
            WheelPosZ[car][k] = WheelWorldZ[car][k];
        }
    }
    ViewFocalScaleCopy = ViewFocalScale;
}

void SortCarsByCameraDistance() {
    const int cars = CarsInRace();
    for (int car = 0; car < cars; car++) {
        CameraDistance[car] = 0.0f;
        CarsByDistance[car].car = MAX_CARS;
    }
    for (int view = 0; view <= (SplitScreen == 1 ? 1 : 0); view++) {
        for (int car = 0; car < cars; car++) {
            const float dx = cocheX[car] + EyeX[view], dz = cocheZ[car] + EyeZ[view];
            // A car at no number of units sorts last (the table-driven root
            // would make something of it).
            const float squared = dx * dx + dz * dz;
            const float d = std::isfinite(squared) ? FastSqrt(squared) : FLT_MAX;
            if (CameraDistance[car] == 0.0f || d < CameraDistance[car])
                CameraDistance[car] = d;
        }
    }
    int taken[MAX_CARS] = {};
    float last = 0.0f;
    for (int rank = 0; rank < cars; rank++) {
        int nearest = -1;
        for (int car = 0; car < cars; car++) {
            // Among equal distances the higher car index wins.
            if (!taken[car] && CameraDistance[car] >= last &&
                (nearest < 0 || CameraDistance[car] <= CameraDistance[nearest]))
                nearest = car;
        }
        if (nearest < 0)
            break;
        taken[nearest] = 1;
        CarsByDistance[rank].car = nearest;
        const float d = CameraDistance[nearest];
        CarsByDistance[rank].distance = d < 2.0e9f ? (int)d : 2000000000;
        last = d;
    }
}

void SavePreviousPositions() {
    for (int car = 0; car < CarsInRace(); car++) {
        PrevSimPosX[car] = SimPosX[car];
        PrevSimPosY[car] = SimPosY[car];
        PrevSimPosZ[car] = SimPosZ[car];
    }
}

void ComputePositionDeltas() {
    for (int car = 0; car < CarsInRace(); car++) {
        SimDeltaX[car] = SimPosX[car] - PrevSimPosX[car];
        SimDeltaY[car] = SimPosY[car] - PrevSimPosY[car];
        SimDeltaZ[car] = SimPosZ[car] - PrevSimPosZ[car];
    }
}

void ClearPositionDeltas() {
    for (int car = 0; car < MAX_CARS; car++)
        SimDeltaX[car] = SimDeltaY[car] = SimDeltaZ[car] = 0.0f;
}
