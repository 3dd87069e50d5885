// The records file of a profile and the built-in records.

#include <cstdio>
#include <cstring>

#include "frame/fileio.h"
#include "frontend/file_names.h"
#include "frontend/player_files.h"
#include "frontend/frontend_state.h"
#include "frontend/records.h"
#include "race/messages.h"

int RecordsPath(char* path, int size) {
    if (!FileNameSafe(CurrentPlayerName, PROFILE_NAME_LISTED))
        return 0;
    return std::snprintf(path, (size_t)size, "USERS\\%s\\records.dat", CurrentPlayerName) < size;
}

// The tables of a records image into the live tables and the settings
// record's copy: times whole, the first 19 bytes of names and dates.
static void TakeRecordTables(const SettingsRecord& image) {
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        SetBestRaceTime(code, {image.bestRaceTime[code][0], image.bestRaceTime[code][1], image.bestRaceTime[code][2]});
        SetBestLapTime(code, {image.bestLapTime[code][0], image.bestLapTime[code][1], image.bestLapTime[code][2]});
        char name[20] = {};
        std::memcpy(name, image.bestRaceHolder[code], 19);
        SetRaceRecordName(code, name);
        std::memcpy(name, image.bestLapHolder[code], 19);
        SetLapRecordName(code, name);
        char date[20] = {};
        std::memcpy(date, image.bestRaceDate[code], 19);
        SetRaceRecordDate(code, date);
        std::memcpy(date, image.bestLapDate[code], 19);
        SetLapRecordDate(code, date);
    }
}

// A record time as the race writes it: minutes, seconds and hundredths of a
// clock, or for the jump events a distance in whole units and hundredths.
static int RecordTimeInRange(int code, const uint8_t* t) {
    if (t[2] > 99)
        return 0;
    if (code / 10 == 4)
        return t[0] == 0;
    return t[0] <= 99 && t[1] <= 59;
}

// A holder's name or a date: printable characters ending (with a NUL)
// inside the `most` bytes the tables keep of it; a date of 19 characters
// fills its 19 bytes.
static int FieldText(const char* field, int most, int fills) {
    for (int i = 0; i < most; i++) {
        const unsigned char c = (unsigned char)field[i];
        if (c == 0)
            return 1;
        if (c < 32 || c == 127)
            return 0;
    }
    return fills;
}

static int HasDefaultRecord(int code);

const char* RecordsFileProblem(const unsigned char* bytes, int size) {
    if (!bytes || size != (int)sizeof(SettingsRecord))
        return "a records file is 9,484 bytes";
    static SettingsRecord r;
    std::memcpy(&r, bytes, sizeof r);
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        if (!RecordTimeInRange(code, r.bestRaceTime[code]) || !RecordTimeInRange(code, r.bestLapTime[code]))
            return "a record time is out of range";
        if (!FieldText(r.bestRaceHolder[code], RECORD_NAME_BYTES, 0) ||
            !FieldText(r.bestLapHolder[code], RECORD_NAME_BYTES, 0))
            return "a holder's name does not end inside its field";
        if (!FieldText(r.bestRaceDate[code], 19, 1) || !FieldText(r.bestLapDate[code], 19, 1))
            return "a record date is not text";
        // Records fall only on the tracks that have one from the start.
        if (!HasDefaultRecord(code) &&
            (RecordTimeValue({r.bestRaceTime[code][0], r.bestRaceTime[code][1], r.bestRaceTime[code][2]}) ||
             RecordTimeValue({r.bestLapTime[code][0], r.bestLapTime[code][1], r.bestLapTime[code][2]}) ||
             r.bestRaceHolder[code][0] || r.bestLapHolder[code][0]))
            return "a record on a track code the game does not know";
    }
    return nullptr;
}

int LoadRecords() {
    static unsigned char bytes[sizeof(SettingsRecord)];
    char path[96];
    if (!RecordsPath(path, (int)sizeof path)) {
        LoadDefaultRecords();
        return 0;
    }
    char shown[48];
    std::snprintf(shown, sizeof shown, "Records of %.23s", CurrentPlayerName);
    if (!ReadPlayerFile(path, shown, bytes, (int)sizeof bytes, RecordsFileProblem)) {
        LoadDefaultRecords();
        return 0;
    }
    std::memcpy(&RecordsImage, bytes, sizeof RecordsImage);
    TakeRecordTables(RecordsImage);
    return 1;
}

int SaveRecords() {
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        std::memcpy(RecordsImage.bestRaceTime[code], &BestRaceTimes[code], 3);
        std::memcpy(RecordsImage.bestLapTime[code], &BestLapTimes[code], 3);
        std::memcpy(RecordsImage.bestRaceHolder[code], RaceRecordNames[code], RECORD_NAME_BYTES);
        std::memcpy(RecordsImage.bestLapHolder[code], LapRecordNames[code], RECORD_NAME_BYTES);
        std::memcpy(RecordsImage.bestRaceDate[code], RaceRecordDates[code], 19);
        std::memcpy(RecordsImage.bestLapDate[code], LapRecordDates[code], 19);
    }
    std::memcpy(RecordsImage.tag, "V1.0", 4);
    char path[96];
    if (!RecordsPath(path, (int)sizeof path))
        return 0;
    return WriteWholeFile(path, (int)sizeof RecordsImage, &RecordsImage);
}

void SaveFallenRecords() {
    if (RecordsFell && CurrentPlayerName[0] && SaveRecords())
        RecordsFell = 0;
}

namespace {

struct DefaultRecord {
    int code;
    RecordTime race, lap;
};

// Minutes, seconds, hundredths; the jump events (40 to 45) keep a distance
// in the seconds and hundredths bytes.
const DefaultRecord DefaultRecords[46] = {
    {10, {2, 22, 75}, {0, 43, 13}},  {11, {2, 3, 57}, {0, 36, 13}},   {12, {2, 31, 45}, {0, 47, 87}},
    {13, {2, 13, 52}, {0, 40, 87}},  {14, {2, 22, 68}, {0, 46, 53}},  {15, {2, 19, 63}, {0, 42, 80}},
    {20, {2, 37, 68}, {1, 13, 52}},  {21, {3, 28, 33}, {1, 9, 63}},   {22, {3, 36, 97}, {1, 6, 5}},
    {23, {3, 31, 23}, {1, 4, 45}},   {24, {3, 15, 0}, {1, 2, 32}},    {30, {2, 31, 33}, {0, 44, 73}},
    {31, {1, 19, 72}, {0, 38, 40}},  {40, {0, 59, 0}, {0, 59, 0}},    {41, {0, 97, 0}, {0, 97, 0}},
    {42, {0, 102, 0}, {0, 102, 0}},  {43, {0, 112, 50}, {0, 112, 50}}, {44, {0, 129, 0}, {0, 129, 0}},
    {45, {0, 74, 0}, {0, 74, 0}},    {50, {1, 50, 35}, {0, 49, 75}},  {51, {3, 4, 40}, {1, 28, 50}},
    {52, {3, 33, 60}, {1, 44, 53}},  {53, {4, 22, 40}, {2, 5, 8}},    {54, {4, 15, 77}, {2, 28, 63}},
    {55, {0, 49, 58}, {0, 23, 1}},   {56, {2, 10, 83}, {1, 2, 97}},   {57, {1, 37, 87}, {0, 48, 15}},
    {60, {2, 16, 33}, {1, 2, 80}},   {61, {3, 48, 18}, {1, 10, 23}},  {62, {2, 22, 75}, {0, 43, 13}},
    {63, {3, 44, 62}, {1, 9, 85}},   {64, {4, 10, 38}, {1, 25, 0}},   {65, {2, 12, 62}, {0, 40, 90}},
    {66, {2, 40, 72}, {0, 50, 50}},  {68, {2, 17, 80}, {0, 41, 52}},  {69, {2, 20, 3}, {0, 43, 21}},
    {70, {2, 26, 95}, {0, 45, 50}},  {71, {1, 41, 38}, {0, 46, 31}},  {72, {3, 4, 28}, {0, 58, 36}},
    {73, {3, 16, 99}, {1, 2, 20}},   {74, {3, 50, 0}, {1, 20, 10}},   {75, {3, 8, 21}, {0, 59, 58}},
    {76, {2, 21, 78}, {0, 43, 82}},  {77, {2, 27, 10}, {0, 45, 41}},  {78, {2, 17, 30}, {0, 42, 40}},
    {79, {2, 10, 8}, {0, 40, 46}},
};

// Fifteen holders, taken in turn.
const char* const DefaultHolders[15] = {"ACE",  "BLAZE", "CRUZ", "DINO", "ELKA", "FENN", "GUS", "HALO",
                                        "IRIS", "JAX",   "KOVA", "LUMO", "MIRA", "NOX",  "ORLO"};

}  // namespace

static int HasDefaultRecord(int code) {
    for (const DefaultRecord& row : DefaultRecords) {
        if (row.code == code)
            return 1;
    }
    return 0;
}

void LoadDefaultRecords() {
    for (int code = 0; code < RECORD_TRACK_CODES; code++) {
        SetBestRaceTime(code, {0, 0, 0});
        SetBestLapTime(code, {0, 0, 0});
        SetRaceRecordName(code, "");
        SetLapRecordName(code, "");
        SetRaceRecordDate(code, "03/01/00 - 12:00:55");
        SetLapRecordDate(code, "03/01/00 - 12:00:55");
    }
    int holder = 0;
    for (const DefaultRecord& row : DefaultRecords) {
        SetBestRaceTime(row.code, row.race);
        SetBestLapTime(row.code, row.lap);
        SetRaceRecordName(row.code, DefaultHolders[holder % 15]);
        SetLapRecordName(row.code, DefaultHolders[(holder + 1) % 15]);
        holder += 2;
    }
}
