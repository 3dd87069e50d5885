// Car pose, ground placement and the chase camera.
#pragma once

void WheelWorldPositions(int car);
void UpdateChaseCamera(int car);
// Reads Config\cameras.cfg over the built-in camera table.
void LoadCameraTable();
