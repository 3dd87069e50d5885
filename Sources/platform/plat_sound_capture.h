// Platform layer: the sound capture of headless runs (--sound-capture DIR).
//
// While open, everything the mixer mixes goes to files in the folder:
// mix.wav (the whole output), chNN.wav for each channel that has played
// (silence before its first sound, so every file lines up with mix.wav) and
// events.csv, one line per play: the timer tick, the channel, the wave's
// slot, the loop count, and the volume and rate the sound starts with.
#pragma once

// Opens the capture into a host folder (made when missing); 1 on success.
int PlatSoundCaptureOpen(const char* hostDir);
// Finishes the files (their headers get their sizes) and closes them.
void PlatSoundCaptureClose();
int PlatSoundCaptureIsOpen();
