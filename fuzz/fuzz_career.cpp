// libFuzzer target of a career save slot and of the championship file: any
// bytes as USERS\<name>\SAVE 01.rb and as USERS\<name>\Camp.r-b.  A taken
// record has finite money in range and every index that picks a table row
// within its table; its texts end within their fields.  A refused one
// leaves the career as it was and puts one console line.

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/fileio.h"
#include "fuzz_input_file.h"
#include "frontend/career_file.h"
#include "frontend/championship.h"

char CurrentPlayerName[24];
int WriteWholeFile(const char*, int, const void*) { return 1; }

static void CheckTaken(const CareerRecordImage& record, size_t size) {
    Check(size == sizeof record);
    Check(std::isfinite(record.money) && record.money >= 0.0f && record.money <= 99999999.0f);
    Check(record.championshipStage <= 3);
    Check(memchr(record.description, 0, sizeof record.description) != nullptr);
    Check(memchr(record.playerName, 0, sizeof record.playerName) != nullptr);
    for (const CupRow& cup : record.cups) {
        for (int race = 0; race < 5; race++) {
            Check(cup.group[race] <= 7 && cup.variant[race] <= 7 && cup.laps[race] <= 9 && cup.cars[race] <= 8);
            for (int car = 0; car < 8; car++)
                Check(cup.opponentModel[race][car] <= 19 && cup.opponentColour[race][car] <= 3);
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SetFuzzFile(data, size);
    strcpy(CurrentPlayerName, "Fuzz");
    static CareerRecordImage record;
    memset(&record, 0, sizeof record);
    record.money = 12.0f;
    fuzzinput::consoleLines = 0;
    const int slot = ReadCareerSlot(1, &record);
    // A file that is there and refused says so on the console, once.
    Check(fuzzinput::consoleLines == (slot || size == 0 ? 0 : 1));
    if (slot)
        CheckTaken(record, size);
    else
        Check(record.money == 12.0f);
    // The championship file is the same record under its own name, and is
    // taken or refused alike.
    static CareerRecordImage championship;
    memset(&championship, 0, sizeof championship);
    championship.money = 12.0f;
    const int taken = ReadChampionshipFile(&championship);
    Check(taken == slot);
    if (taken)
        CheckTaken(championship, size);
    else
        Check(championship.money == 12.0f);
    return 0;
}
