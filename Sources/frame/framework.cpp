#include "frame/framework.h"

#include "frame/frame_state.h"

// The display device is not built yet: one framework always comes up, in
// the wanted mode, and shows nothing.
static int frameworkCreated;

int EnumerateDrivers(DeviceAcceptCallback) { return 0; }
int ConfirmDevice(const void*) { return 1; }

int GetSelectedDriver(int* driver, int* device) {
    *driver = 0;
    *device = 0;
    return 0;
}

int CreateFramework(int) {
    frameworkCreated = 1;
    CurrentModeWidth = WantedWidth;
    CurrentModeHeight = WantedHeight;
    CurrentModeDepth = WantedDepth;
    return 0;
}

void ReleaseFramework() {
    frameworkCreated = 0;
    AppReady = 0;
}

void FreeDriverList() {}
int ShowFrame() { return 0; }
void RestoreSurfaces() {}
void ShowFrameworkError(int, int kind) {
    if (kind == 2)
        HardwareFailure = 1;
}
int TestCooperativeLevel() { return frameworkCreated; }
PlatSurface* FrameworkRenderTarget() { return nullptr; }
PlatDevice* FrameworkDevice() { return nullptr; }
void CopyToBackBuffer(PlatSurface*, int, int) {}
