// libFuzzer target of the 3D wave player's reader: any bytes as a WAV file
// loaded into a 3D buffer, which is then played and mixed.  A refused file
// leaves no buffer; an accepted one holds no more than the file had.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/plat_mixer.h"
#include "platform/plat_mixer_internal.h"
#include "wave/wave_player.h"

// The neighbours this target stands in for: a session that is open, and
// plain host paths.
std::mutex& MixerLock() {
    static std::mutex lock;
    return lock;
}
int MixerSessionOpenLocked() { return 1; }
int PlatMixerIsOpen() { return 1; }
FILE* PlatFopen(const char* path, const char* mode) { return fopen(path, mode); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static char path[64];
    if (!path[0])
        snprintf(path, sizeof path, "/tmp/fuzz_wave_file.%d.wav", (int)getpid());
    FILE* f = fopen(path, "wb");
    if (!f)
        return 0;
    fwrite(data, 1, size, f);
    fclose(f);

    static int started;
    if (!started)
        started = InitDirectSound3D(1);
    const int loaded = LoadWaveFile(path, 5);
    if (loaded) {
        if (PlatBuffer3DBytes(WaveBuffers[5]) <= 0 || (size_t)PlatBuffer3DBytes(WaveBuffers[5]) > size - 44)
            abort();
        PlatBuffer3DPlay(WaveBuffers[5], 1);
        PlatBuffer3DSetRate(WaveBuffers[5], 8000 + (int)(size % 60000));
        PlatBuffer3DSetPosition(WaveBuffers[5], 3.0f, 0.0f, 1.0f);
        float out[2 * 256] = {};
        std::lock_guard<std::mutex> hold(MixerLock());
        Mixer3DRenderLocked(out, 256);
    }
    ReleaseWaveBuffers();
    remove(path);
    return 0;
}
