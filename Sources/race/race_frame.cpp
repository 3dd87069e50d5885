#include "race/race_frame.h"

#include "frame/frame_state.h"
#include "race/car_pose.h"
#include "race/race_state.h"
#include "race/tuning.h"
#include "render/geometry.h"
#include "render/render_state.h"
#include "sound/effect_sounds.h"
#include "track/zones.h"

// Each wheel's world position: the plan position from the car's drawn pose
// and its model's wheel offsets, the height of the wheel centre from the
// body step (its wheels stand on the ground under them).
static void PlaceWheels(int car) {
    LoadIdentityPhys();
    PhysMatrixRotateYZX(AnguloDeCaida[car], CarHeading[car], AnguloDeBalanza[car]);
    for (int j = 0; j < 4; j++) {
        const float p[3] = {WheelOffsetX[car][j], WheelOffsetY[car][j], WheelOffsetZ[car][j]};
        float out[3];
        for (int c = 0; c < 3; c++)
            out[c] = p[0] * PhysMatrix[0][c] + p[1] * PhysMatrix[1][c] + p[2] * PhysMatrix[2][c];
        WheelPosX[car][j] = cocheX[car] + out[0];
        WheelPosY[car][j] = WheelHeights[car][j];
        WheelPosZ[car][j] = cocheZ[car] + out[2];
    }
}

// Only the parts the frame relies on exist yet: the frame's age in ticks,
// the developer keys, the snapshot of the cars, the surface under every
// car, the cars' wheels and the chase camera behind the viewed car.
void UpdateRaceFrame() {
    if (FrontEndActive)
        return;
    FrameTicks = LastFrameTicks;
    // The presentation fly-by is not built yet: its camera hands over to the
    // chase camera at the first race frame.
    PresentationCamera = 0;
    PresentationRun = 0;
    TuningKeys();
    SnapshotCars();
    const int keptCar = CurrentCar;
    for (int car = 0; car < CarCount && car < MAX_CARS; car++) {
        // The zone mask under the car is its surface (outside the track's
        // range, none).
        const int mask = ZoneMaskAt(cocheX[car], cocheZ[car]);
        SurfaceWord[car] = mask > 0 ? mask : 0;
        UpdateTerrainSounds(car);
        CurrentCar = car;
        PlaceCarOnGround();
        PlaceWheels(car);
    }
    CurrentCar = keptCar;
    UpdateChaseCamera(ViewedCar[0]);
}

void SnapshotCars() {
    for (int car = 0; car < MAX_CARS; car++) {
        cocheX[car] = SimPosX[car];
        cocheY[car] = SimPosY[car];
        cocheZ[car] = SimPosZ[car];
        CarHeading[car] = SimHeading[car];
        AnguloDeCaida[car] = SimPitch[car];
        AnguloDeBalanza[car] = SimRoll[car];
        EyeX[car] = ChaseEyeX[car];
        EyeZ[car] = ChaseEyeZ[car];
    }
    ViewFocalScaleCopy = ViewFocalScale;
}

void SavePreviousPositions() {}
void ComputePositionDeltas() {}
