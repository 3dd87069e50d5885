// The Direct3D texture manager.
//
// On the Direct3D path every loaded texture is a container keyed by its
// slot: the bitmap file kept in memory, and the texture surface made from it
// for the current device.  The bitmap stays, so that every texture can be
// made again when the device changes or its surfaces are lost: the device
// hooks invalidate the containers when the device goes and restore them
// when it comes back; only the texture preparation and program exit free
// them.
#pragma once

#include <cstdint>

#include "render/render_state.h"

struct PlatDevice;
struct PlatSurface;

enum {
    TEXTURE_NAME_CHARS = 128,
    // Container flags (0 in every call the game makes).
    TEXTURE_TRANSPARENT_WHITE = 1,
    TEXTURE_TRANSPARENT_BLACK = 2,
    TEXTURE_32BIT = 4,
};

struct TextureContainer {
    uint8_t* bitmap;          // the file as read: its bitmap information and pixels follow the 14-byte file header
    int bitmapBytes;
    PlatSurface* surface;     // the texture surface on the current device, or null
    PlatSurface* texture;     // the same surface as the device binds it, or null
    int stage;                // texture stage, 0 in every call
    char fileName[TEXTURE_NAME_CHARS];
    int slot;                 // the key
    int palettised;           // 0 in every call
    int flags;
    int mode;                 // CurrentTextureMode at creation: 3 colour-keyed, else opaque
    TextureContainer* previous;
    TextureContainer* next;
};

// The device's texture size rules, kept by ReadDeviceCaps (limits 0: none).
struct TextureSizeRules {
    int minWidth, minHeight, maxWidth, maxHeight;
    int powerOfTwo;
    int squareOnly;
};
extern TextureSizeRules TextureRules;

extern TextureContainer* TextureList;   // the newest first
// Per slot, the texture bound when a batch of that slot is drawn; filled by
// ReloadTextureTable and emptied whenever containers lose their textures.
extern PlatSurface* SlotTextures[TEXTURE_SLOTS];
// The texture memory figures of the last QueryTextureMemory.
extern uint32_t TextureMemoryTotal, TextureMemoryFree;

// 0 added (also when the slot has a container already or TexturesLoaded is
// negative: then nothing is done); a failure code when memory runs out or
// the file is not an archived bitmap this game can read.
int TextureAdd(const char* fileName, int slot, int stage, int flags);
// Releases the slot's texture and makes it again for the device; a failure
// code when the slot has no container or the texture cannot be made (the
// container keeps its bitmap and the slot draws untextured).
int TextureRestore(int slot, PlatDevice* device);
void TextureRestoreAll(PlatDevice* device);
// Releases every texture, keeps the bitmaps.
void TextureInvalidateAll();
// Frees every container.
void TextureFreeAll();
// The slot's texture, or null.
PlatSurface* TextureOf(int slot);
const TextureContainer* TextureContainerOf(int slot);
void QueryTextureMemory(PlatDevice* device);

// The texture size for a bitmap under the device's rules: half the
// bitmap's size, or the smallest powers of two not below it, square when
// the device asks for it, then clamped to the device's limits.
void TextureSizeFor(int bitmapWidth, int bitmapHeight, int* width, int* height);
// The pixel format of a bitmap's texture on the device, 0 when it has none.
int ChooseTextureFormat(const PlatDevice* device, int bitCount, int flags);
