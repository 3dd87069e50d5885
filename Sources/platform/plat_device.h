// Platform layer: the 3D device (the Direct3D stand-in).
//
// A device draws pre-transformed triangles into its render target surface:
// each vertex is a screen position (pixel centres at whole numbers), a depth
// from 0 to 1, 1/w for perspective-correct interpolation, a diffuse and a
// specular colour (0xAARRGGBB) and texture coordinates.  Render states,
// one texture stage and a viewport rectangle (which clips the drawing and
// bounds the clears) steer it.
//
// Two backends stand behind the one interface: OpenGL 3.3 core (on the
// window's context, or on an EGL surfaceless context without a display) and
// a recording device that keeps a log of every call for tests and draws
// nothing (its clears do fill the target).
#pragma once

#include <cstdint>

struct PlatSurface;
struct PlatDevice;

struct PlatTLVertex {
    float sx, sy, sz, rhw;
    uint32_t diffuse, specular;
    float tu, tv;
};
static_assert(sizeof(PlatTLVertex) == 32, "pre-transformed vertices are 32 bytes");

enum PlatDeviceBackend {
    PLAT_DEVICE_RECORDING = 1,
    PLAT_DEVICE_GL = 2,
};

enum PlatPrimitive {
    PLAT_PT_TRIANGLELIST = 4,
    PLAT_PT_TRIANGLESTRIP = 5,
    PLAT_PT_TRIANGLEFAN = 6,
};

enum PlatRenderState {
    PLAT_RS_ZENABLE,
    PLAT_RS_ZWRITEENABLE,
    PLAT_RS_ZFUNC,
    PLAT_RS_ALPHABLENDENABLE,
    PLAT_RS_SRCBLEND,
    PLAT_RS_DESTBLEND,
    PLAT_RS_TEXTUREMAPBLEND,
    PLAT_RS_SHADEMODE,
    PLAT_RS_TEXTUREMAG,
    PLAT_RS_TEXTUREMIN,
    PLAT_RS_FILLMODE,
    PLAT_RS_TEXTUREADDRESS,
    PLAT_RS_COLORKEYENABLE,
    PLAT_RS_SPECULARENABLE,
    PLAT_RS_CULLMODE,
    PLAT_RS_DITHERENABLE,
    PLAT_RS_TEXTUREPERSPECTIVE,
    PLAT_RS_SUBPIXELX,
    PLAT_RS_STIPPLEDALPHA,
    PLAT_RS_FOGENABLE,
    PLAT_RS_FOGTABLEMODE,
    PLAT_RS_FOGTABLESTART,   // float bits (PlatFloatBits)
    PLAT_RS_FOGTABLEEND,     // float bits
    PLAT_RS_FOGCOLOR,
    PLAT_RS_COUNT
};

enum PlatCompare {
    PLAT_CMP_NEVER = 1,
    PLAT_CMP_LESS,
    PLAT_CMP_EQUAL,
    PLAT_CMP_LESSEQUAL,
    PLAT_CMP_GREATER,
    PLAT_CMP_NOTEQUAL,
    PLAT_CMP_GREATEREQUAL,
    PLAT_CMP_ALWAYS,
};

enum PlatBlend {
    PLAT_BLEND_ZERO = 1,
    PLAT_BLEND_ONE,
    PLAT_BLEND_SRCCOLOR,
    PLAT_BLEND_INVSRCCOLOR,
    PLAT_BLEND_SRCALPHA,
    PLAT_BLEND_INVSRCALPHA,
    PLAT_BLEND_DESTALPHA,
    PLAT_BLEND_INVDESTALPHA,
    PLAT_BLEND_DESTCOLOR,
    PLAT_BLEND_INVDESTCOLOR,
};

enum {
    PLAT_TBLEND_DECAL = 1,      // the texel alone
    PLAT_TBLEND_MODULATE = 2,   // texel x diffuse
    PLAT_SHADE_FLAT = 1,        // the first vertex's colour
    PLAT_SHADE_GOURAUD = 2,
    PLAT_FILTER_NEAREST = 1,
    PLAT_FILTER_LINEAR = 2,
    PLAT_FILL_WIREFRAME = 2,
    PLAT_FILL_SOLID = 3,
    PLAT_TADDRESS_WRAP = 1,
    PLAT_TADDRESS_CLAMP = 3,
    PLAT_CULL_NONE = 1,
    PLAT_CULL_CW = 2,           // clockwise on the screen
    PLAT_CULL_CCW = 3,
    PLAT_FOG_NONE = 0,
    PLAT_FOG_LINEAR = 3,        // by eye distance (w), from start to end
};

enum {
    PLAT_CLEAR_TARGET = 1,
    PLAT_CLEAR_ZBUFFER = 2,
};

// Results beyond the surface codes of plat_surface.h.
constexpr int PLAT_DEVERR_SCENE_IN_SCENE = (int)0x887600E3u;
constexpr int PLAT_DEVERR_SCENE_NOT_IN_SCENE = (int)0x887600E4u;

struct PlatViewport {
    int x, y, width, height;
};

// The device the display offers as (driver, device) (plat_display.h), on the
// backend that the display gives it.
int PlatDeviceCreate(int driver, int device, PlatSurface* target, PlatSurface* zbuffer, PlatDevice** out);
// A device on a chosen backend (tests).  A z-buffer is optional.
int PlatDeviceCreateBackend(int backend, PlatSurface* target, PlatSurface* zbuffer, PlatDevice** out);
// Releasing a device first brings its render target's CPU copy up to date.
void PlatDeviceRelease(PlatDevice* device);
int PlatDeviceBackendOf(const PlatDevice* device);
int PlatDeviceIsHardware(const PlatDevice* device);
PlatSurface* PlatDeviceRenderTarget(const PlatDevice* device);

int PlatDeviceSetViewport(PlatDevice* device, const PlatViewport* viewport);
int PlatDeviceGetViewport(const PlatDevice* device, PlatViewport* viewport);
// Clears the viewport's rectangle: the target to a colour (0xAARRGGBB), the
// depth to z.
int PlatDeviceClear(PlatDevice* device, int flags, uint32_t colour, float z);

int PlatDeviceBeginScene(PlatDevice* device);
int PlatDeviceEndScene(PlatDevice* device);
int PlatDeviceSetRenderState(PlatDevice* device, int state, uint32_t value);
uint32_t PlatDeviceGetRenderState(const PlatDevice* device, int state);
// Stage 0 only; null draws untextured.  The device takes a new copy of the
// texture's pixels when they changed since it last drew with it.
int PlatDeviceSetTexture(PlatDevice* device, int stage, PlatSurface* texture);
// Between BeginScene and EndScene.
int PlatDeviceDrawPrimitive(PlatDevice* device, int primitive, const PlatTLVertex* vertices, int count);

// Texture formats the device takes, in its order of preference.
int PlatDeviceTextureFormatCount(const PlatDevice* device);
int PlatDeviceTextureFormat(const PlatDevice* device, int index);

uint32_t PlatFloatBits(float value);
float PlatBitsFloat(uint32_t bits);

// The recording backend's log.
enum PlatDeviceEventKind {
    PLAT_EV_BEGINSCENE = 1,
    PLAT_EV_ENDSCENE,
    PLAT_EV_STATE,
    PLAT_EV_TEXTURE,
    PLAT_EV_VIEWPORT,
    PLAT_EV_CLEAR,
    PLAT_EV_DRAW,
};

struct PlatDeviceEvent {
    int kind;
    int state;              // PLAT_EV_STATE
    uint32_t value;         // PLAT_EV_STATE: the value; PLAT_EV_CLEAR: the colour
    int primitive;          // PLAT_EV_DRAW
    int vertexCount;        // PLAT_EV_DRAW
    int clearFlags;         // PLAT_EV_CLEAR
    PlatViewport viewport;  // the viewport in force
    const PlatSurface* texture;  // the texture in force
    PlatTLVertex vertex[3];      // PLAT_EV_DRAW: the first three vertices
};

// Events of a recording device, oldest first (the newest 4096 are kept).
int PlatDeviceEventCount(const PlatDevice* device);
int PlatDeviceEventAt(const PlatDevice* device, int index, PlatDeviceEvent* event);
int PlatDeviceSceneCount(const PlatDevice* device);
// DrawPrimitive calls accepted since creation (either backend).
int PlatDeviceDrawCount(const PlatDevice* device);
// OpenGL backend: GL calls that changed a state since creation (a draw
// changes only what differs from the draw before); 0 on the recording one.
int PlatDeviceStateChanges(const PlatDevice* device);
void PlatDeviceClearEvents(PlatDevice* device);
