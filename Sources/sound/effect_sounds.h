// Race effect sounds: the terrain loops, the ocean and the horn of the race
// frame; crashes, landings, the arena props, the weather and the countdown.
// Every one returns at once while SoundOn is 0, except the arena prop hits
// and the countdown voices, which always play.
#pragma once

// A car's distance from the eye, from its CarsByDistance record; far away
// when it has none.
int CarSoundDistance(int car);

// Per car, every race frame: decodes SurfaceWord into SurfaceFlags, then
// (with sound on, on odd ticks) drives the terrain loops.
void UpdateTerrainSounds(int car);
void UpdateMossSound(int car);
void UpdateRockSound(int car);
void UpdateGrassSound(int car);
void UpdateBankSound(int car);
void UpdateStoneSound(int car);
void UpdateCrossDirtSound(int car);
void UpdateSandSound(int car);
void UpdateWaterSound(int car);
void UpdateCobbleSound(int car);

// The listener's car on the buggy group's shore: the ocean fades in and out.
void UpdateOceanSound(int car);
// Once per frame: the horn of the nearest honking car (car 0 first).
void UpdateHornSound(int car);

// distance: the car's distance from the eye.
void PlayWallCrashSound(int distance, int car, int unused);
void PlayCarCrashSound(int distance, int car);

void PlayConeHitSound(int car);
void PlaySlalomHitSound(int car);
void PlayPoleHitSound(int car);
void PlayPenaltySound(int car);
void PlayTargetHitSound(int car);

// The storm tracks' thunder (every 251st frame of their sky) and rain loop.
void PlayThunderSound();
void PlayRainSound();
// Stage 0, 1, 2: "three", "two", "one"; 3: the start call.
void PlayCountdownVoice(int stage);

// The new-message sound of a timed screen message (channel 18, one repeat).
void PlayMessageSoundLoop();
