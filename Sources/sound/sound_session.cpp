#include "sound/sound_session.h"

#include "sound/sound_state.h"

// No mixer exists yet: the session reports itself unavailable and the game
// runs silent, as it does on a machine without a sound device.
void InitSoundMixer() {
    SoundUnavailable = 1;
    MusicEnabled = 0;
}

void ShutdownSound() {}
void StopBusyChannels() {}
void LoadSoundBank() {}
void FreeAllWaves() {}
void ActivateSoundSession(int) {}
