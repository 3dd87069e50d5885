// The Direct3D framework: drivers, devices and modes, the primary surface,
// back buffer, z-buffer, device and the three viewports.
#pragma once

struct PlatSurface;
struct PlatDevice;

// FrameworkError codes.
enum : unsigned int {
    FWERR_OUT_OF_MEMORY = 0x8007000Eu,
    FWERR_ENUMERATION_FAILED = 0x81000001u,
    FWERR_NO_COMPATIBLE_DEVICES = 0x81000002u,
    FWERR_NO_DIRECT3D_DEVICES = 0x81000003u,
    FWERR_GENERIC_INIT = 0x82000000u,
};

typedef int (*DeviceAcceptCallback)(const void* deviceDescription);

int EnumerateDrivers(DeviceAcceptCallback accept);
int ConfirmDevice(const void* deviceDescription);
int GetSelectedDriver(int* driver, int* device);
int CreateFramework(int window);
void ReleaseFramework();
void FreeDriverList();
int ShowFrame();
void RestoreSurfaces();
// kind 1 shows the message and "This sample will now exit."; kind 2 only
// marks the hardware failure.
void ShowFrameworkError(int code, int kind);
// 1 while the display can be drawn to (TestCooperativeLevel).
int TestCooperativeLevel();
PlatSurface* FrameworkRenderTarget();
PlatDevice* FrameworkDevice();
// Copies the top-left width x height of a surface onto the back buffer,
// retrying while the target is still drawing.
void CopyToBackBuffer(PlatSurface* source, int width, int height);
