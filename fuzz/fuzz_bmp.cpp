// libFuzzer target: the bitmap decoder on arbitrary bytes.
//
// Whatever the file holds, the decoder must refuse it or describe rows that
// lie inside it; every pixel of an accepted picture is then read.  Built
// and run by scripts/fuzz.sh (clang, ASan + UBSan).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "render/bitmaps.h"

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
    return sum == 0xFFFFFFFFu ? 1 : 0;
}
