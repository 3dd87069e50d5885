#include "sound/effect_sounds.h"

#include "race/race_state.h"
#include "render/render_state.h"
#include "sound/sound_state.h"

// Surface contact bits of SurfaceWord.
enum {
    CONTACT_KIND_BIT = 0x2,
    ROCK_BIT = 0x4,
    GRASS_BIT = 0x8,
    BANK_BIT = 0x10,
    WATER_BIT = 0x20,
    MOSS_BIT = 0x40,
    STONE_BIT = 0x80,
    SAND_BIT = 0x100,
    CROSS_DIRT_BIT = 0x200,
    OCEAN_BIT = 0x400,
    COBBLE_BIT = 0x8000,
    SWELL_BIT = 0x20000,
    DEEP_WATER_BIT = 0x40000,
};

void UpdateTerrainSounds(int car) {
    if (car < 0 || car >= MAX_CARS)
        return;
    int* flags = SurfaceFlags[car];
    const int word = SurfaceWord[car];
    for (int i = 0; i < SURFACE_FLAG_COUNT; i++)
        flags[i] = 0;

    flags[SURFACE_ROCK] = (word & ROCK_BIT) != 0;
    flags[SURFACE_GRASS] = (word & GRASS_BIT) != 0;
    flags[SURFACE_MOSS] = (word & MOSS_BIT) != 0;
    flags[SURFACE_STONE] = (word & STONE_BIT) != 0;
    flags[SURFACE_BANK] = (word & BANK_BIT) != 0;
    flags[SURFACE_CONTACT_KIND] = (word & CONTACT_KIND_BIT) != 0;

    // The arena and cross groups draw their dust on every surface.
    if (TrackGroup == 5 || TrackGroup == 6) {
        RendererSurfaceFlags[0] = 1;
        RendererSurfaceFlags[1] = 1;
    }
    // The buggy group's beach surfaces.
    if (TrackGroup == 7) {
        flags[SURFACE_OCEAN] = (word & OCEAN_BIT) != 0;
        flags[SURFACE_SAND] = (word & SAND_BIT) != 0;
        flags[SURFACE_WATER] = (word & (WATER_BIT | SWELL_BIT | DEEP_WATER_BIT)) != 0;
        flags[SURFACE_CROSS_DIRT] = (word & CROSS_DIRT_BIT) != 0;
        flags[SURFACE_COBBLE] = (word & COBBLE_BIT) != 0;
        flags[SURFACE_WATER1] = (word & WATER_BIT) != 0;
        flags[SURFACE_WATER2] = (word & SWELL_BIT) != 0;
        flags[SURFACE_WATER3] = (word & DEEP_WATER_BIT) != 0;
    }
    // The terrain loops play through the mixer, which is not built yet.
}

// The effect sounds are not played yet.
void PlayMessageSoundLoop() {}
void PlayThunderSound() {}
void PlayRainSound() {}
void PlayCountdownVoice(int) {}
