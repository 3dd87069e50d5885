#include "render/d3d_textures.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/vfs.h"
#include "platform/plat_device.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "render/bitmaps.h"

TextureSizeRules TextureRules;
TextureContainer* TextureList;
PlatSurface* SlotTextures[TEXTURE_SLOTS];
uint32_t TextureMemoryTotal, TextureMemoryFree;

// Mode 3 lifts every palette colour darker than this in all three channels,
// so that only entry 0 is black and keyed.
enum { KEY_LIFT_BELOW = 14 };

static TextureContainer* FindContainer(int slot) {
    for (TextureContainer* c = TextureList; c; c = c->next) {
        if (c->slot == slot)
            return c;
    }
    return nullptr;
}

const TextureContainer* TextureContainerOf(int slot) { return FindContainer(slot); }

static void ForgetSlotTextures() { memset(SlotTextures, 0, sizeof SlotTextures); }

static void ReleaseTexture(TextureContainer* c) {
    PlatSurfaceRelease(c->surface);
    c->surface = nullptr;
    c->texture = nullptr;
}

static void DebugLine(const char* format, const char* text) {
    char line[TEXTURE_NAME_CHARS + 64];
    snprintf(line, sizeof line, format, text);
    PlatDebugOut(line);
}

int TextureAdd(const char* fileName, int slot, int stage, int flags) {
    if (!fileName)
        return DDERR_INVALIDPARAMS;
    if (FindContainer(slot) || TexturesLoaded < 0)
        return DD_OK;
    TextureContainer* c = (TextureContainer*)calloc(1, sizeof(TextureContainer));
    if (!c)
        return DDERR_OUTOFMEMORY;
    snprintf(c->fileName, sizeof c->fileName, "%s", fileName);
    c->stage = stage;
    c->flags = flags;
    c->slot = slot;
    c->mode = CurrentTextureMode;

    // Only the archives hold textures.  The bitmap is checked whole here,
    // so that every later restore reads a picture known to be sound.
    DebugLine("Texture: loading %s", fileName);
    unsigned char* file = nullptr;
    const int size = VfsLoadFile(fileName, &file);
    BmpImage image;
    if (size <= 0 || !DecodeBmp(file, size, &image)) {
        DebugLine("Texture: %s is not an archived bitmap", fileName);
        free(file);
        free(c);
        return DDERR_INVALIDPARAMS;
    }
    c->bitmap = file;
    c->bitmapBytes = size;

    c->next = TextureList;
    if (TextureList)
        TextureList->previous = c;
    TextureList = c;
    return DD_OK;
}

// ---------------------------------------------------------------------------
// Making a texture for a device.

static int Clamp(int value, int low, int high) {
    if (high > 0 && value > high)
        value = high;
    if (low > 0 && value < low)
        value = low;
    return value < 1 ? 1 : value;
}

static int PowerOfTwoAtLeast(int value) {
    int p = 1;
    while (p < value && p < (1 << 30))
        p <<= 1;
    return p;
}

void TextureSizeFor(int bitmapWidth, int bitmapHeight, int* width, int* height) {
    int w = bitmapWidth / 2, h = bitmapHeight / 2;
    if (TextureRules.powerOfTwo) {
        w = PowerOfTwoAtLeast(bitmapWidth);
        h = PowerOfTwoAtLeast(bitmapHeight);
    }
    if (TextureRules.squareOnly)
        w = h = w > h ? w : h;
    *width = Clamp(w, TextureRules.minWidth, TextureRules.maxWidth);
    *height = Clamp(h, TextureRules.minHeight, TextureRules.maxHeight);
}

// The device's first format of the wanted kind.  An 8-bit bitmap asks for a
// palettised format; the devices here have none, so it takes the 16-bit RGB
// format without alpha, as any device without one does.
int ChooseTextureFormat(const PlatDevice* device, int bitCount, int flags) {
    const int wantAlpha = (flags & (TEXTURE_TRANSPARENT_WHITE | TEXTURE_TRANSPARENT_BLACK)) != 0;
    const int wantPalette = bitCount <= 8 && !wantAlpha;
    const int rgbBits = flags & TEXTURE_32BIT ? 32 : 16;
    const int count = PlatDeviceTextureFormatCount(device);
    for (int pass = wantPalette ? 0 : 1; pass < 2; pass++) {
        for (int i = 0; i < count; i++) {
            const int format = PlatDeviceTextureFormat(device, i);
            PlatPixelFormatDesc desc;
            if (!PlatPixelFormatDescribe(format, &desc) || desc.depthBits)
                continue;
            const int hasAlpha = desc.alphaMask != 0;
            if (pass == 0 && desc.bitCount == 8)
                return format;
            // The second search of a palettised bitmap takes 16 bits.
            const int bits = wantPalette ? 16 : rgbBits;
            if (pass == 1 && desc.bitCount == bits && hasAlpha == wantAlpha)
                return format;
        }
    }
    return 0;
}

// Draws the bitmap 1:1 onto a surface of its size, through its palette
// (lifted for colour-keyed textures) or its true colours.
static int DrawBitmap(PlatSurface* surface, const BmpImage& image, int mode) {
    const int format = PlatSurfaceFormat(surface);
    const int bytes = PlatPixelFormatBytes(format);
    uint32_t palette[256] = {};
    if (image.bitCount == 8) {
        for (int i = 0; i < image.paletteCount; i++) {
            int r = image.palette[i][0], g = image.palette[i][1], b = image.palette[i][2];
            if (mode == 3 && bytes > 1 && r < KEY_LIFT_BELOW && g < KEY_LIFT_BELOW && b < KEY_LIFT_BELOW)
                r = g = b = KEY_LIFT_BELOW;
            palette[i] = PlatPixelFromRgb(format, r, g, b);
        }
        // Entry 0 is the key colour.
        if (mode == 3 && bytes > 1)
            palette[0] = PlatPixelFromRgb(format, 0, 0, 0);
    }
    void* bits = nullptr;
    int pitch = 0;
    const int code = PlatSurfaceLock(surface, nullptr, PLAT_WAIT | PLAT_LOCK_WRITEONLY, &bits, &pitch);
    if (code != DD_OK)
        return code;
    for (int y = 0; y < image.height; y++) {
        uint8_t* out = (uint8_t*)bits + (long)y * pitch;
        const uint8_t* row = BmpRow(image, y);
        for (int x = 0; x < image.width; x++) {
            uint32_t pixel;
            if (image.bitCount == 8) {
                pixel = palette[row[x]];
            } else {
                const uint8_t* p = row + x * 3;
                pixel = PlatPixelFromRgb(format, p[2], p[1], p[0]);
            }
            memcpy(out + x * bytes, &pixel, (size_t)bytes);
        }
    }
    return PlatSurfaceUnlock(surface);
}

// Transparency flags on a format with alpha: the transparent colour gets
// alpha 0, every other pixel full alpha.
static void SetTransparentAlpha(PlatSurface* texture, int flags) {
    const int format = PlatSurfaceFormat(texture);
    PlatPixelFormatDesc desc;
    if (!(flags & (TEXTURE_TRANSPARENT_WHITE | TEXTURE_TRANSPARENT_BLACK)) || !PlatPixelFormatDescribe(format, &desc) ||
        !desc.alphaMask)
        return;
    const int key = flags & TEXTURE_TRANSPARENT_WHITE ? 255 : 0;
    const int bytes = PlatPixelFormatBytes(format);
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(texture, nullptr, PLAT_WAIT, &bits, &pitch) != DD_OK)
        return;
    for (int y = 0; y < PlatSurfaceHeight(texture); y++) {
        uint8_t* row = (uint8_t*)bits + (long)y * pitch;
        for (int x = 0; x < PlatSurfaceWidth(texture); x++) {
            uint32_t pixel = 0;
            memcpy(&pixel, row + x * bytes, (size_t)bytes);
            int r, g, b;
            PlatRgbFromPixel(format, pixel, &r, &g, &b, nullptr);
            if (r == key && g == key && b == key)
                pixel &= ~desc.alphaMask;
            else
                pixel |= desc.alphaMask;
            memcpy(row + x * bytes, &pixel, (size_t)bytes);
        }
    }
    PlatSurfaceUnlock(texture);
}

int TextureRestore(int slot, PlatDevice* device) {
    TextureContainer* c = FindContainer(slot);
    if (!c)
        return DDERR_INVALIDPARAMS;
    ReleaseTexture(c);
    if (!device)
        return DDERR_INVALIDPARAMS;
    BmpImage image;
    if (!DecodeBmp(c->bitmap, c->bitmapBytes, &image))
        return DDERR_INVALIDPARAMS;

    int width, height;
    TextureSizeFor(image.width, image.height, &width, &height);
    const int format = ChooseTextureFormat(device, image.bitCount, c->flags);
    if (!format)
        return DDERR_INVALIDPARAMS;
    PlatSurface* texture = nullptr;
    int code = PlatSurfaceCreate(width, height, format, PLAT_SURF_TEXTURE | PLAT_SURF_VIDEOMEMORY, &texture);
    if (code != DD_OK)
        return code;
    // The bitmap at its own size, then blitted onto the texture, which
    // scales it into the texture's size.
    PlatSurface* picture = nullptr;
    code = PlatSurfaceCreate(image.width, image.height, format, PLAT_SURF_SYSTEMMEMORY, &picture);
    if (code == DD_OK)
        code = DrawBitmap(picture, image, c->mode);
    if (code == DD_OK)
        code = PlatSurfaceBlt(texture, nullptr, picture, nullptr, PLAT_WAIT);
    PlatSurfaceRelease(picture);
    if (code != DD_OK) {
        PlatSurfaceRelease(texture);
        return code;
    }
    if (c->mode == 3)
        PlatSurfaceSetColourKey(texture, 1, 0, 0);
    SetTransparentAlpha(texture, c->flags);
    c->surface = texture;
    c->texture = texture;
    return DD_OK;
}

void TextureRestoreAll(PlatDevice* device) {
    for (TextureContainer* c = TextureList; c; c = c->next)
        TextureRestore(c->slot, device);
}

// The slot table would otherwise keep textures that are gone.
void TextureInvalidateAll() {
    ForgetSlotTextures();
    for (TextureContainer* c = TextureList; c; c = c->next)
        ReleaseTexture(c);
}

void TextureFreeAll() {
    ForgetSlotTextures();
    while (TextureList) {
        TextureContainer* c = TextureList;
        TextureList = c->next;
        ReleaseTexture(c);
        free(c->bitmap);
        free(c);
    }
}

PlatSurface* TextureOf(int slot) {
    const TextureContainer* c = FindContainer(slot);
    return c ? c->texture : nullptr;
}

void QueryTextureMemory(PlatDevice*) { PlatVideoMemory(&TextureMemoryTotal, &TextureMemoryFree); }
