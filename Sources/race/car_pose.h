// Car pose, ground placement and the chase camera.
#pragma once

void WheelWorldPositions(int car);
// Yaw and pitch of the view that follows the car, from the eye and the car.
void UpdateChaseCamera(int car);
// The current car on the ground: its ground height, the chase eye's height.
void PlaceCarOnGround();
// The built-in camera table, then Config\cameras.cfg over it.
void LoadCameraTable();
