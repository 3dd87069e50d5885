// Surfaces: pixels in CPU memory, locks, fills, copies and colour keys, and
// the lazy hand-over of a render target between the CPU and its device.

#include <cstdlib>
#include <cstring>

#include "platform/plat_devices_internal.h"
#include "platform/plat_surface.h"

enum { MAX_SURFACE_SIDE = 16384 };

static PlatSurface* firstSurface;
static int liveSurfaces;
static int displayFormat = PLAT_PF_RGB565;
static uint32_t videoMemoryTotal = 256u << 20;
static uint32_t videoMemoryUsed;

// ---------------------------------------------------------------------------
// Pixel formats.

struct FormatInfo {
    int bytes;
    uint32_t r, g, b, a;
    int depthBits;
};

static const FormatInfo formats[] = {
    {0, 0, 0, 0, 0, 0},                                   // PLAT_PF_DISPLAY
    {2, 0xF800, 0x07E0, 0x001F, 0, 0},                    // RGB565
    {2, 0x7C00, 0x03E0, 0x001F, 0, 0},                    // XRGB1555
    {2, 0x7C00, 0x03E0, 0x001F, 0x8000, 0},               // ARGB1555
    {2, 0x0F00, 0x00F0, 0x000F, 0xF000, 0},               // ARGB4444
    {4, 0xFF0000, 0x00FF00, 0x0000FF, 0, 0},              // XRGB8888
    {4, 0xFF0000, 0x00FF00, 0x0000FF, 0xFF000000u, 0},    // ARGB8888
    {2, 0, 0, 0, 0, 16},                                  // Z16
    {4, 0, 0, 0, 0, 24},                                  // Z24
    {4, 0, 0, 0, 0, 32},                                  // Z32
};

static int KnownFormat(int format) { return format > 0 && format < (int)(sizeof formats / sizeof formats[0]); }

int PlatPixelFormatDescribe(int format, PlatPixelFormatDesc* desc) {
    if (format == PLAT_PF_DISPLAY)
        format = displayFormat;
    if (!KnownFormat(format) || !desc)
        return 0;
    const FormatInfo& f = formats[format];
    desc->bitCount = f.bytes * 8;
    desc->redMask = f.r;
    desc->greenMask = f.g;
    desc->blueMask = f.b;
    desc->alphaMask = f.a;
    desc->depthBits = f.depthBits;
    return 1;
}

int PlatPixelFormatBytes(int format) {
    if (format == PLAT_PF_DISPLAY)
        format = displayFormat;
    return KnownFormat(format) ? formats[format].bytes : 0;
}

static int ShiftOf(uint32_t mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        shift++;
    }
    return shift;
}

static int BitsOf(uint32_t mask) {
    mask >>= ShiftOf(mask);
    int bits = 0;
    while (mask & 1) {
        mask >>= 1;
        bits++;
    }
    return bits;
}

// A channel of `bits` bits widened to 8 by repeating its top bits.
static int Widen(uint32_t value, int bits) {
    if (bits <= 0)
        return 255;
    if (bits >= 8)
        return (int)(value >> (bits - 8)) & 0xFF;
    int result = 0, have = 0;
    while (have < 8) {
        result = (result << bits) | (int)value;
        have += bits;
    }
    return (result >> (have - 8)) & 0xFF;
}

static uint32_t Narrow(int value8, uint32_t mask) {
    const int bits = BitsOf(mask);
    if (bits == 0)
        return 0;
    const uint32_t v = (uint32_t)(value8 & 0xFF) >> (8 - (bits < 8 ? bits : 8));
    return (v << ShiftOf(mask)) & mask;
}

uint32_t PlatPixelFromRgb(int format, int r, int g, int b) {
    if (format == PLAT_PF_DISPLAY)
        format = displayFormat;
    if (!KnownFormat(format))
        return 0;
    const FormatInfo& f = formats[format];
    return Narrow(r, f.r) | Narrow(g, f.g) | Narrow(b, f.b) | f.a;
}

void PlatRgbFromPixel(int format, uint32_t pixel, int* r, int* g, int* b, int* a) {
    if (format == PLAT_PF_DISPLAY)
        format = displayFormat;
    int rr = 0, gg = 0, bb = 0, aa = 255;
    if (KnownFormat(format)) {
        const FormatInfo& f = formats[format];
        rr = Widen((pixel & f.r) >> ShiftOf(f.r), BitsOf(f.r));
        gg = Widen((pixel & f.g) >> ShiftOf(f.g), BitsOf(f.g));
        bb = Widen((pixel & f.b) >> ShiftOf(f.b), BitsOf(f.b));
        if (f.a)
            aa = Widen((pixel & f.a) >> ShiftOf(f.a), BitsOf(f.a));
    }
    if (r)
        *r = rr;
    if (g)
        *g = gg;
    if (b)
        *b = bb;
    if (a)
        *a = aa;
}

static uint32_t ReadPixel(const unsigned char* p, int bytes) {
    if (bytes == 2) {
        uint16_t v;
        memcpy(&v, p, 2);
        return v;
    }
    uint32_t v;
    memcpy(&v, p, 4);
    return v;
}

static void WritePixel(unsigned char* p, int bytes, uint32_t v) {
    if (bytes == 2) {
        const uint16_t v16 = (uint16_t)v;
        memcpy(p, &v16, 2);
    } else {
        memcpy(p, &v, 4);
    }
}

static uint32_t ConvertPixel(int from, int to, uint32_t pixel) {
    if (from == to)
        return pixel;
    int r, g, b, a;
    PlatRgbFromPixel(from, pixel, &r, &g, &b, &a);
    uint32_t out = PlatPixelFromRgb(to, r, g, b);
    const uint32_t alphaMask = formats[to].a;
    if (alphaMask)
        out = (out & ~alphaMask) | Narrow(a, alphaMask);
    return out;
}

void SurfaceSetDisplayFormat(int format) {
    if (KnownFormat(format) && !formats[format].depthBits)
        displayFormat = format;
}

int SurfaceDisplayFormat() { return displayFormat; }

// ---------------------------------------------------------------------------
// Creation and the list of live surfaces.

PlatSurface* SurfaceFirst() { return firstSurface; }

static uint32_t SurfaceBytes(const PlatSurface* s) { return (uint32_t)s->pitch * (uint32_t)s->height; }

int PlatSurfaceCreate(int width, int height, int format, int caps, PlatSurface** out) {
    if (!out)
        return DDERR_INVALIDPARAMS;
    *out = nullptr;
    if (format == PLAT_PF_DISPLAY)
        format = displayFormat;
    if (width <= 0 || height <= 0 || width > MAX_SURFACE_SIDE || height > MAX_SURFACE_SIDE || !KnownFormat(format))
        return DDERR_INVALIDPARAMS;
    if ((caps & PLAT_SURF_ZBUFFER) != 0 && !formats[format].depthBits)
        return DDERR_INVALIDPARAMS;

    PlatSurface* s = (PlatSurface*)calloc(1, sizeof(PlatSurface));
    if (!s)
        return DDERR_OUTOFMEMORY;
    s->width = width;
    s->height = height;
    s->format = format;
    s->bytesPerPixel = formats[format].bytes;
    s->pitch = width * s->bytesPerPixel;
    s->caps = caps;
    if (caps & PLAT_SURF_VIDEOMEMORY) {
        if (SurfaceBytes(s) > videoMemoryTotal - videoMemoryUsed) {
            free(s);
            return DDERR_OUTOFVIDEOMEMORY;
        }
        videoMemoryUsed += SurfaceBytes(s);
    }
    // A z-buffer's depth lives on the device that tests against it.
    if (!(caps & PLAT_SURF_ZBUFFER)) {
        s->pixels = (unsigned char*)calloc((size_t)s->pitch, (size_t)height);
        if (!s->pixels) {
            if (caps & PLAT_SURF_VIDEOMEMORY)
                videoMemoryUsed -= SurfaceBytes(s);
            free(s);
            return DDERR_OUTOFMEMORY;
        }
    }
    s->next = firstSurface;
    if (firstSurface)
        firstSurface->prev = s;
    firstSurface = s;
    liveSurfaces++;
    *out = s;
    return DD_OK;
}

void PlatSurfaceRelease(PlatSurface* s) {
    if (!s)
        return;
    DeviceForgetSurface(s);
    for (PlatSurface* other = firstSurface; other; other = other->next) {
        for (PlatSurface*& a : other->attached) {
            if (a == s)
                a = nullptr;
        }
    }
    if (s->prev)
        s->prev->next = s->next;
    else
        firstSurface = s->next;
    if (s->next)
        s->next->prev = s->prev;
    if (s->caps & PLAT_SURF_VIDEOMEMORY)
        videoMemoryUsed -= SurfaceBytes(s);
    liveSurfaces--;
    free(s->pixels);
    free(s);
}

int PlatSurfaceLiveCount() { return liveSurfaces; }

int PlatSurfaceWidth(const PlatSurface* s) { return s ? s->width : 0; }
int PlatSurfaceHeight(const PlatSurface* s) { return s ? s->height : 0; }
int PlatSurfacePitch(const PlatSurface* s) { return s ? s->pitch : 0; }
int PlatSurfaceFormat(const PlatSurface* s) { return s ? s->format : 0; }
int PlatSurfaceCaps(const PlatSurface* s) { return s ? s->caps : 0; }

int PlatSurfaceGetPixelFormat(const PlatSurface* s, PlatPixelFormatDesc* desc) {
    if (!s || !desc)
        return DDERR_INVALIDPARAMS;
    return PlatPixelFormatDescribe(s->format, desc) ? DD_OK : DDERR_GENERIC;
}

void PlatVideoMemory(uint32_t* total, uint32_t* available) {
    if (total)
        *total = videoMemoryTotal;
    if (available)
        *available = videoMemoryTotal - videoMemoryUsed;
}

void PlatSetVideoMemorySize(uint32_t bytes) { videoMemoryTotal = bytes < videoMemoryUsed ? videoMemoryUsed : bytes; }

void PlatSurfaceSimulateBusy(PlatSurface* s, int operations) {
    if (s)
        s->busy = operations < 0 ? 0 : operations;
}

void PlatSurfaceSimulateLost(PlatSurface* s) {
    if (s)
        s->lost = 1;
}

void SurfaceLoseScreenSurfaces(int caps) {
    for (PlatSurface* s = firstSurface; s; s = s->next) {
        if (s->caps & caps)
            s->lost = 1;
    }
}

int PlatSurfaceIsLost(const PlatSurface* s) {
    if (!s)
        return DDERR_INVALIDPARAMS;
    return s->lost ? DDERR_SURFACELOST : DD_OK;
}

int PlatSurfaceRestore(PlatSurface* s) {
    if (!s)
        return DDERR_INVALIDPARAMS;
    s->lost = 0;
    return DD_OK;
}

// ---------------------------------------------------------------------------
// Access rules shared by every operation.

// The checks every access makes: lost, locked, and still drawing.
static int BeginAccess(PlatSurface* s, int flags) {
    if (!s)
        return DDERR_INVALIDPARAMS;
    if (s->lost)
        return DDERR_SURFACELOST;
    if (s->locked)
        return DDERR_SURFACEBUSY;
    if (s->busy > 0) {
        if (flags & PLAT_WAIT) {
            s->busy = 0;
        } else {
            s->busy--;
            return DDERR_WASSTILLDRAWING;
        }
    }
    return DD_OK;
}

static int ValidRect(const PlatSurface* s, const PlatRect* r) {
    return r->left >= 0 && r->top >= 0 && r->right <= s->width && r->bottom <= s->height && r->left < r->right &&
           r->top < r->bottom;
}

static PlatRect WholeRect(const PlatSurface* s) { return {0, 0, s->width, s->height}; }

static int CoversSurface(const PlatSurface* s, const PlatRect& r) {
    return r.left == 0 && r.top == 0 && r.right == s->width && r.bottom == s->height;
}

// Before the CPU reads: take the device's newer picture.
static void PrepareCpuRead(PlatSurface* s) {
    if (s->device && s->deviceNewer)
        DeviceReadBack(s);
}

// Before the CPU writes a rectangle: a write over the whole surface makes
// the device's picture irrelevant, anything less needs it first.
static void PrepareCpuWrite(PlatSurface* s, const PlatRect& r) {
    if (CoversSurface(s, r))
        s->deviceNewer = 0;
    else
        PrepareCpuRead(s);
}

static void NoteCpuWrite(PlatSurface* s) {
    s->version++;
    if (s->device)
        s->cpuNewer = 1;
}

static unsigned char* PixelAt(const PlatSurface* s, int x, int y) {
    return s->pixels + (size_t)y * (size_t)s->pitch + (size_t)x * (size_t)s->bytesPerPixel;
}

// ---------------------------------------------------------------------------
// Lock, fill and copies.

int PlatSurfaceLock(PlatSurface* s, const PlatRect* rect, int flags, void** bits, int* pitch) {
    if (!bits)
        return DDERR_INVALIDPARAMS;
    *bits = nullptr;
    const int code = BeginAccess(s, flags);
    if (code != DD_OK)
        return code;
    if (!s->pixels)
        return DDERR_GENERIC;
    const PlatRect r = rect ? *rect : WholeRect(s);
    if (!ValidRect(s, &r))
        return DDERR_INVALIDRECT;
    if (flags & PLAT_LOCK_WRITEONLY)
        PrepareCpuWrite(s, r);
    else
        PrepareCpuRead(s);
    s->locked = (flags & PLAT_LOCK_READONLY) ? 1 : 2;
    *bits = PixelAt(s, r.left, r.top);
    if (pitch)
        *pitch = s->pitch;
    return DD_OK;
}

int PlatSurfaceUnlock(PlatSurface* s) {
    if (!s)
        return DDERR_INVALIDPARAMS;
    if (!s->locked)
        return DDERR_NOTLOCKED;
    if (s->locked == 2)
        NoteCpuWrite(s);
    s->locked = 0;
    return DD_OK;
}

int PlatSurfaceFill(PlatSurface* s, const PlatRect* rect, uint32_t pixel, int flags) {
    const int code = BeginAccess(s, flags);
    if (code != DD_OK)
        return code;
    if (!s->pixels)
        return DD_OK;   // a z-buffer is cleared by its device
    const PlatRect r = rect ? *rect : WholeRect(s);
    if (!ValidRect(s, &r))
        return DDERR_INVALIDRECT;
    PrepareCpuWrite(s, r);
    const int w = r.right - r.left;
    for (int y = r.top; y < r.bottom; y++) {
        unsigned char* row = PixelAt(s, r.left, y);
        if (s->bytesPerPixel == 2) {
            const uint16_t v = (uint16_t)pixel;
            for (int x = 0; x < w; x++)
                memcpy(row + 2 * x, &v, 2);
        } else {
            for (int x = 0; x < w; x++)
                memcpy(row + 4 * x, &pixel, 4);
        }
    }
    NoteCpuWrite(s);
    return DD_OK;
}

static int InKey(const PlatSurface* s, uint32_t pixel) { return pixel >= s->keyLow && pixel <= s->keyHigh; }

// The copy itself, both rectangles checked.  Copies within one surface that
// overlap go through a scratch copy of the source.
static int CopyRect(PlatSurface* dst, const PlatRect& d, PlatSurface* src, const PlatRect& sr, int keyed) {
    const int dw = d.right - d.left, dh = d.bottom - d.top;
    const int sw = sr.right - sr.left, sh = sr.bottom - sr.top;

    const unsigned char* srcBase = PixelAt(src, sr.left, sr.top);
    int srcPitch = src->pitch;
    unsigned char* scratch = nullptr;
    if (src == dst && d.left < sr.right && sr.left < d.right && d.top < sr.bottom && sr.top < d.bottom) {
        const size_t rowBytes = (size_t)sw * (size_t)src->bytesPerPixel;
        scratch = (unsigned char*)malloc(rowBytes * (size_t)sh);
        if (!scratch)
            return DDERR_OUTOFMEMORY;
        for (int y = 0; y < sh; y++)
            memcpy(scratch + rowBytes * (size_t)y, srcBase + (size_t)y * (size_t)srcPitch, rowBytes);
        srcBase = scratch;
        srcPitch = (int)rowBytes;
    }

    const int sameFormat = src->format == dst->format;
    const int bpp = dst->bytesPerPixel, sbpp = src->bytesPerPixel;
    for (int y = 0; y < dh; y++) {
        const int sy = (int)((int64_t)y * sh / dh);
        const unsigned char* srow = srcBase + (size_t)sy * (size_t)srcPitch;
        unsigned char* drow = PixelAt(dst, d.left, d.top + y);
        if (sameFormat && !keyed && sw == dw) {
            memcpy(drow, srow, (size_t)dw * (size_t)bpp);
            continue;
        }
        for (int x = 0; x < dw; x++) {
            const int sx = sw == dw ? x : (int)((int64_t)x * sw / dw);
            const uint32_t pixel = ReadPixel(srow + (size_t)sx * (size_t)sbpp, sbpp);
            if (keyed && InKey(src, pixel))
                continue;
            WritePixel(drow + (size_t)x * (size_t)bpp, bpp, ConvertPixel(src->format, dst->format, pixel));
        }
    }
    free(scratch);
    return DD_OK;
}

static int BlitChecked(PlatSurface* dst, const PlatRect& d, PlatSurface* src, const PlatRect& sr, int flags) {
    if (!ValidRect(dst, &d) || !ValidRect(src, &sr))
        return DDERR_INVALIDRECT;
    if (!src->pixels)
        return DDERR_GENERIC;
    int code = BeginAccess(dst, flags);
    if (code != DD_OK)
        return code;
    if (src != dst) {
        code = BeginAccess(src, flags);
        if (code != DD_OK)
            return code;
    }
    if ((flags & PLAT_BLT_KEYSRC) && !src->hasKey)
        return DDERR_NOCOLORKEY;
    // The screen itself has no pixels of ours: copying onto it shows the copy.
    if (dst->caps & PLAT_SURF_PRIMARY)
        return DisplayPresent(src);
    if (!dst->pixels)
        return DDERR_GENERIC;
    PrepareCpuRead(src);
    const int keyed = (flags & PLAT_BLT_KEYSRC) != 0;
    if (keyed)
        PrepareCpuRead(dst);
    else
        PrepareCpuWrite(dst, d);
    code = CopyRect(dst, d, src, sr, keyed);
    if (code == DD_OK)
        NoteCpuWrite(dst);
    return code;
}

int PlatSurfaceBlt(PlatSurface* dst, const PlatRect* dstRect, PlatSurface* src, const PlatRect* srcRect, int flags) {
    if (!dst || !src)
        return DDERR_INVALIDPARAMS;
    return BlitChecked(dst, dstRect ? *dstRect : WholeRect(dst), src, srcRect ? *srcRect : WholeRect(src), flags);
}

int PlatSurfaceBltFast(PlatSurface* dst, int x, int y, PlatSurface* src, const PlatRect* srcRect, int flags) {
    if (!dst || !src)
        return DDERR_INVALIDPARAMS;
    const PlatRect sr = srcRect ? *srcRect : WholeRect(src);
    const PlatRect d = {x, y, x + (sr.right - sr.left), y + (sr.bottom - sr.top)};
    return BlitChecked(dst, d, src, sr, flags);
}

int PlatSurfaceSetColourKey(PlatSurface* s, int enable, uint32_t low, uint32_t high) {
    if (!s)
        return DDERR_INVALIDPARAMS;
    s->hasKey = enable != 0;
    s->keyLow = low;
    s->keyHigh = high < low ? low : high;
    s->version++;   // a device's copy of a texture carries the key as alpha
    return DD_OK;
}

int PlatSurfaceGetColourKey(const PlatSurface* s, uint32_t* low, uint32_t* high) {
    if (!s)
        return DDERR_INVALIDPARAMS;
    if (!s->hasKey)
        return DDERR_NOCOLORKEY;
    if (low)
        *low = s->keyLow;
    if (high)
        *high = s->keyHigh;
    return DD_OK;
}

int PlatSurfaceAttach(PlatSurface* s, PlatSurface* attached) {
    if (!s || !attached || s == attached)
        return DDERR_INVALIDPARAMS;
    for (PlatSurface*& slot : s->attached) {
        if (!slot || slot == attached) {
            slot = attached;
            return DD_OK;
        }
    }
    return DDERR_GENERIC;
}

PlatSurface* PlatSurfaceAttached(const PlatSurface* s, int caps) {
    if (!s)
        return nullptr;
    for (PlatSurface* a : s->attached) {
        if (a && (a->caps & caps) == caps)
            return a;
    }
    return nullptr;
}

int PlatSurfaceFlip(PlatSurface* primary, int flags) {
    if (!primary || !(primary->caps & PLAT_SURF_PRIMARY))
        return DDERR_INVALIDPARAMS;
    PlatSurface* back = PlatSurfaceAttached(primary, PLAT_SURF_BACKBUFFER);
    if (!back)
        return DDERR_GENERIC;
    int code = BeginAccess(primary, flags);
    if (code == DD_OK && back->lost)
        code = DDERR_SURFACELOST;
    if (code != DD_OK)
        return code;
    return DisplayPresent(back);
}

// ---------------------------------------------------------------------------
// Conversions for the devices and the display.

static uint8_t widen5[32], widen6[64];

static void BuildWidenTables() {
    if (widen5[31])
        return;
    for (int i = 0; i < 32; i++)
        widen5[i] = (uint8_t)Widen((uint32_t)i, 5);
    for (int i = 0; i < 64; i++)
        widen6[i] = (uint8_t)Widen((uint32_t)i, 6);
}

void SurfaceToRgba(const PlatSurface* s, int x0, int y0, int w, int h, uint8_t* out, int applyKey) {
    BuildWidenTables();
    const int keyed = applyKey && s->hasKey;
    for (int y = 0; y < h; y++) {
        const unsigned char* row = PixelAt(s, x0, y0 + y);
        uint8_t* o = out + (size_t)y * (size_t)w * 4;
        for (int x = 0; x < w; x++, o += 4) {
            const uint32_t p = ReadPixel(row + (size_t)x * (size_t)s->bytesPerPixel, s->bytesPerPixel);
            if (s->format == PLAT_PF_RGB565) {
                o[0] = widen5[(p >> 11) & 31];
                o[1] = widen6[(p >> 5) & 63];
                o[2] = widen5[p & 31];
                o[3] = 255;
            } else if (s->format == PLAT_PF_XRGB8888) {
                o[0] = (uint8_t)(p >> 16);
                o[1] = (uint8_t)(p >> 8);
                o[2] = (uint8_t)p;
                o[3] = 255;
            } else {
                int r, g, b, a;
                PlatRgbFromPixel(s->format, p, &r, &g, &b, &a);
                o[0] = (uint8_t)r;
                o[1] = (uint8_t)g;
                o[2] = (uint8_t)b;
                o[3] = (uint8_t)a;
            }
            if (keyed && InKey(s, p))
                o[3] = 0;
        }
    }
}

void SurfaceFromRgba(PlatSurface* s, int x0, int y0, int w, int h, const uint8_t* in) {
    for (int y = 0; y < h; y++) {
        unsigned char* row = PixelAt(s, x0, y0 + y);
        const uint8_t* i = in + (size_t)y * (size_t)w * 4;
        for (int x = 0; x < w; x++, i += 4) {
            uint32_t p;
            if (s->format == PLAT_PF_RGB565)
                p = (uint32_t)((i[0] >> 3) << 11 | (i[1] >> 2) << 5 | i[2] >> 3);
            else if (s->format == PLAT_PF_XRGB8888)
                p = (uint32_t)i[0] << 16 | (uint32_t)i[1] << 8 | i[2];
            else
                p = PlatPixelFromRgb(s->format, i[0], i[1], i[2]);
            WritePixel(row + (size_t)x * (size_t)s->bytesPerPixel, s->bytesPerPixel, p);
        }
    }
}
