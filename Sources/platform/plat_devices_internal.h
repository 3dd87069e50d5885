// Internals shared by the display, surface, device and input files of the
// platform layer (never included by game code).
#pragma once

#include <cstdint>

#include "platform/plat_device.h"
#include "platform/plat_surface.h"

// ---------------------------------------------------------------------------
// Surfaces (plat_surface.cpp).
struct PlatSurface {
    int width, height, pitch;
    int format, bytesPerPixel;
    int caps;
    unsigned char* pixels;    // null for a z-buffer: its depth lives on the device
    int locked;
    int lost;
    int busy;                 // accesses that still answer "still drawing"
    int hasKey;
    uint32_t keyLow, keyHigh;
    uint32_t version;         // advanced by every CPU write
    PlatSurface* attached[2]; // back buffer of a primary, z-buffer of a target
    // The device drawing into this surface, and which copy is newer.
    PlatDevice* device;
    int cpuNewer, deviceNewer;
    // A texture's copy on a device (owned by that device).
    PlatDevice* textureOwner;
    uint32_t textureName;
    uint32_t textureVersion;
    PlatSurface* prev;
    PlatSurface* next;
};

// The live surfaces, newest first.
PlatSurface* SurfaceFirst();
// Marks the surfaces with any of these caps lost (a full-screen display
// that loses the focus loses its screen surfaces).
void SurfaceLoseScreenSurfaces(int caps);
// The display format that PLAT_PF_DISPLAY stands for.
void SurfaceSetDisplayFormat(int format);
int SurfaceDisplayFormat();
// Converts a rectangle of pixels to and from 8-bit RGBA (bytes R, G, B, A).
// With `applyKey` the source colour key gives alpha 0.
void SurfaceToRgba(const PlatSurface* s, int x, int y, int w, int h, uint8_t* out, int applyKey);
void SurfaceFromRgba(PlatSurface* s, int x, int y, int w, int h, const uint8_t* in);

// ---------------------------------------------------------------------------
// Devices (plat_device.cpp and its backends).
struct GlDeviceData;

enum { DEVICE_EVENT_CAPACITY = 4096 };

struct PlatDevice {
    int backend;
    int hardware;
    PlatSurface* target;
    PlatSurface* zbuffer;
    PlatViewport viewport;
    uint32_t states[PLAT_RS_COUNT];
    PlatSurface* texture;
    int inScene;
    GlDeviceData* gl;
    PlatDeviceEvent events[DEVICE_EVENT_CAPACITY];
    int eventFirst, eventCount;   // a ring of the newest events
    int scenes;
    int draws;                    // DrawPrimitive calls that drew
};

// Brings the CPU copy of a device's render target up to date.
void DeviceReadBack(PlatSurface* target);
// Brings the device copy up to date and returns the GL framebuffer that
// holds the picture (0 when the target has no GL device).
uint32_t DeviceSyncFramebuffer(PlatSurface* target);
// A surface is going away: forget it as target or texture.
void DeviceForgetSurface(PlatSurface* surface);

// plat_device_gl.cpp
int GlDeviceCreate(PlatDevice* device);
void GlDeviceRelease(PlatDevice* device);
int GlDeviceClear(PlatDevice* device, int flags, uint32_t colour, float z);
int GlDeviceDraw(PlatDevice* device, int primitive, const PlatTLVertex* vertices, int count);
void GlDeviceUpload(PlatDevice* device);
void GlDeviceReadBack(PlatDevice* device);
uint32_t GlDeviceFramebuffer(PlatDevice* device);
void GlDeleteTexture(PlatSurface* texture);
// Something other than a device's draw used the GL context: the next draw
// sets every state again.
void GlForgetAppliedStates();
int GlDeviceStateChanges(const PlatDevice* device);

// plat_gl_context.cpp: the GL context the devices draw with: the window's
// on the real backend, an EGL surfaceless one on the headless backend.
int GlContextAcquire();
void GlContextRelease();
// The window backend hands over its context (null when none).
void GlContextSetWindowContext(int available);

// ---------------------------------------------------------------------------
// Display (plat_display.cpp).
// Presents a back buffer: on the real backend through GL onto the window.
int DisplayPresent(PlatSurface* image);
// The window gained or lost the focus.
void DisplayFocusChanged(int focused);
void DisplayReset();
// 1 while the display is full screen (the cooperative level), 0 in a window.
int DisplayIsFullScreen();
// Where a back buffer of imageWidth x imageHeight is shown in an output of
// outWidth x outHeight: the largest picture of its shape that fits, centred.
void DisplayPictureRect(int outWidth, int outHeight, int imageWidth, int imageHeight, PlatRect* rect);
// A point of the window's output (pixels, top left 0, 0) in pixels of the
// back buffer presented last; before any present the two are the same.
void DisplayOutputToPicture(float x, float y, float* pictureX, float* pictureY);
void HeadlessDesktopSize(int* width, int* height);
// The backend of a display's device for a render target of this width;
// negative when the device cannot start.
int DisplayDeviceBackend(int driver, int device, int targetWidth, int* hardware);

// plat_display_sdl.cpp (the window itself is plat_window_sdl.cpp's)
struct SDL_Window;
SDL_Window* SdlWindowHandle();
int SdlGlCreateContext();
void SdlGlDestroyContext();
int SdlPresent(PlatSurface* image);
int SdlDesktopBits();
void SdlSetFullScreen(int fullScreen);
void SdlWindowSize(int* width, int* height);
// The window's output in pixels (larger than its size on a high-density screen).
void SdlDrawableSize(int* width, int* height);
// A point of the window (its own units) in pixels of its output.
void SdlWindowToOutput(int x, int y, float* outX, float* outY);

// ---------------------------------------------------------------------------
// Input (plat_input.cpp): the event side of the keyboard and mouse, fed by
// the SDL events or by the headless script.
void InputKeyEvent(int scan, int virtualKey, int down);
void InputMouseMotion(int dx, int dy);
// The system pointer is at (x, y) of the window's output (ignored while the
// game holds it captured).
void InputMousePosition(float x, float y);
// The display went full screen or into a window: the capture follows.
void InputDisplayModeChanged();
void InputMouseButton(int button, int down);
void InputMouseButtons(int mask);
void InputFocusChanged(int focused);
void InputReset();

struct PlatEffectDesc;

// The joystick backends: SDL (plat_input_sdl.cpp) and the fake one
// (plat_input_headless.cpp).  Haptic kinds: 0 none, 1 effects, 2 rumble.
int SdlJoyCount();
int SdlJoyOpen(int index, int* hapticKind);
void SdlJoyClose();
int SdlJoyRaw(int axes[2], unsigned char buttons[32]);
int SdlEffectCreate(const PlatEffectDesc* desc);
int SdlEffectUpdate(int id, const PlatEffectDesc* desc);
int SdlEffectRun(int id, int iterations);
void SdlEffectDestroy(int id);
int SdlRumble(int strength, int durationMs);
void SdlMouseCapture(int capture);
// The system pointer's place over the window's output; 0 when it is not
// over the window.
int SdlMousePosition(float* x, float* y);

int FakeJoyCount();
int FakeJoyOpen(int index, int* hapticKind);
void FakeJoyClose();
int FakeJoyRaw(int axes[2], unsigned char buttons[32]);
int FakeEffectCreate(const PlatEffectDesc* desc);
int FakeEffectUpdate(int id, const PlatEffectDesc* desc);
int FakeEffectRun(int id, int iterations);
void FakeEffectDestroy(int id);
int FakeRumble(int strength, int durationMs);
// Headless script events for the fake devices; 1 when consumed (not to be
// delivered to the window).
int InputHeadlessEvent(int message, uintptr_t wParam, intptr_t lParam);

// plat_keys.cpp: the key table's SDL side.
int KeyScanOfSdl(int sdlScancode);
