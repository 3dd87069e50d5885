// libFuzzer target of the replays screen's file check: any bytes as a replay
// file.  The check reads only the header and the two counts, so it is given
// the file as the menus give it (the first 132 bytes and the size the folder
// reports) and the whole file alike; both give the same verdict.  A file it
// passes has every header field that picks a table row in range and exactly
// the size its counts give, so the loader takes all of its ticks.
//
// The file layer, the drive model's decoder and the state the header's
// other routines touch are stood in for here.

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > REPLAY_FILE_MAX)
        return 0;
    const int fileSize = (int)size;
    // As the menus read it: the head only, the rest of the buffer unread.
    unsigned char head[REPLAY_BODY_START] = {};
    std::memcpy(head, data, size < sizeof head ? size : sizeof head);
    const char* problem = ReplayFileProblem(head, fileSize);
    Check((problem == nullptr) == (ReplayFileProblem(data, fileSize) == nullptr));
    if (problem)
        return 0;

    ReplayHeaderRecord h;
    std::memcpy(&h, data, sizeof h);
    Check(h.trackCode >= 10 && h.trackCode <= 79);
    Check(h.carCount >= 1 && h.carCount <= 8 && h.laps >= 1 && h.laps <= 9 && h.mode >= 0 && h.mode <= 2);
    for (int car = 0; car < 8; car++)
        Check(h.carModels[car] >= 0 && h.carModels[car] <= 19 && h.carColours[car] >= 0 && h.carColours[car] <= 3);
    int32_t ticks, cars;
    std::memcpy(&ticks, data + REPLAY_HEADER_BYTES, 4);
    std::memcpy(&cars, data + REPLAY_HEADER_BYTES + 4, 4);
    Check(cars == h.carCount && ticks >= 20 && ticks < REPLAY_MAX_TICKS);
    Check(fileSize == ReplayFileSize(ticks, cars));

    // A passed file loads whole or not at all: never a body cut short.
    SetFuzzFile(data, size);
    ReplaySavedCount = 0;
    ReplayHeaderRecord loaded = {};
    if (LoadReplayData("Replay\\Users\\fuzz.rb", &loaded) != 0)
        Check(ReplaySavedCount == ticks && ReplayCarCount == cars && loaded.trackCode == h.trackCode);
    return 0;
}
