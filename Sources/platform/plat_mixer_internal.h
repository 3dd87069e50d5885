// Internals shared by the files of the mixer (never included by game code).
#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>

#include "platform/plat_mixer.h"

// A wave's samples, converted to signed 16 bits, interleaved when stereo.
// One extra guard frame (a copy of the last) follows the last frame, so the
// interpolation may always read the frame after the one it plays.
struct MixerWaveImage {
    int16_t* samples;   // malloc'd; null when empty
    int frames;
    int channels;       // 1 or 2
    int rate;
};

// plat_mixer_wav.cpp: parses a RIFF WAV image chunk by chunk; 1 and a filled
// image on success, 0 when the image is refused.  The caller frees
// image->samples with free().
int MixerParseWave(const void* data, int size, MixerWaveImage* image);

// plat_mixer.cpp: mixes `frames` output frames for an output backend (the
// device callback, the WAV sink), then runs the callbacks of the sounds that
// ended.  Silence while the session is inactive.
void MixerRenderOutput(int16_t* out, int frames);

// plat_mixer_sdl.cpp: the SDL2 audio device.
int SdlAudioOpen(int rate);
void SdlAudioClose();

// plat_mixer_wav.cpp: the WAV-file sink, a thread that mixes in real time.
int WavSinkOpen(const char* hostPath, int rate);
void WavSinkClose();

// plat_mixer.cpp: the manual clock moved by `ms`: the manual backend renders
// the frames of that time (22.05 a millisecond, the fraction carried), so
// sounds end and report done in game time.
void MixerClockAdvance(uint32_t ms);

// A consumer of everything the session mixes (the sound capture): each block
// of every channel that had a sound on it, each block of the mix, and every
// play.  firstFrame counts from the moment the sink was set, including the
// manual clock's time without a session, so a capture keeps the clock's time.
// Called from inside the mix with the mixer locked: it must not call the
// mixer.
struct MixerSink {
    void (*frames)(void* user, int tap, uint64_t firstFrame, const int16_t* stereo, int count);
    void (*play)(void* user, const PlatMixerPlayEvent* event);
    void* user;
};
void MixerSetSink(const MixerSink* sink);   // null removes it

// plat_mixer_wav.cpp: (re)writes the 44-byte header of a 16-bit stereo WAV
// file at its start, and leaves the file positioned at its end.
void MixerWriteWavHeader(FILE* file, int rate, uint32_t dataBytes);

// plat_mixer_3d.cpp, with the mixer's lock held: adds the playing 3D buffers
// into out[] (stereo floats), and frees them all when the session closes.
std::mutex& MixerLock();
int MixerSessionOpenLocked();
void Mixer3DRenderLocked(float* out, int frames);
void Mixer3DResetLocked();
