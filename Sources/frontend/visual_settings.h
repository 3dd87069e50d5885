// The visual options file CONFIG\visual.cfg: the raw 48 bytes of
// VisualSettings, written by the display and sound screens and read at
// start-up, by those screens and at every race start.
#pragma once

enum { VISUAL_FILE_BYTES = 48 };

// Takes a file image: only a whole 48-byte image is taken, each byte
// clamped to its range before anything reads it.  1 when taken.
int TakeVisualSettings(const unsigned char* bytes, int size);
// Reads CONFIG\visual.cfg into VisualSettings (TakeVisualSettings); 1 when
// a file was taken, 0 leaves VisualSettings as it was.
int ReadVisualSettings();
void WriteVisualSettings();
// The display variables the visual bytes 0..5 feed.
void ApplyDisplayVariables();
