// The sound capture: a sink on the mixer that writes each channel, the mix
// and the plays into a folder.

#include "platform/plat_sound_capture.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/plat_file.h"
#include "platform/plat_mixer.h"
#include "platform/plat_mixer_internal.h"
#include "platform/plat_timer.h"

namespace {

struct CaptureFile {
    FILE* file;
    uint64_t frames;   // stereo frames written
};

int captureOpen;
char folder[PLAT_MAX_PATH];
CaptureFile taps[PLAT_MIXER_TAPS];   // channels, then the mix
FILE* events;

}  // namespace

static void PutHeader(FILE* file, uint64_t frames) {
    const uint64_t bytes = frames * 4;
    MixerWriteWavHeader(file, PLAT_MIXER_RATE, bytes > 0xFFFFFFD0u ? 0xFFFFFFD0u : (uint32_t)bytes);
}

// Silence up to `frame`, so a file that starts late lines up with the mix.
static void PadTo(CaptureFile& f, uint64_t frame) {
    static const int16_t zeros[2 * 512] = {};
    while (f.frames < frame) {
        const uint64_t n = frame - f.frames < 512 ? frame - f.frames : 512;
        fwrite(zeros, 4, (size_t)n, f.file);
        f.frames += n;
    }
}

static void OnFrames(void*, int tap, uint64_t firstFrame, const int16_t* stereo, int count) {
    if (tap < 0 || tap >= PLAT_MIXER_TAPS)
        return;
    CaptureFile& f = taps[tap];
    if (!f.file) {
        char path[PLAT_MAX_PATH + 16];
        if (tap == PLAT_MIXER_TAP_MIX)
            snprintf(path, sizeof path, "%s/mix.wav", folder);
        else
            snprintf(path, sizeof path, "%s/ch%02d.wav", folder, tap);
        f.file = fopen(path, "w+b");
        if (!f.file)
            return;
        f.frames = 0;
        PutHeader(f.file, 0);
    }
    PadTo(f, firstFrame);
    fwrite(stereo, 4, (size_t)count, f.file);
    f.frames += (uint64_t)count;
}

static void OnPlay(void*, const PlatMixerPlayEvent* e) {
    if (events)
        fprintf(events, "%u,%d,%d,%d,%d,%d\n", PlatTimerTickCount(), e->channel, e->tag, e->loops, e->volume, e->rate);
}

int PlatSoundCaptureOpen(const char* hostDir) {
    PlatSoundCaptureClose();
    if (!hostDir || !*hostDir || strlen(hostDir) >= sizeof folder)
        return 0;
    if (mkdir(hostDir, 0755) != 0 && errno != EEXIST)
        return 0;
    snprintf(folder, sizeof folder, "%s", hostDir);
    char path[PLAT_MAX_PATH + 32];   // the folder, "/ch", any int and ".wav"
    snprintf(path, sizeof path, "%s/events.csv", folder);
    events = fopen(path, "w");
    if (!events)
        return 0;
    fprintf(events, "tick,channel,slot,loops,volume,rate\n");
    // Stale channel files of an earlier capture would not line up.
    for (int ch = 0; ch < PLAT_MIXER_MAX_CHANNELS; ch++) {
        snprintf(path, sizeof path, "%s/ch%02d.wav", folder, ch);
        remove(path);
    }
    captureOpen = 1;
    const MixerSink sink = {OnFrames, OnPlay, nullptr};
    MixerSetSink(&sink);
    return 1;
}

void PlatSoundCaptureClose() {
    if (!captureOpen)
        return;
    MixerSetSink(nullptr);
    const uint64_t length = taps[PLAT_MIXER_TAP_MIX].frames;
    for (CaptureFile& f : taps) {
        if (!f.file)
            continue;
        PadTo(f, length);
        PutHeader(f.file, f.frames);
        fclose(f.file);
        f = {};
    }
    fclose(events);
    events = nullptr;
    captureOpen = 0;
}

int PlatSoundCaptureIsOpen() { return captureOpen; }
