#include "sound/sound_state.h"

std::atomic<int> SoundOn{1};
std::atomic<int> SoundUnavailable;
std::atomic<int> MusicEnabled{1};
std::atomic<int> MusicFadeActive;
int NewBonusSoundPending;
int MixerSession;
int SurfaceFlags[8][SURFACE_FLAG_COUNT];
