// Platform layer: the display (the DirectDraw object and what it offers).
//
// The machine offers one display driver, the primary display, with two 3D
// devices: a hardware one (OpenGL) and a software one, and a list of display
// modes that starts with 640 x 480 x 16.  A "display mode" is the size and
// depth of the back buffer.  Full screen, the window covers the desktop; in a
// window (the cooperative level) it has its own place and size.  Either way
// it shows the back buffer scaled to fit, keeping its shape.
#pragma once

#include <cstdint>

struct PlatDriverInfo {
    char description[40];
    char name[40];
    int isPrimary;          // the primary display driver
    int canRenderWindowed;  // its devices can draw into a window
};

// Render depths as bits of PlatDeviceCaps::renderDepths and zbufferDepths.
enum {
    PLAT_DEPTH_8 = 0x1,
    PLAT_DEPTH_16 = 0x2,
    PLAT_DEPTH_24 = 0x4,
    PLAT_DEPTH_32 = 0x8,
};

// Blend capabilities (PlatDeviceCaps::srcBlendCaps and destBlendCaps hold
// 1 << PLAT_BLEND_x; textureBlendCaps 1 << PLAT_TBLEND_x).
struct PlatDeviceCaps {
    int hardware;             // the hardware description has flags
    int isNull;               // a device that draws nothing at all
    int isReference;          // the reference rasteriser
    int colourModelRgb;
    int renderDepths;
    int zbufferDepths;
    int needsNoZBuffer;       // hides surfaces without a z-buffer
    int minTextureWidth, minTextureHeight;
    int maxTextureWidth, maxTextureHeight;
    int texturePow2;          // textures must be powers of two
    int textureSquareOnly;
    int srcBlendCaps, destBlendCaps, textureBlendCaps;
    int dither;
    int stippledAlpha;
};

struct PlatDeviceInfo {
    char name[40];
    char description[40];
    PlatDeviceCaps caps;
};

struct PlatModeInfo {
    int width, height, bits, refreshRate;
};

// Enumeration; each Info call returns 1 when the index exists.
int PlatDisplayDriverCount();
int PlatDisplayDriverInfo(int driver, PlatDriverInfo* info);
int PlatDisplayDeviceCount(int driver);
int PlatDisplayDeviceInfo(int driver, int device, PlatDeviceInfo* info);
int PlatDisplayModeCount(int driver);
int PlatDisplayModeInfo(int driver, int mode, PlatModeInfo* info);
int PlatDisplayZBufferFormatCount(int driver, int device);
int PlatDisplayZBufferFormat(int driver, int device, int index);   // a PlatPixelFormat
int PlatDesktopBitDepth();

// Opening the display on a driver; 0 (DD_OK) or a DDERR code.
int PlatDisplayOpen(int driver);
void PlatDisplayClose();
// Full screen (exclusive) or in a window: switches the window itself, and
// whether the mouse holds the system pointer (plat_input.h).  In a window
// PLAT_PF_DISPLAY surfaces take the 16-bit format, whatever the desktop's
// depth (the presenter converts).
int PlatDisplaySetCooperativeLevel(int fullScreen);
// The full-screen mode: back buffers and PLAT_PF_DISPLAY surfaces take its
// depth from now on (DDERR_INVALIDMODE when it is not listed).
int PlatDisplaySetMode(int width, int height, int bits);
int PlatDisplayFormat();
// The format of 16-bit modes: PLAT_PF_RGB565 (the default) or
// PLAT_PF_XRGB1555, so that both colour paths can be run.
void PlatDisplaySet16BitFormat(int format);
// DD_OK while the display can be drawn to; DDERR_NOEXCLUSIVEMODE while a
// full-screen display has lost the focus.
int PlatDisplayTestCooperativeLevel();
// Shows the desktop (the menu of a full-screen display); nothing to do here.
int PlatDisplayFlipToGdi();
// The window's client area (in a window the back buffer takes its size).
void PlatDisplayClientSize(int* width, int* height);
// Frames presented so far.
int PlatDisplayPresentCount();
