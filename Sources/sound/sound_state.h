// Shared state of the sound subsystem.
//
// The tick calls the effect sounds and the music fade from the timer thread
// while the frame drives the engine loops, so the switches are atomic.
#pragma once

#include <atomic>

extern std::atomic<int> SoundOn;            // effects enabled
extern std::atomic<int> SoundUnavailable;   // the mixer failed to open: run silent
extern std::atomic<int> MusicEnabled;
extern std::atomic<int> MusicFadeActive;
extern int NewBonusSoundPending;
extern int MixerSession;                    // the mixer session handle (0 none)

// Per-car surface flags decoded from SurfaceWord each frame; the drive model
// reads them.
enum SurfaceFlagIndex {
    SURFACE_MOSS = 0,
    SURFACE_ROCK,
    SURFACE_GRASS,
    SURFACE_BANK,
    SURFACE_STONE,
    SURFACE_CROSS_DIRT,
    SURFACE_SAND,
    SURFACE_WATER,
    SURFACE_COBBLE,
    SURFACE_OCEAN,
    SURFACE_CONTACT_KIND,
    SURFACE_FLAG_COUNT
};
extern int SurfaceFlags[8][SURFACE_FLAG_COUNT];
