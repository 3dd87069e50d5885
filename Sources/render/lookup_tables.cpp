#include "render/lookup_tables.h"

#include <cstdint>

#include "frame/frame_state.h"
#include "render/render_state.h"

float ReciprocalTable[10000];
uint32_t ColourRampA[256], ColourRampB[256];
unsigned char* SoftTexelBase;
unsigned char* SoftOccupancyBase;
unsigned char* SoftPaletteBase;

// The rasteriser steps its edges by 1/dy and its spans by 1/width from here.
void BuildReciprocalTable() {
    ReciprocalTable[0] = 0.0f;
    for (int i = 1; i < 10000; i++)
        ReciprocalTable[i] = (float)(1.0 / i);
}

static uint32_t ClampByte(int value) { return (uint32_t)(value < 0 ? 0 : value > 255 ? 255 : value); }

// The Direct3D vertex colour for each light value; a track's negative offsets
// tint the dark end.  Both ramps always hold the same words.
void BuildColourRamp(int red, int green, int blue) {
    for (int n = 0; n < 256; n++) {
        const uint32_t word = ClampByte(red + n) << 16 | ClampByte(green + n) << 8 | ClampByte(blue + n);
        ColourRampA[n] = word;
        ColourRampB[n] = word;
    }
}

// One darkening table for the render surface's pixel layout: each channel
// loses its step, stopping at 0.
static void BuildDarkenTable(uint16_t* table, int redStep, int greenStep565, int greenStep555, int blueStep) {
    if (!table)
        return;   // the work buffers are not allocated yet
    const int is565 = GreenMaskBits == 6;
    for (int i = 0; i < 65536; i++) {
        int r, g, b;
        if (is565) {
            r = i >> 11 & 31;
            g = i >> 5 & 63;
            b = i & 31;
        } else {
            r = i >> 10 & 31;
            g = i >> 5 & 31;
            b = i & 31;
        }
        r = r > redStep ? r - redStep : 0;
        g -= is565 ? greenStep565 : greenStep555;
        g = g < 0 ? 0 : g;
        b = b > blueStep ? b - blueStep : 0;
        table[i] = (uint16_t)(is565 ? r << 11 | g << 5 | b : r << 10 | g << 5 | b);
    }
}

void BuildDarkenTableStrong() { BuildDarkenTable(DarkenTableStrong, 4, 8, 4, 4); }
void BuildDarkenTableWeak() { BuildDarkenTable(DarkenTableWeak, 1, 4, 2, 2); }

// The texel pages are addressed by 64 KB page bases, so each texture area
// starts at its first 64 KB boundary.
unsigned char* AlignBufferTo64K(unsigned char* buffer) {
    if (!buffer)
        return nullptr;
    const uintptr_t address = (uintptr_t)buffer;
    return buffer + ((65536 - address % 65536) % 65536);
}
