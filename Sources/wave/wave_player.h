// The 3D wave player: a second sound path, self-contained, that loads WAV
// files into 3D buffers placed around a listener.  Nothing in the game calls
// it; it can be started, loaded and shut down on its own.
#pragma once

#include <cstdio>

#include "platform/plat_mixer.h"

enum { WAVE_PLAYER_SLOTS = 250 };

extern PlatBuffer3D WaveBuffers[WAVE_PLAYER_SLOTS];     // a wave's buffer, indexed like WaveTable
extern PlatBuffer3D Wave3DBuffers[WAVE_PLAYER_SLOTS];   // ... and its 3D side (the same buffer here)
extern int DirectSoundReady;
extern int EaxAvailable;
extern int WaveBytesLoaded;
extern int VolumeRampDone;
// The debug text line DebugPrint writes, and its mark for display.
enum { WAVE_DEBUG_LINE = 256 };
extern char WaveDebugLine[WAVE_DEBUG_LINE];
extern int WaveDebugLineShown;

// The error codes the player names, in the platform's own words.
enum WaveError {
    WAVE_ERR_ALLOCATED = 1,
    WAVE_ERR_CONTROLUNAVAIL,
    WAVE_ERR_INVALIDPARAM,
    WAVE_ERR_INVALIDCALL,
    WAVE_ERR_GENERIC,
    WAVE_ERR_PRIOLEVELNEEDED,
    WAVE_ERR_OUTOFMEMORY,
    WAVE_ERR_BADFORMAT,
    WAVE_ERR_UNSUPPORTED,
    WAVE_ERR_NODRIVER,
    WAVE_ERR_ALREADYINITIALIZED,
    WAVE_ERR_NOAGGREGATION,
    WAVE_ERR_BUFFERLOST,
    WAVE_ERR_OTHERAPPHASPRIO,
    WAVE_ERR_UNINITIALIZED,
};

// Starts the player on the mixer's session: the listener (roll-off 1, facing
// -x with +y up, Doppler factor 10) and the reverb.  0 without a session.
int InitDirectSound3D(int window);
// The reverb's property sets: none exist here, so 0.
int SetUpEax();
int SetEaxEnvironment(int value);
// Loads a 44-byte-header WAV file (a game path) into buffer `index`; 1 on
// success.  The header is checked: PCM of 8 or 16 bits, 1 or 2 channels, a
// sane rate and block align; the data is clamped to the file.
int LoadWaveFile(const char* path, int index);
int CreateWaveBuffer(int index, int dataBytes, int rate, int bits, int blockAlign, int stereo);
// Fills a buffer with `bytes` of the file from `offset` (-1: from where it is).
int FillWaveBuffer(PlatBuffer3D buffer, FILE* file, int bytes, int offset);
// One step of a volume ramp while the buffer plays; VolumeRampDone once the
// volume read was at the limit.
void RampWaveVolume(int index, int limit, int step);
void DirectSoundError(int code, const char* file, int line);
void DebugPrint(const char* text);
void ReleaseWaveBuffers();
void ShutdownDirectSound();

// The header fields of a wave file image, checked; 1 when the player takes it.
struct WaveFileHeader {
    int dataBytes;
    int rate;
    int channels;
    int blockAlign;
    int bits;
};
int ParseWaveHeader(const unsigned char* header, int headerBytes, long fileBytes, WaveFileHeader* out);
