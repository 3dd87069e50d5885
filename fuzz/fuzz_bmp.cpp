// libFuzzer target: the bitmap decoder on arbitrary bytes, then the
// Direct3D texture manager on every bitmap the decoder accepts.
//
// Whatever the file holds, the decoder must refuse it or describe rows that
// lie inside it; every pixel of an accepted picture is then read.  An
// accepted picture is added as a texture container and made into a texture
// on a recording device (colour-keyed or not, with any flags, at half size
// or in powers of two).  Built and run by scripts/fuzz.sh (clang, ASan +
// UBSan) from the decoder, the texture manager and the platform's surfaces
// and device; the archives, the OpenGL backend and the display are stood in
// for below.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/plat_devices_internal.h"
#include "render/bitmaps.h"
#include "render/d3d_textures.h"

// ---------------------------------------------------------------------------
// What the texture manager and the device reach beyond the sources built in.

int TexturesLoaded;
int CurrentTextureMode;

static std::vector<uint8_t> archivedFile;

// The one archived file is the fuzzer's input.
int VfsLoadFile(const char*, unsigned char** buffer) {
    *buffer = (unsigned char*)malloc(archivedFile.size() ? archivedFile.size() : 1);
    if (!*buffer)
        return 0;
    memcpy(*buffer, archivedFile.data(), archivedFile.size());
    return (int)archivedFile.size();
}

void PlatDebugOut(const char*) {}
int PlatIsHeadless() { return 1; }
int DisplayPresent(PlatSurface*) { return DD_OK; }
int DisplayDeviceBackend(int, int, int, int*) { return PLAT_DEVICE_RECORDING; }
// Only recording devices are made here.
int GlDeviceCreate(PlatDevice*) { return DDERR_GENERIC; }
void GlDeviceRelease(PlatDevice*) {}
int GlDeviceClear(PlatDevice*, int, uint32_t, float) { return DDERR_GENERIC; }
int GlDeviceDraw(PlatDevice*, int, const PlatTLVertex*, int) { return DDERR_GENERIC; }
void GlDeviceUpload(PlatDevice*) {}
void GlDeviceReadBack(PlatDevice*) {}
uint32_t GlDeviceFramebuffer(PlatDevice*) { return 0; }
void GlDeleteTexture(PlatSurface*) {}
void GlForgetAppliedStates() {}
int GlDeviceStateChanges(const PlatDevice*) { return 0; }

static PlatDevice* RecordingDevice() {
    static PlatDevice* device;
    static PlatSurface* target;
    if (!device && PlatSurfaceCreate(64, 64, PLAT_PF_RGB565, PLAT_SURF_3DDEVICE, &target) == DD_OK)
        PlatDeviceCreateBackend(PLAT_DEVICE_RECORDING, target, nullptr, &device);
    return device;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20))
        return 0;
    // A copy of exactly the input's size, so reading past it is caught.
    std::vector<uint8_t> file(data, data + size);
    BmpImage image;
    if (!DecodeBmp(file.data(), (int)file.size(), &image))
        return 0;
    if (image.width < 1 || image.height < 1 || (image.bitCount != 8 && image.bitCount != 24))
        abort();
    uint32_t sum = 0;
    for (int y = 0; y < image.height; y++)
        for (int x = 0; x < image.width; x++)
            sum += BmpPixelRgb(image, x, y);

    // The texture manager: the input's length picks the mode, the flags
    // and the device's size rules.
    archivedFile = file;
    TexturesLoaded = 0;
    CurrentTextureMode = size & 1 ? 3 : -1;
    const int flags = (int)(size >> 1) & 7;
    TextureRules = {};
    TextureRules.powerOfTwo = (size >> 4) & 1;
    TextureRules.squareOnly = (size >> 5) & 1;
    TextureRules.maxWidth = TextureRules.maxHeight = size & 64 ? 32 : 0;
    PlatDevice* device = RecordingDevice();
    if (!device)
        abort();
    if (TextureAdd("Fuzz\\input.bmp", 1, 0, flags) != DD_OK || !TextureContainerOf(1))
        abort();   // the decoder took it, so the manager must
    if (TextureRestore(1, device) == DD_OK && !TextureOf(1))
        abort();
    TextureInvalidateAll();
    if (TextureOf(1) || !TextureContainerOf(1))
        abort();
    TextureFreeAll();
    return sum == 0xFFFFFFFFu ? 1 : 0;
}
