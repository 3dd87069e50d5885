// libFuzzer target: the video glue on arbitrary bytes from memory.
//
// Whatever the bytes hold, opening either refuses them or gives a video of
// a size inside the limits; up to 30 pictures are then decoded and each is
// converted over a 16-bit and a 32-bit buffer, and the sound is decoded into
// a wave image whose header must describe exactly the bytes returned.
// Built and run by scripts/fuzz.sh (clang, ASan + UBSan).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/plat_surface.h"
#include "platform/plat_video.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20))
        return 0;
    // A copy of exactly the input's size, so reading past it is caught.
    std::vector<uint8_t> bytes(data, data + size);
    PlatVideo* video = nullptr;
    if (PlatVideoOpenMemory(bytes.data(), bytes.size(), &video) != PLAT_VIDEO_OK) {
        if (video)
            abort();
        return 0;
    }
    int width = 0, height = 0;
    PlatVideoSize(video, &width, &height);
    if (width < 1 || height < 1 || width > PLAT_VIDEO_MAX_WIDTH || height > PLAT_VIDEO_MAX_HEIGHT)
        abort();

    static std::vector<uint8_t> small(160 * 120 * 2), large(320 * 240 * 4);
    for (int i = 0; i < 30 && PlatVideoNextPicture(video) == 1; i++) {
        if (PlatVideoConvert(video, small.data(), 160 * 2, 160, 120, PLAT_PF_RGB565) != PLAT_VIDEO_OK ||
            PlatVideoConvert(video, large.data(), 320 * 4, 320, 240, PLAT_PF_XRGB8888) != PLAT_VIDEO_OK)
            break;
    }

    void* wav = nullptr;
    int wavBytes = 0;
    const int frames = PlatVideoDecodeSound(video, &wav, &wavBytes);
    if ((frames > 0) != (wav != nullptr) || frames > PLAT_VIDEO_SOUND_RATE * PLAT_VIDEO_MAX_SOUND_SECONDS)
        abort();
    if (wav) {
        uint32_t dataBytes;
        memcpy(&dataBytes, (const uint8_t*)wav + 40, 4);
        if (wavBytes != 44 + frames * 4 || dataBytes != (uint32_t)frames * 4)
            abort();
        free(wav);
    }
    PlatVideoClose(video);
    return 0;
}
