// Race effect sounds, and the surface flags that the drive model reads.
#pragma once

// Per car, every race frame: decodes SurfaceWord into SurfaceFlags, then
// (with sound on) drives the terrain loops.
void UpdateTerrainSounds(int car);

// The new-message sound of a timed screen message (channel 18, one repeat).
void PlayMessageSoundLoop();
// The thunder of the storm tracks (not built yet: it plays nothing).
void PlayThunderSound();
// The rain loop of the storm tracks (not built yet: it plays nothing).
void PlayRainSound();
// The countdown's voices, stage 0..3 (not built yet: it plays nothing).
void PlayCountdownVoice(int stage);
