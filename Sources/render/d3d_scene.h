// Direct3D scene drawing and the framework's device hooks.
#pragma once

struct PlatDevice;
struct PlatDeviceCaps;
struct RectI;

// Draws the polygon lists of the views through the device; negative on failure.
int RenderScene(PlatDevice* device, int viewport, const RectI* screenRect);
int SceneOneTimeInit();
int InitDeviceObjects(PlatDevice* device, int viewport);
void DeleteDeviceObjects();
void RestoreSurfacesHook();
// The framework hands over the chosen device's capabilities.
void ReadDeviceCaps(const PlatDeviceCaps* caps);
