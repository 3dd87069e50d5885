// libFuzzer target of the mixer's WAV parser: any bytes as a wave image (a
// sound bank's wave from the archives, or the music opened from the plain
// Music folder).  An accepted image must describe samples it really holds:
// every sample and the guard frame are read back.

#include <cstdint>
#include <cstdlib>

#include "platform/plat_mixer_internal.h"

// The WAV-file sink in the same file mixes through the mixer, which this
// target does not build.
void MixerRenderOutput(int16_t* out, int frames) {
    for (int i = 0; i < 2 * frames; i++)
        out[i] = 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20))
        return 0;
    MixerWaveImage image;
    if (!MixerParseWave(data, (int)size, &image))
        return 0;
    if (image.frames <= 0 || (image.channels != 1 && image.channels != 2) || image.rate <= 0 || !image.samples)
        abort();
    // The guard frame copies the last one.
    const size_t count = ((size_t)image.frames + 1) * (size_t)image.channels;
    int64_t sum = 0;
    for (size_t i = 0; i < count; i++)
        sum += image.samples[i];
    for (int ch = 0; ch < image.channels; ch++) {
        if (image.samples[count - (size_t)image.channels + (size_t)ch] !=
            image.samples[count - 2 * (size_t)image.channels + (size_t)ch])
            abort();
    }
    free(image.samples);
    return sum == INT64_MIN;
}
