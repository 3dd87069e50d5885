// Direct3D scene drawing (the drawing path of RenderKind 1), the device
// hooks of the framework and the texture animation of the world.
//
// Each view's polygon list is drawn in the order of the sort list as
// pre-transformed triangles, batched while the slot stays the same; a batch
// is drawn with the render states its slot's flags and a few fixed slots
// ask for, which are put back after it.
#pragma once

#include <cstdint>

#include "render/render_state.h"

struct PlatDevice;
struct PlatDeviceCaps;
struct RectI;

// One pre-transformed vertex per polygon corner: the vertex buffer holds a
// whole polygon list.
enum { D3D_VERTEX_CAPACITY = POLYGON_LIST_SIZE * 3 };

// The texture filter of the display options (initially linear).
extern int TextureFilter;
// What ReadDeviceCaps kept of the device.
struct DeviceCapsKept {
    int minTextureWidth, minTextureHeight, maxTextureWidth, maxTextureHeight;
    int dither, stippledAlpha;
    int srcBlendOne, srcBlendDestColour, destBlendOne, destBlendZero;
    int textureModulate, textureDecal;
    int renderBits, zbufferBits;   // the deepest of 8, 16, 24, 32 the device offers
};
extern DeviceCapsKept DeviceCaps;
extern int BlendCapable;
// Race frames counted towards the next thunder (track codes 30 and 61).
extern int ThunderCounter;

// The frame's drawing on the Direct3D path: clears, reloads textures when
// asked, and builds and draws each view (two in split screen, on viewports
// 1 and 2).  0, or negative when nothing can be drawn at all.
int RenderScene(PlatDevice* device, int viewport, const RectI* clearRect);
// Draws the current polygon list.
void DrawPolygonList3D(PlatDevice* device, int viewport);
// When TextureReloadFlag is set: clears it and makes every loaded slot's
// texture for the device, filling SlotTextures.
void ReloadTextureTable();

// The framework's hooks.
int SceneOneTimeInit();
// Fails without a device or viewport; restores every texture on the device
// and asks the next frame to fill the slot table again.
int InitDeviceObjects(PlatDevice* device, int viewport);
void DeleteDeviceObjects();
int RestoreSurfacesHook();
// The framework hands over the chosen device's capabilities.
void ReadDeviceCaps(const PlatDeviceCaps* caps);

// Advances the animated world textures by the slow ticks that passed.
void AnimateSpecialPolygons();
enum { ANIM_KINDS = 19, ANIM_FRAMES = 16 };
extern int AnimFrameLast[ANIM_KINDS];
extern int AnimTextures[ANIM_KINDS][ANIM_FRAMES];   // 0 past a kind's frames
