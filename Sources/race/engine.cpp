// Pedals and steering, the gearbox, the engine and the JUMP turbo.

#include "race/engine.h"

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "sound/car_sounds.h"
#include "sound/sound_state.h"

int EngineRowOf(int car) {
    const int row = car >= 0 && car < MAX_CARS ? motor[car] : 0;
    return row < 0 ? 0 : row > HELD_ENGINE_ROW ? HELD_ENGINE_ROW : row;
}

int ArenaEvent() { return TrackGroup == 5 && TrackVariant != 5; }

void DecodeCarInputBits(int bits) {
    ControlBrake = (bits & INPUT_BRAKE) != 0;
    ControlAccelerate = (bits & INPUT_ACCELERATE) != 0;
    ControlRight = (bits & INPUT_RIGHT) != 0;
    ControlLeft = (bits & INPUT_LEFT) != 0;
    ControlTurbo = (bits & INPUT_TURBO) != 0;
    ControlHandbrake = (bits & INPUT_HANDBRAKE) != 0;
}

static EngineTableRow& CurrentRow() { return EngineTable[EngineRow]; }

static int GearOf(int car) {
    const int gear = CarGear[car];
    return gear < 0 ? 0 : gear >= ENGINE_GEARS ? ENGINE_GEARS - 1 : gear;
}

// ---------------------------------------------------------------------------
// Steering and pedals.

static void Steer(int car, const EngineTableRow& row) {
    float& angle = SteeringAngle[car];
    if (ControlLeft)
        angle -= row.steerRate;
    else if (ControlRight)
        angle += row.steerRate;
    if (angle > row.MaximoRuedas)
        angle = row.MaximoRuedas;
    if (angle < -row.MaximoRuedas)
        angle = -row.MaximoRuedas;
    if (!ControlLeft && !ControlRight) {
        if (angle > 0.0f)
            angle = angle > row.steerReturn ? angle - row.steerReturn : 0.0f;
        else if (angle < 0.0f)
            angle = -angle > row.steerReturn ? angle + row.steerReturn : 0.0f;
    }
}

static void PedalsForward(int car, const EngineTableRow& row, int gear, float u) {
    float& revs = EngineRevs[car];
    if (ShiftState[car] == 1)
        return;
    const int arena = ArenaEvent();
    if (ControlAccelerate && ControlBrake) {
        revs += gear == 0 ? 0.05f : -0.01f;
        ThrottleState[car] = 1;
        EngineLoaded = 0;
        RollingDrag[car] = 0.02f;
        return;
    }
    if (ControlAccelerate) {
        ThrottleState[car] = 1;
        // The engine pulls less as it nears the gear's limit.
        const float limit = row.revLimit[gear];
        if (revs < 0.75f * limit)
            revs += u;
        else if (revs < 0.91f * limit)
            revs += 0.75f * u;
        else if (revs < 0.985f * limit)
            revs += 0.35f * u;
        else
            revs += 0.2f * u;
        // The engine sound's throttle hand-shake: held.
        ThrottleReleaseLatch[car] = 0;
        ThrottleSoundState[car] = 3;
    } else {
        RollingDrag[car] = 0.015f;
        ThrottleState[car] = 0;
        revs -= 0.7f * u;
    }
    if (!ControlBrake) {
        BrakeLightOn[car] = 0;
        EngineLoaded = 1;
        return;
    }
    if (gear > 0) {
        ThrottleState[car] = 0;
        revs -= (float)(gear + 1) * u;
        RollingDrag[car] = arena ? 0.005f : 0.01f;
        BrakeLightOn[car] = 1;
        EngineLoaded = 0;
    } else if (CarSpeed[car] > 3.0f) {
        revs -= u;
        ThrottleState[car] = 0;
        RollingDrag[car] = arena ? 0.008f : 0.01f;
        BrakeLightOn[car] = 1;
        EngineLoaded = 0;
    } else {
        // Braking at a crawl in first puts the car into reverse.
        ThrottleState[car] = -1;
        DriveDirection[car] = -1;
        revs += row.revRise[0];
    }
}

static void PedalsReverse(int car, float u) {
    float& revs = EngineRevs[car];
    const int arena = ArenaEvent();
    if (ControlAccelerate && ControlBrake) {
        revs += 0.05f;
        ThrottleState[car] = -1;
        EngineLoaded = 0;
        RollingDrag[car] = 0.02f;
    } else if (ControlAccelerate) {
        RollingDrag[car] = arena ? 0.008f : 0.02f;
        if (CarSpeed[car] < 3.0f) {
            ThrottleState[car] = 1;
            DriveDirection[car] = 1;
        }
        if (ThrottleState[car] == 1)
            revs += 2.0f * u;
        else if (revs > 0.1f)
            revs -= 2.5f * u;
        else
            ThrottleState[car] = 1;
    } else if (ControlBrake) {
        revs += u;
        ThrottleState[car] = -1;
        EngineLoaded = 1;
        RollingDrag[car] = 0.0f;
        BrakeLightOn[car] = 0;
    } else {
        ThrottleState[car] = 0;
        RollingDrag[car] = arena ? 0.01f : 0.02f;
        revs -= 0.7f * u;
    }
}

void SteerAndPedals(int car) {
    const EngineTableRow& row = CurrentRow();
    const int gear = GearOf(car);
    float u = row.revRise[gear];
    Steer(car, row);
    if (gear > 0) {
        const int* surface = SurfaceFlags[car];
        if (surface[SURFACE_SAND])
            u *= 0.6f;
        else if (surface[SURFACE_CROSS_DIRT])
            u *= 0.5f;
        else if (surface[SURFACE_WATER])
            u *= 0.1f;
    }
    if (DriveDirection[car] == 1)
        PedalsForward(car, row, gear, u);
    else if (DriveDirection[car] == -1)
        PedalsReverse(car, u);
}

void UpdateTopGear(int car) { TopGear = DriveDirection[car] == -1 ? 0 : CurrentRow().topGear; }

void SignalCarSounds(int car) {
    UpdateBrakeSound(car);
    UpdateWheelSpinSound(car);
    const int model = CarModel[car];
    ReverseBeepOn[car] = DriveDirection[car] == -1 && (model == 3 || model == 10 || model == 15);
    UpdateReverseSound(car);
    UpdateHandbrakeSound(car);
    UpdateOverRevSound(car);
    if (TickParity == 1)
        UpdateTyreSquealSound((int)CameraDistance[car], car);
    if (TrackGroup == 4)
        UpdateTurboReadySounds(car);
}

// ---------------------------------------------------------------------------
// The JUMP turbo: one charge for the race, built up in the top gear.

void UpdateTurbo(int car) {
    EngineTableRow& row = CurrentRow();
    const int gear = GearOf(car);
    if (gear < TopGear) {
        TurboValue = 0.0f;
        TurboCharge = (float)gear * 0.1f;
    } else if (ShiftState[car] == 0) {
        TurboCharge = (EngineRevs[car] - 1.5f) * 3.3333333f + 0.5f;
    }
    if (TurboCharge > 1.0f)
        TurboCharge = 1.0f;
    if (TurboCharge >= 0.99f && TurboValue == 0.0f) {
        TurboValue = 1.0f;
        UpdateTurboReadySounds(car);
    }
    if (TurboValue == 1.0f && ControlTurbo) {
        TurboValue = 8.5f;
        PlayTurboSound(0, car);   // 0: start the burning loop
    }

    // Only the JUMP rows carry the normal and turbo top-gear columns; on any
    // other row the top gear is left as it is.
    const int top = row.topGear;
    const int jumpRow = row.revLimit[JUMP_NORMAL_TOP] > 0.0f;
    if (TurboValue > 1.0f) {
        TurboValue *= 0.99f;
        ViewFocalScale -= 0.5f;
        if (jumpRow) {
            row.revRise[top] = row.revRise[JUMP_TURBO_TOP];
            row.revLimit[top] = row.revLimit[JUMP_TURBO_TOP];
        }
        TurboCameraPull += 1;
    } else {
        ViewFocalScale += 0.7f;
        if (ViewFocalScale > FocalScaleBase)
            ViewFocalScale = FocalScaleBase;
        if (jumpRow) {
            row.revRise[top] = row.revRise[JUMP_NORMAL_TOP];
            row.revLimit[top] = row.revLimit[JUMP_NORMAL_TOP];
        }
        TurboCameraPull -= 1;
    }
    if (TurboCameraPull < 0)
        TurboCameraPull = 0;
    if (TurboCameraPull > 400)
        TurboCameraPull = 400;
}

// ---------------------------------------------------------------------------
// The gearbox.

// revs x ratio[from] / ratio[to]: the revs that keep the wheel speed across a
// change of gear.  A gear without a ratio leaves the revs.
static float CarryRevs(const EngineTableRow& row, float revs, int from, int to) {
    if (from < 0 || from >= ENGINE_GEARS || !(row.speedRatio[to] > 0.0f))
        return revs;
    return revs * row.speedRatio[from] / row.speedRatio[to];
}

static void ShiftUp(int car) {
    CarGear[car] += 1;
    LastShiftGear[car] = CarGear[car];
    ShiftState[car] = 1;
    GearUpSignal[car] = 1;
    GearUpHandled[car] = 0;
}

static void ShiftDown(int car) {
    CarGear[car] -= 1;
    LastShiftGear[car] = CarGear[car];
    ShiftState[car] = -1;
    GearDownSignal[car] = 1;
}

static void AutomaticGearbox(int car, const EngineTableRow& row) {
    float& revs = EngineRevs[car];
    const int gear = GearOf(car);
    const float ratio = row.speedRatio[gear];
    const float limit = row.revLimit[gear];
    const float p = revs * ratio;
    const float speed = CarSpeed[car];
    if (ShiftState[car] == 0) {
        if (revs > limit && 0.98f * p < speed) {
            if (gear >= TopGear)
                revs = limit;
            else
                ShiftUp(car);
        }
        if (gear == 0) {
            if (revs < 0.0f)
                revs = 0.0f;
        } else if (ShiftState[car] == 0 && row.revLimit[gear - 1] * row.speedRatio[gear - 1] > 1.1f * p) {
            ShiftDown(car);
        }
    } else if (ShiftState[car] == 1) {
        if (gear == 0 && ControlAccelerate) {
            ShiftState[car] = 0;
        } else {
            revs -= 0.03f;
            if (revs * ratio < speed)
                ShiftState[car] = 0;
        }
    } else {
        revs += 15.0f * row.revRise[1];
        if (revs > limit) {
            revs = CarryRevs(row, revs, gear + 1, gear);
            ShiftState[car] = 0;
        }
    }
}

static void ManualGearboxStep(int car, const EngineTableRow& row) {
    float& revs = EngineRevs[car];
    const int player = LocalCar >= 0 && LocalCar < 2 ? LocalCar : 0;
    if (ShiftState[car] == 0) {
        const int request = GearShiftRequest[player];
        if (request == 1 && CarGear[car] < TopGear && StartStage >= 3)
            ShiftUp(car);
        else if (request == -1 && CarGear[car] > 0)
            ShiftDown(car);
        GearShiftRequest[player] = 0;
    } else if (ShiftState[car] == 1) {
        const int gear = GearOf(car);
        if (gear == 0 && ControlAccelerate) {
            ShiftState[car] = 0;
        } else {
            revs -= 0.03f;
            if (!(revs * row.speedRatio[gear] > CarSpeed[car]))
                ShiftState[car] = 0;
        }
    } else {
        const int gear = GearOf(car);
        revs = CarryRevs(row, revs, gear + 1, gear);
        if (revs > row.revLimit[gear])
            revs = row.revLimit[gear];
        if (revs * row.speedRatio[gear] < CarSpeed[car]) {
            // Engine braking: the lower gear holds the car back.
            OverRevSoundOn[car] = 1;
            VelocityX[car] *= 0.995f;
            VelocityZ[car] *= 0.995f;
        } else {
            ShiftState[car] = 0;
            OverRevSoundOn[car] = 0;
        }
        UpdateOverRevSound(car);
    }
    const float limit = row.revLimit[GearOf(car)];
    if (revs < 0.01f)
        revs = 0.01f;
    if (revs > limit)
        revs = limit;
}

void RunGearbox(int car) {
    const EngineTableRow& row = CurrentRow();
    if (ManualGearbox[car])
        ManualGearboxStep(car, row);
    else
        AutomaticGearbox(car, row);
}

// ---------------------------------------------------------------------------
// The engine: target wheel speed and the traction force it can put down.

static void ArenaRoofGrip(int car, float& force) {
    if (!ArenaEvent() || SimPosY[LocalCar >= 0 && LocalCar < MAX_CARS ? LocalCar : 0] >= 500.0f)
        return;
    const float speed = CarSpeed[car];
    float& revs = EngineRevs[car];
    float velocityScale = 1.0f;
    if (WheelsOnCars == 4) {
        RollingDrag[car] += 0.25f;
        if (speed > 3.0f) {
            force *= 0.6f;
            velocityScale = 0.9f;
            if (ControlAccelerate)
                revs *= 1.05f;
        }
    } else if (WheelsOnCars == 3) {
        RollingDrag[car] += 0.25f;
        if (speed > 10.0f) {
            force *= 0.75f;
            velocityScale = 0.9f;
            revs *= 1.04f;
        }
    } else if (WheelsOnCars == 2) {
        RollingDrag[car] += 0.25f;
        if (speed > 20.0f) {
            SimPitch[car] += speed * 0.0028571428f;
            force *= 0.8f;
            velocityScale = 0.8f;
            revs *= 1.03f;
        }
    }
    VelocityX[car] *= velocityScale;
    VelocityZ[car] *= velocityScale;
}

void UpdateCarEngine(int car) {
    const EngineTableRow& row = CurrentRow();
    const int gear = GearOf(car);
    const float ratio = row.speedRatio[gear];
    const float limit = row.revLimit[gear];
    const float speed = CarSpeed[car];
    float& revs = EngineRevs[car];

    TargetSpeed[car] = EngineLoaded ? ratio * revs : 0.0f;
    if (ThrottleState[car] == 0 && EngineLoaded)
        WheelRollAngle[car] += (float)DriveDirection[car] * speed;
    else
        WheelRollAngle[car] += (float)ThrottleState[car] * TargetSpeed[car];
    if (ReplayPlayback && speed >= 0.01f)
        WheelRollAngle[car] += (float)DriveDirection[car] * speed * 0.3f;

    float force = DriveForce[car];
    if (ShiftState[car] == 0) {
        force = TargetSpeed[car] - speed;
        if (gear == 0 && ThrottleState[car] != 0 && ThrottleState[car] != DriveDirection[car])
            force = 0.0f;
    }

    const float a = adhesion[car];
    if (gear > 0) {
        if (force > 2.0f * a) {
            revs *= 0.99f;
            force = a;
        } else if (force > a) {
            force = a;
        }
        if (force < 0.0f)
            force = 0.0f;
        if (revs > limit)
            revs = limit;
        WheelSpin[car] = 0;
    } else {
        // The launch: softened until the first gear change of the race.
        const int firstLaunch = LastShiftGear[car] == -1;
        if (force > 2.0f * a) {
            revs *= 0.99f;
            force = firstLaunch ? 0.5f * a : a;
            WheelSpin[car] = 1;
        } else if (force > a) {
            revs *= firstLaunch ? 1.0001f : 0.999f;
            force = firstLaunch ? 0.75f * a : a;
            WheelSpin[car] = 1;
        } else {
            WheelSpin[car] = 0;
        }
        if (force < 0.0f)
            force = 0.0f;
        if (revs > limit)
            revs = speed < 5.0f ? revs * 0.89f : limit - 0.001f;
    }
    ArenaRoofGrip(car, force);
    DriveForce[car] = force;
}
