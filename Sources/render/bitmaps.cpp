#include "render/bitmaps.h"

#include <cstring>

#include "frame/vfs.h"
#include "platform/plat_surface.h"

static uint32_t Le32(const uint8_t* p) { return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24; }
static int Le16(const uint8_t* p) { return p[0] | p[1] << 8; }

int DecodeBmp(const uint8_t* data, int size, BmpImage* out) {
    memset(out, 0, sizeof *out);
    if (!data || size < BMP_FILE_HEADER_BYTES + BMP_INFO_HEADER_BYTES || data[0] != 'B' || data[1] != 'M')
        return 0;
    const uint32_t bitsOffset = Le32(data + 10);
    const uint8_t* info = data + BMP_FILE_HEADER_BYTES;
    const uint32_t infoSize = Le32(info);
    // The plain header and its later, longer forms; the old 12-byte core
    // header is not used by the game's pictures.
    if (infoSize < BMP_INFO_HEADER_BYTES || infoSize > 256 || BMP_FILE_HEADER_BYTES + infoSize > (uint32_t)size)
        return 0;
    const int32_t width = (int32_t)Le32(info + 4);
    const int32_t height = (int32_t)Le32(info + 8);
    const int planes = Le16(info + 12);
    const int bitCount = Le16(info + 14);
    const uint32_t compression = Le32(info + 16);
    const uint32_t coloursUsed = Le32(info + 32);
    if (planes != 1 || (bitCount != 8 && bitCount != 24) || compression != 0)
        return 0;
    if (width < 1 || width > BMP_MAX_SIDE || height == 0 || height < -BMP_MAX_SIDE || height > BMP_MAX_SIDE)
        return 0;

    out->width = width;
    out->height = height < 0 ? -height : height;
    out->topDown = height < 0;
    out->bitCount = bitCount;
    out->stride = ((width * bitCount / 8) + 3) & ~3;

    if (bitCount == 8) {
        // The palette follows the header: the header's count, 256 when 0,
        // never more than 256 and never past the pixels or the file.
        uint32_t count = coloursUsed == 0 ? 256 : coloursUsed;
        if (count > 256)
            return 0;
        const uint32_t paletteStart = BMP_FILE_HEADER_BYTES + infoSize;
        if (paletteStart + count * 4 > (uint32_t)size || paletteStart + count * 4 > bitsOffset) {
            memset(out, 0, sizeof *out);
            return 0;
        }
        out->paletteCount = (int)count;
        for (uint32_t i = 0; i < count; i++) {
            const uint8_t* entry = data + paletteStart + i * 4;
            out->palette[i][0] = entry[2];
            out->palette[i][1] = entry[1];
            out->palette[i][2] = entry[0];
        }
    }
    const uint64_t end = (uint64_t)bitsOffset + (uint64_t)out->stride * (uint64_t)out->height;
    if (bitsOffset < BMP_FILE_HEADER_BYTES + infoSize || end > (uint64_t)size) {
        memset(out, 0, sizeof *out);
        return 0;
    }
    out->bits = data + bitsOffset;
    return 1;
}

uint32_t BmpPixelRgb(const BmpImage& image, int x, int y) {
    const uint8_t* row = BmpRow(image, y);
    if (image.bitCount == 8) {
        const uint8_t* c = image.palette[row[x]];
        return (uint32_t)c[0] << 16 | (uint32_t)c[1] << 8 | c[2];
    }
    const uint8_t* p = row + x * 3;
    return (uint32_t)p[2] << 16 | (uint32_t)p[1] << 8 | p[0];
}

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
