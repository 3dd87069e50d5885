#include "frame/utils.h"

#include <atomic>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/frame_state.h"
#include "platform/plat_file.h"
#include "platform/plat_surface.h"

// ---------------------------------------------------------------------------
// Work buffers.

int WorkBuffersAllocated;
unsigned char* SoftTexels;
unsigned char* SoftOccupancy;
unsigned char* SoftPalettes;
uint16_t* DarkenTableStrong;
uint16_t* DarkenTableWeak;
int DarkenTablesBuilt;
unsigned char** ScanlineRows;
unsigned char** DepthRows;

// A failed allocation is not reported; the next buffer is still tried.
static void AllocationFailed() {}

static void* AllocBuffer(size_t bytes) {
    void* p = calloc(1, bytes);
    if (!p)
        AllocationFailed();
    return p;
}

void AllocWorkBuffers() {
    if (WorkBuffersAllocated)
        return;
    SoftTexels = (unsigned char*)AllocBuffer(WORK_BUFFER_BYTES);
    SoftOccupancy = (unsigned char*)AllocBuffer(WORK_BUFFER_BYTES);
    SoftPalettes = (unsigned char*)AllocBuffer(WORK_BUFFER_BYTES);
    DarkenTableStrong = (uint16_t*)AllocBuffer(DARKEN_BUFFER_BYTES);
    DarkenTableWeak = (uint16_t*)AllocBuffer(DARKEN_BUFFER_BYTES);
    ScanlineRows = (unsigned char**)AllocBuffer(SCANLINE_TABLE_ENTRIES * sizeof(unsigned char*));
    DepthRows = (unsigned char**)AllocBuffer(SCANLINE_TABLE_ENTRIES * sizeof(unsigned char*));
    WorkBuffersAllocated = 1;
}

void FreeWorkBuffers() {
    if (!WorkBuffersAllocated)
        return;
    free(SoftTexels);
    free(SoftOccupancy);
    free(SoftPalettes);
    free(DarkenTableStrong);
    free(DarkenTableWeak);
    free(ScanlineRows);
    free(DepthRows);
    SoftTexels = SoftOccupancy = SoftPalettes = nullptr;
    DarkenTableStrong = DarkenTableWeak = nullptr;
    ScanlineRows = DepthRows = nullptr;
    DarkenTablesBuilt = 0;   // they went with their buffers
    WorkBuffersAllocated = 0;
}

// ---------------------------------------------------------------------------
// The pixel format.

int ReadPixelFormat(PlatSurface* surface) {
    PixelBitCount = RedMaskBits = GreenMaskBits = BlueMaskBits = 0;
    PlatPixelFormatDesc desc;
    if (!surface || PlatSurfaceGetPixelFormat(surface, &desc) != DD_OK)
        return 0;
    PixelBitCount = desc.bitCount;
    // Counted from bit 0 upwards: blue, then green, then red, each run of
    // set bits starting where the previous one ended.
    int bit = 0;
    const uint32_t masks[3] = {desc.blueMask, desc.greenMask, desc.redMask};
    int* counts[3] = {&BlueMaskBits, &GreenMaskBits, &RedMaskBits};
    for (int m = 0; m < 3; m++) {
        while (bit < 32 && ((masks[m] >> bit) & 1)) {
            (*counts[m])++;
            bit++;
        }
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Screenshots.

enum { TGA_HEADER_BYTES = 18 };

static void PutLe16(unsigned char* p, int value) {
    p[0] = (unsigned char)(value & 0xFF);
    p[1] = (unsigned char)((value >> 8) & 0xFF);
}

// One 16-bit row as blue, green, red bytes, each channel widened by
// repeating its top bits.
static void Widen16Row(const unsigned char* row, int width, int greenBits, unsigned char* out) {
    for (int x = 0; x < width; x++) {
        const unsigned int p = (unsigned int)(row[2 * x] | row[2 * x + 1] << 8);
        unsigned int r, g, b;
        if (greenBits == 6) {
            r = (p >> 11) & 31;
            g = (p >> 5) & 63;
            b = p & 31;
            out[1] = (unsigned char)(g << 2 | g >> 4);
        } else {
            r = (p >> 10) & 31;
            g = (p >> 5) & 31;
            b = p & 31;
            out[1] = (unsigned char)(g << 3 | g >> 2);
        }
        out[0] = (unsigned char)(b << 3 | b >> 2);
        out[2] = (unsigned char)(r << 3 | r >> 2);
        out += 3;
    }
}

int SaveScreenshotTga(const char* path, PlatSurface* surface) {
    PlatPixelFormatDesc desc;
    if (!path || !surface || PlatSurfaceGetPixelFormat(surface, &desc) != DD_OK)
        return 0;
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(surface, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) != DD_OK)
        return 0;

    const int width = PlatSurfaceWidth(surface), height = PlatSurfaceHeight(surface);
    const int depth = desc.bitCount == 16 ? 24 : desc.bitCount;
    const size_t rowBytes = (size_t)width * (size_t)depth / 8;
    const size_t size = TGA_HEADER_BYTES + rowBytes * (size_t)height;
    unsigned char* image = (unsigned char*)calloc(1, size);
    if (!image) {
        PlatSurfaceUnlock(surface);
        return 0;
    }
    image[2] = 2;   // uncompressed true colour
    PutLe16(image + 12, width);
    PutLe16(image + 14, height);
    image[16] = (unsigned char)depth;
    image[17] = 0x20;   // rows stored top to bottom

    int greenBits = 0;
    for (uint32_t m = desc.greenMask; m; m >>= 1)
        greenBits += (int)(m & 1);
    const unsigned char* row = (const unsigned char*)bits;
    unsigned char* out = image + TGA_HEADER_BYTES;
    for (int y = 0; y < height; y++, row += pitch, out += rowBytes) {
        if (desc.bitCount == 16)
            Widen16Row(row, width, greenBits, out);
        else
            memcpy(out, row, rowBytes);
    }
    const int unlocked = PlatSurfaceUnlock(surface) == DD_OK;
    // Written whole through a temporary file: a failed screenshot leaves
    // no partial file behind.
    const int written = PlatWriteFileAtomic(path, image, size);
    free(image);
    return written && unlocked;
}

// ---------------------------------------------------------------------------
// Deleting a folder tree.

// Deletes everything inside the folder; the AND of every deletion.  A
// folder whose name begins with '.' is left alone (and so is its parent).
static int DeleteContents(const char* folder) {
    char pattern[PLAT_MAX_PATH];
    if (snprintf(pattern, sizeof pattern, "%s\\*", folder) >= (int)sizeof pattern)
        return 0;
    PlatFindData data;
    PlatFind* find = PlatFindFirst(pattern, &data);
    if (!find)
        return 1;
    int result = 1;
    do {
        char child[PLAT_MAX_PATH];
        if (snprintf(child, sizeof child, "%s\\%s", folder, data.name) >= (int)sizeof child) {
            result = 0;
            continue;
        }
        if (data.isDirectory) {
            if (data.name[0] == '.')
                continue;
            const int inner = DeleteContents(child);
            result = PlatRemoveDir(child) && inner && result;
        } else {
            result = PlatDeleteFile(child) && result;
        }
    } while (PlatFindNext(find, &data));
    PlatFindClose(find);
    return result;
}

int DeleteDirectoryTree(const char* path) {
    if (!path || !*path || !PlatIsDirectory(path) || PlatIsSymlink(path))
        return 0;
    const int contents = DeleteContents(path);
    return PlatRemoveDir(path) && contents;
}

// ---------------------------------------------------------------------------
// Arithmetic and timing.

int MulDiv64(int a, int b, int c) {
    if (c == 0)
        return 0;
    const int64_t q = (int64_t)a * (int64_t)b / (int64_t)c;
    if (q > INT_MAX)
        return INT_MAX;
    if (q < INT_MIN)
        return INT_MIN;
    return (int)q;
}

static uint64_t cycleStart;

static uint64_t CycleCounter() {
#if defined(__x86_64__) || defined(__i386__)
    return __builtin_ia32_rdtsc();
#else
    return (uint64_t)std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
#endif
}

void StartCycleTimer() { cycleStart = CycleCounter(); }

// The 60 cycles the reading itself takes are not counted.
uint32_t ReadCycleTimer() { return (uint32_t)(CycleCounter() - cycleStart - 60); }

void FloatToInt(int* out, float value) { *out = (int)std::lrintf(value); }

// The shared generator: seed = seed x 214013 + 2531011, value = bits 16..30.
// The tick, the frame and the network thread all draw from it, so the seed
// moves by compare-and-swap.
static std::atomic<uint32_t> randomSeed{1};

int GameRandom() {
    uint32_t seed = randomSeed.load(std::memory_order_relaxed);
    uint32_t next;
    do {
        next = seed * 214013u + 2531011u;
    } while (!randomSeed.compare_exchange_weak(seed, next, std::memory_order_relaxed));
    return (int)((next >> 16) & 0x7FFF);
}

void GameRandomSeed(uint32_t seed) { randomSeed.store(seed, std::memory_order_relaxed); }
