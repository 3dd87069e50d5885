// Pause, resume, fade and reset of sound.
#pragma once

void ResetRaceSounds();
void ResetChannelFrequencies();
void FadeEffectsStep();
// The sound options switched the effects off: the effect channels stop.
void StopSoundsWhenOff();
