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
enum { HOVER_CHANNELS = 7, HOVER_FIRST_CHANNEL = 3 };   // hover loops on channels 3..9
extern int HoverPlaying[HOVER_CHANNELS];
extern int HoverTimer;
extern const int HoverDelay;                 // ticks within reach before a loop starts

// Memory figures kept by RecordMemoryStatus (nothing reads them).
extern int MemoryTotal, MemoryAvailable, MemoryLoad;
