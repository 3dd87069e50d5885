// Small worlds and single cars for the race tests: a ground plane in the
// height grid, a car placed and seated on it, and one tick of one car in
// the order the simulation tick runs it.
#pragma once

#include <cmath>

#include "frame/frame_state.h"
#include "net/net_state.h"
#include "race/engine.h"
#include "race/motion_table.h"
#include "race/physics.h"
#include "race/race_state.h"
#include "render/model_sets.h"
#include "render/objects.h"
#include "render/render_state.h"
#include "sound/sound_state.h"
#include "track/track_state.h"
#include "track/track_test_util.h"
#include "frontend/frontend_state.h"

namespace race_test {

const uint32_t GroundFlag = 0x2000;
const float Centre = 100000.0f;   // the middle of every test world

// The ground memory of every wheel back to 0 (what a hole in the ground
// returns).
inline void ForgetGround() {
    for (auto& wheels : GroundMemory) {
        for (auto& height : wheels)
            height = 0.0f;
    }
}

// The plane y = base + dydx (x - Centre) + dydz (z - Centre) over 20,000
// units about the centre (no plane: the ground is 0 everywhere).
inline void PlaneWorld(float dydx = 0.0f, float dydz = 0.0f, float base = 0.0f) {
    FrontEndActive = 0;
    BeginObjectLoad(1);
    ForgetGround();
    auto y = [&](float x, float z) { return base + dydx * (x - Centre) + dydz * (z - Centre); };
    const float lo = Centre - 10000.0f, hi = Centre + 10000.0f;
    AddObject("MUNDO01",
              {{{lo, y(lo, lo), lo}, {hi, y(hi, lo), lo}, {hi, y(hi, hi), hi}},
               {{lo, y(lo, lo), lo}, {hi, y(hi, hi), hi}, {lo, y(lo, hi), hi}}},
              GroundFlag);
    ListEverywhere(HeightGrid, {0, 4});
}

// Ground 0 under every point, however far a car drives.
inline void FlatEverywhere() {
    FrontEndActive = 0;
    BeginObjectLoad(1);
    ForgetGround();
    ListEverywhere(HeightGrid, {});
}

// The car on its model's wheels and built-in row, its body at height y,
// level, facing `heading`, every driving value as a race starts.
inline void PlaceCar(int car, int model, float x, float z, float y, float heading = 0.0f) {
    CarModel[car] = model;
    ModelWheelOffsets(model, WheelOffsetX[car], WheelOffsetZ[car]);
    cocheX[car] = SimPosX[car] = x;
    cocheZ[car] = SimPosZ[car] = z;
    cocheY[car] = SimPosY[car] = y;
    CarHeading[car] = SimHeading[car] = HeadingAccum[car] = Angle1[car] = heading;
    AnguloDeCaida[car] = AnguloDeBalanza[car] = 0.0f;
    const int keptCar = CurrentCar, keptCount = CarCount;
    CurrentCar = car;
    InitCarBody(&CarBodies[car]);
    CurrentCar = keptCar;
    // Re-seat this car alone.
    CarCount = car + 1;
    ResetCarBodies();
    CarCount = keptCount > car + 1 ? keptCount : car + 1;
    VelocityX[car] = VelocityZ[car] = CarSpeed[car] = 0.0f;
    CollisionImpulseX[car] = CollisionImpulseZ[car] = 0.0f;
    EngineRevs[car] = 0.0f;
    CarGear[car] = 0;
    ShiftState[car] = 0;
    LastShiftGear[car] = -1;
    DriveDirection[car] = 1;
    ThrottleState[car] = 1;
    SteeringAngle[car] = DriftSteer[car] = GroundSteer[car] = 0.0f;
    SpinOut[car] = 0;
    AirborneTicks[car] = 0;
    WheelsInAir[car] = 0;
    adhesion[car] = 2.0f;
    TurnGain[car] = 0.000391f;
    SlideForceDivisor[car] = 2.0f;
    StopSpeedSpin[car] = 0.19885f;
    CameraLag[car] = 29.0f;
    for (int& flag : SurfaceFlags[car])
        flag = 0;
}

// The ground height at rest of a model's body on flat ground g.
inline float RestHeight(int model, float g = 0.0f) {
    const MotionTargets& t = MotionTargetsOf(model);
    return g + t.radius + t.rideHeight;
}

// One tick of one car with these control bits, as the simulation tick runs
// it (without collisions): the frame's heading copy follows the car.
inline void DriveTick(int car, int bits) {
    DecodeCarInputBits(bits);
    TickParity = TickParity ^ 1;
    StepCarPhysics(car, car);
    UpdateCarHeading(car);
    UpdateBodyLean(car, car);
    StepCarBody(&CarBodies[car], car);
    CarHeading[car] = SimHeading[car];
}

// A race on the flat with the engines released, car 0 the local car.
inline void ReleasedRace(int group = 1, int variant = 0) {
    TrackGroup = group;
    TrackVariant = variant;
    TrackCode = group * 10 + variant;
    StartStage = 3;
    PresentationRun = 0;
    PresentationCamera = 0;
    LocalCar = 0;
    SplitScreen = 0;
    NetSessionOpen = 0;
    EnginesReleased = 1;
}

// Car 0 of model 0, engine row 0, resting on endless flat ground in a race
// with the engines released.
inline void FlatRaceWithCar0() {
    FlatEverywhere();
    ReleasedRace();
    PlaceCar(0, 0, Centre, Centre, RestHeight(0));
    motor[0] = 0;
}

inline float PlanSpeed(int car) {
    return std::sqrt(VelocityX[car] * VelocityX[car] + VelocityZ[car] * VelocityZ[car]);
}

}  // namespace race_test
