#include "render/d3d_scene.h"

// The Direct3D drawing path is not built yet: it draws nothing and succeeds.
int RenderScene(PlatDevice*, int, const RectI*) { return 0; }
int SceneOneTimeInit() { return 0; }
int InitDeviceObjects(PlatDevice*, int) { return 0; }
void DeleteDeviceObjects() {}
void RestoreSurfacesHook() {}
void ReadDeviceCaps(const PlatDeviceCaps*) {}
