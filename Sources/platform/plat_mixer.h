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
// when PlatMixerRender asks or the manual clock moves (tests and headless
// runs); a WAV-file sink paced by the real clock.  Without an output device
// PlatMixerOpen fails and the game runs silent.
//
// Whatever the backend, every play is logged (channel, the wave's tag, loops,
// and the volume and rate it starts at), and while taps are on the output of
// each channel and of the whole mix is kept for inspection.
//
// Beside the channels the session mixes a small set of 3D buffers: PCM
// buffers placed in space around one listener, quieter with distance and
// panned by their direction (plat_mixer_3d.cpp).
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
int PlatMixerGetFrequency(int channel);           // -1 for a channel that does not exist

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

// A number the caller gives a wave (the game gives its slot); play events
// carry it.  -1 until set; a stale handle does nothing.
void PlatMixerSetWaveTag(PlatWave wave, int tag);

// One play, logged when it is asked for; its volume and rate are settled
// when the sound is first mixed (or replaced or flushed before that), so they
// are those it starts with.
struct PlatMixerPlayEvent {
    uint64_t frame;   // output frames mixed since the session opened
    int channel;
    int tag;          // the wave's tag
    int loops;
    int volume;
    int rate;
};
// Plays logged since the session opened; the last PLAT_MIXER_EVENT_LOG of
// them can be read back by their number (0 for a number no longer kept).
enum { PLAT_MIXER_EVENT_LOG = 1024 };
int PlatMixerEventCount();
int PlatMixerEventAt(int index, PlatMixerPlayEvent* event);

// Taps: while on, the stereo output of each channel (tap = channel) and of
// the whole mix (PLAT_MIXER_TAP_MIX) is kept for the last
// PLAT_MIXER_TAP_FRAMES frames.  Turning them on clears them.
enum { PLAT_MIXER_TAP_MIX = PLAT_MIXER_MAX_CHANNELS, PLAT_MIXER_TAPS, PLAT_MIXER_TAP_FRAMES = 1 << 15 };
void PlatMixerTapsOn(int on);
// Copies the last `frames` stereo frames of a tap, oldest first; returns the
// frames copied (fewer when fewer were mixed since the taps came on).
int PlatMixerTapRead(int tap, int16_t* out, int frames);

// ---------------------------------------------------------------------------
// 3D buffers: PCM sound placed around a listener.  Distances are in the
// caller's units; the gain falls as 1 / (1 + rolloff x (d - 1)) beyond one
// unit, and the direction from the listener, against its orientation, pans
// the sound.  Volume in hundredths of a decibel: 0 full, -10000 silent.
typedef uint32_t PlatBuffer3D;   // 0: none
enum { PLAT_BUFFER3D_MAX = 256, PLAT_VOLUME3D_MIN = -10000 };
// A buffer of `bytes` of PCM (8 or 16 bits, 1 or 2 channels, `rate` Hz),
// silent until written.  0 when the session is closed or the format is not
// one it takes.
PlatBuffer3D PlatBuffer3DCreate(int channels, int rate, int bits, int bytes);
// Copies `bytes` of PCM into the buffer from byte `offset`; returns the
// bytes written (the part inside the buffer).
int PlatBuffer3DWrite(PlatBuffer3D buffer, int offset, const void* data, int bytes);
int PlatBuffer3DBytes(PlatBuffer3D buffer);          // 0 for a stale handle
void PlatBuffer3DRelease(PlatBuffer3D buffer);
int PlatBuffer3DPlay(PlatBuffer3D buffer, int loop);  // from the start; 1 when it plays
void PlatBuffer3DStop(PlatBuffer3D buffer);
int PlatBuffer3DIsPlaying(PlatBuffer3D buffer);
void PlatBuffer3DSetVolume(PlatBuffer3D buffer, int hundredthsDb);
int PlatBuffer3DGetVolume(PlatBuffer3D buffer);      // PLAT_VOLUME3D_MIN for a stale handle
void PlatBuffer3DSetRate(PlatBuffer3D buffer, int rate);
void PlatBuffer3DSetPosition(PlatBuffer3D buffer, float x, float y, float z);

struct PlatListener3D {
    float position[3];
    float front[3];
    float top[3];
    float rolloff;
    float doppler;   // kept; the mix has no Doppler shift
};
void PlatListener3DSet(const PlatListener3D* listener);
void PlatListener3DGet(PlatListener3D* listener);
