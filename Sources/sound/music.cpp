// Music: one looping file on channel 23, the menus' or a track group's,
// streamed from the plain Music folder; its volume, and the fade-out the
// tick runs while a race loads.
//
// The fade runs on the timer thread while the frame starts and stops the
// music, and both free the music slots: the music lock keeps them apart.  It
// is never held across a wait, since a wait on the manual clock runs ticks.

#include "sound/music.h"

#include <mutex>

#include "frame/display.h"
#include "frame/frame_state.h"
#include "sound/sound_channels.h"
#include "sound/sound_mix.h"
#include "sound/sound_session.h"
#include "sound/sound_state.h"

static std::mutex musicLock;

std::mutex& MusicLock() { return musicLock; }

int MenuMusicChoice = 1;

// The file of each music number; 8 is the menu music too.
static const char* const TrackMusicFiles[9] = {
    "Menu22.wav", "Speed22.wav", "Speed22.wav", "Speed22.wav", "Jump22.wav",
    "Mo22_3.wav", "Cross22.wav", "Buggy22.wav", "Menu22.wav",
};

// The sound screen's music choices 1 to 6.
static const char* const SettingMusicFiles[7] = {
    nullptr, "Menu22.wav", "Speed22.wav", "Jump22.wav", "Mo22_3.wav", "Cross22.wav", "Buggy22.wav",
};

static int MusicAllowed() { return MixerOpen == 1 && SoundUnavailable == 0 && MusicGate == 1 && MusicEnabled == 1; }

static int MusicPlaying() { return (ReadChannelStatus(CH_MUSIC) & CHANNEL_PLAYING) != 0; }

// Stops what plays and loads the file into its slot (music lock held);
// the slot, or -1 when the number has no music.
static int LoadMusicNumber(const char* file, int slot) {
    if (MusicPlaying())
        FlushChannel(CH_MUSIC);
    FreeMusicWaves();
    if (!file)
        return -1;
    LoadMusicWave(file, slot);
    CurrentMusicSlot = slot;
    return slot;
}

static void StartMusicSlot(int slot) {
    MusicFadeVolume = MusicVolume.load();
    SetChannelVolume(CH_MUSIC, MusicVolume);
    PlaySlot(CH_MUSIC, slot, -1, LoopParams);
    SetChannelVolume(CH_MUSIC, MusicVolume);
}

void PlayTrackMusic(int number) {
    if (!MusicAllowed())
        return;
    int slot;
    {
        std::lock_guard<std::mutex> hold(musicLock);
        const int known = number >= 0 && number <= 8;
        slot = LoadMusicNumber(known ? TrackMusicFiles[number] : nullptr, MUSIC_FIRST_SLOT + (number == 8 ? 0 : number));
    }
    if (slot < 0)
        return;
    WaitSeconds(0.5f);
    std::lock_guard<std::mutex> hold(musicLock);
    if (WaveLoadedFlags[slot])
        StartMusicSlot(slot);
}

void PlayMusicBySetting(int number) {
    if (!MusicAllowed())
        return;
    std::lock_guard<std::mutex> hold(musicLock);
    const int known = number >= 1 && number <= 6;
    const int slot = LoadMusicNumber(known ? SettingMusicFiles[number] : nullptr, MUSIC_FIRST_SLOT + number);
    if (slot >= 0)
        StartMusicSlot(slot);
}

void SetMusicVolume(int level) {
    level = level < 0 ? 0 : level > 5 ? 5 : level;
    const int volume = TruncOf(VolumeLevels[level] * 32700.0f + 1.0f);
    MusicVolume = volume;
    MusicFadeVolume = volume;
    if (MixerOpen != 1)
        return;
    int choose = 0;
    {
        std::lock_guard<std::mutex> hold(musicLock);
        if (MusicEnabled == 1) {
            if (level == 0) {
                FlushChannel(CH_MUSIC);
                MusicEnabled = 0;
            } else if (MusicPlaying()) {
                SetChannelVolume(CH_MUSIC, MusicVolume);
            } else if (FrontEndActive == 1) {
                choose = 1;
            }
        } else if (MusicPlaying()) {
            FlushChannel(CH_MUSIC);
        }
    }
    if (choose)
        PlayMusicBySetting(MenuMusicChoice);
}

// One tick of the fade: the volume loses half of itself and one more each
// tick; at 0 the music stops and its wave is freed.
void FadeMusicStep() {
    if (MusicGate != 1 || MusicEnabled != 1)
        return;
    std::lock_guard<std::mutex> hold(musicLock);
    const int v = MusicFadeVolume;
    if (v >= 1) {
        const int next = v - v / 2 - 1;
        MusicFadeVolume = next < 0 ? 0 : next;
        if (MusicPlaying())
            SetChannelVolume(CH_MUSIC, MusicFadeVolume);
        return;
    }
    MusicFadeVolume = 0;
    if (MusicPlaying()) {
        FlushChannel(CH_MUSIC);
        FreeMusicWaves();
    }
    MusicFadeActive = 0;
}
