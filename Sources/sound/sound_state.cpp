#include "sound/sound_state.h"

int MixerSession;
std::atomic<int> MixerOpen;
std::atomic<int> MixerFailed;
std::atomic<int> SoundOn{1};
std::atomic<int> SoundUnavailable;
std::atomic<int> MusicEnabled{1};
std::atomic<int> MusicGate;
std::atomic<int> MusicFadeActive;
std::atomic<int> EffectsLevel{3};
// The top level is a shade under 1 so a full effect never reaches the clip.
const float VolumeLevels[6] = {0.0f, 0.25f, 0.45f, 0.7f, 0.8f, 0.9999f};
int NewBonusSoundPending;

SoundEvent SoundDoneEvent;

std::atomic<PlatWave> WaveTable[WAVE_SLOTS];
unsigned char WaveLoadedFlags[WAVE_SLOTS];
int LoadedWaveCount;
int EngineWaveSlot[8];
int HornWaveSlot[8];
int GearClunkWaveSlot[8];

PlayParams PlayParamBlocks[PLAY_BLOCK_COUNT];

PolarPosition PolarPositions[POLAR_RECORDS] = {
    {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0},
    {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0},
    {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0},
    {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0}, {0, 0.1f, 0, 0},
};

std::atomic<int> ChannelStatus[STATUS_CHANNELS];

int SurfaceFlags[8][SURFACE_FLAG_COUNT];

int ThrottleReleaseLatch[8];
int ThrottleSoundState[8];
int GearUpSignal[8];
int GearUpHandled[8];
int GearDownSignal[8];

int VolumeTrim[ENGINE_MODELS] = {2500, 2800, 4200, 4000, 4000, 4000, 3500, 4000, 4500,
                                 4500, 4000, 4500, 4000, 4100, 4000, 5500, 3500, 2500};
float ScaledRevs[8];
int BasePitch[8];
float DopplerShift[8];
int EnginePitch[8];
int EngineLoopOn[8];
float EngineAzimuth[8];
int OtherEngineVolume[8];
int ShiftDownCount[8];
int ThrottleReleased[8];
int CoastPlaying[8];
int PlayerIdleVolume[8], PlayerIdleOn[8], PlayerEngineVolume[8], PlayerSecondLayerVolume[8];
int SkidOn[8], SkidPlaying[8];
int EngineVolume;
int IdleLayerVolume, SecondLayerVolumeNow, ContactLayerVolume;
int IdleLayerOn, ContactLayerOn, CoastActive, GravelLoopOn, GravelVolume;
int RoadNoiseOn, RoadNoiseVolume, RoadNoiseRate;
int SkidRotation;
int StereoSign = 1;

float NearestCrowdPoint[2];
float CrowdDistance;
int CrowdVolume;
int CrowdRate[8];
float CrowdAzimuth;
int CrowdLoopOn;
int ArenaCrowdVolume, CrossCrowdVolume;
int WinCheerPlayed, LoseCheerPlayed;
int PenaltyCheerLatch, CheerLatch, LeadCheerCount;
std::atomic<int> CrushCheerRequest;

std::atomic<int> TerrainPlaying[8][TERRAIN_LOOPS];
std::atomic<int> CarLoopPlaying[8][CAR_LOOPS];
std::atomic<int> HornPlaying, TurboPlaying, RainPlaying, OceanPlaying;
std::atomic<int> WallCrashSlot{110}, CarCrashSlot{208}, LandingSlot{167}, CrushSlot{171};
std::atomic<int> OceanVolume{15000};
float HornDoppler[8];

std::atomic<int> MusicVolume;
std::atomic<int> MusicFadeVolume;
std::atomic<int> CurrentMusicSlot;
int MenuSoundGuard;
int PointsLoopPlaying, JinglePlaying;
int HoverPlaying[HOVER_CHANNELS];
int HoverTimer;
const int HoverDelay = 14;

int MemoryTotal, MemoryAvailable, MemoryLoad;
