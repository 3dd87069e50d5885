#include "race/motion_table.h"

#include <cmath>
#include <cstring>

#include "render/model_sets.h"

namespace {

// Gravity of the body step on most tracks (per tick squared).
const float RestGravity = 3.0f;
// The second vertical retention; the first (rest) makes up the decay.
const float MovementFriction = 0.97f;

// Speed cars carry their body low on stiff springs; the off-road classes
// ride higher on softer ones; the monsters highest and heaviest.
const MotionTargets SpeedCar = {68.0f, 10.0f, 45.0f, 1.0f};
const MotionTargets OffRoad = {68.0f, 15.0f, 60.0f, 1.1f};
const MotionTargets JumpCar = {68.0f, 14.0f, 55.0f, 1.2f};
const MotionTargets Monster = {68.0f, 19.0f, 68.0f, 1.8f};
const MotionTargets Van = {68.0f, 12.0f, 50.0f, 1.5f};
const MotionTargets Spare = {68.0f, 12.0f, 50.0f, 1.2f};

const MotionTargets* const TargetsByModel[MOTION_MODELS] = {
    &SpeedCar, &SpeedCar, &OffRoad, &Monster,  &JumpCar, &OffRoad,  &SpeedCar, &JumpCar, &OffRoad, &Van,
    &Monster,  &OffRoad,  &OffRoad, &JumpCar,  &OffRoad, &Monster,  &SpeedCar, &SpeedCar, &Spare,  &Spare,
};

float BuiltInRows[MOTION_MODELS][MOTION_COLUMNS];

int BuildBuiltInRows() {
    for (int model = 0; model < MOTION_MODELS; model++) {
        float xs[4], zs[4];
        ModelWheelOffsets(model, xs, zs);
        BuildMotionRow(*TargetsByModel[model], xs, zs, BuiltInRows[model]);
    }
    return 1;
}

}  // namespace

void BuildMotionRow(const MotionTargets& t, const float wheelX[4], const float wheelZ[4],
                    float row[MOTION_COLUMNS]) {
    // Each axle carries the share of the weight that balances the body
    // about its centre; equal sag front and rear then leaves it level.
    float front = wheelZ[0], rear = -wheelZ[2];
    if (!(front > 0.0f && rear > 0.0f))
        front = rear = 1.0f;
    const float weight = t.mass * RestGravity;
    const float frontAxle = weight * rear / (front + rear);
    const float rearAxle = weight - frontAxle;
    const float stiffness[4] = {frontAxle / (2.0f * t.sag), frontAxle / (2.0f * t.sag), rearAxle / (2.0f * t.sag),
                                rearAxle / (2.0f * t.sag)};

    // The vertical motion's pace per tick squared; the roll and pitch
    // inertias give the angles the same pace from their spring torques.
    const float pace = RestGravity / t.sag;
    float rollSpring = 0.0f, pitchSpring = 0.0f;
    for (int j = 0; j < 4; j++) {
        rollSpring += stiffness[j] * wheelX[j] * wheelX[j];
        pitchSpring += stiffness[j] * wheelZ[j] * wheelZ[j];
    }
    const float retention = MOTION_SETTLE_DECAY * MOTION_SETTLE_DECAY;

    row[MOTION_FRONT_DAMPING] = stiffness[0];
    row[MOTION_REAR_DAMPING] = stiffness[2];
    row[MOTION_FRONT_RADIUS] = t.radius;
    row[MOTION_REAR_RADIUS] = t.radius;
    row[MOTION_FRONT_SEPARATION] = t.rideHeight + t.sag;
    row[MOTION_REAR_SEPARATION] = t.rideHeight + t.sag;
    row[MOTION_SPRING_STOP] = t.rideHeight - t.sag;
    row[MOTION_INERTIA1] = 0.001f * rollSpring / pace;
    row[MOTION_INERTIA2] = 0.001f * pitchSpring / pace;
    row[MOTION_MASS] = t.mass;
    row[MOTION_ROTATION_FRICTION] = retention;
    row[MOTION_MOVEMENT_FRICTION] = MovementFriction;
    row[MOTION_REST] = retention / MovementFriction;
    row[MOTION_REST_J] = row[MOTION_REST];
}

const MotionTargets& MotionTargetsOf(int model) {
    return *TargetsByModel[model >= 0 && model < MOTION_MODELS ? model : 0];
}

const float* BuiltInMotionRow(int model) {
    static const int built = BuildBuiltInRows();
    (void)built;
    return BuiltInRows[model >= 0 && model < MOTION_MODELS ? model : 0];
}

int MotionRowUsable(const float row[MOTION_COLUMNS]) {
    for (int c = 0; c < MOTION_COLUMNS; c++) {
        if (!std::isfinite(row[c]))
            return 0;
    }
    return row[MOTION_MASS] > 0.0f && row[MOTION_INERTIA1] > 0.0f && row[MOTION_INERTIA2] > 0.0f &&
           row[MOTION_FRONT_RADIUS] > 0.0f && row[MOTION_REAR_RADIUS] > 0.0f && row[MOTION_REST] > 0.0f;
}

int ApplyMotionImage(const void* image, size_t size) {
    if (!image || size != MOTION_FILE_BYTES)
        return 0;
    static_assert(sizeof(float[MOTION_MODELS][MOTION_COLUMNS]) == MOTION_FILE_BYTES, "the file is the table's image");
    float staged[MOTION_MODELS][MOTION_COLUMNS];
    memcpy(staged, image, sizeof staged);
    for (int model = 0; model < MOTION_MODELS; model++) {
        const float* row = MotionRowUsable(staged[model]) ? staged[model] : BuiltInMotionRow(model);
        memcpy(MotionTable[model], row, sizeof MotionTable[model]);
    }
    return 1;
}

float* MotionRowOf(int model) { return MotionTable[model >= 0 && model < MOTION_MODELS ? model : 0]; }

// The table starts as the built-in rows; the race start reads the tuning
// files over it.
float MotionTable[MOTION_MODELS][MOTION_COLUMNS];
static const int MotionTableFilled = [] {
    for (int model = 0; model < MOTION_MODELS; model++)
        memcpy(MotionTable[model], BuiltInMotionRow(model), sizeof MotionTable[model]);
    return 1;
}();
