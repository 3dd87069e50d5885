// Bitmap files and the three bitmap helpers every 2D picture goes through.
//
// Bitmaps come from the data archives and are untrusted: DecodeBmp checks
// the whole header against the file before a caller reads one pixel.  Only
// the two kinds the game ships are taken: 8-bit palettised and 24-bit, both
// uncompressed.
#pragma once

#include <cstdint>

struct PlatSurface;

enum {
    BMP_FILE_HEADER_BYTES = 14,
    BMP_INFO_HEADER_BYTES = 40,
    BMP_MAX_SIDE = 4118,                        // the font strip, the widest picture
    BMP_FILE_CAPACITY = 640 * 480 * 3 + 4096,   // the largest picture: a 640 x 480 true-colour screen
};

// A decoded view of a bitmap file held in memory (it points into the file).
struct BmpImage {
    int width, height;           // height always positive
    int bitCount;                // 8 or 24
    int topDown;                 // rows stored top row first
    int paletteCount;            // 8-bit: entries in the palette (1..256)
    uint8_t palette[256][3];     // r, g, b of each entry; entries past paletteCount are black
    const uint8_t* bits;         // the first stored row
    int stride;                  // bytes from one stored row to the next (4-byte aligned)
};

// 1 when `data` holds a bitmap this decoder takes and every row it names
// lies inside the `size` bytes; else 0 and *out is cleared.
int DecodeBmp(const uint8_t* data, int size, BmpImage* out);

// The row of picture line y (0 the top line), whatever the storage order.
inline const uint8_t* BmpRow(const BmpImage& image, int y) {
    const int stored = image.topDown ? y : image.height - 1 - y;
    return image.bits + (long)stored * image.stride;
}
// r, g, b of the pixel at (x, y) as 0x00RRGGBB.
uint32_t BmpPixelRgb(const BmpImage& image, int x, int y);

// Reads an archived bitmap into the decoder's own buffer (good until the
// next call; main thread only) and decodes it: 1 on success, 0 when it is not
// archived, too large or not a bitmap this decoder takes.
int LoadBitmapFromVfs(const char* path, BmpImage* out);

// Copies the bitmap 1:1 to (0, 0) of the surface, clipped to the surface;
// the rest of the surface is left as it was.  DD_OK, E_FAIL when either is
// missing, or the surface's error.
enum { BITMAP_E_FAIL = (int)0x80004005u };
int CopyBitmapToSurface(PlatSurface* surface, const BmpImage* bitmap);

// The surface's pixel value of a GDI colour 0x00BBGGRR, found the way a
// picture would be drawn: written into pixel (0, 0) and read back, the old
// pixel restored.  Colour -1 only reads.  -1 (all bits) when the surface
// cannot be locked.
uint32_t ColourMatch(PlatSurface* surface, uint32_t colour);
// The surface's source colour key, both ends ColourMatch(surface, colour).
int SetSourceColourKey(PlatSurface* surface, uint32_t colour);
