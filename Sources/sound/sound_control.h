// Sound on every channel at once: reset between races, pause and resume for
// the pause menu, the effects' fade, the rates, muting and stopping.
#pragma once

// Flushes every channel but the music's and clears the per-car sound state
// (race start, pause-menu exit, end of race, standings).
void ResetRaceSounds();
// Pauses every channel but 18, where the pause menu's own sounds play.
void PauseSounds();
// Restarts exactly the channels that are paused.
void ResumeSounds();
void ResumeSoundsMuted();
// Every playing effect channel 1000 quieter (from above 10).
void FadeEffectsStep();
void ResetChannelFrequencies();
// Stops the music (with the gate open) and mutes channels 0..22.
void StopMusicAndMute();
// With SoundOn 0: flushes what plays, but the music.
void StopSoundsWhenOff();
void RecordMemoryStatus();
