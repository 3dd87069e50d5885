// The mixer session, the wave bank and the channel plan.
#pragma once

void InitSoundMixer();
void ShutdownSound();
void StopBusyChannels();
void LoadSoundBank();
void FreeAllWaves();
// Follows the window's activation (the mixer pauses while inactive).
void ActivateSoundSession(int active);
