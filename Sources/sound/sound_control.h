// Pause, resume, fade and reset of sound.
#pragma once

void ResetRaceSounds();
void ResetChannelFrequencies();
void FadeEffectsStep();
