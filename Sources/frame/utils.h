// Work buffers, the pixel format, screenshots and small utilities.
#pragma once

#include <cstdint>

struct PlatSurface;

void AllocWorkBuffers();
void FreeWorkBuffers();
// Fills PixelBitCount and the colour mask bit counts from the surface; 1
// when they were read, else 0 (and they are all 0).
int ReadPixelFormat(PlatSurface* surface);
// Writes the surface as an uncompressed true-colour TGA (16-bit surfaces as
// 24-bit pixels, rows top to bottom); 1 on success.  The file is written
// whole or not at all.
int SaveScreenshotTga(const char* path, PlatSurface* surface);
// Deletes a folder with everything below it; 1 only when every file and
// folder was deleted.  Symbolic links are deleted, never followed.
int DeleteDirectoryTree(const char* path);
// a x b / c with a 64-bit product, truncated toward zero and clamped to 32
// bits; 0 when c is 0.
int MulDiv64(int a, int b, int c);
// The processor's cycle counter, for developer timings.
void StartCycleTimer();
uint32_t ReadCycleTimer();
// The value rounded by the current rounding mode (to nearest).
void FloatToInt(int* out, float value);
// Coordinates read from files are held within it: far beyond any track
// (the longest is 262,500), well inside an int.
constexpr float FILE_COORDINATE_LIMIT = 1.0e6f;
// A float read from a file, held within [low, high]; one that is no number
// gives `fallback`.  What it returns converts to an int without harm
// whenever the range does.
inline float ClampFileFloat(float value, float low, float high, float fallback) {
    if (value != value)
        return fallback;
    return value < low ? low : value > high ? high : value;
}
// The one shared pseudo-random generator: 0..32767.
int GameRandom();
void GameRandomSeed(uint32_t seed);
