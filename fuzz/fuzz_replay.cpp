// libFuzzer target of replay files: any bytes as a replay file, loaded as
// the replays screen loads one, then 500 ticks of playback of every car the
// header names.  A file is refused or its body played within the buffers;
// the played positions stay finite.
//
// The file layer and the drive model's decoder are stood in for here.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "race/engine.h"
#include "race/race_state.h"
#include "race/replay.h"

namespace {

const uint8_t* fileData;
size_t fileSize;

void Check(bool ok) {
    if (!ok)
        abort();
}

}  // namespace

int LastFileSize;
int ReadWholeFile(const char*, void* buffer, int capacity) {
    if (fileSize == 0 || fileSize > (size_t)capacity) {
        LastFileSize = 0;
        return -1;
    }
    memcpy(buffer, fileData, fileSize);
    LastFileSize = (int)fileSize;
    return 1;
}
int WriteWholeFile(const char*, int, const void*) { return 0; }
void DecodeCarInputBits(int bits) { ControlBrake = bits & 1; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fileData = data;
    fileSize = size;
    ReplaySavedCount = 0;
    ReplayHeaderRecord header = {};
    if (LoadReplayData("Replay\\Users\\fuzz.rb", &header) == 0)
        return 0;
    Check(header.carCount >= 1 && header.carCount <= 8);
    Check(ReplaySavedCount >= 0 && ReplaySavedCount <= REPLAY_MAX_TICKS);
    CarCount = header.carCount;
    LapsToRun = header.laps;
    ReplayPlayback = 1;
    BackToMenusRequest = 0;
    ResetReplay();
    for (int tick = 0; tick < 500 && BackToMenusRequest == 0; tick++) {
        for (int car = 0; car < CarCount; car++) {
            PlayReplayTick(car);
            Check(std::isfinite(SimPosX[car]) || BackToMenusRequest);
        }
    }
    // Nothing plays past the stored ticks.
    Check(ReplayTickCounter <= (ReplaySavedCount > 20 ? ReplaySavedCount - 20 : 0));
    return 0;
}
