#include "sound/music.h"

#include "sound/sound_state.h"

int MenuSoundRequests[MENU_SOUND_KINDS];
int MenuSoundGuard;

static void CountRequest(int kind) { MenuSoundRequests[kind]++; }

// Without a mixer there is no music to fade: the fade ends at once.
void FadeMusicStep() { MusicFadeActive = 0; }
void StopMusicAndMute() { MusicFadeActive = 0; }
void PlayTrackMusic(int) {}
void UpdateMenuHoverSounds() {}

// The front-end sounds are not played yet: each request is counted.
void PlayScrollSound(int go, int) {
    if (go == 1)
        CountRequest(MENU_SOUND_SCROLL);
}
void PlayNewBonusSound() {
    NewBonusSoundPending = 0;
    CountRequest(MENU_SOUND_NEW_BONUS);
}
void PlayClickSound() { CountRequest(MENU_SOUND_CLICK); }
void PlayMenuSound() { CountRequest(MENU_SOUND_HIGHLIGHT); }
void PlayScreenChangeSound() { CountRequest(MENU_SOUND_SCREEN_CHANGE); }
void PlayKeySound(int typing) { CountRequest(typing == 1 ? MENU_SOUND_KEY : MENU_SOUND_DELETE_KEY); }
void PlayTypingSound(int) { CountRequest(MENU_SOUND_TYPING); }
void PlayErrorSound() { CountRequest(MENU_SOUND_ERROR); }
void PlayMessageSound() { CountRequest(MENU_SOUND_MESSAGE); }
void PlayPointsSound(int) { CountRequest(MENU_SOUND_POINTS); }
void PlayBonusSound() { CountRequest(MENU_SOUND_BONUS); }
void StopMenuHoverSounds() { CountRequest(MENU_SOUND_HOVER_STOP); }
void SetMusicVolume(int) { CountRequest(MENU_SOUND_MUSIC_VOLUME); }
