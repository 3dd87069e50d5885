// Music and front-end sounds.
#pragma once

void FadeMusicStep();
void StopMusicAndMute();
void PlayTrackMusic(int group);
void UpdateMenuHoverSounds();
void PlayScrollSound(int trigger, int unused);
void PlayNewBonusSound();

// The front-end one-shots and the music volume of the sound options.  Until
// they play through the mixer each counts its requests in
// MenuSoundRequests, which the menus' tests read.
enum MenuSoundKind {
    MENU_SOUND_CLICK,
    MENU_SOUND_HIGHLIGHT,
    MENU_SOUND_SCROLL,
    MENU_SOUND_SCREEN_CHANGE,
    MENU_SOUND_KEY,
    MENU_SOUND_DELETE_KEY,
    MENU_SOUND_TYPING,
    MENU_SOUND_ERROR,
    MENU_SOUND_MESSAGE,
    MENU_SOUND_NEW_BONUS,
    MENU_SOUND_POINTS,
    MENU_SOUND_BONUS,
    MENU_SOUND_HOVER_STOP,
    MENU_SOUND_MUSIC_VOLUME,
    MENU_SOUND_KINDS,
};
extern int MenuSoundRequests[MENU_SOUND_KINDS];
extern int MenuSoundGuard;        // the highlight played in this menu frame

void PlayClickSound();
void PlayMenuSound();
void PlayScreenChangeSound();
void PlayKeySound(int typing);    // 1 typing, else the delete key
void PlayTypingSound(int kind);   // 0 typing, 1 delete, 2 new message
void PlayErrorSound();
void PlayMessageSound();
void PlayPointsSound(int stop);
void PlayBonusSound();
void StopMenuHoverSounds();
void SetMusicVolume(int level);
