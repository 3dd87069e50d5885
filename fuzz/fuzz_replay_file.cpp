// libFuzzer target of the replay file check: any bytes as a replay file.
// The loader takes a file exactly when the check passes it, and then whole:
// every field that picks a table row in range, the counts the file's size
// gives, every keyframe a number within the limit.  A refused file changes
// nothing.
//
// The file layer, the drive model's decoder and the state the header's
// other routines touch are stood in for here.

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/fileio.h"
#include "frame/frame_state.h"
#include "frontend/file_lists.h"
#include "frontend/frontend_state.h"
#include "frontend/replay_header.h"
#include "fuzz_input_file.h"
#include "race/race_state.h"
#include "race/replay.h"
#include "track/track_state.h"

int WriteWholeFile(const char*, int, const void*) { return 0; }
void DecodeCarInputBits(int) {}
void StampCareerDate() {}
CareerRecordImage CareerRecord;
char CurrentPlayerName[24];
int ChampionshipRunning, SingleRaceMode, HudVisible, TrackArtSet;
// The replay-name prompt that filling a header for saving empties.
int EntryCursor, EntryPrefixLength, TypedChar, TypedCharCount, ReplayPromptOpen;
char ReplayNameBuffer[REPLAY_NAME_BUFFER];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > REPLAY_FILE_MAX)
        return 0;
    const int fileSize = (int)size;
    const char* problem = ReplayFileProblem(data, fileSize);

    SetFuzzFile(data, size);
    ReplaySavedCount = -7;
    ReplayHeaderRecord loaded = {};
    const int items = LoadReplayData("Replay\\Users\\fuzz.rb", &loaded);
    Check((items != 0) == (problem == nullptr));
    if (problem) {
        Check(ReplaySavedCount == -7);
        return 0;
    }

    ReplayHeaderRecord h;
    std::memcpy(&h, data, sizeof h);
    Check(std::memcmp(&loaded, &h, sizeof h) == 0);
    Check(h.trackCode >= 10 && h.trackCode <= 79);
    Check(h.carCount >= 1 && h.carCount <= 8 && h.laps >= 1 && h.laps <= LAP_TABLE_LAPS && h.mode >= 0 &&
          h.mode <= 2);
    for (int car = 0; car < 8; car++)
        Check(h.carModels[car] >= 0 && h.carModels[car] < REPLAY_CAR_MODELS && h.carColours[car] >= 0 &&
              h.carColours[car] < REPLAY_CAR_COLOURS);
    int32_t ticks, cars;
    std::memcpy(&ticks, data + REPLAY_HEADER_BYTES, 4);
    std::memcpy(&cars, data + REPLAY_HEADER_BYTES + 4, 4);
    Check(cars == h.carCount && ticks >= 0 && ticks <= REPLAY_MAX_TICKS);
    Check(fileSize == ReplayFileSize(ticks, cars));
    Check(ReplaySavedCount == ticks && ReplayCarCount == cars);
    for (int k = 0; k < (ticks / REPLAY_KEYFRAME_EVERY) * cars; k++) {
        for (float v : {ReplayKeyframes[k].x, ReplayKeyframes[k].z, ReplayKeyframes[k].heading})
            Check(std::isfinite(v) && std::fabs(v) <= REPLAY_VALUE_LIMIT);
    }
    return 0;
}
