#include "frontend/career_file.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/file_names.h"
#include "frontend/player_files.h"
#include "race/race_state.h"

namespace {

int InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

const char* CupProblem(const CupRow& cup) {
    for (int race = 0; race < 5; race++) {
        if (cup.won[race] > 1)
            return "a cup race's won flag is not 0 or 1";
        // Group 0 is a race not set up; its other fields are checked all
        // the same, since nothing else stops them being read.
        if (cup.group[race] > 7 || cup.variant[race] > 7)
            return "a cup race names no track";
        if (cup.laps[race] > LAP_TABLE_LAPS || cup.cars[race] > 8)
            return "a cup race's laps or cars are out of range";
        for (int car = 0; car < 8; car++) {
            if (cup.opponentModel[race][car] > 19 || cup.opponentColour[race][car] > 3)
                return "a cup race's opponent car is out of range";
        }
    }
    return nullptr;
}

}  // namespace

const char* CareerRecordProblem(const CareerRecordImage& r) {
    if (!std::isfinite(r.money) || r.money < 0.0f || r.money > 99999999.0f)
        return "the money is not a finite amount from 0 to 99,999,999";
    if (r.racesWon > 35 || r.unlockLevel > 4 || r.championshipStage > 3 || r.specialRace > 1)
        return "a count or level is out of range";
    if (!InRange(r.musicNumber, 0, 6) || !InRange(r.effectsLevel, 0, 5))
        return "a sound choice is out of range";
    for (const CupRow& cup : r.cups) {
        if (const char* problem = CupProblem(cup))
            return problem;
    }
    const int8_t* bytes = (const int8_t*)&r;
    const int group = bytes[CAREER_NEXT_GROUP], variant = bytes[CAREER_NEXT_VARIANT];
    if (!InRange(group, 0, 7) || !InRange(variant, 0, 7))
        return "the next race names no track";
    // Garage last and current indexes, event choices: 0x61e..0x660.
    for (int at = 0x61e; at < 0x661; at++) {
        if (!InRange(bytes[at], -1, 14))
            return "a garage index is out of range";
    }
    // Garage lists: 25 rows of 15 {model, colour} pairs, -1 ends a row.
    for (int row = 0; row < 25; row++) {
        const int8_t* pairs = bytes + 0x661 + 30 * row;
        for (int k = 0; k < 15 && pairs[2 * k] != -1; k++) {
            if (!InRange(pairs[2 * k], 0, 19) || !InRange(pairs[2 * k + 1], 0, 3))
                return "a garage list names no car";
        }
    }
    return nullptr;
}

int CareerSlotPath(int slot, char* path, int size) {
    if (slot < 1 || slot > 12 || !FileNameSafe(CurrentPlayerName, PROFILE_NAME_LISTED))
        return 0;
    return std::snprintf(path, (size_t)size, "USERS\\%s\\SAVE %02d.rb", CurrentPlayerName, slot) < size;
}

const char* CareerFileProblem(const unsigned char* bytes, int size) {
    if (!bytes || size != (int)sizeof(CareerRecordImage))
        return "a career slot or championship file is 2,384 bytes";
    static CareerRecordImage record;
    std::memcpy(&record, bytes, sizeof record);
    return CareerRecordProblem(record);
}

int ReadCareerRecordFile(const char* path, CareerRecordImage* out) {
    static CareerRecordImage staging;
    if (!ReadPlayerFile(path, nullptr, &staging, (int)sizeof staging, CareerFileProblem))
        return 0;
    // Texts end within their fields.
    staging.description[sizeof staging.description - 1] = 0;
    staging.playerName[sizeof staging.playerName - 1] = 0;
    staging.date[sizeof staging.date - 1] = 0;
    *out = staging;
    return 1;
}

int ReadCareerSlot(int slot, CareerRecordImage* out) {
    char path[96];
    return CareerSlotPath(slot, path, (int)sizeof path) && ReadCareerRecordFile(path, out);
}

int WriteCareerSlot(int slot, const CareerRecordImage& record) {
    char path[96];
    return CareerSlotPath(slot, path, (int)sizeof path) && WriteWholeFile(path, (int)sizeof record, &record);
}
