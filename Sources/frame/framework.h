// The Direct3D framework: drivers, devices and modes, the primary surface,
// back buffer, z-buffer, device and the three viewports (whole screen, top
// half, bottom half), presenting and restoring.
#pragma once

#include "platform/plat_display.h"
#include "platform/plat_surface.h"

struct PlatDevice;

// FrameworkError codes (negative as ints).
enum : unsigned int {
    FWERR_OUT_OF_MEMORY = 0x8007000Eu,
    FWERR_ENUMERATION_FAILED = 0x81000001u,
    FWERR_NO_COMPATIBLE_DEVICES = 0x81000002u,
    FWERR_NO_DIRECT3D_DEVICES = 0x81000003u,
    FWERR_NO_DIRECTDRAW_LIBRARY = 0x81000004u,
    FWERR_NO_DEVICE_OF_KIND = 0x81000005u,
    FWERR_GENERIC_INIT = 0x82000000u,
    FWERR_NO_DIRECTDRAW = 0x82000001u,
    FWERR_COOPERATIVE_LEVEL = 0x82000002u,
    FWERR_NO_DIRECT3D = 0x82000003u,
    FWERR_NO_3D_DEVICE = 0x82000004u,
    FWERR_NO_ZBUFFER = 0x82000005u,
    FWERR_NO_VIEWPORT = 0x82000006u,
    FWERR_NO_PRIMARY = 0x82000007u,
    FWERR_NO_CLIPPER = 0x82000008u,
    FWERR_BAD_DISPLAY_MODE = 0x82000009u,
    FWERR_NO_BACKBUFFER = 0x8200000Au,
    FWERR_NONZERO_REFCOUNT = 0x8200000Bu,
    FWERR_NO_RENDER_TARGET = 0x8200000Cu,
    FWERR_NEEDS_16BIT_DESKTOP = 0x8200000Du,
    FWERR_NO_PRIMARY_NOW = 0x8200000Eu,
    FWERR_OUT_OF_VIDEO_MEMORY = 0x8876017Cu,
};

// SelectDefaultDriver flags.
enum {
    SELECT_SOFTWARE_ONLY = 0x01,
    SELECT_FULLSCREEN_ONLY = 0x02,
    SELECT_RGB_EMULATION = 0x04,
    SELECT_REFERENCE = 0x08,
    SELECT_HARDWARE_PRIMARY = 0x10,
    SELECT_HARDWARE_SECONDARY = 0x20,
};

enum { FW_MAX_DRIVERS = 4, FW_MAX_DEVICES = 4, FW_MAX_MODES = 64 };

struct ModeNode {
    PlatModeInfo desc;
    char label[80];   // "%ld x %ld x %ld bit"
};

struct DeviceNode {
    int index;                // the display's device number
    char name[40];
    PlatDeviceCaps desc;
    int hardware;
    int desktopCompatible;    // one of its modes has the desktop's depth
    int windowed;             // the device is to run in a window
    int selectedMode;
    ModeNode modes[FW_MAX_MODES];
    int modeCount;
};

struct DriverNode {
    int index;                // the display's driver number
    int isPrimary;
    char description[40];
    char name[40];
    int canRenderWindowed;
    DeviceNode devices[FW_MAX_DEVICES];
    int deviceCount;
    int selectedDevice;       // -1: none
};

// The acceptance callback answers 0 to accept a device.
typedef int (*DeviceAcceptCallback)(const PlatDeviceCaps* description);

int EnumerateDrivers(DeviceAcceptCallback accept);
int ConfirmDevice(const PlatDeviceCaps* description);
int SelectDefaultDriver(int flags);
// 0, or FWERR_ENUMERATION_FAILED when nothing is selected.
int GetSelectedDriver(int* driver, int* device);
int FrameworkDriverCount();
const DriverNode* FrameworkDriver(int index);
void FreeDriverList();

int CreateFramework(int window);
int InitFramework(int window);
void ReleaseFramework();
int ShowFrame();
void RestoreSurfaces();
int FlipToGdi(int drawMenuBar);
void PauseFramework(int pause);
int ChangeDevice(int window);
// 1 when the user chose another driver, device or mode, 2 otherwise, -1
// without a selected driver.
int DriverDialog(int window, int windowed);

// kind 1 shows the message and "This sample will now exit."; kind 2 only
// marks the hardware failure.
void ShowFrameworkError(int code, int kind);
const char* FrameworkErrorText(int code);

// 1 while the display can be drawn to.
int TestCooperativeLevel();
PlatSurface* FrameworkRenderTarget();
PlatDevice* FrameworkDevice();
// Makes viewport 0, 1 or 2 current on the device.
void FrameworkSelectViewport(int index);
// Copies the top-left width x height of a surface onto the back buffer,
// repeating while the target is still drawing (a bounded number of times).
void CopyToBackBuffer(PlatSurface* source, int width, int height);
// Stretches the top-left 640 x 480 of a surface over the whole back buffer.
void StretchToBackBuffer(PlatSurface* source);
