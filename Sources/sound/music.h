// Music and front-end sounds.
#pragma once

void FadeMusicStep();
void StopMusicAndMute();
void PlayTrackMusic(int group);
void UpdateMenuHoverSounds();
void PlayScrollSound(int trigger, int unused);
void PlayNewBonusSound();
