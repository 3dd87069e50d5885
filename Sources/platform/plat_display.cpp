// The display: what the machine offers (one driver, two devices, the mode
// list), the cooperative level and mode, focus, and presenting.

#include "platform/plat_display.h"

#include <cstdio>
#include <cstring>

#include "platform/plat_devices_internal.h"
#include "platform/plat_headless_devices.h"
#include "platform/plat_internal.h"
#include "platform/plat_system.h"

enum { DEVICE_HARDWARE = 0, DEVICE_SOFTWARE = 1, DEVICE_COUNT = 2 };

static const int modeSizes[][2] = {{640, 480},  {320, 240},  {400, 300},   {512, 384},   {800, 600},
                                   {1024, 768}, {1152, 864}, {1280, 960}, {1280, 1024}, {1600, 1200}};
enum { MODE_SIZES = sizeof modeSizes / sizeof modeSizes[0], MODE_COUNT = MODE_SIZES * 2 };

static const int zbufferFormats[] = {PLAT_PF_Z16, PLAT_PF_Z24, PLAT_PF_Z32};

static int displayOpen;
static int fullScreen = 1;
static int focused = 1;
static int modeWidth, modeHeight, modeBits;
static int format16 = PLAT_PF_RGB565;
static int presentCount;
static int shownWidth, shownHeight;   // the back buffer presented last

static int headlessDesktopWidth = 640, headlessDesktopHeight = 480, headlessDesktopBits = 32;
static int headlessBackend = PLAT_DEVICE_RECORDING;
static int hardwareLimit;

void DisplayReset() {
    displayOpen = 0;
    fullScreen = 1;
    focused = 1;
    modeWidth = modeHeight = modeBits = 0;
    presentCount = 0;
    shownWidth = shownHeight = 0;
    // The pixel format too: a platform started again starts on the default
    // display, whatever the last run of it chose.
    format16 = PLAT_PF_RGB565;
    SurfaceSetDisplayFormat(PLAT_PF_RGB565);
}

// ---------------------------------------------------------------------------
// Enumeration.

int PlatDisplayDriverCount() { return 1; }

int PlatDisplayDriverInfo(int driver, PlatDriverInfo* info) {
    if (driver != 0 || !info)
        return 0;
    memset(info, 0, sizeof *info);
    snprintf(info->description, sizeof info->description, "%s", "Primary Display Driver");
    snprintf(info->name, sizeof info->name, "%s", "display");
    info->isPrimary = 1;
    info->canRenderWindowed = 1;
    return 1;
}

int PlatDisplayDeviceCount(int driver) { return driver == 0 ? DEVICE_COUNT : 0; }

int PlatDisplayDeviceInfo(int driver, int device, PlatDeviceInfo* info) {
    if (driver != 0 || device < 0 || device >= DEVICE_COUNT || !info)
        return 0;
    memset(info, 0, sizeof *info);
    const int hardware = device == DEVICE_HARDWARE;
    snprintf(info->name, sizeof info->name, "%s", hardware ? "OpenGL HAL" : "RGB Emulation");
    snprintf(info->description, sizeof info->description, "%s",
             hardware ? "Hardware rasterisation through OpenGL" : "Software rasterisation");
    PlatDeviceCaps& c = info->caps;
    c.hardware = hardware;
    c.colourModelRgb = 1;
    c.renderDepths = PLAT_DEPTH_16 | PLAT_DEPTH_32;
    c.zbufferDepths = PLAT_DEPTH_16 | PLAT_DEPTH_24 | PLAT_DEPTH_32;
    c.minTextureWidth = c.minTextureHeight = 1;
    c.maxTextureWidth = c.maxTextureHeight = 2048;
    for (int blend = PLAT_BLEND_ZERO; blend <= PLAT_BLEND_INVDESTCOLOR; blend++) {
        c.srcBlendCaps |= 1 << blend;
        c.destBlendCaps |= 1 << blend;
    }
    c.textureBlendCaps = (1 << PLAT_TBLEND_DECAL) | (1 << PLAT_TBLEND_MODULATE);
    c.dither = 1;
    return 1;
}

int PlatDisplayModeCount(int driver) { return driver == 0 ? MODE_COUNT : 0; }

int PlatDisplayModeInfo(int driver, int mode, PlatModeInfo* info) {
    if (driver != 0 || mode < 0 || mode >= MODE_COUNT || !info)
        return 0;
    info->width = modeSizes[mode % MODE_SIZES][0];
    info->height = modeSizes[mode % MODE_SIZES][1];
    info->bits = mode < MODE_SIZES ? 16 : 32;
    info->refreshRate = 60;
    return 1;
}

int PlatDisplayZBufferFormatCount(int driver, int device) {
    return driver == 0 && device >= 0 && device < DEVICE_COUNT ? (int)(sizeof zbufferFormats / sizeof(int)) : 0;
}

int PlatDisplayZBufferFormat(int driver, int device, int index) {
    if (index < 0 || index >= PlatDisplayZBufferFormatCount(driver, device))
        return 0;
    return zbufferFormats[index];
}

int PlatDesktopBitDepth() { return PlatIsHeadless() ? headlessDesktopBits : SdlDesktopBits(); }

void HeadlessDesktopSize(int* width, int* height) {
    *width = headlessDesktopWidth;
    *height = headlessDesktopHeight;
}

// ---------------------------------------------------------------------------
// The display object.

int PlatDisplayOpen(int driver) {
    if (driver != 0)
        return DDERR_INVALIDPARAMS;
    displayOpen = 1;
    focused = 1;
    return DD_OK;
}

void PlatDisplayClose() { displayOpen = 0; }

static int FormatOfBits(int bits) { return bits == 16 ? format16 : PLAT_PF_XRGB8888; }

int PlatDisplaySetCooperativeLevel(int full) {
    if (!displayOpen)
        return DDERR_GENERIC;
    fullScreen = full != 0;
    if (PlatIsHeadless())
        HeadlessSetFullScreen(fullScreen);
    else
        SdlSetFullScreen(fullScreen);
    InputDisplayModeChanged();
    // In a window the surfaces keep 16-bit pixels, whatever the desktop's
    // depth: the game draws its 2D in 16 bits, and the presenter turns the
    // picture into the window's own pixels.
    if (!fullScreen && PlatDesktopBitDepth() > 8)
        SurfaceSetDisplayFormat(format16);
    return DD_OK;
}

int PlatDisplaySetMode(int width, int height, int bits) {
    if (!displayOpen)
        return DDERR_GENERIC;
    for (int i = 0; i < MODE_COUNT; i++) {
        PlatModeInfo mode;
        PlatDisplayModeInfo(0, i, &mode);
        if (mode.width == width && mode.height == height && mode.bits == bits) {
            modeWidth = width;
            modeHeight = height;
            modeBits = bits;
            SurfaceSetDisplayFormat(FormatOfBits(bits));
            return DD_OK;
        }
    }
    return DDERR_INVALIDMODE;
}

int PlatDisplayFormat() { return SurfaceDisplayFormat(); }

void PlatDisplaySet16BitFormat(int format) {
    if (format != PLAT_PF_RGB565 && format != PLAT_PF_XRGB1555)
        return;
    format16 = format;
    if (modeBits == 16 || (PlatPixelFormatBytes(SurfaceDisplayFormat()) == 2))
        SurfaceSetDisplayFormat(format);
}

int PlatDisplayTestCooperativeLevel() {
    if (!displayOpen)
        return DDERR_GENERIC;
    if (fullScreen && !focused)
        return DDERR_NOEXCLUSIVEMODE;
    return DD_OK;
}

int PlatDisplayFlipToGdi() { return DD_OK; }

int DisplayIsFullScreen() { return fullScreen; }

void PlatDisplayClientSize(int* width, int* height) {
    if (PlatIsHeadless())
        HeadlessClientSize(width, height);
    else
        SdlWindowSize(width, height);
}

int PlatDisplayPresentCount() { return presentCount; }

void DisplayPictureRect(int outWidth, int outHeight, int imageWidth, int imageHeight, PlatRect* rect) {
    if (imageWidth <= 0 || imageHeight <= 0) {
        *rect = {0, 0, outWidth, outHeight};
        return;
    }
    int w = outWidth, h = (int)((int64_t)outWidth * imageHeight / imageWidth);
    if (h > outHeight) {
        h = outHeight;
        w = (int)((int64_t)outHeight * imageWidth / imageHeight);
    }
    const int x = (outWidth - w) / 2, y = (outHeight - h) / 2;
    *rect = {x, y, x + w, y + h};
}

void DisplayOutputToPicture(float x, float y, float* pictureX, float* pictureY) {
    *pictureX = x;
    *pictureY = y;
    if (shownWidth <= 0 || shownHeight <= 0)
        return;
    int outWidth = 0, outHeight = 0;
    if (PlatIsHeadless())
        HeadlessClientSize(&outWidth, &outHeight);
    else
        SdlDrawableSize(&outWidth, &outHeight);
    PlatRect r;
    DisplayPictureRect(outWidth, outHeight, shownWidth, shownHeight, &r);
    if (r.right <= r.left || r.bottom <= r.top)
        return;
    *pictureX = (x - (float)r.left) * (float)shownWidth / (float)(r.right - r.left);
    *pictureY = (y - (float)r.top) * (float)shownHeight / (float)(r.bottom - r.top);
}

int DisplayPresent(PlatSurface* image) {
    if (!image || !image->pixels)
        return DDERR_INVALIDPARAMS;
    if (image->lost)
        return DDERR_SURFACELOST;
    presentCount++;
    shownWidth = image->width;
    shownHeight = image->height;
    if (PlatIsHeadless())
        return DD_OK;
    return SdlPresent(image);
}

// A full-screen display that loses the focus loses its screen surfaces; the
// game restores them when it presents again.
void DisplayFocusChanged(int nowFocused) {
    focused = nowFocused != 0;
    if (!focused && displayOpen && fullScreen)
        SurfaceLoseScreenSurfaces(PLAT_SURF_PRIMARY | PLAT_SURF_BACKBUFFER | PLAT_SURF_ZBUFFER);
}

// The backend of a display device: GL on the window, or on the headless
// backend the one asked for.  The headless hardware device refuses render
// targets wider than the limit a test set.
int DisplayDeviceBackend(int driver, int device, int targetWidth, int* hardware) {
    if (driver != 0 || device < 0 || device >= DEVICE_COUNT)
        return -1;
    *hardware = device == DEVICE_HARDWARE;
    if (!PlatIsHeadless())
        return PLAT_DEVICE_GL;
    if (*hardware && hardwareLimit > 0 && targetWidth > hardwareLimit)
        return -1;
    return headlessBackend;
}

// ---------------------------------------------------------------------------
// Headless controls.

void PlatHeadlessSetDesktop(int width, int height, int bits) {
    if (width > 0 && height > 0) {
        headlessDesktopWidth = width;
        headlessDesktopHeight = height;
    }
    if (bits > 0)
        headlessDesktopBits = bits;
}

void PlatHeadlessSetDeviceBackend(int backend) {
    if (backend == PLAT_DEVICE_RECORDING || backend == PLAT_DEVICE_GL)
        headlessBackend = backend;
}

void PlatHeadlessSetHardwareLimit(int maxWidth) { hardwareLimit = maxWidth > 0 ? maxWidth : 0; }
