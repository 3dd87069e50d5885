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
int GearSoundSignals[8];
