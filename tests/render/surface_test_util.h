// Helpers of the 2D tests: 16-bit surfaces whose pixels say where they were
// copied from, and pixel reads.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "platform/plat_surface.h"

// The colour key of the coded surfaces: no coded pixel has this value.
constexpr uint16_t TEST_KEY = 0xFFFF;

inline PlatSurface* MakeSurface565(int width, int height, uint16_t fill = 0) {
    PlatSurface* surface = nullptr;
    EXPECT_EQ(PlatSurfaceCreate(width, height, PLAT_PF_RGB565, PLAT_SURF_SYSTEMMEMORY, &surface), DD_OK);
    if (surface)
        PlatSurfaceFill(surface, nullptr, fill, PLAT_WAIT);
    return surface;
}

inline uint16_t PixelAt(PlatSurface* surface, int x, int y) {
    void* bits = nullptr;
    int pitch = 0;
    if (PlatSurfaceLock(surface, nullptr, PLAT_WAIT, &bits, &pitch) != DD_OK)
        return 0xDEAD;
    const uint16_t value = ((const uint16_t*)((const uint8_t*)bits + (long)y * pitch))[x];
    PlatSurfaceUnlock(surface);
    return value;
}

// Fills every pixel with code(x, y) and keys TEST_KEY.
template <typename Code>
void CodeSurface(PlatSurface* surface, Code code) {
    void* bits = nullptr;
    int pitch = 0;
    ASSERT_EQ(PlatSurfaceLock(surface, nullptr, PLAT_WAIT, &bits, &pitch), DD_OK);
    for (int y = 0; y < PlatSurfaceHeight(surface); y++) {
        uint16_t* row = (uint16_t*)((uint8_t*)bits + (long)y * pitch);
        for (int x = 0; x < PlatSurfaceWidth(surface); x++)
            row[x] = (uint16_t)code(x, y);
    }
    PlatSurfaceUnlock(surface);
    PlatSurfaceSetColourKey(surface, 1, TEST_KEY, TEST_KEY);
}

// Pixels of a row that differ from `background`, as the first and one past
// the last such column (first == end when none).
struct Span {
    int first, end;
};
inline Span InkSpan(PlatSurface* surface, int y, uint16_t background) {
    Span span = {-1, -1};
    for (int x = 0; x < PlatSurfaceWidth(surface); x++) {
        if (PixelAt(surface, x, y) == background)
            continue;
        if (span.first < 0)
            span.first = x;
        span.end = x + 1;
    }
    if (span.first < 0)
        span = {0, 0};
    return span;
}
