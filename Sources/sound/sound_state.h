// Shared state of the sound subsystem.
//
// The tick calls the effect sounds and the music fade from the timer thread
// while the frame drives the engine loops and swaps the wave banks, so the
// switches and the wave table are atomic.
#pragma once

#include <atomic>

#include "platform/plat_mixer.h"

enum {
    SOUND_CHANNELS = 24,        // mixer channels 0..23
    MUSIC_CHANNEL = 23,
    STATUS_CHANNELS = 25,       // the status loops run to channel 24
    WAVE_SLOTS = 250,
    MUSIC_FIRST_SLOT = 190,     // music number n lives in slot 190 + n
    MUSIC_LAST_SLOT = 197,
    SPARE_FIRST_SLOT = 244,
    SPARE_LAST_SLOT = 249,
    ENGINE_MODELS = 20,         // rows of the engine tables (18 and 19 are empty)
    POLAR_RECORDS = 16,
};

// Channel status bits (PollChannelStatus copies the mixer's).
enum {
    CHANNEL_QUEUED = PLAT_MIX_QUEUED,
    CHANNEL_PAUSED = PLAT_MIX_PAUSED,
    CHANNEL_PLAYING = PLAT_MIX_PLAYING,
};

// Session and switches (sound_session.cpp).
extern int MixerSession;                    // 1 while the session is open, 0 none
extern std::atomic<int> MixerOpen;
extern std::atomic<int> MixerFailed;        // the session could not be opened; the front end reads it
extern std::atomic<int> SoundOn;            // effects enabled
extern std::atomic<int> SoundUnavailable;   // the mixer failed to open (or was closed): run silent
extern std::atomic<int> MusicEnabled;
extern std::atomic<int> MusicGate;          // the further condition of every music start
extern std::atomic<int> MusicFadeActive;
extern std::atomic<int> EffectsLevel;       // 0..5, index into VolumeLevels
extern const float VolumeLevels[6];
extern int NewBonusSoundPending;

// The completion event: every play's callback signals it; nothing waits.
struct SoundEvent {
    std::atomic<int> open;
    std::atomic<int> signalled;
};
extern SoundEvent SoundDoneEvent;

// The wave table: a sound is known everywhere by its slot.  Handles are
// atomic because the tick plays slots while the frame swaps the banks.
extern std::atomic<PlatWave> WaveTable[WAVE_SLOTS];
extern unsigned char WaveLoadedFlags[WAVE_SLOTS];
extern int LoadedWaveCount;                 // waves opened since start, never decreased
extern int EngineWaveSlot[8];               // per car: its engine loop's slot (model + 1)
extern int HornWaveSlot[8];                 // model + 61
extern int GearClunkWaveSlot[8];            // model + 220, the listener's car only

// The play blocks handed to every play call.
typedef PlatMixerPlayParams PlayParams;
enum PlayBlock {
    ENGINE_MAIN_PARAMS,
    ENGINE_PLAIN_PARAMS,
    ENGINE_LOOP_PARAMS_A,
    ENGINE_CAR_PARAMS,
    SPARE_LOOP_PARAMS_B,
    ENGINE_LOOP_PARAMS_B,
    SPARE_LOOP_PARAMS_A,
    ENGINE_LAYER_PARAMS,
    SHARED_PLAIN_PARAMS,
    SPARE_PLAIN_PARAMS_1,
    SKID_PARAMS,
    HOVER_PARAMS,
    EFFECT_PARAMS,
    LOOP_PARAMS,
    SPARE_PLAIN_PARAMS_2,
    PLAY_BLOCK_COUNT
};
extern PlayParams PlayParamBlocks[PLAY_BLOCK_COUNT];
inline PlayParams& EngineMainParams = PlayParamBlocks[ENGINE_MAIN_PARAMS];
inline PlayParams& EnginePlainParams = PlayParamBlocks[ENGINE_PLAIN_PARAMS];
inline PlayParams& EngineLoopParamsA = PlayParamBlocks[ENGINE_LOOP_PARAMS_A];
inline PlayParams& EngineCarParams = PlayParamBlocks[ENGINE_CAR_PARAMS];
inline PlayParams& SpareLoopParamsB = PlayParamBlocks[SPARE_LOOP_PARAMS_B];
inline PlayParams& EngineLoopParamsB = PlayParamBlocks[ENGINE_LOOP_PARAMS_B];
inline PlayParams& SpareLoopParamsA = PlayParamBlocks[SPARE_LOOP_PARAMS_A];
inline PlayParams& EngineLayerParams = PlayParamBlocks[ENGINE_LAYER_PARAMS];
inline PlayParams& SharedPlainParams = PlayParamBlocks[SHARED_PLAIN_PARAMS];
inline PlayParams& SparePlainParams1 = PlayParamBlocks[SPARE_PLAIN_PARAMS_1];
inline PlayParams& SkidParams = PlayParamBlocks[SKID_PARAMS];
inline PlayParams& HoverParams = PlayParamBlocks[HOVER_PARAMS];
inline PlayParams& EffectParams = PlayParamBlocks[EFFECT_PARAMS];
inline PlayParams& LoopParams = PlayParamBlocks[LOOP_PARAMS];
inline PlayParams& SparePlainParams2 = PlayParamBlocks[SPARE_PLAIN_PARAMS_2];

// Loop points of each car model's engine wave, in sample frames.
enum EngineLoopPoint { LOOP_A_START, LOOP_A_END, LOOP_B_START, LOOP_B_END };
extern const int EngineLoopPoints[4][ENGINE_MODELS];

typedef PlatMixerPolar PolarPosition;
extern PolarPosition PolarPositions[POLAR_RECORDS];   // the sound Parts write only the azimuth

extern std::atomic<int> ChannelStatus[STATUS_CHANNELS];   // last status read per channel

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
    SURFACE_WATER1,   // the buggy group's three waters one by one (zone bits 0x20, 0x20000, 0x40000)
    SURFACE_WATER2,
    SURFACE_WATER3,
    SURFACE_FLAG_COUNT
};
extern int SurfaceFlags[8][SURFACE_FLAG_COUNT];

// Per car: the gear-change signals that the gearbox and pedals set and the
// engine sound clears (GEAR_SIGNAL_* of race/engine.h).
extern int GearSoundSignals[8];
