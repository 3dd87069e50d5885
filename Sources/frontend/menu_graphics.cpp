#include "frontend/menu_graphics.h"

#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frame/input.h"
#include "platform/plat_surface.h"
#include "race/race_state.h"
#include "render/overlay_blend.h"
#include "render/render_state.h"

MenuPixels MenuTarget;
MenuPixels MenuOverlay;

uint32_t BlendRed[2 * BLEND_LEVELS][64];
uint32_t BlendGreen[2 * BLEND_LEVELS][64];
uint32_t BlendBlue[2 * BLEND_LEVELS][64];

alignas(4) static unsigned char MenuGfxStore[MENU_GFX_GUARD + MENU_GFX_BUFFER_SIZE];
unsigned char* const MenuGfxBuffer = MenuGfxStore + MENU_GFX_GUARD;
[[maybe_unused]] static const int MenuGfxGuardSet = (memset(MenuGfxStore, 100, MENU_GFX_GUARD), 1);
int MenuGfxOffsets[MENU_GFX_MAX];
int MenuGfxSizes[MENU_GFX_MAX];
int MenuGfxCount;
int MenuGfxFill;

float MenuPointerLevel = 64.0f;
int MenuPointerRising = 1;
int MenuPointerShown = 1;
int KeyboardJumpGate;
int MenuStateWord;

enum { SCREEN_WIDTH = 640, SCREEN_HEIGHT = 480, POINTER_SIZE = 40 };

void* LockSurface(PlatSurface* surface) {
    void* bits = nullptr;
    int pitch = 0;
    if (!surface || PlatSurfaceLock(surface, nullptr, PLAT_WAIT, &bits, &pitch) != DD_OK)
        return nullptr;
    return bits;
}

int LockMenuPixels(PlatSurface* surface, MenuPixels* out) {
    *out = {};
    if (!surface)
        return 0;
    const int format = PlatSurfaceFormat(surface);
    if (format != PLAT_PF_RGB565 && format != PLAT_PF_XRGB1555 && format != PLAT_PF_ARGB1555)
        return 0;
    void* bits = LockSurface(surface);
    if (!bits)
        return 0;
    *out = {(uint16_t*)bits, PlatSurfacePitch(surface) / 2, PlatSurfaceWidth(surface), PlatSurfaceHeight(surface)};
    return 1;
}

// Level i weighs the text (or picture) by w = 1 - i / 98, accumulated step
// by step in single precision; row i holds the background part j x (1 - w)
// and row i + 100 the text part j x w, truncated and shifted into place.
void BuildBlendTables() {
    const int redShift = GreenMaskBits == 6 ? 11 : 10;
    float w = 1.0f;
    for (int level = 0; level < BLEND_LEVELS; level++) {
        for (int j = 0; j < 64; j++) {
            const float value = (float)j;
            const uint32_t background = (uint32_t)(int)(value * (1.0f - w));
            const uint32_t text = (uint32_t)(int)(value * w);
            BlendGreen[level][j] = background << 5;
            BlendGreen[level + BLEND_LEVELS][j] = text << 5;
            if (j < 32) {
                BlendRed[level][j] = background << redShift;
                BlendRed[level + BLEND_LEVELS][j] = text << redShift;
                BlendBlue[level][j] = background;
                BlendBlue[level + BLEND_LEVELS][j] = text;
            }
        }
        w -= 0.010204081f;
    }
}

// Files are placed on 4-byte boundaries, rounded up so a file whose size is
// not a multiple of 4 is never overwritten by the next; the offset recorded
// is the one written at.
int LoadMenuGraphic(const char* path, int first) {
    if (first == 1) {
        MenuGfxCount = 0;
        MenuGfxFill = 0;
    }
    if (MenuGfxCount >= MENU_GFX_MAX)
        return MenuGfxFill;
    const int offset = (MenuGfxFill + 3) & ~3;
    int size = 0;
    if (offset < MENU_GFX_BUFFER_SIZE &&
        ReadWholeFile(path, MenuGfxBuffer + offset, MENU_GFX_BUFFER_SIZE - offset) > 0)
        size = LastFileSize;
    MenuGfxOffsets[MenuGfxCount] = offset < MENU_GFX_BUFFER_SIZE ? offset : MENU_GFX_BUFFER_SIZE;
    MenuGfxSizes[MenuGfxCount] = size;
    MenuGfxCount++;
    MenuGfxFill = MenuGfxOffsets[MenuGfxCount - 1] + size;
    return MenuGfxFill;
}

namespace {

template <int GreenBits>
inline uint16_t Blend(uint16_t background, uint16_t picture, int level) {
    int br, bg, pr, pg;
    if (GreenBits == 6) {
        br = background >> 11;
        bg = (background >> 5) & 63;
        pr = picture >> 11;
        pg = (picture >> 5) & 63;
    } else {
        br = (background >> 10) & 31;
        bg = (background >> 5) & 31;
        pr = (picture >> 10) & 31;
        pg = (picture >> 5) & 31;
    }
    return (uint16_t)(BlendRed[level][br] + BlendRed[level + BLEND_LEVELS][pr] + BlendGreen[level][bg] +
                      BlendGreen[level + BLEND_LEVELS][pg] + BlendBlue[level][background & 31] +
                      BlendBlue[level + BLEND_LEVELS][picture & 31]);
}

int ClampLevel(int level) {
    level &= 0xffffff;
    return level >= BLEND_LEVELS ? BLEND_LEVELS - 1 : level;
}

template <int GreenBits>
void CrossFade(int level) {
    if (!MenuTarget.pixels || !MenuOverlay.pixels)
        return;
    level = ClampLevel(level);
    const int width = SCREEN_WIDTH < MenuTarget.width ? SCREEN_WIDTH : MenuTarget.width;
    const int height = SCREEN_HEIGHT < MenuTarget.height ? SCREEN_HEIGHT : MenuTarget.height;
    const int overlayWidth = width < MenuOverlay.width ? width : MenuOverlay.width;
    const int overlayHeight = height < MenuOverlay.height ? height : MenuOverlay.height;
    for (int y = 0; y < overlayHeight; y++) {
        uint16_t* out = MenuTarget.pixels + (long)y * MenuTarget.pitch;
        const uint16_t* in = MenuOverlay.pixels + (long)y * MenuOverlay.pitch;
        for (int x = 0; x < overlayWidth; x++)
            out[x] = Blend<GreenBits>(out[x], in[x], level);
    }
}

}  // namespace

void BlendPictureOverWorkSurface555(int level) { CrossFade<5>(level); }
void BlendPictureOverWorkSurface565(int level) { CrossFade<6>(level); }

void BlendPictureOverWorkSurface(int level) {
    if (GreenMaskBits == 5)
        BlendPictureOverWorkSurface555(level);
    else
        BlendPictureOverWorkSurface565(level);
}

void BlendPixelWithWhite(int x, int y) {
    if (!MenuTarget.pixels || x < 0 || y < 0 || x >= MenuTarget.width || y >= MenuTarget.height)
        return;
    uint16_t& pixel = MenuTarget.pixels[(long)y * MenuTarget.pitch + x];
    pixel = GreenMaskBits == 5 ? Blend<5>(pixel, 0x7fff, 50) : Blend<6>(pixel, 0xffff, 50);
}

// ---------------------------------------------------------------------------
// The pointer pulses between pictures 64 and 72, a third of a step a tick.

int PulseMenuPointer() {
    if (!MenuPointerShown)
        return 0;
    const float step = (float)FrameTicks * 0.33333334f;
    if (MenuPointerRising) {
        MenuPointerLevel += step;
        if (MenuPointerLevel > 72.0f) {
            MenuPointerLevel = 72.0f;
            MenuPointerRising = 0;
        }
    } else {
        MenuPointerLevel -= step;
        if (MenuPointerLevel < 64.0f) {
            MenuPointerLevel = 64.0f;
            MenuPointerRising = 1;
        }
    }
    return (int)MenuPointerLevel;
}

// The picture's hot spot is 11 columns and 8 rows in.
int PlaceMenuPointer(int mouseX, int mouseY, MenuPointerBox* box) {
    int x = mouseX - 11, y = mouseY - 8;
    int width = x >= SCREEN_WIDTH - POINTER_SIZE ? SCREEN_WIDTH - x : POINTER_SIZE;
    int height = y >= SCREEN_HEIGHT - POINTER_SIZE ? SCREEN_HEIGHT - y : POINTER_SIZE;
    if (x <= -POINTER_SIZE || y <= -POINTER_SIZE || x >= SCREEN_WIDTH || y >= SCREEN_HEIGHT)
        return 0;
    int sourceX = 0, sourceY = 0;
    if (x < 0) {
        sourceX = -x;
        width += x;
        x = 0;
    }
    if (y < 0) {
        sourceY = -y;
        height += y;
        y = 0;
    }
    if (width <= 0 || height <= 0 || width > POINTER_SIZE || height > POINTER_SIZE)
        return 0;
    *box = {x, y, width, height, sourceX, sourceY};
    return 1;
}

// A surface the overlay blit can use: 16-bit pixels, rows exactly `width`
// pixels apart, at least `height` rows.
static int BlendableSurface(PlatSurface* surface, int width, int height) {
    if (!surface || PlatSurfaceWidth(surface) != width || PlatSurfaceHeight(surface) < height ||
        PlatSurfacePitch(surface) != width * 2)
        return 0;
    const int format = PlatSurfaceFormat(surface);
    return format == PLAT_PF_RGB565 || format == PLAT_PF_XRGB1555 || format == PLAT_PF_ARGB1555;
}

void DrawMenuCursor() {
    const int frame = PulseMenuPointer();
    if (!frame)
        return;
    MenuPointerBox box;
    if (!PlaceMenuPointer(MouseX, MouseY, &box))
        return;
    // The level map must be a whole 40 x 40 map; without it nothing is drawn.
    if (MenuGfxCount <= MENU_POINTER_LEVEL_MAP ||
        MenuGfxSizes[MENU_POINTER_LEVEL_MAP] < POINTER_SIZE * POINTER_SIZE)
        return;
    PlatSurface* picture = MenuGfxCache[frame];
    if (!BlendableSurface(WorkSurface, SCREEN_WIDTH, SCREEN_HEIGHT) ||
        !BlendableSurface(picture, POINTER_SIZE, POINTER_SIZE))
        return;
    BlendTarget = (uint16_t*)LockSurface(WorkSurface);
    if (!BlendTarget)
        return;
    BlendSource = (const uint16_t*)LockSurface(picture);
    if (BlendSource) {
        const int start = box.sourceY * POINTER_SIZE + box.sourceX;
        const int levels = MenuGfxOffsets[MENU_POINTER_LEVEL_MAP];
        if (GreenMaskBits == 5)
            BlendOverlay555(box.x, box.y, box.width, box.height, POINTER_SIZE, levels, start);
        else
            BlendOverlay565(box.x, box.y, box.width, box.height, POINTER_SIZE, levels, start);
        PlatSurfaceUnlock(picture);
    }
    PlatSurfaceUnlock(WorkSurface);
    BlendTarget = nullptr;
    BlendSource = nullptr;
}
