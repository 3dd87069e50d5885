// The mixer: waves, channels and the mix itself.  The output backends live
// in plat_mixer_sdl.cpp and plat_mixer_wav.cpp.

#include "platform/plat_mixer.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <numbers>

#include "platform/plat_file.h"
#include "platform/plat_mixer_internal.h"
#include "platform/plat_system.h"

namespace {

struct MixWave {
    uint32_t generation;   // bumped at every open and free
    MixerWaveImage image;  // samples null while the entry is free
    int tag;               // the caller's number for it; -1 none
};

struct MixChannel {
    int open;
    int volume;
    int frequency;
    float panLeft, panRight;   // equal-power gains of the azimuth, mono waves

    // The sound on the channel.
    int queued;
    int paused;
    PlatWave wave;
    int waveIndex;
    uint64_t pos;              // 32.32 sample frames
    uint64_t loopStart, loopEnd, end;   // 32.32, loopStart < loopEnd <= end
    int loops;                 // repeats left; -1 for ever
    PlatMixerDoneFn callback;
    void* user;

    // The play's entry in the log: its volume and rate are settled when it
    // is first mixed (or replaced or flushed before that).
    int eventPending;
    int eventIndex;
};

struct DoneCall {
    PlatMixerDoneFn callback;
    int channel;
    PlatWave wave;
    void* user;
};

enum { MIX_BLOCK = 512, INDEX_BITS = 10 };
static_assert(PLAT_MIXER_MAX_WAVES < (1 << INDEX_BITS), "wave index must fit the handle");

std::mutex mixerLock;
int sessionOpen;
int sessionActive;
int backendInUse = -1;
int channelCount;
int chosenBackend = -1;
char chosenWavPath[PLAT_MAX_PATH];
MixWave waves[PLAT_MIXER_MAX_WAVES];
MixChannel channels[PLAT_MIXER_MAX_CHANNELS];
float mixBuffer[2 * MIX_BLOCK];
float channelBuffer[2 * MIX_BLOCK];
int16_t blockSamples[2 * MIX_BLOCK];

uint64_t framesMixed;          // since the session opened
uint32_t clockCarry;           // the manual clock's part-frame, in 1/1000 frames

PlatMixerPlayEvent eventLog[PLAT_MIXER_EVENT_LOG];
int eventCount;

int16_t* tapRing;              // PLAT_MIXER_TAPS rings of PLAT_MIXER_TAP_FRAMES stereo frames
uint64_t tapFrames;            // frames written into the rings since the taps came on

MixerSink sink;
uint64_t sinkFrames;           // the sink's timeline: frames since it was set, silent ones too
int sinkSet;

}  // namespace

// ---------------------------------------------------------------------------
// Helpers (mixerLock held)

static int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

static MixChannel* ChannelOf(int channel) {
    if (!sessionOpen || channel < 0 || channel >= channelCount)
        return nullptr;
    return &channels[channel];
}

static PlatWave HandleOf(int index) {
    return (waves[index].generation << INDEX_BITS) | (uint32_t)(index + 1);
}

// The entry of a live handle; -1 for 0, stale or forged handles.
static int WaveIndexOf(PlatWave wave) {
    const int index = (int)(wave & ((1u << INDEX_BITS) - 1)) - 1;
    if (index < 0 || index >= PLAT_MIXER_MAX_WAVES)
        return -1;
    if (!waves[index].image.samples || HandleOf(index) != wave)
        return -1;
    return index;
}

static void SetPan(MixChannel* c, float azimuth) {
    if (!std::isfinite(azimuth))
        azimuth = 0.0f;
    // Ahead (and behind) is the centre, +90 degrees the right side.
    const double pan = std::sin((double)azimuth * (std::numbers::pi / 180.0));
    const double angle = (pan + 1.0) * (std::numbers::pi / 4.0);
    c->panLeft = (float)std::cos(angle);
    c->panRight = (float)std::sin(angle);
}

static void ResetChannel(MixChannel* c) {
    memset(c, 0, sizeof *c);
    c->volume = PLAT_MIXER_MAX_VOLUME;
    c->frequency = PLAT_MIXER_RATE;
    SetPan(c, 0.0f);
}

// Settles a play's entry as it starts to sound, and hands it to the sink.
static void LogPlay(int ch, MixChannel* c) {
    c->eventPending = 0;
    if (eventCount - c->eventIndex > PLAT_MIXER_EVENT_LOG)
        return;
    PlatMixerPlayEvent& e = eventLog[c->eventIndex % PLAT_MIXER_EVENT_LOG];
    e.frame = framesMixed;
    e.channel = ch;
    e.volume = c->volume;
    e.rate = c->frequency;
    if (sinkSet && sink.play)
        sink.play(sink.user, &e);
}

static void StopSound(MixChannel* c) {
    // A play replaced or flushed before it was mixed is logged all the same.
    if (c->eventPending)
        LogPlay((int)(c - channels), c);
    c->queued = 0;
    c->paused = 0;
    c->wave = 0;
    c->waveIndex = -1;
    c->callback = nullptr;
    c->user = nullptr;
}

static void FreeWaveEntry(int index) {
    for (int ch = 0; ch < PLAT_MIXER_MAX_CHANNELS; ch++) {
        if (channels[ch].queued && channels[ch].waveIndex == index)
            StopSound(&channels[ch]);
    }
    free(waves[index].image.samples);
    waves[index].image = {};
    waves[index].tag = -1;
    waves[index].generation = (waves[index].generation + 1) & ((1u << (32 - INDEX_BITS)) - 1);
}

// Applies fn to one channel, or to every open one.
template <typename Fn> static void ForChannels(int channel, Fn fn) {
    if (channel == PLAT_MIXER_ALL_CHANNELS) {
        if (!sessionOpen)
            return;
        for (int ch = 0; ch < channelCount; ch++) {
            if (channels[ch].open)
                fn(&channels[ch]);
        }
        return;
    }
    MixChannel* c = ChannelOf(channel);
    if (c && c->open)
        fn(c);
}

// ---------------------------------------------------------------------------
// Session

void PlatMixerSetBackend(int backend, const char* wavPath) {
    std::lock_guard<std::mutex> hold(mixerLock);
    chosenBackend = backend;
    snprintf(chosenWavPath, sizeof chosenWavPath, "%s", wavPath ? wavPath : "");
}

// Without a choice the headless backend renders into a buffer on request
// and the real one plays through the sound device.
static int DefaultBackend() { return PlatIsHeadless() ? PLAT_MIXER_MANUAL : PLAT_MIXER_DEVICE; }

int PlatMixerBackendInUse() {
    std::lock_guard<std::mutex> hold(mixerLock);
    return sessionOpen ? backendInUse : -1;
}

int PlatMixerOpen(int rate, int count) {
    if (rate != PLAT_MIXER_RATE || count < 1 || count > PLAT_MIXER_MAX_CHANNELS)
        return 0;
    int backend;
    char wavPath[PLAT_MAX_PATH];
    {
        std::lock_guard<std::mutex> hold(mixerLock);
        if (sessionOpen)
            return 1;
        backend = chosenBackend;
        snprintf(wavPath, sizeof wavPath, "%s", chosenWavPath);
        if (backend < 0)
            backend = DefaultBackend();
        if (backend == PLAT_MIXER_NONE)
            return 0;
        for (MixChannel& c : channels)
            ResetChannel(&c);
        channelCount = count;
        framesMixed = 0;
        clockCarry = 0;
        eventCount = 0;
        tapFrames = 0;
        sessionActive = 1;
        backendInUse = backend;
        sessionOpen = 1;
    }
    int started = 1;
    if (backend == PLAT_MIXER_DEVICE)
        started = SdlAudioOpen(rate);
    else if (backend == PLAT_MIXER_WAVFILE)
        started = WavSinkOpen(wavPath, rate);
    if (!started) {
        std::lock_guard<std::mutex> hold(mixerLock);
        sessionOpen = 0;
        backendInUse = -1;
    }
    return started;
}

void PlatMixerClose() {
    int backend;
    {
        std::lock_guard<std::mutex> hold(mixerLock);
        if (!sessionOpen)
            return;
        backend = backendInUse;
    }
    // The output stops first: no mix runs while the waves go.
    if (backend == PLAT_MIXER_DEVICE)
        SdlAudioClose();
    else if (backend == PLAT_MIXER_WAVFILE)
        WavSinkClose();
    std::lock_guard<std::mutex> hold(mixerLock);
    for (int i = 0; i < PLAT_MIXER_MAX_WAVES; i++) {
        if (waves[i].image.samples)
            FreeWaveEntry(i);
    }
    for (MixChannel& c : channels)
        ResetChannel(&c);
    Mixer3DResetLocked();
    sessionOpen = 0;
    backendInUse = -1;
    channelCount = 0;
}

int PlatMixerIsOpen() {
    std::lock_guard<std::mutex> hold(mixerLock);
    return sessionOpen;
}

void PlatMixerActivate(int active) {
    std::lock_guard<std::mutex> hold(mixerLock);
    sessionActive = active != 0;
}

void PlatMixerOpenChannel(int channel) {
    std::lock_guard<std::mutex> hold(mixerLock);
    if (MixChannel* c = ChannelOf(channel))
        c->open = 1;
}

void PlatMixerCloseChannel(int channel) {
    std::lock_guard<std::mutex> hold(mixerLock);
    ForChannels(channel, [](MixChannel* c) {
        StopSound(c);
        c->open = 0;
    });
}

// ---------------------------------------------------------------------------
// Waves

static PlatWave AddWave(const MixerWaveImage& image) {
    for (int i = 0; i < PLAT_MIXER_MAX_WAVES; i++) {
        if (!waves[i].image.samples) {
            waves[i].image = image;
            waves[i].tag = -1;
            waves[i].generation = (waves[i].generation + 1) & ((1u << (32 - INDEX_BITS)) - 1);
            if (waves[i].generation == 0)
                waves[i].generation = 1;
            return HandleOf(i);
        }
    }
    return 0;
}

PlatWave PlatMixerOpenWaveMemory(const void* data, int size) {
    if (!data || size <= 0 || !PlatMixerIsOpen())
        return 0;
    // The parse runs outside the lock: the audio thread keeps mixing.
    MixerWaveImage image;
    if (!MixerParseWave(data, size, &image))
        return 0;
    std::lock_guard<std::mutex> hold(mixerLock);
    const PlatWave wave = sessionOpen ? AddWave(image) : 0;
    if (!wave)
        free(image.samples);
    return wave;
}

PlatWave PlatMixerOpenWaveFile(const char* gamePath) {
    enum { MAX_WAVE_FILE = 256 << 20 };
    if (!gamePath || !PlatMixerIsOpen())
        return 0;
    FILE* file = PlatFopen(gamePath, "rb");
    if (!file)
        return 0;
    PlatWave wave = 0;
    long size = -1;
    if (fseek(file, 0, SEEK_END) == 0)
        size = ftell(file);
    if (size > 0 && size <= MAX_WAVE_FILE && fseek(file, 0, SEEK_SET) == 0) {
        void* bytes = malloc((size_t)size);
        if (bytes && fread(bytes, 1, (size_t)size, file) == (size_t)size)
            wave = PlatMixerOpenWaveMemory(bytes, (int)size);
        free(bytes);
    }
    fclose(file);
    return wave;
}

void PlatMixerFreeWave(PlatWave wave) {
    std::lock_guard<std::mutex> hold(mixerLock);
    const int index = WaveIndexOf(wave);
    if (index >= 0)
        FreeWaveEntry(index);
}

int PlatMixerWaveFrames(PlatWave wave) {
    std::lock_guard<std::mutex> hold(mixerLock);
    const int index = WaveIndexOf(wave);
    return index < 0 ? 0 : waves[index].image.frames;
}

int PlatMixerWaveRate(PlatWave wave) {
    std::lock_guard<std::mutex> hold(mixerLock);
    const int index = WaveIndexOf(wave);
    return index < 0 ? 0 : waves[index].image.rate;
}

// ---------------------------------------------------------------------------
// Channels

int PlatMixerPlay(int channel, PlatWave wave, int loops, const PlatMixerPlayParams* params) {
    std::lock_guard<std::mutex> hold(mixerLock);
    MixChannel* c = ChannelOf(channel);
    const int index = WaveIndexOf(wave);
    if (!c || !c->open || index < 0)
        return 0;
    const int frames = waves[index].image.frames;
    PlatMixerPlayParams p = {};
    if (params)
        p = *params;
    // Zero means "the wave's own": end and loop end at its end.
    const int end = p.end > 0 ? Clamp(p.end, 1, frames) : frames;
    const int loopEnd = p.loopEnd > 0 ? Clamp(p.loopEnd, 1, end) : end;
    const int loopStart = Clamp(p.loopStart, 0, loopEnd - 1);
    const int start = Clamp(p.start, 0, end - 1);

    StopSound(c);
    c->queued = 1;
    c->wave = wave;
    c->waveIndex = index;
    c->pos = (uint64_t)start << 32;
    c->loopStart = (uint64_t)loopStart << 32;
    c->loopEnd = (uint64_t)loopEnd << 32;
    c->end = (uint64_t)end << 32;
    c->loops = loops < 0 ? -1 : loops;
    c->callback = p.callback;
    c->user = p.user;
    c->eventPending = 1;
    c->eventIndex = eventCount;
    eventLog[eventCount % PLAT_MIXER_EVENT_LOG] = {framesMixed, channel, waves[index].tag, c->loops, c->volume,
                                                   c->frequency};
    eventCount++;
    return 1;
}

void PlatMixerFlush(int channel) {
    std::lock_guard<std::mutex> hold(mixerLock);
    ForChannels(channel, [](MixChannel* c) { StopSound(c); });
}

void PlatMixerPause(int channel) {
    std::lock_guard<std::mutex> hold(mixerLock);
    ForChannels(channel, [](MixChannel* c) {
        if (c->queued)
            c->paused = 1;
    });
}

void PlatMixerRestart(int channel) {
    std::lock_guard<std::mutex> hold(mixerLock);
    ForChannels(channel, [](MixChannel* c) { c->paused = 0; });
}

void PlatMixerSetVolume(int channel, int volume) {
    std::lock_guard<std::mutex> hold(mixerLock);
    volume = Clamp(volume, 0, PLAT_MIXER_MAX_VOLUME);
    ForChannels(channel, [volume](MixChannel* c) { c->volume = volume; });
}

int PlatMixerGetVolume(int channel) {
    std::lock_guard<std::mutex> hold(mixerLock);
    const MixChannel* c = ChannelOf(channel);
    return c ? c->volume : -1;
}

void PlatMixerSetFrequency(int channel, int rate) {
    std::lock_guard<std::mutex> hold(mixerLock);
    rate = Clamp(rate, PLAT_MIXER_MIN_FREQUENCY, PLAT_MIXER_MAX_FREQUENCY);
    ForChannels(channel, [rate](MixChannel* c) { c->frequency = rate; });
}

int PlatMixerGetFrequency(int channel) {
    std::lock_guard<std::mutex> hold(mixerLock);
    const MixChannel* c = ChannelOf(channel);
    return c ? c->frequency : -1;
}

void PlatMixerSetPolar(int channel, const PlatMixerPolar* polar) {
    if (!polar)
        return;
    const float azimuth = polar->azimuth;
    std::lock_guard<std::mutex> hold(mixerLock);
    ForChannels(channel, [azimuth](MixChannel* c) { SetPan(c, azimuth); });
}

int PlatMixerStatus(int channel) {
    std::lock_guard<std::mutex> hold(mixerLock);
    const MixChannel* c = ChannelOf(channel);
    if (!c || !c->open)
        return 0;
    int status = PLAT_MIX_OPEN;
    if (c->queued)
        status |= PLAT_MIX_QUEUED | (c->paused ? PLAT_MIX_PAUSED : PLAT_MIX_PLAYING);
    return status;
}

int PlatMixerIsDone(int channel) { return (PlatMixerStatus(channel) & PLAT_MIX_QUEUED) == 0; }

int PlatMixerPlayPosition(int channel, PlatWave* wave, int* position) {
    std::lock_guard<std::mutex> hold(mixerLock);
    const MixChannel* c = ChannelOf(channel);
    const int queued = c && c->open && c->queued;
    if (wave)
        *wave = queued ? c->wave : 0;
    if (position)
        *position = queued ? (int)(c->pos >> 32) : 0;
    return queued;
}

// ---------------------------------------------------------------------------
// The mix

// Playback step in 32.32 frames of the wave per output frame.
static uint64_t StepOf(const MixChannel* c, int waveRate) {
    const double speed = ((double)waveRate / (double)PLAT_MIXER_RATE) * ((double)c->frequency / (double)PLAT_MIXER_RATE);
    const uint64_t step = (uint64_t)std::llround(speed * 4294967296.0);
    return step ? step : 1;
}

// Adds `count` frames of the channel's wave into out[], from pos, with
// linear interpolation between frames.
static void MixSpan(const MixerWaveImage& w, uint64_t pos, uint64_t step, int count, float gainLeft,
                    float gainRight, float* out) {
    const float fracScale = 1.0f / 4294967296.0f;
    const int16_t* s = w.samples;
    if (w.channels == 1) {
        for (int i = 0; i < count; i++) {
            const uint64_t idx = pos >> 32;
            const float f = (float)(uint32_t)pos * fracScale;
            const float a = s[idx];
            const float v = a + ((float)s[idx + 1] - a) * f;
            out[2 * i] += v * gainLeft;
            out[2 * i + 1] += v * gainRight;
            pos += step;
        }
        return;
    }
    for (int i = 0; i < count; i++) {
        const uint64_t idx = (pos >> 32) * 2;
        const float f = (float)(uint32_t)pos * fracScale;
        const float l = s[idx], r = s[idx + 1];
        out[2 * i] += (l + ((float)s[idx + 2] - l) * f) * gainLeft;
        out[2 * i + 1] += (r + ((float)s[idx + 3] - r) * f) * gainRight;
        pos += step;
    }
}

// Moves pos back into the loop after it passed `from` (loop end or end).
static void WrapIntoLoop(MixChannel* c, uint64_t from) {
    const uint64_t length = c->loopEnd - c->loopStart;
    c->pos = c->loopStart + (c->pos - from) % length;
    if (c->loops > 0)
        c->loops--;
}

// Mixes `frames` frames of one channel into out[]; records the callback of
// a sound that ends.
static void MixChannelInto(int ch, float* out, int frames, DoneCall* done, int* doneCount) {
    MixChannel* c = &channels[ch];
    const MixerWaveImage& w = waves[c->waveIndex].image;
    const uint64_t step = StepOf(c, w.rate);
    float gainLeft = (float)c->volume / (float)PLAT_MIXER_MAX_VOLUME;
    float gainRight = gainLeft;
    if (w.channels == 1) {
        gainLeft *= c->panLeft;
        gainRight *= c->panRight;
    } else {
        // A stereo wave keeps its full level in the centre.
        gainLeft *= std::fmin(1.0f, c->panLeft * std::numbers::sqrt2_v<float>);
        gainRight *= std::fmin(1.0f, c->panRight * std::numbers::sqrt2_v<float>);
    }
    const int audible = gainLeft > 0.0f || gainRight > 0.0f;

    int doneFrames = 0;
    while (doneFrames < frames) {
        if (c->pos >= c->end) {
            if (c->loops != 0) {
                WrapIntoLoop(c, c->end);
                continue;
            }
            done[(*doneCount)++] = {c->callback, ch, c->wave, c->user};
            StopSound(c);
            return;
        }
        const uint64_t limit = c->pos < c->loopEnd ? c->loopEnd : c->end;
        uint64_t span = (limit - c->pos + step - 1) / step;
        if (span > (uint64_t)(frames - doneFrames))
            span = (uint64_t)(frames - doneFrames);
        if (audible)
            MixSpan(w, c->pos, step, (int)span, gainLeft, gainRight, out + 2 * doneFrames);
        c->pos += span * step;
        doneFrames += (int)span;
        if (c->pos >= c->loopEnd && limit == c->loopEnd && c->loopEnd < c->end && c->loops != 0)
            WrapIntoLoop(c, c->loopEnd);
    }
}

// Mixed floats to samples, clamped and rounded, written so the compiler can
// convert many at once.
static void ToSamples(const float* in, int16_t* out, int count) {
    for (int i = 0; i < count; i++) {
        float v = in[i];
        v = v < -32768.0f ? -32768.0f : v > 32767.0f ? 32767.0f : v;
        out[i] = (int16_t)(int)(v + (v >= 0.0f ? 0.5f : -0.5f));
    }
}

// Writes `count` frames into a tap's ring (zeros when `stereo` is null), in
// at most two runs around its end.
static void TapWrite(int tap, const int16_t* stereo, int count) {
    int16_t* ring = tapRing + (size_t)tap * 2 * PLAT_MIXER_TAP_FRAMES;
    int at = (int)(tapFrames % PLAT_MIXER_TAP_FRAMES);
    while (count > 0) {
        const int run = count < PLAT_MIXER_TAP_FRAMES - at ? count : PLAT_MIXER_TAP_FRAMES - at;
        if (stereo) {
            memcpy(ring + 2 * at, stereo, sizeof(int16_t) * 2 * (size_t)run);
            stereo += 2 * run;
        } else {
            memset(ring + 2 * at, 0, sizeof(int16_t) * 2 * (size_t)run);
        }
        count -= run;
        at = 0;
    }
}

// Hands one block of a tap to the taps and the sink; `used`: something
// sounded on it (a silent channel's tap gets zeros without a conversion).
static void Observe(int tap, const float* block, int count, int used) {
    if (!used) {
        if (tapRing)
            TapWrite(tap, nullptr, count);
        return;
    }
    ToSamples(block, blockSamples, 2 * count);
    if (tapRing)
        TapWrite(tap, blockSamples, count);
    if (sinkSet && sink.frames)
        sink.frames(sink.user, tap, sinkFrames, blockSamples, count);
}

// Mixes into out[] with mixerLock held; the ended sounds go to done[].
static void RenderLocked(int16_t* out, int frames, DoneCall* done, int* doneCount) {
    const int observed = tapRing || sinkSet;
    while (frames > 0) {
        const int block = frames < MIX_BLOCK ? frames : MIX_BLOCK;
        memset(mixBuffer, 0, sizeof(float) * 2 * (size_t)block);
        const int live = sessionOpen && sessionActive;
        for (int ch = 0; live && ch < channelCount; ch++) {
            MixChannel& c = channels[ch];
            const int playing = c.open && c.queued && !c.paused;
            if (playing && c.eventPending)
                LogPlay(ch, &c);
            if (!observed) {
                if (playing)
                    MixChannelInto(ch, mixBuffer, block, done, doneCount);
                continue;
            }
            if (playing) {
                memset(channelBuffer, 0, sizeof(float) * 2 * (size_t)block);
                MixChannelInto(ch, channelBuffer, block, done, doneCount);
                for (int i = 0; i < 2 * block; i++)
                    mixBuffer[i] += channelBuffer[i];
            }
            Observe(ch, channelBuffer, block, playing);
        }
        if (live)
            Mixer3DRenderLocked(mixBuffer, block);
        if (observed)
            Observe(PLAT_MIXER_TAP_MIX, mixBuffer, block, 1);
        ToSamples(mixBuffer, out, 2 * block);
        if (tapRing)
            tapFrames += (uint64_t)block;
        framesMixed += (uint64_t)block;
        sinkFrames += (uint64_t)block;
        out += 2 * block;
        frames -= block;
    }
}

static void RenderAndNotify(int16_t* out, int frames) {
    // A sound ends at most once per channel in one render.
    DoneCall done[PLAT_MIXER_MAX_CHANNELS];
    int doneCount = 0;
    {
        std::lock_guard<std::mutex> hold(mixerLock);
        RenderLocked(out, frames, done, &doneCount);
    }
    // Outside the lock: a callback may call the mixer.
    for (int i = 0; i < doneCount; i++) {
        if (done[i].callback)
            done[i].callback(done[i].channel, done[i].wave, done[i].user);
    }
}

void MixerRenderOutput(int16_t* out, int frames) { RenderAndNotify(out, frames); }

// The manual clock's time: the manual backend renders it, into nowhere but
// the taps and the sink.
void MixerClockAdvance(uint32_t ms) {
    int frames;
    {
        std::lock_guard<std::mutex> hold(mixerLock);
        const int rendering = sessionOpen && backendInUse == PLAT_MIXER_MANUAL;
        if ((!rendering && !sinkSet) || ms == 0)
            return;
        const uint64_t thousandths = (uint64_t)ms * PLAT_MIXER_RATE + clockCarry;
        frames = (int)(thousandths / 1000);
        clockCarry = (uint32_t)(thousandths % 1000);
        // Without a session the sink's files still keep time, in silence,
        // so their frames line up with the clock from the moment they open.
        if (!rendering) {
            sinkFrames += (uint64_t)frames;
            return;
        }
    }
    static int16_t scratch[2 * 4096];
    while (frames > 0) {
        const int n = frames < 4096 ? frames : 4096;
        PlatMixerRender(scratch, n);
        frames -= n;
    }
}

int PlatMixerRender(int16_t* out, int frames) {
    if (!out || frames <= 0)
        return 0;
    {
        std::lock_guard<std::mutex> hold(mixerLock);
        if (!sessionOpen || backendInUse != PLAT_MIXER_MANUAL)
            return 0;
    }
    RenderAndNotify(out, frames);
    return frames;
}

// ---------------------------------------------------------------------------
// Tags, the play log and the taps

void PlatMixerSetWaveTag(PlatWave wave, int tag) {
    std::lock_guard<std::mutex> hold(mixerLock);
    const int index = WaveIndexOf(wave);
    if (index >= 0)
        waves[index].tag = tag;
}

int PlatMixerEventCount() {
    std::lock_guard<std::mutex> hold(mixerLock);
    return eventCount;
}

int PlatMixerEventAt(int index, PlatMixerPlayEvent* event) {
    std::lock_guard<std::mutex> hold(mixerLock);
    if (!event || index < 0 || index >= eventCount || eventCount - index > PLAT_MIXER_EVENT_LOG)
        return 0;
    *event = eventLog[index % PLAT_MIXER_EVENT_LOG];
    return 1;
}

void PlatMixerTapsOn(int on) {
    std::lock_guard<std::mutex> hold(mixerLock);
    free(tapRing);
    tapRing = nullptr;
    tapFrames = 0;
    if (on)
        tapRing = (int16_t*)calloc((size_t)PLAT_MIXER_TAPS * 2 * PLAT_MIXER_TAP_FRAMES, sizeof(int16_t));
}

int PlatMixerTapRead(int tap, int16_t* out, int frames) {
    std::lock_guard<std::mutex> hold(mixerLock);
    if (!tapRing || !out || tap < 0 || tap >= PLAT_MIXER_TAPS || frames <= 0)
        return 0;
    uint64_t kept = tapFrames < PLAT_MIXER_TAP_FRAMES ? tapFrames : (uint64_t)PLAT_MIXER_TAP_FRAMES;
    if ((uint64_t)frames > kept)
        frames = (int)kept;
    const int16_t* ring = tapRing + (size_t)tap * 2 * PLAT_MIXER_TAP_FRAMES;
    const uint64_t first = tapFrames - (uint64_t)frames;
    for (int i = 0; i < frames; i++) {
        const size_t at = (size_t)((first + (uint64_t)i) % PLAT_MIXER_TAP_FRAMES) * 2;
        out[2 * i] = ring[at];
        out[2 * i + 1] = ring[at + 1];
    }
    return frames;
}

void MixerSetSink(const MixerSink* newSink) {
    std::lock_guard<std::mutex> hold(mixerLock);
    sinkSet = newSink != nullptr;
    sink = newSink ? *newSink : MixerSink{};
    sinkFrames = 0;
}

std::mutex& MixerLock() { return mixerLock; }
int MixerSessionOpenLocked() { return sessionOpen; }
