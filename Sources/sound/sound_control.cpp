#include "sound/sound_control.h"

void ResetRaceSounds() {}
void ResetChannelFrequencies() {}
void FadeEffectsStep() {}
void StopSoundsWhenOff() {}
