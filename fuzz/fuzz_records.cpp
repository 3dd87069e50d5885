// libFuzzer target of a profile's records file: any bytes as
// USERS\<name>\records.dat, loaded, then saved.  A refused file gives the
// built-in records; every name and date of the live tables ends within its
// row, and the save writes a whole image.

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/frontend_state.h"
#include "frontend/records.h"

namespace {

const uint8_t* fileData;
size_t fileSize;
int savedSize;

void Check(bool ok) {
    if (!ok)
        abort();
}

}  // namespace

SettingsRecord SettingsImage;
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
int WriteWholeFile(const char*, int count, const void*) {
    savedSize = count;
    return 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fileData = data;
    fileSize = size;
    strcpy(CurrentPlayerName, "Fuzz");
    const int taken = LoadRecords();
    Check(taken == (size == sizeof(SettingsRecord)));
    if (!taken)
        Check(RecordTimeValue(BestRaceTimes[10]) == (2 << 16 | 22 << 8 | 75));
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        Check(memchr(RaceRecordNames[code], 0, RECORD_NAME_BYTES) != nullptr);
        Check(memchr(LapRecordNames[code], 0, RECORD_NAME_BYTES) != nullptr);
        Check(memcmp(SettingsImage.bestLapTime[code], &BestLapTimes[code], 3) == 0);
    }
    savedSize = 0;
    Check(SaveRecords() == 1 && savedSize == (int)sizeof(SettingsRecord));
    return 0;
}
