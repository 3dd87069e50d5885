// The computer driver: once per tick before its physics step, a computer
// car chooses a driving line and its grip by how it stands against car 0,
// aims at a point of that line ahead of it, backs out when it is stuck, and
// brakes and honks for the cars in front.  It writes nothing but the car's
// control word (and the decoded controls the physics step reads), the
// handbrake and horn flags and its grip.

#include "race/cpu_driver.h"

#include <cmath>

#include "race/race_state.h"
#include "track/track_state.h"

namespace {

const float TwoPi = 6.2831853071795864f;
const float Pi = 3.14159265358979f;

// The line for standing categories 0 (well ahead of car 0), 1 (ahead by
// less than 10,000), 2 (behind car 0); the fourth column is not read.
const int LineChoice[10][4] = {
    {0, 0, 0, 0}, {1, 1, 1, 1}, {2, 2, 2, 2}, {0, 0, 1, 2}, {0, 1, 1, 2},
    {0, 1, 2, 2}, {1, 1, 1, 2}, {1, 2, 2, 2}, {2, 1, 2, 2}, {2, 2, 2, 2},
};
// The grip for the same categories.
const float AdhesionChoice[10][4] = {
    {1.3f, 1.4f, 1.5f, 0}, {1.4f, 1.45f, 1.7f, 0},  {1.45f, 1.57f, 1.75f, 0}, {1.5f, 1.6f, 1.8f, 0},
    {1.6f, 1.7f, 1.9f, 0}, {1.4f, 1.5f, 1.7f, 0},   {1.5f, 1.6f, 1.8f, 0},    {1.6f, 1.7f, 1.9f, 0},
    {1.7f, 1.9f, 2.0f, 0}, {2.0f, 2.05f, 2.2f, 0},
};

int Row(int value) { return value < 0 ? 0 : value > 9 ? 9 : value; }

int StandingCategory(int car) {
    const float d = RaceDistance[0] - RaceDistance[car];
    if (d > 0.0f)
        return 2;
    return d + 10000.0f > 0.0f ? 1 : 0;
}

void CountStuckTicks(int car, float speed) {
    int& ticks = CpuStuckTicks[car];
    if (speed > 60.0f) {
        ticks = 0;
    } else if (ticks > 0 && speed > 10.0f) {
        ticks--;
    } else if (ticks < 50 && speed < 10.0f && EnginesReleased) {
        ticks++;
        if (ticks >= 50) {
            ticks = 0;
            CpuRecovering[car] = 1;
            CpuTargetNode[car] = PathNodeIndex[car] + 1;
        }
    }
}

// Squared plan distance within which the target moves on to the next point.
float LookAhead(int car, float speed) {
    const int still = CpuStuckTicks[car] == 0;
    if (TrackGroup == 7) {
        if (speed > 40.0f)
            return (speed - 40.0f) * 50000.0f + 14000000.0f;
        return speed > 20.0f && still ? 14000000.0f : 250000.0f;
    }
    if (speed > 40.0f)
        return (speed - 40.0f) * 100000.0f + 10000000.0f;
    return speed > 20.0f && still ? 10000000.0f : 500000.0f;
}

// The target point of the line; it stays among the line's points (a guide
// node may lie past a shorter line's end).
const CpuLinePoint& TargetPoint(int car, int line, int count, float lookAhead) {
    int& target = CpuTargetNode[car];
    if (target < 0 || target >= count)
        target %= count;
    if (target < 0)
        target += count;
    const CpuLinePoint* p = &CpuLineTable[line][target];
    const float dx = p->x - SimPosX[car], dz = p->z - SimPosZ[car];
    if (dx * dx + dz * dz < lookAhead) {
        target = target + 1 < count ? target + 1 : 0;
        if (target > PathNodeIndex[car] + 5)
            target = (PathNodeIndex[car] + 1) % count;
        p = &CpuLineTable[line][target];
    }
    return *p;
}

// The bearing of (dx, dz) in [0, 2 pi), counted from +x towards +z.
float Bearing(float dx, float dz) {
    if (dx == 0.0f)
        return dz > 0.0f ? Pi / 2.0f : 3.0f * Pi / 2.0f;
    const float a = std::atan(std::fabs(dz / dx));
    if (dx > 0.0f)
        return dz >= 0.0f ? a : TwoPi - a;
    return dz >= 0.0f ? Pi - a : Pi + a;
}

// A heading (pointing along (sin h, cos h)) in the bearing's convention.
float HeadingBearing(float heading) {
    const float turns = heading / TwoPi;
    const float f = (turns - std::trunc(turns)) * TwoPi;
    float h = f >= 0.0f ? TwoPi - f + Pi / 2.0f : Pi / 2.0f - (f + TwoPi);
    while (h >= TwoPi)
        h -= TwoPi;
    while (h < 0.0f)
        h += TwoPi;
    return h;
}

// The other car's offset in this car's frame: along its forward axis and
// across it.
void Offset(int car, int other, float* forward, float* across) {
    const CarBody& body = CarBodies[car];
    const float dx = SimPosX[other] - SimPosX[car], dz = SimPosZ[other] - SimPosZ[car];
    *forward = dx * body.forward[0] + dz * body.forward[1];
    *across = dx * body.side[0] + dz * body.side[1];
}

void Honk(int car) {
    if (HornFlags[0] == 0)
        HornFlags[car] = 1;
}

// Brakes and honks for the cars in front.  The car itself is never its own
// traffic (car 0 under the autopilot).
int TrafficBrake(int car, float d) {
    int brake = 0;
    const int local = LocalCar >= 0 && LocalCar < MAX_CARS ? LocalCar : 0;
    float forward, across;
    if (local != car) {
        Offset(car, local, &forward, &across);
        if (CarSpeed[local] < 40.0f) {
            if (forward > 1000.0f && forward < 9000.0f && std::fabs(across) < 1000.0f)
                Honk(car);
        } else if (d > -100.0f && !(TrackGroup == 6 && TrackCode >= 62)) {
            if (forward < CpuTrafficAhead && std::fabs(across) < CpuTrafficAcross) {
                Honk(car);
                if (CarSpeed[car] > CarSpeed[local])
                    brake = 1;
            }
        }
    }
    const int rank = rank_pos[car];
    if (rank > 0 && rank < MAX_CARS) {
        const int ahead = rank_coche[rank - 1];
        if (ahead >= 0 && ahead < MAX_CARS && ahead != local && ahead != car &&
            !(TrackGroup == 6 && TrackCode >= 63)) {
            Offset(car, ahead, &forward, &across);
            if (forward > 0.0f && forward < 2000.0f && std::fabs(across) < 800.0f)
                brake = 1;
        }
    }
    return brake;
}

}  // namespace

int AutopilotRun;

void DriveCpuCar(int car) {
    if (car < 0 || car >= MAX_CARS)
        return;
    // 1.
    int bits = 0;
    // 2.
    const int category = StandingCategory(car);
    const int line = LineChoice[Row(CpuLineProfile[car])][category];
    adhesion[car] = AdhesionChoice[Row(CpuSkill[car])][category];
    const float speed = CarSpeed[car];
    // 3. to 5.
    CountStuckTicks(car, speed);
    const int count = CpuLinePointCounts[line] > CPU_LINE_MAX_POINTS ? CPU_LINE_MAX_POINTS : CpuLinePointCounts[line];
    if (count >= 1) {
        const CpuLinePoint& target = TargetPoint(car, line, count, LookAhead(car, speed));
        // 6. to 8.
        const float b = Bearing(target.x - SimPosX[car], target.z - SimPosZ[car]);
        const float h = HeadingBearing(SimHeading[car]);
        // The error the short way round.
        float e = b - h;
        if (e > Pi)
            e -= TwoPi;
        else if (e < -Pi)
            e += TwoPi;
        if (std::fabs(e) < 0.07f)
            e = 0.0f;
        // 9.
        const float corner = TrackGroup == 6 ? 0.2f : 0.34f;
        if (CpuRecovering[car] == 0) {
            // 10.
            if (std::fabs(e) < CpuSteerTolerance[car] || speed < 60.0f) {
                bits |= INPUT_ACCELERATE;
            } else if (std::fabs(e) > corner) {
                ControlHandbrake = 1;
            } else if (std::fabs(e) > 0.3f) {
                bits |= INPUT_BRAKE;
            }
            if (e > 0.0f)
                bits |= INPUT_LEFT;
            else if (e < 0.0f)
                bits |= INPUT_RIGHT;
            // 11. to 13.
            if (TrafficBrake(car, RaceDistance[0] - RaceDistance[car]))
                bits |= INPUT_BRAKE;
        } else {
            // 14. Backing out: the wheels turn the other way.
            if (std::fabs(e) < Pi / 10.0f) {
                CpuStuckTicks[car] = 0;
                CpuRecovering[car] = 0;
                bits |= INPUT_ACCELERATE;
            } else if (speed < 50.0f) {
                bits |= INPUT_BRAKE;
            }
            if (e > 0.0f)
                bits |= INPUT_RIGHT;
            else if (e < 0.0f)
                bits |= INPUT_LEFT;
        }
    }
    CarInputBits[car] = bits;
    ControlBrake = (bits & INPUT_BRAKE) != 0;
    ControlAccelerate = (bits & INPUT_ACCELERATE) != 0;
    ControlRight = (bits & INPUT_RIGHT) != 0;
    ControlLeft = (bits & INPUT_LEFT) != 0;
    ControlTurbo = 0;
}
