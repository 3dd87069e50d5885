// Music and front-end sounds: the music on channel 23 with its fade-out, the
// menus' one-shots and the hover loops of the animated menu items.
#pragma once

#include <mutex>

// Music.  Each start returns at once unless the session is open, sound is
// available, MusicGate is 1 and the music is enabled.
// 0 and 8 the menu music, 1..7 the track groups' (others stop the music).
void PlayTrackMusic(int number);
// The sound screen's choice 1..6 (menu, speed, jump, monster, cross, buggy).
void PlayMusicBySetting(int number);
// Level 0..5 of VolumeLevels; 0 stops the music.
void SetMusicVolume(int level);
// One tick of the fade-out (timer thread, while MusicFadeActive is 1).
void FadeMusicStep();
// Kept by the music operations and every free of the music slots.
std::mutex& MusicLock();
// The sound screen's music choice (the career record keeps it).
extern int MenuMusicChoice;

// Front-end one-shots: each returns at once while SoundOn is not 1.
void PlayClickSound();
void PlayMenuSound();                 // the highlight, once a menu frame
void PlayScrollSound(int go, int unused);
void PlayScreenChangeSound();
void PlayKeySound(int typing);        // 1 typing, else delete
void PlayTypingSound(int kind);       // 0 typing, 1 delete, 2 new message
void PlayErrorSound();
void PlayMessageSound();
void PlayNewBonusSound();             // waits for the scene (NewBonusSoundPending)
void PlayPointsSound(int stop);       // 0 starts the points loop, 1 ends it with the buy sample
void PlayBonusSound();
void PlayChampionshipJingle();
void PlayBuySound();
void PlayJingle(int slot);
void StopJingle();
void EnableSound();

// Every front-end sound the menus ask for is counted here, played or not
// (sound off, channel busy), so the menus' tests can see what was asked.
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
    MENU_SOUND_KINDS,
};
extern int MenuSoundRequests[MENU_SOUND_KINDS];

// Every menu frame: the hover loops of the hot spots of the screen shown.
void UpdateMenuHoverSounds();
void StopMenuHoverSounds();
