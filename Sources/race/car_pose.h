// Car pose, ground placement and the chase camera.
#pragma once

// Tick: the world plan positions of the car's wheels (WheelWorldX/Z) from
// the tick's pose; in replays and in the menus' showroom also their heights,
// the showroom's hanging ShowroomWheelHang below the car.
void WheelWorldPositions(int car);
// The height of a model's wheel centres over its body's centre on the
// showroom car (negative: below it), where its springs hold them when the
// car stands at rest.
int ShowroomWheelDrop(int model);
// Yaw and pitch of the view that follows the car, from the eye and the
// car's frame copies only.
void UpdateChaseCamera(int car);
// The viewed car's replay eye kept above the ground (EyeFloor).
void ClampEyeAboveGround();
// Yaw and pitch from the eye to the viewed car (replays).
void AimCameraAtCar();
// The current car on the ground: its ground height, the chase eye's height
// and the ground tilt under it.
void PlaceCarOnGround();
// The current car's camera pitch and roll from its body angles, and the
// smoothing of its drawn tilt towards the ground's.
void CameraTiltFromBody();
// World points of the current car's lights, exhausts and the like
// (AttachX/Y/Z); the arena trucks' exhaust smoke.
void CarAttachmentPoints();
// The car's two local light points (the race start sets them).
void SetLightPointOffsets(int car, const float front[3], const float rear[3]);
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
