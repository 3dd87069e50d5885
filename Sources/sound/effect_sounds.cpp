// Race effect sounds heard from the race frame and the collisions: the
// terrain loops under each car, the ocean, the horn, crashes and landings,
// the arena props, the weather and the countdown voices.  Every sound plays
// a fixed slot on its own channel, louder the nearer the car is to the eye.

#include "sound/effect_sounds.h"

#include <climits>
#include <cmath>

#include "race/race_state.h"
#include "render/render_state.h"
#include "sound/car_sounds.h"
#include "sound/sound_channels.h"
#include "sound/sound_mix.h"
#include "sound/sound_state.h"
#include "track/track_state.h"

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

enum { FAR_AWAY = INT_MAX / 2 };

int CarSoundDistance(int car) {
    const int cars = CarCount < MAX_CARS ? (int)CarCount : MAX_CARS;
    for (int i = 0; i < cars; i++) {
        if (CarsByDistance[i].car == car)
            return CarsByDistance[i].distance;
    }
    return FAR_AWAY;
}

static int ValidCar(int car) { return car >= 0 && car < MAX_CARS; }

// ---------------------------------------------------------------------------
// Terrain loops: one per surface, all on channel 13 but the water's on 18.

struct TerrainMember {
    TerrainLoop loop;
    SurfaceFlagIndex flag;
    int slot;
    int channel;
    float speedFactor;      // low-speed volume: speed x factor - distanceFactor x d
    float distanceFactor;
    int wheelTest;          // needs fewer than 3 wheels in the air
    int replaces;           // flushes a queued channel and clears the other loops when it starts
    float minimumSpeed;     // the sand needs some speed
    const PlayParams* block;
};

static const TerrainMember TerrainMembers[TERRAIN_LOOPS] = {
    {TERRAIN_MOSS, SURFACE_MOSS, 115, CH_TERRAIN, 1041.0f, 8.0f, 1, 1, -1.0f, &EffectParams},
    {TERRAIN_ROCK, SURFACE_ROCK, 117, CH_TERRAIN, 1041.0f, 8.0f, 1, 1, -1.0f, &EffectParams},
    {TERRAIN_GRASS, SURFACE_GRASS, 116, CH_TERRAIN, 1041.0f, 8.0f, 1, 1, -1.0f, &EffectParams},
    {TERRAIN_BANK, SURFACE_BANK, 118, CH_TERRAIN, 1041.0f, 8.0f, 1, 1, -1.0f, &EffectParams},
    {TERRAIN_STONE, SURFACE_STONE, 119, CH_TERRAIN, 1041.0f, 4.0f, 1, 0, -1.0f, &EffectParams},
    {TERRAIN_CROSS_DIRT, SURFACE_CROSS_DIRT, 148, CH_TERRAIN, 1041.0f, 8.0f, 1, 1, -1.0f, &EffectParams},
    {TERRAIN_SAND, SURFACE_SAND, 166, CH_TERRAIN, 850.0f, 2.0f, 1, 1, 6.0f, &EffectParams},
    {TERRAIN_WATER, SURFACE_WATER, 138, CH_WATER, 1041.0f, 8.0f, 0, 0, -1.0f, &EffectParams},
    {TERRAIN_COBBLE, SURFACE_COBBLE, 202, CH_TERRAIN, 850.0f, 4.0f, 0, 1, -1.0f, &SharedPlainParams},
};

static void UpdateTerrainMember(TerrainLoop loop, int car) {
    const TerrainMember& t = TerrainMembers[loop];
    const int d = CarSoundDistance(car);
    const float speed = CarSpeed[car];
    const int holds = d < 3000 && SurfaceFlags[car][t.flag] == 1 && (!t.wheelTest || WheelsInAir[car] < 3) &&
                      speed > t.minimumSpeed;
    std::atomic<int>& playing = TerrainPlaying[car][loop];
    if (!holds) {
        if (playing) {
            FlushChannel(t.channel);
            playing = 0;
        }
        return;
    }
    const float level = EffectLevel();
    int volume = speed < 24.0f ? NearestOf((speed * t.speedFactor - t.distanceFactor * (float)d) * level)
                               : TruncOf((25000.0f - 8.0f * (float)d) * level);
    if (volume < 0)
        volume = 0;
    if (!playing && volume > 2000) {
        if (t.replaces) {
            if (ReadChannelStatus(t.channel) & CHANNEL_QUEUED)
                FlushChannel(t.channel);
            // The loop takes the shared channel from the others: their
            // surfaces and loops are forgotten for this car.
            for (const TerrainMember& other : TerrainMembers) {
                if (other.loop == loop)
                    continue;
                SurfaceFlags[car][other.flag] = 0;
                TerrainPlaying[car][other.loop] = 0;
            }
        }
        PlaySlot(t.channel, t.slot, -1, *t.block);
        playing = 1;
    }
    SetChannelVolume(t.channel, volume);
}

void UpdateMossSound(int car) { UpdateTerrainMember(TERRAIN_MOSS, car); }
void UpdateRockSound(int car) { UpdateTerrainMember(TERRAIN_ROCK, car); }
void UpdateGrassSound(int car) { UpdateTerrainMember(TERRAIN_GRASS, car); }
void UpdateBankSound(int car) { UpdateTerrainMember(TERRAIN_BANK, car); }
void UpdateStoneSound(int car) { UpdateTerrainMember(TERRAIN_STONE, car); }
void UpdateCrossDirtSound(int car) { UpdateTerrainMember(TERRAIN_CROSS_DIRT, car); }
void UpdateSandSound(int car) { UpdateTerrainMember(TERRAIN_SAND, car); }
void UpdateWaterSound(int car) { UpdateTerrainMember(TERRAIN_WATER, car); }
void UpdateCobbleSound(int car) { UpdateTerrainMember(TERRAIN_COBBLE, car); }

void UpdateTerrainSounds(int car) {
    if (!ValidCar(car))
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

    if (SoundOn != 1 || TickParity != 1)
        return;
    if (TrackGroup == 7)
        UpdateOceanSound(car);
    // The fly-by's own car makes no terrain sound.
    if (PresentationRun && car == 0)
        return;
    UpdateMossSound(car);
    UpdateRockSound(car);
    UpdateGrassSound(car);
    UpdateStoneSound(car);
    UpdateBankSound(car);
    if (TrackGroup == 7) {
        UpdateWaterSound(car);
        UpdateCrossDirtSound(car);
        UpdateSandSound(car);
        UpdateCobbleSound(car);
    }
}

// ---------------------------------------------------------------------------
// Ocean: fades in and out at 58 a tick while the listener's car is on the
// shore.

void UpdateOceanSound(int car) {
    if (car != LocalCar || !ValidCar(car) || TrackGroup != 7)
        return;
    const float level = EffectLevel();
    const int step = TruncOf((float)FrameTicks * 58.0f * level);
    if (SurfaceFlags[car][SURFACE_OCEAN] == 1) {
        if (!OceanPlaying) {
            PlaySlot(CH_OCEAN, 140, -1, EffectParams);
            OceanPlaying = 1;
            SetChannelVolume(CH_OCEAN, OceanVolume);
        }
        if ((float)OceanVolume < 17000.0f * level) {
            OceanVolume += step;
            SetChannelVolume(CH_OCEAN, OceanVolume);
        }
    } else if (OceanPlaying) {
        if (OceanVolume <= 1000) {
            FlushChannel(CH_OCEAN);
            OceanPlaying = 0;
        } else {
            const int v = OceanVolume - step;
            OceanVolume = v < 0 ? 0 : v;
            SetChannelVolume(CH_OCEAN, OceanVolume);
        }
    }
}

// ---------------------------------------------------------------------------
// Horn: the nearest honking car, car 0 before any other.

void UpdateHornSound(int) {
    if (SoundOn != 1)
        return;
    int chosen = -1;
    int nearest = FAR_AWAY;
    const int cars = CarCount < MAX_CARS ? (int)CarCount : MAX_CARS;
    for (int car = 0; car < cars; car++) {
        if (HornFlags[car] != 1)
            continue;
        const int d = CarSoundDistance(car);
        if (car == 0) {
            chosen = 0;
            nearest = d;
            break;
        }
        if (chosen < 0 || d < nearest) {
            chosen = car;
            nearest = d;
        }
    }
    if (chosen >= 0 && nearest > 3750) {
        HornFlags[chosen] = 0;
        chosen = -1;
    }
    if (chosen < 0) {
        const int listener = ValidCar(LocalCar) ? LocalCar : 0;
        if (HornPlaying || CarSpeed[listener] > 50.0f) {
            FlushChannel(CH_HORN);
            HornPlaying = 0;
        }
        return;
    }
    const float level = EffectLevel();
    SetChannelVolume(CH_HORN, TruncOf((30000.0f - 8.0f * (float)nearest) * level));

    // The horn's Doppler offset, from the listener's eye point.
    const int listener = ValidCar(LocalCar) ? LocalCar : 0;
    const float dx = cocheX[chosen] + EyeX[listener];
    const float dz = cocheZ[chosen] + EyeZ[listener];
    float vx = SoundVelocityX[chosen], vz = SoundVelocityZ[chosen];
    if (TvCameraFlag == 1) {
        vx -= SoundVelocityX[listener];
        vz -= SoundVelocityZ[listener];
    }
    const float offset = nearest != 0 ? -5.5f * (dx * vx + dz * vz) / (float)nearest : 0.0f;
    HornDoppler[chosen] = std::isfinite(offset) ? offset : 0.0f;
    int pitch = NearestOf(HornDoppler[chosen] + 22050.0f);
    pitch = pitch < 20000 ? 20000 : pitch > 26000 ? 26000 : pitch;
    SetChannelRate(CH_HORN, pitch);
    SendPolarRecord(CH_HORN, chosen);

    if (!HornPlaying) {
        PlaySlot(CH_HORN, HornWaveSlot[chosen], 1, SharedPlainParams);
        HornPlaying = 1;
    }
}

// ---------------------------------------------------------------------------
// Crashes and landings

static int Clamp(int v, int lo, int hi) { return v < lo ? lo : v > hi ? hi : v; }

// The next slot of a rotating set, first..last.
static int NextSlot(std::atomic<int>& counter, int first, int last) {
    int slot = counter;
    if (slot < first || slot > last)
        slot = first;
    counter = slot >= last ? first : slot + 1;
    return slot;
}

void PlayWallCrashSound(int d, int car, int) {
    if (SoundOn != 1 || !ValidCar(car) || d >= 3000)
        return;
    const float level = EffectLevel();
    const float speed = CarSpeed[car];
    const int state = WallImpactState[car];
    if (state == 1 || state == 2) {
        const int volume = Clamp(TruncOf((speed * 100.0f - 10.0f * (float)d + 19000.0f) * level), 0, 30000);
        SetChannelVolume(CH_CRASH, volume);
        PlaySlot(CH_CRASH, NextSlot(WallCrashSlot, 110, 113), 0, EffectParams);
    } else if (state == 3 && speed > 30.0f && ChannelIsDone(CH_CRASH)) {
        SetChannelVolume(CH_CRASH, TruncOf((24000.0f - 8.0f * (float)d) * level));
        PlaySlot(CH_CRASH, 114, 0, EffectParams);
    }
}

void PlayCarCrashSound(int d, int car) {
    if (SoundOn != 1 || !ValidCar(car) || d >= 2500 || !ChannelIsDone(CH_CRASH))
        return;
    const float level = EffectLevel();
    const int volume = TrackGroup == 5
                           ? TruncOf(32000.0f * level)
                           : Clamp(TruncOf((CarSpeed[car] * 110.0f - 12.0f * (float)d + 19000.0f) * level), 0, 31000);
    SetChannelVolume(CH_CRASH, volume);
    PlaySlot(CH_CRASH, NextSlot(CarCrashSlot, 208, 213), 0, EffectParams);
}

void PlayLandingSound(int d, int car) {
    if (SoundOn != 1 || !ValidCar(car) || d >= 2000)
        return;
    // The volume is set even when no wheel is left in the air to play it.
    SetChannelVolume(CH_LANDING, TruncOf(((float)LandingVolumeBase - 16.0f * (float)d) * EffectLevel()));
    if (WheelsInAir[car] >= 1) {
        PlaySlot(CH_LANDING, NextSlot(LandingSlot, 167, 169), 0, EffectParams);
        CarLoopPlaying[car][LOOP_LANDING] = 1;
    }
}

// ---------------------------------------------------------------------------
// Arena props: heard whether or not the effects are on.

void PlayConeHitSound(int car) {
    const int d = CarSoundDistance(car);
    if (!ValidCar(car) || d > 2999)
        return;
    const float level = EffectLevel();
    int v = NearestOf(CarSpeed[car] * 1000.0f * level);
    if (v > 30000)
        v = 30000;
    SetChannelVolume(CH_PROP_HIT, TruncOf(((float)v - 10.0f * (float)d) * level));
    PlaySlot(CH_PROP_HIT, 144, 0, SharedPlainParams);
}

static void PlayBarHit(int car, int slot) {
    const int d = CarSoundDistance(car);
    if (!ValidCar(car) || d > 3874)
        return;
    int v = NearestOf((CarSpeed[car] * 1000.0f - 8.0f * (float)d) * EffectLevel());
    if (v > 30000)
        v = 30000;
    SetChannelVolume(CH_PROP_HIT, v);
    PlaySlot(CH_PROP_HIT, slot, 0, SharedPlainParams);
}

void PlaySlalomHitSound(int car) { PlayBarHit(car, 146); }
void PlayPoleHitSound(int car) { PlayBarHit(car, 145); }

static void PlayArenaCall(int car, int channel, int slot) {
    const int d = CarSoundDistance(car);
    if (!ValidCar(car) || d > 3874)
        return;
    SetChannelVolume(channel, TruncOf((28000.0f - 7.0f * (float)d) * EffectLevel()));
    PlaySlot(channel, slot, 0, EffectParams);
}

void PlayPenaltySound(int car) { PlayArenaCall(car, CH_PENALTY, 89); }
void PlayTargetHitSound(int car) { PlayArenaCall(car, CH_TARGET_HIT, 147); }

// ---------------------------------------------------------------------------
// Weather and the countdown

void PlayThunderSound() {
    if (SoundOn != 1)
        return;
    int volume = TruncOf(31000.0f * EffectLevel());
    if (volume > 31200)
        volume = 31200;
    SetChannelVolume(CH_THUNDER, volume);
    PlaySlot(CH_THUNDER, 203, 0, EffectParams);
}

void PlayRainSound() {
    if (SoundOn != 1 || RainPlaying)
        return;
    SetChannelVolume(CH_RAIN, TruncOf(24000.0f * EffectLevel()));
    PlaySlot(CH_RAIN, 204, -1, LoopParams);
    RainPlaying = 1;
}

void PlayCountdownVoice(int n) {
    if (n < 0 || n > 3)
        return;
    if (!ChannelIsDone(CH_COUNTDOWN))
        FlushChannel(CH_COUNTDOWN);
    SetChannelVolume(CH_COUNTDOWN, TruncOf(31000.0f * EffectLevel()));
    PlaySlot(CH_COUNTDOWN, 82 + n, 0, EffectParams);
}
