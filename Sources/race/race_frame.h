// The race frame update and the tick's position bookkeeping.
#pragma once

// Once per frame while a race is shown (main thread, simulation lock held):
// player controls into CarInputBits, the per-tick sub-steps, the snapshot
// of the cars, the distance order, and every car's pose, zones and camera.
void UpdateRaceFrame();
// Whether the binding of `action` in binding set `set` is held; joystick
// steering of the left and right actions goes to SteeringAngle[player].
int IsControlActive(int set, int action, int player);
// The tick's car state into the per-frame copies (cocheX ..., the eyes and
// the wheels).
void SnapshotCars();
// CameraDistance and CarsByDistance from the frame's copies and eyes.
void SortCarsByCameraDistance();
// Tick: each car's position before its step, and its change over the step.
void SavePreviousPositions();
void ComputePositionDeltas();
// Race start: no movement yet.
void ClearPositionDeltas();
