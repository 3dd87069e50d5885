// libFuzzer target: any bytes as CONFIG\visual.cfg.
//
// The file is read through the game's reader (whole files of up to 49 bytes
// reach the taker, so a file one byte long is seen as such), then the
// display variables are set from it.  Only a 48-byte file may change the
// settings, and after it every byte something reads must lie in its range.
// Built and run by scripts/fuzz.sh (clang, ASan + UBSan).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "frontend/visual_settings.h"

// The file reader of the game, over the fuzzer's bytes.
int LastFileSize;
int RaceWon;   // the race's win latch, which the career reads
static const uint8_t* fileData;
static size_t fileSize;

int ReadWholeFile(const char*, void* buffer, int capacity) {
    LastFileSize = (int)fileSize;
    if (fileSize == 0 || fileSize > (size_t)capacity)
        return 0;
    memcpy(buffer, fileData, fileSize);
    return 1;
}
int WriteWholeFile(const char*, int, const void*) { return 1; }

namespace {

struct Range {
    int byte, low, high;
};
const Range kRanges[] = {{0, 0, 2}, {1, 0, 1}, {2, 0, 1}, {3, 0, 1}, {4, 0, 1}, {5, 1, 2},
                         {6, 0, 5}, {7, 0, 5}, {9, 0, 1}, {11, 1, 3}, {12, 1, 3}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fileData = data;
    fileSize = size;
    memset(VisualSettings, 0x55, sizeof VisualSettings);
    const int taken = ReadVisualSettings();
    if (taken != (size == VISUAL_FILE_BYTES))
        abort();
    if (!taken) {
        for (unsigned char b : VisualSettings) {
            if (b != 0x55)
                abort();   // a refused file changed the settings
        }
        return 0;
    }
    for (const Range& r : kRanges) {
        const int v = (signed char)VisualSettings[r.byte];
        if (v < r.low || v > r.high)
            abort();
    }
    ApplyDisplayVariables();
    if (VisualOptions[5] < 1 || VisualOptions[5] > 2 || EffectsEnabled < 0 || EffectsEnabled > 1)
        abort();
    return 0;
}
