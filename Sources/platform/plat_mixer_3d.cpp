// The 3D buffers of the mixer: PCM buffers placed around one listener and
// mixed into the session's output, quieter with distance and panned by their
// direction.  They share the mixer's lock and its output.

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <numbers>

#include "platform/plat_mixer.h"
#include "platform/plat_mixer_internal.h"

namespace {

enum { INDEX_BITS = 9 };
static_assert(PLAT_BUFFER3D_MAX < (1 << INDEX_BITS), "buffer index must fit the handle");

struct Buffer3D {
    uint32_t generation;
    uint8_t* pcm;          // malloc'd; null while the entry is free
    int bytes;
    int channels;          // 1 or 2
    int bits;              // 8 or 16
    int frames;
    int rate;              // playback rate, Hz
    int volume;            // hundredths of a decibel
    float x, y, z;
    int playing;
    int loop;
    uint64_t pos;          // 32.32 frames
};

Buffer3D buffers[PLAT_BUFFER3D_MAX];
PlatListener3D listener = {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 1.0f};

}  // namespace

static PlatBuffer3D HandleOf(int index) {
    return (buffers[index].generation << INDEX_BITS) | (uint32_t)(index + 1);
}

// The entry of a live handle, or null (lock held).
static Buffer3D* BufferOf(PlatBuffer3D handle) {
    const int index = (int)(handle & ((1u << INDEX_BITS) - 1)) - 1;
    if (index < 0 || index >= PLAT_BUFFER3D_MAX || !buffers[index].pcm || HandleOf(index) != handle)
        return nullptr;
    return &buffers[index];
}

static void FreeEntry(Buffer3D* b) {
    free(b->pcm);
    const uint32_t generation = b->generation;
    *b = {};
    b->generation = (generation + 1) & ((1u << (32 - INDEX_BITS)) - 1);
}

PlatBuffer3D PlatBuffer3DCreate(int channels, int rate, int bits, int bytes) {
    enum { MAX_BYTES = 64 << 20 };
    if ((channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate < 100 || rate > 192000)
        return 0;
    const int align = channels * bits / 8;
    if (bytes < align || bytes > MAX_BYTES)
        return 0;
    std::lock_guard<std::mutex> hold(MixerLock());
    if (!MixerSessionOpenLocked())
        return 0;
    for (int i = 0; i < PLAT_BUFFER3D_MAX; i++) {
        Buffer3D& b = buffers[i];
        if (b.pcm)
            continue;
        b.pcm = (uint8_t*)malloc((size_t)bytes);
        if (!b.pcm)
            return 0;
        // Silence: 8-bit PCM is unsigned around 128.
        memset(b.pcm, bits == 8 ? 128 : 0, (size_t)bytes);
        b.bytes = bytes;
        b.channels = channels;
        b.bits = bits;
        b.frames = bytes / align;
        b.rate = rate;
        b.volume = 0;
        b.x = b.y = b.z = 0.0f;
        b.playing = 0;
        b.loop = 0;
        b.pos = 0;
        b.generation = (b.generation + 1) & ((1u << (32 - INDEX_BITS)) - 1);
        if (b.generation == 0)
            b.generation = 1;
        return HandleOf(i);
    }
    return 0;
}

int PlatBuffer3DWrite(PlatBuffer3D handle, int offset, const void* data, int bytes) {
    std::lock_guard<std::mutex> hold(MixerLock());
    Buffer3D* b = BufferOf(handle);
    if (!b || !data || offset < 0 || bytes <= 0 || offset >= b->bytes)
        return 0;
    if (bytes > b->bytes - offset)
        bytes = b->bytes - offset;
    memcpy(b->pcm + offset, data, (size_t)bytes);
    return bytes;
}

int PlatBuffer3DBytes(PlatBuffer3D handle) {
    std::lock_guard<std::mutex> hold(MixerLock());
    const Buffer3D* b = BufferOf(handle);
    return b ? b->bytes : 0;
}

void PlatBuffer3DRelease(PlatBuffer3D handle) {
    std::lock_guard<std::mutex> hold(MixerLock());
    if (Buffer3D* b = BufferOf(handle))
        FreeEntry(b);
}

int PlatBuffer3DPlay(PlatBuffer3D handle, int loop) {
    std::lock_guard<std::mutex> hold(MixerLock());
    Buffer3D* b = BufferOf(handle);
    if (!b)
        return 0;
    b->pos = 0;
    b->loop = loop != 0;
    b->playing = 1;
    return 1;
}

void PlatBuffer3DStop(PlatBuffer3D handle) {
    std::lock_guard<std::mutex> hold(MixerLock());
    if (Buffer3D* b = BufferOf(handle))
        b->playing = 0;
}

int PlatBuffer3DIsPlaying(PlatBuffer3D handle) {
    std::lock_guard<std::mutex> hold(MixerLock());
    const Buffer3D* b = BufferOf(handle);
    return b ? b->playing : 0;
}

void PlatBuffer3DSetVolume(PlatBuffer3D handle, int hundredthsDb) {
    std::lock_guard<std::mutex> hold(MixerLock());
    if (Buffer3D* b = BufferOf(handle))
        b->volume = hundredthsDb < PLAT_VOLUME3D_MIN ? PLAT_VOLUME3D_MIN : hundredthsDb > 0 ? 0 : hundredthsDb;
}

int PlatBuffer3DGetVolume(PlatBuffer3D handle) {
    std::lock_guard<std::mutex> hold(MixerLock());
    const Buffer3D* b = BufferOf(handle);
    return b ? b->volume : PLAT_VOLUME3D_MIN;
}

void PlatBuffer3DSetRate(PlatBuffer3D handle, int rate) {
    std::lock_guard<std::mutex> hold(MixerLock());
    if (Buffer3D* b = BufferOf(handle))
        b->rate = rate < PLAT_MIXER_MIN_FREQUENCY ? PLAT_MIXER_MIN_FREQUENCY
                  : rate > PLAT_MIXER_MAX_FREQUENCY ? PLAT_MIXER_MAX_FREQUENCY
                                                    : rate;
}

void PlatBuffer3DSetPosition(PlatBuffer3D handle, float x, float y, float z) {
    std::lock_guard<std::mutex> hold(MixerLock());
    Buffer3D* b = BufferOf(handle);
    if (!b || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z))
        return;
    b->x = x;
    b->y = y;
    b->z = z;
}

void PlatListener3DSet(const PlatListener3D* l) {
    if (!l)
        return;
    for (int i = 0; i < 3; i++) {
        if (!std::isfinite(l->position[i]) || !std::isfinite(l->front[i]) || !std::isfinite(l->top[i]))
            return;
    }
    if (!std::isfinite(l->rolloff) || l->rolloff < 0.0f || !std::isfinite(l->doppler))
        return;
    std::lock_guard<std::mutex> hold(MixerLock());
    listener = *l;
}

void PlatListener3DGet(PlatListener3D* l) {
    if (!l)
        return;
    std::lock_guard<std::mutex> hold(MixerLock());
    *l = listener;
}

// ---------------------------------------------------------------------------
// The mix (lock held)

void Mixer3DResetLocked() {
    for (Buffer3D& b : buffers) {
        if (b.pcm)
            FreeEntry(&b);
    }
    listener = {{0, 0, 0}, {0, 0, 1}, {0, 1, 0}, 1.0f, 1.0f};
}

// Left and right gains of a buffer: its volume, the roll-off with distance,
// and an equal-power pan by the side of the listener it lies on.
static void Gains(const Buffer3D& b, float* left, float* right) {
    const double amplitude = std::pow(10.0, (double)b.volume / 2000.0);
    const double dx = b.x - listener.position[0], dy = b.y - listener.position[1], dz = b.z - listener.position[2];
    const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double rolloff = d > 1.0 ? 1.0 / (1.0 + listener.rolloff * (d - 1.0)) : 1.0;
    // The listener's right: top x front.
    const float* f = listener.front;
    const float* t = listener.top;
    double rx = t[1] * f[2] - t[2] * f[1], ry = t[2] * f[0] - t[0] * f[2], rz = t[0] * f[1] - t[1] * f[0];
    const double rl = std::sqrt(rx * rx + ry * ry + rz * rz);
    double pan = 0.0;
    if (d > 0.0 && rl > 0.0)
        pan = (dx * rx + dy * ry + dz * rz) / (d * rl);
    pan = pan < -1.0 ? -1.0 : pan > 1.0 ? 1.0 : pan;
    const double angle = (pan + 1.0) * (std::numbers::pi / 4.0);
    const double g = amplitude * rolloff;
    *left = (float)(g * std::cos(angle));
    *right = (float)(g * std::sin(angle));
}

static float SampleAt(const Buffer3D& b, int frame, int channel) {
    const int index = frame * b.channels + channel;
    if (b.bits == 8)
        return (float)((int)b.pcm[index] - 128) * 256.0f;
    const uint8_t* p = b.pcm + 2 * index;
    return (float)(int16_t)(uint16_t)(p[0] | p[1] << 8);
}

void Mixer3DRenderLocked(float* out, int frames) {
    for (Buffer3D& b : buffers) {
        if (!b.pcm || !b.playing || b.frames <= 0)
            continue;
        float left, right;
        Gains(b, &left, &right);
        if (b.channels == 2) {
            left = std::fmin(1.0f, left * std::numbers::sqrt2_v<float>);
            right = std::fmin(1.0f, right * std::numbers::sqrt2_v<float>);
        }
        const uint64_t step = (uint64_t)std::llround((double)b.rate / (double)PLAT_MIXER_RATE * 4294967296.0);
        const uint64_t end = (uint64_t)b.frames << 32;
        for (int i = 0; i < frames; i++) {
            if (b.pos >= end) {
                if (!b.loop) {
                    b.playing = 0;
                    b.pos = 0;
                    break;
                }
                b.pos %= end;
            }
            const int frame = (int)(b.pos >> 32);
            const float l = SampleAt(b, frame, 0);
            const float r = b.channels == 2 ? SampleAt(b, frame, 1) : l;
            out[2 * i] += l * left;
            out[2 * i + 1] += r * right;
            b.pos += step ? step : 1;
        }
    }
}
