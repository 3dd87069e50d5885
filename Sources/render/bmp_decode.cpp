// The bitmap header checks and pixel reads, apart from the file and
// surface routines so that they can be fuzzed on their own.

#include <cstring>

#include "render/bitmaps.h"

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

