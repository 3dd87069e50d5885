// The drive model: the engine's force, the steering, the slope, the surface
// and the sideways grip turned into the planar velocity and the yaw rate
// that StepCarPhysics integrates.

#include <cmath>

#include "frame/frame_state.h"
#include "net/net_state.h"
#include "race/engine.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "sound/car_sounds.h"
#include "sound/sound_state.h"

static const float Pi = 3.14159265358979f;

static void ScaleVelocity(int car, float k) {
    VelocityX[car] *= k;
    VelocityZ[car] *= k;
}

static int PlayerOf(int car) { return car >= 0 && car < 2 ? car : 0; }

// The camera follows the car no closer than the row's floor.
static void LowerCameraLag(int car, float floor) {
    CameraLag[car] -= 3.0f;
    if (CameraLag[car] < floor)
        CameraLag[car] = floor;
}

static float YawFrom(float gain, float fade, float steering, float speed, float speedFactor) {
    float reach = speedFactor * speed;
    if (reach > 100.0f)
        reach = 100.0f;
    return (gain - fade * speed * gain) * steering * reach;
}

// How far the car has turned away from where its camera looks.
static float TurnIntoCamera(int car) { return CameraAngleOffset + SimHeading[car] - Angle1[car]; }

static void GripLossSound(int car, int on) {
    if (CarModel[car] != 19)
        PlayGripLossSound(car, on);
}

// A spun car slides on its own momentum until it falls to speed 50.
static void StepSpinOut(CarBody* body, const EngineTableRow& row, float force, float steering, int car) {
    const float speed = CarSpeed[car];
    GripLossSound(car, 1);
    DriftSteer[car] *= 0.99f;
    if (speed > 50.0f) {
        steering = DriftSteer[car];
        CameraLag[car] = ViewMode[PlayerOf(car)] == 0 ? 400.0f : row.cameraLagFloor;
    } else {
        SpinOut[car] = 0;
        GripLossSound(car, 0);
    }
    if (body->impactMark != 0)
        SpinOut[car] = 0;
    // The camera heading may have run a turn apart from the car's.
    if ((SimHeading[car] >= 0.0f) == (Angle1[car] >= 0.0f)) {
        while (Angle1[car] - SimHeading[car] > Pi)
            Angle1[car] -= 2.0f * Pi;
        while (SimHeading[car] - Angle1[car] > Pi)
            Angle1[car] += 2.0f * Pi;
    }
    LowerCameraLag(car, row.cameraLagFloor);
    YawRate[car] = YawFrom(TurnGain[car], 0.0027777778f, steering, speed, 3.0f);
    float f = speed > 60.0f ? 0.0025f : RollingDrag[car] + 0.009f;
    f = f < 0.0f ? 0.0f : f > 0.01f ? 0.01f : f;
    RollingDrag[car] = 0.0f;
    ScaleVelocity(car, 1.0f - f);
    if (speed < StopSpeedSpin[car]) {
        VelocityX[car] = 0.0f;
        VelocityZ[car] = 0.0f;
    }
    body->leanLongInput += force * (float)DriveDirection[car] * 0.65f;
}

// Slope and coasting on the ground: the car rolls downhill when nothing
// holds it.
static void SlopeForce(int car, float& force, float slope) {
    const float speed = CarSpeed[car];
    const int coasting = ThrottleState[car] == 0;
    const int arena = TrackGroup == 5;
    if (DriveDirection[car] == -1) {
        if (coasting) {
            if (arena) {
                if (WheelsOnCars > 2) {
                    if (speed < 15.0f)
                        force -= 0.4f * slope;
                } else {
                    force -= speed < 0.1f ? 10.0f * slope : 1.2f * slope;
                }
            } else {
                force -= slope;
            }
        }
        if (ThrottleState[car] == 1) {
            force *= 0.3f;
            RollingDrag[car] -= 0.001f;
        }
        return;
    }
    if (coasting) {
        if (arena) {
            if (WheelsOnCars < 2) {
                if (speed < 15.0f)
                    force += 0.4f * slope;
            } else {
                force += speed < 0.1f ? 10.0f * slope : 1.2f * slope;
            }
            if (ControlBrake) {
                force -= slope;
                ScaleVelocity(car, 0.99f);
            }
        } else if (ControlBrake) {
            ScaleVelocity(car, 0.99f);
        } else {
            force += speed < 0.1f ? 10.0f * slope : 1.2f * slope;
        }
    }
    if (ThrottleState[car] == -1) {
        force *= 0.3f;
        RollingDrag[car] += 0.001f;
    }
}

static void Handbrake(int car, float& force, float steering) {
    const float speed = CarSpeed[car];
    if (!ControlHandbrake) {
        HandbrakeLocked[car] = 0;
        HandbrakeSoundOn[car] = 0;
        UpdateHandbrakeSound(car);
        return;
    }
    if (speed > 25.0f) {
        WheelSpin[car] = 0;
        HandbrakeLocked[car] = 1;
        HandbrakeSoundOn[car] = 1;
        UpdateHandbrakeSound(car);
    }
    if (TurnIntoCamera(car) * steering > 0.0f) {
        float k;
        if (TrackGroup < 5)
            k = speed > 40.0f && speed < 100.0f ? 0.03f : 0.005f;
        else
            k = speed > 60.0f ? 0.01f : 0.0085f;
        DriftSteer[car] += speed * k;
    }
    EngineRevs[car] -= 0.01f;
    RollingDrag[car] = 0.01f;
    force *= 0.85f;
}

// The tyres absorb sideways speed up to their grip; beyond it the car
// slides, and beyond the spin-out threshold it spins.
static void SidewaysGrip(CarBody* body, const EngineTableRow& row, int car, float& force, float c, float s) {
    const float speed = CarSpeed[car];
    const float along = c * VelocityZ[car] + s * VelocityX[car];
    const float lat = c * VelocityX[car] - s * VelocityZ[car];
    const float sideZ = -s * lat, sideX = c * lat;
    const float grip = row.lateralGrip[0];
    const float absLat = std::fabs(lat);

    if (CarGear[car] == 0 && along < 0.0f && absLat < grip && DriveDirection[car] != ThrottleState[car])
        DriveDirection[car] = -DriveDirection[car];

    const int rowGrip = car == LocalCar || TrackGroup == 4 || TrackGroup == 5 || TrackGroup == 6 || NetSessionOpen ||
                        TrackCode == 78 || TrackCode == 79;
    const float limit = rowGrip ? grip : 1000.0f;
    if (absLat < limit) {
        LateralSpeed[car] = 0.0f;
        VelocityZ[car] -= sideZ;
        VelocityX[car] -= sideX;
    } else if (absLat < SpinOutThreshold) {
        LateralSpeed[car] = absLat;
        if (!(TurboValue >= 1.1f) && SlideForceDivisor[car] != 0.0f)
            force /= SlideForceDivisor[car];
        RollingDrag[car] += 0.001f;
        VelocityZ[car] -= 0.01f * sideZ;
        VelocityX[car] -= 0.01f * sideX;
        if (SkidMode == 1)
            force *= 0.978f;
        else if (SkidMode == 2)
            force *= 1.0f - 0.015f;
    } else {
        VelocityZ[car] -= 0.006666667f * sideZ;
        VelocityX[car] -= 0.006666667f * sideX;
        SkidPulse[car] += 1;
        if (SkidPulse[car] > 2)
            SkidPulse[car] = 0;
        const float k = SkidPulse[car] == 1 ? 0.04f : SkidPulse[car] == 2 ? 0.013333334f : 0.02f;
        DriftSteer[car] += TurnIntoCamera(car) * speed * k;
        if (!NetSessionOpen) {
            SpinOut[car] = 1;
            body->impactMark = 0;
        }
        GripLossSound(car, 1);
    }
    body->leanLatInput += lat * 0.035f;
}

void ComputeDriveForce(CarBody* body, float force, float steering, int car) {
    if (!EnginesReleased)
        return;
    const EngineTableRow& row = EngineTable[EngineRow];
    TurnGain[car] = row.turnGain;
    EffectiveSteer = steering;
    const float speed = CarSpeed[car];

    if (ArenaEvent() && car != LocalCar) {
        ScaleVelocity(car, 0.98f);
        return;
    }
    if (SpinOut[car]) {
        StepSpinOut(body, row, force, steering, car);
        DriveForce[car] = force;
        return;
    }
    LowerCameraLag(car, row.cameraLagFloor);

    if (WheelsInAir[car] > 2 && WheelsOnCars == 0 && AirborneTicks[car] > 1) {
        // In the air the wheels neither drive nor steer; the throttle only
        // revs the engine.
        force = 0.0f;
        if (ControlAccelerate) {
            if (AirThrottleTicks[car] < 60)
                AirThrottleTicks[car] += 1;
            EngineRevs[car] *= TrackGroup == 4 ? 1.01f : 1.02f;
        }
        YawRate[car] = YawFrom(TurnGain[car], 0.0027777778f, GroundSteer[car], speed, 3.0f);
        DriveForce[car] = force;
        return;
    }

    if (AirThrottleTicks[car] > 1) {
        EngineRevs[car] *= 0.99f;
        ScaleVelocity(car, 0.98f);
        AirThrottleTicks[car] -= 1;
    }
    GroundSteer[car] = steering;
    DriftSteer[car] *= 0.96f;
    const int group = TrackGroup;
    if (group == 1 || group == 2 || group == 3 || group == 4 || group == 7)
        ApplySurfaceResponse(car, &force, &steering);

    const float slope = SlopeAngle[car];
    if (slope > 0.01f || slope < -0.01f) {
        if (speed < 0.01f) {
            if (slope > 0.01f)
                DriveDirection[car] = ControlBrake ? -1 : 1;
            else
                DriveDirection[car] = ControlAccelerate ? 1 : -1;
        }
        if (DriveDirection[car] == 1)
            force += slope;
        else
            force -= slope;
    }

    if (ThrottleState[car] != 0 && ThrottleState[car] != DriveDirection[car]) {
        force = 0.0f;
        ScaleVelocity(car, speed > 3.0f && speed < 10.0f ? 0.8f : 0.95f);
    }

    float angle = HeadingAccum[car];
    if (DriveDirection[car] == -1) {
        angle += Pi;
        steering = -steering;
    }
    SlopeForce(car, force, slope);
    RollingDrag[car] -= 0.001f;

    Handbrake(car, force, steering);
    if (DriftSteer[car] > 0.6f)
        DriftSteer[car] = 0.6f;
    if (DriftSteer[car] < -0.6f)
        DriftSteer[car] = -0.6f;
    steering += DriftSteer[car];

    const float c = std::cos(angle), s = std::sin(angle);
    SidewaysGrip(body, row, car, force, c, s);

    float f;
    if (ShiftState[car] != 0) {
        force = 0.0f;
        RollingDrag[car] = 0.0f;
        f = 0.0f;
    } else {
        f = RollingDrag[car] + (speed > 30.0f ? 0.001f : 0.009f);
    }
    VelocityZ[car] += c * force;
    VelocityX[car] += s * force;
    YawRate[car] = YawFrom(TurnGain[car], row.yawFade, steering, speed, row.yawSpeedFactor);
    RollingDrag[car] = 0.0f;
    f = f < 0.0f ? 0.0f : f > 0.02f ? 0.02f : f;
    ScaleVelocity(car, 1.0f - f);
    if (VelocityX[car] * VelocityX[car] + VelocityZ[car] * VelocityZ[car] < 0.3f * 0.3f) {
        VelocityX[car] = 0.0f;
        VelocityZ[car] = 0.0f;
    }
    body->leanLongInput += force * (float)DriveDirection[car] * (ArenaEvent() ? 0.325f : 0.65f);
    DriveForce[car] = force;
}

// ---------------------------------------------------------------------------
// Surfaces.  Rough ground shakes the body in a rhythm that one counter, shared
// by all cars, keeps.

static void StepBump(float& phase, float rise, float top, float bottom) {
    phase += rise;
    if (phase > top)
        phase = bottom;
}

// 1 or 2: the shake phase of this call; 0: none.
static int ShakePhase(float speed) {
    BumpCounter += 1;
    if (!(speed > 10.0f))
        return 0;
    if (BumpCounter < 9)
        return 1;
    if (BumpCounter <= 32)
        return 2;
    if (BumpCounter <= 42)
        BumpCounter = 0;
    return 0;
}

// Steering on loose ground: above `from` it falls with speed, below it
// takes `slow`.
static void LooseSteering(float& steering, float speed, float from, float slow) {
    steering *= speed > from ? from / speed : slow;
}

void ApplySurfaceResponse(int car, float* force, float* steering) {
    if (WheelsInAir[car] > 2)
        return;
    const int* surface = SurfaceFlags[car];
    const float speed = CarSpeed[car];
    float& b = BumpPhase[car];
    float& revs = EngineRevs[car];
    float& pitch = SimPitch[car];
    float& roll = SimRoll[car];

    if (surface[SURFACE_MOSS] || surface[SURFACE_ROCK] || surface[SURFACE_GRASS]) {
        const int dirt = !surface[SURFACE_MOSS] && surface[SURFACE_ROCK];
        const int grass = !surface[SURFACE_MOSS] && !surface[SURFACE_ROCK];
        LooseSteering(*steering, speed, 50.0f, dirt ? 0.98f : 0.99f);
        *force *= 0.5f;
        revs += speed * (dirt ? 0.015625f : 0.0078125f) * b;
        if (grass)
            RollingDrag[car] += 0.005f;
        StepBump(b, 0.03f, 0.05f, -0.07f);
        const int phase = ShakePhase(speed);
        if (phase == 1) {
            pitch -= 0.2f * b;
        } else if (phase == 2) {
            pitch -= (grass ? 0.075f : 0.1f) * b;
            roll += (grass ? 0.15f : 0.2f) * b;
        }
        ScaleVelocity(car, grass ? 0.995f : 0.985f);
    } else if (surface[SURFACE_SAND]) {
        if (speed > 35.0f)
            *steering *= 35.0f / speed;
        if (speed > 5.0f) {
            revs += b;
            StepBump(b, 0.035f, 0.035f, -0.035f);
        }
        if (ShakePhase(speed) == 1)
            pitch -= 0.25f * b;
    } else if (surface[SURFACE_CROSS_DIRT]) {
        if (speed > 50.0f)
            *steering *= 50.0f / speed;
        if (speed > 5.0f) {
            *force *= 0.8f;
            revs += b;
            StepBump(b, 0.01f, 0.01f, -0.01f);
        }
        const int phase = ShakePhase(speed);
        if (phase == 1) {
            pitch -= 0.25f * b;
        } else if (phase == 2) {
            pitch -= 0.05f * b;
            roll += 0.1f * b;
        }
    } else if (surface[SURFACE_WATER1]) {
        *force *= 0.8f;
        revs += b;
        if (revs > 1.1f)
            revs -= speed * 0.00066666666f;
        RollingDrag[car] += 0.01f;
        StepBump(b, 0.035f, 0.035f, -0.035f);
    } else if (surface[SURFACE_WATER2] || surface[SURFACE_WATER3]) {
        const int deep = !surface[SURFACE_WATER2];
        *steering += 0.2f;
        *force *= 0.4f;
        revs += b;
        if (revs > (deep ? 0.4f : 0.7f))
            revs -= 0.062f;
        RollingDrag[car] += 0.02f;
        StepBump(b, 0.035f, 0.035f, -0.035f);
        if (pitch < 0.6f)
            pitch += speed * 0.00066666666f;
        if (deep && speed > 50.0f)
            ScaleVelocity(car, 0.999999f);
    }
}
