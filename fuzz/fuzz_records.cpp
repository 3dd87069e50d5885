// libFuzzer target of a profile's records file: any bytes as
// USERS\<name>\records.dat, loaded, then saved.  The file is taken exactly
// when the records check passes it; a refused file gives the built-in
// records and a console line.  Every time of the live tables is in range,
// every name and date ends within its row, and the save writes a whole
// image.

#include <cstdint>
#include <cstring>

#include "frame/fileio.h"
#include "fuzz_input_file.h"
#include "frontend/frontend_state.h"
#include "frontend/records.h"

namespace {
int savedSize;
}  // namespace

SettingsRecord SettingsImage;
int WriteWholeFile(const char*, int count, const void*) {
    savedSize = count;
    return 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetFuzzFile(data, size);
    strcpy(CurrentPlayerName, "Fuzz");
    fuzzinput::consoleLines = 0;
    const int passes = RecordsFileProblem(data, (int)size) == nullptr;
    const int taken = LoadRecords();
    Check(taken == passes);
    Check(fuzzinput::consoleLines == (size > 0 && !taken ? 1 : 0));
    if (!taken)
        Check(RecordTimeValue(BestRaceTimes[10]) == (2 << 16 | 22 << 8 | 75));
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        for (const RecordTime& t : {BestRaceTimes[code], BestLapTimes[code]}) {
            Check(t.hundredths <= 99);
            Check(code / 10 == 4 ? t.minutes == 0 : t.minutes <= 99 && t.seconds <= 59);
        }
        Check(memchr(RaceRecordNames[code], 0, RECORD_NAME_BYTES) != nullptr);
        Check(memchr(LapRecordNames[code], 0, RECORD_NAME_BYTES) != nullptr);
        Check(memcmp(SettingsImage.bestLapTime[code], &BestLapTimes[code], 3) == 0);
    }
    savedSize = 0;
    Check(SaveRecords() == 1 && savedSize == (int)sizeof(SettingsRecord));
    return 0;
}
