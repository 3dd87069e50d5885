#include "race/car_pose.h"

void WheelWorldPositions(int) {}
void UpdateChaseCamera(int) {}
void LoadCameraTable() {}
