// Shared state of the sound subsystem.
//
// The tick calls the effect sounds and the music fade from the timer thread
// while the frame drives the engine loops and swaps the wave banks, so the
// switches and the wave table are atomic.
#pragma once

#include <atomic>
#include <bit>
#include <cstdint>

#include "platform/plat_mixer.h"

// The channel plan: every use of sound has fixed mixer channels.  A use
// always plays on its own channel, and a new sound on a busy channel replaces
// what plays there unless its caller tests the channel first.  Most uses own
// one channel; the engine loops own one per car, and the crowd reactions, the
// new-turbo sample and the menu hover loops spread over several.
enum SoundUse {
    USE_ENGINE_LOOP,            // the main engine loop of car n, on channel n
    USE_PROP_HIT,               // cone, pole and slalom-pole hits
    USE_TURBO_LOOP,
    USE_MENU_HIGHLIGHT,
    USE_MONSTER_CRUSH,
    USE_BUS_LOOP,
    USE_NEW_TURBO,
    USE_CROWD_REACTION,
    USE_MENU_HOVER_LOOP,
    USE_NITRO_READY,
    USE_AIR_BRAKE,
    USE_TARGET_HIT,
    USE_PENALTY,
    USE_GRIP_LOSS,
    USE_THUNDER,
    USE_ROAD_NOISE_LOOP,        // the engine sound's road noise
    USE_IDLE_LOOP,              // the listener's idle layer
    USE_SECOND_PLAYER_ENGINE,
    USE_GRAVEL_LOOP,
    USE_EDITOR_SOUND,
    USE_SKID_LOOP,
    USE_BRAKE_LOOP,
    USE_HANDBRAKE_LOOP,
    USE_LIST_SCROLL,
    USE_CHAMPIONSHIP_JINGLE,
    USE_CROWD_LOOP,
    USE_TERRAIN_LOOP,
    USE_REVERSE_BEEP,
    USE_CROWD_CHEER,
    USE_TYRE_SQUEAL,
    USE_WHEEL_SPIN,
    USE_OVER_REV,
    USE_POINTS_LOOP,
    USE_BUY,
    USE_GEAR_CLUNK,
    USE_GEAR_SHIFT,
    USE_CLICK,
    USE_WALL_CRASH,
    USE_CAR_CRASH,
    USE_WALL_SCRAPE,
    USE_COUNTDOWN_VOICE,
    USE_SECOND_LAYER,           // the engine's second layer
    USE_SCREEN_CHANGE,
    USE_BONUS_JINGLE,
    USE_JINGLE,                 // the one-slot jingle
    USE_LANDING,
    USE_WATER_LOOP,
    USE_TYPING,
    USE_DELETE,
    USE_MESSAGE,
    USE_ERROR,
    USE_NEW_BONUS,
    USE_HORN,
    USE_RAIN_LOOP,
    USE_OCEAN_LOOP,
    USE_MUSIC,
    SOUND_USE_COUNT
};

constexpr uint32_t Channels(std::initializer_list<int> channels) {
    uint32_t mask = 0;
    for (int ch : channels)
        mask |= 1u << ch;
    return mask;
}

// Each use and its channels (bit n: channel n), in the order of the uses.
// Channel 22 belongs to no use and is never opened.
struct ChannelPlanRow {
    SoundUse use;
    uint32_t channels;
};
inline constexpr ChannelPlanRow ChannelPlan[SOUND_USE_COUNT] = {
    {USE_ENGINE_LOOP, 0xFF},
    {USE_PROP_HIT, Channels({1})},
    {USE_TURBO_LOOP, Channels({2})},
    {USE_MENU_HIGHLIGHT, Channels({2})},
    {USE_MONSTER_CRUSH, Channels({3})},
    {USE_BUS_LOOP, Channels({3})},
    {USE_NEW_TURBO, Channels({3, 4})},
    {USE_CROWD_REACTION, Channels({3, 4, 6, 10, 15})},
    {USE_MENU_HOVER_LOOP, Channels({3, 4, 5, 6, 7, 8, 9})},
    {USE_NITRO_READY, Channels({5})},
    {USE_AIR_BRAKE, Channels({5})},
    {USE_TARGET_HIT, Channels({6})},
    {USE_PENALTY, Channels({8})},
    {USE_GRIP_LOSS, Channels({8})},
    {USE_THUNDER, Channels({8})},
    {USE_ROAD_NOISE_LOOP, Channels({8})},
    {USE_IDLE_LOOP, Channels({9})},
    {USE_SECOND_PLAYER_ENGINE, Channels({10})},
    {USE_GRAVEL_LOOP, Channels({10})},
    {USE_EDITOR_SOUND, Channels({10})},
    {USE_SKID_LOOP, Channels({11})},
    {USE_BRAKE_LOOP, Channels({11})},
    {USE_HANDBRAKE_LOOP, Channels({11})},
    {USE_LIST_SCROLL, Channels({11})},
    {USE_CHAMPIONSHIP_JINGLE, Channels({11})},
    {USE_CROWD_LOOP, Channels({12})},
    {USE_TERRAIN_LOOP, Channels({13})},
    {USE_REVERSE_BEEP, Channels({13})},
    {USE_CROWD_CHEER, Channels({13})},
    {USE_TYRE_SQUEAL, Channels({14})},
    {USE_WHEEL_SPIN, Channels({14})},
    {USE_OVER_REV, Channels({14})},
    {USE_POINTS_LOOP, Channels({14})},
    {USE_BUY, Channels({14})},
    {USE_GEAR_CLUNK, Channels({15})},
    {USE_GEAR_SHIFT, Channels({15})},
    {USE_CLICK, Channels({15})},
    {USE_WALL_CRASH, Channels({16})},
    {USE_CAR_CRASH, Channels({16})},
    {USE_WALL_SCRAPE, Channels({16})},
    {USE_COUNTDOWN_VOICE, Channels({16})},
    {USE_SECOND_LAYER, Channels({17})},
    {USE_SCREEN_CHANGE, Channels({17})},
    {USE_BONUS_JINGLE, Channels({17})},
    {USE_JINGLE, Channels({17})},
    {USE_LANDING, Channels({18})},
    {USE_WATER_LOOP, Channels({18})},
    {USE_TYPING, Channels({18})},
    {USE_DELETE, Channels({18})},
    {USE_MESSAGE, Channels({18})},
    {USE_ERROR, Channels({18})},
    {USE_NEW_BONUS, Channels({18})},
    {USE_HORN, Channels({19})},
    {USE_RAIN_LOOP, Channels({20})},
    {USE_OCEAN_LOOP, Channels({21})},
    {USE_MUSIC, Channels({23})},
};

// The n-th channel of a use, lowest first (the engine loop of car n is
// UseChannel(USE_ENGINE_LOOP, n)); -1 when the use has fewer channels.
constexpr int UseChannel(SoundUse use, int n = 0) {
    uint32_t mask = ChannelPlan[use].channels;
    for (; mask; mask &= mask - 1) {
        if (n-- == 0)
            return std::countr_zero(mask);
    }
    return -1;
}

// The channels the session opens: those of some use.
constexpr uint32_t PlannedChannels() {
    uint32_t mask = 0;
    for (const ChannelPlanRow& row : ChannelPlan)
        mask |= row.channels;
    return mask;
}

constexpr bool ChannelPlanInUseOrder() {
    for (int use = 0; use < SOUND_USE_COUNT; use++) {
        if (ChannelPlan[use].use != use || !ChannelPlan[use].channels)
            return false;
    }
    return true;
}
static_assert(ChannelPlanInUseOrder(), "one row per use, in the order of the uses");

enum {
    SOUND_CHANNELS = 24,        // mixer channels 0..23
    MUSIC_CHANNEL = UseChannel(USE_MUSIC),
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

// ---------------------------------------------------------------------------
// The engine sound's hand-shakes with the gearbox, per car.  The tick's
// pedal and gearbox stages set them (under the simulation lock); the engine
// sound reads and clears them in the race frame (under it too).
extern int ThrottleReleaseLatch[8];   // 0 while the car accelerates; 1 once a release was seen
extern int ThrottleSoundState[8];     // 3 while the car accelerates (not the drive model's ThrottleState)
extern int GearUpSignal[8];           // 1 at every gear-up change ...
extern int GearUpHandled[8];          // ... with this set to 0
extern int GearDownSignal[8];         // 1 at every gear-down change

// ---------------------------------------------------------------------------
// Engine sound (engine_sound.cpp): race frame, main thread.
enum { VIEW_TRIMS = 4 };
struct EngineSoundModel {
    int kind;               // 1, or 2: a plain looped wave without coasting restarts
    float revFactor;        // EngineRevs to the pitch multiplier
    int gearPitch[6];       // base rate per gear
    int idleVolume;
    int lowRevVolume;       // main loop at low revs in first gear
    int fullVolume;         // main loop otherwise
    int secondLayerVolume;
    int volumeTrimDefault;  // how much quieter the listener's loop is while coasting
    int waveLength;         // play positions are mirrored in this many frames
};
extern const EngineSoundModel EngineSoundModels[ENGINE_MODELS];
extern int VolumeTrim[ENGINE_MODELS];        // working copy of the coasting trim

extern float ScaledRevs[8];
extern int BasePitch[8];
extern float DopplerShift[8];
extern int EnginePitch[8];                   // the rate of the car's main loop (the dashboard reads it)
extern int EngineLoopOn[8];
extern float EngineAzimuth[8];
extern int OtherEngineVolume[8];
extern int ShiftDownCount[8];
extern int ThrottleReleased[8];
extern int CoastPlaying[8];
extern int PlayerIdleVolume[8], PlayerIdleOn[8], PlayerEngineVolume[8], PlayerSecondLayerVolume[8];
extern int SkidOn[8], SkidPlaying[8];
extern int EngineVolume;                     // the listener's main-loop volume
extern int IdleLayerVolume, SecondLayerVolumeNow, ContactLayerVolume;
extern int IdleLayerOn, ContactLayerOn, CoastActive, GravelLoopOn, GravelVolume;
extern int RoadNoiseOn, RoadNoiseVolume, RoadNoiseRate;
extern int SkidRotation;                     // 0..2
extern int StereoSign;                       // +1, or -1 for reversed stereo

// ---------------------------------------------------------------------------
// Crowd sound (crowd_sound.cpp): race frame, main thread.
extern float NearestCrowdPoint[2];
extern float CrowdDistance;
extern int CrowdVolume;
extern int CrowdRate[8];
extern float CrowdAzimuth;
extern int CrowdLoopOn;
extern int ArenaCrowdVolume, CrossCrowdVolume;
extern int WinCheerPlayed, LoseCheerPlayed;
extern int PenaltyCheerLatch, CheerLatch, LeadCheerCount;
extern std::atomic<int> CrushCheerRequest;   // set by the crush sound on the tick

// ---------------------------------------------------------------------------
// Race effect sounds (effect_sounds.cpp, car_sounds.cpp).  The tick calls
// most of them and the frame the rest, each side under the simulation lock;
// the resets come from the frame outside it, so the flags are atomic.
enum TerrainLoop {
    TERRAIN_MOSS,
    TERRAIN_ROCK,
    TERRAIN_GRASS,
    TERRAIN_BANK,
    TERRAIN_STONE,
    TERRAIN_CROSS_DIRT,
    TERRAIN_SAND,
    TERRAIN_WATER,
    TERRAIN_COBBLE,
    TERRAIN_LOOPS
};
extern std::atomic<int> TerrainPlaying[8][TERRAIN_LOOPS];
enum CarLoop {
    LOOP_BRAKE,
    LOOP_AIR_BRAKE_PLAYED,
    LOOP_TYRE_SQUEAL,
    LOOP_WHEEL_SPIN,
    LOOP_OVER_REV,
    LOOP_HANDBRAKE,
    LOOP_GRIP_LOSS,
    LOOP_REVERSE,
    LOOP_BUS,
    LOOP_CRUSH,            // the listener's crush flag
    LOOP_CRUSH_SECOND,     // the second crush flag
    LOOP_LANDING,
    LOOP_TURBO_READY,      // the turbo-ready cue was given
    CAR_LOOPS
};
extern std::atomic<int> CarLoopPlaying[8][CAR_LOOPS];
extern std::atomic<int> HornPlaying, TurboPlaying, RainPlaying, OceanPlaying;
extern std::atomic<int> WallCrashSlot, CarCrashSlot, LandingSlot, CrushSlot;   // rotating, kept for the run
extern std::atomic<int> OceanVolume;         // kept across races
extern float HornDoppler[8];

// ---------------------------------------------------------------------------
// Music and front-end sounds (music.cpp, frontend_sounds.cpp).  The fade
// runs on the tick while the frame starts and stops the music.
extern std::atomic<int> MusicVolume;
extern std::atomic<int> MusicFadeVolume;
extern std::atomic<int> CurrentMusicSlot;
extern int MenuSoundGuard;
extern int PointsLoopPlaying, JinglePlaying;
enum { HOVER_CHANNELS = 7 };   // hover loops on channels 3..9
extern int HoverPlaying[HOVER_CHANNELS];
extern int HoverTimer;
extern const int HoverDelay;                 // ticks within reach before a loop starts

// Memory figures kept by RecordMemoryStatus (nothing reads them).
extern int MemoryTotal, MemoryAvailable, MemoryLoad;
