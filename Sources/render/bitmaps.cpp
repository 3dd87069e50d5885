#include "render/bitmaps.h"

#include <cstring>

#include "frame/vfs.h"
#include "platform/plat_surface.h"

// The decoder's file buffer: one picture at a time.
static uint8_t BitmapFileBuffer[BMP_FILE_CAPACITY];

int LoadBitmapFromVfs(const char* path, BmpImage* out) {
    memset(out, 0, sizeof *out);
    const int size = VfsReadFile(path, BitmapFileBuffer, sizeof BitmapFileBuffer);
    if (size <= 0)
        return 0;
    return DecodeBmp(BitmapFileBuffer, size, out);
}

int CopyBitmapToSurface(PlatSurface* surface, const BmpImage* bitmap) {
    if (!surface || !bitmap || !bitmap->bits)
        return BITMAP_E_FAIL;
    PlatSurfaceRestore(surface);
    const int format = PlatSurfaceFormat(surface);
    const int bytes = PlatPixelFormatBytes(format);
    const int width = bitmap->width < PlatSurfaceWidth(surface) ? bitmap->width : PlatSurfaceWidth(surface);
    const int height = bitmap->height < PlatSurfaceHeight(surface) ? bitmap->height : PlatSurfaceHeight(surface);
    if (width <= 0 || height <= 0)
        return DD_OK;
    const PlatRect rect = {0, 0, width, height};
    void* bits = nullptr;
    int pitch = 0;
    const int result = PlatSurfaceLock(surface, &rect, PLAT_WAIT, &bits, &pitch);
    if (result != DD_OK)
        return result;
    for (int y = 0; y < height; y++) {
        uint8_t* row = (uint8_t*)bits + (long)y * pitch;
        for (int x = 0; x < width; x++) {
            const uint32_t rgb = BmpPixelRgb(*bitmap, x, y);
            const uint32_t pixel = PlatPixelFromRgb(format, (int)(rgb >> 16 & 255), (int)(rgb >> 8 & 255), (int)(rgb & 255));
            memcpy(row + x * bytes, &pixel, (size_t)(bytes < 4 ? bytes : 4));
        }
    }
    PlatSurfaceUnlock(surface);
    return DD_OK;
}

uint32_t ColourMatch(PlatSurface* surface, uint32_t colour) {
    if (!surface)
        return 0xFFFFFFFFu;
    const int format = PlatSurfaceFormat(surface);
    const int bytes = PlatPixelFormatBytes(format);
    const PlatRect corner = {0, 0, 1, 1};
    void* bits = nullptr;
    int pitch = 0;
    int result = DDERR_WASSTILLDRAWING;
    for (int i = 0; i < PLAT_STILL_DRAWING_RETRIES && result == DDERR_WASSTILLDRAWING; i++)
        result = PlatSurfaceLock(surface, &corner, 0, &bits, &pitch);
    if (result != DD_OK)
        return 0xFFFFFFFFu;
    uint8_t* pixel = (uint8_t*)bits;
    uint8_t old[4] = {};
    const size_t n = (size_t)(bytes < 4 ? bytes : 4);
    memcpy(old, pixel, n);
    if (colour != 0xFFFFFFFFu) {
        const uint32_t value = PlatPixelFromRgb(format, (int)(colour & 255), (int)(colour >> 8 & 255), (int)(colour >> 16 & 255));
        memcpy(pixel, &value, n);
    }
    uint32_t read = 0;
    memcpy(&read, pixel, n);
    memcpy(pixel, old, n);
    PlatSurfaceUnlock(surface);
    const int bitCount = bytes * 8;
    return bitCount >= 32 ? read : read & ((1u << bitCount) - 1u);
}

int SetSourceColourKey(PlatSurface* surface, uint32_t colour) {
    const uint32_t key = ColourMatch(surface, colour);
    return PlatSurfaceSetColourKey(surface, 1, key, key);
}
