// libFuzzer target of CONFIG\Present.cfg: any bytes as the file, loaded as
// start-up loads it, then every track code's fly-by flown for a while.  The
// camera, car 0 and the focal scale must stay finite whatever the file
// holds, and every set's keyframe stays in 0..7.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/frontend_state.h"
#include "frontend/text_slots.h"
#include "race/presentation.h"
#include "race/race_state.h"
#include "render/render_state.h"
#include "render/text_printer.h"

namespace {

const uint8_t* fileData;
size_t fileSize;

void Check(bool ok, int line) {
    if (!ok) {
        fprintf(stderr, "fuzz_present: check of line %d failed\n", line);
        abort();
    }
}
#define CHECK(ok) Check(ok, __LINE__)

}  // namespace

// The file layer reads the fuzzer's bytes; the texts print nothing.
// The settings loader says on the console when it falls back.
void ConsoleAddLine(const char*) {}

int LastFileSize;
int ReadWholeFile(const char*, void* buffer, int capacity) {
    LastFileSize = (int)fileSize;
    if ((int)fileSize > capacity)
        return -1;
    memcpy(buffer, fileData, fileSize);
    return 1;
}
int QueryFileSize(const char*) {
    LastFileSize = (int)fileSize;
    return 1;
}
int ReadFileBytes(const char*, void* buffer, int count) {
    if (count > (int)fileSize)
        return -1;
    memcpy(buffer, fileData, (size_t)count);
    return 1;
}
char TextBufferB[TEXT_BUFFER_SIZE];
int WriteWholeFile(const char*, int, const void*) { return 1; }
int GetText(int) { return 0; }
void PrintText(int, int, const char*, int, int, PlatSurface*, int) {}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fileData = data;
    fileSize = size;
    LoadPresentationSets();

    FrontEndActive = 0;
    SceneReady = 1;
    RacePaused = 0;
    PresentationCamera = 1;
    PresentationRun = 1;
    ScreenRight = 640.0f;
    for (int code = 0; code < 80; code++) {
        TrackCode = code;
        for (int tick = 0; tick < 40; tick++) {
            UpdatePresentationCamera();
            CHECK(std::isfinite(SimPosX[0]) && std::isfinite(SimPosY[0]) && std::isfinite(SimPosZ[0]));
            CHECK(std::isfinite(ViewFocalScale) && std::isfinite(AnguloDeDeriva[0]));
        }
        const PresentationSet& set = PresentationSets[PresentationSetFor(code)];
        CHECK(set.keyframe >= 0 && set.keyframe < PRESENTATION_KEYFRAMES);
    }
    return 0;
}
