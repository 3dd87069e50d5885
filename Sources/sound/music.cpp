#include "sound/music.h"

#include "sound/sound_state.h"

// Without a mixer there is no music to fade: the fade ends at once.
void FadeMusicStep() { MusicFadeActive = 0; }
void StopMusicAndMute() { MusicFadeActive = 0; }
void PlayTrackMusic(int) {}
void UpdateMenuHoverSounds() {}
void PlayScrollSound(int, int) {}
void PlayNewBonusSound() { NewBonusSoundPending = 0; }
