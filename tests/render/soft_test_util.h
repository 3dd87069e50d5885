// Helpers of the software-path tests: a software frame in plain memory,
// texel pages made by hand, and polygons written straight into the list.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "frame/frame_state.h"
#include "frame/utils.h"
#include "render/lookup_tables.h"
#include "render/polylist.h"
#include "render/render_state.h"
#include "render/soft_frame.h"

// A 640 x 1440 16-bit frame (colour rows, then the depth area) and texel
// pages of our own, aligned as the rasteriser wants them.
struct SoftFrame {
    std::vector<uint8_t> memory = std::vector<uint8_t>(SOFT_DEPTH_OFFSET + SOFT_FRAME_HEIGHT * SOFT_DEPTH_ROW_BYTES);
    std::vector<uint8_t> pageMemory = std::vector<uint8_t>(5 * SOFT_PAGE_BYTES);
    std::vector<uint16_t> palettes = std::vector<uint16_t>(256 * 16);
    uint8_t* pages = nullptr;
    int polygons = 0;

    SoftFrame() {
        AllocWorkBuffers();
        GreenMaskBits = 6;
        BuildReciprocalTable();
        SurfaceWidth = 640;
        SurfaceHeight = 480;
        ScreenRight = 640.0f;
        ScreenBottom = 480.0f;
        FrameBufferPixels = memory.data();
        BuildScanlineTables();
        DepthStamp = 1u << 24;
        TextureSortPairCount = 0;
        pages = AlignBufferTo64K(pageMemory.data());
        for (SoftTexturePage& t : SoftTexturePages)
            t = {0, 0, 0, 0, nullptr, nullptr, -1, 0};
    }

    uint16_t& Pixel(int x, int y) { return ((uint16_t*)(memory.data() + y * SOFT_ROW_BYTES))[x]; }
    int32_t& Depth(int x, int y) {
        return ((int32_t*)(memory.data() + SOFT_DEPTH_OFFSET + y * SOFT_DEPTH_ROW_BYTES))[x];
    }
    void FillColour(uint16_t colour) {
        for (int y = 0; y < SOFT_FRAME_HEIGHT; y++)
            for (int x = 0; x < SOFT_FRAME_WIDTH; x++)
                Pixel(x, y) = colour;
    }

    // A texture of w x h texels at (x, y) of page p; texel(u, v) gives the
    // index, palette block b holds colour(i) for each index.
    template <typename TexelFn, typename ColourFn>
    void MakeTexture(int slot, int w, int h, int p, int x, int y, int block, TexelFn texel, ColourFn colour,
                     int keyClass = -1, int kind = 0) {
        uint8_t* page = pages + p * SOFT_PAGE_BYTES;
        for (int v = 0; v < h; v++)
            for (int u = 0; u < w; u++)
                page[(y + v) * 256 + x + u] = (uint8_t)texel(u, v);
        uint16_t* palette = &palettes[block * 256];
        for (int i = 0; i < 256; i++)
            palette[i] = (uint16_t)colour(i);
        SoftTexturePages[slot] = {w, h, x, y, page, palette, keyClass, kind};
    }

    struct Corner {
        float sx, sy, q, u, v;
    };
    void AddPolygon(int slot, Corner a, Corner b, Corner c) {
        ScreenPolygon& p = PolygonList[polygons];
        const Corner corners[3] = {a, b, c};
        for (int k = 0; k < 3; k++)
            p.vertex[k] = {corners[k].sx, corners[k].sy, corners[k].q, corners[k].u, corners[k].v, 255};
        p.slot = slot;
        p.mode = 3;
        TextureSortPairs[TextureSortPairCount++] = slot;
        TextureSortPairs[TextureSortPairCount++] = polygons * POLYGON_WORDS;
        polygons++;
    }
    void Clear() {
        polygons = 0;
        TextureSortPairCount = 0;
    }

    // FNV-1a of the colour rows and the depth area.
    uint64_t Checksum() const {
        uint64_t h = 1469598103934665603ull;
        for (uint8_t b : memory)
            h = (h ^ b) * 1099511628211ull;
        return h;
    }
};
