// The race frame update and the tick's position bookkeeping.
#pragma once

// Per frame: player controls into CarInputBits, the snapshot of the cars,
// race order, cameras and zones.
void UpdateRaceFrame();
void SnapshotCars();
void SavePreviousPositions();
void ComputePositionDeltas();
