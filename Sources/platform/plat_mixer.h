// Platform layer: the sound mixer (the vendor mixer library's stand-in).
//
// One session of up to 24 channels mixes 16-bit stereo at 22050 Hz.  A wave
// is opened once (from a RIFF WAV image in memory, whose samples are copied,
// or from a file) and is then played on a channel by its handle; a new play
// on a channel replaces what plays there.  The channel's volume, rate and
// position survive a new play.
//
// Handles carry a generation: a freed or stale handle is a harmless no-op,
// and freeing a wave first stops every channel that plays it.  One lock
// guards the mixer, so the main thread, the timer thread and the audio
// thread may all call in; completion callbacks run outside the lock, on the
// thread that mixed the end of the sound.
//
// Output backends: the SDL2 audio device; a manual backend that renders only
// when PlatMixerRender asks (tests); a WAV-file sink paced by the real clock.
// Without an output device PlatMixerOpen fails and the game runs silent.
#pragma once

#include <cstdint>

enum {
    PLAT_MIXER_MAX_CHANNELS = 24,
    PLAT_MIXER_RATE = 22050,          // output rate, and the rate of "the wave's own speed"
    PLAT_MIXER_MAX_VOLUME = 32767,
    PLAT_MIXER_MIN_FREQUENCY = 100,
    PLAT_MIXER_MAX_FREQUENCY = 8 * 22050,
    PLAT_MIXER_MAX_WAVES = 512,
    PLAT_MIXER_ALL_CHANNELS = -1,     // channel argument: every open channel
};

// Channel status bits.
enum {
    PLAT_MIX_OPEN = 1,       // the channel has been opened
    PLAT_MIX_QUEUED = 2,     // a sound is on the channel and has not ended
    PLAT_MIX_PAUSED = 4,
    PLAT_MIX_PLAYING = 8,    // ... and is not paused
};

enum PlatMixerBackend {
    PLAT_MIXER_DEVICE = 0,   // SDL2 audio (SDL_AUDIODRIVER chooses the driver)
    PLAT_MIXER_MANUAL = 1,   // renders only through PlatMixerRender
    PLAT_MIXER_WAVFILE = 2,  // writes what it mixes into a WAV file, in real time
    PLAT_MIXER_NONE = 3,     // no output: every open fails
};

// Chooses the output for the next PlatMixerOpen.  Without a call headless
// runs use the manual output and real runs the sound device.  `wavPath` is a
// host path, used by PLAT_MIXER_WAVFILE only.
void PlatMixerSetBackend(int backend, const char* wavPath);
int PlatMixerBackendInUse();   // the backend of the open session; -1 when closed

// Opens the session: `channels` channels (at most 24) at `rate` Hz (only
// 22050 is offered).  1 on success; 0 when no output could be opened.
// All channels start closed, at volume 32767, rate 22050 and the centre.
int PlatMixerOpen(int rate, int channels);
// Stops the output, frees every wave and closes every channel.
void PlatMixerClose();
int PlatMixerIsOpen();

// An inactive session outputs silence and its channels stand still.
void PlatMixerActivate(int active);

// Channels must be opened before they play; the others are no-ops.
void PlatMixerOpenChannel(int channel);
void PlatMixerCloseChannel(int channel);   // or PLAT_MIXER_ALL_CHANNELS

typedef uint32_t PlatWave;   // 0: no wave

// Opens a wave from a RIFF WAV image (PCM, 8 or 16 bits, mono or stereo,
// any rate).  The samples are copied: the caller may free its buffer at
// once.  0 when the session is closed, the image is not a wave it can play
// or no wave entry is free.
PlatWave PlatMixerOpenWaveMemory(const void* data, int size);
// The same for a file (a game path).
PlatWave PlatMixerOpenWaveFile(const char* gamePath);
// Stops every channel that plays the wave, then frees it.  A stale handle
// does nothing.
void PlatMixerFreeWave(PlatWave wave);
// Length in sample frames, and the wave's own rate; 0 for a stale handle.
int PlatMixerWaveFrames(PlatWave wave);
int PlatMixerWaveRate(PlatWave wave);

typedef void (*PlatMixerDoneFn)(int channel, PlatWave wave, void* user);

// Where a play starts, loops and ends, in sample frames of the wave.  Zero
// means: loopEnd and end at the end of the wave, loopStart at its start, so
// all four 0 loop the whole wave.  Play runs start -> loopEnd, repeats
// loopStart -> loopEnd `loops` more times, then runs on to end.  A play that
// starts at or beyond loopEnd repeats from loopStart when it reaches end.
// Positions beyond the wave are clamped into it.
struct PlatMixerPlayParams {
    PlatMixerDoneFn callback;   // called once when the sound ends by itself
    void* user;
    int32_t start;
    int32_t loopStart;
    int32_t loopEnd;
    int32_t end;
};

// Plays the wave on the channel, replacing (and un-pausing) what was there.
// loops: 0 once, n for n extra repeats, -1 (or below) for ever.  `params`
// may be null (the whole wave).  1 when it plays.
int PlatMixerPlay(int channel, PlatWave wave, int loops, const PlatMixerPlayParams* params);
// Stops the channel and forgets its sound (no callback).
void PlatMixerFlush(int channel);                 // or PLAT_MIXER_ALL_CHANNELS
void PlatMixerPause(int channel);                 // or PLAT_MIXER_ALL_CHANNELS
void PlatMixerRestart(int channel);               // or PLAT_MIXER_ALL_CHANNELS

// Volume 0 (silent) .. 32767, linear; clamped.
void PlatMixerSetVolume(int channel, int volume); // or PLAT_MIXER_ALL_CHANNELS
int PlatMixerGetVolume(int channel);              // -1 for a channel that does not exist
// Playback rate: 22050 plays a wave at its own speed, 44100 twice as fast
// (an octave up).  Clamped to 100 .. 176400.
void PlatMixerSetFrequency(int channel, int rate); // or PLAT_MIXER_ALL_CHANNELS

// A polar position: azimuth in degrees (0 ahead, +90 right, -90 left) gives
// an equal-power stereo pan; range and elevation do not change the mix.
struct PlatMixerPolar {
    float azimuth;
    float range;
    float elevation;
    float reserved;
};
static_assert(sizeof(PlatMixerPolar) == 16, "polar position record");
void PlatMixerSetPolar(int channel, const PlatMixerPolar* polar);

int PlatMixerStatus(int channel);                 // PLAT_MIX_* bits; 0 when the channel does not exist
int PlatMixerIsDone(int channel);                 // 1 when nothing is queued on it
// The wave on the channel and its play position in sample frames; 0 when
// nothing is queued there.
int PlatMixerPlayPosition(int channel, PlatWave* wave, int* position);

// Manual backend: mixes `frames` stereo frames (interleaved left, right)
// into `out` and runs the callbacks of the sounds that ended.  Returns the
// frames written; 0 when the open session is not the manual one.
int PlatMixerRender(int16_t* out, int frames);
