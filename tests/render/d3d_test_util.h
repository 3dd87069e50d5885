// Helpers of the Direct3D path's tests: a device on a 640 x 480 5-6-5
// target, polygons written straight into the list, and the sample race
// loaded as the race start loads it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "common/sample_race.h"
#include "common/test_game.h"
#include "platform/plat_device.h"
#include "platform/plat_display.h"
#include "platform/plat_surface.h"
#include "platform/plat_system.h"
#include "render/d3d_scene.h"
#include "render/d3d_textures.h"

// A device of the given backend on its own 640 x 480 5-6-5 target with a
// 16-bit z-buffer.  Null (and nothing left over) when it cannot be made.
struct TestDevice {
    PlatSurface* target = nullptr;
    PlatSurface* zbuffer = nullptr;
    PlatDevice* device = nullptr;

    explicit TestDevice(int backend, int zFormat = PLAT_PF_Z16) {
        // One rasteriser thread keeps the OpenGL tests quiet under the
        // thread sanitizer.
        setenv("LP_NUM_THREADS", "0", 0);
        if (PlatSurfaceCreate(640, 480, PLAT_PF_RGB565, PLAT_SURF_3DDEVICE, &target) != DD_OK ||
            PlatSurfaceCreate(640, 480, zFormat, PLAT_SURF_ZBUFFER, &zbuffer) != DD_OK ||
            PlatDeviceCreateBackend(backend, target, zbuffer, &device) != DD_OK)
            device = nullptr;
    }
    ~TestDevice() {
        PlatDeviceRelease(device);
        PlatSurfaceRelease(zbuffer);
        PlatSurfaceRelease(target);
    }

    // The target's pixels as 0x00RRGGBB (after the device's read-back).
    std::vector<uint32_t> Picture() const {
        std::vector<uint32_t> rgb(640 * 480);
        void* bits = nullptr;
        int pitch = 0;
        if (PlatSurfaceLock(target, nullptr, PLAT_WAIT | PLAT_LOCK_READONLY, &bits, &pitch) != DD_OK)
            return rgb;
        for (int y = 0; y < 480; y++) {
            const uint16_t* row = (const uint16_t*)((const uint8_t*)bits + y * pitch);
            for (int x = 0; x < 640; x++)
                rgb[y * 640 + x] = Rgb565(row[x]);
        }
        PlatSurfaceUnlock(target);
        return rgb;
    }

    static uint32_t Rgb565(uint16_t pixel) {
        int r, g, b;
        PlatRgbFromPixel(PLAT_PF_RGB565, pixel, &r, &g, &b, nullptr);
        return (uint32_t)r << 16 | (uint32_t)g << 8 | (uint32_t)b;
    }
};

// The device description the display gives its hardware device, with the
// power-of-two rule when asked (full-size textures).
inline PlatDeviceCaps DisplayCaps(int powerOfTwo = 0) {
    PlatDeviceInfo info;
    PlatDisplayDeviceInfo(0, 0, &info);
    info.caps.texturePow2 = powerOfTwo;
    return info.caps;
}

// Appends a polygon of the slot and draw mode (corners around (x, y), depth
// factor q) to the list and the sort list.
inline void AddListPolygon(int slot, int mode = 10, int32_t light = 255, float x = 100.0f, float y = 100.0f,
                           float q = 2.0f) {
    const int n = TextureSortPairCount / 2;
    ScreenPolygon& p = PolygonList[n];
    p.vertex[0] = {x, y, q, 0.0f, 0.0f, light};
    p.vertex[1] = {x + 50.0f, y, q, 1.0f, 0.0f, light};
    p.vertex[2] = {x, y + 50.0f, q, 0.0f, 1.0f, light};
    p.slot = slot;
    p.mode = mode;
    TextureSortPairs[TextureSortPairCount++] = slot;
    TextureSortPairs[TextureSortPairCount++] = n * POLYGON_WORDS;
}

// The quick race on a fresh test game folder (see sample_race.h).
inline void LoadQuickRace(int kind, const char* tag) {
    MakeTestGameFolder(tag);
    EXPECT_TRUE(LoadQuickRaceTables(kind));
}
