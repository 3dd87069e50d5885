// The race frame update and the tick's position bookkeeping.
#pragma once

// Per frame: player controls into CarInputBits, the snapshot of the cars,
// race order, cameras and zones.
void UpdateRaceFrame();
void SnapshotCars();
// Fills CameraDistance and CarsByDistance from the frame's copies and eyes.
void SortCarsByCameraDistance();
void SavePreviousPositions();
void ComputePositionDeltas();
