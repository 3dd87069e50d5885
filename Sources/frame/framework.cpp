#include "frame/framework.h"

#include <cstdio>
#include <cstring>

#include "frame/driver_dialog.h"
#include "frame/frame_state.h"
#include "platform/plat_device.h"
#include "platform/plat_system.h"
#include "platform/plat_window.h"
#include "render/d3d_scene.h"

// ---------------------------------------------------------------------------
// The driver, device and mode lists, rebuilt by every enumeration.

static DriverNode driverList[FW_MAX_DRIVERS];
static int driverCount;
static int selectedDriver = -1;
static DeviceAcceptCallback acceptDevice;
static int driversSeen;
static int deviceSeen;
static int referenceSeen;

// The framework object: the screen surfaces, the device and its viewports.
struct FrameworkObject {
    int window;
    int fullScreen;
    int width, height;            // of the render target
    PlatRect targetRect;          // where the picture goes on the screen
    PlatRect clientRect;
    PlatSurface* primary;
    PlatSurface* backBuffer;      // also the render target
    PlatSurface* zbuffer;
    PlatDevice* device;
    PlatViewport viewports[3];
    PlatDeviceCaps deviceDesc;
    int memoryType;               // video memory for a hardware device
    int zbufferFormat;
    int hardware;
};

static FrameworkObject framework;
static int pauseCount;

static int DepthBit(int bits) {
    switch (bits) {
    case 8: return PLAT_DEPTH_8;
    case 16: return PLAT_DEPTH_16;
    case 24: return PLAT_DEPTH_24;
    case 32: return PLAT_DEPTH_32;
    default: return 0;
    }
}

void FreeDriverList() {
    memset(driverList, 0, sizeof driverList);
    driverCount = 0;
    selectedDriver = -1;
}

int FrameworkDriverCount() { return driverCount; }

const DriverNode* FrameworkDriver(int index) { return index >= 0 && index < driverCount ? &driverList[index] : nullptr; }

// Every device is good enough for the game.
int ConfirmDevice(const PlatDeviceCaps*) { return 0; }

// The display modes a device can render in.  On the software path the race
// mode is at most 640 x 480; the wanted mode becomes the device's selected
// mode and the current display mode, or else the device keeps its first.
static void EnumerateModes(const DriverNode* driver, DeviceNode* device) {
    int wantedWidth = WantedWidth, wantedHeight = WantedHeight;
    if (RenderKind == 0) {
        if (wantedWidth > 640)
            wantedWidth = 640;
        if (wantedHeight > 480)
            wantedHeight = 480;
    }
    device->selectedMode = -1;
    const int count = PlatDisplayModeCount(driver->index);
    for (int m = 0; m < count && device->modeCount < FW_MAX_MODES; m++) {
        PlatModeInfo mode;
        if (!PlatDisplayModeInfo(driver->index, m, &mode) || mode.bits == 8)
            continue;
        if ((mode.bits == 16 || mode.bits == 24 || mode.bits == 32) && !(device->desc.renderDepths & DepthBit(mode.bits)))
            continue;
        ModeNode& node = device->modes[device->modeCount];
        node.desc = mode;
        snprintf(node.label, sizeof node.label, "%ld x %ld x %ld bit", (long)mode.width, (long)mode.height,
                 (long)mode.bits);
        if (mode.width == wantedWidth && mode.height == wantedHeight && mode.bits == WantedDepth) {
            device->selectedMode = device->modeCount;
            CurrentModeWidth = mode.width;
            CurrentModeHeight = mode.height;
            CurrentModeDepth = mode.bits;
        }
        device->modeCount++;
    }
    if (device->selectedMode < 0)
        device->selectedMode = 0;
}

static void EnumerateDevices(DriverNode* driver) {
    const int desktopBits = PlatDesktopBitDepth();
    const int count = PlatDisplayDeviceCount(driver->index);
    for (int d = 0; d < count && driver->deviceCount < FW_MAX_DEVICES; d++) {
        PlatDeviceInfo info;
        if (!PlatDisplayDeviceInfo(driver->index, d, &info) || info.caps.isNull)
            continue;
        deviceSeen = 1;
        const int hardware = info.caps.hardware;
        if (!hardware && !driver->isPrimary)
            continue;
        if (acceptDevice && acceptDevice(&info.caps) != 0)
            continue;
        DeviceNode* node = &driver->devices[driver->deviceCount];
        memset(node, 0, sizeof *node);
        node->index = d;
        snprintf(node->name, sizeof node->name, "%s", info.name);
        node->desc = info.caps;
        node->hardware = hardware;
        EnumerateModes(driver, node);
        if (driver->canRenderWindowed) {
            for (int m = 0; m < node->modeCount; m++) {
                if (node->modes[m].desc.bits == desktopBits)
                    node->desktopCompatible = 1;
            }
            if (driver->isPrimary && node->desktopCompatible)
                node->windowed = 1;
        }
        if (info.caps.isReference)
            referenceSeen = 1;
        if (node->modeCount == 0) {
            PlatDebugOut("Device dropped: no display mode it can render in");
            continue;
        }
        if (hardware)
            driver->selectedDevice = driver->deviceCount;
        else if (info.caps.colourModelRgb && driver->selectedDevice < 0)
            driver->selectedDevice = driver->deviceCount;
        driver->deviceCount++;
    }
}

int EnumerateDrivers(DeviceAcceptCallback accept) {
    acceptDevice = accept;
    deviceSeen = 0;
    referenceSeen = 0;
    driversSeen = 0;
    FreeDriverList();
    const int count = PlatDisplayDriverCount();
    for (int i = 0; i < count && driverCount < FW_MAX_DRIVERS; i++) {
        PlatDriverInfo info;
        if (!PlatDisplayDriverInfo(i, &info))
            continue;
        DriverNode* node = &driverList[driverCount];
        memset(node, 0, sizeof *node);
        node->index = i;
        node->isPrimary = info.isPrimary;
        node->canRenderWindowed = info.canRenderWindowed;
        node->selectedDevice = -1;
        snprintf(node->description, sizeof node->description, "%s", info.description);
        snprintf(node->name, sizeof node->name, "%s", info.name);
        // Only the configured driver's devices are looked at; a driver
        // left without devices is dropped.
        if (driversSeen++ == DisplayConfig.driverIndex)
            EnumerateDevices(node);
        if (node->deviceCount == 0)
            continue;
        if (node->isPrimary && selectedDriver < 0)
            selectedDriver = driverCount;
        driverCount++;
    }
    char line[96];
    snprintf(line, sizeof line, "Enumeration: %d driver(s) with devices", driverCount);
    PlatDebugOut(line);
    return SelectDefaultDriver(0);
}

// Walks four passes: hardware, then software, on a driver that can render
// in a window; then hardware, then software, on any driver.
int SelectDefaultDriver(int flags) {
    for (int pass = 0; pass < 4; pass++) {
        const int wantHardware = pass == 0 || pass == 2;
        const int windowCapable = pass < 2;
        if ((flags & SELECT_SOFTWARE_ONLY) && wantHardware)
            continue;
        if ((flags & SELECT_FULLSCREEN_ONLY) && windowCapable)
            continue;
        for (int dr = 0; dr < driverCount; dr++) {
            DriverNode& driver = driverList[dr];
            if (windowCapable && !driver.canRenderWindowed)
                continue;
            for (int dv = 0; dv < driver.deviceCount; dv++) {
                DeviceNode& device = driver.devices[dv];
                if (device.hardware != wantHardware)
                    continue;
                if ((flags & SELECT_RGB_EMULATION) && (device.hardware || !device.desc.colourModelRgb))
                    continue;
                if ((flags & SELECT_REFERENCE) && !device.desc.isReference)
                    continue;
                if ((flags & SELECT_HARDWARE_PRIMARY) && (!device.hardware || !driver.isPrimary))
                    continue;
                if ((flags & SELECT_HARDWARE_SECONDARY) && (!device.hardware || driver.isPrimary))
                    continue;
                selectedDriver = dr;
                driver.selectedDevice = dv;
                device.windowed = windowCapable;
                return 0;
            }
        }
    }
    if (!deviceSeen)
        return (int)FWERR_ENUMERATION_FAILED;
    return referenceSeen ? (int)FWERR_NO_DIRECT3D_DEVICES : (int)FWERR_NO_COMPATIBLE_DEVICES;
}

int GetSelectedDriver(int* driver, int* device) {
    if (selectedDriver < 0 || driverList[selectedDriver].selectedDevice < 0)
        return (int)FWERR_ENUMERATION_FAILED;
    if (driver)
        *driver = selectedDriver;
    if (device)
        *device = driverList[selectedDriver].selectedDevice;
    return 0;
}

// ---------------------------------------------------------------------------
// Creating and destroying the objects.

static void DestroyObjects() {
    if (framework.device)
        PlatDeviceRelease(framework.device);
    PlatSurfaceRelease(framework.zbuffer);
    PlatSurfaceRelease(framework.backBuffer);
    PlatSurfaceRelease(framework.primary);
    framework.device = nullptr;
    framework.zbuffer = framework.backBuffer = framework.primary = nullptr;
    PlatDisplayClose();
}

// Keeps OUTOFVIDEOMEMORY as it is and turns any other failure into `code`.
static int SurfaceFailure(int result, unsigned int code) {
    return result == DDERR_OUTOFVIDEOMEMORY ? result : (int)code;
}

// The z-buffer format: the last one the device can use, stopping at the
// first 16-bit one.
static int ChooseZBufferFormat(int driver, int device, const PlatDeviceCaps& caps) {
    int chosen = 0;
    const int count = PlatDisplayZBufferFormatCount(driver, device);
    for (int i = 0; i < count; i++) {
        const int format = PlatDisplayZBufferFormat(driver, device, i);
        PlatPixelFormatDesc desc;
        if (!PlatPixelFormatDescribe(format, &desc) || !(caps.zbufferDepths & DepthBit(desc.depthBits)))
            continue;
        chosen = format;
        if (desc.depthBits == 16)
            break;
    }
    return chosen;
}

static int CreateScreenSurfaces(const ModeNode& mode) {
    int result;
    if (framework.fullScreen) {
        framework.width = mode.desc.width;
        framework.height = mode.desc.height;
        framework.targetRect = framework.clientRect = {0, 0, framework.width, framework.height};
        if (PlatDisplaySetMode(mode.desc.width, mode.desc.height, mode.desc.bits) != DD_OK)
            return (int)FWERR_BAD_DISPLAY_MODE;
        result = PlatSurfaceCreate(framework.width, framework.height, PLAT_PF_DISPLAY,
                                   PLAT_SURF_PRIMARY | PLAT_SURF_VIDEOMEMORY, &framework.primary);
        if (result != DD_OK)
            return SurfaceFailure(result, FWERR_NO_PRIMARY);
        // The flipping chain's back buffer.
        result = PlatSurfaceCreate(framework.width, framework.height, PLAT_PF_DISPLAY,
                                   PLAT_SURF_BACKBUFFER | PLAT_SURF_3DDEVICE | PLAT_SURF_VIDEOMEMORY,
                                   &framework.backBuffer);
        if (result != DD_OK)
            return SurfaceFailure(result, FWERR_NO_BACKBUFFER);
    } else {
        PlatDisplayClientSize(&framework.width, &framework.height);
        framework.clientRect = {0, 0, framework.width, framework.height};
        framework.targetRect = framework.clientRect;
        result = PlatSurfaceCreate(framework.width, framework.height, PLAT_PF_DISPLAY, PLAT_SURF_PRIMARY,
                                   &framework.primary);
        if (result != DD_OK)
            return SurfaceFailure(result, FWERR_NO_PRIMARY);
        result = PlatSurfaceCreate(framework.width, framework.height, PLAT_PF_DISPLAY,
                                   PLAT_SURF_BACKBUFFER | PLAT_SURF_3DDEVICE | framework.memoryType,
                                   &framework.backBuffer);
        if (result != DD_OK)
            return SurfaceFailure(result, FWERR_NO_BACKBUFFER);
    }
    PlatSurfaceAttach(framework.primary, framework.backBuffer);
    // Black on the screen from the start.
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        if (PlatSurfaceFill(framework.backBuffer, nullptr, 0, 0) != DDERR_WASSTILLDRAWING)
            break;
    }
    PlatSurfaceFlip(framework.primary, PLAT_WAIT);
    return 0;
}

static int Initialise(int window, int driverIndex, int deviceIndex, int fullScreen) {
    const DriverNode& driver = driverList[driverIndex];
    const DeviceNode& device = driver.devices[deviceIndex];
    const ModeNode& mode = device.modes[device.selectedMode];

    framework.window = window;
    framework.fullScreen = fullScreen;
    if (PlatDisplayOpen(driver.index) != DD_OK)
        return (int)FWERR_NO_DIRECTDRAW;
    if (PlatDisplaySetCooperativeLevel(fullScreen) != DD_OK) {
        DestroyObjects();
        return (int)FWERR_COOPERATIVE_LEVEL;
    }

    PlatDeviceInfo info;
    if (!PlatDisplayDeviceInfo(driver.index, device.index, &info)) {
        DestroyObjects();
        return (int)FWERR_NO_DIRECT3D;
    }
    framework.deviceDesc = info.caps;
    framework.hardware = device.hardware;
    framework.memoryType = device.hardware ? PLAT_SURF_VIDEOMEMORY : PLAT_SURF_SYSTEMMEMORY;
    framework.zbufferFormat = ChooseZBufferFormat(driver.index, device.index, info.caps);
    if (!framework.zbufferFormat) {
        DestroyObjects();
        return (int)FWERR_NO_ZBUFFER;
    }
    ReadDeviceCaps(&framework.deviceDesc);

    int code = CreateScreenSurfaces(mode);
    if (code != 0) {
        DestroyObjects();
        return code;
    }

    if (!info.caps.needsNoZBuffer) {
        const int result = PlatSurfaceCreate(framework.width, framework.height, framework.zbufferFormat,
                                             PLAT_SURF_ZBUFFER | framework.memoryType, &framework.zbuffer);
        if (result != DD_OK) {
            DestroyObjects();
            return SurfaceFailure(result, FWERR_NO_ZBUFFER);
        }
        PlatSurfaceAttach(framework.backBuffer, framework.zbuffer);
    }

    const int displayBits = fullScreen ? mode.desc.bits : PlatDesktopBitDepth();
    if (displayBits <= 8) {
        DestroyObjects();
        return (int)FWERR_NEEDS_16BIT_DESKTOP;
    }
    if (PlatDeviceCreate(driver.index, device.index, framework.backBuffer, framework.zbuffer, &framework.device) !=
        DD_OK) {
        DestroyObjects();
        return (int)FWERR_NO_3D_DEVICE;
    }

    const int w = framework.width, h = framework.height;
    framework.viewports[0] = {0, 0, w, h};
    framework.viewports[1] = {0, 0, w, h / 2};
    framework.viewports[2] = {0, h / 2, w, h / 2};
    for (const PlatViewport& viewport : framework.viewports) {
        if (PlatDeviceSetViewport(framework.device, &viewport) != DD_OK) {
            DestroyObjects();
            return (int)FWERR_NO_VIEWPORT;
        }
    }
    CurrentViewport = 2;

    char line[128];
    snprintf(line, sizeof line, "Framework: %s, %s, %d x %d x %d%s", driver.description, device.name, w, h,
             mode.desc.bits, fullScreen ? "" : " in a window");
    PlatDebugOut(line);
    return 0;
}

int InitFramework(int window) {
    int driver = 0, device = 0;
    int code = GetSelectedDriver(&driver, &device);
    if (code != 0)
        return code;
    const int hardware = driverList[driver].devices[device].hardware;
    code = Initialise(window, driver, device, !WindowedMode);
    if (code == 0) {
        code = InitDeviceObjects(framework.device, CurrentViewport);
        if (code != 0) {
            DeleteDeviceObjects();
            DestroyObjects();
        }
    }
    // A hardware device that fails is replaced by a software one.
    if (code != 0 && hardware) {
        ShowFrameworkError(code, 2);
        if (SelectDefaultDriver(SELECT_SOFTWARE_ONLY) != 0)
            return code;
        return InitFramework(window);
    }
    return code;
}

int CreateFramework(int window) {
    SceneOneTimeInit();
    memset(&framework, 0, sizeof framework);
    pauseCount = 0;
    return InitFramework(window);
}

void ReleaseFramework() {
    DestroyObjects();
    memset(&framework, 0, sizeof framework);
    AppReady = 0;
}

// ---------------------------------------------------------------------------
// Presenting, restoring, pausing and changing the device.

int ShowFrame() {
    if (!framework.primary)
        return (int)FWERR_NO_PRIMARY_NOW;
    if (!framework.backBuffer)
        return PlatSurfaceIsLost(framework.primary);
    if (framework.fullScreen)
        return PlatSurfaceFlip(framework.primary, PLAT_WAIT);
    return PlatSurfaceBlt(framework.primary, &framework.targetRect, framework.backBuffer, &framework.clientRect,
                          PLAT_WAIT);
}

void RestoreSurfaces() {
    PlatSurface* const surfaces[] = {framework.primary, framework.backBuffer, framework.zbuffer};
    for (PlatSurface* s : surfaces) {
        if (s && PlatSurfaceIsLost(s) == DDERR_SURFACELOST)
            PlatSurfaceRestore(s);
    }
}

int FlipToGdi(int) { return PlatDisplayFlipToGdi(); }

void PauseFramework(int pause) {
    if (pause) {
        if (pauseCount++ == 0 && framework.fullScreen)
            FlipToGdi(1);
    } else if (pauseCount > 0) {
        pauseCount--;
    }
    AppReady = pauseCount == 0;
}

int ChangeDevice(int window) {
    DeleteDeviceObjects();
    DestroyObjects();
    // Back in a window, the window takes its kept place and size again.
    if (WindowedMode) {
        const PlatRect rect = {WindowRect.left, WindowRect.top, WindowRect.right, WindowRect.bottom};
        PlatWindowSetRect(&rect);
    }
    const int code = InitFramework(window);
    if (code == 0) {
        SingleStepRequest = 1;
        return 0;
    }
    ShowFrameworkError(code, 1);
    PlatDestroyWindow();
    return code;
}

// Refreshes what the dialog shows from the desktop, runs it, and stores an
// OK'd choice that differs from the selection as the new selection.
int DriverDialog(int, int windowed) {
    if (selectedDriver < 0)
        return -1;
    const int desktopBits = PlatDesktopBitDepth();
    for (int dr = 0; dr < driverCount; dr++) {
        for (int dv = 0; dv < driverList[dr].deviceCount; dv++) {
            DeviceNode& device = driverList[dr].devices[dv];
            device.desktopCompatible = 0;
            for (int m = 0; m < device.modeCount; m++) {
                if (device.modes[m].desc.bits == desktopBits)
                    device.desktopCompatible = 1;
            }
        }
    }
    DriverNode& driver = driverList[selectedDriver];
    if (driver.selectedDevice < 0)
        return -1;
    DeviceNode& device = driver.devices[driver.selectedDevice];
    device.windowed = windowed;

    const DriverChoice start = {selectedDriver, driver.selectedDevice, device.selectedMode, windowed != 0};
    DriverChoice chosen = start;
    if (!RunDriverChooser(&chosen))
        return 2;
    if (chosen.driver == start.driver && chosen.device == start.device && chosen.mode == start.mode &&
        chosen.windowed == start.windowed)
        return 2;
    selectedDriver = chosen.driver;
    DriverNode& newDriver = driverList[chosen.driver];
    newDriver.selectedDevice = chosen.device;
    newDriver.devices[chosen.device].selectedMode = chosen.mode;
    newDriver.devices[chosen.device].windowed = chosen.windowed;
    const DeviceNode& newDevice = newDriver.devices[chosen.device];
    char line[192];
    snprintf(line, sizeof line, "Driver dialog: %s, %s, %s", newDriver.description, newDevice.name,
             chosen.windowed ? "Windowed mode" : newDevice.modes[chosen.mode].label);
    PlatDebugOut(line);
    return 1;
}

// ---------------------------------------------------------------------------
// Errors.

const char* FrameworkErrorText(int code) {
    switch ((unsigned int)code) {
    case FWERR_OUT_OF_MEMORY: return "Not enough memory!";
    case FWERR_ENUMERATION_FAILED:
        return "Enumeration failed. Your system may be in an\nunstable state and need to be rebooted";
    case FWERR_NO_COMPATIBLE_DEVICES:
        return "Could not find any compatible devices.\n\nTry enabling the reference rasterizer using\n"
               "EnableRefRast.reg.";
    case FWERR_NO_DIRECT3D_DEVICES: return "Could not find any compatible Direct3D\ndevices.";
    case FWERR_GENERIC_INIT: return "Generic initialization error.\n\nEnable debug output for detailed information.";
    case FWERR_NO_DIRECTDRAW: return "No DirectDraw";
    case FWERR_COOPERATIVE_LEVEL: return "Could not set Cooperative Level";
    case FWERR_NO_DIRECT3D: return "No Direct3D";
    case FWERR_NO_3D_DEVICE: return "No 3D Device";
    case FWERR_NO_ZBUFFER: return "Sin ZBuffer";
    case FWERR_NO_VIEWPORT: return "No Viewport";
    case FWERR_NO_PRIMARY: return "No primary";
    case FWERR_NO_CLIPPER: return "No Clipper";
    case FWERR_BAD_DISPLAY_MODE: return "Bad display mode";
    case FWERR_NO_BACKBUFFER: return "No backbuffer";
    case FWERR_NONZERO_REFCOUNT: return "Nonzerorefcount";
    case FWERR_NO_RENDER_TARGET: return "No render target";
    case FWERR_NEEDS_16BIT_DESKTOP:
        return "This sample requires a 16-bit (or higher) display mode\nto run in a window.\n\nPlease switch your "
               "desktop settings accordingly.";
    case FWERR_OUT_OF_VIDEO_MEMORY: return "There was insufficient video memory to use the\nhardware device.";
    default: return "Generic application error.\n\nEnable debug output for detailed information.";
    }
}

void ShowFrameworkError(int code, int kind) {
    char line[64];
    snprintf(line, sizeof line, "Framework error %08X", (unsigned int)code);
    PlatDebugOut(line);
    if (kind == 1) {
        char text[512];
        snprintf(text, sizeof text, "%s\n\nThis sample will now exit.", FrameworkErrorText(code));
        PlatMessageBox("Quorvix", text, PLAT_MB_ICONERROR);
    } else if (kind == 2) {
        HardwareFailure = 1;
    }
}

// ---------------------------------------------------------------------------
// Accessors and back-buffer copies.

int TestCooperativeLevel() { return framework.primary && PlatDisplayTestCooperativeLevel() == DD_OK; }

PlatSurface* FrameworkRenderTarget() { return framework.backBuffer; }

PlatDevice* FrameworkDevice() { return framework.device; }

void FrameworkSelectViewport(int index) {
    if (framework.device && index >= 0 && index <= 2)
        PlatDeviceSetViewport(framework.device, &framework.viewports[index]);
}

void CopyToBackBuffer(PlatSurface* source, int width, int height) {
    if (!source || !framework.backBuffer || width <= 0 || height <= 0)
        return;
    const PlatRect rect = {0, 0, width, height};
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        if (PlatSurfaceBltFast(framework.backBuffer, 0, 0, source, &rect, 0) != DDERR_WASSTILLDRAWING)
            return;
    }
}

void StretchToBackBuffer(PlatSurface* source) {
    if (!source || !framework.backBuffer)
        return;
    const int w = PlatSurfaceWidth(source) < 640 ? PlatSurfaceWidth(source) : 640;
    const int h = PlatSurfaceHeight(source) < 480 ? PlatSurfaceHeight(source) : 480;
    const PlatRect rect = {0, 0, w, h};
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES; i++) {
        if (PlatSurfaceBlt(framework.backBuffer, nullptr, source, &rect, 0) != DDERR_WASSTILLDRAWING)
            return;
    }
}
