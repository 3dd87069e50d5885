#include "race/race_frame.h"

#include "frame/frame_state.h"
#include "race/race_state.h"
#include "sound/effect_sounds.h"

// Only the parts the frame relies on exist yet: the frame's age in ticks,
// the snapshot of the cars and the surface flags of every car.
void UpdateRaceFrame() {
    if (FrontEndActive)
        return;
    FrameTicks = LastFrameTicks;
    SnapshotCars();
    for (int car = 0; car < CarCount; car++)
        UpdateTerrainSounds(car);
}

void SnapshotCars() {
    for (int car = 0; car < MAX_CARS; car++) {
        cocheX[car] = SimPosX[car];
        cocheY[car] = SimPosY[car];
        cocheZ[car] = SimPosZ[car];
    }
}

void SavePreviousPositions() {}
void ComputePositionDeltas() {}
