// Platform layer: 2D surfaces (the DirectDraw stand-in).
//
// A surface is a block of pixels in CPU memory: 16-bit 5-6-5 or 5-5-5,
// 32-bit, or a depth format.  The pitch is always width x bytes per pixel,
// so a 640-wide 16-bit surface has its rows exactly 1280 bytes apart: the
// software rasteriser and the work surface's depth area rely on it.
//
// The render target of a 3D device (plat_device.h) also has a copy on the
// device.  The two copies are kept in step lazily: CPU access (lock, blits,
// fills) first reads the device's newer picture back, device drawing first
// uploads the CPU's newer picture, and presenting uploads what the device
// has not seen.  A frame that draws the 3D scene and then 2D overlays costs
// one read-back and one upload.
//
// Results are DD_OK (0) or one of the negative codes below, which the game's
// retry and restore logic compares against.
#pragma once

#include <cstdint>

struct PlatSurface;
struct PlatDevice;

constexpr int DD_OK = 0;
constexpr int DDERR_GENERIC = (int)0x80004005u;
constexpr int DDERR_INVALIDPARAMS = (int)0x80070057u;
constexpr int DDERR_OUTOFMEMORY = (int)0x8007000Eu;
constexpr int DDERR_INVALIDRECT = (int)0x88760096u;
constexpr int DDERR_INVALIDMODE = (int)0x88760078u;
constexpr int DDERR_NOCOLORKEY = (int)0x887600D7u;
constexpr int DDERR_OUTOFVIDEOMEMORY = (int)0x8876017Cu;
constexpr int DDERR_SURFACEBUSY = (int)0x887601AEu;
constexpr int DDERR_SURFACELOST = (int)0x887601C2u;
constexpr int DDERR_WASSTILLDRAWING = (int)0x8876021Cu;
constexpr int DDERR_NOEXCLUSIVEMODE = (int)0x887602E1u;
constexpr int DDERR_NOTLOCKED = (int)0x887602E6u;

// The game's "repeat while still drawing" loops give up after this many
// tries, so a surface that never finishes cannot hang a frame.
enum { PLAT_STILL_DRAWING_RETRIES = 1000 };

enum PlatPixelFormat {
    PLAT_PF_DISPLAY = 0,    // at creation: the display mode's format
    PLAT_PF_RGB565 = 1,
    PLAT_PF_XRGB1555 = 2,
    PLAT_PF_ARGB1555 = 3,
    PLAT_PF_ARGB4444 = 4,
    PLAT_PF_XRGB8888 = 5,   // bytes B, G, R, unused
    PLAT_PF_ARGB8888 = 6,
    PLAT_PF_Z16 = 7,
    PLAT_PF_Z24 = 8,        // 24 depth bits in 32
    PLAT_PF_Z32 = 9,
};

struct PlatPixelFormatDesc {
    int bitCount;
    uint32_t redMask, greenMask, blueMask, alphaMask;
    int depthBits;          // depth formats: the bits of depth, else 0
};

// Surface capabilities.
enum {
    PLAT_SURF_SYSTEMMEMORY = 0x01,
    PLAT_SURF_VIDEOMEMORY = 0x02,   // counts against the video memory size
    PLAT_SURF_PRIMARY = 0x04,       // the screen: a flip or a blit onto it presents
    PLAT_SURF_BACKBUFFER = 0x08,
    PLAT_SURF_3DDEVICE = 0x10,      // may be a device's render target
    PLAT_SURF_ZBUFFER = 0x20,
    PLAT_SURF_TEXTURE = 0x40,
};

enum {
    PLAT_WAIT = 0x01,          // lock, blit, fill, flip: wait while the surface is busy
    PLAT_LOCK_READONLY = 0x02,
    PLAT_LOCK_WRITEONLY = 0x04, // the caller rewrites the whole rectangle
    PLAT_BLT_KEYSRC = 0x08,    // skip source pixels inside the source colour key
};

struct PlatRect {
    int left, top, right, bottom;
};

// Pixel formats.
int PlatPixelFormatDescribe(int format, PlatPixelFormatDesc* desc);   // 1 when known
int PlatPixelFormatBytes(int format);
// Packs 8-bit channels (alpha full); unpacks with each channel widened by
// repeating its top bits (a 5-bit 31 becomes 255).
uint32_t PlatPixelFromRgb(int format, int r, int g, int b);
void PlatRgbFromPixel(int format, uint32_t pixel, int* r, int* g, int* b, int* a);

// Creation: a width x height surface in the given format (PLAT_PF_DISPLAY:
// the display's); *out is null after a failure.
int PlatSurfaceCreate(int width, int height, int format, int caps, PlatSurface** out);
void PlatSurfaceRelease(PlatSurface* surface);

int PlatSurfaceWidth(const PlatSurface* surface);
int PlatSurfaceHeight(const PlatSurface* surface);
int PlatSurfacePitch(const PlatSurface* surface);
int PlatSurfaceFormat(const PlatSurface* surface);
int PlatSurfaceCaps(const PlatSurface* surface);
int PlatSurfaceGetPixelFormat(const PlatSurface* surface, PlatPixelFormatDesc* desc);

// Lock (rect null: the whole surface): *bits addresses the rectangle's first
// pixel, rows *pitch bytes apart.  A locked surface answers
// DDERR_SURFACEBUSY to every other access until it is unlocked.
int PlatSurfaceLock(PlatSurface* surface, const PlatRect* rect, int flags, void** bits, int* pitch);
int PlatSurfaceUnlock(PlatSurface* surface);

// Colour fill of a rectangle (null: all) with a pixel value of the surface.
int PlatSurfaceFill(PlatSurface* surface, const PlatRect* rect, uint32_t pixel, int flags);
// Copies the source rectangle onto the destination rectangle (null: the
// whole surface), stretched by nearest neighbour when the sizes differ and
// converted when the formats differ.  Rectangles must lie inside their
// surfaces (DDERR_INVALIDRECT).  A blit onto the primary presents.
int PlatSurfaceBlt(PlatSurface* dst, const PlatRect* dstRect, PlatSurface* src, const PlatRect* srcRect, int flags);
// The unstretched copy of the source rectangle to (x, y).
int PlatSurfaceBltFast(PlatSurface* dst, int x, int y, PlatSurface* src, const PlatRect* srcRect, int flags);

// Source colour key: pixel values from low to high are transparent for
// PLAT_BLT_KEYSRC copies, and texels of that value have alpha 0 on a device.
int PlatSurfaceSetColourKey(PlatSurface* surface, int enable, uint32_t low, uint32_t high);
int PlatSurfaceGetColourKey(const PlatSurface* surface, uint32_t* low, uint32_t* high);

// Attaches a back buffer to a primary, or a z-buffer to a render target.
int PlatSurfaceAttach(PlatSurface* surface, PlatSurface* attached);
// The attached surface that has all of the given caps, or null.
PlatSurface* PlatSurfaceAttached(const PlatSurface* surface, int caps);

// Presents the primary's back buffer.
int PlatSurfaceFlip(PlatSurface* primary, int flags);

// DD_OK, or DDERR_SURFACELOST until PlatSurfaceRestore.  Screen surfaces are
// lost while a full-screen display loses the focus.
int PlatSurfaceIsLost(const PlatSurface* surface);
int PlatSurfaceRestore(PlatSurface* surface);

// Video memory: the total and what video-memory surfaces leave free.
void PlatVideoMemory(uint32_t* total, uint32_t* available);

// Controls for tests.  Busy: the next `operations` accesses without
// PLAT_WAIT answer DDERR_WASSTILLDRAWING (a waiting access waits them out).
void PlatSurfaceSimulateBusy(PlatSurface* surface, int operations);
void PlatSurfaceSimulateLost(PlatSurface* surface);
void PlatSetVideoMemorySize(uint32_t bytes);
int PlatSurfaceLiveCount();
