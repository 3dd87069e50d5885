// RIFF WAV files: the parser of the waves the mixer opens, and the WAV-file
// sink that records what the mixer plays.

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/plat_mixer.h"
#include "platform/plat_mixer_internal.h"

static uint32_t ReadU32(const uint8_t* p) {
    return (uint32_t)p[0] | (uint32_t)p[1] << 8 | (uint32_t)p[2] << 16 | (uint32_t)p[3] << 24;
}
static uint16_t ReadU16(const uint8_t* p) { return (uint16_t)(p[0] | p[1] << 8); }

// The wave image is untrusted: every chunk must lie inside the RIFF body,
// and only PCM of 8 or 16 bits, mono or stereo, is accepted.
int MixerParseWave(const void* data, int size, MixerWaveImage* image) {
    enum { MIN_RATE = 1000, MAX_RATE = 192000 };
    *image = {};
    const uint8_t* bytes = (const uint8_t*)data;
    if (!bytes || size < 12 || memcmp(bytes, "RIFF", 4) != 0 || memcmp(bytes + 8, "WAVE", 4) != 0)
        return 0;
    // A RIFF size larger than the image is common in the wild: the image
    // bounds the chunks then.
    size_t limit = (size_t)size;
    const uint32_t riffSize = ReadU32(bytes + 4);
    if ((uint64_t)riffSize + 8 < limit)
        limit = (size_t)riffSize + 8;

    const uint8_t* format = nullptr;
    const uint8_t* samples = nullptr;
    uint32_t dataSize = 0;
    size_t offset = 12;
    while (offset + 8 <= limit) {
        const uint8_t* chunk = bytes + offset;
        const uint32_t chunkSize = ReadU32(chunk + 4);
        const size_t body = offset + 8;
        if (chunkSize > limit - body)
            return 0;
        if (memcmp(chunk, "fmt ", 4) == 0 && !format) {
            if (chunkSize < 16)
                return 0;
            format = chunk + 8;
        } else if (memcmp(chunk, "data", 4) == 0 && !samples) {
            samples = chunk + 8;
            dataSize = chunkSize;
        }
        offset = body + chunkSize + (chunkSize & 1);
    }
    if (!format || !samples)
        return 0;

    const int tag = ReadU16(format);
    const int channels = ReadU16(format + 2);
    const uint32_t rate = ReadU32(format + 4);
    const int align = ReadU16(format + 12);
    const int bits = ReadU16(format + 14);
    if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16))
        return 0;
    if (rate < MIN_RATE || rate > MAX_RATE || align != channels * bits / 8)
        return 0;
    const uint32_t frames = dataSize / (uint32_t)align;
    if (frames == 0)
        return 0;

    // One guard frame after the last, for the interpolation.
    const size_t count = ((size_t)frames + 1) * (size_t)channels;
    int16_t* out = (int16_t*)malloc(count * sizeof(int16_t));
    if (!out)
        return 0;
    const size_t used = (size_t)frames * (size_t)channels;
    for (size_t i = 0; i < used; i++) {
        if (bits == 8)
            out[i] = (int16_t)((samples[i] - 128) * 256);
        else
            out[i] = (int16_t)ReadU16(samples + 2 * i);
    }
    for (int ch = 0; ch < channels; ch++)
        out[used + (size_t)ch] = out[used - (size_t)channels + (size_t)ch];

    image->samples = out;
    image->frames = (int)frames;
    image->channels = channels;
    image->rate = (int)rate;
    return 1;
}

// ---------------------------------------------------------------------------
// The WAV-file sink: a thread that mixes one block every 20 ms of real time
// and appends it to the file; the header gets its sizes when it closes.

namespace {
std::thread sinkThread;
std::mutex sinkMutex;
std::condition_variable sinkWake;
bool sinkStopping;
FILE* sinkFile;
uint32_t sinkBytes;
int sinkRate;
}  // namespace

void MixerWriteWavHeader(FILE* file, int rate, uint32_t dataBytes) {
    uint8_t h[44];
    auto put32 = [&h](int at, uint32_t v) {
        for (int i = 0; i < 4; i++)
            h[at + i] = (uint8_t)(v >> (8 * i));
    };
    auto put16 = [&h](int at, uint16_t v) {
        h[at] = (uint8_t)v;
        h[at + 1] = (uint8_t)(v >> 8);
    };
    memcpy(h, "RIFF", 4);
    put32(4, 36 + dataBytes);
    memcpy(h + 8, "WAVEfmt ", 8);
    put32(16, 16);
    put16(20, 1);
    put16(22, 2);
    put32(24, (uint32_t)rate);
    put32(28, (uint32_t)rate * 4);
    put16(32, 4);
    put16(34, 16);
    memcpy(h + 36, "data", 4);
    put32(40, dataBytes);
    fseek(file, 0, SEEK_SET);
    fwrite(h, 1, sizeof h, file);
    fseek(file, 0, SEEK_END);
}

static void SinkThreadMain() {
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::milliseconds(20);
    const int frames = sinkRate / 50;
    int16_t block[2 * PLAT_MIXER_RATE / 50 + 2];
    auto deadline = Clock::now() + period;
    std::unique_lock<std::mutex> lock(sinkMutex);
    for (;;) {
        if (sinkWake.wait_until(lock, deadline, [] { return sinkStopping; }))
            break;
        lock.unlock();
        MixerRenderOutput(block, frames);
        const size_t wrote = fwrite(block, 4, (size_t)frames, sinkFile);
        lock.lock();
        sinkBytes += (uint32_t)wrote * 4;
        deadline += period;
        if (deadline <= Clock::now())
            deadline = Clock::now() + period;
    }
}

int WavSinkOpen(const char* hostPath, int rate) {
    if (!hostPath || !*hostPath || rate != PLAT_MIXER_RATE)
        return 0;
    FILE* file = fopen(hostPath, "wb");
    if (!file)
        return 0;
    sinkFile = file;
    sinkBytes = 0;
    sinkRate = rate;
    sinkStopping = false;
    MixerWriteWavHeader(file, rate, 0);
    sinkThread = std::thread(SinkThreadMain);
    return 1;
}

void WavSinkClose() {
    {
        std::lock_guard<std::mutex> hold(sinkMutex);
        sinkStopping = true;
    }
    sinkWake.notify_all();
    if (sinkThread.joinable())
        sinkThread.join();
    if (sinkFile) {
        MixerWriteWavHeader(sinkFile, sinkRate, sinkBytes);
        fclose(sinkFile);
        sinkFile = nullptr;
    }
}
