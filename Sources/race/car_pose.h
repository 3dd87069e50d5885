// Car pose, ground placement and the chase camera.
#pragma once

void WheelWorldPositions(int car);
// Yaw and pitch of the view that follows the car, from the eye and the car.
void UpdateChaseCamera(int car);
// The current car on the ground: its ground height, the chase eye's height.
void PlaceCarOnGround();
// The built-in camera table, then Config\cameras.cfg over it.
void LoadCameraTable();
// The built-in camera table alone (also the sample folder's cameras.cfg).
void FillBuiltInCameraTable();
// GroundTiltPitch and GroundTiltRoll of the car from the corners of the last
// ground triangle found, in the frame of the physics matrix.
void ComputeGroundTilt(int car);
// A wheel of the car stands on the ramp at this height: the tilt under the
// car's heading and its ground height.
void SetRampTilt(float height, int car);
