// Trackside, camera-control and replay cameras.
#pragma once

// The player's next camera view (0 chase, 1 close chase, 2 in-car) with
// its camera-table values; nothing in replays or while paused.
void CycleCameraMode(int player);
// Per frame, in view 0: Insert and Delete change the viewed car of a
// replay; otherwise Page Up/Down and Home/End move the chase eye.
void AdjustCameraByKeys(int player);
// Race start and track load: the trackside cameras start over.
void ResetTvCameras();
// After the CPU lines are loaded: each camera point's nearest guide-line node.
void MapTvCamerasToPath();
// Tick, in replays: the camera point nearest along the guide line to the
// viewed car, and its kind.
void ChooseTvCamera();
// Tick, in replays: a cut when the kind changes, then the placement.
void UpdateReplayCamera();
// The replay eye and zoom of one camera mode (0..6).
void PlaceCamera(int mode);

enum { TV_CAMERA_POINTS = 200 };
extern int TvCameraNode[TV_CAMERA_POINTS];   // per camera point: the nearest guide-line node
extern int TvCameraOfCar[8];                 // kind of the camera chosen for each car
extern int LastReplayCamera;                 // the kind seen last tick (-10: cut at once)
extern int TvEyeHeight;                      // the chosen point's height, negated
extern float OrbitPhase;
extern float ReplayZoom;                     // focal scale x 640 / SurfaceWidth
extern int ReplayCameraCuts;                 // cuts since the program started
extern int ChaseOffsetBase[2];               // the eye offset a view change starts from
