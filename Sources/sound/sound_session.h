// The mixer session, the wave bank and the channel plan.
#pragma once

#include "platform/plat_mixer.h"

// Opens the session of 24 channels at 22050 Hz and sets up its channels;
// without a mixer the game runs silent (SoundUnavailable).
void InitSoundMixer();
// Frees every wave and closes the session (window destruction).
void ShutdownSound();
// Flushes every queued, paused or playing channel.
void StopBusyChannels();
// Reads every channel's status into ChannelStatus.
void PollChannelStatus();
// Loads the menu bank (FrontEndActive 1) or the bank of the coming race.
void LoadSoundBank();
// Every slot, but the music's while it fades out (MusicFadeActive with the
// music playing): the fade frees that one when it ends.
void FreeAllWaves();
// The same with the music lock held.
void FreeBankSlots();
// The music slots only; the caller holds the music lock (music.h).
void FreeMusicWaves();
// Frees the slots first..last without the music lock.
void FreeSlotRange(int first, int last);
void FreeSpareWaves();
// Follows the window's activation (the mixer pauses while inactive).
void ActivateSoundSession(int active);

// The loaders of one slot: nothing when the slot is loaded; a file that
// cannot be read ends the program.
void LoadRaceWave(const char* file, int slot, int folder);
void LoadMenuWave(const char* file, int slot, int selector);
void LoadMusicWave(const char* file, int slot);
void LoadSpareWave(int slot);

// Rebuilds the play blocks for the bank just loaded.
void InitPlayParams();

// The completion callback of every play block: signals SoundDoneEvent.
void SoundDoneCallback(int channel, PlatWave wave, void* user);

// Operations that nothing in the game calls.
void CloseMixer();
void ActivateMixer(int state);
void FreeWavesIfFrontEnd();
void ToggleSound();
