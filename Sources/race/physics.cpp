// The car body: the planar position step, the sprung body on its four
// wheels, the lean, the lagging camera heading and the JUMP distance.

#include "race/physics.h"

#include <cmath>
#include <cstring>

#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "net/net_state.h"
#include "race/car_pose.h"
#include "race/engine.h"
#include "race/laps.h"
#include "race/motion_table.h"
#include "race/particles.h"
#include "race/race_state.h"
#include "render/geometry.h"
#include "render/render_state.h"
#include "sound/car_sounds.h"
#include "track/ground.h"
#include "track/track_state.h"
#include "track/zones.h"

static const float Pi = 3.14159265358979f;

// Where each wheel met the ground this tick, for the slope under the car.
static float ContactX[MAX_CARS][4], ContactZ[MAX_CARS][4], ContactGround[MAX_CARS][4];

static int CarIndex(int car) { return car >= 0 && car < MAX_CARS ? car : 0; }
static int PlayerOf(int car) { return car >= 0 && car < 2 ? car : 0; }

// A table row of extreme values (a file, or the panel) can make the springs
// overrun: the body's speeds are held to bounds no sound row comes near, and
// a value that is no number starts again from rest.
static const float MaxVerticalSpeed = 1000.0f;   // units a tick
static const float MaxSpin = 1.0e6f;
static const float MaxHeight = 1.0e6f;

static float Bounded(float v, float limit) {
    if (!(v == v))
        return 0.0f;
    return v > limit ? limit : v < -limit ? -limit : v;
}


// ---------------------------------------------------------------------------
// The planar step.

// Network races damp the local car's start on the circuits (groups 1, 2, 3
// and 7).
static void DampNetworkStart(int car) {
    static const int undamped[8] = {1, 0, 0, 0, 1, 1, 1, 0};
    const int group = TrackGroup >= 0 && TrackGroup < 8 ? TrackGroup : 0;
    if (!NetSessionOpen || car != LocalCar || NetStartDamp >= 800 || undamped[group])
        return;
    NetStartDamp += 1;
    if (TrackCode != 78 && TrackCode != 79)
        DriveForce[car] *= CarSpeed[car] < 60.0f ? 0.45f : 0.3f;
}

static void StepPlanar(int car) {
    CarBody* body = &CarBodies[car];
    if (StartStage >= 3) {
        EngineRow = EngineRowOf(car);
        EnginesReleased = 1;
    } else {
        EngineRow = HELD_ENGINE_ROW;
    }
    SteerAndPedals(car);
    UpdateTopGear(car);
    SignalCarSounds(car);
    if (TrackGroup == 4)
        UpdateTurbo(car);
    RunGearbox(car);
    UpdateCarEngine(car);
    DampNetworkStart(car);

    YawRate[car] = 0.0f;
    ComputeDriveForce(body, DriveForce[car], SteeringAngle[car], car);

    // A car does not turn into a wall it touches.
    if ((WallContactA[car] && YawRate[car] > 0.0f) || (WallContactB[car] && YawRate[car] < 0.0f)) {
        YawRate[car] = 0.0f;
    } else {
        HeadingAccum[car] += YawRate[car];
        SimHeading[car] = HeadingAccum[car];
    }

    const float dx = VelocityX[car] + CollisionImpulseX[car];
    const float dz = VelocityZ[car] + CollisionImpulseZ[car];
    SimPosX[car] += dx;
    SimPosZ[car] += dz;
    CollisionImpulseX[car] *= 0.97f;
    CollisionImpulseZ[car] *= 0.97f;
    CarSpeed[car] = FastSqrt(dx * dx + dz * dz);
}

void StepCarPhysics(int car, int) {
    if (car < 0 || car >= MAX_CARS)
        return;
    if (PresentationRun && car == 0)
        return;
    // In split screen the second player's car is the local car while it
    // steps, so its gear requests and the local-car rules apply to it.
    const int keptLocalCar = LocalCar;
    if (SplitScreen && car <= 1)
        LocalCar = car;
    StepPlanar(car);
    LocalCar = keptLocalCar;
}

// ---------------------------------------------------------------------------
// Camera heading and lean.

void UpdateCarHeading(int car) {
    if (car < 0 || car >= MAX_CARS || PresentationCamera)
        return;
    if (car > SplitScreen && !NetSessionOpen)
        return;
    const int player = PlayerOf(car);
    const float d = CameraAngleOffset + CarHeading[car] - Angle1[car];
    float lag = CameraLag[car];
    if (ViewMode[player] == 1)
        lag /= 3.0f;
    Angle1[car] += lag >= 1.0f ? d / lag : d;
    if (Centri == 1) {
        float h = (float)ChaseEyeOffset[player];
        if (ViewMode[player] == 0)
            h -= (float)TurboCameraPull;
        ChaseEyeX[car] = -SimPosX[car] - h * std::sin(Angle1[car]);
        ChaseEyeZ[car] = -SimPosZ[car] - h * std::cos(Angle1[car]);
    }
}

void UpdateBodyLean(int car, int) {
    if (car < 0 || car >= MAX_CARS)
        return;
    CarBody& body = CarBodies[car];
    body.leanLong += (body.leanLongInput - body.leanLong) * 0.256f;
    body.leanLat += (body.leanLatInput - body.leanLat) * 0.25f;
    body.leanLongInput *= 0.3f;
    body.leanLatInput *= 0.3f;
    if (CarModel[car] == 3) {
        SimPitch[car] -= body.leanLong * 0.02f;
        SimRoll[car] -= body.leanLat * 0.01f;
    } else {
        SimPitch[car] -= body.leanLong * 0.008f;
        SimRoll[car] -= body.leanLat * 0.008f;
    }
    LeanDrawPitch[car] = body.leanLong * 0.008f * -10.0f;
    LeanDrawRoll[car] = body.leanLat * 0.008f * 10.0f;
    SimPosY[car] += std::fabs(body.leanLat) * 0.5f + std::fabs(body.leanLong);
}

// ---------------------------------------------------------------------------
// Wheels.

static float Dot3(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The wheel's mount on the body in world space (x, z, y), less its
// extension along the up axis.
static void WheelArm(const CarBody* body, const CarWheel* wheel, float arm[3]) {
    for (int k = 0; k < 3; k++)
        arm[k] = body->side[k] * wheel->offsetX + body->forward[k] * wheel->offsetZ - wheel->extension * body->up[k];
}

// Car 0's wheels in the arena events push the cars they come down on.
static void PushArenaCars(const CarBody* body, float wx, float wz) {
    for (int i = 1; i < CarCount && i < MAX_CARS; i++) {
        const float dx = SimPosX[i] - wx, dz = SimPosZ[i] - wz;
        const float s = std::sin(SimHeading[i]), c = std::cos(SimHeading[i]);
        const float along = dx * s + dz * c;
        const float across = dx * c - dz * s;
        if (std::fabs(along) >= 580.0f || std::fabs(across) >= 300.0f)
            continue;
        const float kick = 10.0f * body->vertVel;
        ArenaPushRoll[i] += across + (across < 0.0f ? -kick : kick);
        ArenaPushPitch[i] += along + (along < 0.0f ? -kick : kick);
    }
}

// A wheel of car 0 on another car's roof wears that car down.
static void CrushCarUnder(int struck) {
    if (struck < 1 || struck >= MAX_CARS)
        return;
    CrushContacts[struck] += 1;
    if (CrushContacts[struck] < 20 || CrushLevel[struck] >= 4)
        return;
    CrushLevel[struck] += 1;
    PlayCrushSound(0, CrushLevel[struck] == 1 ? 1 : 0);
    // The first raise sends smoke up all round the crushed body.
    if (CrushLevel[struck] == 1)
        EmitPointSmoke(struck);
}

// The ground under car 0's wheel in the arena events: another car's roof,
// the ramp, or the ground.
static float ArenaGround(const CarBody* body, float wx, float wz, int wheelIndex, int car) {
    PushArenaCars(body, wx, wz);
    UpdateBusSound(0, 0);
    int struck = 0;
    float g = HeightOnCars(wx, wz, &struck, 0, car);
    if (g != -1.0f) {
        WheelsOnCars += 1;
        CrushCarUnder(struck);
        return g;
    }
    if (TrackCode == 53 || TrackCode == 54) {
        int found = 0;
        g = RampHeight(wx, wz, &found, 0, car);
        if (g != -1.0f) {
            SetRampTilt(g, 0);
            BusContact = 1;
            return g;
        }
    }
    return GroundHeight(wx, wz, car, wheelIndex);
}

int WheelContact(CarBody* body, CarWheel* wheel, float* sums, int wheelIndex, int car) {
    car = CarIndex(car);
    const int k = wheelIndex & 3;
    float arm[3];
    WheelArm(body, wheel, arm);
    const float wx = arm[0] + body->x;
    const float wz = arm[1] + body->z;
    wheel->height = arm[2] + body->y;

    const float g = car == 0 && ArenaEvent() ? ArenaGround(body, wx, wz, k, car) : GroundHeight(wx, wz, car, k);
    ContactX[car][k] = wx;
    ContactZ[car][k] = wz;
    ContactGround[car][k] = g;

    const float* up = body->up;
    if (wheel->height - wheel->radius > g + 4.0f + 40.0f * std::fabs(SimRoll[car])) {
        // In the air the wheel hangs back to its rest length.
        wheel->extension =
            Bounded(wheel->restSeparation + (wheel->extension - wheel->restSeparation) * 0.9f, MaxHeight);
        WheelArm(body, wheel, arm);
        wheel->height = arm[2] + body->y;
        return 1;
    }

    // The extension that puts the tyre on the ground, blended with the old
    // one by how far the body leans.
    const float upY = up[2] > 0.01f ? up[2] : 0.01f;
    const float mount = body->side[2] * wheel->offsetX + body->forward[2] * wheel->offsetZ;
    float e = -(g + wheel->radius / upY - body->y - mount) * up[2] + wheel->extension * (up[0] * up[0] + up[1] * up[1]);
    float k2 = 1.0f;
    if (e < wheel->springStop) {
        body->bottomed = 1;
        e = wheel->springStop;
        k2 = 2.0f;
    }
    wheel->extension = Bounded(e, MaxHeight);
    const float f = -(k2 * (e - wheel->restSeparation) * wheel->stiffness);
    const float force[3] = {f * up[0], f * up[1], f * up[2]};
    sums[0] += force[0];
    sums[1] += force[1];
    sums[2] += force[2];
    // The torque about the body centre, taken in the stored x, z, y order
    // (the body step's angle updates are signed for it).
    WheelArm(body, wheel, arm);
    sums[3] += arm[1] * force[2] - arm[2] * force[1];
    sums[4] += arm[2] * force[0] - arm[0] * force[2];
    sums[5] += arm[0] * force[1] - arm[1] * force[0];
    return 0;
}

// ---------------------------------------------------------------------------
// The body step.

static float BodyGravity(int car) {
    if (TrackCode == 67)
        return -1.05f;
    if (TrackGroup == 4)
        return TrackCode == 44 && CarModel[car] == 13 ? -2.05f : -2.25f;
    return -3.0f;
}

static void OrientBody(CarBody* body, int car) {
    LoadIdentityPhys();
    PhysMatrixRotateYZX(SimPitch[car], SimHeading[car], SimRoll[car]);
    const float(*m)[4] = PhysMatrix;
    const float forward[3] = {m[2][0], m[2][2], m[2][1]};
    const float side[3] = {-m[0][0], -m[0][2], -m[0][1]};
    const float up[3] = {m[1][0], m[1][2], m[1][1]};
    memcpy(body->forward, forward, sizeof forward);
    memcpy(body->side, side, sizeof side);
    memcpy(body->up, up, sizeof up);
}

static void UpdateSlopeAngle(int car) {
    const float dx = ContactX[car][0] - ContactX[car][2];
    const float dz = ContactZ[car][0] - ContactZ[car][2];
    const float distance = std::sqrt(dx * dx + dz * dz);
    if (distance > 0.0f)
        SlopeAngle[car] = -std::atan((ContactGround[car][0] - ContactGround[car][2]) / distance);
}

// The JUMP events measure how far car 0 flies past the take-off line.
static void MeasureJump(int car) {
    if (TrackGroup != 4 || !InJumpZone || JumpEnded)
        return;
    const float distance = (SimPosZ[0] - 158812.0f) * 0.0037509378f;
    JumpDistance = distance > 0.0f ? distance : 0.0f;
    (void)car;
}

static void EndJump() {
    JumpEnded = 1;
    RaceOver = 1;
}

static void ApplyJumpRules(int car) {
    const int variant = TrackVariant >= 0 && TrackVariant < 8 ? TrackVariant : 0;
    if (JumpDistance != 0.0f && SimPosY[car] < 300.0f && (SurfaceWord[car] & ZONE_BIT_JUMP) && !JumpEnded) {
        EndJump();
        if (JumpDistance >= JumpRecordTable[variant]) {
            FinishSequence += 1;
            CheckDistanceRecord();
            if (!NetSessionOpen && !SingleRaceMode && !SplitScreen)
                JumpRecordTable[variant] = JumpDistance;
        }
    }
    const int height = (int)SimPosY[car];
    if (height > JumpPeakHeight)
        JumpPeakHeight = height;
    // A minute without a measured jump, a spin, or a climb above 300 and
    // back without flying also ends the attempt.
    const int noDistance = JumpDistance == 0.0f;
    if (RaceClock.minutes > 0 || RaceClock.seconds > 59 || (SpinOut[car] && noDistance) ||
        (JumpPeakHeight > 300 && SimPosY[car] < 300.0f && noDistance)) {
        if (noDistance && !RaceOver)
            EventFailed = 1;
        RaceOver = 1;
    }
}

static void CountAirborne(int car, int wheelsInAir) {
    PrevAirborneTicks[car] = AirborneTicks[car];
    if (wheelsInAir == 4) {
        AirborneTicks[car] += 1;
        SimPitch[car] += 0.01f;   // the nose drops in flight
        MeasureJump(car);
        return;
    }
    if (!JumpEnded && JumpDistance > 0.0f)
        JumpBannerTicks = 200;
    // The attempt is car 0's: a car standing elsewhere below 300 does not
    // end it.
    if (TrackGroup == 4 && car == 0)
        ApplyJumpRules(car);
    if (AirborneTicks[car] > 8) {
        LandingTicks[car] = AirborneTicks[car];
        PlayLandingSound((int)CameraDistance[car], car);
    }
    AirborneTicks[car] = 0;
}

void StepCarBody(CarBody* body, int car) {
    if (!body || car < 0 || car >= MAX_CARS)
        return;
    if (PresentationRun && car == 0)
        return;
    const float gravity = BodyGravity(car);
    OrientBody(body, car);
    body->x = SimPosX[car];
    body->z = SimPosZ[car];
    const float oldY = body->y;
    for (int k = 0; k < 4; k++) {
        body->wheel[k].offsetX = WheelOffsetX[car][k];
        body->wheel[k].offsetZ = WheelOffsetZ[car][k];
    }

    memset(BodyForceSum, 0, sizeof BodyForceSum);
    body->bottomed = 0;
    const int arenaPush = ArenaEvent() && car == 0 && CarCount > 1;
    if (arenaPush) {
        for (int i = 1; i < MAX_CARS; i++)
            ArenaPushRoll[i] = ArenaPushPitch[i] = 0.0f;
    }
    int inAir = 0;
    for (int k = 0; k < 4; k++)
        inAir += WheelContact(body, &body->wheel[k], BodyForceSum, k, car);
    WheelsInAir[car] = inAir;
    if (arenaPush) {
        for (int i = 1; i < CarCount && i < MAX_CARS; i++) {
            SimRoll[i] += ArenaPushRoll[i] * 0.00006f;
            SimPitch[i] += ArenaPushPitch[i] * 0.00003f;
        }
    }

    // Vertical: gravity and the springs.  A body without mass falls freely.
    const float mass = body->mass;
    BodyForceSum[2] += gravity * mass;
    body->vertAccel = Bounded(mass > 0.0f ? BodyForceSum[2] / mass : gravity, MaxVerticalSpeed);
    body->vertVel = Bounded(body->vertVel + body->vertAccel, MaxVerticalSpeed);
    body->y = Bounded(body->y + body->vertVel, MaxHeight);
    body->vertVel = Bounded(body->vertVel * body->rest, MaxVerticalSpeed);
    // The spin about the vertical is the collisions' (the wall pass turns
    // the heading by it and lets it die away); the planar step owns the
    // heading, so the springs' small torque about the vertical of a tilted
    // body is not added to it, where it would never die away.
    for (int k = 0; k < 2; k++)
        body->angVel[k] = Bounded(body->angVel[k] + BodyForceSum[3 + k], MaxSpin);

    // The drawn height lags the body by one tick.
    SimPosY[car] = oldY;
    WheelHeights[car][0] = body->wheel[1].height;
    WheelHeights[car][1] = body->wheel[0].height;
    WheelHeights[car][2] = body->wheel[3].height;
    WheelHeights[car][3] = body->wheel[2].height;

    if (body->inertia1 > 0.0f)
        SimRoll[car] -= Dot3(body->forward, body->angVel) * 0.001f / body->inertia1;
    if (body->inertia2 > 0.0f)
        SimPitch[car] += Dot3(body->side, body->angVel) * 0.001f / body->inertia2;
    body->vertVel = Bounded(body->vertVel * body->movementFriction, MaxVerticalSpeed);
    for (int k = 0; k < 3; k++)
        body->angVel[k] = Bounded(body->angVel[k] * body->rotationFriction, MaxSpin);

    UpdateSlopeAngle(car);
    CountAirborne(car, inAir);

    const float rollLimit = Pi / 4.0f, pitchLimit = Pi / 3.0f;
    SimRoll[car] = Bounded(SimRoll[car], rollLimit);
    SimPitch[car] = Bounded(SimPitch[car], pitchLimit);
}

// ---------------------------------------------------------------------------
// Set-up.

void InitCarWheel(CarWheel* wheel) {
    wheel->extension = -100.0f;
    wheel->stiffness = 0.0077f;
    wheel->unusedA = 0.0f;
    wheel->unusedB = 0.0f;
    wheel->restSeparation = -100.0f;
    wheel->unusedConstant = 0.0001f;
}

void InitCarBody(CarBody* body) {
    if (!body)
        return;
    const int car = CarIndex(CurrentCar);
    body->x = cocheX[car];
    body->z = cocheZ[car];
    body->y = cocheY[car];
    body->movementFriction = 0.97f;
    body->vertVel = 0.0f;
    body->unusedConstant = 0.00019f;
    for (CarWheel& wheel : body->wheel)
        InitCarWheel(&wheel);

    const float* row = MotionRowOf(CarModel[car]);
    for (int k = 0; k < 4; k++) {
        const int front = k < 2;
        CarWheel& wheel = body->wheel[k];
        wheel.stiffness = row[front ? MOTION_FRONT_DAMPING : MOTION_REAR_DAMPING];
        wheel.radius = row[front ? MOTION_FRONT_RADIUS : MOTION_REAR_RADIUS];
        wheel.restSeparation = row[front ? MOTION_FRONT_SEPARATION : MOTION_REAR_SEPARATION];
        wheel.springStop = row[MOTION_SPRING_STOP];
    }
    body->inertia1 = row[MOTION_INERTIA1];
    body->inertia2 = row[MOTION_INERTIA2];
    body->mass = row[MOTION_MASS];
    body->rotationFriction = row[MOTION_ROTATION_FRICTION];
    body->movementFriction = row[MOTION_MOVEMENT_FRICTION];
    body->restJ = row[MOTION_REST_J];
    body->rest = row[MOTION_REST];
}

void ResetCarBodies() {
    for (int car = 0; car < CarCount && car < MAX_CARS; car++) {
        SimHeading[car] = CarHeading[car];
        SimPitch[car] = AnguloDeCaida[car];
        SimRoll[car] = AnguloDeBalanza[car];
        CarBody& body = CarBodies[car];
        body.x = cocheX[car];
        body.z = cocheZ[car];
        body.y = cocheY[car];
        body.leanLong = body.leanLat = 0.0f;
        body.leanLongInput = body.leanLatInput = 0.0f;
        body.impactMark = 0;
        for (float& w : body.angVel)
            w = 0.0f;
        body.vertAccel = 0.0f;
        body.vertVel = 0.0f;
        body.bottomed = 0;
        for (CarWheel& wheel : body.wheel)
            wheel.extension = wheel.restSeparation;
    }
}
